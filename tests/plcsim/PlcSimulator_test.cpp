// The simulated PLC behind the fake serial line, driven by the link's own frames and waits.
#include "link/LinkFixture.h"
#include "model/instructions/Conversions.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
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
    // Sends STX, the command's characters, ETX and the check code, and waits for the answer.
    LinkOutcome request(const std::string& command) {
        rsChHex = "02";
        for (char c : command) {
            rsChHex += hexDigit(static_cast<std::uint8_t>(c) >> 4);
            rsChHex += hexDigit(static_cast<std::uint8_t>(c) & 0x0F);
        }
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
    rsChHex =
        "02"
        "31";  // '1' 0x4000 2 bytes 0x1234 low byte first
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
    EXPECT_EQ(reply(),
              "3412\x03"
              "CD");
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

TEST_F(SimulatedPlcTest, ASplitReplyIsComparedAsSoonAsItsCheckCharactersArrive) {
    sim.plc.fault = Fault::SplitReply;
    readBytes("0E00", "0002");
    EXPECT_EQ(rs.rxChunkCount, 2u);
    EXPECT_EQ(reply(),
              "C800\x03"
              "DE");
    EXPECT_EQ(now(), 255u);  // the frame after 5 ms, its check characters 250 ms later
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
        EXPECT_EQ(reply(),
                  "3412\x03"
                  "CD");
        pause(5000);
    }
}

TEST_F(SimulatedPlcTest, MalformedOrUnknownRequestsAreRefused) {
    for (const char* command : {"99", "00E0", "E", "E9", "E20E0002", "A5", "10E0002123"}) {
        EXPECT_EQ(request(command), LinkOutcome::Nak) << command;
    }
}

TEST_F(SimulatedPlcTest, EachTypeHasItsOwnAreasAndNothingBetweenThem) {
    struct Case {
        int type;
        const char* command;
        bool answered;
    };
    const Case cases[] = {
        // Bit spaces below the special registers, which end at 0x1000.
        {1, "0000040", true},
        {1, "00DC040", true},
        {1, "00FFE02", true},
        {1, "00FFF02", false},
        // D registers: 512 bytes on type 1, 2000 on type 4, 8000 on type 6, 16000 at 0x4000 on 5 and 7.
        {1, "011FE02", true},
        {1, "011FF02", false},
        {4, "017CE02", true},
        {4, "017CF02", false},
        {6, "02F3E02", true},
        {6, "02F3F02", false},
        {1, "0400002", false},
        {5, "07E7E02", true},
        {5, "07E7F02", false},
        {7, "E007E7E02", true},
        {5, "011FE02", true},  // the timers' values, from 0x1000
        {5, "0120002", false},
        // The parameter block and program of 2000 or 16000 program bytes after it.
        {1, "0805C02", true},
        {1, "08FFA02", true},
        {1, "08FFB02", false},
        {5, "0BEDA02", true},
        {5, "0BEDB02", false},
        {5, "E01BEDA02", true},
        {5, "E01BEDB02", false},
        {2, "0FFFE02", true},
        {2, "0FFFF02", false},
    };
    for (const Case& c : cases) {
        sim.plc.setPlcType(c.type);
        EXPECT_EQ(request(c.command), c.answered ? LinkOutcome::Done : LinkOutcome::Nak)
            << "type " << c.type << " " << c.command;
    }
}

TEST_F(SimulatedPlcTest, OnlyTypes2And5And7KnowTheExtendedCommands) {
    struct Case {
        int type;
        bool known;
    };
    for (const Case c :
         {Case{1, false}, Case{4, false}, Case{6, false}, Case{2, true}, Case{5, true}, Case{7, true}}) {
        sim.plc.setPlcType(c.type);
        const LinkOutcome expected = c.known ? LinkOutcome::Done : LinkOutcome::Nak;
        EXPECT_EQ(request("E00400002"), expected) << c.type;
        EXPECT_EQ(request("E104000021234"), expected) << c.type;
        EXPECT_EQ(request("E01805C02"), expected) << c.type;
    }
    // Types 5 and 7 have one program bank.
    sim.plc.setPlcType(5);
    EXPECT_EQ(request("E02000002"), LinkOutcome::Nak);
    EXPECT_EQ(request("E12000002FFFF"), LinkOutcome::Nak);
}

TEST_F(SimulatedPlcTest, Type2KeepsD8000At8000hOfTheExtendedSpaceApartFromTheParameterBlock) {
    sim.plc.setPlcType(2);
    EXPECT_EQ(request("E00800004"), LinkOutcome::Done);
    EXPECT_EQ(reply().substr(0, 8), "C800EC5E");  // D8000 = 200, D8001 = 24300
    EXPECT_EQ(request("0800002"), LinkOutcome::Done);
    EXPECT_EQ(reply().substr(0, 4), "4000");                 // memory size 64
    EXPECT_EQ(request("E10801002AA55"), LinkOutcome::Done);  // D8008
    EXPECT_EQ(sim.plc.wordAt(0x0E10), 0x55AA);
    EXPECT_EQ(sim.plc.wordAt(0x8010), 0);                // the parameter block's own bytes 16 and 17
    EXPECT_EQ(request("E00400002"), LinkOutcome::Done);  // D0
    EXPECT_EQ(request("0400002"), LinkOutcome::Nak);     // not in the plain space
}

TEST_F(SimulatedPlcTest, Type2ProgramBanksCoverTheWholeProgramOf64000Steps) {
    sim.plc.setPlcType(2);
    EXPECT_EQ(request("E01805C02"), LinkOutcome::Done);
    EXPECT_EQ(reply().substr(0, 4), "0F00");  // END at step 0
    // Step 32000 lies at 0x805C + 64000 = 0x17A5C: bank 2, address 7A5C.
    EXPECT_EQ(request("E127A5C020F00"), LinkOutcome::Done);
    EXPECT_EQ(sim.plc.wordAt(0x17A5C, plcsim::Space::Program), 0x000F);
    EXPECT_EQ(request("E027A5C02"), LinkOutcome::Done);
    EXPECT_EQ(reply().substr(0, 4), "0F00");
    // The last step, 63999, at 0x2745A in bank 3; nothing after it, nothing in banks 4 and 5.
    EXPECT_EQ(request("E03745A02"), LinkOutcome::Done);
    EXPECT_EQ(request("E03745B02"), LinkOutcome::Nak);
    EXPECT_EQ(request("E04000002"), LinkOutcome::Nak);
    EXPECT_EQ(request("E05000002"), LinkOutcome::Nak);
}

TEST_F(SimulatedPlcTest, TheParameterBlockHoldsAMemorySizeTheTypeAllows) {
    struct Case {
        int type;
        const char* n;  // low byte first
    };
    for (const Case c : {Case{1, "0200"}, Case{6, "0200"}, Case{4, "0800"}, Case{5, "0800"}, Case{7, "0800"},
                         Case{2, "4000"}}) {
        sim.plc.setPlcType(c.type);
        EXPECT_EQ(request("0800004"), LinkOutcome::Done);
        EXPECT_EQ(reply().substr(0, 4), c.n) << c.type;
    }
}

// The END search of each family finds END at the last step of the whole capacity: "4" and "E41"
// take the start address and the word to find, low byte first ("0F00" is END, 000Fh); "F8" has
// no fields. The answer is END's address, high digit first.
TEST_F(SimulatedPlcTest, TheEndSearchFindsEndAnywhereInTheCapacityOfEachType) {
    struct Case {
        int type;
        const char* search;
        std::uint32_t lastStep;
        const char* lastAnswer;   // END at the last step
        const char* firstAnswer;  // END at step 0
    };
    for (const Case& c :
         {Case{1, "4805C0F00", 1999, "8FFA", "805C"}, Case{6, "4805C0F00", 1999, "8FFA", "805C"},
          Case{4, "4805C0F00", 7999, "BEDA", "805C"}, Case{7, "E41805C0F00", 7999, "0BEDA", "0805C"},
          Case{5, "E41805C0F00", 7999, "0BEDA", "0805C"}, Case{2, "F8", 63999, "3745A", "1805C"}}) {
        sim.plc.setPlcType(c.type);
        ASSERT_EQ(request(c.search), LinkOutcome::Done) << c.type;
        EXPECT_EQ(reply().substr(0, reply().size() - 3), c.firstAnswer) << c.type;
        sim.plc.setWord(plcsim::kProgramStart, 0x2400, plcsim::Space::Program);
        sim.plc.setWord(plcsim::kProgramStart + 2 * c.lastStep, 0x000F, plcsim::Space::Program);
        ASSERT_EQ(request(c.search), LinkOutcome::Done) << c.type;
        EXPECT_EQ(reply().substr(0, reply().size() - 3), c.lastAnswer) << c.type;
        // A program without END: nothing found.
        sim.plc.setWord(plcsim::kProgramStart + 2 * c.lastStep, 0xFFFF, plcsim::Space::Program);
        EXPECT_EQ(request(c.search), LinkOutcome::Nak) << c.type;
    }
    // The word is the one the frame names: 2400h (LD X0 of type 1) low byte first.
    sim.plc.setPlcType(1);
    sim.plc.setWord(plcsim::kProgramStart + 2 * 7, 0x2400, plcsim::Space::Program);
    ASSERT_EQ(request("4805C0024"), LinkOutcome::Done);
    EXPECT_EQ(reply().substr(0, 4), "806A");
    ASSERT_EQ(request("4806C0F00"), LinkOutcome::Nak);  // from step 8 on: END is at step 0 only
}

TEST_F(SimulatedPlcTest, TheRateFrameIsOnlyUnderstoodAt9600) {
    sim.plc.setBaudRate(19200);
    closeComPort();
    openAt(1);
    EXPECT_EQ(request("A2"), LinkOutcome::Nak);
    EXPECT_EQ(sim.plc.baudRate(), 19200u);
    sendEnqAlone();
    EXPECT_EQ(_waitRsReply(10), LinkOutcome::Done);
}

}  // namespace
}  // namespace kestrion::test
