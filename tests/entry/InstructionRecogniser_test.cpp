#include "entry/InstructionRecogniser.h"

#include <sstream>
#include <string>
#include <vector>

#include "entry/InstructionTable.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

constexpr std::uint32_t kCell = 80;
constexpr std::uint8_t kD = kInstrDoubleWord;
constexpr std::uint8_t kP = kInstrPulse;

struct Expected {
    std::string line;
    std::uint32_t code;
    std::uint8_t flags = 0;  // D and P flags after the call
};

class RecogniserTest : public test::CoreTest {
protected:
    RecogniserTest() {
        pmw.setPlcType(5);
        connectedPlcType = 2;  // lets the 32-bit MEAN through
        draw.iBusLineStart = kCell;
        yOldCursor = 64;
    }
    std::uint32_t recognise(const std::string& line, std::uint32_t x = 2 * kCell, std::uint32_t y = 0) {
        std::istringstream words(line);
        std::string word;
        object = stLadderBlock{};
        words >> word;
        setText(object.mnemonic, line.find(' ') == std::string::npos ? word : word + " ");
        for (std::size_t i = 0; words >> word && i < 5; ++i) setText(object.operands[i], word);
        return checkInstrCode(x, y, object.mnemonic, operandTextsOf(object));
    }
    std::uint8_t formFlags() const { return editInstrFlags & (kD | kP); }
    void expectCodes(const std::vector<Expected>& cases) {
        for (const Expected& c : cases) {
            EXPECT_EQ(recognise(c.line), c.code);
            EXPECT_EQ(formFlags(), c.flags);
            EXPECT_EQ((editInstrFlags & kInstrNotRecognised) == 0, c.code != 0);
        }
    }
    stLadderBlock object;
};

// clang-format off
TEST_F(RecogniserTest, NamesThatBeginWithDAndThe32BitPrefix) {
    expectCodes({
        {"DIV D0 D1 D2", 0x003E}, {"DDIV D0 D2 D4", 0x003E, kD},
        {"DSZR D0 D1 Y0 Y1", 0x013C}, {"DDSZR D0 D2 Y0 Y1", 0x013C, kD},
        {"DEC D0", 0x0042}, {"DDEC D0", 0x0042, kD}, {"DECO K1 D0 K3", 0x0062}, {"DECP D0", 0x0042, kP},
        {"DSW X0 Y0 D0 K1", 0x00A0}, {"DVIT D0 D1 Y0 Y1", 0x013E}, {"DRVI D0 D1 Y0 Y1", 0x014C},
        {"DRVA D0 D1 Y0 Y1", 0x014E}, {"DABIN D0 D1", 0x0218}, {"DDABIN D0 D2", 0x0218, kD}, {"DINC D0", 0x0040, kD},
        {"DECMP K1 K2 Y0", 0x00EC, kD}, {"DEG D0 D2", 0x0122}, {"DDEG D0 D2", 0x0122, kD},
        {"DDI", 0, kD},  // the table carries no 32-bit DI
    });
}


TEST_F(RecogniserTest, PulseFormsAndOtherSpellings) {
    expectCodes({
        {"MOVP K1 D0", 0x0028, kP}, {"DECPO K1 D0 K3", 0x0062, kP}, {"DECOP K1 D0 K3", 0x0062, kP},
        {"INCPD D0 C1 Y0 K1", 0x008E, kP}, {"INCP D0", 0x0040, kP}, {"REFPF K10", 0x0076, kP},
        {"REFP Y0 K8", 0x0074, kP}, {"TOP K0 K0 D0 K1", 0x00AE, kP}, {"LDP X0", 0x01CA}, {"EXP D0 D2", 0x0108},
        {"POP D0 D1 K1", 0x01B8}, {"INVP", 0xFFFD, kP}, {"BKCMPGEQ D0 D1 D2 D3", 0x019E},
        {"BKCMP>= D0 D1 D2 D3", 0x019E}, {"BKADDP D0 D1 D2 D3", 0x0190, kP}, {"$ADDP D0 D1 D2", 0x01A4, kP},
    });
}

TEST_F(RecogniserTest, CompareContactsWrittenWithTheirDOrAlone) {
    expectCodes({
        {"LDD= D0 D2", 0x01D1, kD}, {"LDD>< D0 D2", 0x01D9, kD}, {"ORD>= D0 D2", 0x01FD, kD}, {"<> D0 K1", 0x01D8},
        {">< D0 K1", 0x01D8}, {"!= D0 K1", 0x01D8}, {"== D0 K1", 0x01D0}, {">= D0 K1", 0x01DC},
        {"D= D0 D2", 0x01D0, kD}, {"D<> D0 D2", 0x01D8, kD},
    });
}

TEST_F(RecogniserTest, LabelsKeepTheirNumberInTheMnemonic) {
    pmw.setPlcType(2);
    expectCodes({{"P10", 0xB000}, {"I001", 0xB000}, {"P256", 0xB100}, {"P10 K1", 0}, {"DP10", 0, kD}, {"P1X", 0}});
}

TEST_F(RecogniserTest, ContactAndCoilCodesFollowTheDeviceClass) {
    pmw.setPlcType(2);
    expectCodes({
        {"LD X0", 0x2000}, {"OR X0", 0x6000}, {"SET M8256", 0x0003}, {"LD M1536", 0x01C2}, {"LD M3584", 0x03C2}, {"LD S1024", 0x01C2},
        {"LD D0.1", 0x03C2}, {"LDI M8256", 0x01C3}, {"ANI M3584", 0x03C5}, {"ORI M1536", 0x01C7},
        {"ANDP M3584", 0x03CC}, {"LDF M1536", 0x01CB}, {"OUT Y000", 0xC000}, {"OUT M1536", 0x0002}, {"OUT M3584", 0x0202}, {"OUT S1024", 0x0005},
        {"OUT D0.1", 0x0202}, {"SET S1024", 0x0006}, {"RST M3584", 0x0204}, {"RST S1024", 0x0007},
        {"PLS M3584", 0x0208}, {"PLF M1536", 0x0009}, {"MC N0 M3584", 0x020A}, {"MC N0 Y0", 0x000A},
        {"STL S0", 0xF000}, {"INV", 0xFFFD},
        // a whole register is reset by the word form; as a bit device it needs its bit
        {"RST D0", 0x000D}, {"RST D0.1", 0x0204}, {"RST R5", 0x000D}, {"RST V1", 0x000D}, {"RST Z0", 0x000D},
        {"OUT D3", 0}, {"SET D3", 0}, {"LD D3", 0}, {"AND D3", 0},
    });
    pmw.setPlcType(5);  // the extended forms follow the device map on every type
    expectCodes({{"LD M2600", 0x01C2}, {"OUT M2600", 0x0002}});
}

TEST_F(RecogniserTest, FirstCellOfTheFirstRowRefusesRungEnders) {
    for (const std::string line : {"OUT Y000", "SET Y0", "RST Y0", "IRET", "SRET", "RET", "RS2 D0 K1 D1 K1 K0"}) {
        EXPECT_EQ(recognise(line, kCell, 0), 0u);
        EXPECT_NE(recognise(line, kCell, 64), 0u);
    }
    // Instructions that stand alone on their line are taken at any cell of a line that holds
    // nothing else (the ladder here is empty); END never.
    const std::pair<std::string, std::uint32_t> standalone[] = {
        {"IRET", 0x0016}, {"SRET", 0x0014}, {"RET", 0xF7FF}, {"DI", 0x001A},   {"EI", 0x0018},
        {"FEND", 0x001C}, {"FOR K5", 0x0020}, {"NEXT", 0x0022}, {"MCR N0", 0x000B}};
    for (const auto& [line, code] : standalone) {
        EXPECT_EQ(recognise(line, kCell, 64), code) << line;
        EXPECT_EQ(recognise(line, 2 * kCell, 64), code) << line;
    }
    EXPECT_EQ(recognise("END", kCell, 64), 0u);
    EXPECT_EQ(recognise("OUT Y000", 2 * kCell, 0), 0xC000u);
    EXPECT_EQ(recognise("OUT Y000", 2 * kCell, 0), 0xC000u);
    EXPECT_EQ(recognise("LD X0", kCell, 0), 0x2000u);
}

TEST_F(RecogniserTest, UnsupportedFirstCharactersAreAnnounced) {
    for (const std::string line : {"", "#1", "1MOV", "D#", "ZQ", "ZOX", "ZONX", "Z K1", "DZQ", "a", "@"}) {
        EXPECT_EQ(recognise(line), 0u);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, "*Unsupported");
        EXPECT_EQ(fakes.messages.shown[0].caption, "Error2015102799...");
        EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Error);
        fakes.messages.shown.clear();
    }
}

TEST_F(RecogniserTest, NearMissesAreRefusedWithoutAMessage) {
    for (const std::string line : {
             "LDX000", "MQ", "ZCX", "ZONEX D0 D1 D2 D3", "MO D0 D1", "MOVE D0 D1", "MOVPP D0 D1", "FORP K5",
             "LDPP X0", "LDDP X0", "HSCSP K1 C235 Y0", "ADPRWP D0 D1 D2 D3 D4", "DSWP X0 Y0 D0 K1", "END K1",
             "MOV", "INV X0", "LD><  D0 D1", "LD== D0 D1", "LDD== D0 D1", "$X D0", "$+X D0 D1 D2", "NOP",
             "DCALL P0", "EMOV E1.5 D0", "DBLKP D0 Y0 Y1", "DADPRW D0 D1 D2 D3 D4", "DIP", "DECPOP K1 D0 K3",
             "BKCMP D0 D1 D2 D3", "BKCMPX D0 D1 D2 D3", "SFRDD D0 D1 K1", "P", "I", "SMOV K1 K1 K1 D0 K1", "SERP D0 D1 D2 K1", "HOUR D0 D1 Y0", "MOV K10", "OUT T0", "DLD X0", "CMP K1 K2 X0"}) {
        EXPECT_EQ(recognise(line), 0u);
        EXPECT_TRUE(fakes.messages.shown.empty());
    }
}

TEST_F(RecogniserTest, StackInstructionsAreMatchedButNeverEntered) {
    for (const std::string line : {"ANB", "ORB", "MPS", "MRD", "MPP", "ANB X0", "NOP"}) {
        EXPECT_EQ(recognise(line), 0u);
        EXPECT_EQ(editInstrFlags & kInstrNotRecognised, line.size() == 3 && line != "NOP" ? 0 : kInstrNotRecognised);
    }
}

// clang-format on

std::string sampleOperand(const OperandPosition& position, bool wide) {
    switch (position.kind) {
        case OperandKind::Const: return "K" + std::to_string(position.limitsFor(wide).min);
        case OperandKind::Ptr: return "P0";
        case OperandKind::Text8: return "ABCDEFGH";
        case OperandKind::Unchecked: return "A";
        default: break;
    }
    const bool bit = position.kind == OperandKind::Bit;
    for (const std::string& candidate :
         bit ? std::vector<std::string>{"Y0", "X0"} : std::vector<std::string>{"D0", "C0", "K4X0", "K4Y0"}) {
        const bool refused =
            position.refusedFirst.find(candidate[0]) != std::string_view::npos ||
            (candidate.size() > 2 && position.refusedThird.find(candidate[2]) != std::string_view::npos);
        if (!refused) return candidate;
    }
    return "?";
}

// Every name the box accepts, alternate names included, is recognised in its plain form.
TEST_F(RecogniserTest, EveryNameOfTheBoxVocabulary) {
    int accepted = 0;
    for (const AppInstruction& row : appInstructions()) {
        if (row.box != BoxEntry::Accepted || row.mnemonic == "EBCD" || row.mnemonic == "EBIN") continue;
        const OperandPattern* pattern = findOperandPattern(row.mnemonic);
        ASSERT_NE(pattern, nullptr) << row.mnemonic;
        std::vector<std::string_view> names{row.mnemonic};
        for (const AppAlternateName& alternate : appAlternateNames())
            if (alternate.fnc == row.fnc) names.push_back(alternate.name);
        for (const std::string_view name : names) {
            if (name == "EMOV") continue;  // only its 32-bit form exists
            std::string line(name);
            for (std::size_t i = 0; i < pattern->operandCount(); ++i)
                line += " " + sampleOperand(pattern->positions[i], false);
            EXPECT_EQ(recognise(line, kCell, 64), appCode(row.fnc, false, false)) << line;
            EXPECT_EQ(formFlags(), 0) << line;
            ++accepted;
        }
    }
    EXPECT_GT(accepted, 150);
}

}  // namespace
}  // namespace kestrion
