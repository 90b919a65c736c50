#include "link/LinkMenu.h"

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/plc/Keywords.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RemoteControl.h"

namespace kestrion {

namespace {

// clang-format off
constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "KeywordSetup1", "Keyword setup", "PlcMenu", 60, KeywordSetup1Click},
    {MenuRowKind::Item, "SetupUserId1", "UserID setup", "PlcMenu", 62, SetupUserId1Click},
    {MenuRowKind::Item, "Keyword2Setup1", "Keyword2 setup", "PlcMenu", 64, Keyword2Setup1Click,
     {.hidden = true}},
    {MenuRowKind::Item, "SetRTC1", "Set RTC", "PlcMenu", 70, SetRTC1Click},
    {MenuRowKind::Item, "KeywordSetting1", "Keyword setting ...", "OptionMenu", 60, KeywordSetting1Click},
    {MenuRowKind::Item, "ChangeComPort1", "ChangeComPort...", "OptionMenu", 20, selectComPort},
    {MenuRowKind::Item, "TimeOutTimer1", "Time out timer ...", "OptionMenu", 30, TimeOutTimer1Click},
    {MenuRowKind::Item, "ConnectionTest1", "Connection test", "OptionMenu", 40, ConnectionTest1Click},
    {MenuRowKind::Item, "TryToConnection1", "Try to connection", "PlcMenu", 10, TryToConnection1Click},
    {MenuRowKind::Item, "TryToConnection2", "Try to connection", "MonitorMenu", 10, TryToConnection2Click},
    {MenuRowKind::Item, "MemoryClear1", "Memory Clear", "PlcMenu", 50, MemoryClear1Click},
    // Filled and enabled by the service tools.
    {MenuRowKind::Menu, "HarewareCheck", "HarewareCheck", "PlcMenu", 61, nullptr, {.disabled = true}},
    {MenuRowKind::Item, "InitialControllerMemory1", "InitialControllerMemory", "HarewareCheck", 10,
     InitialControllerMemory1Click},
    {MenuRowKind::Item, "Version1", "Version", "PlcMenu", 72, Version1Click},
    {MenuRowKind::Item, "SerialSettingD81201", "Serial Setting (D8120)...", "PlcMenu", 80,
     SerialSettingD81201Click, {.hidden = true, .disabled = true}},
    {MenuRowKind::Item, "RuntimeProgramChanges1", "Runtime program changes...", "PlcMenu", 90,
     RuntimeProgramChanges1Click, {.hidden = true, .disabled = true}},
};
// clang-format on

}  // namespace

MenuTable linkMenuRows() {
    return kRows;
}

}  // namespace kestrion
