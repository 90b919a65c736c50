#include "devviews/MathTest.h"

#include <tuple>
#include <utility>

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

class MathTestTest : public CoreTest {};

const std::string kHelp =
    "Type a decimal number (1234, -5, K1234), a hexadecimal one (H4D2) or a real number (E1.5, 1.5).";

// 1234 = 0x04D2. As a K constant its operand words are 0x8000 + each byte (lo 0xD2, hi 0x04), as an
// H constant the first takes 0x8200. 1234.0 = 1.205078125 x 2^10: sign 0, exponent 127 + 10 = 0x89,
// fraction 0.205078125 x 2^23 = 0x1A4000, so 0x449A4000; the E constant's words are 0x8000 + byte 0,
// 0x9000 + byte 1, 0x8000 + bytes 2 and 3. In registers the low word goes first.
TEST_F(MathTestTest, ADecimalValueThroughEveryConversion) {
    EXPECT_EQ(mathTestLines("1234"),
              (Lines{"Decimal (32 bits): 1234   unsigned 1234", "Hexadecimal (32 bits): H000004D2",
                     "16-bit register (low word): H04D2 = 1234, signed 1234",
                     "32-bit pair: D0 (low word) = H04D2 (1234), D1 (high word) = H0000 (0)",
                     "BCD (16 bits): H1234  -> 1234", "BCD (32 bits): H00001234  -> 1234",
                     "Read as BCD: not BCD digits", "Operand words, 16 bits: K1234: 80D2 8004  -> K1234",
                     "Operand words, 32 bits: K1234: 80D2 8004 8000 8000  -> K1234",
                     "Operand words, 16 bits: H04D2: 82D2 8004  -> H04D2",
                     "Operand words, 32 bits: H000004D2: 82D2 8004 8000 8000  -> H000004D2",
                     "Real number (IEEE single): H449A4000  -> 1234.0000000",
                     "Real in registers: D0 (low word) = H4000, D1 (high word) = H449A",
                     "Operand words, 32 bits: E1234.000000: 8000 9040 809A 8044  -> E1234.000000"}));
}

// 1.5 = 1.1 (binary) x 2^0: exponent 0x7F, fraction 0x400000, so 0x3FC00000, whose E constant words
// are 0x8000, 0x9000, 0x80C0, 0x803F.
TEST_F(MathTestTest, ARealValueAndItsWholePart) {
    const Lines lines = mathTestLines("e1.5");
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "Real number 1.500000, the integer lines take its whole part 1");
    EXPECT_EQ(lines[1], "Decimal (32 bits): 1   unsigned 1");
    EXPECT_EQ(lines[12], "Real number (IEEE single): H3FC00000  -> 1.5000000");
    EXPECT_EQ(lines[13], "Real in registers: D0 (low word) = H0000, D1 (high word) = H3FC0");
    EXPECT_EQ(lines[14], "Operand words, 32 bits: E1.500000: 8000 9000 80C0 803F  -> E1.500000");
    EXPECT_EQ(mathTestLines("1.5"), lines);
    // As the instruction box reads a real constant, every further E is left out: E1.5E3 is 1.53.
    EXPECT_EQ(mathTestLines("E1.5E3")[0], "Real number 1.530000, the integer lines take its whole part 1");
    // -2.75 = -1.011 (binary) x 2^1: 0xC0300000; whole part -2 = 0xFFFFFFFE.
    const Lines negative = mathTestLines("-2.75");
    EXPECT_EQ(negative[2], "Hexadecimal (32 bits): HFFFFFFFE");
    EXPECT_EQ(negative[12], "Real number (IEEE single): HC0300000  -> -2.7500000");
}

// -5 is 0xFFFFFFFB in two's complement: every byte above the lowest 0xFF. -5.0 = -1.01 (binary) x 2^2:
// 0xC0A00000.
TEST_F(MathTestTest, ANegativeValueHasNoBcd) {
    const Lines lines = mathTestLines("-5");
    EXPECT_EQ(lines[0], "Decimal (32 bits): -5   unsigned 4294967291");
    EXPECT_EQ(lines[2], "16-bit register (low word): HFFFB = 65531, signed -5");
    EXPECT_EQ(lines[3], "32-bit pair: D0 (low word) = HFFFB (65531), D1 (high word) = HFFFF (65535)");
    EXPECT_EQ(lines[4], "BCD (16 bits): not a BCD value (0 to 9999)");
    EXPECT_EQ(lines[5], "BCD (32 bits): not a BCD value (0 to 99999999)");
    EXPECT_EQ(lines[8], "Operand words, 32 bits: K-5: 80FB 80FF 80FF 80FF  -> K-5");
    EXPECT_EQ(lines[11], "Real number (IEEE single): HC0A00000  -> -5.0000000");
    EXPECT_EQ(lines[13], "Operand words, 32 bits: E-5.000000: 8000 9000 80A0 80C0  -> E-5.000000");
}

// H1234 is 4660, whose BCD is H4660; its own digits read as BCD are 1234. 99999999 = 0x05F5E0FF is
// the largest 32-bit BCD value (H99999999); a 16-bit constant cannot hold it (cut to its low word
// 0xE0FF it would read K-7937).
TEST_F(MathTestTest, HexadecimalValuesAndTheBcdLimits) {
    const Lines hex = mathTestLines("h1234");
    EXPECT_EQ(hex[0], "Decimal (32 bits): 4660   unsigned 4660");
    EXPECT_EQ(hex[4], "BCD (16 bits): H4660  -> 4660");
    EXPECT_EQ(hex[6], "Read as BCD: 1234");
    EXPECT_EQ(hex[11], "Real number (IEEE single): H4591A000  -> 4660.0000000");
    const Lines most = mathTestLines("99999999");
    EXPECT_EQ(most[1], "Hexadecimal (32 bits): H05F5E0FF");
    EXPECT_EQ(most[4], "BCD (16 bits): not a BCD value (0 to 9999)");
    EXPECT_EQ(most[5], "BCD (32 bits): H99999999  -> 99999999");
    EXPECT_EQ(most[7], "Operand words, 16 bits: 99999999 does not fit 16 bits (-32768 to 32767)");
    EXPECT_EQ(mathTestLines("100000000")[5], "BCD (32 bits): not a BCD value (0 to 99999999)");
    EXPECT_EQ(mathTestLines("9999")[4], "BCD (16 bits): H9999  -> 9999");
    EXPECT_EQ(mathTestLines("10000")[4], "BCD (16 bits): not a BCD value (0 to 9999)");
    EXPECT_EQ(mathTestLines("4294967295")[0], "Decimal (32 bits): -1   unsigned 4294967295");
    EXPECT_EQ(mathTestLines("K-2147483648")[1], "Hexadecimal (32 bits): H80000000");
}

// 70000 = 0x00011170 needs 17 bits: every 16-bit field refuses it and says why, where cut to its low
// word it would read H1170 (K4464); the 32-bit fields hold it. A K constant is signed: its word holds
// -32768 to 32767. 70000.0 = 1.068115234375 x 2^16:
// exponent 127 + 16 = 0x8F, fraction 0x08B800, so 0x4788B800.
TEST_F(MathTestTest, AValueBeyondSixteenBitsIsRefusedByEverySixteenBitField) {
    const std::string refused = "70000 does not fit 16 bits (-32768 to 65535)";
    const std::string refusedSigned = "70000 does not fit 16 bits (-32768 to 32767)";
    EXPECT_EQ(mathTestLines("70000"),
              (Lines{"Decimal (32 bits): 70000   unsigned 70000", "Hexadecimal (32 bits): H00011170",
                     "16-bit register (low word): " + refused,
                     "32-bit pair: D0 (low word) = H1170 (4464), D1 (high word) = H0001 (1)",
                     "BCD (16 bits): not a BCD value (0 to 9999)", "BCD (32 bits): H00070000  -> 70000",
                     "Read as BCD: 11170", "Operand words, 16 bits: " + refusedSigned,
                     "Operand words, 32 bits: K70000: 8070 8011 8001 8000  -> K70000",
                     "Operand words, 16 bits: " + refused,
                     "Operand words, 32 bits: H00011170: 8270 8011 8001 8000  -> H00011170",
                     "Real number (IEEE single): H4788B800  -> 70000.0000000",
                     "Real in registers: D0 (low word) = HB800, D1 (high word) = H4788",
                     "Operand words, 32 bits: E70000.000000: 8000 90B8 8088 8047  -> E70000.000000"}));
    EXPECT_EQ(mathTestLines("H11170"), mathTestLines("70000"));
}

// A word holds -32768 to 65535, read signed or unsigned (65535 and -1 are the same word HFFFF); one
// past either end is refused, never wrapped round. A K constant is a signed number, -32768 to 32767:
// 40000 (H9C40) or 65535 would be read back as K-25536 or K-1, so its line refuses them.
TEST_F(MathTestTest, TheEdgesOfASixteenBitField) {
    struct Case {
        const char* typed;
        const char* reg;      // the 16-bit register line, after its label
        const char* decimal;  // the 16-bit K constant line, after its label
        const char* hex;      // the 16-bit H constant line, after its label
    };
    const Case cases[] = {
        {"65535", "HFFFF = 65535, signed -1", "65535 does not fit 16 bits (-32768 to 32767)",
         "HFFFF: 82FF 80FF  -> HFFFF"},
        {"HFFFF", "HFFFF = 65535, signed -1", "65535 does not fit 16 bits (-32768 to 32767)",
         "HFFFF: 82FF 80FF  -> HFFFF"},
        {"-1", "HFFFF = 65535, signed -1", "K-1: 80FF 80FF  -> K-1", "HFFFF: 82FF 80FF  -> HFFFF"},
        {"32767", "H7FFF = 32767, signed 32767", "K32767: 80FF 807F  -> K32767",
         "H7FFF: 82FF 807F  -> H7FFF"},
        {"32768", "H8000 = 32768, signed -32768", "32768 does not fit 16 bits (-32768 to 32767)",
         "H8000: 8200 8080  -> H8000"},
        {"40000", "H9C40 = 40000, signed -25536", "40000 does not fit 16 bits (-32768 to 32767)",
         "H9C40: 8240 809C  -> H9C40"},
        {"-32768", "H8000 = 32768, signed -32768", "K-32768: 8000 8080  -> K-32768",
         "H8000: 8200 8080  -> H8000"},
        {"65536", "65536 does not fit 16 bits (-32768 to 65535)",
         "65536 does not fit 16 bits (-32768 to 32767)", "65536 does not fit 16 bits (-32768 to 65535)"},
        {"-32769", "-32769 does not fit 16 bits (-32768 to 65535)",
         "-32769 does not fit 16 bits (-32768 to 32767)", "-32769 does not fit 16 bits (-32768 to 65535)"},
        {"K-70000", "-70000 does not fit 16 bits (-32768 to 65535)",
         "-70000 does not fit 16 bits (-32768 to 32767)", "-70000 does not fit 16 bits (-32768 to 65535)"},
    };
    for (const Case& c : cases) {
        const Lines lines = mathTestLines(c.typed);
        ASSERT_EQ(lines.size(), 14u) << c.typed;
        EXPECT_EQ(lines[2], std::string("16-bit register (low word): ") + c.reg) << c.typed;
        EXPECT_EQ(lines[7], std::string("Operand words, 16 bits: ") + c.decimal) << c.typed;
        EXPECT_EQ(lines[9], std::string("Operand words, 16 bits: ") + c.hex) << c.typed;
    }
}

// The same for the 32-bit K constant: -2147483648 to 2147483647, where the H constant takes the
// whole unsigned pair.
TEST_F(MathTestTest, TheEdgesOfAThirtyTwoBitConstant) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2147483647", "K2147483647: 80FF 80FF 80FF 807F  -> K2147483647",
         "H7FFFFFFF: 82FF 80FF 80FF 807F  -> H7FFFFFFF"},
        {"K-2147483648", "K-2147483648: 8000 8000 8000 8080  -> K-2147483648",
         "H80000000: 8200 8000 8000 8080  -> H80000000"},
        {"2147483648", "2147483648 does not fit 32 bits (-2147483648 to 2147483647)",
         "H80000000: 8200 8000 8000 8080  -> H80000000"},
        {"4294967295", "4294967295 does not fit 32 bits (-2147483648 to 2147483647)",
         "HFFFFFFFF: 82FF 80FF 80FF 80FF  -> HFFFFFFFF"},
    };
    for (const auto& [typed, decimal, hex] : cases) {
        const Lines lines = mathTestLines(typed);
        ASSERT_EQ(lines.size(), 14u) << typed;
        EXPECT_EQ(lines[8], std::string("Operand words, 32 bits: ") + decimal) << typed;
        EXPECT_EQ(lines[10], std::string("Operand words, 32 bits: ") + hex) << typed;
    }
}

// Zero is BCD digits as much as any other: H0 read as BCD is 0, H10 is 10, H1A is none.
TEST_F(MathTestTest, ZeroReadAsBcdIsZero) {
    const std::pair<const char*, const char*> cases[] = {{"0", "Read as BCD: 0"},
                                                         {"H0", "Read as BCD: 0"},
                                                         {"H10", "Read as BCD: 10"},
                                                         {"H9", "Read as BCD: 9"},
                                                         {"H1A", "Read as BCD: not BCD digits"}};
    for (const auto& [typed, line] : cases) EXPECT_EQ(mathTestLines(typed)[6], line) << typed;
    EXPECT_EQ(mathTestLines("0")[4], "BCD (16 bits): H0000  -> 0");
}

// A typed integer's real is the number itself: 4294967295 is 4294967296.0 (2^32: exponent 127 + 32
// = 0x9F, so 0x4F800000), not the -1.0 of its bits read signed.
TEST_F(MathTestTest, AnIntegersRealIsTheNumberNotItsBits) {
    EXPECT_EQ(mathTestLines("4294967295")[11], "Real number (IEEE single): H4F800000  -> 4294967296.0000000");
    EXPECT_EQ(mathTestLines("-1")[11], "Real number (IEEE single): HBF800000  -> -1.0000000");
}

// A real whose whole part needs more than 32 bits leaves every integer field without a value,
// where it used to show 0. 1e10 = 9765625 x 2^10 is a single-precision value.
TEST_F(MathTestTest, ARealBeyondThirtyTwoBitsIsRefusedByTheIntegerFields) {
    const std::string wide = "10000000000 does not fit 32 bits (-2147483648 to 4294967295)";
    const std::string narrow = "10000000000 does not fit 16 bits (-32768 to 65535)";
    const std::string narrowSigned = "10000000000 does not fit 16 bits (-32768 to 32767)";
    const std::string wideSigned = "10000000000 does not fit 32 bits (-2147483648 to 2147483647)";
    const Lines lines = mathTestLines("10000000000.0");
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "Real number 10000000000.000000, the integer lines take its whole part 10000000000");
    EXPECT_EQ(lines[1], "Decimal (32 bits): " + wide);
    EXPECT_EQ(lines[2], "Hexadecimal (32 bits): " + wide);
    EXPECT_EQ(lines[3], "16-bit register (low word): " + narrow);
    EXPECT_EQ(lines[4], "32-bit pair: " + wide);
    EXPECT_EQ(lines[5], "BCD (16 bits): not a BCD value (0 to 9999)");
    EXPECT_EQ(lines[6], "BCD (32 bits): not a BCD value (0 to 99999999)");
    EXPECT_EQ(lines[7], "Read as BCD: " + wide);
    EXPECT_EQ(lines[8], "Operand words, 16 bits: " + narrowSigned);
    EXPECT_EQ(lines[9], "Operand words, 32 bits: " + wideSigned);
    EXPECT_EQ(lines[10], "Operand words, 16 bits: " + narrow);
    EXPECT_EQ(lines[11], "Operand words, 32 bits: " + wide);
    EXPECT_EQ(lines[12], "Real number (IEEE single): H501502F9  -> 10000000000.0000000");
    // The largest unsigned 32-bit whole part still fits; a negative whole part of a half is 0.
    EXPECT_EQ(mathTestLines("-2147483648.5")[1], "Decimal (32 bits): -2147483648   unsigned 2147483648");
    EXPECT_EQ(mathTestLines("-0.5")[0], "Real number -0.500000, the integer lines take its whole part 0");
    EXPECT_EQ(mathTestLines("-0.5")[1], "Decimal (32 bits): 0   unsigned 0");
}

TEST_F(MathTestTest, WhatIsNoNumberIsExplained) {
    for (const char* typed : {"", " ", "abc", "H", "H123456789", "HG1", "1.2.3", "K", "E", "4294967296",
                              "-2147483649", "12a", "E1,5", "123456789012345678901"})
        EXPECT_EQ(mathTestLines(typed), Lines{kHelp}) << typed;
}

TEST_F(MathTestTest, BcdBothWays) {
    const std::pair<long long, long long> cases[] = {
        {0, 0}, {9, 9}, {10, 0x10}, {1234, 0x1234}, {9999, 0x9999}};
    for (const auto& [value, bcd] : cases) {
        EXPECT_EQ(binaryToBcd(value, 4), bcd);
        EXPECT_EQ(bcdToBinary(static_cast<unsigned long long>(bcd)), value);
    }
    EXPECT_EQ(binaryToBcd(10000, 4), -1);
    EXPECT_EQ(binaryToBcd(-1, 8), -1);
    EXPECT_EQ(binaryToBcd(99999999, 8), 0x99999999);
    EXPECT_EQ(bcdToBinary(0x1A), -1);
    EXPECT_EQ(bcdToBinary(0xF0000000), -1);
}

}  // namespace
}  // namespace kestrion::test
