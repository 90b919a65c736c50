#include "link/LinkMenu.h"

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/plc/Keywords.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RemoteControl.h"
#include "link/transfer/TransferCommands.h"
#include "link/transfer/TransferSessions.h"

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

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kTransferRows[] = {
    {kMenu, "ProgramTransfer1", "Program Transfer", "PlcMenu", 20},
    {kItem, "ProgRead", "Read", "ProgramTransfer1", 10, ProgReadClick},
    {kItem, "ProgWrite", "Write", "ProgramTransfer1", 20, ProgWriteClick},
    {kItem, "ProgVerify", "Verify", "ProgramTransfer1", 30, ProgVerifyClick},
    {kMenu, "RegisterTransfer1", "Register Transfer", "PlcMenu", 22},
    {kItem, "RegRead", "Read", "RegisterTransfer1", 10, RegReadClick},
    {kItem, "RegWrite", "Write", "RegisterTransfer1", 20, RegWriteClick},
    {kItem, "RegVerify", "Verify", "RegisterTransfer1", 30, RegVerifyClick},
    {kMenu, "ParameterTransfer1", "Parameter Transfer", "PlcMenu", 24, nullptr, {.hidden = true}},
    {kItem, "parameterRead1", "Read", "ParameterTransfer1", 10, parameterRead1Click},
    {kItem, "ParameterWrite1", "Write", "ParameterTransfer1", 20, ParameterWrite1Click},
    {kItem, "ParameterVerify1", "Verify", "ParameterTransfer1", 30, ParameterVerify1Click},
    {kMenu, "ProtocolSetting1", "Protocol setting", "PlcMenu", 26, nullptr, {.hidden = true}},
    {kItem, "PlcProtocol1", "PlcProtocol", "ProtocolSetting1", 10, PlcProtocol1Click},
    {kItem, "cLink1", "cLink", "ProtocolSetting1", 20, cLink1Click},
    {kItem, "ModAsc1", "ModAsc", "ProtocolSetting1", 30, ModAsc1Click},
    {kItem, "ModRtu1", "ModRtu", "ProtocolSetting1", 40, ModRtu1Click},
    {kItem, "FreeUser1", "FreeUser", "ProtocolSetting1", 50, FreeUser1Click},
    {kItem, "DregView1", "Dreg view ...", "ViewMenu", 15, DregView1Click, {.hidden = true}},
    {kItem, "ReadProgEndStepNo1", "ReadProgEndStepNo", "xRS", 15, ReadProgEndStepNo1Click},
    {kItem, "WriteDregEnd2", "WriteDregEnd", "xRS", 25, WriteDregEnd2Click},
};
// clang-format on

}  // namespace

MenuTable linkMenuRows() {
    return kRows;
}

MenuTable transferMenuRows() {
    return kTransferRows;
}

}  // namespace kestrion
