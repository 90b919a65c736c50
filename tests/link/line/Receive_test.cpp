#include "link/LinkFixture.h"
#include "link/line/LineState.h"

namespace kestrion::test {
namespace {

using platform::Memo;

const std::string kGoodFrame = "\0021234\003CD";

class ReceiveTest : public LinkTest {};

TEST_F(ReceiveTest, AWaitEndsOnTheAckEvenWhenTheNextFrameHasBegun) {
    openAt(0);
    sendEnqAlone();
    arriveAt(now() + 50, "\006\00212");
    EXPECT_EQ(gblDELAY(5000), LinkOutcome::Done);
    EXPECT_FALSE(bit(0x80));
    EXPECT_FALSE(bit(0x20));
    EXPECT_EQ(rs.replyCode, 0x06u);
    EXPECT_EQ(now(), 50u);  // as soon as the ACK arrived, not at the next poller tick (180 ms)
}

TEST_F(ReceiveTest, AFrameSplitAfterItsEtxIsComparedWhenTheCheckCharactersArrive) {
    openAt(0);
    arrive("\0021234\003");
    Timer1Timer();
    EXPECT_TRUE(bit(0x02));
    EXPECT_FALSE(bit(0x04));
    EXPECT_EQ(rs.replyCode, 0u);
    arrive("CD");
    Timer1Timer();
    EXPECT_TRUE(bit(0x04));
    EXPECT_EQ(rs.replyCode, 0x06u);
    EXPECT_EQ(reply(), "1234\003CD");
    EXPECT_EQ(rs.rxChunkCount, 2u);
    EXPECT_EQ(RxTmpArrayNo[0], 6);
    EXPECT_EQ(RxTmpArrayNo[1], 2);
}

TEST_F(ReceiveTest, AWrongCheckCodeOrANakEndsTheWaitWithBit5AndTheCharactersKept) {
    for (const std::string& bad : {std::string("\0021234\003CE"), std::string("\x15")}) {
        closeComPort();
        openAt(0);
        sendEnqAlone();
        arriveAt(now() + 10, bad);
        EXPECT_EQ(waitAck(1000), LinkOutcome::Nak);
        EXPECT_EQ(rs.replyCode, 0x15u);
        EXPECT_TRUE(bit(0x20));
        EXPECT_FALSE(bit(0x80));
        EXPECT_EQ(reply(), bad.substr(bad.size() == 1 ? 0 : 1));
    }
}

TEST_F(ReceiveTest, UnderProtocol2TheWaitEndsAtTheLineFeedWithBit7StillSet) {
    openAt(0, ModbusAsc);
    rsChHex = "3A";
    sendFrameText(2);
    arriveAt(now() + 20, ":0103\r");
    arriveAt(now() + 400, "\n");
    bool endMarkAtCr = false;
    fakes.clock.at(now() + 300, [&] { endMarkAtCr = bit(0x02); });
    gblDELAY(5000);
    EXPECT_TRUE(endMarkAtCr);  // the CR marks the end, the LF completes the line
    EXPECT_TRUE(bit(0x08));
    EXPECT_FALSE(bit(0x02));
    EXPECT_TRUE(bit(0x80));
    EXPECT_EQ(rs.replyCode, 0x3Au);
    EXPECT_EQ(reply(), ":0103\r\n");
    EXPECT_EQ(now(), 400u);  // as soon as the LF arrived

    sendFrameText(2);  // waitAck ends on the reply code, whatever the protocol
    arriveAt(now() + 20, ":01");
    EXPECT_EQ(waitAck(5000), LinkOutcome::Done);
    EXPECT_EQ(now(), 420u);
    arrive("\n:02");  // the next line begins: the marks of the last one go
    Timer1Timer();
    EXPECT_FALSE(bit(0x08) || bit(0x02));
}

TEST_F(ReceiveTest, UnderProtocol1TheFrameFromStxToLfIsStoredAndUnderProtocol4Nothing) {
    openAt(0, cLink);
    arrive("x\00201\003AB\r\n");
    Timer1Timer();
    EXPECT_EQ(rs.replyCode, 0x02u);
    EXPECT_EQ(reply(), "\00201\003AB\r\n");
    EXPECT_TRUE(bit(0x08));
    closeComPort();
    openAt(0, FreeUser);
    rs.rxCount = 0;
    arrive("abc");
    Timer1Timer();
    EXPECT_EQ(rs.rxCount, 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(RxTmpBuf.data())), "abc");
}

TEST_F(ReceiveTest, UnderProtocol3EveryByteIsStoredAndTheWaitRunsItsFullTime) {
    openAt(0, ModbusRtu);
    rsChHex = "0103";
    sendFrameBytes(4);
    arriveAt(now() + 10, std::string("\x01\x03\x02\x00", 4));
    const std::uint32_t start = now();
    gblDELAY(1000);
    EXPECT_EQ(now() - start, 1000u);
    EXPECT_EQ(rs.rxCount, 4u);
    EXPECT_TRUE(bit(0x80));
}

TEST_F(ReceiveTest, WaitRsReplyCountsPollerTicks) {
    struct Case {
        std::uint32_t index;
        std::uint32_t milliseconds;
    };
    for (const Case c : {Case{0, 1800}, Case{2, 1000}}) {
        closeComPort();
        openAt(c.index);
        sendEnqAlone();
        const std::uint32_t start = now();
        EXPECT_EQ(_waitRsReply(10), LinkOutcome::TimeOut);
        EXPECT_EQ(now() - start, c.milliseconds) << c.index;
        EXPECT_TRUE(bit(0x80));
    }
}

TEST_F(ReceiveTest, GblDelayRunsOutWithBit7SetAndAWaitAfterAReplyReturnsAtOnce) {
    openAt(0);
    sendEnqAlone();
    std::uint32_t start = now();
    EXPECT_EQ(gblDELAY(200), LinkOutcome::TimeOut);
    EXPECT_EQ(now() - start, 200u);
    EXPECT_TRUE(bit(0x80));
    arrive("\x06");
    gblDELAY(5000);
    start = now();
    EXPECT_EQ(waitAck(5000), LinkOutcome::Done);  // the reply code stands until the next send
    EXPECT_EQ(now() - start, 1u);
    EXPECT_FALSE(bit(0x80));
    rs.status = 0x80;  // a pause always waits its full time and touches no bit
    bool busyDuringPause = true;
    fakes.clock.at(now() + 20, [&] { busyDuringPause = linkBusy(); });
    start = now();
    pause(1000);
    EXPECT_FALSE(busyDuringPause);  // it awaits no reply, so a request may go meanwhile
    EXPECT_EQ(now() - start, 1000u);
    EXPECT_EQ(rs.status, 0x80);
    EXPECT_EQ(rs.replyCode, 0x06u);
}

TEST_F(ReceiveTest, MoreThan512QueuedBytesAreReadInPiecesNotThrownAway) {
    openAt(0);
    const std::string digits(696, '0');
    std::uint32_t sum = 3;
    for (char c : digits) sum += static_cast<std::uint8_t>(c);
    const char hex[] = "0123456789ABCDEF";
    const std::string check{hex[(sum >> 4) & 0xF], hex[sum & 0xF]};
    arrive("\x02" + digits + "\x03" + check);
    Timer1Timer();
    EXPECT_EQ(fakes.serial.readSizes, (std::vector<std::size_t>{512}));
    EXPECT_EQ(rs.replyCode, 0u);
    Timer1Timer();
    EXPECT_EQ(fakes.serial.readSizes, (std::vector<std::size_t>{512, 188}));
    EXPECT_EQ(rs.replyCode, 0x06u);
    EXPECT_EQ(rs.rxCount, 699u);
    EXPECT_EQ(fakes.serial.purges, 0);
}

TEST_F(ReceiveTest, AFrameLongerThanTheReplyBufferIsDroppedAtItsEndAndJudgedBad) {
    openAt(0);
    sendEnqAlone();
    arriveAt(now() + 5, "\x02" + std::string(1500, '0') + "\00300");
    gblDELAY(5000);
    EXPECT_EQ(rs.rxCount, kRxBkBufSize - 1);
    EXPECT_EQ(rs.RxBkBuf[kRxBkBufSize - 1], '\0');
    EXPECT_EQ(rs.replyCode, 0x15u);
}

TEST_F(ReceiveTest, ARequestStartedDuringAWaitIsToldBusyAndTheWaitingOneKeepsItsReply) {
    openAt(0);
    sendEnqAlone();
    std::vector<LinkOutcome> nested;
    std::uint32_t nestedWaitedFor = 1;
    fakes.clock.at(now() + 50, [&] {
        rsChHex = "02413103";
        AddSumCheckCode(rsChHex.size());
        nested.push_back(sendFrameHex(rsChHex.size()));
        nested.push_back(sendFrameText(rsChHex.size()));
        nested.push_back(sendFrameBytes(rsChHex.size()));
        const std::uint32_t start = now();
        nested.push_back(gblDELAY(5000));
        nested.push_back(waitAck(5000));
        nested.push_back(_waitRsReply(10));
        nestedWaitedFor = now() - start;
    });
    arriveAt(now() + 100, "\x06");
    EXPECT_EQ(gblDELAY(5000), LinkOutcome::Done);
    EXPECT_FALSE(linkBusy());
    EXPECT_EQ(nested, std::vector<LinkOutcome>(6, LinkOutcome::Busy));
    EXPECT_EQ(nestedWaitedFor, 0u);
    EXPECT_EQ(fakes.serial.written, bytesOf("\x05"));
    EXPECT_EQ(rs.replyCode, 0x06u);
    EXPECT_FALSE(bit(0x80));
    EXPECT_EQ(rs.frameCount, 1u);
}

const std::string kReadD8004 = "0230304530383032033732";

TEST_F(ReceiveTest, BytesQueuedBeforeASendAndAFrameBegunBeforeItAreDroppedAndTraced) {
    openAt(0);
    fakes.trace.setVisible(Memo::Rx, true);
    arrive(
        "\x02"
        "C8");  // the first part of a reply that came too late
    Timer1Timer();
    arrive("00");
    rsChHex = kReadD8004;
    EXPECT_EQ(sendFrameHex(rsChHex.size()), LinkOutcome::Done);
    arriveAt(now() + 10,
             "\x03"
             "DE");  // its rest: too short for this read
    arriveAt(now() + 200,
             "\x02"
             "3412\x03"
             "CD");  // the answer
    EXPECT_EQ(gblDELAY(1000), LinkOutcome::Done);
    EXPECT_EQ(reply(),
              "3412\x03"
              "CD");
    EXPECT_EQ(fakes.trace.lines(Memo::Rx), (std::vector<std::string>{"<=1:dropped 4 bytes before the send",
                                                                     "-->2:\x02"
                                                                     "00E0802\x03"
                                                                     "72",
                                                                     "<=3:dropped \x03"
                                                                     "DE",
                                                                     "<=4:3412\x03"
                                                                     "CD"}));
    sendEnqAlone();  // a reply that was taken is not dropped again
    EXPECT_EQ(fakes.trace.lines(Memo::Rx).back(), "-->5:Enq");
}

TEST_F(ReceiveTest, AReplyAfterItsWaitRanOutIsNoAnswer) {
    openAt(0);
    rsChHex = kReadD8004;
    sendFrameHex(rsChHex.size());
    EXPECT_EQ(gblDELAY(300), LinkOutcome::TimeOut);
    arrive(
        "\x02"
        "3412\x03"
        "CD");
    Timer1Timer();
    EXPECT_EQ(rs.replyCode, kReplyAck);
    EXPECT_TRUE(bit(kRsWaiting));
    EXPECT_EQ(replyDataCharacters(), 0u);
    EXPECT_FALSE(expectReplyBytes(2));
}

TEST_F(ReceiveTest, AReplyOfAnotherKindOrLengthThanItsRequestIsDroppedAndTheWaitGoesOn) {
    const struct {
        std::string frame, wrong, right;  // "0" 0E08 02; "E00" 0E08 02; "1" 0E08 02 3412
    } cases[] = {{"02343830354330463030"
                  "03",
                  "",
                  "\x02"
                  "80A2\x03"
                  "DE"},  // "4" 805C 0F00: any answer
                 {"023030453038303203", "\x06",
                  "\x02"
                  "3412\x03"
                  "CD"},
                 {"023030453038303203",
                  "\x02"
                  "12345678\x03"
                  "A7",
                  "\x02"
                  "3412\x03"
                  "CD"},
                 {"0245303030453038303203",
                  "\x02"
                  "12345678\x03"
                  "A7",
                  "\x15"},
                 {"0231304538303230323334313203",
                  "\x02"
                  "3412\x03"
                  "CD",
                  "\x06"}};
    openAt(0);
    for (const auto& c : cases) {
        rsChHex = c.frame;
        AddSumCheckCode(rsChHex.size());
        sendFrameHex(rsChHex.size());
        if (!c.wrong.empty()) arriveAt(now() + 10, c.wrong);
        arriveAt(now() + 400, c.right);
        EXPECT_EQ(gblDELAY(1000), c.right == "\x15" ? LinkOutcome::Nak : LinkOutcome::Done) << c.frame;
        EXPECT_EQ(rs.rxCount, c.right.size() == 1 ? 1u : 7u) << c.frame;
    }
}

TEST_F(ReceiveTest, AfterATimeOutTheNextSendWaitsForTheLineToGoQuietButNotForever) {
    openAt(0);
    for (const std::uint32_t lateFor : {300u, 3000u}) {  // a late reply trickling in every 10 ms
        sendEnqAlone();
        EXPECT_EQ(gblDELAY(500), LinkOutcome::TimeOut);
        for (std::uint32_t at = 10; at <= lateFor; at += 10) arriveAt(now() + at, "0");
        const std::uint32_t start = now();
        sendEnqAlone();
        EXPECT_EQ(now() - start, std::min(lateFor + kQuietLineMs, kQuietLineLimitMs));
    }
    const std::uint32_t start = now();  // no time-out before it: the frame goes at once
    sendEnqAlone();
    EXPECT_EQ(now(), start);
}

TEST_F(ReceiveTest, AnAdapterUnpluggedDuringAWaitEndsItThenWithNoLateReplyAwaited) {
    for (const bool rsWait : {false, true}) {
        fakes.serial.unplugged = false;
        closeComPort();
        lineState.lateReplyPossible = false;
        openAt(0);
        sendEnqAlone();
        const std::uint32_t start = now();
        fakes.clock.at(start + 30, [this] { fakes.serial.unplugged = true; });
        EXPECT_EQ(rsWait ? _waitRsReply(100) : waitAck(5000), LinkOutcome::TimeOut) << rsWait;
        EXPECT_LE(now() - start, 40u) << rsWait;
        EXPECT_FALSE(lineState.lateReplyPossible) << rsWait;
    }
    fakes.serial.unplugged = false;
}

}  // namespace
}  // namespace kestrion::test
