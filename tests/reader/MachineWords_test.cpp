#include "reader/MachineWords.h"

#include <gtest/gtest.h>

#include "model/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using testing::CoreTest;

struct CodeText {
    std::int32_t code;
    const char* text;
    std::uint16_t rCode;
};

class DeviceCodeTexts : public ::testing::TestWithParam<CodeText> {};

// Both ends of every row of the map, and the X/Y numbers past the octal range.
INSTANTIATE_TEST_SUITE_P(
    Map, DeviceCodeTexts,
    ::testing::Values(CodeText{0x0000, "S0", 0}, CodeText{0x03FF, "S1023", 1023}, CodeText{0x0400, "X000", 0},
                      CodeText{0x040F, "X017", 15}, CodeText{0x043F, "X077", 63}, CodeText{0x0440, "X100", 64},
                      CodeText{0x047F, "X177", 127}, CodeText{0x0480, "X180", 128}, CodeText{0x0490, "X200", 144},
                      CodeText{0x04FF, "X337", 255}, CodeText{0x0500, "Y000", 0}, CodeText{0x050F, "Y017", 15},
                      CodeText{0x0600, "T0", 0}, CodeText{0x07FF, "T511", 511}, CodeText{0x0800, "M0", 0},
                      CodeText{0x0DFF, "M1535", 1535}, CodeText{0x0E00, "C0", 0}, CodeText{0x0EC8, "C200", 200},
                      CodeText{0x0EFF, "C255", 255}, CodeText{0x0F00, "M8000", 8000}, CodeText{0x0F02, "M8002", 8002},
                      CodeText{0x13FF, "M9279", 9279}, CodeText{0x1400, "S1024", 1024},
                      CodeText{0x27FF, "S6143", 6143}, CodeText{0x2800, "M1536", 1536},
                      CodeText{0x3000, "M3584", 3584}, CodeText{0x3FFF, "M7679", 7679}));

TEST_P(DeviceCodeTexts, TextNumberAndTheWayBack) {
    const CodeText& c = GetParam();
    EXPECT_EQ(deviceCodeText(c.code), c.text);
    EXPECT_EQ(rCode(c.code), c.rCode);
    EXPECT_EQ(deviceCodeOfText(c.text), c.code);
}

TEST(DeviceCodes, CodesOutsideTheMapAreWrittenAsAWithTheCode) {
    EXPECT_EQ(deviceCodeText(0x4000), "A16384");
    EXPECT_EQ(rCode(0x4000), 0x4000);
    EXPECT_EQ(deviceCodeText(-1), "A-1");
    EXPECT_EQ(rCode(-1), 0xFFFF);
}

TEST(DeviceCodes, TextsWithoutACodeAreRefused) {
    for (const char* text : {"X8", "X18", "X78", "X338", "X400", "Y340", "T512", "C256", "M7680", "M7999", "M9280",
                             "S6144", "M-1", "Q1", "M", "M8O", "D100", "X"})
        EXPECT_FALSE(deviceCodeOfText(text).has_value()) << text;
}

TEST(DeviceCodes, OneWordInstructionsAddTheCodeToTheGroup) {
    EXPECT_EQ(0x2000 + *deviceCodeOfText("X000"), 0x2400);  // LD X000
    EXPECT_EQ(0x2000 + *deviceCodeOfText("X017"), 0x240F);
    EXPECT_EQ(0xC000 + *deviceCodeOfText("Y000"), 0xC500);
    EXPECT_EQ(0x2000 + *deviceCodeOfText("M8002"), 0x2F02);
}

TEST(DeviceCodes, XYNumbersAreOctalDigitsPaddedOnlyWhereAsked) {
    EXPECT_EQ(xyIndexToNumber(15), 17);
    EXPECT_EQ(xyIndexToNumber(64), 100);
    EXPECT_EQ(xyNumberText(7, true), "007");
    EXPECT_EQ(xyNumberText(7, false), "7");
    EXPECT_EQ(xyNumberText(8, true), "010");
    EXPECT_EQ(xyNumberText(127, false), "177");
}

TEST(OperandPairs, WordBitAndBitDevicePairs) {
    EXPECT_EQ(wordBitPair(100, 10), (WordPair{0x86C8, 0x9680}));
    EXPECT_EQ(wordBitPair(10, 10), (WordPair{0x8614, 0x9680}));
    EXPECT_EQ(wordBitPair(8191, 15), (WordPair{0x86FE, 0x97FF}));
    EXPECT_FALSE(wordBitPair(8192, 0).has_value());
    EXPECT_FALSE(wordBitPair(0, 16).has_value());
    EXPECT_FALSE(wordBitPair(-1, 0).has_value());
    EXPECT_EQ(bitDevicePair(0x29D0), (WordPair{0x84D0, 0x8029}));
    EXPECT_EQ(bitDevicePair(0x3000), (WordPair{0x8400, 0x8030}));
}

TEST(OperandPairs, ReadBackAsTheirTexts) {
    EXPECT_EQ(pairText({0x86C8, 0x9680}), "D100.A");
    EXPECT_EQ(pairText(*wordBitPair(8191, 15)), "D8191.F");
    EXPECT_EQ(pairText({0x8400, 0x8030}), "M3584");
    EXPECT_EQ(pairText(bitDevicePair(0x1400)), "S1024");
    EXPECT_EQ(pairText({0x8400, 0x8040}), "A16384");
}

class WritingIntoTheObject : public CoreTest {
protected:
    WritingIntoTheObject() { ldrNow = &object; }
    ~WritingIntoTheObject() override { ldrNow = nullptr; }
    stLadderBlock object{};
};

TEST_F(WritingIntoTheObject, DeviceTextAndNumberGoIntoTheFirstOperand) {
    convToRelayCode(0x0440);
    EXPECT_EQ(textOf(object.operands[0]), "X100");
    EXPECT_EQ(object.rCode, 64);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(WritingIntoTheObject, CodeOutsideTheMapIsShownAndWrittenAnyway) {
    convToRelayCode(0x4000);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error20180510.900");
    EXPECT_EQ(fakes.messages.shown[0].caption, "convToRelayCode");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(textOf(object.operands[0]), "A16384");
    EXPECT_EQ(object.rCode, 0x4000);
}

TEST_F(WritingIntoTheObject, WordBitTextAndRegisterNumber) {
    convToWordBitText(0x00C8, 10);
    EXPECT_EQ(textOf(object.operands[0]), "D100.A");
    EXPECT_EQ(object.rCode, 100);
    convToWordBitText(0x4001, 0);  // bits above the 14-bit value are no part of the number
    EXPECT_EQ(textOf(object.operands[0]), "D0.0");
}

struct Length {
    std::uint32_t code;
    int words;
};

class InstructionLength : public ::testing::TestWithParam<Length> {};

TEST_P(InstructionLength, OfCodeWord) { EXPECT_EQ(instructionLength(GetParam().code), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(
    Words, InstructionLength,
    ::testing::Values(Length{0x0000, 0}, Length{0x0001, 0}, Length{0x0002, 2}, Length{0x0009, 2}, Length{0x000A, 3},
                      Length{0x000B, 2}, Length{0x000C, 2}, Length{0x000D, 3}, Length{0x000E, 0}, Length{0x000F, 1},
                      Length{0x0028, 5}, Length{0x01C1, 0}, Length{0x01C2, 2}, Length{0x01C7, 2}, Length{0x01C8, 0},
                      Length{0x01CA, 2}, Length{0x01CF, 2}, Length{0x01D0, 5}, Length{0x01D1, 9}, Length{0x11D0, 0},
                      Length{0x0202, 3}, Length{0x0203, 3}, Length{0x0204, 3}, Length{0x0205, 0}, Length{0x0206, 0},
                      Length{0x0208, 3}, Length{0x0209, 3}, Length{0x020A, 4}, Length{0x020B, 0}, Length{0x03C1, 0},
                      Length{0x03C2, 3}, Length{0x03C7, 3}, Length{0x03C8, 0}, Length{0x03CA, 3}, Length{0x03CF, 3},
                      Length{0x03D0, 0}, Length{0x03FF, 0}, Length{0x0400, 0}, Length{0x05FF, 0}, Length{0x0600, 3},
                      Length{0x07FF, 3}, Length{0x0800, 0}, Length{0x0DFF, 0}, Length{0x0E00, 3}, Length{0x0EC7, 3},
                      Length{0x0EC8, 5}, Length{0x0EFF, 5}, Length{0x0F00, 0}, Length{0x0FFF, 0}, Length{0x1000, 1},
                      Length{0x1001, 0}, Length{0x100F, 0}, Length{0x1028, 5}, Length{0x13FF, 0}, Length{0x1400, 0},
                      Length{0x1FFF, 0}, Length{0x2000, 1}, Length{0x7FFF, 1}, Length{0x8000, 0}, Length{0xAFFF, 0},
                      Length{0xB000, 1}, Length{0xB0FF, 1}, Length{0xB100, 2}, Length{0xB1FF, 2}, Length{0xB200, 0},
                      Length{0xB7FF, 0}, Length{0xB800, 1}, Length{0xBFFF, 1}, Length{0xC000, 1}, Length{0xEFFF, 1},
                      Length{0xF000, 1}, Length{0xF7FF, 1}, Length{0xF900, 1}, Length{0xFFF8, 1}, Length{0xFFFE, 1},
                      Length{0xFFFF, 1}));

}  // namespace
}  // namespace kestrion
