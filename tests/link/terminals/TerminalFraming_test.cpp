#include "link/terminals/TerminalFraming.h"

#include "link/terminals/AnyCommandTerminal.h"

#include "link/LinkFixture.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class TerminalFramingTest : public LinkTest {
protected:
    std::string written() const { return {fakes.serial.written.begin(), fakes.serial.written.end()}; }
};

TEST_F(TerminalFramingTest, EachProtocolAddsItsCheckCodeAndLineEndAndShowsTheFrame) {
    struct Case {
        std::int32_t protocol;
        void (*send)(const std::string&);
        const char* typed;
        std::string wire;
        const char* shown;
    };
    const Case cases[] = {
        {sysProtocol, sendAnyCommandHex, "023030453032303203",
         "\x02"
         "00E0202\x03"
         "6C",
         "<STX>00E0202<ETX>6C"},
        {cLink, sendAnyCommandAscii, "053031464642523159303030303032",
         "\x05"
         "01FFBR1Y0000022D\r\n",
         "<ENQ>01FFBR1Y0000022D<CR><LF>"},
        {ModbusAsc, sendAnyCommandModbusAscii, "3A303130313334303030303230", ":010134000020AA\r\n",
         ":010134000020AA<CR><LF>"},
        {ModbusRtu, sendAnyCommandModbusRtu, "010134000020",
         std::string("\x01\x01\x34\x00\x00\x20\x33\xE2", 8), "01013400002033E2"},
        {ModbusRtu, sendAnyCommandModbusRtu, "010300040002",
         std::string("\x01\x03\x00\x04\x00\x02\x85\xCA", 8), "01030004000285CA"},
        {FreeUser, sendAnyCommandFreeUser, "01013400002033E2",
         std::string("\x01\x01\x34\x00\x00\x20\x33\xE2", 8), "01013400002033E2"},
    };
    for (const Case& c : cases) {
        openAt(0, c.protocol);
        fakes.serial.written.clear();
        c.send(c.typed);
        EXPECT_EQ(written(), c.wire) << c.typed;
        EXPECT_EQ(anyCommandTxText, c.shown);
        EXPECT_EQ(anyCommandRxText, "");
        closeComPort();
    }
    EXPECT_EQ(rsChHex, "01013400002033E2");
    // The line protocols heard no LF: each says so; the others show an empty reply.
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Error2015091370 | Timeout error... | warning",
                                                 "Error2015091398 | Timeout error... | warning"}));
}

TEST_F(TerminalFramingTest, CheckCodesOfTheWorkedSums) {
    rsChHex = "023030453032303203";
    addAnyCommandSum(rsChHex.size(), 0);
    EXPECT_EQ(rsChHex, "0230304530323032033643");
    // A sum of 0x100 gives the LRC "00"; an odd digit left at the end is not summed.
    for (const char* frame : {":FF01", ":FF011"}) {
        rsChHex = frame;
        EXPECT_EQ(addModbusLrc(rsChHex.size(), 0), 2u);
        EXPECT_EQ(rsChHex, std::string(frame) + "00");
        EXPECT_EQ(anyCommandTxText, "00");
    }
    EXPECT_EQ(modbusCrc16({0x01, 0x01, 0x34, 0x00, 0x00, 0x20}), 0xE233);
    // A blank is a digit 0 and shifts the pairing; an odd last digit pairs with 0.
    EXPECT_EQ(commandBytes("02 30"), (std::vector<std::uint8_t>{0x02, 0x03, 0x00}));
}

TEST_F(TerminalFramingTest, BadCommandsAreRefusedWithTheirBoxAndNothingIsSent) {
    const std::tuple<std::int32_t, void (*)(const std::string&), std::string, const char*> cases[] = {
        {ModbusRtu, sendAnyCommandModbusRtu, "0103000400020", "Msg2015122301 | Command Error | none"},
        // Decided: an empty Modbus RTU command is refused, a bare check code being no request.
        {ModbusRtu, sendAnyCommandModbusRtu, "", "Msg2015122301 | Command Error | none"},
        {FreeUser, sendAnyCommandFreeUser, "", "Msg2015122301 | Command Error | none"},
        {sysProtocol, sendAnyCommandHex, "02" + std::string(1280, '3'),
         "Msg2015091386... | AddSumCheckCode | none"},
        {ModbusRtu, sendAnyCommandModbusRtu, std::string(1280, '3'),
         "Msg2015091386... | Command Error | none"},
    };
    for (const auto& [protocol, send, typed, box] : cases) {
        openAt(0, protocol);
        fakes.messages.shown.clear();
        send(typed);
        EXPECT_TRUE(fakes.serial.written.empty()) << box;
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{box});
        EXPECT_EQ(anyCommandRxText, "");
        closeComPort();
    }
}

TEST_F(TerminalFramingTest, RepliesAreShownByNameAndOnlyTheSendsOwn) {
    SimulatedPlc sim(fakes);
    sim.plc.lineReplies["01FFBR1Y0000022D"] =
        "\x02"
        "01FF1\x03"
        "AB\r\n";
    const std::tuple<std::int32_t, void (*)(const std::string&), const char*, plcsim::Fault, const char*>
        cases[] = {
            {sysProtocol, sendAnyCommandHex, "023030453032303203", plcsim::Fault::None,
             "844E<Etx>E8"},  // D8001 20100
            {sysProtocol, sendAnyCommandHex, "023030453032303203", plcsim::Fault::Nak, "<Nak>"},
            {sysProtocol, sendAnyCommandHex, "023030453032303203", plcsim::Fault::Silence, ""},
            {cLink, sendAnyCommandAscii, "053031464642523159303030303032", plcsim::Fault::None,
             "<Stx>01FF1<Etx>AB<CR><LF>"},
        };
    for (const auto& [protocol, send, typed, fault, shown] : cases) {
        openAt(0, protocol);
        sim.plc.fault = fault;
        send(typed);
        EXPECT_EQ(anyCommandRxText, shown) << typed;
        closeComPort();
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// The terminal shows the rate of the port's rate index; 4 and 5 are both 115200, and an index past
// them is taken back to 9600.
TEST_F(TerminalFramingTest, TheTerminalShowsTheRateOfItsIndex) {
    const std::tuple<std::uint32_t, const char*, std::uint32_t> cases[] = {
        {0, "9600", 0},   {1, "19200", 1},  {2, "38400", 2}, {3, "57600", 3},
        {4, "115200", 4}, {5, "115200", 5}, {6, "9600", 0},
    };
    for (const auto& [index, text, kept] : cases) {
        baudIndex = index;
        AnyCommandTerminal terminal;
        terminal.FormShow();
        EXPECT_EQ(std::make_pair(terminal.baudRateText, baudIndex), std::make_pair(std::string(text), kept))
            << index;
    }
}

// A Modbus ASCII exchange in the terminal: the frame sent and the reply, each character once, the
// line end by name, numbered by the lines the memo holds.
TEST_F(TerminalFramingTest, AModbusAsciiExchangeShowsTheFrameAndTheReplyAsTheyWent) {
    openAt(0, ModbusAsc);
    AnyCommandTerminal terminal;
    terminal.FormShow();
    EXPECT_EQ(terminal.edit1, "3A303130313334303030303230");
    arriveAt(now() + 20, ":010102AAFF53\r\n");
    terminal.btnSendClick();
    EXPECT_EQ(terminal.rxMemo4,
              (std::vector<std::string>{"", "1=>:010134000020AA<CR><LF>", "2<=:010102AAFF53<CR><LF>"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// Under Computer Link each exchange stands after an empty line, the arrows a blank before the number.
TEST_F(TerminalFramingTest, AComputerLinkExchangeStandsAfterAnEmptyLine) {
    openAt(0, cLink);
    AnyCommandTerminal terminal;
    terminal.FormShow();
    terminal.edit1 = "053031464642523159303030303032";
    for (int exchange = 0; exchange < 2; ++exchange) {
        arriveAt(now() + 20,
                 "\x02"
                 "01FF1\x03"
                 "AB\r\n");
        terminal.btnSendClick();
    }
    EXPECT_EQ(terminal.rxMemo4,
              (std::vector<std::string>{
                  "", "=> 1:<ENQ>01FFBR1Y0000022D<CR><LF>", "<= 2:<Stx>01FF1<Etx>AB<CR><LF>", "",
                  "=> 4:<ENQ>01FFBR1Y0000022D<CR><LF>", "<= 5:<Stx>01FF1<Etx>AB<CR><LF>"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// The terminal's rate box takes the rate into the link's settings and shows the terminal afresh;
// a text that is no item puts the first item back.
TEST_F(TerminalFramingTest, ARateChosenInTheTerminalIsTheLinksAndTheTerminalShowsAgain) {
    AnyCommandTerminal terminal;
    terminal.FormShow();
    terminal.edit1 = "0230";  // typed meanwhile
    terminal.baudRateText = "38400";
    terminal.baudRateComboBoxChange();
    EXPECT_EQ(std::make_tuple(baudIndex, comDcb.baudRate, baudText),
              std::make_tuple(2u, 38400u, std::string("38400")));
    EXPECT_EQ(terminal.baudRateText, "38400");
    EXPECT_EQ(terminal.edit1, "023030453032303203");  // the show routine put the protocol's frame back
    terminal.baudRateText = "4800";
    terminal.baudRateComboBoxChange();
    EXPECT_EQ(std::make_tuple(baudIndex, comDcb.baudRate, baudText),
              std::make_tuple(0u, 9600u, std::string("9600")));
    EXPECT_EQ(terminal.baudRateText, "9600");
}

TEST_F(TerminalFramingTest, AReplyLongerThanTheTextHoldsIsCut) {
    openAt(0, ModbusRtu);
    arriveAt(now() + 20, std::string(200, '\x5A'));
    sendAnyCommandModbusRtu("010300040002");
    std::string pairs;
    for (int i = 0; i < 200; ++i) pairs += "5A";
    EXPECT_EQ(anyCommandRxText, pairs.substr(0, 255));
}

}  // namespace
}  // namespace kestrion::test
