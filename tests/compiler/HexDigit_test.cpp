#include "compiler/HexDigit.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

TEST(HexDigitTest, DigitsAndCapitalLettersHaveTheirValues) {
    const char* digits = "0123456789ABCDEF";
    for (int value = 0; value < 16; ++value) EXPECT_EQ(hexDigitValue(digits[value]), value) << digits[value];
}

TEST(HexDigitTest, EveryOtherCharacterIsZero) {
    for (char c : {'a', 'f', 'G', 'Z', ' ', '\0', '/', ':', '@', '\xFF'})
        EXPECT_EQ(hexDigitValue(c), 0) << int(c);
}

}  // namespace
}  // namespace kestrion
