#include "app/TransferMenu.h"

#include "app/TransferClicks.h"
#include "link/transfer/TransferCommands.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
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

MenuTable transferMenuRows() {
    return kRows;
}

}  // namespace kestrion
