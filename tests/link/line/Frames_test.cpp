#include "link/LinkFixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using platform::MsgIcon;

class FramesTest : public LinkTest {};

struct CheckCase {
    const char* frame;
    const char* closed;
};

TEST_F(FramesTest, CheckCodeIsTheLowByteOfTheSumAfterStxWrittenAsTwoDigitCharacters) {
    const CheckCase cases[] = {
        {"02413103", "024131033735"},                      // STX 'A' '1' ETX: 0x75 -> '7' '5'
        {"023030453038303203", "0230304530383032033732"},  // read D8004: 0x72
        {"023030453030343003", "0230304530303430033643"},  // read 64 bytes at 0x0E00: 0x16C -> "6C"
        {"0246464603", "02464646034435"},                  // 'F' 'F' 'F' ETX: 0xD5 -> "D5"
        {"027070705003", "0270707050034133"},              // 0x1A3: the low byte "A3"
    };
    for (const CheckCase& c : cases) {
        rsChHex = c.frame;
        AddSumCheckCode(rsChHex.size());
        EXPECT_EQ(rsChHex, c.closed) << c.frame;
    }
}

TEST_F(FramesTest, FieldEncodersAppendTheChosenCharactersInTheirByteOrder) {
    struct Case {
        void (*encode)(const std::string&);
        const char* input;
        const char* appended;
    };
    const Case cases[] = {
        {appendAddress, "0E08", "30453038"},
        {appendAddressLowFirst, "0E08", "30383045"},  // '0' '8' '0' 'E'
        {appendDataWord, "12345678", "37383536"},
        {appendDataDword, "12345678", "3738353633343132"},
        {appendByteCount, "0040", "3430"},
    };
    for (const Case& c : cases) {
        rsChHex = "02";
        c.encode(c.input);
        EXPECT_EQ(rsChHex, std::string("02") + c.appended) << c.input;
    }
    rsChHex.clear();
    appendValueByteCount(1);
    appendValueByteCount(0);
    EXPECT_EQ(rsChHex, "30343032");  // the characters '0' '4' '0' '2'
}

TEST_F(FramesTest, ACurrentValueWriteCarriesItsFieldsAsCharacters) {
    openAt(0);
    rsChHex = "0231";
    appendAddress("10C8");
    appendValueByteCount(0);
    appendDataWord("000004D2");
    rsChHex += "03";
    AddSumCheckCode(rsChHex.size());
    ASSERT_EQ(sendFrameHex(rsChHex.size()), LinkOutcome::Done);
    EXPECT_EQ(fakes.serial.written, (std::vector<std::uint8_t>{0x02, 0x31, 0x31, 0x30, 0x43, 0x38, 0x30, 0x32,
                                                               0x44, 0x32, 0x30, 0x34, 0x03, 0x34, 0x43}));
}

TEST_F(FramesTest, HexConversionsTakeUpperCaseDigitsAndNeverWritePastTheirRoom) {
    EXPECT_EQ(std::vector<int>({hexPairToByte('a', '1'), hexPairToByte('1', 'F'), hexPairToByte('F', 'F'),
                                hexPairToByte('G', '9'), _dllAsciiConvToHex('7', 'A')}),
              (std::vector<int>{0x01, 0x1F, 0xFF, 0x09, 0x7A}));
    EXPECT_EQ(std::vector<int>({byteToHexChars(0x1F), byteToHexChars(0xA0), _dllHexConvToAscii(0x05)}),
              (std::vector<int>{('1' << 8) | 'F', ('A' << 8) | '0', ('0' << 8) | '5'}));
    for (int value = 0; value < 256; ++value) {
        const std::uint16_t chars = byteToHexChars(static_cast<std::uint8_t>(value));
        EXPECT_EQ(hexPairToByte(static_cast<char>(chars >> 8), static_cast<char>(chars & 0xFF)), value);
    }
    std::uint8_t bytes[4] = {9, 9, 9, 9};
    EXPECT_EQ(hexTextToBytes(4, "4142", bytes, 4), 2u);
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{0x41, 0x42, 0, 9}));  // a NUL after them
    EXPECT_EQ(hexTextToBytes(3, "414", bytes, 4), 0u);
    EXPECT_EQ(hexTextToBytes(0, "", bytes, 4), 0u);
    std::uint8_t full[3] = {9, 9, 9};
    EXPECT_EQ(hexTextToBytes(8, "41424344", full, 2), 2u);  // no room for more, nor for the NUL
    EXPECT_EQ(std::vector<int>(full, full + 3), (std::vector<int>{0x41, 0x42, 9}));
}

TEST_F(FramesTest, AFrameTextThatItsCheckCodeTakesPast1280DigitsIsReportedAndNeverSent) {
    openAt(0);
    rsChHex = "02" + std::string(1274, '3') + "03";  // 1278 digits, 1282 with the check code
    AddSumCheckCode(rsChHex.size());
    EXPECT_EQ(fakes.statusBar.panelText(0), "rsLength=1278 rsChHex[]=1280");
    EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{"Msg2015091386... | AddSumCheckCode | none"});
    EXPECT_EQ(rsChHex.size(), 1278u);
    EXPECT_EQ(sendFrameHex(rsChHex.size()), LinkOutcome::NotSent);
    EXPECT_EQ(rs.frameCount, 0u);
    sendEnqAlone();  // the refusal was that frame's only
    EXPECT_EQ(fakes.serial.written, bytesOf("\x05"));
    fakes.serial.written.clear();
    rsChHex = "02" + std::string(1272, '3') + "03";  // 1280 with the check code: the send buffers' fill
    AddSumCheckCode(rsChHex.size());
    ASSERT_EQ(rsChHex.size(), 1280u);
    EXPECT_EQ(sendFrameHex(rsChHex.size()), LinkOutcome::Done);
    EXPECT_EQ(fakes.serial.written.size(), 640u);
    EXPECT_EQ(sendFrameBytes(rsChHex.size()), LinkOutcome::Done);  // the raw send takes as much
    EXPECT_EQ(fakes.serial.written.size(), 1280u);
}

TEST_F(FramesTest, TheTraceIsClearedWhenAReplyLineTakesItPast399Lines) {
    fakes.trace.setVisible(platform::Memo::Rx, true);
    for (int i = 0; i < 398; ++i) fakes.trace.append(platform::Memo::Rx, "-->");
    logReplyAckNak();
    EXPECT_EQ(fakes.trace.lineCount(platform::Memo::Rx), 399);
    logReplyAckNak();
    EXPECT_EQ(fakes.trace.lineCount(platform::Memo::Rx), 0);
}

TEST_F(FramesTest, AnEmptyOrOddFrameTextIsReportedAndNotCopied) {
    for (const char* text : {"", "024"}) {
        rsChHex = text;
        std::string before = rs.txChars.data();
        EXPECT_FALSE(copyFrameText(0, rsChHex.size()));
        EXPECT_EQ(fakes.statusBar.panelText(0), "Error2015122201...");
        EXPECT_EQ(rs.txChars.data(), before);
    }
}

TEST_F(FramesTest, EachSendCountsTheFrameAndRestartsTheReplyMeasure) {
    openAt(0);
    rs.replyCode = 0x06u;
    rs.tickCount = 7;
    rs.rxChunkCount = 3;
    RxTmpBuf[0] = 'x';
    RxTmpArrayNo[0] = 5;
    rs.frameCount = 9;
    sendFrame("02413103");
    EXPECT_EQ(fakes.serial.written, bytesOf("\002A1\00375"));
    EXPECT_EQ(std::tie(rs.frameCount, rs.tickCount, rs.rxChunkCount), std::make_tuple(10u, 0u, 0u));
    EXPECT_EQ(fakes.statusBar.panelText(13), "*0");
    EXPECT_EQ(rs.replyCode, 0u);
    EXPECT_EQ(RxTmpBuf[0] + RxTmpArrayNo[0], 0);
    EXPECT_STREQ(rs.txChars.data(), "024131033735");
}

TEST_F(FramesTest, SendingWithThePortClosedShowsTheMessageOfEachSendAndWritesNothing) {
    struct Case {
        LinkOutcome (*send)(std::size_t);
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {sendFrameHex, "Com port not open...", "Communication Message"},
        {sendFrameText, "Error2015122240", "comport no open..."},
        {sendFrameBytes, "Error2015122243...Com port no open...", "Communication Message"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        rsChHex = "0505";
        EXPECT_EQ(c.send(rsChHex.size()), LinkOutcome::NotSent);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, c.text);
        EXPECT_EQ(fakes.messages.shown[0].caption, c.caption);
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Warning);
    }
    EXPECT_EQ(rs.frameCount, 0u);
}

TEST_F(FramesTest, SendFrameTextSendsTheCharactersAndSendFrameBytesTheirBytes) {
    openAt(0, cLink);
    rsChHex = "01FF";
    sendFrameText(rsChHex.size());
    EXPECT_EQ(fakes.serial.written, bytesOf("01FF"));
    fakes.serial.written.clear();
    rs.rxCount = 5;
    rs.rxSum = 9;
    rsChHex = "0103000A";
    sendFrameBytes(rsChHex.size());
    EXPECT_EQ(fakes.serial.written, (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x0A}));
    EXPECT_EQ(rs.rxCount, 0u);
    EXPECT_EQ(rs.rxSum, 0u);

    // Whatever answers a raw send counts, even after a read that awaited a data frame.
    closeComPort();
    openAt(0);
    expectReply(ReplyKind::Data, 4);
    rsChHex = "05";
    sendFrameText(rsChHex.size());
    arriveAt(now() + 10, "\x06");
    EXPECT_EQ(waitAck(500), LinkOutcome::Done);
}

}  // namespace
}  // namespace kestrion::test
