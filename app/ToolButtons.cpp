#include "app/ToolButtons.h"

#include "app/AppMenu.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "compiler/ConversionCommands.h"
#include "diagnostics/DiagnosticsMenu.h"
#include "editor/CursorMoves.h"
#include "lang/Texts.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/transfer/RegisterView.h"
#include "link/transfer/TransferCommands.h"
#include "monitor/ChangeValue.h"
#include "monitor/LadderMonitor.h"

namespace kestrion {

namespace {

// Each button runs its own handler; the monitor sets the enabled state of its buttons itself.
constexpr ToolButtonRow kToolButtons[] = {
    {"spbtnNew", "New", "New", "New1", spbtnNewClick, false, false, "ToolNew"},
    {"spbtnOpen", "Open", "Open", "Open1", spbtnOpenClick, false, false, "ToolOpen"},
    {"spbtnSave", "Save", "Save", "Save1", spbtnSaveClick, false, false, "ToolSave"},
    {"spbtnLadderView", "Ladder", "Ladder View", "LadderView1", LadderView1Click, false, false, "ToolLadder"},
    {"spbtnInstructionView", "Instruction", "Instruction View", "InstructionView1", InstructionView1Click,
     false, false, "ToolInstruction"},
    {"spbtnRegisterView", "Register", "Register View", "RegisterView1", RegisterView1Click, false, false,
     "ToolRegister"},
    {"spbtnChangeComPort", "Port", "ChangeComPort", "ChangeComPort1", spbtnChangeComPortClick, false, true,
     "ToolPort"},
    {"spbtnTryToConnection", "Connect", "TryToConnection", "TryToConnection1", spbtnTryToConnectionClick,
     false, false, "ToolConnect"},
    {"spbtnUploadProg", "Read", "Read Prog From PLC", "ProgRead", spbtnUploadProgClick, false, false,
     "ToolRead"},
    {"spbtnDnloadProg", "Write", "Write Rpog To PLC", "ProgWrite", spbtnDnloadProgClick, false, false,
     "ToolWrite"},
    // The monitor's buttons run their own handlers; the monitor sets their enabled state itself.
    {"spbtnStartMonitor1", "Monitor", "Start monitor", "msStartMonitor1", spbtnStartMonitor1Click, false,
     false, "ToolMonitor"},
    {"spbtnStopMonitor1", "Stop monitor", "Stop monitor", "msStopMonitor1", spbtnStopMonitor1Click, false,
     false, "ToolStopMonitor"},
    {"spbtnEntryDeviceMonitor", "Entry", "Entry Device Monitor", "EnterDeviceMonitor1",
     spbtnEntryDeviceMonitorClick, false, false, "ToolEntry"},
    {"spbtnChangeValue", "Value", "Change current value", "ChangeCurrentValue2", spbtnChangeValueClick, false,
     false, "ToolValue"},
    {"spbtnErrorCheck", "Error check", "ErrorCheck", "ErrorCheck1", spbtnErrorCheckClick, false, false,
     "ToolErrorCheck"},
    {"spbtnMachineStatus", "Status", "MachineStatus", "MachineStatus1", spbtnMachineStatusClick, true, false,
     "ToolStatus"},
};

constexpr FncKeyButtonRow kFncKeyButtons[] = {
    {"spbtnF2", "F2 --|P|--", 2}, {"spbtnF3", "F3 --|F|--", 3}, {"spbtnF4", "F4 Convert", 4, "Convert"},
    {"spbtnF5", "F5 --| |--", 5}, {"spbtnF6", "F6 --|/|--", 6}, {"spbtnF7", "F7 --( )--", 7},
    {"spbtnF8", "F8 --[ ]--", 8},
};

// The text of the menu item a button stands for; empty when the table has none.
std::string menuItemText(const char* objectName, Language language) {
    for (const MenuRow& row : mainMenuRows())
        if (std::string_view(row.objectName) == objectName)
            return findText(captionId(row)) != nullptr ? withoutAccessKey(menuCaption(row, language)) : "";
    return "";
}

}  // namespace

std::string toolButtonCaption(const ToolButtonRow& row, Language language) {
    return findText(row.textId) != nullptr ? textOf(row.textId, language) : row.caption;
}

std::string toolButtonHint(const ToolButtonRow& row, Language language) {
    const std::string item = language != Language::English ? menuItemText(row.menuItem, language) : "";
    return item.empty() ? row.hint : item;
}

std::string fncKeyCaption(const FncKeyButtonRow& row, Language language) {
    if (*row.textId == '\0') return row.caption;
    return "F" + std::to_string(row.functionKey) + " " + textOf(row.textId, language);
}

std::span<const ToolButtonRow> toolButtonRows() {
    return kToolButtons;
}

std::span<const FncKeyButtonRow> fncKeyButtonRows() {
    return kFncKeyButtons;
}

void fncKeyButtonClick(int functionKey) {
    if (appState.fncKeyViewMode != 1) return;
    if (functionKey == 4) {
        spbtnF4Click();
    } else {
        openBoxOnFunctionKey(functionKey, false);
    }
}

void spbtnNewClick() {
    New1Click();
}
void spbtnOpenClick() {
    Open1Click();
}
void spbtnSaveClick() {
    Save1Click();
}
void spbtnChangeComPortClick() {
    selectComPort();
}
void spbtnErrorCheckClick() {
    MachineStatus1Click();
}
void spbtnMachineStatusClick() {
    MachineStatus1Click();
}

}  // namespace kestrion
