#include "monitor/access/AccessMenu.h"

#include "monitor/access/AnyAddress.h"
#include "monitor/access/AnyAddressOpeners.h"
#include "monitor/access/AxisMonitor.h"
#include "monitor/access/TerminalOpener.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kItem, "WriteAnyAddress1", "WriteAnyAddress", "xRS", 10, WriteAnyAddress1Click},
    {kItem, "ReadAnyAddress1", "ReadAnyAddress", "xRS", 20, ReadAnyAddress1Click},
    {kItem, "BitWrAnyAddress1", "BitWrAnyAddress", "xRS", 30, BitWrAnyAddress1Click},
    {kItem, "SubReadAnyAddress1", "SubReadAnyAddress", "xRS", 40, SubReadAnyAddress1Click},
    {kItem, "WriteAnyCommand1", "WriteAnyCommand", "xRS", 50, WriteAnyCommand1Click},
    {kItem, "SoftwareVariable1", "SoftwareVariable", "xTHIS", 70, SoftwareVariable1Click},
    // Disabled in the menu's definition; nothing enables it.
    {kItem, "AxisMonitor1", "Axis Monitor", "MonitorMenu", 80, AxisMonitor1Click, {.disabled = true}},
};
// clang-format on

}  // namespace

MenuTable accessMenuRows() {
    return kRows;
}

}  // namespace kestrion
