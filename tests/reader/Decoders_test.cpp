#include "reader/Decoders.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/AppInstructionTable.h"
#include "model/DrawGeometry.h"
#include "model/LadderObject.h"
#include "model/ModeData.h"
#include "model/ProgramImage.h"
#include "reader/LoadState.h"
#include "reader/OperandWords.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using Words = std::vector<std::uint16_t>;

constexpr std::uint32_t kCell = 64;
constexpr std::uint32_t kUnplaced = 7;  // a position no decoder would choose

struct Decoded {
    std::string mnemonic;
    std::string op1;
    std::string op2;
    int steps = 0;
    std::size_t nextBytes = 0;  // from the code word to the next instruction
    bool dBit = false;
    bool pBit = false;
    std::uint16_t iCode = 0;
    std::uint32_t xAddr = 0;
};

Words operandWords(std::string_view text, bool wide) {
    Words words;
    OperandSink sink{[&](std::uint32_t step, std::uint16_t w) {
                         words.push_back(w);
                         return step + 1;
                     },
                     wide};
    encodeOperand(sink, 0, text);
    return words;
}

class DecodersTest : public test::CoreTest {
protected:
    DecodersTest() {
        ModeData.xSizeSymble = kCell;
        ModeData.ySizeSymble = 68;
        setupDrawGeometry();
        conv = {draw.iBusLineStart, 0};
    }

    Decoded decode(const Words& words) {
        std::copy(words.begin(), words.end(), pmw.program.begin());
        stLadderBlock object;
        object.xAddr = kUnplaced;
        ldrNow = &object;
        convStepNo = 10;
        const std::size_t last = decodeInstructionAt(kProgramAreaOffset);
        ldrNow = nullptr;
        return {textOf(object.mnemonic),  textOf(object.operands[0]), textOf(object.operands[1]),
                static_cast<int>(convStepNo) - 10,          last + 2 - kProgramAreaOffset, object.dFlag(),
                object.pFlag(),           object.iCode,                object.xAddr};
    }
};

struct BasicCase {
    Words words;
    const char* mnemonic;
    const char* op1;
    const char* op2;
    int steps;
    std::size_t nextBytes;
    std::uint16_t iCode;
};

TEST_F(DecodersTest, BasicInstructionWordsGiveTheirTextsStepsAndNextInstruction) {
    // clang-format off
    const BasicCase cases[] = {
        {{0x2405}, "LD ", "X005", "", 1, 2, 0x2000},
        {{0x3801}, "LDI", "M1", "", 1, 2, 0x3000},
        {{0x4500}, "AND", "Y000", "", 1, 2, 0x4000},
        {{0x5600}, "ANI", "T0", "", 1, 2, 0x5000},
        {{0x6C00}, "OR ", "M1024", "", 1, 2, 0x6000},
        {{0x7E01}, "ORI", "C1", "", 1, 2, 0x7000},
        {{0xC501}, "OUT", "Y001", "", 1, 2, 0xC000},
        {{0xDF02}, "SET", "M8002", "", 1, 2, 0xD000},
        {{0xE802}, "RST", "M2", "", 1, 2, 0xE000},
        {{0xF00A}, "STL", "S10", "", 1, 2, 0xF000},
        {{0xF7FF}, "RET", "", "", 1, 2, 0xF7FF},
        {{0xFFF8}, "ANB", "", "", 0, 2, 0xFFF8},
        {{0xFFF9}, "ORB", "", "", 0, 2, 0xFFF9},
        {{0xFFFA}, "MPS", "", "", 0, 2, 0xFFFA},
        {{0xFFFB}, "MRD", "", "", 0, 2, 0xFFFB},
        {{0xFFFC}, "MPP", "", "", 0, 2, 0xFFFC},
        {{0xFFFD}, "INV", "", "", 1, 2, 0xFFFD},
        {{0x0002, 0x8501}, "OUT", "Y001", "", 2, 4, 0x0002},
        {{0x0004, 0x8802}, "RST", "M2", "", 2, 4, 0x0004},
        {{0x0008, 0x8803}, "PLS", "M3", "", 2, 4, 0x0008},
        {{0x0009, 0x8803}, "PLF", "M3", "", 2, 4, 0x0009},
        {{0x000A, 0x8002, 0x8864}, "MC", "N2", "M100", 3, 6, 0x000A},
        {{0x000B, 0x8003}, "MCR", "N3", "", 2, 4, 0x000B},
        {{0x000C, 0x8E05}, "RST", "C5", "", 2, 4, 0x000C},
        {{0x01C2, 0xA800}, "LD ", "M1536", "", 2, 4, 0x01C2},
        {{0x01C7, 0x8401}, "ORI", "X001", "", 2, 4, 0x01C7},
        {{0x01CA, 0xA801}, "LDP", "M1537", "", 2, 4, 0x01CA},
        {{0x01CB, 0xA800}, "LDF", "M1536", "", 2, 4, 0x01CB},
        {{0x01CF, 0xA800}, "ORF", "M1536", "", 2, 4, 0x01CF},
        {{0x03C2, 0x8400, 0x8030}, "LD ", "M3584", "", 3, 6, 0x03C2},
        {{0x03C2, 0x86C8, 0x9680}, "LD ", "D100.A", "", 3, 6, 0x03C2},
        {{0x03CD, 0x8400, 0x8030}, "ANDF", "M3584", "", 3, 6, 0x03CD},
        {{0x0202, 0x8401, 0x8005}, "OUT", "Y001", "", 3, 6, 0x0202},
        {{0x0203, 0x8401, 0x8005}, "SET", "Y001", "", 3, 6, 0x0203},
        {{0x0202, 0x86C8, 0x9680}, "OUT", "D100.A", "", 3, 6, 0x0202},
        {{0x0204, 0x8400, 0x8030}, "RST", "M3584", "", 3, 6, 0x0204},
        {{0x0208, 0x8400, 0x8030}, "PLS", "M3584", "", 3, 6, 0x0208},
        {{0x0209, 0x8400, 0x8030}, "PLF", "M3584", "", 3, 6, 0x0209},
        {{0x020A, 0x8001, 0x8400, 0x8030}, "MC", "N1", "M3584", 4, 8, 0x020A},
        {{0x000E}, "", "", "", 0, 2, 0x000E},
        {{0x00C2}, "", "", "", 0, 2, 0x00C2},
    };
    // clang-format on
    for (const BasicCase& c : cases) {
        const Decoded d = decode(c.words);
        SCOPED_TRACE(testing::Message() << std::hex << c.words[0]);
        EXPECT_EQ(d.mnemonic, c.mnemonic);
        EXPECT_EQ(d.op1, c.op1);
        EXPECT_EQ(d.op2, c.op2);
        EXPECT_EQ(d.steps, c.steps);
        EXPECT_EQ(d.nextBytes, c.nextBytes);
        EXPECT_EQ(d.iCode, c.iCode);
        EXPECT_FALSE(d.dBit);
    }
}

TEST_F(DecodersTest, TheThirtyTwoBitResetPairIsDrstWithItsFlagBit) {
    const Decoded d = decode({0x0205, 0x8401, 0x8005});
    EXPECT_EQ(d.mnemonic, "DRST");
    EXPECT_EQ(d.op1, "Y001");
    EXPECT_TRUE(d.dBit);
    EXPECT_EQ(d.steps, 3);
    EXPECT_EQ(d.nextBytes, 6u);
}

TEST_F(DecodersTest, ResetOfAWordDeviceReadsItsOperandWords) {
    Words words{0x000D};
    const Words operand = operandWords("D10", false);
    words.insert(words.end(), operand.begin(), operand.end());
    const Decoded d = decode(words);
    EXPECT_EQ(d.mnemonic, "RST");
    EXPECT_EQ(d.op1, "D10");
    EXPECT_EQ(d.steps, 3);
    EXPECT_EQ(d.nextBytes, 6u);
}

struct AppCase {
    std::uint16_t code;
    const char* mnemonic;
    int operands;
    bool wideWords;
    int steps;
    std::size_t nextBytes;
    bool dBit;
    bool pBit;
};

TEST_F(DecodersTest, ApplicationInstructionsAndTheirDeviatingMembers) {
    // clang-format off
    const AppCase cases[] = {
        {0x0028, "MOV", 2, false, 5, 10, false, false},
        {0x0029, "DMOV", 2, true, 9, 18, true, false},
        {0x1028, "MOVP", 2, false, 5, 10, false, true},
        {0x1029, "DMOVP", 2, true, 9, 18, true, true},
        {0x0014, "SRET", 0, false, 1, 2, false, false},
        {0x0015, "SRET", 0, true, 1, 2, false, false},
        {0x0013, "CALL", 1, true, 5, 10, false, false},
        {0x0021, "FOR", 1, true, 5, 10, false, false},
        {0x001F, "DWDT", 0, true, 1, 2, true, false},
        {0x11D1, "LDD=P", 2, true, 9, 18, true, true},
        {0x01FD, "ORD>=", 2, true, 9, 18, true, false},
        {0x1238, "ADPRW", 5, false, 11, 22, false, false},
    };
    // clang-format on
    for (const AppCase& c : cases) {
        Words words{c.code};
        for (int i = 0; i < c.operands; ++i) {
            const Words operand = operandWords("D" + std::to_string(i + 1), c.wideWords);
            words.insert(words.end(), operand.begin(), operand.end());
        }
        const Decoded d = decode(words);
        SCOPED_TRACE(c.mnemonic);
        EXPECT_EQ(d.mnemonic, c.mnemonic);
        EXPECT_EQ(d.steps, c.steps);
        EXPECT_EQ(d.nextBytes, c.nextBytes);
        EXPECT_EQ(d.dBit, c.dBit);
        EXPECT_EQ(d.pBit, c.pBit);
        EXPECT_EQ(d.iCode, c.code);
        if (c.operands > 0) {
            EXPECT_EQ(d.op1, "D1");
        }
    }
}

TEST_F(DecodersTest, OutputsAndBoxesEndAtTheRightBusWhileContactsStayWhereTheirPlacerPutsThem) {
    const std::uint32_t bus = draw.iBusLineEnd;
    const Words mov{0x0028, 0x8614, 0x8000, 0x8616, 0x8000};
    EXPECT_EQ(decode(mov).xAddr, bus - 3 * kCell);
    const Words dmov{0x0029, 0x8614, 0x8000, 0x8000, 0x8000, 0x8616, 0x8000, 0x8000, 0x8000};
    EXPECT_EQ(decode(dmov).xAddr, bus - 5 * kCell);
    EXPECT_EQ(decode({0x0002, 0x8501}).xAddr, bus - kCell);
    EXPECT_EQ(decode({0x0003, 0x8501}).xAddr, bus - 2 * kCell);
    EXPECT_EQ(decode({0x000A, 0x8002, 0x8864}).xAddr, bus - 3 * kCell);
    EXPECT_EQ(decode({0x0202, 0x8401, 0x8005}).xAddr, bus - kCell);
    EXPECT_EQ(decode({0x0203, 0x8401, 0x8005}).xAddr, bus - 2 * kCell);
    EXPECT_EQ(decode({0x2405}).xAddr, kUnplaced);
    EXPECT_EQ(decode({0xC501}).xAddr, kUnplaced);
    EXPECT_EQ(decode({0x01D0, 0x8614, 0x8000, 0x8616, 0x8000}).xAddr, kUnplaced);
}

TEST_F(DecodersTest, EveryRowOfTheInstructionTableDecodesItsOwnWordsInEveryForm) {
    for (const AppInstruction& row : appInstructions()) {
        for (const bool wide : {false, true}) {
            for (const bool pulse : {false, true}) {
                Words words{appCode(row.fnc, wide, pulse)};
                std::vector<std::string> texts;
                for (int i = 0; i < row.operands; ++i) {
                    texts.push_back("D" + std::to_string(100 + i));
                    const Words operand = operandWords(texts.back(), wide);
                    words.insert(words.end(), operand.begin(), operand.end());
                }
                std::copy(words.begin(), words.end(), pmw.program.begin());
                stLadderBlock object;
                ldrNow = &object;
                convStepNo = 0;
                const std::size_t last = decodeInstructionAt(kProgramAreaOffset);
                SCOPED_TRACE(testing::Message() << row.mnemonic << " wide " << wide << " pulse " << pulse);
                EXPECT_EQ(textOf(object.mnemonic), writtenMnemonic(row, wide, pulse));
                EXPECT_EQ(convStepNo, words.size());
                EXPECT_EQ(last, kProgramAreaOffset + 2 * (words.size() - 1));
                EXPECT_EQ(object.dFlag(), wide && row.dLetter);
                EXPECT_EQ(object.pFlag(), pulse && row.pLetter);
                for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(textOf(object.operands[i]), texts[i]);
                ldrNow = nullptr;
            }
        }
    }
}

}  // namespace
}  // namespace kestrion
