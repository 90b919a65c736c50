// Which clicks of the main window wait for the line while a monitor's poll has its own request on
// it: every menu item and tool button whose command would otherwise meet the link busy.
#include "link/line/LineCommands.h"
#include "lang/LanguageCommands.h"

#include <set>
#include <string>

#include "app/AppMenu.h"
#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/MainCore.h"
#include "app/ToolButtons.h"
#include "devviews/DevViewsDialogs.h"
#include "diagnostics/DiagnosticsDialogs.h"
#include "editor/FakeEditorDialogs.h"
#include "entry/FakeEntryDialogs.h"
#include "link/LinkFixture.h"
#include "link/line/LineState.h"
#include "link/terminals/FakeTerminalDialogs.h"
#include "monitor/FakeMonitorDialogs.h"
#include "monitor/MonitorMode.h"
#include "monitor/access/FakeAccessDialogs.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"
#include "wizards/FakeWizardsDialogs.h"

namespace kestrion::test {
namespace {

const char* const kBusy = "The PLC link is busy with another request | Communication Message | warning";

struct QuietDiagnostics : DiagnosticsDialogs {
    void errMsg1(const std::string&) override {}
};
struct QuietDevViews : DevViewsDialogs {
    void showTextView(const DevTextView&) override {}
    void viewMore(ViewMoreDialog&) override {}
    void showDeveloperMenus(bool) override {}
    void mathTest() override {}
};

// A program open on a q3 and every subsystem's dialogs answered as a user who goes on would.
class LineCommandsTest : public LinkTest {
protected:
    LineCommandsTest() {
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        New1Click();
        linkDialogs.memoryClearScript = [](MemoryClearDialog& dialog) {
            dialog = {true, false, false, {}};
            dialog.btnOkClick();
        };
        editor.answer = {1, 12345678};
    }
    // The commands of the menu rows and the tool buttons, by their object names.
    static std::vector<std::pair<std::string, void (*)()>> commands() {
        std::vector<std::pair<std::string, void (*)()>> all;
        for (const MenuRow& row : mainMenuRows())
            if (row.kind == MenuRowKind::Item && row.command != nullptr)
                all.emplace_back(row.objectName, row.command);
        for (const ToolButtonRow& row : toolButtonRows())
            if (row.command != nullptr) all.emplace_back(row.objectName, row.command);
        return all;
    }

    SimulatedPlc sim{fakes, 5};
    FakeAppDialogs app;
    FakeEditorDialogs editor;
    FakeEntryDialogs entry;
    FakeTerminalDialogs terminal;
    FakeMonitorDialogs monitor;
    FakeAccessDialogs access;
    FakeWizardsDialogs wizards;
    QuietDiagnostics diagnostics;
    QuietDevViews devViews;

private:
    InstalledDialogs<AppDialogs> appInstalled_{app};
    InstalledDialogs<EditorDialogs> editorInstalled_{editor};
    InstalledDialogs<EntryDialogs> entryInstalled_{entry};
    InstalledDialogs<TerminalDialogs> terminalInstalled_{terminal};
    InstalledDialogs<MonitorDialogs> monitorInstalled_{monitor};
    InstalledDialogs<AccessDialogs> accessInstalled_{access};
    InstalledDialogs<WizardsDialogs> wizardsInstalled_{wizards};
    InstalledDialogs<DiagnosticsDialogs> diagnosticsInstalled_{diagnostics};
    InstalledDialogs<DevViewsDialogs> devViewsInstalled_{devViews};
};

// Each command run as a click handled inside the poll's wait (the monitor holds the port, a request
// waits): one that meets the link busy must be a click that waits for the line instead.
TEST_F(LineCommandsTest, EveryClickThatWouldMeetThePollsRequestWaitsForTheLine) {
    std::set<std::string> busy;
    for (const auto& [name, command] : commands()) {
        if (name == "Exit1") continue;  // it ends the program
        openAt(0);
        monitorMode = kMonitorLadder;
        ++lineState.waitDepth;
        fakes.messages.shown.clear();
        English1Click();  // the busy box is read in English; the Language items change it
        if (name == "MemoryClear1") fakes.messages.scriptAnswers({platform::MsgAnswer::Yes});  // clear it
        try {
            command();
        } catch (const std::logic_error&) {
            // a dialog of its own that no test installs: it sends nothing before it
        }
        --lineState.waitDepth;
        for (const std::string& box : shownBoxes(fakes.messages))
            if (box == kBusy) busy.insert(name);
        monitorMode = kMonitorOff;
        closeComPort();
    }
    // The commands that reach the line at once or after their dialog, found by running them.
    for (const char* expected :
         {"TryToConnection1", "TryToConnection2", "ChangeCurrentValue2", "ForceBitOnOff1", "RemoteRunStop1",
          "MemoryClear1", "Version1", "spbtnChangeValue", "spbtnTryToConnection", "ConnectionTest1",
          "KeywordSetup1", "SetRTC1"})
        EXPECT_EQ(busy.count(expected), 1u) << expected;
    for (const std::string& name : busy) EXPECT_TRUE(clickWaitsForLine(name)) << name;
}

TEST_F(LineCommandsTest, StoppingTheMonitorAndClicksThatSendNothingRunAtOnce) {
    for (const char* name : {"msStopMonitor1", "spbtnStopMonitor1", "Popup4StopMonitor", "New1", "Save1",
                             "LadderView1", "KeywordSetting1", "ProgRead", "ProgWrite", "RegRead"})
        EXPECT_FALSE(clickWaitsForLine(name)) << name;
    // Every name on the list is a click of the window: a row, a tool button, or one of the buttons
    // the window makes itself.
    std::set<std::string> names{"spbtnRemoteRun1", "spbtnRemoteStop1", "spbtnForceOnOff"};
    for (const MenuRow& row : mainMenuRows()) names.insert(row.objectName);
    for (const ToolButtonRow& row : toolButtonRows()) names.insert(row.objectName);
    std::size_t waiting = 0;
    for (const std::string& name : names) waiting += clickWaitsForLine(name) ? 1 : 0;
    EXPECT_EQ(waiting, 50u);
}

}  // namespace
}  // namespace kestrion::test
