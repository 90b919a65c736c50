#include "wizards/gateway/LinkSetupCommands.h"

#include "app/AppMenu.h"
#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "compiler/ConvertCommand.h"
#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "link/transfer/RegisterView.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "reader/InstructionList.h"
#include "support/ShownBoxes.h"
#include "wizards/ExamplePrograms.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/TemplateMenu.h"
#include "wizards/gateway/GatewayProgram.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using Rows = std::vector<ParameterRow>;

const char* const kGatewayExample = "\\Template\\E\\ccGate\\Ascii\\s01.PMW";

class LinkSetupCommandsTest : public WizardsTest {
protected:
    LinkSetupCommandsTest() {
        resetAllState();
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
        fakes.messages.shown.clear();
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    // The ladder as "x,y code" per object.
    static std::vector<std::string> ladder() {
        std::vector<std::string> objects;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            objects.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                              std::to_string(o->iCode));
        return objects;
    }
    FakeAppDialogs appDialogs;
    // The generated program and the lists are shown by the main window's own steps.
    MainWindowSteps mainWindow;

private:
    InstalledDialogs<AppDialogs> installed_{appDialogs};
    InstalledDialogs<WindowSteps> mainWindowInstalled_{mainWindow};
    InstalledDialogs<ParameterListView> parameterListInstalled_{mainWindow};
};

TEST_F(LinkSetupCommandsTest, TheGeneratedProgramIsTheGatewayProgramItsLadderReadsAndConvertsBack) {
    const sources::Example source = sources::exampleAt(kGatewayExample);
    const sources::Words words = sources::programOf(source);
    ASSERT_EQ(words.size(), 158u);
    std::fill_n(pmw.program.begin(), 400, 0x2000);  // a longer program before
    ccGate1Click();
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_TRUE(std::equal(words.begin(), words.end(), pmw.program.begin()));
    EXPECT_EQ(std::count(pmw.program.begin() + 158, pmw.program.begin() + 8000, kEmptyWord), 8000 - 158);
    const std::uint8_t firstBytes[] = {0x01, 0x2F, 0x28, 0x00, 0x01, 0x82,
                                       0x14, 0x80, 0xDC, 0x86, 0x00, 0x80};
    for (std::size_t i = 0; i < std::size(firstBytes); ++i)
        EXPECT_EQ(static_cast<std::uint8_t>(pmw.program[i / 2] >> (8 * (i % 2))), firstBytes[i]) << i;
    // Capacity 8: 0xE0C0 plus (word + 1) over the 158 words.
    std::uint16_t check = 0xE0C0;
    for (std::uint16_t word : words) check = static_cast<std::uint16_t>(check + word + 1);
    EXPECT_EQ(pmw.sumCheck(), check);
    char shown[8];
    std::snprintf(shown, sizeof shown, "%04X", check);
    EXPECT_EQ(fakes.statusBar.panelText(0), shown);

    // Each instruction at its step reads as the program's table has it.
    ASSERT_TRUE(refreshInstructionList());
    std::uint32_t step = 0;
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        const InstructionLine line = instructionLine(instructionRowOfStep(step));
        EXPECT_EQ(line.step, step);
        EXPECT_EQ(line.mnemonic + (line.operands.empty() ? "" : " " + line.operands), source.notes[i]);
        step += static_cast<std::uint32_t>(sources::assemble(source.lines[i]).size());
    }
    EXPECT_EQ(ldrTail->iCode, kEndCode);

    // Shown as an unchanged program of its own, the read items resting.
    EXPECT_TRUE(appState.programPanelsVisible);
    EXPECT_EQ(editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted), 0);
    EXPECT_NE(fileStateFlags & kFileNoName, 0);
    for (const char* item : {"File11", "File41", "ProgRead", "RegRead"}) EXPECT_FALSE(menuItem(item).enabled);
    EXPECT_NE(redrawFlags & kRedrawObjects, 0);
    EXPECT_EQ(BlueFrame.y1, 0u);  // on the first line

    const PmwImage generated = pmw;
    const std::vector<std::string> drawn = ladder();
    ASSERT_TRUE(runCommand([] {
        LToM();
        return true;
    })) << ::testing::PrintToString(boxes());
    EXPECT_TRUE(std::equal(words.begin(), words.end(), pmw.program.begin()));
    EXPECT_EQ(pmw.sumCheck(), check);
    ccGate2Click();  // a second time over the first: the same image and ladder
    EXPECT_TRUE(pmw == generated);
    EXPECT_EQ(ladder(), drawn);
}

// The generated program shows under a name of its own, which the caption names; the title and
// description memos of the program before are emptied; the recent files keep their names.
TEST_F(LinkSetupCommandsTest, TheGeneratedProgramHasANameOfItsOwnAndNoMemosOfTheProgramBefore) {
    const std::string before = currentFileName();
    appState.fileTitleMemo = "Conveyor line 2";
    appState.dcnMemo = "DCN 17";
    std::vector<std::string> recentNames;
    for (const RecentFileItem& item : recentFileItems) recentNames.push_back(item.caption + "=" + item.path);
    platform::timers().setEnabled(platform::TimerId::Timer2, false);
    ccGate1Click();
    const std::string name = currentFileName();
    EXPECT_NE(name, before);
    ASSERT_EQ(name.substr(name.size() - 4), ".PMW");
    EXPECT_EQ(fakes.system.caption, "Kestrion Version 2.1.1108 - " + name.substr(0, name.size() - 4));
    EXPECT_EQ(appState.fileTitleMemo + appState.dcnMemo, "");
    std::vector<std::string> recentAfter;
    for (const RecentFileItem& item : recentFileItems) recentAfter.push_back(item.caption + "=" + item.path);
    EXPECT_EQ(recentAfter, recentNames);
    EXPECT_NE(editModeFlags & kEditFileOpen, 0);
    EXPECT_TRUE(fakes.clock.enabled(platform::TimerId::Timer2));
}

TEST_F(LinkSetupCommandsTest, TheGeneratorShowsTheSeedThenTheCheckCodeOfItsWordsForTheMemorySize) {
    struct Case {
        std::int32_t memSizeCode;
        std::uint16_t seed;
        const char* seedText;
    };
    const sources::Words words = sources::programOf(sources::exampleAt(kGatewayExample));
    for (const Case& c : {Case{2, 63536, "F830"}, Case{8, 0xE0C0, "E0C0"}}) {
        ASSERT_TRUE(initPmwImageForTypeAndSize(1, c.memSizeCode));
        const auto earlier = static_cast<std::ptrdiff_t>(fakes.statusBar.history(0).size());
        ASSERT_TRUE(writeGatewayProgramImage(1));
        std::uint16_t check = c.seed;
        for (std::uint16_t word : words) check = static_cast<std::uint16_t>(check + word + 1);
        EXPECT_EQ(pmw.sumCheck(), check);
        char checkText[8];
        std::snprintf(checkText, sizeof checkText, "%04X", check);
        const std::vector<std::string> shown = fakes.statusBar.history(0);
        EXPECT_EQ(std::vector<std::string>(shown.begin() + earlier, shown.end()),
                  (std::vector<std::string>{c.seedText, checkText}));
    }
    // A type no PLC has: refused, the image as it was.
    const PmwImage before = pmw;
    EXPECT_FALSE(writeGatewayProgramImage(3));
    EXPECT_TRUE(pmw == before);
}

TEST_F(LinkSetupCommandsTest, AModifiedProgramIsAskedAboutAndTheTypeIsThePlcsOrTheProgramsOwn) {
    New1Click();  // type 5 from the dialog; a new program counts as modified
    fakes.messages.shown.clear();
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    ccGate1Click();
    EXPECT_EQ(boxes(), Boxes{"Do you want to save current file before close ? | File Close | question"});
    EXPECT_EQ(pmw.program[0], kEndCode);

    struct Case {
        std::uint16_t connected, programType, generatedType;
    };
    for (const Case& c : {Case{2, 5, 2}, Case{kNoPlcDetected, 1, 1}, Case{kNoPlcDetected, 7, 7}}) {
        fakes.messages.shown.clear();
        fakes.messages.scriptAnswers({MsgAnswer::No});
        connectedPlcType = c.connected;
        pmw.setPlcType(c.programType);
        ccGate1Click();
        EXPECT_EQ(pmw.plcType(), c.generatedType);
        EXPECT_EQ(pmw.program[1], 0x0028);
    }
    // A type no PLC has: its box, and the program stays as it was.
    const PmwImage before = pmw;
    connectedPlcType = 3;
    fakes.messages.shown.clear();
    ccGate1Click();
    EXPECT_EQ(boxes(), Boxes{"Error2015110101 | Parameter Error | error"});
    EXPECT_TRUE(pmw == before);
}

TEST_F(LinkSetupCommandsTest, TheProgramDialogMakesANewProgramFirstAndClosesThePortAfterClose) {
    struct Case {
        std::int32_t typeAnswer;  // 0: the type dialog is cancelled
        bool close;
        bool generated;
        const char* panel;
    };
    for (const Case& c : {Case{0, false, false, "Cancel setting ccGateModule data ..."},
                          Case{1, true, true, "Finish setup ccGateModule ..."}}) {
        Close1Click();
        pmw.program[0] = kEndCode;
        modelDialogs.plcTypeAnswer = [&c](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{static_cast<std::uint8_t>(c.typeAnswer), size, type};
        };
        wizardsDialogs.ccGateModbusScript = [&c](CcGateModbusDialog& d) {
            d.ProgGenerteClick();
            c.close ? d.btnCloseClick() : d.btnCancelClick();
        };
        linkSetupItemClick("Template1");
        EXPECT_EQ(pmw.program[0] == 0x2F01, c.generated);
        EXPECT_EQ(appState.programPanelsVisible, c.generated);
        EXPECT_EQ(fakes.statusBar.panelText(0), c.panel);
        EXPECT_EQ(comPortHandle, -1);
    }
    EXPECT_EQ(wizardsDialogs.shown.back(), "Setup ccGate Program");

    // A port the dialog finds open: Close gives it up, any other way out leaves it open.
    for (const bool close : {false, true}) {
        ASSERT_EQ(_OpenComPort(sysProtocol), 1);
        wizardsDialogs.ccGateModbusScript = [close](CcGateModbusDialog& d) {
            close ? d.btnCloseClick() : d.btnCancelClick();
        };
        Template1Click();
        EXPECT_EQ(comPortHandle == -1, close);
    }
    closeComPort();
}

TEST_F(LinkSetupCommandsTest, TheBfmListsTakeTheLadderPlaceEmptiedFirst) {
    New1Click();
    const auto row = [](std::size_t i) {
        const ParameterRow& r = appState.parameterRows.at(i);
        return r.caption + "|" + r.subItems.at(0) + "|" + r.subItems.back();
    };
    InstructionView1Click();
    for (int twice = 0; twice < 2; ++twice) linkSetupItemClick("Link485BFM1");
    EXPECT_FALSE(appState.instructionViewVisible);  // the list shows alone
    ASSERT_EQ(appState.parameterRows.size(), 100u);
    EXPECT_EQ(appState.parameterRows[0],
              (ParameterRow{"D0", {"BFM#0", " ", " ", " ", "*Communication format"}}));
    EXPECT_EQ(appState.parameterRows[99], (ParameterRow{"...", {"#"}}));
    EXPECT_EQ(row(31), "D31|BFM#31|*Reserved ");
    EXPECT_EQ(row(32), "D32|BFM#32|*Read slave01 address ");
    EXPECT_EQ(row(95), "D95|BFM#95|*Write slave32 address ");
    EXPECT_EQ(row(98), "D98|BFM#98|*Reserved ");
    EXPECT_TRUE(appState.parameterViewVisible);
    EXPECT_EQ(appState.toolBarViewMode + appState.fncKeyViewMode, 0);
    EXPECT_FALSE(menuItem("LadderView1").checked);

    // In Traditional Chinese every entry but the reserved ones has its own text.
    const std::vector<std::string> english = rs485BfmDescriptions(false);
    const std::vector<std::string> chinese = rs485BfmDescriptions(true);
    ASSERT_EQ(chinese.size(), 100u);
    for (std::size_t i = 0; i < 100; ++i)
        EXPECT_EQ(english[i] == chinese[i], english[i].find("Reserved") != std::string::npos) << i;
    selectLanguageFlags(1);
    Link485BFM1Click();
    EXPECT_EQ(appState.parameterRows[0].subItems.back(), chinese[0]);

    RegisterView1Click();
    linkSetupItemClick("ccGateBFM1");
    EXPECT_FALSE(appState.registerViewVisible);
    ASSERT_EQ(appState.parameterRows.size(), 129u);
    EXPECT_EQ(fakes.statusBar.panelText(13), "129");
    const std::pair<std::size_t, const char*> gateway[] = {
        {0, "D0L|BFM#00h|*Send data write enable information"},
        {3, "D1H|BFM#03h|*Baudrate switch / number of occupied stations information"},
        {7, "D3H|BFM#07h|*...Reserved... "},
        {10, "D5L|BFM#0Ah|*M->R RY00~RY07 station1"},
        {11, "D5H|BFM#0Bh|*M->R RY08~RY0F "},
        {14, "D7L|BFM#0Eh|*M->R RY20~RY27 station2"},
        {25, "D12H|BFM#19h|*M->R RY78~RY7F "},
        {26, "D13L|BFM#1Ah|*M->R RWw00L station1"},
        {27, "D13H|BFM#1Bh|*M->R RWw00H "},
        {34, "D17L|BFM#22h|*M->R RWw04L station2"},
        {57, "D28H|BFM#39h|*M->R RWw15H "},
        {63, "D31H|BFM#3Fh|*...Reserved..."},
        {64, "D32L|BFM#40h|*Send data write complieted"},
        {73, "D36H|BFM#49h|*R->M ST2 "},
        {86, "D43L|BFM#56h|*R->M RX60~RX67 station4"},
        {89, "D44H|BFM#59h|*R->M RX78~RX7F "},
        {114, "D57L|BFM#72h|*R->M RWr12L station4"},
        {121, "D60H|BFM#79h|*R->M RWr15H "},
        {122, "D61L|BFM#7Ah|*Setting HOLD/CLR information"},
        {127, "D63H|BFM#7Fh|*...Reserved... "}};
    for (const auto& [i, text] : gateway) EXPECT_EQ(row(i), text);
    EXPECT_EQ(appState.parameterRows[128], (ParameterRow{"...", {"#"}}));

    LadderView1Click();  // another view puts the list away
    EXPECT_FALSE(appState.parameterViewVisible);
}

TEST_F(LinkSetupCommandsTest, TheOtherItemsOpenTheirWindows) {
    screenWidth = 1280, screenHeight = 1024;
    for (const char* item : {"Link485Image1", "ccGateImage1", "AutoLink2"}) linkSetupItemClick(item);
    EXPECT_EQ(wizardsDialogs.shown,
              (std::vector<std::string>{"RS-485 link module: connection 1 1024x819",
                                        "CC-Link gateway module: connection 0 1024x819", "AutoLink"}));
    // The menu's rows reach their commands, and every link-setup item has one.
    for (const MenuRow& row : mainMenuRows())
        if (std::string(row.objectName) == "Link485Image1") row.command();
    EXPECT_EQ(wizardsDialogs.shown.size(), 4u);
    EXPECT_FALSE(linkSetupItemClick("NoSuchItem"));
    // The gateway setup connects first: with no PLC on the line its waits end on the link's clock.
    fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    for (const TemplateEntry& entry : templateEntries())
        if (entry.kind == TemplateKind::LinkSetup) {
            EXPECT_TRUE(linkSetupItemClick(entry.target.objectName)) << entry.target.objectName;
        }
}

}  // namespace
}  // namespace kestrion::test
