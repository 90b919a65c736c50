#include "monitor/access/AnyAddress.h"

#include "link/LinkFixture.h"
#include "link/line/Requests.h"
#include "monitor/MonitorMode.h"
#include "monitor/access/AnyAddressOpeners.h"
#include "monitor/access/FakeAccessDialogs.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

constexpr std::uint32_t kWatched = 0x09E0;

class AnyAddressTest : public LinkTest {
protected:
    AnyAddressTest() {
        for (std::uint32_t i = 0; i < 64; ++i) sim.plc.setByte(kWatched + i, static_cast<std::uint8_t>(i));
    }
    // The frame of a command as it goes on the line.
    static std::string frameOf(const std::string& command) {
        makeCommandFrame(command);
        AddSumCheckCode(rsChHex.size());
        std::string bytes;
        for (std::size_t i = 0; i + 1 < rsChHex.size(); i += 2)
            bytes += static_cast<char>(hexPairToByte(rsChHex[i], rsChHex[i + 1]));
        return bytes;
    }
    // The any-address window as the opening item sets it up, with the edits given.
    AnyAddressDialog& openWith(const std::string& byteNo, const std::string& dataType = "Hexiadecimal",
                               const std::string& dataLength = "16") {
        dialog.FormShow();
        dialog.byteNoEdit = byteNo;
        dialog.dataTypeText = dataType;
        dialog.dataLengthText = dataLength;
        return dialog;
    }
    std::size_t eaFrames() const {
        return static_cast<std::size_t>(
            std::count_if(sim.plc.frames.begin(), sim.plc.frames.end(),
                          [](const std::string& f) { return f.rfind("EA", 0) == 0; }));
    }
    std::vector<std::string> values() const {
        std::vector<std::string> shown;
        for (const AnyAddressRow& row : dialog.rows) shown.push_back(row.address + "=" + row.value);
        return shown;
    }
    SimulatedPlc sim{fakes, 4};
    AnyAddressDialog dialog;
    FakeAccessDialogs access;
    InstalledDialogs<AccessDialogs> accessInstalled{access};
};

TEST_F(AnyAddressTest, TheFourCommandsGoOutAsTheirWorkedFrames) {
    const std::pair<std::string, std::string> cases[] = {
        {anyAddressReadCommand(0x09E0, 64),
         "\x02"
         "EAA09E040\x03"
         "0C"},
        {anyAddressWriteCommand(0x09E0, 2, 0x0001),
         "\x02"
         "EAC09E0020100\x03"
         "CD"},
        {anyBitForceCommand(true, 0x09E0),
         "\x02"
         "EAEE009\x03"
         "AC"},
        {blockReadCommand(0x1600, 128),
         "\x02"
         "EA8160080\x03"
         "F0"},
    };
    for (const auto& [command, frame] : cases) EXPECT_EQ(frameOf(command), frame);
}

TEST_F(AnyAddressTest, TheNumberRuleOfTheEdits) {
    constexpr int kNone = -1;  // refused: no value
    const std::tuple<const char*, int, const char*> cases[] = {
        {"H1F", 31, nullptr},
        {"h1f", 0x1F, nullptr},
        {"HFFFF", 0xFFFF, nullptr},
        {"K12", 12, nullptr},
        {"7", 7, nullptr},
        // A first digit from 0 to 9 starts a decimal number; the characters beside them do not.
        {"0", 0, nullptr},
        {"9", 9, nullptr},
        {"95", 95, nullptr},
        {"/5", kNone, "Error2015091920...First character must be K or H  | Error Message | error"},
        {":5", kNone, "Error2015091920...First character must be K or H  | Error Message | error"},
        {"", 0, nullptr},
        {"K", 0, nullptr},
        {"H", 0, nullptr},
        {"K+5", 5, nullptr},
        {"K-1", -1, nullptr},
        {"K-0", 0, nullptr},
        {"K+0", 0, nullptr},
        {"H123456789", 0x7FFFFFFF, nullptr},  // past every range, never wrapped round
        {"X1", kNone, "Error2015091920...First character must be K or H  | Error Message | error"},
        {"-5", kNone, "Error2015091920...First character must be K or H  | Error Message | error"},
        {"K1A", kNone, "'1A' is not a valid integer value | Error Message | error"},
        {"K99999999999", kNone, "'99999999999' is not a valid integer value | Error Message | error"},
        // One sign at most: a '+' followed by a '-' is no decimal number.
        {"K+-5", kNone, "'+-5' is not a valid integer value | Error Message | error"},
        {"k+-58", kNone, "'+-58' is not a valid integer value | Error Message | error"},
        {"K+-0", kNone, "'+-0' is not a valid integer value | Error Message | error"},
        {"K++5", kNone, "'++5' is not a valid integer value | Error Message | error"},
        {"K-+5", kNone, "'-+5' is not a valid integer value | Error Message | error"},
        {"K--5", kNone, "'--5' is not a valid integer value | Error Message | error"},
        {"K+", kNone, "'+' is not a valid integer value | Error Message | error"},
        {"K-", kNone, "'-' is not a valid integer value | Error Message | error"},
        {"K5-", kNone, "'5-' is not a valid integer value | Error Message | error"},
        {"1-5", kNone, "'1-5' is not a valid integer value | Error Message | error"},
        {"HZZ", kNone, "'HZZ' is not a hexadecimal number | Error Message | error"},
        {"HQQ", kNone, "'HQQ' is not a hexadecimal number | Error Message | error"},
        {"H12G", kNone, "'H12G' is not a hexadecimal number | Error Message | error"},
        {"H 12", kNone, "'H 12' is not a hexadecimal number | Error Message | error"},
    };
    for (const auto& [text, value, box] : cases) {
        fakes.messages.shown.clear();
        const std::optional<int> checked = checkedKHValue(text);
        EXPECT_EQ(checked.value_or(kNone), value) << text;
        EXPECT_EQ(checked.has_value(), box == nullptr) << text;
        EXPECT_EQ(shownBoxes(fakes.messages), box != nullptr ? Boxes{box} : Boxes{}) << text;
        fakes.messages.shown.clear();
        EXPECT_EQ(parseKHValue(text), checked.value_or(0)) << text;  // the change handlers' rule
    }
}

TEST_F(AnyAddressTest, ATextThatIsNoNumberInRangeIsRefusedAndNothingIsSent) {
    const std::string notHex = " is not a hexadecimal number | Error Message | error";
    struct Case {
        const char* address;
        const char* byteNo;
        const char* data;
        void (AnyAddressDialog::*click)();
        const char* box;
    };
    const Case cases[] = {
        {"HZZ", "K2", "H0001", &AnyAddressDialog::btnReadClick, "'HZZ'"},
        {"HQQ", "K2", "H0001", &AnyAddressDialog::btnWriteClick, "'HQQ'"},
        {"HZZ", "K2", "H0001", &AnyAddressDialog::btnForceOnClick, "'HZZ'"},
        {"HQQ", "K2", "H0001", &AnyAddressDialog::btnForceOffClick, "'HQQ'"},
        {"X09E0", "K2", "H0001", &AnyAddressDialog::btnReadClick,
         "Error2015091920...First character must be K or H  | Error Message | error"},
        {"K-1", "K2", "H0001", &AnyAddressDialog::btnWriteClick,
         "Address must be H0000 ~ HFFFF | Error Message | error"},
        {"H09E0", "HZZ", "H0001", &AnyAddressDialog::btnReadClick, "'HZZ'"},
        {"H09E0", "K-1", "H0001", &AnyAddressDialog::btnReadClick,
         "Byte count must be 0 ~ 255 | Error Message | error"},
        {"H09E0", "K2", "HQQ", &AnyAddressDialog::btnWriteClick, "'HQQ'"},
        {"H09E0", "K2", "K1X", &AnyAddressDialog::btnWriteClick,
         "'1X' is not a valid integer value | Error Message | error"},
        {"H09E0", "K2", "H10000", &AnyAddressDialog::btnWriteClick,
         "Data must be H0000 ~ HFFFF or K-32768 ~ K65535 | Error Message | error"},
        {"H09E0", "K2", "K-32769", &AnyAddressDialog::btnWriteClick,
         "Data must be H0000 ~ HFFFF or K-32768 ~ K65535 | Error Message | error"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        openWith(c.byteNo);
        dialog.addressEdit = c.address;
        dialog.dataEdit = c.data;
        (dialog.*c.click)();
        const std::string box = std::string(c.box).find(" | ") == std::string::npos ? c.box + notHex : c.box;
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{box}) << c.address << " " << c.byteNo << " " << c.data;
        EXPECT_TRUE(sim.plc.frames.empty()) << c.address << " " << c.byteNo << " " << c.data;
        EXPECT_FALSE(fakes.serial.isOpen());
    }
    // The edges of the data are written: a signed word and the largest word.
    for (const auto& [data, word] : {std::pair{"K-32768", 0x8000}, std::pair{"HFFFF", 0xFFFF}}) {
        dialog.dataEdit = data;
        dialog.addressEdit = "H09E0";
        dialog.btnWriteClick();
        EXPECT_EQ(sim.plc.wordAt(kWatched), word) << data;
    }
}

// Each edit that takes a number, as its button sends it: the frame that goes out, or nothing and
// the box for a text that is no number.
TEST_F(AnyAddressTest, EachEditSendsWhatItsTextSaysOrNothing) {
    const std::string notInteger = " is not a valid integer value | Error Message | error";
    struct Case {
        const char* address;
        const char* byteNo;
        const char* data;
        void (AnyAddressDialog::*click)();
        const char* frame;  // the EA frame sent, nullptr for none
        const char* box;    // the text the box quotes, nullptr for none
    };
    const Case cases[] = {
        // The data of a write: the word low byte first.
        {"H09E0", "K2", "K-5", &AnyAddressDialog::btnWriteClick, "EAC09E002FBFF", nullptr},
        {"H09E0", "K2", "K+5", &AnyAddressDialog::btnWriteClick, "EAC09E0020500", nullptr},
        {"H09E0", "K2", "k-58", &AnyAddressDialog::btnWriteClick, "EAC09E002C6FF", nullptr},
        {"H09E0", "K2", "K-0", &AnyAddressDialog::btnWriteClick, "EAC09E0020000", nullptr},
        {"H09E0", "K2", "05", &AnyAddressDialog::btnWriteClick, "EAC09E0020500", nullptr},
        {"H09E0", "K2", "K+-5", &AnyAddressDialog::btnWriteClick, nullptr, "'+-5'"},
        {"H09E0", "K2", "k+-58", &AnyAddressDialog::btnWriteClick, nullptr, "'+-58'"},
        {"H09E0", "K2", "K+-0", &AnyAddressDialog::btnWriteClick, nullptr, "'+-0'"},
        {"H09E0", "K2", "K++5", &AnyAddressDialog::btnWriteClick, nullptr, "'++5'"},
        {"H09E0", "K2", "K-+5", &AnyAddressDialog::btnWriteClick, nullptr, "'-+5'"},
        // The address of a read, a write and a force (2528 = H09E0).
        {"K+2528", "K2", "H0001", &AnyAddressDialog::btnReadClick, "EAA09E002", nullptr},
        {"K+-2528", "K2", "H0001", &AnyAddressDialog::btnReadClick, nullptr, "'+-2528'"},
        {"K+-1", "K2", "H0001", &AnyAddressDialog::btnWriteClick, nullptr, "'+-1'"},
        {"K+-0", "K2", "H0001", &AnyAddressDialog::btnForceOnClick, nullptr, "'+-0'"},
        {"K+-0", "K2", "H0001", &AnyAddressDialog::btnForceOffClick, nullptr, "'+-0'"},
        // The byte count of a read.
        {"H09E0", "K+2", "H0001", &AnyAddressDialog::btnReadClick, "EAA09E002", nullptr},
        {"H09E0", "K+-2", "H0001", &AnyAddressDialog::btnReadClick, nullptr, "'+-2'"},
        {"H09E0", "K+-0", "H0001", &AnyAddressDialog::btnReadClick, nullptr, "'+-0'"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        sim.plc.frames.clear();
        openWith(c.byteNo);
        dialog.addressEdit = c.address;
        dialog.dataEdit = c.data;
        (dialog.*c.click)();
        const std::string what = std::string(c.address) + " " + c.byteNo + " " + c.data;
        std::vector<std::string> sent;
        std::copy_if(sim.plc.frames.begin(), sim.plc.frames.end(), std::back_inserter(sent),
                     [](const std::string& f) { return f.rfind("EA", 0) == 0; });
        EXPECT_EQ(sent, c.frame != nullptr ? std::vector<std::string>{c.frame} : std::vector<std::string>{})
            << what;
        EXPECT_EQ(shownBoxes(fakes.messages), c.box != nullptr ? Boxes{c.box + notInteger} : Boxes{}) << what;
        // A refusal sends nothing, not even the connection test.
        EXPECT_EQ(sim.plc.frames.empty(), c.box != nullptr) << what;
    }
}

TEST_F(AnyAddressTest, TheWatchLoopSendsNothingWhileAnEditHoldsARefusedText) {
    openWith("K2").btnReadClick();  // the loop goes on the line the last read left open
    sim.plc.frames.clear();
    const std::pair<std::string*, void (AnyAddressDialog::*)()> edits[] = {
        {&dialog.addressEdit, &AnyAddressDialog::AddressEditChange},
        {&dialog.byteNoEdit, &AnyAddressDialog::ByteNoEditChange}};
    for (const auto& [edit, change] : edits) {
        for (const char* typed : {"HQQ", "H10000"}) {
            fakes.messages.shown.clear();
            const std::string before = *edit;
            *edit = edit == &dialog.addressEdit ? typed : (typed[1] == 'Q' ? "HQQ" : "K256");
            (dialog.*change)();
            const std::size_t told = fakes.messages.shown.size();  // the refusal, once, as it is typed
            EXPECT_EQ(told, typed[1] == 'Q' ? 1u : 0u) << *edit;
            dialog.btnStartMonitorClick();
            EXPECT_EQ(fakes.messages.shown.size(), told + 1) << *edit;  // said again, and nothing read
            EXPECT_TRUE(sim.plc.frames.empty()) << *edit;
            EXPECT_FALSE(dialog.monitoring);
            *edit = before;
            (dialog.*change)();
        }
    }
    // Good texts again: the loop reads.
    fakes.messages.shown.clear();
    dialog.changed = [this] {
        if (dialog.monitoring) dialog.btnStopMonitorClick();
    };
    dialog.btnStartMonitorClick();
    EXPECT_EQ(eaFrames(), 1u);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(AnyAddressTest, RowsInTheFiveFormats) {
    const std::tuple<std::vector<std::uint8_t>, int, const char*> cases[] = {
        {{0x80}, 0, "10000000"},
        {{0x80}, 1, "128"},
        {{0x80}, 2, "80"},
        {{0x00, 0x80}, 1, "-32768"},
        {{0x00, 0x80}, 2, "FFFF8000"},
        {{0x34, 0x12}, 2, "1234"},
        {{0x01, 0x00}, 3, "1.0000000"},
        {{0xFF}, 3, "-1.0000000"},
        // A byte row in the floating format is the signed byte: 0x80 is -128, 0x7F is 127.
        {{0x80}, 3, "-128.0000000"},
        {{0x7F}, 3, "127.0000000"},
        {{0x00, 0x80}, 3, "-32768.0000000"},
        {{0x00, 0x00, 0x00, 0x80}, 3, "-2147483648.0000000"},
        {{0x41}, 4, "A"},
        {{0x61}, 4, "-h61"},
        {{0x30, 0x2F}, 4, "0-h2F"},
        {{0x03, 0x02, 0x01, 0x80}, 2, "80010203"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 1, "-1"},
        {{0x01, 0x00}, 0, "0000000000000001"},
    };
    for (const auto& [bytes, type, text] : cases)
        EXPECT_EQ(anyAddressValueText(bytes.data(), bytes.size(), type), text) << type << " " << text;
}

TEST_F(AnyAddressTest, ReadListsTheCheckedReplyAndRefusesBadCounts) {
    struct Case {
        const char* byteNo;
        const char* dataLength;
        std::size_t frames;  // EA frames sent
        std::vector<std::string> firstRows;
        const char* box;
    };
    const Case cases[] = {
        {"2", "16", 0, {}, "Error2015091931...StringLength<2 | Error Message | error"},
        {"K2", "16", 1, {"H09E0=0100"}, nullptr},
        {"64", "32", 1, {"H09E0=03020100", "H09E4=07060504"}, nullptr},
        {"K0", "16", 0, {}, nullptr},
        {"K256", "16", 0, {}, "Byte count must be 0 ~ 255 | Error Message | error"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        const std::size_t before = eaFrames();
        openWith(c.byteNo, "Hexiadecimal", c.dataLength).btnReadClick();
        EXPECT_EQ(eaFrames() - before, c.frames) << c.byteNo;
        const std::vector<std::string> shown = values();
        EXPECT_EQ(
            std::vector<std::string>(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                        shown.size(), c.firstRows.size()))),
            c.firstRows)
            << c.byteNo;
        EXPECT_EQ(shownBoxes(fakes.messages), c.box != nullptr ? Boxes{c.box} : Boxes{}) << c.byteNo;
    }
    EXPECT_EQ(dialog.rows.size(), 0u);
    openWith("64", "Hexiadecimal", "32").btnReadClick();
    EXPECT_EQ(dialog.rows.size(), 16u);
    EXPECT_EQ(dialog.rows.back().address, "H0A1C");
    EXPECT_EQ(anyAddressHexRows().front().substr(0, 12), "00 01 02 03 ");  // the machine-code view
    EXPECT_EQ(anyAddressHexRows().size(), 16u);
}

TEST_F(AnyAddressTest, WriteSendsAWordAndForcesSetAndClearABit) {
    openWith("64");
    dialog.dataEdit = "H1234";
    dialog.btnWriteClick();
    EXPECT_EQ(sim.plc.frames.back(), "EAC09E0023412");
    EXPECT_EQ(sim.plc.wordAt(kWatched), 0x1234);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Write Any Address To Device [OK]");
    dialog.addressEdit = "H0100";  // bit 0x100: byte 0x20, bit 0
    dialog.btnForceOnClick();
    EXPECT_EQ(sim.plc.byteAt(0x20), 1);
    dialog.btnForceOffClick();
    EXPECT_EQ(sim.plc.byteAt(0x20), 0);
    EXPECT_EQ(dialog.anyTxMemo,
              "024541463030303103"
              "3930");  // sent, shown before the reply
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(AnyAddressTest, FailuresAreToldAndNeverListed) {
    monitorMode = kMonitorLadder;
    openWith("K4");
    for (void (AnyAddressDialog::*request)() :
         {&AnyAddressDialog::btnReadClick, &AnyAddressDialog::btnWriteClick,
          &AnyAddressDialog::btnForceOnClick, &AnyAddressDialog::btnForceOffClick,
          &AnyAddressDialog::btnWhichAddressClick, &AnyAddressDialog::btnStartMonitorClick})
        (dialog.*request)();
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes(6, "In monitor mode...Stop the monitor first... | Read any address | warning"));
    EXPECT_TRUE(sim.plc.frames.empty());
    monitorMode = kMonitorOff;
    fakes.messages.shown.clear();
    dialog.addressEdit = "9";  // one character: refused before anything goes out
    dialog.btnForceOffClick();
    dialog.addressEdit = "H10000";
    dialog.btnReadClick();
    EXPECT_TRUE(sim.plc.frames.empty());
    sim.plc.fault = plcsim::Fault::Nak;
    openWith("K4").btnReadClick();
    EXPECT_TRUE(dialog.rows.empty());
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Error2015091930 | StringLength<2 | error",
                     "Address must be H0000 ~ HFFFF | Error Message | error",
                     "Error2015091331... Checksum error... | Communication Message | warning"}));
}

TEST_F(AnyAddressTest, TheLayoutFollowsTheWindowsSize) {
    dialog.width = 1000;
    dialog.height = 800;
    dialog.btnSetupPanelClick();
    const AnyAddressLayout& l = dialog.layout;
    EXPECT_EQ((std::vector<WidgetBox>{l.inputPanel, l.anyTxMemo, l.anyRxMemo, l.listView, l.column[0],
                                      l.column[9], l.column[10]}),
              (std::vector<WidgetBox>{{16, 16, 864, 96},
                                      {16, 120, 864, 48},
                                      {16, 176, 864, 48},
                                      {16, 232, 864, 560},
                                      {888, 16, 88, 24},
                                      {888, 304, 88, 24},
                                      {888, 400, 88, 24}}));
}

TEST_F(AnyAddressTest, TheBlockReadFillsTheUpperQuarterInTwoStepsOrStopsOnAClosedPort) {
    for (std::uint32_t i = 0; i < 256; ++i) sim.plc.setByte(0x1600 + i, static_cast<std::uint8_t>(255 - i));
    openAt(0);
    SubReadAnyAddress1Click();
    EXPECT_EQ(anyAddressBuf[768], 255);
    EXPECT_EQ(anyAddressBuf[1023], 0);
    const auto panel0 = fakes.statusBar.history(0);
    EXPECT_EQ(std::vector<std::string>(panel0.end() - 3, panel0.end()),
              (std::vector<std::string>{"Read Any Address From Device [Start] 50%",
                                        "Read Any Address From Device [Start] 100%",
                                        "Read Any Address From Device [OK]"}));
    EXPECT_EQ(std::tie(fakes.progress.maximum, fakes.progress.positions.back()), std::make_tuple(2, 2));
    EXPECT_FALSE(fakes.progress.visible);
    closeComPort();
    SubReadAnyAddress1Click();
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Com port not open... | Communication Message | warning",
                                                 "Error2015091350 | Communication Error | warning"}));
}

TEST_F(AnyAddressTest, TheWatchLoopFollowsTheAddressUntilStopAndEndsOnASilentPlc) {
    openWith("K2").btnReadClick();
    dialog.addressEdit = "H09E2";  // the loop takes the address the edit last gave
    dialog.AddressEditChange();
    std::vector<std::string> seen;
    std::vector<bool> monitoring;  // the window's state at each notice
    dialog.changed = [&] {
        monitoring.push_back(dialog.monitoring);
        if (dialog.monitoring) seen.push_back(dialog.rows.at(0).value);
    };
    fakes.clock.at(now() + 400, [&] { sim.plc.setWord(kWatched + 2, 0x5678); });
    fakes.clock.at(now() + 1000, [&] { dialog.btnStopMonitorClick(); });
    dialog.btnStartMonitorClick();
    EXPECT_EQ(seen.front(), "0302");
    EXPECT_EQ(seen.back(), "5678");
    EXPECT_FALSE(dialog.monitoring);
    // The loop's end is told to the window, so it leaves its monitoring state.
    ASSERT_FALSE(monitoring.empty());
    EXPECT_TRUE(monitoring.front());
    EXPECT_FALSE(monitoring.back());

    monitoring.clear();
    sim.plc.fault = plcsim::Fault::Silence;
    dialog.btnStartMonitorClick();
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"Error2015091324... TimeoutError... | Communication Message | warning"});
    EXPECT_EQ(monitoring, std::vector<bool>{false});  // a loop that ended at its first read says so too
}

// A PLC that answers the connection test's probes but not the last one after the change to 38400:
// the read's own box says so, not the write's, and nothing is listed.
TEST_F(AnyAddressTest, AReadWhoseConnectionTestIsLeftUnansweredSaysSoInItsOwnBox) {
    baudIndex = 2;
    setBaudRateString(2);
    sim.plc.replyDelayMs = 200;  // a poller tick comes inside each wait
    fakes.clock.bind(platform::TimerId::Timer1, [this] {
        Timer1Timer();
        if (sim.plc.baudRate() == 38400) sim.plc.fault = plcsim::Fault::Silence;  // silent once switched
    });
    openWith("K2").btnReadClick();
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Error2015030543 | Communication Error | warning",
                     "Error2015091324... TimeoutError... | Communication Message | warning"}));
    EXPECT_TRUE(dialog.rows.empty());
    EXPECT_EQ(comPortHandle, -1);
}

TEST_F(AnyAddressTest, TheItemsOpenTheWindowInTheirSetUpsAndCloseThePortAfterwards) {
    access.anyAddressScript = [](AnyAddressDialog& shown) {
        EXPECT_EQ(std::tie(shown.width, shown.height, shown.addressEdit),
                  std::make_tuple(1536, 864, std::string("H09E0")));
        shown.btnReadClick();
        shown.btnMachineCodeClick();
    };
    for (void (*item)() : {WriteAnyAddress1Click, ReadAnyAddress1Click, BitWrAnyAddress1Click}) item();
    EXPECT_EQ(access.captions,
              (std::vector<std::string>{"Write any address", "Machine Code:0", "Read any address",
                                        "Machine Code:0", "Force On/Off any bit address", "Machine Code:0"}));
    EXPECT_FALSE(fakes.serial.isOpen());
    SoftwareVariable1Click();
    EXPECT_EQ(access.captions.back(), "顯示軟體Kestrion變數:1536x648");
}

}  // namespace
}  // namespace kestrion::test
