#include "reader/Decoders.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/AppInstructionTable.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "reader/LoadState.h"
#include "reader/OperandWords.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using Words = std::vector<std::uint16_t>;
constexpr std::uint32_t kCell = 64;
constexpr std::uint32_t kUnplaced = 7;  // a position no decoder chooses

class DecodersTest : public test::CoreTest {
protected:
    DecodersTest() {
        ModeData.xSizeSymble = kCell;
        setupDrawGeometry();
        conv = {draw.iBusLineStart, 0};
        ldrNow = &object;
    }
    ~DecodersTest() override { ldrNow = nullptr; }
    std::size_t decode(const Words& words) {
        std::copy(words.begin(), words.end(), pmw.program.begin());
        convStepNo = 0;
        return decodeInstructionAt(kProgramAreaOffset) + 2 - kProgramAreaOffset;
    }
    stLadderBlock object;
};

struct Case {
    Words words;
    const char* mnemonic;
    const char* op1;
    const char* op2;
    std::uint32_t steps;
    std::uint16_t iCode;
    std::uint32_t cells = 0;  // the width of an object placed at the right bus
    bool dBit = false;
    bool pBit = false;
};

TEST_F(DecodersTest, EachWordGivesItsTextsStepsFlagsPlaceAndNextInstruction) {
    const Words d10{0x8614, 0x8600}, d11{0x8616, 0x8600}, d10w{0x8614, 0x8600, 0x8000, 0x8000};
    // clang-format off
    const Case cases[] = {
        {{0x2405}, "LD ", "X005", "?", 1, 0x2000}, {{0x3801}, "LDI", "M1", "?", 1, 0x3000},
        {{0x4500}, "AND", "Y000", "?", 1, 0x4000}, {{0x5600}, "ANI", "T0", "?", 1, 0x5000},
        {{0x6C00}, "OR ", "M1024", "?", 1, 0x6000}, {{0x7E01}, "ORI", "C1", "?", 1, 0x7000},
        {{0xC501}, "OUT", "Y001", "", 1, 0xC000}, {{0xDF02}, "SET", "M8002", "", 1, 0xD000},
        {{0xE802}, "RST", "M2", "", 1, 0xE000}, {{0xF00A}, "STL", "S10", "", 1, 0xF000},
        {{0x0007, 0x8802}, "RST", "M2", "", 2, 0x0007, 2},
        {{0xF7FF}, "RET", "", "", 1, 0xF7FF}, {{0xFFF8}, "ANB", "", "", 0, 0xFFF8},
        {{0xFFFD}, "INV", "", "", 1, 0xFFFD}, {{0x0002, 0x8501}, "OUT", "Y001", "", 2, 0x0002, 1},
        {{0x0004, 0x8802}, "RST", "M2", "", 2, 0x0004, 2}, {{0x0009, 0x8803}, "PLF", "M3", "", 2, 0x0009, 2},
        {{0x000A, 0x8002, 0x8864}, "MC", "N2", "M100", 3, 0x000A, 3}, {{0x000B, 0x8003}, "MCR", "N3", "", 2, 0x000B, 2},
        {{0x000C, 0x8E05}, "RST", "C5", "", 2, 0x000C, 2}, {{0x000D, 0x8614, 0x8600}, "RST", "D10", "", 3, 0x000D, 2},
        {{0x01C7, 0x8401}, "ORI", "X001", "?", 2, 0x01C7}, {{0x01CA, 0xA801}, "LDP", "M1537", "?", 2, 0x01CA},
        {{0x01CB, 0xA800}, "LDF", "M1536", "?", 2, 0x01CB}, {{0x03CF, 0x8400, 0x8030}, "ORF", "M3584", "?", 3, 0x03CF},
        {{0x03C2, 0x8400, 0x8030}, "LD ", "M3584", "?", 3, 0x03C2},
        {{0x03C2, 0x86C8, 0x9680}, "LD ", "D100.A", "?", 3, 0x03C2},
        {{0x0202, 0x86C8, 0x9680}, "OUT", "D100.A", "", 3, 0x0202, 1},
        {{0x0203, 0x8401, 0x8005}, "SET", "Y001", "", 3, 0x0203, 2},
        {{0x0205, 0x8401, 0x8005}, "DRST", "Y001", "", 3, 0x0205, 2, true},
        {{0x0208, 0x8400, 0x8030}, "PLS", "M3584", "", 3, 0x0208, 2},
        {{0x020A, 0x8001, 0x8400, 0x8031}, "MC", "N1", "M3840", 4, 0x020A, 3},
        {{0x000E}, "", "", "?", 0, 0x000E}, {{0x00C2}, "", "", "?", 0, 0x00C2}, {{0x1400}, "", "", "?", 0, 0},
        {{0x0028, d10[0], d10[1], d11[0], d11[1]}, "MOV", "D10", "D11", 5, 0x0028, 3},
        {{0x1029, d10w[0], d10w[1], d10w[2], d10w[3], d10w[0], d10w[1], d10w[2], d10w[3]}, "DMOVP", "D10", "D10", 9, 0x1029, 5, true, true},
        {{0x0014}, "SRET", "", "", 1, 0x0014, 1}, {{0x0015}, "SRET", "", "", 1, 0x0015, 1},
        {{0x0013, d10w[0], d10w[1], d10w[2], d10w[3]}, "CALL", "D10", "", 5, 0x0013, 3},
        {{0x001F}, "DWDT", "", "", 1, 0x001F, 1, true},
        {{0x11D1, d10w[0], d10w[1], d10w[2], d10w[3], d10w[0], d10w[1], d10w[2], d10w[3]}, "LDD=P", "D10", "D10", 9, 0x11D1, 0, true, true},
        {{0x1238, d10[0], d10[1], d10[0], d10[1], d10[0], d10[1], d10[0], d10[1], d11[0], d11[1]}, "ADPRW", "D10", "D10", 11, 0x1238, 6},
    };
    // clang-format on
    for (const Case& c : cases) {
        object = {};
        object.xAddr = kUnplaced;
        setText(object.operands[1], "?");  // kept by the decoders that do not clear
        EXPECT_EQ(decode(c.words), 2 * std::max<std::size_t>(c.steps, 1));
        EXPECT_EQ(textOf(object.mnemonic), c.mnemonic);
        EXPECT_EQ(textOf(object.operands[0]), c.op1);
        EXPECT_EQ(textOf(object.operands[1]), c.op2);
        EXPECT_EQ(convStepNo, c.steps);
        EXPECT_EQ(object.iCode, c.iCode);
        EXPECT_EQ(object.dFlag(), c.dBit);
        EXPECT_EQ(object.pFlag(), c.pBit);
        EXPECT_EQ(object.xAddr, c.cells > 0 ? draw.iBusLineEnd - c.cells * kCell : kUnplaced);
    }
}

TEST_F(DecodersTest, EveryRowOfTheInstructionTableDecodesItsOwnWordsInEveryForm) {
    for (const AppInstruction& row : appInstructions()) {
        for (const bool wide : {false, true}) {
            for (const bool pulse : {false, true}) {
                Words words{appCode(row.fnc, wide, pulse)};
                OperandSink sink{[&](std::uint32_t step, std::uint16_t w) {
                                     words.push_back(w);
                                     return step + 1;
                                 },
                                 wide};
                for (int i = 0; i < row.operands; ++i) encodeOperand(sink, 0, "D" + std::to_string(100 + i));
                object = {};
                EXPECT_EQ(decode(words), 2 * words.size());
                EXPECT_EQ(textOf(object.mnemonic), writtenMnemonic(row, wide, pulse));
                EXPECT_EQ(convStepNo, words.size());
                EXPECT_EQ(object.dFlag(), wide && row.dLetter);
                EXPECT_EQ(object.pFlag(), pulse && row.pLetter);
                for (int i = 0; i < row.operands; ++i)
                    EXPECT_EQ(textOf(object.operands[static_cast<std::size_t>(i)]),
                              "D" + std::to_string(100 + i));
            }
        }
    }
}

}  // namespace
}  // namespace kestrion
