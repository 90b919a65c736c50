// The simulated PLC behind the fake serial line, driven by the link's own frames and waits.
#include "link/LinkFixture.h"
#include "support/SimulatedPlc.h"

namespace kestrion::testing {
namespace {

using plcsim::Fault;

class SimulatedPlcTest : public LinkTest {
protected:
    SimulatedPlcTest() { openAt(0); }

    void probe() {
        sendEnqAlone();
        _waitRsReply(10);
    }
    // Reads count bytes at an address with command '0' and waits for the reply.
    LinkOutcome readBytes(const char* address, const char* count, const char* command = "30") {
        rsChHex = std::string("02") + command;
        appendAddress(address);
        appendByteCount(count);
        rsChHex += "03";
        AddSumCheckCode(rsChHex.size());
        sendFrameHex(rsChHex.size());
        return gblDELAY(rs.timeOut);
    }
    // The 16-bit word at a character position of the reply, low byte first.
    std::uint16_t replyWord(std::size_t position) const {
        const std::string text = reply();
        return static_cast<std::uint16_t>(hexPairToByte(text[position], text[position + 1]) |
                                          hexPairToByte(text[position + 2], text[position + 3]) << 8);
    }

    SimulatedPlc sim{fakes, 5};
};

TEST_F(SimulatedPlcTest, AnswersEnqWithAck) {
    probe();
    EXPECT_FALSE(bit(kRsWaiting));
    EXPECT_EQ(reply(), "\x06");
    EXPECT_LT(now(), 200u);
}

TEST_F(SimulatedPlcTest, ReadsTheSpecialRegistersOfItsType) {
    struct Case {
        int type;
        std::uint16_t d8001;
        std::uint16_t d8002;
        std::uint16_t d8101;
    };
    for (const Case& c : {Case{1, 20100, 2, 0}, Case{2, 24300, 16, 16100}, Case{4, 20100, 8, 0},
                          Case{5, 24100, 8, 0}, Case{6, 22100, 8, 0}, Case{7, 26100, 8, 0}}) {
        sim.plc.setPlcType(c.type);
        readBytes("0E00", "0040");
        ASSERT_FALSE(bit(kRsWaiting)) << c.type;
        EXPECT_FALSE(bit(kRsNak));
        EXPECT_EQ(reply().size(), 128u + 3u);
        EXPECT_EQ(replyWord(0), 200);
        EXPECT_EQ(replyWord(4), c.d8001) << c.type;
        EXPECT_EQ(replyWord(8), c.d8002) << c.type;
        readBytes("0EC8", "0004");  // D8100, D8101
        EXPECT_EQ(replyWord(4), c.d8101) << c.type;
    }
    EXPECT_EQ(sim.plc.frames.front(), "00E0040");
}

TEST_F(SimulatedPlcTest, WritesThenReadsBackDataRegistersAndTheKeyword) {
    rsChHex = "02" "31";  // '1' 0x4000 2 bytes 0x1234 low byte first
    appendAddress("4000");
    appendByteCount("0002");
    appendDataWord("00001234");
    rsChHex += "03";
    AddSumCheckCode(rsChHex.size());
    sendFrameHex(rsChHex.size());
    gblDELAY(rs.timeOut);
    EXPECT_EQ(reply(), "\x06");
    EXPECT_EQ(sim.plc.wordAt(0x4000), 0x1234);

    readBytes("4000", "0002", "453030");  // "E00"
    EXPECT_EQ(reply(), "3412\x03" "CD");
    readBytes("8008", "0008");
    EXPECT_EQ(reply().substr(0, 16), "2020202020202020");
    readBytes("805C", "0002");
    EXPECT_EQ(replyWord(0), 0x000F);
}

TEST_F(SimulatedPlcTest, AWrongCheckCodeInARequestIsAnsweredWithNak) {
    rsChHex = "024131033030";  // STX 'A' '1' ETX "00" (the right code is "75")
    sendFrameHex(rsChHex.size());
    gblDELAY(rs.timeOut);
    EXPECT_TRUE(bit(kRsNak));
    EXPECT_EQ(sim.plc.baudRate(), 9600u);
}

TEST_F(SimulatedPlcTest, TheRateFrameSwitchesItsRateAfterTheAck) {
    sendFrame("02413203");  // 'A' '2': 38400
    gblDELAY(rs.timeOut);
    EXPECT_EQ(reply(), "\x06");
    EXPECT_EQ(sim.plc.baudRate(), 38400u);
    probe();  // still at 9600 here: garbled for the PLC
    EXPECT_TRUE(bit(kRsWaiting));

    closeComPort();
    openAt(2);
    probe();
    EXPECT_FALSE(bit(kRsWaiting));
}

TEST_F(SimulatedPlcTest, InjectedFaults) {
    struct Case {
        Fault fault;
        bool waiting;
        bool nak;
    };
    for (const Case& c : {Case{Fault::Silence, true, false}, Case{Fault::Nak, false, true},
                          Case{Fault::WrongCheckCode, false, true}, Case{Fault::SplitReply, false, false},
                          Case{Fault::ShortReply, true, false}}) {
        sim.plc.fault = c.fault;
        readBytes("0E00", "0002");
        EXPECT_EQ(bit(kRsWaiting), c.waiting) << static_cast<int>(c.fault);
        EXPECT_EQ(bit(kRsNak), c.nak) << static_cast<int>(c.fault);
    }
}

TEST_F(SimulatedPlcTest, ASplitReplyIsComparedInTheTickAfterItsCheckCharacters) {
    sim.plc.fault = Fault::SplitReply;
    readBytes("0E00", "0002");
    EXPECT_EQ(rs.rxChunkCount, 2u);
    EXPECT_EQ(reply(), "C800\x03" "DE");
    EXPECT_EQ(now(), 360u);
}

TEST_F(SimulatedPlcTest, ADelayedReplyOutlastsAShortWait) {
    sim.plc.fault = Fault::Delay;
    sim.plc.faultDelayMs = 3000;
    sendEnqAlone();
    gblDELAY(1000);
    EXPECT_TRUE(bit(kRsWaiting));
    gblDELAY(5000);
    EXPECT_FALSE(bit(kRsWaiting));
}

TEST_F(SimulatedPlcTest, AD8004ReadNeverEndsHoldingALateD8000Block) {
    sim.plc.setWord(plcsim::kSpecialRegisterBase + 8, 0x1234);
    sim.plc.fault = Fault::Delay;
    struct Case {
        const char* name;
        std::uint32_t blockLate;   // after the read of D8000 was sent; it gives up after 1000 ms
        std::uint32_t answerLate;  // after the read of D8004 was sent
    };
    const Case cases[] = {
        {"block while the line is let go quiet", 1050, 5},
        {"block in the wait for D8004", 1500, 800},
        {"block after the line went quiet", 3000, 2500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.plc.faultDelayMs = c.blockLate;
        rs.timeOut = 1000;
        EXPECT_EQ(readBytes("0E00", "0040"), LinkOutcome::TimeOut);
        sim.plc.faultDelayMs = c.answerLate;
        rs.timeOut = 5000;
        EXPECT_EQ(readBytes("0E08", "0002"), LinkOutcome::Done);
        EXPECT_EQ(reply(), "3412\x03" "CD");
        pause(5000);
    }
}

TEST_F(SimulatedPlcTest, ReadsOutsideItsMemoryOrMalformedAreRefused) {
    readBytes("FFFF", "00FF");
    EXPECT_FALSE(bit(kRsNak));  // 0xFFFF + 255 lies inside the memory image
    sendFrame("02393903");  // unknown command "99"
    gblDELAY(rs.timeOut);
    EXPECT_TRUE(bit(kRsNak));
    sendFrame("023030453003");  // a read with its fields cut short
    gblDELAY(rs.timeOut);
    EXPECT_TRUE(bit(kRsNak));
}

}  // namespace
}  // namespace kestrion::testing
