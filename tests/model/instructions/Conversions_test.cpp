#include "model/instructions/Conversions.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

namespace kestrion {
namespace {

TEST(ConversionsTest, OneHexDigitRuleBothWays) {
    const std::string digits = "0123456789ABCDEF";
    for (unsigned value = 0; value < 16; ++value) {
        EXPECT_EQ(hexDigit(value), digits[value]);
        EXPECT_EQ(hexDigit(value + 0x30), digits[value]);  // only the low four bits count
        EXPECT_EQ(hexDigitValue(digits[value]), value);
        EXPECT_TRUE(isHexDigit(digits[value]));
    }
    for (char c : {'/', ':', '@', 'G', 'a', '\xFF'}) {
        EXPECT_FALSE(isHexDigit(c)) << int(c);
        EXPECT_EQ(hexDigitValue(c), 0) << int(c);
    }
}

// Both texts give at least the digits asked for, zeros in front, and every digit the value needs.
TEST(ConversionsTest, HexAndBinaryTextsPadToTheirDigitsAndNeverCutTheValue) {
    struct Case {
        std::uint32_t value;
        int digits;
        const char* hex;
        const char* binary;
    };
    const Case cases[] = {
        {0x0, 0, "", ""},
        {0x0, 1, "0", "0"},
        {0x5, 4, "0005", "0101"},
        {0xA5, 2, "A5", "10100101"},
        {0xA5, 16, "00000000000000A5", "0000000010100101"},
        {0x1F, 1, "1F", "11111"},
        {0xFFFF8000, 4, "FFFF8000", "11111111111111111000000000000000"},
        {0x80000001, 32, "00000000000000000000000080000001", "10000000000000000000000000000001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hexText(c.value, c.digits), c.hex) << c.value;
        EXPECT_EQ(binaryText(c.value, c.digits), c.binary) << c.value;
    }
    EXPECT_EQ(binaryText(0x5, -3), "101");
    EXPECT_EQ(hexText(0xBEEF, -1), "BEEF");
    EXPECT_EQ(hexText(0, -2), "");
    EXPECT_EQ(hexText(0xDEADBEEF, 8), "DEADBEEF");
    EXPECT_EQ(hexText(0x1234, 6), "001234");
    EXPECT_EQ(hexText(0x10, 1), "10");
}

TEST(ConversionsTest, OctalWrittenNumberToIndex) {
    for (std::int32_t index = 0; index < 128; ++index) {
        char written[8];
        std::snprintf(written, sizeof written, "%o", static_cast<unsigned>(index));
        EXPECT_EQ(octalNoToIndex(std::stoi(written)), index) << written;
    }
}

TEST(ConversionsTest, HexTextToNumberOrNothing) {
    // clang-format off
    const std::tuple<const char*, int, std::optional<std::uint32_t>> cases[] = {
        {"F", 1, 15}, {"1A2B", 2, 0x1A}, {"12345678", 8, 0x12345678}, {"FFFFFFFF", 8, 0xFFFFFFFF}, {"", 0, 0},
        {"0FFFFFFFF", 9, 0xFFFFFFFF}, {"000000000012", 12, 0x12},
        {"1a", 2, {}}, {"G0", 2, {}}, {"-1", 2, {}}, {"12", 3, {}}, {"100000000", 9, {}}, {"00100000000", 11, {}},
        {"1", -1, {}},
    };
    // clang-format on
    for (const auto& [text, n, value] : cases) EXPECT_EQ(hexStrToInt(text, n), value) << text << " " << n;
}

TEST(ConversionsTest, FloatBitsOfConstantTexts) {
    // clang-format off
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"E1.5", 0x3FC00000}, {"E-2", 0xC0000000}, {"1", 0x3F800000}, {"E1E2", 0x41400000},  // every 'E' goes
        {"", 0}, {"ABC", 0},
        {"E12345678901234567890123", 0x5F2B54AA},
        {"E0X10", 0}, {"ENAN", 0}, {"E-INF", 0}, {"E1.5e3", 0x44BB8000}, {"E2e", 0x40000000}, {"E.", 0},
        {"E-3.4028235e38", 0xFF7FFFFF}, {"E-1e39", std::nullopt}, {"E3.5e38", std::nullopt},
    };
    // clang-format on
    for (const auto& [text, bits] : cases) EXPECT_EQ(strToFloatBits(text), bits) << text;
}

TEST(ConversionsTest, BlankCharBufBlanksAndEmptiesWithinTheBuffer) {
    std::array<char, 8> buf;
    buf.fill('x');
    blankCharBuf(buf, 5);
    EXPECT_EQ(std::string(buf.data(), buf.size()), std::string("\0    xxx", 8));
    blankCharBuf(buf, 100);  // never past the buffer
    EXPECT_EQ(std::string(buf.data(), buf.size()), std::string("\0       ", 8));
}

TEST(ConversionsTest, DeleteSpacesAt) {
    // clang-format off
    const std::tuple<std::string, std::int32_t, std::int32_t, std::string, std::int32_t> cases[] = {
        {"AB   CD", 2, 7, std::string("ABCD\0\0\0", 7), 4}, {" LD", 0, 3, std::string("LD\0", 3), 2},
        {"AB CD", 1, 5, "AB CD", 5}, {" AB", -1, 3, " AB", 3}, {"A  B", 1, 100, std::string("AB\0\0", 4), 2}};
    // clang-format on
    for (const auto& [text, pos, len, after, newLen] : cases) {
        std::string buf = text;
        EXPECT_EQ(deleteSpacesAt(std::span<char>(buf.data(), buf.size()), pos, len), newLen) << text;
        EXPECT_EQ(buf, after) << text;
    }
}

}  // namespace
}  // namespace kestrion
