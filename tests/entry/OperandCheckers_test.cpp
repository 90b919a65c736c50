#include "entry/OperandCheckers.h"

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

struct LineCase {
    std::string line;  // mnemonic and operands, separated by blanks
    int expected;
    bool doubleWord = false;
    std::uint16_t type = 5;
};

class CheckerTest : public test::CoreTest {
protected:
    CheckerTest() {
        pmw.setPlcType(5);
        yOldCursor = 64;
    }
    int check(const std::string& text, bool doubleWord = false) {
        std::istringstream words(text);
        std::string mnemonic;
        words >> mnemonic;
        line = stLadderBlock{};
        std::string word;
        for (std::size_t i = 0; words >> word; ++i) {
            if (i < 5) setText(line.operands[i], word);
            if (i == 5) setText(line.operand6, word);
        }
        editInstrFlags = doubleWord ? kInstrDoubleWord : 0;
        const bool label = (mnemonic[0] == 'P' || mnemonic[0] == 'I') && mnemonic.size() > 1 &&
                           mnemonic[1] >= '0' && mnemonic[1] <= '9';
        const OperandPattern* pattern = findOperandPattern(label ? mnemonic.substr(0, 1) : mnemonic);
        EXPECT_NE(pattern, nullptr) << mnemonic;
        if (pattern == nullptr) return -1;
        return checkOperands(*pattern, operandTextsOf(line), mnemonic);
    }
    void expectLines(const std::vector<LineCase>& cases) {
        for (const LineCase& c : cases) {
            pmw.setPlcType(c.type);
            EXPECT_EQ(check(c.line, c.doubleWord), c.expected);
            EXPECT_TRUE(fakes.messages.shown.empty()) << "no box for a syntax refusal";
            fakes.messages.shown.clear();
        }
    }
    void expectBoxes(const std::vector<std::pair<std::string, std::string>>& boxes, MsgIcon icon) {
        ASSERT_EQ(fakes.messages.shown.size(), boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(fakes.messages.shown[i].text, boxes[i].first);
            EXPECT_EQ(fakes.messages.shown[i].caption, boxes[i].second);
            EXPECT_EQ(fakes.messages.shown[i].icon, icon);
        }
    }
    std::string operand(std::size_t i) const { return textOf(line.operands[i]); }
    stLadderBlock line;
};

// clang-format off
TEST_F(CheckerTest, OperandCountAndThe32BitForm) {
    expectLines({
        {"MOV K10 D0", 0}, {"MOV K10", 1}, {"MOV K10 D0 D1", 1}, {"MOV K10 D0", 0, true}, {"INC D0", 0, true},
        {"CJ P0", 1, true}, {"CJ P0", 0}, {"PLS M0", 1, true}, {"SET Y0", 1, true}, {"FOR K1", 1, true},
        {"FOR K1", 0}, {"ABSD D0 D1 Y0", 1}, {"DABIN D0 D1", 0}, {"DABIN D0 D1 D2", 1}, {"INV", 0}, {"INV X0", 1},
        {"FEND", 1, true}, {"ADPRW D0 D1 D2 D3 D4", 0}, {"ADPRW D0 D1 D2 D3 D4 D5", 1}, {"RMMN A B C", 0},
        {"RMMN A B", 1}, {"SMOV K1 K1 K1 D0 K1", 1}, {"HOUR", 1},
    });
}

TEST_F(CheckerTest, RulesPerPosition) {
    expectLines({
        {"CMP K1 K2 X0", 1}, {"CMP K1 K2 Y0", 0}, {"TZCP D0 D1 D2 X0", 1}, {"TZCP D0 D1 D2 M0", 0},
        {"TZCP D0 V1 D2 M0", 1}, {"ZRST M0 M10", 0}, {"ZRST M0 Y10", 1}, {"ZRST X0 X10", 1}, {"ZRST V0 V1", 1},
        {"ROR D0 K16", 0}, {"ROR D0 K32", 0, true}, {"FROM K0 K0 D0 K32", 0}, {"FROM K0 K0 D0 K16", 0, true},
        {"BON D0 M0 K15", 0}, {"BON D0 M0 K31", 0, true}, {"BON D0 X0 K1", 1}, {"DECO K1 D0 K3", 0},
        {"DECO K1 D0 K3", 1, true}, {"DECO X0 M0 K8", 0}, {"DECO H1 M0 K8", 0}, {"DECO D0 X0 K3", 1},
        {"DECO E1 M0 K1", 1}, {"HSCS K100 C235 I010", 0}, {"HSCS K100 C235 X0", 1}, {"HSCS K100 C235 C999", 1},
        {"HSCR K100 C235 C999", 0}, {"HSCR K100 C235 I010", 1}, {"HSCS K100 D0 Y0", 1}, {"PRUN K4X0 K4Y0", 0},
        {"PRUN K4Y0 K4Y0", 1}, {"PRUN D0 K4Y0", 1}, {"PRUN K4X0 K4X0", 1}, {"MC N0 Y0", 0}, {"MC N0 S0", 1},
        {"MC N0 X0", 1}, {"MC N0 M8000", 1}, {"MC N0 M7V", 1}, {"MC N0 Y0Z1", 1}, {"ASC ABCDEFGH D0", 0}, {"ASC VBCDEFGH D0", 1}, {"ASC ABC D0", 1},
        {"CCD D0 K4M0 K10", 0}, {"CCD D0 K4Y0 K10", 1}, {"CCD D0 D10 D5", 0}, {"CCD V0 D10 K1", 1},
        {"RS D0 K10 D20 D5", 0}, {"RS D0 H10 D20 K1", 0}, {"SQR K4 D0", 0}, {"SQR K4Y0 D0", 1},
        {"EADD E1.5 D0 D10", 0, false, 2}, {"EADD E D0 D10", 1, false, 2}, {"EADD K1 D0 D10", 0, false, 2},
        {"SIN K1 D0", 1, false, 2}, {"SIN E1 R0", 0, false, 2}, {"EXP D0 R0", 0, false, 2}, {"TRD V0", 1},
        {"ALT X0", 1}, {"REF X0 K8", 0}, {"REF M0 K8", 1}, {"SFTR X0 M0 K16 K4", 0}, {"SFTR X0 X0 K16 K4", 1},
        {"PLSY K1 K2 Y0", 0}, {"PLSY K1 K2 M0", 1},
    });
}

TEST_F(CheckerTest, ConstantLimitsOfEachRow) {
    const std::vector<LineCase> cases = {
        {"REFF K0", 0}, {"REFF K60", 0}, {"REFF K61", 1}, {"REF X0 K0", 0}, {"REF X0 K64", 0}, {"REF X0 K65", 1},
        {"VRRD K3 D0", 0}, {"VRRD K4 D0", 1}, {"VRSC K0 D0", 0}, {"VRSC K3 D0", 0}, {"VRSC K4 D0", 1},
        {"BMOV D0 D1 K0", 0}, {"BMOV D0 D1 K128", 0}, {"BMOV D0 D1 K129", 1}, {"FMOV D0 D1 K0", 0},
        {"FMOV D0 D1 K128", 0}, {"FMOV D0 D1 K129", 1}, {"SFWR D0 D1 K2", 0}, {"SFWR D0 D1 K256", 0},
        {"SFWR D0 D1 K257", 1}, {"SFRD D0 D1 K0", 0}, {"SFRD D0 D1 K256", 0}, {"SFRD D0 D1 K257", 1},
        {"DECO D0 M0 K0", 0}, {"DECO D0 M0 K8", 0}, {"DECO D0 M0 K9", 1}, {"ENCO M0 D0 K0", 0},
        {"ENCO M0 D0 K8", 0}, {"ENCO M0 D0 K9", 1}, {"BON D0 M0 K0", 0}, {"BON D0 M0 K16", 1},
        {"BON D0 M0 K32", 1, true}, {"MEAN D0 D1 K0", 0}, {"MEAN D0 D1 K65", 1}, {"ASCI D0 D1 K0", 0},
        {"ASCI D0 D1 K64", 0}, {"ASCI D0 D1 K65", 1}, {"HEX D0 D1 K0", 0}, {"HEX D0 D1 K64", 0},
        {"HEX D0 D1 K65", 1}, {"CCD D0 D1 K1", 0}, {"CCD D0 D1 K64", 0}, {"SFTR X0 M0 K0 K256", 0},
        {"SFTR X0 M0 K256 K0", 0}, {"SFTR X0 M0 K257 K0", 1}, {"SFTR X0 M0 K0 K257", 1}, {"WSFR D0 D1 K0 K256", 0},
        {"WSFR D0 D1 K256 K0", 0}, {"WSFR D0 D1 K257 K0", 1}, {"WSFR D0 D1 K0 K257", 1}, {"MTR X0 Y0 M0 K0", 0},
        {"MTR X0 Y0 M0 K8", 0}, {"MTR X0 Y0 M0 K9", 1}, {"ABSD D0 C0 M0 K0", 0}, {"ABSD D0 C0 M0 K64", 0},
        {"ABSD D0 C0 M0 K65", 1}, {"INCD D0 C0 M0 K64", 0}, {"INCD D0 C0 M0 K65", 1}, {"RAMP D0 D1 D2 K0", 0},
        {"RAMP D0 D1 D2 K32767", 0}, {"RAMP D0 D1 D2 K32768", 1}, {"DSW X0 Y0 D0 K0", 0}, {"DSW X0 Y0 D0 K8", 0},
        {"DSW X0 Y0 D0 K9", 1}, {"FROM K0 K32767 D0 K0", 0}, {"FROM K7 K0 D0 K32", 0}, {"FROM K0 K32768 D0 K1", 1},
        {"TO K0 K32767 D0 K0", 0}, {"TO K7 K0 D0 K32", 0}, {"TO K8 K0 D0 K1", 1}, {"TO K0 K0 D0 K33", 1},
        {"TO K0 K0 D0 K16", 0, true}, {"TO K0 K0 D0 K17", 1, true}, {"RS D0 K0 D1 K128", 0},
        {"RS D0 K128 D1 K0", 0}, {"RS D0 K129 D1 K0", 1}, {"RS D0 K0 D1 K129", 1}, {"RS2 D0 K0 D1 K128 K0", 0},
        {"RS2 D0 K128 D1 K0 K128", 0}, {"RS2 D0 K129 D1 K0 K0", 1}, {"RS2 D0 K0 D1 K129 K0", 1},
        {"HSCT D0 K0 D1 Y0 K16", 0}, {"HSCT D0 K16 D1 Y0 K0", 0}, {"HSCT D0 K17 D1 Y0 K0", 1},
        {"HSCT D0 K0 D1 Y0 K17", 1}, {"HSCT D0 K32 D1 Y0 K32", 0, true}, {"HSCT D0 K0 D1 Y0 K33", 1, true},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(check(c.line, c.doubleWord), c.expected);
    }
    fakes.messages.shown.clear();
    EXPECT_EQ(check("ROR D0 K17"), 1);
    EXPECT_EQ(check("FROM K0 K0 D0 K32", true), 1);
    EXPECT_EQ(check("SFWR D0 D1 K1"), 1);
    expectBoxes({{"*kDeviceNoRange ", "Error2015112891..."}, {"*kDeviceNoRange ", "Error2015112891..."},
                 {"*kDeviceNoRange ", "Error2015112892..."}},
                MsgIcon::Error);
}

TEST_F(CheckerTest, TopLineRefusesOrFamilies) {
    for (std::uint32_t y : {0u, 64u}) {
        yOldCursor = y;
        const int onTop = y == 0 ? 1 : 0;
        EXPECT_EQ(check("OR X0"), onTop);
        EXPECT_EQ(check("ORF X0"), onTop);
        EXPECT_EQ(check("OR= K1 D0"), onTop);
        EXPECT_EQ(check("LD X0"), 0);
        EXPECT_EQ(check("AND= K1 D0"), 0);
    }
}

TEST_F(CheckerTest, PlcTypeTags) {
    const std::pair<std::string, const char*> cases[] = {
        {"MOV K1 D0", "000000"}, {"CML K1 D0", "100000"},      {"ECMP E1 E2 Y0", "101011"},
        {"ZPUSH D0", "101011"},  {"RMMN A B C", "100000"},
    };
    const std::uint16_t types[] = {1, 2, 4, 5, 6, 7};
    for (const auto& [text, byType] : cases) {
        for (std::size_t i = 0; i < 6; ++i) {
            pmw.setPlcType(types[i]);
            EXPECT_EQ(check(text), byType[i] - '0');
        }
    }
}

TEST_F(CheckerTest, BareIndexRegisterBecomesV0OrZ0) {
    const std::tuple<const char*, int, std::size_t, const char*> cases[] = {
        {"MOV K10 V", 0, 1, "V0"}, {"MOV Z K10", 1, 0, "Z0"}, {"ENCO M0 V K8", 0, 1, "V0"},
        {"DECO V M0 K3", 0, 0, "V0"}, {"GRY K1 V", 0, 1, "V"}, {"MOV K10 V1", 0, 1, "V1"}};
    for (const auto& [text, result, index, completed] : cases) {
        EXPECT_EQ(check(text), result) << text;
        EXPECT_EQ(operand(index), completed) << text;
    }
}

TEST_F(CheckerTest, PulseCoilsRefuseSpecialRelaysBeforeTheValidator) {
    pmw.setPlcType(1);
    EXPECT_EQ(check("PLS M80000"), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(check("PLF M800"), 1);  // M800 reaches the range check of type 1
    expectBoxes({{"*mDeviceNoRange-q0", "Error2015112884..."}}, MsgIcon::Error);
    pmw.setPlcType(5);
    EXPECT_EQ(check("PLS M800"), 0);
    EXPECT_EQ(check("PLS M0 Y0"), 1);
    EXPECT_EQ(check("PLS"), 1);
}

TEST_F(CheckerTest, MeanAnnouncesEachRefusal) {
    const std::string caption = "Error2015110145";
    EXPECT_EQ(check("MEAN D0 D10 K64"), 0);
    EXPECT_EQ(check("MEAN D0 D10"), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
    connectedPlcType = 5;
    EXPECT_EQ(check("MEAN D0 D10 K64", true), 1);
    expectBoxes({{"Can't used double word...", caption}}, MsgIcon::None);
    connectedPlcType = 2;
    fakes.messages.shown.clear();
    EXPECT_EQ(check("MEAN D0 D10 K64", true), 0);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(check("MEAN D0 D10 K64 D20"), 1);
    expectBoxes({{"Operand too much...", caption}}, MsgIcon::None);
    pmw.setPlcType(1);
    fakes.messages.shown.clear();
    EXPECT_EQ(check("MEAN D0 D10 K64"), 1);
    expectBoxes({{"Unsupported this type...", caption}}, MsgIcon::None);
    connectedPlcType = kNoPlcDetected;
    fakes.messages.shown.clear();
    EXPECT_EQ(check("MEAN D0 D10 K64 D20", true), 1);
    expectBoxes({{"Can't used double word...", caption}, {"Operand too much...", caption},
                 {"Unsupported this type...", caption}},
                MsgIcon::None);
}

TEST_F(CheckerTest, FloatToBcdIsAlwaysRefusedWithItsMessage) {
    for (const std::uint16_t type : std::initializer_list<std::uint16_t>{1, 5}) {
        pmw.setPlcType(type);
        fakes.messages.shown.clear();
        EXPECT_EQ(check("EBCD D0 D2"), 1);
        EXPECT_EQ(check("EBIN D0 D2"), 1);
        expectBoxes({{"*Unsupported", "Error2014121918..."}, {"*Unsupported", "Error2014121919..."}}, MsgIcon::Error);
    }
}

TEST_F(CheckerTest, OutputCoils) {
    const std::tuple<std::string, bool, const char*> cases[] = {
        {"OUT Y0", false, nullptr}, {"OUT Y0", true, "Error2015022880"}, {"OUT", false, "Error2015022881"},
        {"OUT T0", false, "Error2015022882"}, {"OUT T0 K10 K1", false, "Error2015022883"},
        {"OUT Y0 K10", false, "Error2015022884"}, {"OUT T0 K10", false, nullptr}, {"OUT X0", false, "Error2015022889"},
    };
    for (const auto& [text, doubleWord, traceId] : cases)
        EXPECT_EQ(check(text, doubleWord), traceId == nullptr ? 0 : 1) << text;
}

TEST_F(CheckerTest, Labels) {
    expectLines({
        {"P10", 0}, {"P10 K1", 1}, {"P10", 1, true}, {"I100", 0}, {"P4095", 0, false, 2}, {"P1X", 1},
    });
    pmw.setPlcType(1);
    EXPECT_EQ(check("I10"), 1);
    expectBoxes({{"*iDeviceNoRange ", "Error2015112801..."}}, MsgIcon::Error);
}

// clang-format on

}  // namespace
}  // namespace kestrion
