#include "wizards/calculators/AutoLinkCalculator.h"

#include "support/ShownBoxes.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/calculators/CalculatorCommands.h"

namespace kestrion::test {
namespace {

class AutoLinkTest : public WizardsTest {
protected:
    AutoLinkTest() { calculator.FormShow(); }
    std::string text(const std::string& name) const { return calculator.control(name).text; }
    bool yellow(const std::string& name) const { return calculator.control(name).yellow; }
    // Types the text one key at a time, as the user does.
    void type(const std::string& name, const std::string& keys) {
        std::string typed = calculator.control(name).text;
        for (char key : keys) calculator.userText(name, typed += key);
    }
    AutoLinkCalculator calculator;
};

TEST_F(AutoLinkTest, ProtocolsAndSerialSettingsMakeTheFormatWord) {
    struct Step {
        const char* control;
        const char* pick;
        const char* word;
        const char* codes;  // header, terminator 1, terminator 2
    };
    const Step steps[] = {
        {"protocolComboBox", "ModbusAscii", "3300", "003A 000D 000A"},
        {"protocolComboBox", "ModbusRtu", "6001", "0000 0000 0000"},
        {"baudRateComboBox", "9600", "6081", "0000 0000 0000"},
        {"parityComboBox", "Even", "6087", "0000 0000 0000"},
        {"stopBitsComboBox", "2", "608F", "0000 0000 0000"},
        {"dataBitsComboBox", "7", "608E", "0000 0000 0000"},
        {"parityComboBox", "Odd", "608A", "0000 0000 0000"},
        {"Format14ComboBox", "4", "E08A", "0000 0000 0000"},
        {"baudRateComboBox", "1200", "E05A", "0000 0000 0000"},
    };
    for (const Step& step : steps) {
        calculator.userPick(step.control, step.pick);
        EXPECT_EQ(text("D8120Edit"), step.word) << step.pick;
        EXPECT_EQ(text("HeaderEdit") + " " + text("Terminator1Edit") + " " + text("Terminator2Edit"),
                  step.codes)
            << step.pick;
    }
    EXPECT_EQ(calculator.record.protocolCode, 10);
    EXPECT_EQ(text("HeaderComboBox"), "OFF");
    EXPECT_FALSE(calculator.control("SumCheckComboBox").enabled);
}

// Each protocol replaces the word's high byte and sets or clears bit 0, keeping the serial bits:
// c-Link E000 with 7 data bits, ModbusAscii 3300 with 7, ModbusRtu 6000 with 8, and None (any text
// that names no protocol) 0300 with 8.
TEST_F(AutoLinkTest, EveryProtocolGivesItsHighByteAndDataBitOverTheSerialBits) {
    calculator.userPick("baudRateComboBox", "9600");
    calculator.userPick("parityComboBox", "Even");
    calculator.userPick("stopBitsComboBox", "2");
    ASSERT_EQ(text("D8120Edit"), "008E");
    const std::pair<const char*, const char*> cases[] = {
        {"ModbusAscii", "338E"}, {"None", "038F"},   {"c-Link", "E08E"},
        {"ModbusRtu", "608F"},   {"RS-232", "038F"}, {"ModbusAscii", "338E"},
    };
    for (const auto& [protocol, word] : cases) {
        calculator.userPick("protocolComboBox", protocol);
        EXPECT_EQ(text("D8120Edit"), word) << protocol;
        EXPECT_EQ(calculator.record.formatWord, std::stoul(word, nullptr, 16)) << protocol;
    }
    calculator.userPick("protocolComboBox", "None");
    EXPECT_EQ(calculator.record.protocolCode, 0);
    EXPECT_EQ(text("protocolComboBox") + " " + text("dataBitsComboBox") + " " + text("SumCheckComboBox"),
              "None 8 No");
    EXPECT_TRUE(calculator.control("dataBitsComboBox").enabled);
    EXPECT_EQ(text("baudRateComboBox") + " " + text("parityComboBox") + " " + text("stopBitsComboBox"),
              "9600 Even 2");
}

TEST_F(AutoLinkTest, HeaderAndTerminatorCodesFollowTheirSwitchAndTheProtocol) {
    const auto codes = [this] {
        return text("HeaderEdit") + " " + text("Terminator1Edit") + " " + text("Terminator2Edit");
    };
    for (const char* code : {"HeaderComboBox", "Terminator1ComboBox", "Terminator2ComboBox"})
        calculator.userPick(code, "ON");
    EXPECT_EQ(codes(), "0000 0000 0000");  // no protocol
    calculator.userPick("protocolComboBox", "ModbusAscii");
    EXPECT_FALSE(calculator.control("Format14ComboBox").enabled ||
                 calculator.control("cLinkWaitTimeEdit").enabled);
    calculator.userPick("HeaderComboBox", "OFF");
    calculator.userPick("Terminator1ComboBox", "OFF");
    EXPECT_EQ(codes(), "0000 0000 000A");
    // The rules know c-Link too, though the list does not offer it; it clears the data bit RTU set.
    calculator.userPick("protocolComboBox", "ModbusRtu");
    calculator.userPick("protocolComboBox", "c-Link");
    EXPECT_EQ(text("D8120Edit") + " " + codes(), "E000 0005 000D 000A");
    EXPECT_TRUE(calculator.control("Format14ComboBox").enabled &&
                calculator.control("cLinkWaitTimeEdit").enabled);
    calculator.userPick("HeaderComboBox", "ON");
    EXPECT_EQ(text("HeaderEdit"), "0005");
}

TEST_F(AutoLinkTest, TheControlBlockRangesAreCheckedAndClamped) {
    struct Case {
        const char* spin;
        const char* typed;
        const char* shown;
        const char* label;
        bool flagged;
        int field;
    };
    const Case cases[] = {
        {"LinkControlBitDeviceNoCSpinEdit", "1496", "1496", "M1496--M1535 be occupied", false, 1496},
        {"LinkControlBitDeviceNoCSpinEdit", "1497", "1497", "M1497--M1536 be occupied", true, 1497},
        {"LinkControlBitDeviceNoCSpinEdit", "2000", "2000", "M2000--M2039 be occupied", true, 200},
        {"LinkControlBitDeviceNoCSpinEdit", "9000", "1535", "M1535--M1574 be occupied", true, 1535},
        {"LinkControlByteDeviceNoCSpinEdit", "3900", "3900", "D3900--D3999 be occupied", false, 3900},
        {"LinkControlByteDeviceNoCSpinEdit", "3901", "3901", "D3901--D4000 be occupied", true, 3901},
        {"LinkControlByteDeviceNoCSpinEdit", "9000", "3999", "D3999--D4098 be occupied", true, 3999},
    };
    for (const Case& c : cases) {
        calculator.userText(c.spin, "");
        type(c.spin, c.typed);
        const bool bit = std::string(c.spin).find("Bit") != std::string::npos;
        const std::string label = bit ? "linkInformationLabel1" : "linkInformationLabel2";
        EXPECT_EQ(text(c.spin), c.shown) << c.typed;
        EXPECT_EQ(text(label), c.label) << c.typed;
        EXPECT_EQ(yellow(c.spin) && yellow(label), c.flagged) << c.typed;
        EXPECT_EQ(bit ? calculator.record.linkControlBitDeviceNo : calculator.record.linkControlByteDeviceNo,
                  c.field)
            << c.typed;
    }
}

TEST_F(AutoLinkTest, NumericFieldsAreClampedAndSpacingsCheckedAgainstWordCounts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"MaximumStationNoEdit", "99", "32"},  {"MaximumStationNoEdit", "0", "1"},
        {"MaximumStationNoEdit", "00", "1"},   {"TimeOutTimerEdit", "40000", "32767"},
        {"RxWorkNo1AddrEdit", "8000", "7999"}, {"sendWordCountEdit", "11", "10"},
        {"TxWorkNo1AddrEdit", "8000", "7999"}, {"cLinkWaitTimeEdit", "0", "0"},
    };
    for (const auto& [name, typed, shown] : cases) {
        calculator.userText(name, typed);
        EXPECT_EQ(text(name), shown) << name << " " << typed;
    }
    EXPECT_EQ(calculator.record.maximumStationNo, 1);
    // Spacing 2 and word count 5, in either order; count 2 clears the flag.
    calculator.userText("TxEach1AllocEdit", "2");
    calculator.userText("sendWordCountEdit", "5");
    EXPECT_TRUE(yellow("TxEach1AllocEdit"));
    calculator.userText("sendWordCountEdit", "2");
    EXPECT_FALSE(yellow("TxEach1AllocEdit"));
    calculator.userText("receiveWordCountEdit", "5");
    calculator.userText("RxEach1AllocEdit", "2");
    EXPECT_TRUE(yellow("RxEach1AllocEdit"));
    // Empty or pasted nonsense: flagged, the value stays.
    for (const char* bad : {"", "12a", "-3"}) {
        calculator.userText("rsWaitTimeEdit", "77");
        calculator.userText("rsWaitTimeEdit", bad);
        EXPECT_TRUE(yellow("rsWaitTimeEdit")) << bad;
        EXPECT_EQ(calculator.record.rsWaitTime, 77) << bad;
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(AutoLinkTest, StationAddressesFollowTheirRowsModeAndFillAll) {
    calculator.userPick("RxComboBox1", "Hex");
    EXPECT_EQ(calculator.keyFilter("RxEdit1"), KeyFilter::HexDigits);
    EXPECT_EQ(calculator.keyFilter("RxEdit2"), KeyFilter::Digits);
    calculator.userText("RxEdit1", "1a2b");
    EXPECT_EQ(text("RxEdit1"), "1A2B");
    EXPECT_EQ(calculator.record.rxStationAddr[0], 6699);
    calculator.userPick("RxComboBox1", "Dec");
    EXPECT_EQ(text("RxEdit1"), "6699");
    calculator.userPick("RxComboBox1", "Hex");
    EXPECT_EQ(text("RxEdit1"), "1A2B");
    calculator.userPick("RxComboBox3", "Hex");
    calculator.fillAllClick(true);
    EXPECT_EQ(text("RxEdit2"), "6699");
    EXPECT_EQ(text("RxEdit3"), "1A2B");
    EXPECT_EQ(text("RxEdit32"), "6699");
    EXPECT_EQ(text("TxEdit2"), "0");
    EXPECT_EQ(calculator.record.rxHexMask, 0b101u);
    calculator.userPick("TxComboBox1", "Hex");
    calculator.userText("TxEdit1", "FFFF");
    calculator.userPick("TxComboBox1", "Dec");
    EXPECT_EQ(text("TxEdit1"), "65535");
}

TEST_F(AutoLinkTest, BadCharactersAreRefusedWithTheirBoxes) {
    calculator.userText("RxEdit4", "12");
    calculator.userText("RxEdit4", "1G");
    EXPECT_EQ(text("RxEdit4"), "");
    EXPECT_TRUE(yellow("RxEdit4"));
    EXPECT_EQ(calculator.record.rxStationAddr[3], 12);
    calculator.userText("LinkControlByteDeviceNoCSpinEdit", "2x");
    EXPECT_EQ(text("LinkControlByteDeviceNoCSpinEdit"), "");
    EXPECT_EQ(text("linkInformationLabel2"), "");
    EXPECT_EQ(calculator.record.linkControlByteDeviceNo, 0);
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Character must be '0'--'9'or'A'--'F' | Error Message | error",
                     "Device no must be 0 - 9 ! | Error Message | error"}));
    // The D register field is empty now: OK refuses; a single blank in the M relay field too.
    EXPECT_FALSE(calculator.btnOkClick());
    calculator.userText("LinkControlBitDeviceNoCSpinEdit", " ");
    EXPECT_FALSE(calculator.btnOkClick());
    EXPECT_EQ(text("LinkControlBitDeviceNoCSpinEdit"), "0");
    EXPECT_EQ(shownBoxes(fakes.messages).back(), "enableMregisterNo Error | Error Message | error");
    EXPECT_EQ(shownBoxes(fakes.messages)[2], "startDregisterNo Error | Error Message | error");
    calculator.userText("LinkControlByteDeviceNoCSpinEdit", "5");
    EXPECT_TRUE(calculator.btnOkClick());
    EXPECT_EQ(calculator.record.okPressed, 1);
}

TEST_F(AutoLinkTest, KeyFiltersAndHelp) {
    const std::tuple<const char*, char, bool> keys[] = {
        {"protocolComboBox", '1', false}, {"StationNoEdit", 'f', true},
        {"StationNoEdit", 'g', false},    {"TimeOutTimerEdit", '5', true},
        {"TimeOutTimerEdit", 'A', false}, {"LinkControlBitDeviceNoCSpinEdit", '-', false},
    };
    for (const auto& [name, key, passes] : keys)
        EXPECT_EQ(keyPasses(calculator.keyFilter(name), key), passes) << name;
    calculator.userText("LinkControlBitDeviceNoCSpinEdit", "100");
    calculator.userText("LinkControlByteDeviceNoCSpinEdit", "200");
    const DeviceUsageReport report = calculator.helpReport();
    EXPECT_EQ(
        std::make_tuple(report.deviceUsageMode, report.bitDeviceNo1, report.byteDeviceNo1, report.caption),
        std::make_tuple(1, 100, 200, std::string("Auto link control")));
    showAutoLinkCalculator();
    EXPECT_EQ(wizardsDialogs.shown, std::vector<std::string>{"AutoLink"});
}

}  // namespace
}  // namespace kestrion::test
