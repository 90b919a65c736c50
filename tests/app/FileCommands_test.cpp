#include "app/FileCommands.h"

#include "app/FakeAppDialogs.h"
#include "app/FileTitle.h"
#include "app/MainView.h"
#include "devviews/ObjectListDump.h"
#include "link/plc/Keywords.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/PlcTypeDialog.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "plcsim/PlcSimulator.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using test::Boxes;

const std::string kUser = "/home/tester/Tovel/Kestrion/User/";
const std::string kCloseQuestion = "Do you want to save current file before close ? | File Close | question";

class FileCommandsTest : public test::CoreTest {
protected:
    FileCommandsTest() { startWithNew(false); }
    void startWithNew(bool makeNew) {
        test::resetAllState();
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
        if (makeNew) New1Click();
        fakes.messages.shown.clear();
    }
    Boxes boxes() const { return test::shownBoxes(fakes.messages); }
    void saveAs(const std::string& name) { dialogs.saveAnswers.push_back({true, name}); }
    void open(const std::string& name) {
        dialogs.openAnswers.push_back({true, name});
        Open1Click();
    }
    void putProgram(const std::string& path, std::initializer_list<std::uint16_t> words,
                    const char* title = "") {
        PmwImage image;
        image.pmwPre = pmwPreTemplate(5);
        image.parameterBlock = parameterTemplate(5);
        image.setPlcType(5);
        image.setMemSizeCode(8);
        image.program.fill(kEmptyWord);
        std::copy(words.begin(), words.end(), image.program.begin());
        setProgramTitle(image, title);
        fakes.files.put(path, pmwFileBytes(image));
    }
    std::uint8_t fileFlags() const { return fileStateFlags & 0x07; }
    test::FakeAppDialogs dialogs;

private:
    InstalledDialogs<AppDialogs> installed_{dialogs};
};

TEST_F(FileCommandsTest, NewMakesTheEndOnlyProgramNamedNoname01ThenNoname02) {
    New1Click();
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
    EXPECT_TRUE(fakes.files.directories.count(kUser.substr(0, kUser.size() - 1)));
    EXPECT_EQ(fileFlags(), kFileNoName | kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & 0x0C, kEditModifiedSinceSave);
    ASSERT_NE(ldrHead, nullptr);
    EXPECT_EQ(ldrHead->next, nullptr);
    EXPECT_EQ(pmw.program[0], kEndCode);
    EXPECT_EQ(fakes.system.caption, "Kestrion Version 2.1.1108 - " + kUser + "Noname01");
    EXPECT_EQ(fakes.statusBar.panelText(13), "pmw.un.ST.PRE.i[jPrePlcType]=5");
    fakes.messages.scriptAnswers({MsgAnswer::No});  // a new program counts as modified
    New1Click();
    EXPECT_EQ(boxes(), Boxes{kCloseQuestion});
    EXPECT_EQ(currentFileName(), kUser + "Noname02.PMW");
}

// The sizes a PLC type starts with agree: the start-up's q3 of 8K, the type dialog's size for each
// item (from that start), the simulated PLC of each type, and New, whose whole capacity fits the
// simulated PLC of its type ("All range" then fits), q3's being the start-up's 8K, not 16K.
TEST_F(FileCommandsTest, NewGivesEachTypeASizeThatFitsThatTypesPlcAndQ3TheStartUpsSize) {
    EXPECT_EQ(std::make_pair(int{pmw.plcType()}, int{pmw.memSizeCode()}), std::make_pair(5, 8));
    const auto plcSize = [](std::int32_t type) {
        const plcsim::PlcSimulator plc(type);
        return static_cast<std::int32_t>(plc.wordAt(plcsim::kParameterBlock, plcsim::Space::Program));
    };
    for (int item = 0; item < static_cast<int>(kPlcTypeItems.size()); ++item) {
        PlcTypeDialog dialog;
        dialog.plcType = pmw.plcType();
        dialog.memSizeCode = pmw.memSizeCode();
        dialog.FormShow();
        EXPECT_EQ(dialog.itemIndex, 4);  // q3
        dialog.FennuRadioGroupClick(item);
        EXPECT_EQ(dialog.memSizeCode, plcSize(dialog.plcType)) << kPlcTypeItems[item].label;
    }
    // type, the size New gives it
    const std::pair<int, int> news[] = {{1, 2}, {4, 8}, {6, 2}, {7, 8}, {5, 8}, {2, 32}};
    for (const auto& [type, n] : news) {
        modelDialogs.plcTypeAnswer = [type = type](std::int32_t, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        fakes.messages.scriptAnswers({MsgAnswer::No});  // the last new program is not saved
        New1Click();
        EXPECT_EQ(std::make_pair(int{pmw.plcType()}, int{pmw.memSizeCode()}), std::make_pair(type, n));
        EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, n)) << type;
        EXPECT_LE(n, plcSize(type)) << type;
    }
}

TEST_F(FileCommandsTest, ASavedPumpWithItsCompanionsGivesPu02InItsFolder) {
    New1Click();
    saveAs("/data/plc/Pump.PMW");
    Save1Click();  // no name yet: Save is a Save As
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    for (const char* ext : {"PMW", "DMW", "COW", "EDM"})
        EXPECT_FALSE(fakes.files.content("/data/plc/Pump." + std::string(ext)).empty()) << ext;
    New1Click();  // saved and named: no question
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(currentFileName(), "/data/plc/Pu02.PMW");
}

TEST_F(FileCommandsTest, NewNameWorksOnTheStemOnly) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {0, "/a.b/Pump", "/a.b/Pu01.PMW"},  // no extension, a dot in the folder
        {0, "/a.b/P.PMW", "/a.b/01.PMW"},   // a stem shorter than the digits keeps the folder
        {0, "/x/Line 7 (old).PMW", "/x/Line 7 (ol01.PMW"},
        {0x1A, "/x/Name.PMW", "/x/Na1B.PMW"},
        {0, "Pump.PMW", "Pu01.PMW"},  // no folder at all
    };
    for (const auto& [counter, before, after] : cases) {
        newFileCounter = counter;
        fileStateFlags = 0;
        setFileNameArray(before);
        EXPECT_TRUE(prepareNewFileName());
        EXPECT_EQ(currentFileName(), after);
    }
    setFileNameArray("/" + std::string(93, 'n'));  // with ".PMW" 98 characters
    EXPECT_FALSE(prepareNewFileName());
    EXPECT_EQ(currentFileName(), "/" + std::string(93, 'n'));
    EXPECT_EQ(boxes(), Boxes{"Filename Too Long... | File New | none"});
    EXPECT_TRUE(setCurrentFileName(std::string(95, 'n')));
    EXPECT_FALSE(setCurrentFileName(std::string(96, 'm')));
    fileStateFlags = kFileNoName;  // an untouched new program keeps its name
    setFileNameArray("/x/Name.PMW");
    EXPECT_TRUE(prepareNewFileName());
    EXPECT_EQ(currentFileName(), "/x/Name.PMW");
}

// A program a command has put into the image (a read from the PLC, the gateway generator) shows as
// a new, unnamed program: a name of its own, so that a Save does not put it over the file that was
// open; the menus and ladder of an open program, loaded from the image and shown from its first
// line; the recent-file items resting, their names as they were; Timer2 drawing. The caption and
// the memos are the command's.
TEST_F(FileCommandsTest, AProgramACommandBuiltShowsAsANewUnnamedProgram) {
    putProgram(kUser + "Pump.PMW", {kEndCode}, "Pump station");
    open(kUser + "Pump.PMW");
    Close1Click();  // as a program read may have closed it
    ASSERT_EQ(boxes(), Boxes{});
    ASSERT_FALSE(appState.programPanelsVisible);
    appState.fileTitleMemo = "Pump station";
    std::vector<std::string> recentNames;
    for (const RecentFileItem& item : recentFileItems) recentNames.push_back(item.caption + "=" + item.path);
    const std::string caption = fakes.system.caption;
    platform::timers().setEnabled(platform::TimerId::Timer2, false);
    pmw.program.fill(kEmptyWord);
    pmw.program[0] = 0x2400;  // LD X0, OUT Y0, END
    pmw.program[1] = 0xC500;
    pmw.program[2] = kEndCode;
    BlueFrame = {80, 128, 159, 191};
    yOldCursor = 128;
    editModeFlags &= static_cast<std::uint8_t>(~kEditFileOpen);
    redrawFlags = 0;

    ASSERT_TRUE(showCommandBuiltProgram("ProgRead", "Ladder"));
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(currentFileName(), kUser + "Pu01.PMW");
    EXPECT_EQ(fileFlags() & kFileNoName, kFileNoName);
    EXPECT_TRUE(appState.programPanelsVisible);
    EXPECT_TRUE(menuItem("Save1").enabled && menuItem("LadderToInstruction1").enabled);
    EXPECT_EQ(appState.toolBarViewMode + appState.fncKeyViewMode, 2);
    EXPECT_EQ(objectListDumpRows().size(), 3u);
    EXPECT_EQ(std::make_pair(BlueFrame.y1, yOldCursor), std::make_pair(0u, 0u));
    EXPECT_EQ(fakes.statusBar.panelText(0), "Ladder");
    for (const char* item : kRecentFileItemNames) EXPECT_FALSE(menuItem(item).enabled) << item;
    std::vector<std::string> recentAfter;
    for (const RecentFileItem& item : recentFileItems) recentAfter.push_back(item.caption + "=" + item.path);
    EXPECT_EQ(recentAfter, recentNames);
    EXPECT_NE(editModeFlags & kEditFileOpen, 0);
    EXPECT_NE(redrawFlags & kRedrawLadder, 0);
    EXPECT_TRUE(fakes.clock.enabled(platform::TimerId::Timer2));
    EXPECT_EQ(fakes.system.caption, caption);
    EXPECT_EQ(appState.fileTitleMemo, "Pump station");

    // A new name that would not fit: its box, and nothing is shown.
    Close1Click();
    ASSERT_FALSE(appState.programPanelsVisible);
    fakes.messages.shown.clear();
    fileStateFlags = 0;
    setFileNameArray("/" + std::string(93, 'n'));
    EXPECT_FALSE(showCommandBuiltProgram("Template", "F830"));
    EXPECT_EQ(boxes(), Boxes{"Filename Too Long... | File New | none"});
    EXPECT_FALSE(appState.programPanelsVisible);
    EXPECT_NE(fakes.statusBar.panelText(0), "F830");
}

TEST_F(FileCommandsTest, OpenReadsTheProgramAndShowsItsSteps) {
    putProgram("/p/Mixer.pmw", {0x2000, 0xC000, kEndCode}, "Mixer line");
    open("/p/Mixer.PMW");  // found beside its lower-case spelling
    ASSERT_EQ(dialogs.titleRequests.size(), 1u);
    EXPECT_EQ(dialogs.titleRequests[0].caption, "Open");
    EXPECT_EQ(dialogs.titleRequests[0].title, "Mixer line");
    EXPECT_EQ(currentFileName(), "/p/Mixer.PMW");
    EXPECT_EQ(pmwBackup.program[1], 0xC000);
    EXPECT_EQ(fakes.statusBar.panelText(2), "Program step [2/8000]");  // END is not counted
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & (kEditFileOpen | kEditModifiedSinceSave), kEditFileOpen);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(fakes.statusBar.panelText(0) + "|" + fakes.statusBar.panelText(13), "End of Open File...|");
    EXPECT_EQ(ModeData.ySizeSymble, 56u);  // no device comments: the lower cells
    putProgram("/p/Empty.PMW", {});        // an empty program opens as END
    open("/p/Empty.PMW");
    EXPECT_EQ(pmw.program[0], kEndCode);
    EXPECT_EQ(fakes.statusBar.panelText(2), "Program step [0/8000]");
}

TEST_F(FileCommandsTest, AFailedOpenOrACancelledNewLeavesTheProgramItsNameAndLadder) {
    putProgram("/p/Good.PMW", {0x2000, 0xC500, kEndCode}, "Good");
    open("/p/Good.PMW");
    const PmwImage before = pmw;
    const std::vector<std::string> ladder = objectListDetailRows();
    std::vector<std::uint8_t> wrongType = fakes.files.content("/p/Good.PMW");
    wrongType[254] = 3;
    fakes.files.put("/p/Bad.PMW", wrongType);
    putProgram("/p/Other.PMW", {kEndCode}, "Other");
    putProgram("/p/Join.PMW", {0x2400, 0xC500, 0xFFF8, 0xC501, kEndCode});  // ANB with no sub-block
    putProgram("/p/Short.PMW", {0x2000, kEndCode});
    std::vector<std::uint8_t> cut = fakes.files.content("/p/Short.PMW");
    cut.resize(10000);  // of 16416
    fakes.files.put("/p/Short.PMW", cut);
    const std::tuple<const char*, bool, Boxes> cases[] = {
        {"/p/Short.PMW",
         true,
         {"Open File Error\n/p/Short.PMW\nThe file holds 10000 bytes; its program needs 16348. | "
          "Error2018030211 | "
          "error"}},
        {"/p/Join.PMW", true, {"Error2015092809 | Instruction Code Error | information"}},
        {"/p/None.PMW", true, {"Open File Error | Error2018030211 | error"}},
        {"/p/Bad.PMW", true, {"File Version Error | Error2018062240 | error"}},
        {"/p/Other.PMW", false, {}},  // title dialog cancelled
        {"", true, {}},               // New with the type dialog cancelled
    };
    for (const auto& [file, titleOk, expected] : cases) {
        fakes.messages.shown.clear();
        xOldCursor = 240;
        if (!titleOk) dialogs.titleAnswers.push_back({});
        if (*file != 0)
            open(file);
        else {
            modelDialogs.plcTypeAnswer = nullptr;
            New1Click();
        }
        EXPECT_EQ(boxes(), expected);
        EXPECT_EQ(pmw, before);
        EXPECT_EQ(objectListDetailRows(), ladder);
        EXPECT_EQ(currentFileName(), "/p/Good.PMW");
        EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
        EXPECT_EQ(xOldCursor, 240u);
    }
}

// New starts the comment file's sections afresh and counts the ladder rows the edit panel shows.
TEST_F(FileCommandsTest, NewEmptiesTheCommentSectionsAndCountsTheVisibleRows) {
    ModeData.deviceNameCount = ModeData.deviceCommentCount = ModeData.blockCommentCount = 3;
    ModeData.coilCommentCount = ModeData.monitorDeviceCount = 2;
    ModeData.cowNameOffset = ModeData.cowCommentOffset = ModeData.cowBlockOffset = 300;
    ModeData.cowCoilOffset = ModeData.cowMonitorOffset = 400;
    appState.editPanelHeight = 650;
    ModeData.ySizeSymble = 64;
    New1Click();
    EXPECT_EQ((std::vector<std::uint32_t>{ModeData.deviceNameCount, ModeData.deviceCommentCount,
                                          ModeData.blockCommentCount, ModeData.coilCommentCount,
                                          ModeData.monitorDeviceCount}),
              (std::vector<std::uint32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ((std::vector<std::uint32_t>{ModeData.cowNameOffset, ModeData.cowCommentOffset,
                                          ModeData.cowBlockOffset, ModeData.cowCoilOffset,
                                          ModeData.cowMonitorOffset}),
              (std::vector<std::uint32_t>{256, 258, 260, 262, 264}));
    EXPECT_EQ(appState.visibleRowCount, 9u);  // 650 / 64 = 10 rows, less the one partly shown
}

// Cancel on the parameter box that follows the type box ends New as Cancel on the type box does:
// the program on screen, its type and capacity among the rest, stays as it was.
TEST_F(FileCommandsTest, CancelOnTheParameterBoxEndsNewWithNothingChanged) {
    putProgram("/p/Good.PMW", {0x2000, 0xC000, kEndCode}, "Good");
    open("/p/Good.PMW");
    const PmwImage before = pmw;
    const std::vector<std::string> ladder = objectListDetailRows();
    const std::uint8_t flags = fileStateFlags, edits = editModeFlags;
    // The type box says W3 (type 2, 64k); the parameter box is cancelled.
    modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) { return PlcTypeFormResult{1, 64, 2}; };
    linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnCancelClick(); };
    linkDialogs.captions.clear();
    New1Click();
    EXPECT_EQ(linkDialogs.captions, std::vector<std::string>{"Parameter settings"});
    EXPECT_EQ(pmw, before);
    EXPECT_EQ(pmw.plcType(), 5);
    EXPECT_EQ(objectListDetailRows(), ladder);
    EXPECT_EQ(currentFileName(), "/p/Good.PMW");
    EXPECT_EQ(std::make_pair(fileStateFlags, editModeFlags), std::make_pair(flags, edits));
    EXPECT_TRUE(boxes().empty());
    // With OK the same New makes the program of the chosen type.
    linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
    New1Click();
    EXPECT_EQ(std::make_pair(pmw.plcType(), pmw.program[0]), std::make_pair(std::uint16_t{2}, kEndCode));
    EXPECT_EQ(currentFileName(), "/p/Go01.PMW");
}

// A program shipped in the program's data folder opens as an unnamed program with its title:
// Save asks for a name in the User folder, and nothing writes into the data folder.
TEST_F(FileCommandsTest, AShippedTemplateOpensUnnamedAndSaveNeverWritesIntoTheDataFolder) {
    const std::string shipped = fakes.files.dataDir + "/Template/E/IO/1.PMW";
    putProgram(shipped, {0x2000, 0xC000, kEndCode}, "Start and stop");
    putProgram(kUser + "Own.PMW", {kEndCode}, "Own");
    const auto before = fakes.files.files;
    open(shipped);
    EXPECT_EQ(currentFileName(), kUser + "1.PMW");
    EXPECT_EQ(fakes.system.caption, "Kestrion Version 2.1.1108 - " + kUser + "1");
    EXPECT_EQ(fileFlags() & kFileNoName, kFileNoName);
    EXPECT_EQ(programTitle(pmw), "Start and stop");
    EXPECT_EQ(pmw.program[1], 0xC000);

    saveAs(fakes.files.dataDir + "/Template/E/IO/../IO/1.PMW");  // the data folder, by another path
    Save1Click();
    EXPECT_EQ(dialogs.saveRequests.back().initialName, kUser + "1.PMW");
    EXPECT_EQ(boxes(), Boxes{"The examples shipped with the program are not written over: save under "
                             "another name.\n" +
                             fakes.files.dataDir + "/Template/E/IO/../IO/1.PMW | PMW | error"});
    EXPECT_EQ(fakes.files.files, before);
    EXPECT_EQ(currentFileName(), kUser + "1.PMW");

    saveAs(kUser + "Pump.PMW");
    Save1Click();
    EXPECT_TRUE(fakes.files.exists(kUser + "Pump.PMW"));
    EXPECT_EQ(fakes.files.content(shipped), before.at(shipped));
    EXPECT_EQ(fileFlags() & kFileNoName, 0);
    // A program the user keeps under the installation folder opens under its own name.
    Close1Click();
    open(kUser + "Own.PMW");
    EXPECT_EQ(currentFileName(), kUser + "Own.PMW");
    EXPECT_EQ(fileFlags() & kFileNoName, 0);
}

// A new name in the data folder is refused as well, with a box that says so: nothing is written over
// there, and nothing is added either.
TEST_F(FileCommandsTest, ANewFileIsNotSavedIntoTheDataFolder) {
    const std::string shipped = fakes.files.dataDir + "/Template/E/IO/1.PMW";
    putProgram(shipped, {0x2000, 0xC000, kEndCode}, "Start and stop");
    open(shipped);
    const auto before = fakes.files.files;
    const std::string added = fakes.files.dataDir + "/Template/E/IO/Mine.PMW";
    saveAs(added);
    Save1Click();
    EXPECT_EQ(boxes(),
              Boxes{"Nothing is saved into the folder of the examples shipped with the program: save "
                    "in another folder.\n" +
                    added + " | PMW | error"});
    EXPECT_EQ(fakes.files.files, before);
    EXPECT_FALSE(fakes.files.exists(added));
    EXPECT_EQ(currentFileName(), kUser + "1.PMW");
}

// A changed program is closed, after its question, before the file is read: when the file then
// cannot be opened the editor is left without a program, not with the one discarded.
TEST_F(FileCommandsTest, AChangedProgramClosedForAnOpenThatFailsStaysClosed) {
    New1Click();  // a new program counts as changed
    fakes.messages.scriptAnswers({MsgAnswer::No});
    open("/p/Missing.PMW");
    EXPECT_EQ(boxes(), (Boxes{kCloseQuestion, "Open File Error | Error2018030211 | error"}));
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_FALSE(appState.programPanelsVisible);
    EXPECT_EQ(editModeFlags & kEditModifiedSinceSave, 0);
}

TEST_F(FileCommandsTest, TheQuestionsAndMessagesOfTheFileCommands) {
    using A = MsgAnswer;
    using B = MsgButtons;
    const std::string exitQuestion = "Do you want to save current file before exit ? | Exit | question";
    const std::string overwrite =
        "This file has existed, do you want to overwrite ? | Save File As | question";
    const std::tuple<void (*)(), A, std::uint8_t, const char*, const char*, Boxes, B> cases[] = {
        // clang-format off
        {Close1Click, A::Cancel, 0, "", "", {kCloseQuestion}, B::YesNoCancel},
        {Exit1Click, A::Cancel, 0, "", "", {exitQuestion}, B::YesNoCancel},
        {SaveAs1Click, A::No, 0, "/p/Old.PMW", "", {overwrite}, B::YesNo},
        {Save1Click, A::Ok, kEditLadderNotConverted, "", "", {"Need Convert Edit Program | Convert Message | warning"}, B::Ok},
        {SaveAs1Click, A::Ok, 0, "/ro/A.PMW", "/ro/A.PMW", {"Save File Error | PMW | error"}, B::Ok},
        {SaveAs1Click, A::Ok, 0, "/rw/A.PMW", "/rw/A.DMW", {"Error2014122008 | *DMW | error"}, B::Ok},
        {File21Click, A::No, 0, "", "", {"File21 Filename Too Long... | Open File | none", kCloseQuestion}, B::Ok},
        // clang-format on
    };
    fakes.files.put("/p/Old.PMW", {1});
    for (const auto& [command, answer, edits, saveName, blocked, expected, buttons] : cases) {
        startWithNew(true);
        recentFileItems[kFile21] = {std::string(80, 'r'), std::string(80, 'r'), true};
        fakes.files.unwritable = {blocked};
        editModeFlags |= edits;
        if (*saveName != 0) saveAs(saveName);
        fakes.messages.scriptAnswers({answer});
        command();
        EXPECT_EQ(boxes(), expected);
        EXPECT_EQ(fakes.messages.shown.at(0).buttons, buttons);
    }
}

TEST_F(FileCommandsTest, CloseClearsTheFlagsOnlyWhenItGoesThrough) {
    New1Click();
    editModeFlags |=
        kEditModifiedSinceSave | kEditLadderNotConverted | kEditFileOpen | kEditOutputsToRightBus;
    fakes.messages.scriptAnswers({MsgAnswer::No});
    Close1Click();
    EXPECT_EQ(editModeFlags & 0xAC, 0);
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_FALSE(fakes.clock.enabled(platform::TimerId::Timer2));
    New1Click();
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    Close1Click();
    EXPECT_EQ(fileFlags(), kFileNoName);
    EXPECT_EQ(editModeFlags & kEditModifiedSinceSave, kEditModifiedSinceSave);
    editModeFlags |= kEditLadderNotConverted;
    Close1Click();
    EXPECT_EQ(boxes().back(), "Need Convert Edit Program | Convert Message | warning");
    EXPECT_NE(ldrHead, nullptr);
}

TEST_F(FileCommandsTest, CloseYesSavesAndACancelledOrFailedSaveKeepsTheProgram) {
    New1Click();
    Close1Click();  // Yes: the Save As dialog is cancelled
    EXPECT_NE(ldrHead, nullptr);
    EXPECT_EQ(fileFlags(), kFileNoName);
    fakes.files.unwritable.insert("/ro/X.PMW");
    saveAs("/ro/X.PMW");
    Close1Click();
    EXPECT_NE(ldrHead, nullptr);
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
    saveAs("/p/Kept.PMW");
    Close1Click();
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_FALSE(fakes.files.content("/p/Kept.PMW").empty());
    EXPECT_EQ(recentFileItems[kFile11].path, "/p/Kept.PMW");
}

TEST_F(FileCommandsTest, SaveIntoAnUnwritableFolderLosesNothing) {
    putProgram("/ro/Line.PMW", {0x2000, 0xC500, kEndCode});
    open("/ro/Line.PMW");
    const std::vector<std::uint8_t> before = fakes.files.content("/ro/Line.PMW");
    editModeFlags |= kEditModifiedSinceSave;
    pmw.program[0] = 0x2001;
    fakes.files.unwritable.insert("/ro/Line.PMW");
    Save1Click();
    EXPECT_EQ(boxes(), Boxes{"Save File Error | PMW | error"});
    EXPECT_EQ(fakes.files.content("/ro/Line.PMW"), before);
    EXPECT_EQ(pmw.program[0], 0x2001);
    fakes.files.unwritable = {"/ro/Line.COW"};  // the program file is put back as it was
    Save1Click();
    EXPECT_EQ(fakes.files.content("/ro/Line.PMW"), before);
    EXPECT_NE(editModeFlags & kEditModifiedSinceSave, 0);
}

TEST_F(FileCommandsTest, ASaveTheCommentsRefuseWritesNoFileAndKeepsTheOldOnes) {
    fakes.files.put("/p/P.COW", {7});
    fakes.files.put("/p/P.DMW", {8});
    New1Click();
    setDmwRegister(0, 1234);
    for (std::uint16_t i = 0; i < 257; ++i) addDeviceName('D', i);  // one more than a reader takes
    saveAs("/p/P.PMW");
    SaveAs1Click();
    EXPECT_EQ(boxes(), Boxes{"DeviceNameNoTooMuch | Msg19050310 | information"});
    EXPECT_EQ(fakes.files.content("/p/P.COW"), std::vector<std::uint8_t>{7});
    EXPECT_EQ(fakes.files.content("/p/P.DMW"), std::vector<std::uint8_t>{8});
    EXPECT_FALSE(fakes.files.exists("/p/P.PMW") || fakes.files.exists("/p/P.EDM"));
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
}

TEST_F(FileCommandsTest, AProgramOpenedWithoutCommentFileSavesNoTextOfTheOneBefore) {
    putProgram("/p/A.PMW", {kEndCode});
    std::vector<std::uint8_t> cow(268, 0);  // five empty sections and a description
    std::copy_n("Pump line", 9, cow.begin() + 128);
    cow[250] = 10;
    fakes.files.put("/p/A.COW", cow);
    open("/p/A.PMW");
    EXPECT_EQ(appState.dcnMemo, "Pump line");
    putProgram("/p/B.PMW", {kEndCode});
    open("/p/B.PMW");
    EXPECT_EQ(appState.dcnMemo, "");
    pmw.setPlcType(6);  // its register file keeps D0 to D999
    setDmwRegister(1500, 1);
    Save1Click();
    const std::vector<std::uint8_t> saved = fakes.files.content("/p/B.COW");
    ASSERT_EQ(saved.size(), 268u);
    EXPECT_EQ(saved[128], 0);
    EXPECT_EQ(boxes(),
              Boxes{"The register file of this PLC type keeps D0 to D999 and D8000 to D8255 only. These "
                    "registers are not saved: D1500 | *DMW | warning"});
    EXPECT_EQ(fakes.files.content("/p/B.DMW").size(), 2768u);
}

TEST_F(FileCommandsTest, SaveAsTakesTheNameOnlyWhenTheFileIsWritten) {
    New1Click();
    fakes.files.put("/p/Taken.PMW", {1});
    for (const bool titleOk :
         {true, false}) {  // No to the overwrite question, then Cancel in the title dialog
        saveAs("/p/Taken.PMW");
        fakes.messages.scriptAnswers({titleOk ? MsgAnswer::No : MsgAnswer::Yes});
        if (!titleOk) dialogs.titleAnswers.push_back({});
        SaveAs1Click();
        EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
        EXPECT_EQ(fakes.files.content("/p/Taken.PMW"), std::vector<std::uint8_t>{1});
        EXPECT_EQ(fileFlags() & kFileNoName, kFileNoName);
    }
    saveAs("/p/Taken.PMW");
    dialogs.titleAnswers.push_back({true, std::string(60, 't')});
    SaveAs1Click();
    EXPECT_EQ(dialogs.titleRequests.back().caption, "Save as");
    EXPECT_EQ(currentFileName(), "/p/Taken.PMW");
    EXPECT_EQ(programTitle(pmw), std::string(53, 't'));
    EXPECT_EQ(fakes.files.content("/p/Taken.PMW").size(), pmwFileLength(pmw.memSizeCode()));
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & 0x0C, 0);
    saveAs("/p/" + std::string(93, 'n'));  // 96 characters do not fit
    SaveAs1Click();
    EXPECT_EQ(boxes().back(), "Filename Too Long... | Save File As | none");
    EXPECT_EQ(currentFileName(), "/p/Taken.PMW");
}

TEST_F(FileCommandsTest, RecentFileOpensItsPathAndAfterACloseQuestionAsks) {
    putProgram("/p/Recent.PMW", {kEndCode}, "R");
    recentFileItems[kFile31] = {"/p/Recent.PMW", "/p/Recent.PMW", true};
    fileStateFlags = kFileLastChoiceWentThrough;
    File31Click();
    EXPECT_TRUE(dialogs.openRequests.empty());
    EXPECT_EQ(currentFileName(), "/p/Recent.PMW");
    editModeFlags |= kEditModifiedSinceSave;  // a changed program: the question, then the dialog
    fakes.messages.scriptAnswers({MsgAnswer::No});
    File31Click();
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(fileFlags() & kFileNamePreset, 0);
}

TEST_F(FileCommandsTest, ExitEndsWithoutAQuestionOnlyWhenNothingIsUnsaved) {
    Exit1Click();
    EXPECT_TRUE(appState.exitRequested);
    EXPECT_TRUE(boxes().empty());
    const std::tuple<std::uint8_t, MsgAnswer, bool> cases[] = {
        {0, MsgAnswer::Cancel, false},
        {0, MsgAnswer::No, true},
        {kEditLadderNotConverted, MsgAnswer::Yes, false},
        {0, MsgAnswer::Yes, false}};
    for (const auto& [edits, answer, exits] : cases) {
        startWithNew(true);
        editModeFlags |= edits;
        fakes.messages.scriptAnswers({answer});
        Exit1Click();
        EXPECT_EQ(appState.exitRequested, exits);
        EXPECT_EQ(ldrHead == nullptr, exits);
    }
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);  // a named program is saved, then exits
    Exit1Click();
    EXPECT_TRUE(appState.exitRequested);
    EXPECT_FALSE(fakes.files.content(kUser + "Noname01.PMW").empty());
}

// Counts the commands that run: each takes one snapshot of every part.
int commandsRun = 0;
[[maybe_unused]] const bool commandCounter = transaction::registerPart("test: commands run", [] {
    ++commandsRun;
    return transaction::Restore([] {});
});

TEST_F(FileCommandsTest, TheViewItemsThatMoveObjectsAndClearAllObjectsAreCommands) {
    New1Click();
    for (void (*item)() : {X561Click, X601Click, X641Click, X681Click, Y561Click, Y601Click, Y641Click,
                           Y681Click, Y721Click, DeviceComment2Click, BlockComment2Click, CoilComment2Click,
                           ClearAllObject1Click, KeywordSetting1Click}) {
        const int before = commandsRun;
        item();
        EXPECT_EQ(commandsRun, before + 1);
    }
}

TEST_F(FileCommandsTest, FontAndZoomItemsSetTheirSize) {
    const std::tuple<void (*)(), std::uint32_t*, std::uint32_t> items[] = {
        {FontN81Click, &ModeData.fontSize, 8},   {FontN141Click, &ModeData.fontSize, 14},
        {FontN121Click, &ModeData.fontSize, 12}, {FontN101Click, &ModeData.fontSize, 10},
        {Np501Click, &zoomPercent, 50},          {Np751Click, &zoomPercent, 75},
        {Np1251Click, &zoomPercent, 125},        {Np1501Click, &zoomPercent, 150},
        {Np1001Click, &zoomPercent, 100}};
    for (const auto& [item, setting, value] : items) {
        item();
        EXPECT_EQ(*setting, value);
    }
    EXPECT_TRUE(menuItem("FontN101").checked && menuItem("Np1001").checked);
    EXPECT_FALSE(menuItem("FontN81").checked || menuItem("Np1501").checked);
}

TEST_F(FileCommandsTest, CellSizeItemsMoveTheObjectsToTheSameCells) {
    New1Click();
    ldrHead->xAddr = 3 * 80;
    ldrHead->yAddr = 2 * 64;
    ldrHead->Xend = 4 * 80;
    Y561Click();
    X601Click();
    EXPECT_EQ(std::make_tuple(ldrHead->xAddr, ldrHead->yAddr, ldrHead->Xend),
              std::make_tuple(180u, 112u, 240u));
    EXPECT_EQ(draw.iBusLineEnd, 60u * 14);
    EXPECT_TRUE(menuItem("Y561").checked && menuItem("X601").checked);
    EXPECT_FALSE(menuItem("Y641").checked || menuItem("X641").checked);
    DeviceComment2Click();  // on: the taller cell
    EXPECT_EQ(std::tie(ModeData.viewFlags, ModeData.ySizeSymble, ldrHead->yAddr),
              std::make_tuple(kViewDeviceComments, 64u, 128u));
    DeviceComment2Click();
    CoilComment2Click();
    EXPECT_EQ(std::tie(ModeData.viewFlags, ModeData.ySizeSymble), std::make_tuple(kViewCoilComments, 56u));
}

}  // namespace
}  // namespace kestrion
