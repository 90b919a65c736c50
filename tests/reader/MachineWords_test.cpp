#include "reader/MachineWords.h"

#include <gtest/gtest.h>

#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using test::CoreTest;

struct CodeText {
    std::int32_t code;
    const char* text;
    std::uint16_t rCode;
};

TEST(DeviceCodes, TextNumberAndTheWayBackAtBothEndsOfEveryRow) {
    // clang-format off
    const CodeText cases[] = {
        {0x0000, "S0", 0}, {0x03FF, "S1023", 1023}, {0x0400, "X000", 0}, {0x040F, "X017", 15},
        {0x043F, "X077", 63}, {0x0440, "X100", 64}, {0x047F, "X177", 127}, {0x0480, "X180", 128},
        {0x0490, "X200", 144}, {0x04FF, "X337", 255}, {0x0500, "Y000", 0}, {0x050F, "Y017", 15},
        {0x0600, "T0", 0}, {0x07FF, "T511", 511}, {0x0800, "M0", 0}, {0x0DFF, "M1535", 1535}, {0x0E00, "C0", 0},
        {0x0EC8, "C200", 200}, {0x0EFF, "C255", 255}, {0x0F00, "M8000", 8000}, {0x0F02, "M8002", 8002},
        {0x13FF, "M9279", 9279}, {0x1400, "S1024", 1024}, {0x27FF, "S6143", 6143}, {0x2800, "M1536", 1536},
        {0x3000, "M3584", 3584}, {0x3FFF, "M7679", 7679}};
    // clang-format on
    for (const CodeText& c : cases) {
        EXPECT_EQ(deviceCodeText(c.code), c.text);
        EXPECT_EQ(rCode(c.code), c.rCode) << c.text;
        EXPECT_EQ(deviceCodeOfText(c.text), c.code) << c.text;
    }
}

TEST(DeviceCodes, CodesOutsideTheMapAreWrittenAsAWithTheCode) {
    EXPECT_EQ(deviceCodeText(0x4000), "A16384");
    EXPECT_EQ(rCode(0x4000), 0x4000);
    EXPECT_EQ(deviceCodeText(-1), "A-1");
    EXPECT_EQ(rCode(-1), 0xFFFF);
}

TEST(DeviceCodes, TextsWithoutACodeAreRefused) {
    for (const char* text : {"X8", "X18", "X78", "X338", "X400", "Y340", "T512", "C256", "M7680", "M7999",
                             "M9280", "S6144", "M-1", "Q1", "M", "M8O", "D100", "X"})
        EXPECT_FALSE(deviceCodeOfText(text).has_value()) << text;
}

TEST(OperandPairs, WordBitAndBitDevicePairsAndTheirTexts) {
    EXPECT_EQ(wordBitPair(100, 10), (WordPair{0x86C8, 0x9680}));
    EXPECT_EQ(wordBitPair(0, 0), (WordPair{0x8600, 0x9400}));
    for (const auto& [n, b] : {std::pair{8192, 0}, std::pair{0, 16}, std::pair{-1, 0}})
        EXPECT_FALSE(wordBitPair(n, b).has_value()) << n << "." << b;
    EXPECT_EQ(bitDevicePair(0x29D0), (WordPair{0x84D0, 0x8029}));
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

TEST_F(WritingIntoTheObject, DeviceTextAndNumberGoIntoTheFirstOperandAnOutsideCodeAfterItsBox) {
    convToRelayCode(0x0440);
    EXPECT_EQ(textOf(object.operands[0]) + "/" + std::to_string(object.rCode), "X100/64");
    EXPECT_TRUE(fakes.messages.shown.empty());
    convToRelayCode(0x4000);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error20180510.900");
    EXPECT_EQ(fakes.messages.shown[0].caption, "convToRelayCode");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(textOf(object.operands[0]) + "/" + std::to_string(object.rCode), "A16384/16384");
}

TEST_F(WritingIntoTheObject, ACodeMetAgainWritesTheSameWholeTextOverWhateverTheFieldHeld) {
    const auto written = [this](std::int32_t code) {
        object.operands[0].fill('Z');
        object.rCode = 0xABCD;
        convToRelayCode(code);
        return object.operands[0];
    };
    const auto y1 = written(0x0501);
    const auto c5 = written(0x0E05);
    EXPECT_EQ(textOf(c5) + "/" + std::to_string(object.rCode), "C5/5");
    EXPECT_EQ(written(0x0501), y1);
    EXPECT_EQ(textOf(object.operands[0]) + "/" + std::to_string(object.rCode), "Y001/1");
    // Past its text the field is cleared to its end, the first time and every time after.
    for (std::size_t i = 4; i < y1.size(); ++i) EXPECT_EQ(y1[i], '\0') << i;
    EXPECT_EQ(textOf(written(0x0401)), "X001");  // the same low byte, another device
    EXPECT_EQ(written(0x3FFF), written(0x3FFF));
    EXPECT_EQ(textOf(object.operands[0]), "M7679");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(InstructionLengths, OfEveryFamilyAndItsGaps) {
    // clang-format off
    const std::pair<std::uint32_t, int> cases[] = {
        {0x0000, 0}, {0x0001, 0}, {0x0002, 2}, {0x0009, 2}, {0x000A, 3}, {0x000B, 2}, {0x000C, 2}, {0x000D, 3},
        {0x000E, 0}, {0x000F, 1}, {0x0028, 5}, {0x01C1, 0}, {0x01C2, 2}, {0x01C7, 2}, {0x01C8, 0}, {0x01CA, 2},
        {0x01CF, 2}, {0x01D1, 9}, {0x11D0, 5}, {0x002F, 13}, {0x10D3, 0}, {0x0202, 3}, {0x0203, 3}, {0x0204, 3}, {0x0205, 0}, {0x0206, 0},
        {0x0208, 3}, {0x0209, 3}, {0x020A, 4}, {0x020B, 0}, {0x03C1, 0}, {0x03C2, 3}, {0x03C7, 3}, {0x03C8, 0},
        {0x03CA, 3}, {0x03CF, 3}, {0x03D0, 0}, {0x0400, 0}, {0x05FF, 0}, {0x0600, 3}, {0x07FF, 3}, {0x0800, 0},
        {0x0DFF, 0}, {0x0E00, 3}, {0x0EC7, 3}, {0x0EC8, 5}, {0x0EFF, 5}, {0x0F00, 0}, {0x0FFF, 0}, {0x1000, 1},
        {0x1001, 0}, {0x100F, 0}, {0x1028, 5}, {0x1400, 0}, {0x1FFF, 0}, {0x2000, 1}, {0x7FFF, 1}, {0x8000, 0},
        {0xAFFF, 0}, {0xB000, 1}, {0xB0FF, 1}, {0xB100, 2}, {0xB1FF, 2}, {0xB200, 0}, {0xB7FF, 0}, {0xB800, 1},
        {0xBFFF, 1}, {0xC000, 1}, {0xEFFF, 1}, {0xF000, 1}, {0xF7FF, 1}, {0xF900, 1}, {0xFFF8, 1}, {0xFFFE, 1},
        {0xFFFF, 1}};
    // clang-format on
    for (const auto& [code, words] : cases) EXPECT_EQ(instructionLength(code), words) << std::hex << code;
}

}  // namespace
}  // namespace kestrion
