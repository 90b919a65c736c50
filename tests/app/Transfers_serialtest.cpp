// The transfer commands over a pseudo-terminal against the plcsim program.
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "app/MainCore.h"
#include "compiler/ConversionCommands.h"
#include "link/line/CommRecord.h"
#include "link/transfer/TransferCommands.h"
#include "model/core/MainState.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/EditorState.h"
#include "support/PlcSimLine.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;

class TransfersLineTest : public SerialLineTest {
protected:
    TransfersLineTest() {
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
    }
    ~TransfersLineTest() override { unlink(log_.c_str()); }
    void project(int type, std::int16_t n, const std::vector<std::uint16_t>& words) {
        initPmwImageByType(type);
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        pmw.setMemSizeCode(n);
        std::copy(words.begin(), words.end(), pmw.program.begin());
        pmw.setSumCheck(programCheckCode(pmw.program, n));
        convStepNo = static_cast<std::uint32_t>(words.size() - 1);
        // As saved: a program read closes nothing first.
        fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);
        editModeFlags &= static_cast<std::uint8_t>(~kEditModifiedSinceSave);
    }
    std::vector<std::string> loggedWrites() const {
        std::ifstream file(log_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    Boxes boxesSinceLast() {
        Boxes boxes = shownBoxes(fakes.messages);
        fakes.messages.shown.clear();
        return boxes;
    }
    const std::string log_ = "/tmp/kestrion-plcsim-" + std::to_string(getpid()) + ".log";
    // A program read is closed and shown by the main window's own steps.
    MainWindowSteps mainWindow;
    InstalledDialogs<WindowSteps> mainWindowInstalled_{mainWindow};
};

TEST_F(TransfersLineTest, AProgramWrittenReadsBackIntoTheLadderMatchesAndConvertsToTheSameWords) {
    // LD X0, OUT Y0, LD X1, AND X2, OUT Y1, END
    const std::vector<std::uint16_t> words{0x2400, 0xC500, 0x2401, 0x4402, 0xC501, kEndCode};
    const std::tuple<int, std::int16_t, const char*> types[] = {
        {1, 2, "1 805C 12"}, {2, 64, "E11 805C 12"}, {5, 8, "E11 805C 12"}};
    for (const auto& [type, n, programWrite] : types) {
        PlcSimProcess plc({"--type", std::to_string(type), "--log", log_});
        attachTo(plc, 4);
        project(type, n, words);
        ProgWriteClick();
        EXPECT_EQ(boxesSinceLast(), (Boxes{"Do you want to write program? | Write Program | question",
                                           "Completed | Program write | information",
                                           "OK to perform remote Run? | Msg2018081060 | question"}))
            << type;
        EXPECT_EQ(loggedWrites().back(), programWrite) << type;

        pmw.program.fill(kEmptyWord);
        ProgReadClick();
        EXPECT_EQ(boxesSinceLast().back(), "Completed... | Program read | information") << type;
        EXPECT_EQ(convStepNo, 5u);
        ProgVerifyClick();
        EXPECT_EQ(boxesSinceLast(), Boxes{"Program match | Program Verify | information"}) << type;

        pmw.program.fill(kEmptyWord);
        LadderToInstruction1Click();
        EXPECT_EQ(std::vector<std::uint16_t>(pmw.program.begin(), pmw.program.begin() + 7),
                  (std::vector<std::uint16_t>{0x2400, 0xC500, 0x2401, 0x4402, 0xC501, kEndCode, kEmptyWord}))
            << type;
        unlink(log_.c_str());
        closeComPort();
    }
}

// A program that fills the whole capacity of the type, END at its last step, is written ("All
// range"), read back into the ladder and verified; each type on its own, so that the runs go side
// by side.
class CapacityLineTest : public TransfersLineTest,
                         public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(CapacityLineTest, AWholeCapacityProgramIsWrittenReadBackAndVerified) {
    const auto [type, n] = GetParam();
    const std::size_t steps = 1000 * static_cast<std::size_t>(n);
    // LD X0, AND X1, OUT Y0, then LD X0, OUT Y0 up to the END at the last step.
    std::vector<std::uint16_t> words{0x2400, 0x4401, 0xC500};
    while (words.size() + 1 < steps) words.insert(words.end(), {0x2400, 0xC500});
    words.push_back(kEndCode);
    ASSERT_EQ(words.size(), steps);
    PlcSimProcess plc({"--type", std::to_string(type)});
    attachTo(plc, 4);
    project(type, static_cast<std::int16_t>(n), words);
    linkDialogs.progWriteRange = ProgWriteDialog::kAllRange;
    ProgWriteClick();
    EXPECT_EQ(boxesSinceLast(), (Boxes{"Do you want to write program? | Write Program | question",
                                       "Completed | Program write | information",
                                       "OK to perform remote Run? | Msg2018081060 | question"}));

    pmw.program.fill(kEmptyWord);
    ProgReadClick();
    EXPECT_EQ(boxesSinceLast().back(), "Completed... | Program read | information");
    EXPECT_EQ(convStepNo, steps - 1);
    EXPECT_EQ(pmw.memSizeCode(), n);
    EXPECT_TRUE(std::equal(words.begin(), words.end(), pmw.program.begin()));
    ProgVerifyClick();
    EXPECT_EQ(boxesSinceLast(), Boxes{"Program match | Program Verify | information"});
}

INSTANTIATE_TEST_SUITE_P(Types, CapacityLineTest,
                         ::testing::Values(std::pair{1, 2}, std::pair{6, 2}, std::pair{4, 8}, std::pair{7, 8},
                                           std::pair{5, 8}, std::pair{2, 64}));

// Each type on its own, so that the runs go side by side: the register area of types 2 and 5 is
// 125 and 250 frames each way.
class RegistersLineTest : public TransfersLineTest, public ::testing::WithParamInterface<int> {};

TEST_P(RegistersLineTest, RegistersWrittenReadBackAndMatch) {
    const int type = GetParam();
    PlcSimProcess plc({"--type", std::to_string(type)});
    attachTo(plc, 4);
    project(type, 2, {kEndCode});
    const std::uint32_t last = type == 1 ? 255 : 7999;
    for (std::uint32_t k = 0; k <= last; ++k) setDmwRegister(k, static_cast<std::uint16_t>(500 + 7 * k));
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No});
    RegWriteClick();
    EXPECT_EQ(boxesSinceLast()[2], "Completed | Write Register | information");
    // The verify reads the PLC's registers back as the read does, into its own image.
    RegVerifyClick();
    EXPECT_EQ(boxesSinceLast(), Boxes{"Dreg match | Register Verify | information"});
    if (type != 1) return;
    for (std::uint32_t k = 0; k <= last; ++k) setDmwRegister(k, 0);
    RegReadClick();
    EXPECT_EQ(boxesSinceLast().back(), "Completed | Read Register | information");
    EXPECT_EQ(dmwRegister(last), 500 + 7 * last);
}

INSTANTIATE_TEST_SUITE_P(Types, RegistersLineTest, ::testing::Values(1, 2, 5));

TEST_F(TransfersLineTest, APlcSilentAtTheStopIsWrittenNothing) {
    // Frame 1 the change to 115200, 2-5 the special registers, 6-7 the parameter block, 8 the first
    // relay of STOP.
    PlcSimProcess plc({"--type", "1", "--fault-frame", "8:silence", "--log", log_});
    attachTo(plc, 4);
    rs.timeOut = 1000;
    project(1, 2, {0x2400, 0xC500, kEndCode});
    ProgWriteClick();
    EXPECT_EQ(boxesSinceLast().back(), "Error2015091387...Timeout Error | Download | warning");
    EXPECT_TRUE(loggedWrites().empty());
    EXPECT_EQ(comPortHandle, -1);
}

}  // namespace
}  // namespace kestrion::test
