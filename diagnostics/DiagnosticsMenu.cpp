#include "diagnostics/DiagnosticsMenu.h"

#include <string>

#include "diagnostics/DiagnosticsDialogs.h"
#include "link/line/LinkCommand.h"
#include "model/ladder/EditorState.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorMode.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kMenu, "ErrorCheck1", "Error Check", "OptionMenu", 50},
    {kItem, "KoSeries1", "KoSeries", "ErrorCheck1", 10, KoSeries1Click},
    {kItem, "Wseries2", "Wseries", "ErrorCheck1", 20, Wseries2Click},
    {kItem, "Diagnostics1", "Diagnostics", "ErrorCheck1", 30, Diagnostics1Click, {.hidden = true}},
    {kItem, "MachineStatus1", "Machine Status ...", "OptionMenu", 70, MachineStatus1Click, {.hidden = true}},
    {kItem, "ControllerStatus1", "Controller status", "PlcMenu", 85, ControllerStatus1Click},
};
// clang-format on

// The dialog's buttons leave the port open for each other; the session closes it when the dialog
// closes, unless a request of another command was waiting when it opened: that port is its owner's.
void showDiagnostics(const std::string& caption) {
    const LinkSession session(PortAfter::Close, IfBusy::StayQuiet);
    struct AfterClose {
        ~AfterClose() { requestLadderRedraw(); }
    } afterClose;
    diagnosticsDialogs().errMsg1(caption);
}

}  // namespace

MenuTable diagnosticsMenuRows() {
    return kRows;
}

void MachineStatus1Click() {
    // The monitor's polling would share the line with the dialog's requests.
    stopRunningMonitor();
    showDiagnostics(" Machine Information");
}

void KoSeries1Click() {
    MachineStatus1Click();
}

void Wseries2Click() {
    MachineStatus1Click();
}

void ControllerStatus1Click() {
    MachineStatus1Click();
}

void Diagnostics1Click() {
    showDiagnostics("Diagnostics Information");
}

}  // namespace kestrion
