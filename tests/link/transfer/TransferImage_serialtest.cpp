// What the program and register transfers write is the image of their start: the image changed
// while a transfer waits for a reply (another program opened, an edit converted, the parameters or
// the registers changed) reaches neither the frames nor the keyword question nor the verdict of a
// verify. And a register write cut off part-way says what the PLC holds.
#include <algorithm>

#include "app/MainCore.h"
#include "link/LinkFixture.h"
#include "link/transfer/TransferCommands.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using plcsim::Fault;
using plcsim::Space;

const char* const kWriteQuestion = "Do you want to write program? | Write Program | question";
const char* const kCompleted = "Completed | Program write | information";
const char* const kRunQuestion = "OK to perform remote Run? | Msg2018081060 | question";
const char* const kRegWriteQuestion = "Do you want to write to controller? | Write Register | question";
const char* const kStopQuestion = "Do you want to stop system? | Write Register | question";
const char* const kRegCompleted = "Completed | Write Register | information";
const char* const kRunSystemQuestion = "Do you want to RUN system? | Write Register | question";
constexpr std::uint32_t kPlcProgram = 0x805C;
constexpr std::uint32_t kPlcRegisters = 0x1000;  // D0 of type 1

// The simulated PLC, and a change of the project's image that runs in the wait for the reply to
// the frame numbered afterFrame (1 = the first frame the PLC takes), as a click would.
class ChangingPlc : public FakeSerialDevice {
public:
    explicit ChangingPlc(FakePlatform& fakes) : sim(fakes, 1), fakes_(fakes) { fakes_.serial.device = this; }
    ~ChangingPlc() override {
        if (fakes_.serial.device == this) fakes_.serial.device = nullptr;
    }
    ChangingPlc(const ChangingPlc&) = delete;
    ChangingPlc& operator=(const ChangingPlc&) = delete;

    void received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) override {
        sim.received(data, size, format);
        if (!change || sim.plc.frames.size() < afterFrame) return;
        fakes_.clock.at(fakes_.clock.tickCount() + 1, std::move(change));
        change = nullptr;
    }
    SimulatedPlc sim;
    std::size_t afterFrame = 0;
    std::function<void()> change;

private:
    FakePlatform& fakes_;
};

void putKeyword(PmwImage& image, const char* keyword) {
    for (std::size_t i = 0; i < kKeywordSize; ++i)
        image.parameterBlock[kParamKeywordOffset + i] = static_cast<std::uint8_t>(keyword[i]);
}

class TransferImageTest : public LinkTest {
protected:
    TransferImageTest() {
        mainFormStartUp();
        initPmwImageByType(1);
        pmw.setPlcType(1);
        pmw.setMemSizeCode(2);
        linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
    }
    // 300 steps (10 program frames of 64 bytes) up to END, the check code of them in the block.
    void startProgram() {
        initPmwImageByType(1);
        pmw.setPlcType(1);
        pmw.setMemSizeCode(2);
        for (std::size_t i = 0; i < 299; ++i) pmw.program[i] = static_cast<std::uint16_t>(0x2400 + i % 8);
        pmw.program[299] = kEndCode;
        pmw.setSumCheck(programCheckCode(pmw.program, 2));
        convStepNo = 299;
    }
    // What the PLC holds from 0x8000: the parameter block, then the steps up to END.
    std::vector<std::uint8_t> plcProgramBytes(std::size_t steps) const {
        std::vector<std::uint8_t> bytes;
        for (std::uint32_t a = 0x8000; a < kPlcProgram + 2 * steps; ++a)
            bytes.push_back(plc.sim.plc.byteAt(a, Space::Program));
        return bytes;
    }
    static std::vector<std::uint8_t> imageBytes(const PmwImage& image, std::size_t steps) {
        std::vector<std::uint8_t> bytes(image.parameterBlock.begin(), image.parameterBlock.end());
        for (std::size_t k = 0; k < 2 * steps; ++k) bytes.push_back(image.programByte(k));
        return bytes;
    }
    std::string plcKeyword() const {
        std::string keyword;
        for (std::uint32_t i = 0; i < kKeywordSize; ++i)
            keyword += static_cast<char>(plc.sim.plc.byteAt(0x8008 + i, Space::Program));
        return keyword;
    }
    std::vector<std::string> writeHeads() const {
        std::vector<std::string> heads;
        for (const auto& write : plc.sim.plc.writes) heads.push_back(write.head);
        return heads;
    }
    void restart() {
        plc.sim.plc.setPlcType(1);
        plc.sim.plc.frames.clear();
        plc.sim.plc.writes.clear();
        plc.sim.plc.faultFrame = 0;
        plc.change = nullptr;
        fakes.messages.shown.clear();
        langDialogs.appMessages.clear();
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    ChangingPlc plc{fakes};
    // A program opened or made by New is shown by the main window's own steps.
    MainWindowSteps mainWindow;
    InstalledDialogs<WindowSteps> mainWindowInstalled_{mainWindow};
};

// Another program, with a keyword, of the type of the start or of another.
void openAnotherProgram(std::uint16_t type) {
    PmwImage other = pmw;
    other.setPlcType(type);
    other.program.fill(kEmptyWord);
    const std::uint16_t words[] = {0x2401, 0xC501, 0x2402, 0x4403, 0xC502, kEndCode};
    std::copy(std::begin(words), std::end(words), other.program.begin());
    putKeyword(other, "1234ABCD");
    other.parameterBlock[kParamLatchFlagsOffset] = 0x5A;
    other.setSumCheck(programCheckCode(other.program, other.memSizeCode()));
    pmw = other;
    convStepNo = 5;
}

// An edit converted: step 3 and the steps from 150 on change, END moves to step 399.
void convertAnEdit() {
    pmw.program[3] = 0x4407;
    for (std::size_t i = 150; i < 399; ++i) pmw.program[i] = 0xC501;
    pmw.program[399] = kEndCode;
    pmw.setSumCheck(programCheckCode(pmw.program, 2));
    convStepNo = 399;
}

// The parameter settings changed: the latch ranges of the block's second half.
void changeParameters() {
    for (std::size_t i = 0; i < 2 * kParamLatchWordCount; ++i)
        pmw.parameterBlock[kParamLatchWordsOffset + i] = static_cast<std::uint8_t>(0x30 + i);
    pmw.parameterBlock[kParamLatchFlagsOffset] = 0x11;
}

TEST_F(TransferImageTest, AProgramWriteWritesTheProgramAndParameterBlockOfItsStartWhateverChangesMeanwhile) {
    struct Change {
        const char* name;
        void (*apply)();
    };
    const Change changes[] = {
        {"another program with a keyword opened", [] { openAnotherProgram(1); }},
        {"a program of another type with a keyword opened", [] { openAnotherProgram(5); }},
        {"an edit converted", convertAnEdit},
        {"the parameters changed", changeParameters},
    };
    // 1-4 the system block, 5-6 the PLC's parameter block, 7-8 the STOP, 9-10 the parameter block
    // written, 11-20 the program, 21 the closing frame.
    const std::size_t frames[] = {6, 7, 9, 10, 14};
    std::vector<std::string> expectedHeads(12, "1");
    for (const Change& change : changes) {
        for (const std::size_t frame : frames) {
            restart();
            startProgram();
            const PmwImage start = pmw;
            plc.afterFrame = frame;
            plc.change = change.apply;
            ProgWriteClick();
            EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, kCompleted, kRunQuestion}))
                << change.name << " " << frame;
            EXPECT_EQ(plcProgramBytes(300), imageBytes(start, 300)) << change.name << " " << frame;
            EXPECT_EQ(plc.sim.plc.wordAt(kPlcProgram + 2 * 300, Space::Program), kEmptyWord);
            EXPECT_EQ(plcKeyword(), "        ") << change.name << " " << frame;
            EXPECT_EQ(writeHeads(), expectedHeads) << change.name << " " << frame;
            const auto& sent = plc.sim.plc.frames;
            EXPECT_EQ(std::find(sent.begin(), sent.end(), "B") - sent.begin(), 20)
                << change.name << " " << frame;
            EXPECT_FALSE(plc.change) << "the change ran";
        }
    }
}

TEST_F(TransferImageTest, TheKeywordWrittenIsTheOneTheQuestionCovered) {
    // The start's program sets a keyword in a PLC that has none; the user says Yes. Another
    // program with another keyword opened during the STOP changes nothing of what goes.
    restart();
    startProgram();
    putKeyword(pmw, "CAFE0001");
    const PmwImage start = pmw;
    plc.afterFrame = 7;
    plc.change = [] { openAnotherProgram(1); };
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes});
    ProgWriteClick();
    EXPECT_EQ(boxes(),
              (Boxes{kWriteQuestion,
                     "The PLC has no keyword, and the program to write has one: the write protects "
                     "the PLC with the program's keyword. Write the program? | Write Program | question",
                     kCompleted, kRunQuestion}));
    EXPECT_EQ(plcKeyword(), "CAFE0001");
    EXPECT_EQ(plcProgramBytes(300), imageBytes(start, 300));

    // A program opened while the PLC's parameter block is read is not asked about: the write
    // that was started sets no keyword.
    restart();
    startProgram();
    plc.afterFrame = 5;
    plc.change = [] { openAnotherProgram(1); };
    ProgWriteClick();
    EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, kCompleted, kRunQuestion}));
    EXPECT_EQ(plcKeyword(), "        ");
}

TEST_F(TransferImageTest, APlcOfAnotherTypeIsRefusedByTheTypeOfTheProgramTheWriteBeganWith) {
    // The PLC is a type 5; the program to write is a type 1. A type-5 program opened while the
    // PLC's system block is read does not let the write through.
    const std::size_t changeAfter[] = {0, 2};
    for (const std::size_t frame : changeAfter) {
        restart();
        plc.sim.plc.setPlcType(5);
        startProgram();
        plc.afterFrame = frame;
        if (frame != 0) plc.change = [] { openAnotherProgram(5); };
        ProgWriteClick();
        EXPECT_EQ(boxes(), (Boxes{kWriteQuestion, "Type error, Can't write... | Error2018032110 | none"}))
            << frame;
        EXPECT_TRUE(plc.sim.plc.writes.empty()) << frame;
    }
}

TEST_F(TransferImageTest, AProgramVerifyComparesAgainstTheProgramOfItsStart) {
    // The PLC holds the start's program; what is opened or converted during the read does not
    // turn the verdict.
    struct Case {
        const char* name;
        void (*apply)();
        std::size_t
            frame;  // 1-4 the system block, 5 the END search, 6-7 the parameter block, 8.. the program
    };
    const Case cases[] = {
        {"another program opened", [] { openAnotherProgram(1); }, 1},
        {"an edit converted", convertAnEdit, 5},
        {"an edit converted", convertAnEdit, 9},
    };
    for (const Case& c : cases) {
        restart();
        startProgram();
        for (std::size_t i = 0; i <= 299; ++i)
            plc.sim.plc.setWord(kPlcProgram + 2 * static_cast<std::uint32_t>(i), pmw.program[i],
                                Space::Program);
        plc.afterFrame = c.frame;
        plc.change = c.apply;
        ProgVerifyClick();
        EXPECT_EQ(boxes(), Boxes{"Program match | Program Verify | information"}) << c.name << " " << c.frame;
        EXPECT_TRUE(langDialogs.appMessages.empty()) << c.name << " " << c.frame;
        EXPECT_FALSE(plc.change);
    }
}

TEST_F(TransferImageTest, ARegisterWriteWritesTheRegistersOfItsStart) {
    struct Case {
        const char* name;
        std::size_t frame;  // 1-2 the STOP, 3-6 the system block, 7-14 the registers
        void (*apply)();
    };
    const auto changeRegisters = [] {
        for (std::uint32_t k = 0; k < 256; ++k) setDmwRegister(k, static_cast<std::uint16_t>(9000 + k));
    };
    const auto openType4 = [] {
        pmw.setPlcType(4);
        for (std::uint32_t k = 0; k < 1000; ++k) setDmwRegister(k, 7);
    };
    const Case cases[] = {
        {"registers edited during the STOP", 1, changeRegisters},
        {"registers edited during the system block", 4, changeRegisters},
        {"registers edited between frames", 9, changeRegisters},
        {"a program of type 4 opened during the STOP", 2, openType4},
    };
    for (const Case& c : cases) {
        restart();
        pmw.setPlcType(1);
        for (std::uint32_t k = 0; k < 256; ++k) setDmwRegister(k, static_cast<std::uint16_t>(100 + 3 * k));
        plc.afterFrame = c.frame;
        plc.change = c.apply;
        fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No});
        RegWriteClick();
        EXPECT_EQ(boxes(), (Boxes{kRegWriteQuestion, kStopQuestion, kRegCompleted, kRunSystemQuestion}))
            << c.name;
        std::uint32_t differing = 0;
        for (std::uint32_t k = 0; k < 256; ++k)
            if (plc.sim.plc.wordAt(kPlcRegisters + 2 * k) != 100 + 3 * k) ++differing;
        EXPECT_EQ(differing, 0u) << c.name;
        EXPECT_EQ(writeHeads(), std::vector<std::string>(8, "1")) << c.name;
        EXPECT_FALSE(plc.change);
    }
}

TEST_F(TransferImageTest, ARegisterVerifyComparesAgainstTheRegistersOfItsStart) {
    for (std::uint32_t k = 0; k < 256; ++k) {
        setDmwRegister(k, static_cast<std::uint16_t>(40 + k));
        plc.sim.plc.setWord(kPlcRegisters + 2 * k, static_cast<std::uint16_t>(40 + k));
    }
    plc.afterFrame = 2;
    plc.change = [] { setDmwRegister(17, 1); };
    RegVerifyClick();
    EXPECT_EQ(boxes(), Boxes{"Dreg match | Register Verify | information"});
    EXPECT_FALSE(plc.change);
}

TEST_F(TransferImageTest, ARegisterWriteCutOffSaysThePlcStaysInStopWithItsRegistersPossiblyIncomplete) {
    const char* const incomplete =
        "The PLC stays in STOP: its registers may be incomplete | Download | warning";
    struct Case {
        std::size_t frame;  // 1-2 the STOP, 3-6 the system block, 7-14 the registers
        Fault fault;
        Boxes after;  // the boxes after the stop question
        std::size_t registerFrames;
    };
    const Case cases[] = {
        {7, Fault::Silence, {"Error2015091383...Timeout Error | Download | warning", incomplete}, 1},
        {10, Fault::Silence, {"Error2015091383...Timeout Error | Download | warning", incomplete}, 4},
        {14, Fault::Silence, {"Error2015091383...Timeout Error | Download | warning", incomplete}, 8},
        {11, Fault::Nak, {"Error2015091382...Checksum Error | Download | warning", incomplete}, 5},
        // Nothing was written: the PLC was not stopped, or no register frame went.
        {1, Fault::Silence, {"Error2015091383...Timeout Error | Download | warning"}, 0},
    };
    for (const Case& c : cases) {
        restart();
        for (std::uint32_t k = 0; k < 256; ++k) setDmwRegister(k, static_cast<std::uint16_t>(k));
        plc.sim.plc.faultFrame = c.frame;
        plc.sim.plc.frameFault = c.fault;
        fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes});
        RegWriteClick();
        Boxes expected{kRegWriteQuestion, kStopQuestion};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(boxes(), expected) << c.frame;
        std::size_t registerFrames = 0;
        for (const std::string& frame : plc.sim.plc.frames)
            if (frame.substr(0, 2) == "11") ++registerFrames;  // "1" then the address 1000..11C0
        EXPECT_EQ(registerFrames, c.registerFrames) << c.frame;
        EXPECT_EQ(fakes.messages.shown.back().icon, platform::MsgIcon::Warning);
        EXPECT_EQ(comPortHandle, -1);
    }
}

}  // namespace
}  // namespace kestrion::test
