#include "link/transfer/Transfers.h"

#include "link/LinkFixture.h"
#include "link/line/LinkError.h"
#include "link/plc/ParameterBlock.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using plcsim::Space;

class TransfersTest : public LinkTest {
protected:
    // Project and PLC of one type, the PLC detected, the port open at 9600.
    void use(int type, std::int16_t n) {
        sim.plc.setPlcType(type);
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        pmw.setMemSizeCode(n);
        connectedPlcType = static_cast<std::uint16_t>(type);
        openAt(0);
        sim.plc.frames.clear();
    }
    // Word i of the program: never END, so a read runs to its byte count.
    static std::uint16_t patternWord(std::size_t i) {
        return static_cast<std::uint16_t>(0x2400 + (i & 0xFF));
    }
    void fillProgram(std::size_t words) {
        for (std::size_t i = 0; i < words; ++i) pmw.program[i] = patternWord(i);
    }
    void sizeReadBuffer(std::uint32_t bytes) {
        rs.RxNo = bytes;
        rs.RxData.assign(bytes, 0);
    }
    std::uint16_t plcWord(std::size_t step) const {
        return sim.plc.wordAt(kProgramWordsAddress + 2 * static_cast<std::uint32_t>(step), Space::Program);
    }
    std::uint16_t readBackWord(std::size_t step) const {
        const std::size_t at = kParameterBlockSize + 2 * step;
        return static_cast<std::uint16_t>(VirtualProg[at] | VirtualProg[at + 1] << 8);
    }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(TransfersTest, Type2SendsAndReadsItsFullProgramInBanksThatNeverCrossA64KBoundary) {
    use(2, 64);
    fillProgram(kProgramWordCount);
    rs.TxNo = 128092;
    writeProgram(128000);
    const auto& writes = sim.plc.writes;
    ASSERT_EQ(writes.size(), 129u + 259u + 118u);
    EXPECT_EQ(writes[127].bytes.size(), 254u);
    EXPECT_EQ(writes[128].bytes.size(), 164u);  // up to 0xFFFF
    EXPECT_EQ(writes[128].address + 164, 0x10000u);
    EXPECT_EQ(sim.plc.frames[129].substr(0, 7), "E120000");
    EXPECT_EQ(sim.plc.frames[129 + 259].substr(0, 7), "E130000");  // 0x20000 on
    EXPECT_EQ(sim.plc.frames.back(), "B");
    EXPECT_EQ(plcWord(63999), patternWord(63999));
    EXPECT_EQ(fakes.statusBar.panelText(0), "Write Program StepNo=63999...100% [OK]");

    sim.plc.frames.clear();
    sizeReadBuffer(128092);
    readProgram(128000, false);
    EXPECT_EQ(sim.plc.frames[129].substr(0, 7), "E020000");
    EXPECT_EQ(sim.plc.frames.back().substr(0, 7), "E037416");
    EXPECT_EQ(readBackWord(32000), patternWord(32000));
    EXPECT_EQ(readBackWord(63999), patternWord(63999));
    EXPECT_EQ(fakes.progress.positions.back(), 100);
    EXPECT_FALSE(fakes.progress.visible);
}

TEST_F(TransfersTest, TheWholeCapacityOfEightThousandStepsGoesInTheFramesOfEachFamily) {
    struct Case {
        int type;
        const char* writeHead;
        const char* readHead;
        std::size_t frames;
        std::size_t lastSize;
    };
    const Case cases[] = {{5, "E11", "E01", 250, 64},
                          {7, "E11", "E01", 250, 64},
                          {4, "1", "0", 250, 64},
                          {2, "E11", "E01", 63, 252}};
    for (const Case& c : cases) {
        use(c.type, 8);
        fillProgram(8000);
        sim.plc.writes.clear();
        rs.TxNo = 16092;
        writeProgram(16000);
        const auto& writes = sim.plc.writes;
        ASSERT_EQ(writes.size(), c.frames) << c.type;
        EXPECT_EQ(writes.front().bytes.size(), c.type == 2 ? 254u : 64u);
        EXPECT_EQ(writes.back().bytes.size(), c.lastSize);
        EXPECT_EQ(writes.back().head, c.writeHead);
        EXPECT_EQ(plcWord(7999), patternWord(7999)) << c.type;

        sim.plc.frames.clear();
        sizeReadBuffer(16092);
        readProgram(16000, false);
        EXPECT_EQ(sim.plc.frames.size(), c.frames);
        EXPECT_EQ(sim.plc.frames.back().substr(0, std::string(c.readHead).size()), c.readHead);
        EXPECT_EQ(readBackWord(7999), patternWord(7999)) << c.type;
        closeComPort();
    }
}

TEST_F(TransfersTest, AReadEndsWithTheFrameHoldingEndKeepingTheWordAfterIt) {
    use(1, 2);
    for (std::size_t step = 0; step < 60; ++step)
        sim.plc.setWord(kProgramWordsAddress + 2 * step, 0x2400, Space::Program);
    sim.plc.setWord(kProgramWordsAddress + 2 * 40, kEndCode, Space::Program);
    sim.plc.setWord(kProgramWordsAddress + 2 * 41, 0xB40F, Space::Program);
    pmw.program.fill(0x1234);
    sizeReadBuffer(4092);
    readProgram(131072, true);             // no END step known: up to END or the buffer's end
    EXPECT_EQ(sim.plc.frames.size(), 2u);  // END lies in the second frame of 32 words
    EXPECT_EQ(pmw.program[40], kEndCode);
    EXPECT_EQ(pmw.program[41], 0xB40F);
    EXPECT_EQ(pmw.program[42], kEmptyWord);  // the rest of that frame is dropped
    EXPECT_EQ(pmw.program[63999], kEmptyWord);
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 2));
    EXPECT_EQ(fakes.statusBar.panelText(0), "Read Program StepNo=64...0% [OK]");

    // Without END the read ends with the buffer of 2000 × N steps.
    sim.plc.setWord(kProgramWordsAddress + 2 * 40, 0x2400, Space::Program);
    for (std::uint32_t step = 60; step < 2000; ++step)
        sim.plc.setWord(kProgramWordsAddress + 2 * step, 0x2400, Space::Program);
    sim.plc.frames.clear();
    readProgram(131072, true);
    EXPECT_EQ(sim.plc.frames.size(), 63u);
    EXPECT_EQ(sim.plc.frames.back(), "08FDC20");
    EXPECT_EQ(pmw.program[1999], 0x2400);
}

// Panel 0 follows a transfer: its start, each frame's share done, and the steps moved at the end.
TEST_F(TransfersTest, TheStatusBarFollowsAProgramReadAndWriteFrameByFrame) {
    use(1, 2);
    for (std::uint32_t step = 0; step < 200; ++step)
        sim.plc.setWord(kProgramWordsAddress + 2 * step, 0x2400, Space::Program);
    sizeReadBuffer(4092);
    fakes.statusBar.forgetHistory();
    readProgram(256, true);  // four frames of 64 bytes
    EXPECT_EQ(fakes.statusBar.history(0),
              (std::vector<std::string>{"Read Program [Start...]", "Read Program 25% ", "Read Program 50% ",
                                        "Read Program 75% ", "Read Program 100% ",
                                        "Read Program StepNo=128...100% [OK]"}));

    rs.TxNo = 4092;
    fillProgram(2000);
    fakes.statusBar.forgetHistory();
    writeProgram(256);
    EXPECT_EQ(fakes.statusBar.history(0),
              (std::vector<std::string>{"Write Program [Start...]", "Write Program 25%", "Write Program 50%",
                                        "Write Program 75%", "Write Program 100%",
                                        // the connection test before the closing frame
                                        "9600bps Communication Ready", "Communication Ok ...",
                                        "Write Program StepNo=127...100% [OK]"}));
}

TEST_F(TransfersTest, RegistersGoAndComeInTheFramesOfTheirTypes) {
    struct Case {
        int type;
        std::size_t frames;
        const char* lastRead;
    };
    // Type 4: 2000 bytes, 31 frames of 64 and one of 16; type 2 128 bytes a frame at 0x4000.
    const Case cases[] = {{4, 32, "017C010"}, {1, 8, "011C040"}, {2, 125, "E007E0080"}, {6, 125, "02F0040"}};
    for (const Case& c : cases) {
        use(c.type, 2);
        const std::uint32_t size = getRegisterAreaSize(c.type);
        for (std::uint32_t k = 0; k < size / 2; ++k) setDmwRegister(k, static_cast<std::uint16_t>(3 * k + 1));
        writeRegister();
        EXPECT_EQ(sim.plc.frames.size(), c.frames);
        EXPECT_EQ(fakes.progress.maximum, static_cast<int>(c.frames));
        EXPECT_EQ(
            sim.plc.wordAt(getRegisterBase(c.type) + size - 2, c.type == 2 ? Space::Extended : Space::Plain),
            3 * (size / 2 - 1) + 1);
        sim.plc.frames.clear();
        readRegister(false);
        EXPECT_EQ(sim.plc.frames.size(), c.frames);
        EXPECT_EQ(sim.plc.frames.back(), c.lastRead);
        EXPECT_EQ(VirtualDreg[size - 2], static_cast<std::uint8_t>(3 * (size / 2 - 1) + 1));
        EXPECT_EQ(rs.RxNo, size);
        EXPECT_EQ(compareRegisters().count, 0u);
        closeComPort();
    }
}

TEST_F(TransfersTest, AFailedThirdFrameShowsItsBoxSendsNothingMoreAndStoresNothing) {
    struct Case {
        const char* name;
        void (*run)();
        const char* timeOut;
        const char* nak;
        const char* caption;
    };
    const Case cases[] = {
        {"program read", [] { readProgram(4000, true); }, "Error2015091389...Time Out Error",
         "Error2015091388...Checksum Error", "ReadProgram"},
        {"program write", [] { writeProgram(4000); }, "Error2015091387...Timeout Error",
         "Error2015091386...Checksum Error", "Download"},
        {"register read", [] { readRegister(true); }, "Error2015091385...Timeout Error",
         "Error2015091384...Checksum Error", "Upload"},
        {"register write", [] { writeRegister(); }, "Error2015091383...Timeout Error",
         "Error2015091382...Checksum Error", "Download"},
    };
    for (const Case& c : cases) {
        const bool write = std::string(c.name).find("write") != std::string::npos;
        // A reply one byte short of what a read asked for fails the frame as no reply would.
        for (const plcsim::Fault fault :
             {plcsim::Fault::Silence, plcsim::Fault::Nak, plcsim::Fault::ShortData}) {
            if (write && fault == plcsim::Fault::ShortData) continue;
            use(1, 2);
            sim.plc.writes.clear();
            sizeReadBuffer(4092);
            rs.TxNo = 4092;
            fillProgram(2000);
            for (std::uint32_t step = 0; step < 2000; ++step)
                sim.plc.setWord(kProgramWordsAddress + 2 * step, 0x2400, Space::Program);
            for (std::uint32_t k = 0; k < 256; ++k) setDmwRegister(k, 7);
            const PmwImage program = pmw;
            const RegisterImage registers = DmwImage;
            sim.plc.faultFrame = 3;
            sim.plc.frameFault = fault;
            fakes.messages.shown.clear();
            EXPECT_THROW(c.run(), LinkError) << c.name;
            const bool nak = fault == plcsim::Fault::Nak;
            EXPECT_EQ(shownBoxes(fakes.messages),
                      Boxes{std::string(nak ? c.nak : c.timeOut) + " | " + c.caption + " | warning"})
                << c.name;
            EXPECT_EQ(sim.plc.frames.size(), 3u) << c.name;
            EXPECT_EQ(sim.plc.writes.size(), write ? 2u : 0u);
            EXPECT_TRUE(pmw == program && DmwImage == registers) << c.name;
            if (fault != plcsim::Fault::ShortData) {
                EXPECT_NE(rs.status & (nak ? kRsNak : kRsWaiting), 0) << c.name;
            }
            closeComPort();
        }
    }
}

TEST_F(TransfersTest, TheRegisterTailIsClearedInOneFrameWhereTheTypeHasIt) {
    use(2, 64);
    sim.plc.setWord(0x4000 + 2 * 7999, 0x5555, Space::Extended);
    writeRegisterBlock();
    EXPECT_EQ(sim.plc.frames, std::vector<std::string>{"E107E4040" + std::string(128, '0')});
    EXPECT_EQ(sim.plc.wordAt(0x4000 + 2 * 7999, Space::Extended), 0u);
    closeComPort();

    use(1, 2);  // 0x4E40 is no register of type 1: the PLC refuses it
    EXPECT_THROW(writeRegisterBlock(), LinkError);
    closeComPort();
    EXPECT_THROW(writeRegisterBlock(), LinkError);
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Error2015091380 | Checksum Error | warning",
                                                 "Com port not open... | Communication Message | warning"}));
}

}  // namespace
}  // namespace kestrion::test
