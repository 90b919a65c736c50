#include "link/transfer/TransferCommands.h"

#include "app/FakeAppDialogs.h"
#include "app/FileTitle.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "link/LinkFixture.h"
#include "link/plc/Keywords.h"
#include "link/plc/RemoteControl.h"
#include "link/transfer/RegisterView.h"
#include "link/transfer/TransferSessions.h"
#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/image/StepCount.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/MonitorMode.h"
#include "reader/InstructionList.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using plcsim::Fault;
using plcsim::Space;

const std::vector<std::uint16_t> kRung{0x2400, 0xC500, kEndCode};  // LD X0, OUT Y0, END

const char* const kReadQuestion = "Do you want to read program? | Read Program | question";
const char* const kWriteQuestion = "Do you want to write program? | Write Program | question";
const char* const kRunQuestion = "OK to perform remote Run? | Msg2018081060 | question";
const char* const kIncomplete = "The PLC stays in STOP: its program may be incomplete | Download | warning";

class TransferCommandsTest : public LinkTest {
protected:
    TransferCommandsTest() {
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        usePlc(1);
    }
    void usePlc(int type) {
        sim.plc.setPlcType(type);
        initPmwImageByType(type);
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        pmw.setMemSizeCode(type == 2 ? 64 : 2);
    }
    void plcProgram(const std::vector<std::uint16_t>& words) {
        for (std::size_t i = 0; i < words.size(); ++i)
            sim.plc.setWord(kPlcProgram + 2 * static_cast<std::uint32_t>(i), words[i], Space::Program);
    }
    void projectProgram(const std::vector<std::uint16_t>& words) {
        pmw.program.fill(kEmptyWord);
        std::copy(words.begin(), words.end(), pmw.program.begin());
        convStepNo = static_cast<std::uint32_t>(words.size() - 1);
    }
    // A program read from the PLC and then saved, so that the next read closes nothing.
    void readSavedProgram(const std::vector<std::uint16_t>& words) {
        plcProgram(words);
        ProgReadClick();
        fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);
        editModeFlags &= static_cast<std::uint8_t>(~kEditModifiedSinceSave);
        restart();
    }
    void restart() {
        sim.plc.frames.clear();
        sim.plc.writes.clear();
        fakes.messages.shown.clear();
    }
    void failFrame(std::size_t n, Fault fault) {
        sim.plc.faultFrame = n;
        sim.plc.frameFault = fault;
    }
    static std::vector<std::uint16_t> ladderCodes() {
        std::vector<std::uint16_t> codes;
        for (const stLadderBlock* object = ldrHead; object != nullptr; object = object->next)
            codes.push_back(object->iCode);
        return codes;
    }
    std::size_t writtenProgramBytes() const {
        std::size_t bytes = 0;
        for (const auto& write : sim.plc.writes)
            if (write.address >= kPlcProgram) bytes += write.bytes.size();
        return bytes;
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    static constexpr std::uint32_t kPlcProgram = 0x805C;
    SimulatedPlc sim{fakes, 1};
    FakeAppDialogs appDialogs;
    InstalledDialogs<AppDialogs> installed_{appDialogs};
    // A program read is closed and shown by the main window's own steps.
    MainWindowSteps mainWindow;
    InstalledDialogs<WindowSteps> mainWindowInstalled_{mainWindow};
};

TEST_F(TransferCommandsTest, AProgramReadBecomesANewUnnamedLadder) {
    plcProgram(kRung);
    ModeData.monitorDeviceCount = 3;
    ProgReadClick();
    EXPECT_EQ(boxes(), (Boxes{kReadQuestion, "Completed... | Program read | information"}));
    EXPECT_EQ(std::vector<std::uint16_t>(pmw.program.begin(), pmw.program.begin() + 4),
              (std::vector<std::uint16_t>{0x2400, 0xC500, kEndCode, kEmptyWord}));
    EXPECT_EQ(convStepNo, 2u);
    EXPECT_EQ(ladderCodes().size(), 3u);
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 2));
    EXPECT_EQ(ModeData.monitorDeviceCount, 0u);
    EXPECT_NE(fileStateFlags & kFileNoName, 0);
    EXPECT_NE(editModeFlags & kEditModifiedSinceSave, 0);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Ladder");
    // the system block, the parameter block in two frames, the END search, one program frame
    EXPECT_EQ(sim.plc.frames.size(), 8u);
    EXPECT_EQ(sim.plc.frames.back(), "0805C06");
    EXPECT_EQ(comPortHandle, -1);
    refreshInstructionList();  // the instruction view lists what was read
    ASSERT_EQ(instructionLineCount(), 3u);
    EXPECT_EQ(instructionLine(1).mnemonic + " " + instructionLine(1).operands, "OUT Y000");
}

TEST_F(TransferCommandsTest, AProgramReadKeepsTheOpenProgramsCommentsAndTitle) {
    // The PLC holds no comments and no title: those of the saved program stay with the one read.
    setProgramTitle(pmw, "Conveyor line 2");
    addDeviceComment();
    setText(deviceCommentList.newest->deviceText, "X000");
    setText(deviceCommentList.newest->text, "Start button");
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);
    editModeFlags &= static_cast<std::uint8_t>(~kEditModifiedSinceSave);
    plcProgram({0x2401, 0xC501, kEndCode});
    ProgReadClick();
    ASSERT_EQ(boxes().back(), "Completed... | Program read | information");
    EXPECT_EQ(pmw.program[0], 0x2401);
    EXPECT_EQ(programTitle(pmw), "Conveyor line 2");
    ASSERT_NE(deviceCommentList.head, nullptr);
    EXPECT_EQ(textOf(deviceCommentList.head->text), "Start button");
}

// Read over a saved program, the program read shows as a new program of its own that is not saved
// yet: a new name, the ladder view drawing it, the recent-file items resting with their names as
// they were, the read items ready for the next read. The caption still names the program by the
// name it had, and its title and memos stay.
TEST_F(TransferCommandsTest, AProgramReadOverASavedOneShowsAsANewUnsavedProgram) {
    readSavedProgram(kRung);
    const std::string savedName = currentFileName();
    const std::string savedCaption = fakes.system.caption;
    appState.fileTitleMemo = "Conveyor line 2";
    std::vector<std::string> recentNames;
    for (const RecentFileItem& item : recentFileItems) recentNames.push_back(item.caption + "=" + item.path);
    for (const char* item : kRecentFileItemNames) menuItem(item).enabled = true;
    platform::timers().setEnabled(platform::TimerId::Timer2, false);
    appState.programPanelsVisible = false;

    plcProgram({0x2401, 0xC501, kEndCode});
    ProgReadClick();
    ASSERT_EQ(boxes().back(), "Completed... | Program read | information");
    EXPECT_NE(currentFileName(), savedName);
    EXPECT_EQ(currentFileName().substr(currentFileName().size() - 6), "02.PMW");
    EXPECT_EQ(fakes.system.caption, savedCaption);
    EXPECT_EQ(fileStateFlags & (kFileNoName | kFileLastChoiceWentThrough), kFileNoName);
    EXPECT_EQ(editModeFlags & (kEditModifiedSinceSave | kEditFileOpen),
              kEditModifiedSinceSave | kEditFileOpen);
    EXPECT_TRUE(appState.programPanelsVisible);
    EXPECT_TRUE(menuItem("LadderView1").checked);
    EXPECT_EQ(pmw.program[0], 0x2401);
    EXPECT_EQ(ladderCodes().size(), 3u);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Ladder");
    for (const char* item : kRecentFileItemNames) EXPECT_FALSE(menuItem(item).enabled) << item;
    std::vector<std::string> recentAfter;
    for (const RecentFileItem& item : recentFileItems) recentAfter.push_back(item.caption + "=" + item.path);
    EXPECT_EQ(recentAfter, recentNames);
    EXPECT_TRUE(menuItem("ProgRead").enabled && menuItem("RegRead").enabled);
    EXPECT_TRUE(fakes.clock.enabled(platform::TimerId::Timer2));
    EXPECT_EQ(appState.fileTitleMemo, "Conveyor line 2");
}

TEST_F(TransferCommandsTest, AReadThatDoesNotCompleteLeavesTheProgramAsItWas) {
    readSavedProgram(kRung);
    const PmwImage program = pmw;
    const std::vector<std::uint16_t> ladder = ladderCodes();
    const std::uint8_t fileFlags = fileStateFlags;
    const std::uint8_t editFlags = editModeFlags;
    ModeData.monitorDeviceCount = 3;
    plcProgram({0x2401, 0xC501, kEndCode});
    struct Case {
        std::size_t frame;  // of the read, counted from the system block
        Fault fault;
        std::string box;
    };
    const Case cases[] = {
        {8, Fault::Nak, "Error2015091388...Checksum Error | ReadProgram | warning"},
        {8, Fault::Silence, "Error2015091389...Time Out Error | ReadProgram | warning"},
        {5, Fault::Nak, "Error2015091392 | Communication Error | warning"},
    };
    for (const Case& c : cases) {
        restart();
        failFrame(c.frame, c.fault);
        ProgReadClick();
        EXPECT_EQ(boxes(), (Boxes{kReadQuestion, c.box})) << c.frame;
        EXPECT_TRUE(pmw == program) << c.frame;
        EXPECT_EQ(ladderCodes(), ladder);
        EXPECT_EQ(fileStateFlags, fileFlags);
        EXPECT_EQ(editModeFlags, editFlags);
        EXPECT_EQ(ModeData.monitorDeviceCount, 3u);
        EXPECT_EQ(comPortHandle, -1);
    }
    // A memory size the type cannot hold is named, and nothing is read.
    failFrame(0, Fault::None);
    for (std::uint16_t n : {5, 8}) {
        restart();
        sim.plc.setWord(0x8000, n, Space::Program);
        ProgReadClick();
        EXPECT_EQ(boxes()[1], "The controller's memory size N=" + std::to_string(n) +
                                  " does not fit PLC type 1; nothing was read | ReadProgram | warning");
        EXPECT_EQ(sim.plc.frames.size(), 6u);
        EXPECT_TRUE(pmw == program);
    }
    // Type 5 holds up to 16K steps, as its parameter dialog offers.
    usePlc(5);
    for (const std::uint16_t n : {32, 16}) {
        restart();
        sim.plc.setWord(0x8000, n, Space::Program);
        ProgReadClick();
        EXPECT_EQ(boxes().back(), n == 16 ? "Completed... | Program read | information"
                                          : "The controller's memory size N=32 does not fit PLC type 5; "
                                            "nothing was read | ReadProgram | warning");
    }
    EXPECT_EQ(pmw.memSizeCode(), 16);
}

TEST_F(TransferCommandsTest, TheEndStepDecidesHowMuchIsRead) {
    failFrame(7, Fault::Silence);                            // the END search
    plcProgram({0x2400, 0x4401, 0x4402, 0xC500, kEndCode});  // LD X0, AND X1, AND X2, OUT Y0, END
    ProgReadClick();                                         // type 1 reads up to END without it
    EXPECT_EQ(boxes().back(), "Completed... | Program read | information");
    EXPECT_EQ(convStepNo, 4u);
    EXPECT_EQ(sim.plc.frames.back(), "0805C40");

    restart();
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);
    editModeFlags &= static_cast<std::uint8_t>(~kEditModifiedSinceSave);
    usePlc(2);
    failFrame(6, Fault::Silence);  // type 2 reads its parameter block in one frame
    modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) { return PlcTypeFormResult{1, 64, 2}; };
    ProgReadClick();
    EXPECT_EQ(boxes().back(), "Program read...Can't read END step number | Error2018040210 | none");
    EXPECT_EQ(convStepNo, 4u);
}

TEST_F(TransferCommandsTest, ARangeWriteSendsTheStepsUpToEndAndTheMarkerAfterIt) {
    std::vector<std::uint16_t> words(100, 0x2400);
    words[99] = kEndCode;
    for (const bool marker : {false, true}) {
        restart();
        projectProgram(words);
        if (marker) pmw.program[100] = 0xB40F;
        linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
        ProgWriteClick();
        EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, "Completed | Program write | information", kRunQuestion}));
        EXPECT_EQ(rs.TxNo, marker ? 294u : 292u);
        EXPECT_EQ(writtenProgramBytes(), marker ? 202u : 200u);
        EXPECT_EQ(sim.plc.wordAt(kPlcProgram + 2 * 99, Space::Program), kEndCode);
        EXPECT_TRUE(sim.plc.running());
    }
    EXPECT_EQ(linkDialogs.progWriteShown.endStep, 99);
    EXPECT_EQ(linkDialogs.progWriteShown.caption, "Program write");

    restart();
    linkDialogs.progWriteRange = ProgWriteDialog::kAllRange;
    ProgWriteClick();
    EXPECT_EQ(writtenProgramBytes(), 4000u);
}

// END on the last word of a full program has no program word after it: what the file keeps past the
// program area is not a marker to count, and the range is the whole program, END last.
TEST_F(TransferCommandsTest, EndOnTheLastWordOfAFullProgramIsFollowedByNothing) {
    usePlc(2);
    std::vector<std::uint16_t> words(kProgramWordCount, 0x2400);
    words.back() = kEndCode;
    projectProgram(words);
    pmw.pmwTail[0] = 0x0F;  // the marker's bytes, low byte first, just past the program area
    pmw.pmwTail[1] = 0xB4;
    linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
    ProgWriteClick();
    EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, "Completed | Program write | information", kRunQuestion}));
    EXPECT_EQ(writtenProgramBytes(), 2 * kProgramWordCount);
    EXPECT_EQ(sim.plc.wordAt(kPlcProgram + 2 * (kProgramWordCount - 1), Space::Program), kEndCode);
    EXPECT_EQ(rs.sessionFlags & kSessionEndFollowedByB40F, 0);
}

// A q3 project of 16K (as New made it before) and a running q3 whose parameter block says 8K: the
// size is checked right after the PLC's parameter block is read, before the remote STOP.
TEST_F(TransferCommandsTest, ARangeThatDoesNotFitThePlcsMemoryIsRefusedBeforeTheStopAndAnyFrame) {
    usePlc(5);
    openAt(0);
    ASSERT_TRUE(remoteToRunMode(5));
    closeComPort();
    ASSERT_TRUE(sim.plc.running());
    std::vector<std::uint16_t> words(9001, 0x2400);  // END at step 9000
    words.back() = kEndCode;
    struct Case {
        std::int32_t range;
        std::int16_t n;  // the project's memory size code
        const char* box;
    };
    const Case refused[] = {
        {ProgWriteDialog::kAllRange, 16,
         "The range to write (16000 steps) does not fit the PLC's memory size (8000 steps): nothing was "
         "written, the PLC was not stopped | Program write | warning"},
        {ProgWriteDialog::kRangeSetting, 16,
         "The range to write (9001 steps) does not fit the PLC's memory size (8000 steps): nothing was "
         "written, the PLC was not stopped | Program write | warning"},
    };
    for (const Case& c : refused) {
        restart();
        projectProgram(words);
        pmw.setMemSizeCode(c.n);
        linkDialogs.progWriteRange = c.range;
        ProgWriteClick();
        EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, c.box}));
        // the system block, the parameter block in two frames: nothing after them
        EXPECT_EQ(sim.plc.frames.size(), 6u) << c.range;
        EXPECT_EQ(sim.plc.frames.back(), "0802E2E") << c.range;
        EXPECT_TRUE(sim.plc.writes.empty()) << c.range;
        EXPECT_TRUE(sim.plc.running()) << c.range;
        EXPECT_EQ(comPortHandle, -1);
    }
    // What fits goes: the whole 8K, and a range within it.
    words.resize(8000);
    words.back() = kEndCode;
    for (const std::int32_t range : {ProgWriteDialog::kAllRange, ProgWriteDialog::kRangeSetting}) {
        restart();
        projectProgram(words);
        pmw.setMemSizeCode(8);
        linkDialogs.progWriteRange = range;
        ProgWriteClick();
        EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, "Completed | Program write | information", kRunQuestion}));
        EXPECT_EQ(writtenProgramBytes(), 16000u) << range;
        EXPECT_EQ(sim.plc.wordAt(kPlcProgram + 2 * 7999, Space::Program), kEndCode);
    }
    // A parameter block whose size code is none of the sizes holds nothing.
    restart();
    sim.plc.setWord(0x8000, 3, Space::Program);
    words.resize(3);
    words.back() = kEndCode;
    projectProgram(words);
    linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
    ProgWriteClick();
    EXPECT_EQ(boxes().back(),
              "The range to write (3 steps) does not fit the PLC's memory size (0 steps): nothing was "
              "written, the PLC was not stopped | Program write | warning");
    EXPECT_TRUE(sim.plc.writes.empty());
}

TEST_F(TransferCommandsTest, AWriteStopsWhereItFailsAndNeverSaysCompletedOrOffersRun) {
    projectProgram(std::vector<std::uint16_t>(300, 0x2400));
    struct Case {
        std::size_t
            frame;  // 1-4 system block, 5-6 parameter read, 7-8 STOP, 9-10 parameter write, 11.. program
        Fault fault;
        Boxes boxes;
    };
    const Case cases[] = {
        {5, Fault::Nak, {"Error2015091392 | Communication Error | warning"}},
        {7, Fault::Silence, {"Error2015091387...Timeout Error | Download | warning"}},
        {9, Fault::Silence, {"Error2015091391...Timeout Error | Download | warning", kIncomplete}},
        {13, Fault::Nak, {"Error2015091386...Checksum Error | Download | warning", kIncomplete}},
        {13, Fault::Silence, {"Error2015091387...Timeout Error | Download | warning", kIncomplete}},
    };
    for (const Case& c : cases) {
        restart();
        failFrame(c.frame, c.fault);
        ProgWriteClick();
        Boxes expected{kWriteQuestion};
        expected.insert(expected.end(), c.boxes.begin(), c.boxes.end());
        EXPECT_EQ(boxes(), expected) << c.frame;
        const std::size_t sentAfterStop = c.frame == 7 ? 8 : c.frame;  // STOP sends both relays
        EXPECT_EQ(sim.plc.frames.size(), sentAfterStop) << c.frame;
        EXPECT_EQ(writtenProgramBytes(), c.frame == 13 ? 128u : 0u) << c.frame;
        EXPECT_FALSE(sim.plc.running());
        EXPECT_EQ(comPortHandle, -1);
    }
    // A PLC that holds a keyword asks for it before anything changes in the PLC.
    restart();
    failFrame(0, Fault::None);
    for (std::uint32_t i = 0; i < 8; ++i) sim.plc.setByte(0x8008 + i, '1', Space::Program);
    ProgWriteClick();
    EXPECT_EQ(linkDialogs.captions.back(), "Keyword");
    EXPECT_EQ(sim.plc.frames.size(), 6u);
}

TEST_F(TransferCommandsTest, AWriteThatChangesThePlcsKeywordAsksBeforeTheStopNoByDefault) {
    const std::string removes =
        "The PLC is protected with a keyword, and the program to write has none: the write removes the "
        "PLC's keyword and leaves the PLC unprotected. Write the program? | Write Program | question";
    const std::string replaces =
        "The program to write has a keyword other than the PLC's: the write replaces the PLC's keyword "
        "with the program's, and from then on the PLC asks for the program's keyword. Write the program? | "
        "Write Program | question";
    const std::string sets =
        "The PLC has no keyword, and the program to write has one: the write protects the PLC with the "
        "program's keyword. Write the program? | Write Program | question";
    struct Case {
        const char* inPlc;
        const char* inProgram;
        std::string question;  // empty: none
    };
    const Case cases[] = {
        {"1234ABCD", "        ", removes}, {"1234ABCD", "AAAAAAAA", replaces}, {"        ", "1234ABCD", sets},
        {"1234ABCD", "1234ABCD", ""},      {"        ", "        ", ""},
    };
    projectProgram(kRung);
    for (const bool yes : {false, true}) {
        for (const Case& c : cases) {
            restart();
            sim.plc.setPlcType(1);  // a fresh PLC, in RUN
            openAt(0);
            ASSERT_TRUE(remoteToRunMode(1));
            closeComPort();
            for (std::uint32_t i = 0; i < 8; ++i) {
                sim.plc.setByte(0x8008 + i, static_cast<std::uint8_t>(c.inPlc[i]), Space::Program);
                pmw.parameterBlock[8 + i] = static_cast<std::uint8_t>(c.inProgram[i]);
            }
            restart();
            linkDialogs.keywordEntries = {{c.inPlc, ""}};  // the PLC's keyword, asked when it has one
            if (yes) fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes});
            ProgWriteClick();
            const bool asked = !c.question.empty();
            const bool written = !asked || yes;
            Boxes expected{kWriteQuestion};
            if (asked) expected.push_back(c.question);
            if (written)
                expected.insert(expected.end(), {"Completed | Program write | information", kRunQuestion});
            EXPECT_EQ(boxes(), expected) << c.inPlc << "/" << c.inProgram << " " << yes;
            if (asked) {
                EXPECT_EQ(fakes.messages.shown[1].buttons, platform::MsgButtons::YesNoDefaultNo);
            }
            std::string keyword;
            for (std::uint32_t i = 0; i < 8; ++i)
                keyword += static_cast<char>(sim.plc.byteAt(0x8008 + i, Space::Program));
            EXPECT_EQ(keyword, written ? c.inProgram : c.inPlc)
                << c.inPlc << "/" << c.inProgram << " " << yes;
            // No: nothing after the parameter block read (frames 1-4 the system block, 5-6 the
            // block); the PLC still runs its program.
            if (!written) {
                EXPECT_EQ(sim.plc.frames.size(), 6u) << c.inPlc << "/" << c.inProgram;
                EXPECT_TRUE(sim.plc.writes.empty());
                EXPECT_TRUE(sim.plc.running());
            }
            EXPECT_EQ(comPortHandle, -1);
            EXPECT_EQ(rs.oldKeyword, Password{});  // the keyword typed is wiped
        }
    }
}

TEST_F(TransferCommandsTest, TheCommandsRefuseWhileAMonitorRunsOrTheLadderIsNotConverted) {
    const std::pair<void (*)(), std::string> monitorCases[] = {
        {ProgReadClick, "In monitor mode...Can'tDoProgRead | Msg2015032001 | none"},
        {ProgWriteClick, "In Device Monitor...Can'tDoProgramWrite... | Msg2015032002 | none"},
        {ProgVerifyClick, "Can'tDoProgramVerify... | Error2015032003 | warning"},
        {RegReadClick, "Error2015032004 | Can't do this action | warning"},
        {RegWriteClick, "Can'tDoRegisterWrite... | Error2015032005 | warning"},
        {RegVerifyClick, "Can'tDoRegisterVerify... | Error2015032006 | warning"},
    };
    monitorMode = kMonitorEntryDevices;
    for (const auto& [command, box] : monitorCases) {
        restart();
        command();
        EXPECT_EQ(boxes(), Boxes{box});
    }
    monitorMode = kMonitorOff;
    editModeFlags |= kEditLadderNotConverted;
    restart();
    spbtnUploadProgClick();
    spbtnDnloadProgClick();
    EXPECT_EQ(boxes(), (Boxes{"Msg2015032011 | *Need Convert Edit Program | none",
                              "Need Convert Edit Program | Msg2015032012 | none"}));
    EXPECT_TRUE(sim.plc.frames.empty());
}

TEST_F(TransferCommandsTest, VerifyNamesTheFirstDifferingStepOrRegister) {
    projectProgram(kRung);
    plcProgram(kRung);
    ProgVerifyClick();
    EXPECT_EQ(boxes(), Boxes{"Program match | Program Verify | information"});
    plcProgram({0x2400, 0xC501, kEndCode});
    ProgVerifyClick();
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    EXPECT_EQ(langDialogs.appMessages[0].caption, "Error2018052810 ");
    EXPECT_EQ(langDialogs.appMessages[0].line1, "ErrorStepNo= 1");
    EXPECT_EQ(langDialogs.appMessages[0].line2, "....................");

    restart();
    RegVerifyClick();
    EXPECT_EQ(boxes(), Boxes{"Dreg match | Register Verify | information"});
    setDmwRegister(100, 5);
    sim.plc.setWord(0x1000 + 200, 7);
    RegVerifyClick();
    EXPECT_EQ(fakes.statusBar.panelText(0), "Error count k=1");
    ASSERT_EQ(langDialogs.appMessages.size(), 2u);
    EXPECT_EQ(langDialogs.appMessages[1].caption, "Error2018052820...Dreg mismatch ");
    EXPECT_EQ(langDialogs.appMessages[1].line1, "PC D100= 5 ...Controller D100= 7");
    EXPECT_EQ(langDialogs.appMessages[1].line2, "Compare count=256 ...Error count=1");
}

TEST_F(TransferCommandsTest, RegistersAreWrittenAndReadIntoTheOpenRegisterView) {
    readSavedProgram(kRung);
    RegisterView1Click();
    for (std::uint32_t k = 0; k < 256; ++k) setDmwRegister(k, static_cast<std::uint16_t>(k + 1000));
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No});
    RegWriteClick();
    EXPECT_EQ(boxes(), (Boxes{"Do you want to write to controller? | Write Register | question",
                              "Do you want to stop system? | Write Register | question",
                              "Completed | Write Register | information",
                              "Do you want to RUN system? | Write Register | question"}));
    EXPECT_EQ(sim.plc.wordAt(0x1000 + 2 * 255), 1255);
    EXPECT_FALSE(sim.plc.running());

    restart();
    sim.plc.setWord(0x1000 + 2 * 12, 4321);
    sim.plc.setByte(0x8000 + 46, 0x11, Space::Program);  // the latch flags of the PLC's parameter block
    sim.plc.setWord(0x8002, 0x1234, Space::Program);     // the PLC's program check code
    const std::uint16_t checkCode = pmw.sumCheck();
    const std::uint32_t fills = registerView.regViewFills;
    RegReadClick();
    EXPECT_EQ(boxes(), (Boxes{"Do you want to read data from controller? | Read Register | question",
                              "Completed | Read Register | information"}));
    EXPECT_EQ(dmwRegister(12), 4321);
    EXPECT_EQ(pmw.parameterBlock[46], 0x11);
    EXPECT_EQ(pmw.sumCheck(), checkCode);
    EXPECT_NE(editModeFlags & kEditModifiedSinceSave, 0);
    EXPECT_EQ(regViewCellText(2, 3), "4321");
    EXPECT_EQ(registerView.regViewFills, fills + 1);  // the grid drops what was typed into it
}

TEST_F(TransferCommandsTest, ABlankCellShiftsNothingAndTheDialogHasRowsOfItsOwn) {
    usePlc(6);
    setDmwRegister(0, 9);
    RegisterView1Click();
    btnRegViewUpdateClick([](int row, int column) {
        if (row == 1 && column <= 2) return std::string(column == 1 ? " " : "77");
        return regViewCellText(row, column);
    });
    EXPECT_EQ(std::make_pair(dmwRegister(0), dmwRegister(1)),
              std::make_pair(std::uint16_t{9}, std::uint16_t{77}));

    DregView1Click();
    EXPECT_EQ(regViewRowCount(), 401);
    EXPECT_EQ(linkDialogs.registerViewShown.caption, "D register");
    const RegisterGrid& grid = linkDialogs.registerViewShown.grid;
    EXPECT_EQ(grid.rows, 27);
    EXPECT_EQ(grid.cell(0, 26) + " " + grid.cell(10, 0) + " " + grid.cell(2, 1), "D250 +9 77");
    for (const auto& [type, rows] : {std::pair{2, 801}, {5, 801}, {7, 801}, {4, 101}, {1, 27}}) {
        usePlc(type);
        DregView1Click();
        EXPECT_EQ(linkDialogs.registerViewShown.grid.rows, rows) << type;
    }
}

TEST_F(TransferCommandsTest, TheDeveloperAndHiddenItemsTalkAsLittleAsTheyShould) {
    plcProgram(kRung);
    ReadProgEndStepNo1Click();
    EXPECT_EQ(fakes.statusBar.panelText(0), "EndStepNo=2 EndStepAddress=0060");
    EXPECT_NE(comPortHandle, -1);  // left open for the next developer item
    sim.plc.frames.clear();
    WriteDregEnd2Click();  // 0x4E40 is no register of type 1
    EXPECT_EQ(sim.plc.frames, std::vector<std::string>{"14E4040" + std::string(128, '0')});
    EXPECT_EQ(boxes().back(), "Error2015091380 | Checksum Error | warning");

    const std::tuple<void (*)(), std::int32_t, int, platform::Parity> protocols[] = {
        {cLink1Click, 1, 7, platform::Parity::Even},
        {ModRtu1Click, 3, 8, platform::Parity::Even},
        {FreeUser1Click, 4, 8, platform::Parity::None},
        {PlcProtocol1Click, 0, 7, platform::Parity::Even}};
    for (const auto& [item, protocol, bits, parity] : protocols) {
        item();
        EXPECT_EQ(commProtocol, protocol);
        EXPECT_EQ(std::make_pair(fakes.serial.format.dataBits, fakes.serial.format.parity),
                  std::make_pair(bits, parity));
        EXPECT_TRUE(fakes.serial.isOpen());
    }
    closeComPort();
    restart();
    for (void (*item)() : {parameterRead1Click, ParameterWrite1Click, ParameterVerify1Click}) item();
    EXPECT_TRUE(sim.plc.frames.empty());  // the probes alone
    EXPECT_EQ(comPortHandle, -1);
}

TEST_F(TransferCommandsTest, ACommandStartedWhileATransferWaitsIsRefusedAndLeavesItsBuffersAlone) {
    projectProgram(std::vector<std::uint16_t>(300, 0x2400));
    sim.plc.replyDelayMs = 100;  // each frame answered 100 ms after it went: 63 program frames
    fakes.clock.at(5000, [] { ProgVerifyClick(); });  // among the program frames
    ProgWriteClick();
    EXPECT_EQ(boxes(), (Boxes{kWriteQuestion,
                              "The PLC link is busy with another request | Communication Message | warning",
                              "Completed | Program write | information", kRunQuestion}));
    EXPECT_EQ(writtenProgramBytes(), 4000u);
    EXPECT_EQ(sim.plc.wordAt(kPlcProgram + 2 * 1999, Space::Program), 0xFFFF);
    EXPECT_EQ(sim.plc.wordAt(kPlcProgram + 2 * 299, Space::Program), 0x2400);
}

TEST_F(TransferCommandsTest, AChangedProgramIsClosedFirstAndACancelLeavesTheCommandThere) {
    readSavedProgram(kRung);
    editModeFlags |= kEditModifiedSinceSave;
    const PmwImage program = pmw;
    const char* const closeQuestion =
        "Do you want to save current file before close ? | File Close | question";
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Cancel});
    ProgReadClick();
    EXPECT_EQ(boxes(), (Boxes{kReadQuestion, closeQuestion}));
    EXPECT_TRUE(pmw == program);
    EXPECT_EQ(ladderCodes().size(), 3u);
    EXPECT_NE(fileStateFlags & kFileLastChoiceWentThrough, 0);

    restart();
    modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
        return PlcTypeFormResult{0, size, type};
    };
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::No});
    ProgReadClick();  // closed unsaved, then the type dialog cancelled
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_EQ(fileStateFlags & (kFileLastChoiceWentThrough | kFileNoName), kFileLastChoiceWentThrough);
    EXPECT_EQ(editModeFlags & kEditModifiedSinceSave, 0);
    EXPECT_TRUE(sim.plc.frames.empty());

    ParameterListViewDblClick("M8000", "1", 4);
    EXPECT_EQ(fakes.statusBar.panelText(0), "M8000,1,4");
}

}  // namespace
}  // namespace kestrion::test
