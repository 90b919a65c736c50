#include "app/MainCore.h"

#include <set>

#include "app/AppMenu.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "model/core/MainState.h"

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"
#include "wizards/SettingCommands.h"

namespace kestrion {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

class MainCoreTest : public test::CoreTest {};

// A program read from the PLC and the gateway generator close the program, make a new one, choose
// the type and show their rows with the main window's own steps: those of its menus.
TEST_F(MainCoreTest, TheMainWindowsStepsForTheCommandsBelowItAreItsMenusOwn) {
    mainFormStartUp();
    MainWindowSteps steps;
    appState.programPanelsVisible = false;
    EXPECT_FALSE(steps.programShown());
    appState.programPanelsVisible = true;
    EXPECT_TRUE(steps.programShown());

    appState.fileTitleMemo = "Conveyor line 2";
    appState.dcnMemo = "DCN 17";
    steps.clearProgramMemos();
    EXPECT_EQ(appState.fileTitleMemo, "");
    EXPECT_EQ(appState.dcnMemo, "");

    // File > Close: a changed program is asked about; Cancel keeps it, No closes it.
    editModeFlags |= kEditModifiedSinceSave;
    fakes.messages.scriptAnswers({MsgAnswer::Cancel, MsgAnswer::No});
    EXPECT_FALSE(steps.closeProgram());
    EXPECT_TRUE(appState.programPanelsVisible);
    EXPECT_TRUE(steps.closeProgram());
    EXPECT_FALSE(appState.programPanelsVisible);
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes(2, "Do you want to save current file before close ? | File Close | question"));

    // Option > Type change: the type dialog, whose Cancel clears the go-ahead bit.
    fileStateFlags |= kFileLastChoiceWentThrough;
    steps.choosePlcType();
    EXPECT_EQ(modelDialogs.plcTypeRequests.size(), 1u);
    EXPECT_EQ(fileStateFlags & kFileLastChoiceWentThrough, 0);

    // File > New: the type dialog again, then a program open.
    modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
        return PlcTypeFormResult{1, size, type};
    };
    linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
    fakes.messages.shown.clear();
    fileStateFlags |= kFileLastChoiceWentThrough;
    steps.newProgram();
    EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{});
    EXPECT_EQ(modelDialogs.plcTypeRequests.size(), 2u);
    EXPECT_TRUE(steps.programShown());

    // The parameter view shows the rows in place of the ladder, whose buttons rest.
    steps.showRows({{"M8000", {"1"}}});
    EXPECT_TRUE(appState.parameterViewVisible);
    EXPECT_EQ(appState.parameterRows.size(), 1u);
    EXPECT_EQ(appState.toolBarViewMode + appState.fncKeyViewMode, 0);
}

TEST_F(MainCoreTest, CloseWithUnsavedChangesAsksAndFollowsTheAnswer) {
    using A = MsgAnswer;
    using S = SaveOutcome;
    const auto stay = CloseDecision::Stay, exit = CloseDecision::Exit;
    const std::tuple<A, std::uint8_t, S, CloseDecision, int> cases[] = {
        {A::No, 0, S::Saved, exit, 0},   {A::Cancel, 0, S::Saved, stay, 0},
        {A::Yes, 0, S::Saved, exit, 1},  {A::Yes, kFileNoName, S::Cancelled, stay, 1},
        {A::Yes, 0, S::Failed, stay, 1},
    };
    for (const auto& [answer, fileState, saved, expected, saveCalls] : cases) {
        fakes.messages.shown.clear();
        editModeFlags = kEditModifiedSinceSave;
        fileStateFlags = fileState;
        fakes.messages.scriptAnswers({answer});
        int calls = 0;
        const auto save = [&, saved = saved, fileState = fileState](bool saveAs) {
            ++calls;
            EXPECT_EQ(saveAs, fileState == kFileNoName);  // a new program is saved as
            return saved;
        };
        EXPECT_EQ(mainFormClose(save), expected);
        EXPECT_EQ(calls, saveCalls);
        EXPECT_EQ(test::shownBoxes(fakes.messages),
                  test::Boxes{"Do you want to save current file before exit ? | Exit | question"});
        EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::YesNoCancel);
    }
    editModeFlags = 0x04;  // only bit 0x08 asks
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Exit);
    editModeFlags = 0x08;
    fakes.messages.scriptAnswers({MsgAnswer::Yes});  // Yes without a save command keeps the work
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Stay);
    editModeFlags = kEditModifiedSinceSave | kEditLadderNotConverted;
    fakes.messages.scriptAnswers({MsgAnswer::Yes});  // unconverted edits are refused, as by Close
    EXPECT_EQ(mainFormClose([](bool) { return SaveOutcome::Saved; }), CloseDecision::Stay);
    EXPECT_EQ(test::shownBoxes(fakes.messages).back(),
              "Need Convert Edit Program | Convert Message | warning");
}

TEST_F(MainCoreTest, TheDrawingTimerShowsTheProtocolAndThePortInPanelsFourAndFive) {
    const std::tuple<std::int32_t, std::uint32_t, std::uint8_t, const char*, const char*> cases[] = {
        {sysProtocol, 0, 0, "", "COM1 Br9600"},
        {cLink, 2, kComStateOpen, "cLink", "COM3&Br9600"},
        {FreeUser, 18, 0, "User", "COM19 Br9600"},
    };
    for (const auto& [protocol, port, state, panel4, panel5] : cases) {
        commProtocol = protocol;
        comPortIndex = port;
        comState = state;
        Timer2Timer();
        EXPECT_EQ(fakes.statusBar.panelText(4), panel4);
        EXPECT_EQ(fakes.statusBar.panelText(5), panel5);
    }
}

}  // namespace
TEST_F(MainCoreTest, DeveloperItemReinitialisesForTheConnectedPlc) {
    initPmwImageByType(5);
    pmw.setMemSizeCode(8);
    const PmwImage before = pmw;
    pmw1Click();
    EXPECT_EQ(pmw, before);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "Parameter Error");
    connectedPlcType = 7;
    pmw1Click();
    EXPECT_EQ(pmw.plcType(), 7);
    EXPECT_EQ(pmw.memSizeCode(), 8);
    EXPECT_EQ(pmw.sumCheck(), 0xE0C0);  // a program area of empty words only
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

}  // namespace kestrion
