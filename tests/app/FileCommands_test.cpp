#include "app/FileCommands.h"

#include "app/FakeAppDialogs.h"
#include "app/FileTitle.h"
#include "app/MainView.h"
#include "model/CommentLists.h"
#include "model/DrawGeometry.h"
#include "model/EditorState.h"
#include "model/LadderObject.h"
#include "model/MainState.h"
#include "model/ModeData.h"
#include "model/PmwFile.h"
#include "model/ProgramImage.h"
#include "model/RecentFiles.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using test::Boxes;

const std::string kUser = "/home/tester/Tovel/Kestrion/User/";

class FileCommandsTest : public test::CoreTest {
protected:
    FileCommandsTest() {
        mainFormStartUp();
        // The type dialog confirms the type it is shown.
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
    }
    Boxes boxes() const { return test::shownBoxes(fakes.messages); }
    void saveAs(const std::string& name) { dialogs.saveAnswers.push_back({true, name}); }
    void openAs(const std::string& name) { dialogs.openAnswers.push_back({true, name}); }
    // A program file of type 5 whose words begin with these.
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

TEST_F(FileCommandsTest, FirstStartShowsTheDefaultViewAndPortAndTheFontOfTheSettings) {
    EXPECT_EQ(fakes.statusBar.panelText(5), "COM1 Br9600");
    for (const char* item : {"FontN101", "X641", "Y641", "Np1001", "WriteMode1"})
        EXPECT_TRUE(menuItem(item).checked) << item;
    EXPECT_FALSE(menuItem("Save1").enabled);
    const std::pair<std::uint32_t, const char*> cases[] = {{8, "FontN81"}, {9, "FontN101"}, {14, "FontN141"}};
    for (const auto& [size, item] : cases) {
        selectFontItem(size);
        EXPECT_TRUE(menuItem(item).checked && !menuItem("FontN121").checked) << size;
        EXPECT_EQ(ModeData.fontSize, size == 9 ? 10u : size);
    }
}

TEST_F(FileCommandsTest, NewMakesTheEndOnlyProgramNamedNoname01ThenNoname02) {
    New1Click();
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
    EXPECT_TRUE(fakes.files.directories.count(kUser.substr(0, kUser.size() - 1)));
    EXPECT_EQ(fileFlags(), kFileNoName | kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & 0x0C, kEditModifiedSinceSave);
    ASSERT_NE(ldrHead, nullptr);
    EXPECT_EQ(ldrHead->next, nullptr);
    EXPECT_EQ(pmw.program[0], kEndCode);
    EXPECT_TRUE(fakes.clock.enabled(platform::TimerId::Timer2));
    EXPECT_EQ(fakes.system.caption, "Kestrion Version 2.1.1108 - " + kUser + "Noname01");
    EXPECT_EQ(fakes.statusBar.panelText(0), "iType=5");
    EXPECT_EQ(std::make_tuple(appState.toolBarViewMode, appState.fncKeyViewMode), std::make_tuple(1, 1));
    // The comment image of a new program: blanks at 11..69, the type 1 header words from 70.
    EXPECT_EQ(std::make_tuple(CowBuffer[10], CowBuffer[11], CowBuffer[69], byteimage::getU16(CowBuffer, 70),
                              byteimage::getU16(CowBuffer, 250), byteimage::getU16(CowBuffer, 254)),
              std::make_tuple(0, ' ', ' ', 10100, 12, 4));
    EXPECT_EQ(std::tie(ModeData.cowNameOffset, ModeData.cowCommentOffset, ModeData.cowBlockOffset,
                       ModeData.cowCoilOffset, ModeData.cowMonitorOffset),
              std::make_tuple(256, 258, 260, 262, 264));
    EXPECT_EQ(fakes.system.beeps, 1);

    // The new program counts as modified: the second New asks before closing it.
    fakes.messages.scriptAnswers({MsgAnswer::No});
    New1Click();
    EXPECT_EQ(boxes(), Boxes{"Do you want to save current file before close ? | File Close | question"});
    EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(currentFileName(), kUser + "Noname02.PMW");
}

TEST_F(FileCommandsTest, ASavedPumpGivesPu02InItsFolder) {
    New1Click();
    saveAs("/data/plc/Pump.PMW");
    Save1Click();  // no name yet: Save is a Save As
    EXPECT_EQ(currentFileName(), "/data/plc/Pump.PMW");
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    New1Click();  // saved and named: no question
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(currentFileName(), "/data/plc/Pu02.PMW");
}

TEST_F(FileCommandsTest, NewNameWorksOnTheStemOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a.b/Pump", "/a.b/Pu01.PMW"},  // no extension, a dot in the folder
        {"/a.b/P.PMW", "/a.b/01.PMW"},   // a stem shorter than the digits keeps the folder
        {"/x/Line 7 (old).PMW", "/x/Line 7 (ol01.PMW"},
    };
    for (const auto& [before, after] : cases) {
        newFileCounter = 0;
        fileStateFlags = 0;
        setFileNameArray(before);
        EXPECT_TRUE(prepareNewFileName());
        EXPECT_EQ(currentFileName(), after);
    }
    newFileCounter = 0x1A;
    setFileNameArray("/x/Name.PMW");
    EXPECT_TRUE(prepareNewFileName());
    EXPECT_EQ(currentFileName(), "/x/Na1B.PMW");

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

TEST_F(FileCommandsTest, CancelledTypeDialogLeavesTheOpenProgram) {
    putProgram("/p/Run.PMW", {0x2000, kEndCode});
    openAs("/p/Run.PMW");
    Open1Click();
    const PmwImage before = pmw;
    const stLadderBlock* ladder = ldrHead;
    modelDialogs.plcTypeAnswer = nullptr;  // Cancel
    New1Click();
    EXPECT_EQ(pmw, before);
    EXPECT_EQ(ldrHead, ladder);
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
}

TEST_F(FileCommandsTest, OpenReadsTheProgramAndShowsItsSteps) {
    putProgram("/p/Mixer.pmw", {0x2000, 0xC000, kEndCode}, "Mixer line");
    openAs("/p/Mixer.PMW");  // found beside its lower-case spelling
    Open1Click();
    ASSERT_EQ(dialogs.titleRequests.size(), 1u);
    EXPECT_EQ(dialogs.titleRequests[0].caption, "Open");
    EXPECT_EQ(dialogs.titleRequests[0].title, "Mixer line");
    EXPECT_EQ(currentFileName(), "/p/Mixer.PMW");
    EXPECT_EQ(pmwBackup.program[1], 0xC000);
    EXPECT_EQ(fakes.statusBar.panelText(2), "Program step [3/8000]");
    EXPECT_EQ(fakes.statusBar.panelText(0), "End of Open File...");
    EXPECT_EQ(fakes.statusBar.panelText(13), "");
    EXPECT_EQ(appState.fileTitleMemo, "Mixer line");
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & (kEditFileOpen | kEditModifiedSinceSave), kEditFileOpen);
    EXPECT_FALSE(menuItem("File11").enabled);
    EXPECT_EQ(ModeData.ySizeSymble, 56u);  // no device comments
    EXPECT_TRUE(boxes().empty());

    putProgram("/p/Empty.PMW", {});  // an empty program opens as END
    openAs("/p/Empty.PMW");
    Open1Click();
    EXPECT_EQ(pmw.program[0], kEndCode);
    EXPECT_EQ(fakes.statusBar.panelText(2), "Program step [1/8000]");
}

TEST_F(FileCommandsTest, AFailedOpenLeavesTheProgramItsNameAndLadder) {
    putProgram("/p/Good.PMW", {0x2000, kEndCode}, "Good");
    openAs("/p/Good.PMW");
    Open1Click();
    const PmwImage before = pmw;
    const stLadderBlock* ladder = ldrHead;
    std::vector<std::uint8_t> wrongType = fakes.files.content("/p/Good.PMW");
    wrongType[254] = 3;
    fakes.files.put("/p/Bad.PMW", wrongType);
    putProgram("/p/Other.PMW", {kEndCode}, "Other");

    struct Case {
        const char* name;
        const char* file;
        bool titleOk;
        Boxes expected;
    } cases[] = {
        {"missing", "/p/None.PMW", true, {"Open File Error | Error2018030211 | error"}},
        {"wrong type", "/p/Bad.PMW", true, {"File Version Error | Error2018062240 | error"}},
        {"title cancelled", "/p/Other.PMW", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.messages.shown.clear();
        openAs(c.file);
        if (!c.titleOk) dialogs.titleAnswers.push_back({});
        Open1Click();
        EXPECT_EQ(boxes(), c.expected);
        EXPECT_EQ(pmw, before);
        EXPECT_EQ(ldrHead, ladder);
        EXPECT_EQ(currentFileName(), "/p/Good.PMW");
        EXPECT_EQ(programTitle(pmw), "Good");
    }
}

TEST_F(FileCommandsTest, TheQuestionsAndMessagesOfTheFileCommands) {
    const std::string closeQuestion =
        "Do you want to save current file before close ? | File Close | question";
    struct Case {
        void (*command)();
        MsgAnswer answer;
        std::uint8_t edits;
        const char* saveName;  // what the save dialog gives
        const char* blocked;   // a file that cannot be written
        Boxes expected;
        MsgButtons buttons;
    } cases[] = {
        // clang-format off
        {Close1Click, MsgAnswer::Cancel, 0, "", "", {closeQuestion}, MsgButtons::YesNoCancel},
        {Exit1Click, MsgAnswer::Cancel, 0, "", "",
         {"Do you want to save current file before exit ? | Exit | question"}, MsgButtons::YesNoCancel},
        {SaveAs1Click, MsgAnswer::No, 0, "/p/Old.PMW", "",
         {"This file has existed, do you want to overwrite ? | Save File As | question"}, MsgButtons::YesNo},
        {Save1Click, MsgAnswer::Ok, kEditLadderNotConverted, "", "",
         {"Need Convert Edit Program | Convert Message | warning"}, MsgButtons::Ok},
        {SaveAs1Click, MsgAnswer::Ok, 0, "/ro/A.PMW", "/ro/A.PMW", {"Save File Error | PMW | error"}, MsgButtons::Ok},
        {SaveAs1Click, MsgAnswer::Ok, 0, "/rw/A.PMW", "/rw/A.DMW", {"Error2014122008 | *DMW | error"}, MsgButtons::Ok},
        {File21Click, MsgAnswer::No, 0, "", "",
         {"File21 Filename Too Long... | Open File | none", closeQuestion}, MsgButtons::Ok},
        // clang-format on
    };
    fakes.files.put("/p/Old.PMW", {1});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.front());
        test::resetAllState();
        mainFormStartUp();
        New1Click();
        recentFileItems[kFile21] = {std::string(80, 'r'), std::string(80, 'r'), true};
        fakes.messages.shown.clear();
        fakes.files.unwritable = {c.blocked};
        editModeFlags |= c.edits;
        if (*c.saveName != 0) saveAs(c.saveName);
        fakes.messages.scriptAnswers({c.answer});
        c.command();
        EXPECT_EQ(boxes(), c.expected);
        EXPECT_EQ(fakes.messages.shown.at(0).buttons, c.buttons);
    }
}

// Fails the first attempt to make a folder, as when another program makes it at the same moment.
class FlakyFolders : public test::FakeFiles {
public:
    bool makeDirectory(const std::string& path) override {
        return attempts++ > 0 && FakeFiles::makeDirectory(path);
    }
    int attempts = 0;
};

TEST_F(FileCommandsTest, TheUserFolderMadeAtTheSecondAttemptIsAnnounced) {
    FlakyFolders folders;
    platform::Services services{&fakes.messages, &fakes.statusBar, &fakes.trace,
                                &fakes.progress, &fakes.system,    &fakes.clock,
                                &fakes.clock,    &folders,         &fakes.serial};
    platform::install(services);
    New1Click();
    platform::Services original = services;
    original.files = &fakes.files;
    platform::install(original);
    EXPECT_EQ(boxes(), Boxes{"Create Directory " + kUser.substr(0, kUser.size() - 1) + " | File New | none"});
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
}

TEST_F(FileCommandsTest, FlagsOfTheCommands) {
    // Save clears the modified bit and the no-name bit.
    New1Click();
    saveAs("/p/F.PMW");
    SaveAs1Click();
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & 0x0C, 0);
    // Editing, then a completed Close after its question clears both edit bits and 0x20, 0x80.
    editModeFlags |=
        kEditModifiedSinceSave | kEditLadderNotConverted | kEditFileOpen | kEditOutputsToRightBus;
    fakes.messages.scriptAnswers({MsgAnswer::No});
    Close1Click();
    EXPECT_EQ(editModeFlags & 0xAC, 0);
    EXPECT_EQ(fileFlags(), kFileLastChoiceWentThrough);
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_FALSE(fakes.clock.enabled(platform::TimerId::Timer2));
    // A cancelled close question clears the go-ahead bit and keeps the rest.
    New1Click();
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    Close1Click();
    EXPECT_EQ(fileFlags(), kFileNoName);
    EXPECT_EQ(editModeFlags & kEditModifiedSinceSave, kEditModifiedSinceSave);
    // Yes with unconverted edits is refused like Cancel.
    editModeFlags |= kEditLadderNotConverted;
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    Close1Click();
    EXPECT_EQ(boxes().back(), "Need Convert Edit Program | Convert Message | warning");
    EXPECT_NE(ldrHead, nullptr);
}

TEST_F(FileCommandsTest, CloseYesSavesAndACancelledOrFailedSaveKeepsTheProgram) {
    New1Click();
    fakes.messages.scriptAnswers({MsgAnswer::Yes});  // Save As follows; its dialog is cancelled
    Close1Click();
    EXPECT_NE(ldrHead, nullptr);
    EXPECT_EQ(fileFlags(), kFileNoName);

    fakes.files.unwritable.insert("/ro/X.PMW");
    saveAs("/ro/X.PMW");
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    Close1Click();
    EXPECT_NE(ldrHead, nullptr);
    EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");

    saveAs("/p/Kept.PMW");
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    Close1Click();
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_FALSE(fakes.files.content("/p/Kept.PMW").empty());
    EXPECT_EQ(recentFileItems[kFile11].path, "/p/Kept.PMW");
}

TEST_F(FileCommandsTest, SaveIntoAnUnwritableFolderLosesNothing) {
    putProgram("/ro/Line.PMW", {0x2000, kEndCode});
    openAs("/ro/Line.PMW");
    Open1Click();
    const std::vector<std::uint8_t> before = fakes.files.content("/ro/Line.PMW");
    editModeFlags |= kEditModifiedSinceSave;
    pmw.program[0] = 0x2001;
    fakes.files.unwritable.insert("/ro/Line.PMW");
    Save1Click();
    EXPECT_EQ(boxes(), Boxes{"Save File Error | PMW | error"});
    EXPECT_EQ(fakes.statusBar.panelText(0), "/ro/Line.PMW");
    EXPECT_EQ(fakes.files.content("/ro/Line.PMW"), before);
    EXPECT_EQ(pmw.program[0], 0x2001);

    // A companion that cannot be written puts the program file back as it was.
    fakes.files.unwritable = {"/ro/Line.COW"};
    Save1Click();
    EXPECT_EQ(fakes.files.content("/ro/Line.PMW"), before);
    EXPECT_NE(editModeFlags & kEditModifiedSinceSave, 0);
}

TEST_F(FileCommandsTest, SaveAsTakesTheNameOnlyWhenTheFileIsWritten) {
    New1Click();
    fakes.files.put("/p/Taken.PMW", {1});
    // No to the overwrite question, then Cancel in the title dialog.
    for (const bool titleOk : {true, false}) {
        saveAs("/p/Taken.PMW");
        fakes.messages.scriptAnswers({titleOk ? MsgAnswer::No : MsgAnswer::Yes});
        if (!titleOk) dialogs.titleAnswers.push_back({});
        SaveAs1Click();
        EXPECT_EQ(currentFileName(), kUser + "Noname01.PMW");
        EXPECT_EQ(fakes.files.content("/p/Taken.PMW"), std::vector<std::uint8_t>{1});
        EXPECT_EQ(fileFlags() & kFileNoName, kFileNoName);
    }
    saveAs("/p/Taken.PMW");
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    dialogs.titleAnswers.push_back({true, std::string(60, 't')});
    SaveAs1Click();
    EXPECT_EQ(dialogs.titleRequests.back().caption, "Save as");
    EXPECT_EQ(currentFileName(), "/p/Taken.PMW");
    EXPECT_EQ(programTitle(pmw), std::string(53, 't'));
    EXPECT_EQ(fakes.files.content("/p/Taken.PMW").size(), pmwFileLength(pmw.memSizeCode()));

    saveAs("/p/" + std::string(93, 'n'));  // 96 characters do not fit
    SaveAs1Click();
    EXPECT_EQ(boxes().back(), "Filename Too Long... | Save File As | none");
    EXPECT_EQ(currentFileName(), "/p/Taken.PMW");
}

TEST_F(FileCommandsTest, NamesAreKeptWholeWithTheirCompanionsBeside) {
    New1Click();
    const std::string name = "/p/My (1) & Co.PMW";
    saveAs(name);
    SaveAs1Click();
    EXPECT_EQ(currentFileName(), name);
    for (const char* ext : {"PMW", "DMW", "COW", "EDM"})
        EXPECT_FALSE(fakes.files.content("/p/My (1) & Co." + std::string(ext)).empty()) << ext;
    EXPECT_EQ(recentFileItems[kFile11].path, name);

    // The recent files keep names up to the 95 characters of a slot, longer than the start-up name.
    const std::string longName = "/p/" + std::string(88, 'L') + ".PMW";
    ASSERT_EQ(longName.size(), 95u);
    saveAs(longName);
    SaveAs1Click();
    Close1Click();
    EXPECT_EQ(recentFileSlotText(kFile11), longName);
    EXPECT_EQ(recentFileSlotText(kFile21), name);
}

TEST_F(FileCommandsTest, RecentFileOpensItsPathAndAfterACloseQuestionAsks) {
    putProgram("/p/Recent.PMW", {kEndCode}, "R");
    recentFileItems[kFile31] = {"/p/Recent.PMW", "/p/Recent.PMW", true};
    editModeFlags = 0;
    fileStateFlags = kFileLastChoiceWentThrough;
    File31Click();
    EXPECT_TRUE(dialogs.openRequests.empty());
    EXPECT_EQ(currentFileName(), "/p/Recent.PMW");

    // A changed program: the question, then the dialog.
    editModeFlags |= kEditModifiedSinceSave;
    fakes.messages.scriptAnswers({MsgAnswer::No});
    File31Click();
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(fileFlags() & kFileNamePreset, 0);
}

TEST_F(FileCommandsTest, ExitEndsWithoutAQuestionOnlyWhenNothingIsUnsaved) {
    Exit1Click();
    EXPECT_TRUE(appState.exitRequested);
    EXPECT_TRUE(boxes().empty());
    const std::uint8_t modified = kEditModifiedSinceSave, unconverted = modified | kEditLadderNotConverted;
    // The last: Yes, and the Save As it leads to is cancelled.
    const std::tuple<std::uint8_t, MsgAnswer, bool> cases[] = {{modified, MsgAnswer::Cancel, false},
                                                               {modified, MsgAnswer::No, true},
                                                               {unconverted, MsgAnswer::Yes, false},
                                                               {modified, MsgAnswer::Yes, false}};
    for (const auto& [edits, answer, exits] : cases) {
        SCOPED_TRACE(static_cast<int>(answer));
        test::resetAllState();
        mainFormStartUp();
        New1Click();
        editModeFlags |= edits;
        fakes.messages.scriptAnswers({answer});
        Exit1Click();
        EXPECT_EQ(appState.exitRequested, exits);
        EXPECT_EQ(ldrHead == nullptr, exits);
    }
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);  // a named program is saved, then exits
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    Exit1Click();
    EXPECT_TRUE(appState.exitRequested);
    EXPECT_FALSE(fakes.files.content(kUser + "Noname01.PMW").empty());
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
    EXPECT_EQ(ModeData.viewFlags, kViewCoilComments);
    EXPECT_EQ(ModeData.ySizeSymble, 56u);
}

}  // namespace
}  // namespace kestrion
