#include "monitor/MonitorMenu.h"

#include "monitor/ChangeValue.h"
#include "monitor/EntryDeviceMonitor.h"
#include "monitor/ForceOpener.h"
#include "monitor/LadderMonitor.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kItem, "msStartMonitor1", "Start Monitor ...", "MonitorMenu", 20, msStartMonitor1Click},
    {kItem, "msStopMonitor1", "Stop Monitor", "MonitorMenu", 30, msStopMonitor1Click, {.disabled = true}},
    {kItem, "EnterDeviceMonitor1", "Enter device monitor", "MonitorMenu", 40, EnterDeviceMonitor1Click},
    {kItem, "ForceBitOnOff1", "Force Bit On/Off", "MonitorMenu", 50, ForceBitOnOff1Click, {.hidden = true}},
    // Nothing in the program shows or enables it.
    {kItem, "EntryDeviceMonitor1", "Entry device monitor", "MonitorMenu", 60, EntryDeviceMonitor1Click,
     {.hidden = true, .disabled = true}},
    {kItem, "ChangeCurrentValue2", "Change current value", "PlcMenu", 45, ChangeCurrentValue2Click},
    {kItem, "ChangeCurrentValue1", "Change current value", "PlcMenu", 46, ChangeCurrentValue1Click,
     {.hidden = true, .disabled = true}},
};
// clang-format on

// clang-format off
constexpr MenuRow kPopupRows[] = {
    {kItem, "Popup4StopMonitor", "Stop monitor", "PopupMenu4", 10, Popup4StopMonitorClick},
    {kItem, "Popup4DeviceSearch", "DeviceSearch", "PopupMenu4", 20, Popup4DeviceSearchClick},
    {kItem, "Popup4ForceONOFF", "Force ON/OFF", "PopupMenu4", 30, Popup4ForceONOFFClick},
    {kItem, "Popup4ChangeValue", "Change value", "PopupMenu4", 40, Popup4ChangeValueClick},
};
// clang-format on

}  // namespace

MenuTable monitorMenuRows() {
    return kRows;
}

MenuTable monitorPopupRows() {
    return kPopupRows;
}

}  // namespace kestrion
