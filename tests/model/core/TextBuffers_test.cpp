#include "model/core/TextBuffers.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kestrion {
namespace {

using namespace std::string_view_literals;

TEST(CompareAnsiPrefix, ComparesAsFarAsTheSecondTextReaches) {
    const std::tuple<std::size_t, std::string_view, std::string_view, bool> cases[] = {
        {3, "ABCxx", "ABCyy", true},                                      // only n characters count
        {5, "ABCDE", "ABC", true},                                        // b ends first
        {5, "AB", "ABC", false},                                          // a ends before b does
        {5, "ABXDE", "ABCDE", false}, {5, "ABCDE", "", false},            // an empty b never matches
        {0, "X", "Y", true},          {4, "AB\0CD"sv, "AB\0XY"sv, true},  // a NUL ends each text
    };
    for (const auto& [n, a, b, expected] : cases)
        EXPECT_EQ(compareAnsiPrefix(n, a, b), expected) << a << " / " << b;
}

TEST(RtrimCString, ClearsTrailingBlanksAndControlCharacters) {
    std::array<char, 12> buffer{};
    const std::string text = "a b \t\r\n ";
    std::copy(text.begin(), text.end(), buffer.begin());
    rtrimCString(buffer);
    EXPECT_EQ(cStringView(buffer), "a b");
    for (std::size_t i = 3; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '\0');
    std::string utf8 = "Müller\xC3\xA9";  // bytes above 127 are not blanks
    rtrimCString(utf8);
    EXPECT_EQ(utf8, "Müller\xC3\xA9");
}

TEST(TrimBlanks, TakesTheBlanksOffBothEndsAndKeepsThoseBetween) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"  LD  X0 ", "LD  X0"}, {"X0", "X0"}, {"   ", ""}, {"", ""}, {" a", "a"}, {"b ", "b"}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(trimBlanks(text), expected) << '"' << text << '"';
}

TEST(RemoveAmpersands, RemovesTheFirstMarkOnly) {
    std::array<char, 10> buffer{};
    const std::string text = "&Open&&";
    std::copy(text.begin(), text.end(), buffer.begin());
    removeAmpersands(buffer);
    EXPECT_EQ(cStringView(buffer), "Open&&");
    std::string s = "Sa&ve";
    removeAmpersands(s);
    EXPECT_EQ(s, "Save");
    std::array<char, 3> full = {'a', '&', 'b'};  // no NUL: the last byte becomes one
    removeAmpersands(full);
    EXPECT_EQ(cStringView(full), "ab");
}

TEST(AnsiToCharBuf, CopiesWithANulAndNeverPastTheBuffer) {
    std::array<char, 6> buffer;
    buffer.fill('#');
    EXPECT_TRUE(ansiToCharBuf("COM1", buffer));
    EXPECT_EQ(cStringView(buffer), "COM1");
    EXPECT_EQ(buffer[5], '#');
    buffer.fill('#');
    EXPECT_FALSE(copyAnsiToChars(buffer, "123456"));
    EXPECT_EQ(cStringView(buffer), "12345");
    EXPECT_FALSE(ansiToCharBuf("x", std::span<char>()));
}

}  // namespace
}  // namespace kestrion
