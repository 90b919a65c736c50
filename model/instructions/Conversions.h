// Conversions of device numbers and constant texts, and the small text-buffer routines the entry
// and converter code share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

// The one hexadecimal digit rule of the program: digits '0'..'9' and upper-case 'A'..'F'.
constexpr bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}
// '0'..'9' give 0..9 and 'A'..'F' give 10..15; any other character gives 0.
constexpr std::uint8_t hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    return 0;
}
// The digit of the low four bits of value.
constexpr char hexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0Fu];
}

// The one hexadecimal text of the program: upper-case digits of value, at least `digits` of them
// (more when the value needs them), no prefix.
std::string hexText(std::uint32_t value, int digits);
// Its binary twin: '0' and '1' of value, highest first, at least `digits` of them.
std::string binaryText(std::uint32_t value, int digits);

// An X or Y number written with octal digits (0 to 177, read as decimal) to its linear index:
// 17 -> 15, 100 -> 64, 177 -> 127.
std::int32_t octalNoToIndex(std::int32_t n);

// The first n characters of text (digits 0-9 and upper-case A-F, the last the lowest digit) as a
// number. Nothing when text is shorter than n, a character is no such digit, n is negative or the
// value needs more than 32 bits (leading zeros are fine).
[[nodiscard]] std::optional<std::uint32_t> hexStrToInt(std::string_view text, int n);

// A real-number constant as typed (for example "E1.5" or "-2"): every 'E' left out, at most 20
// characters kept, read as a decimal number; the bits of the nearest single-precision value.
// Text that does not start with a decimal number (hexadecimal, "INF" and "NAN" included) gives 0.
// Nothing when the number lies beyond the largest single-precision value ("E1e39").
std::optional<std::uint32_t> strToFloatBits(std::string_view text);

// The single-precision value of an IEEE 754 single-format bit pattern.
float bitsToFloat(std::uint32_t bits);

// Fills the first n bytes of buf (at most its size) with blanks and makes it an empty text.
void blankCharBuf(std::span<char> buf, std::size_t n);

// Removes the blanks at pos of the text buf[0..len): the characters after them move left and the
// freed places at the end become NUL. Returns the new length. len is taken at most as buf's size.
std::int32_t deleteSpacesAt(std::span<char> buf, std::int32_t pos, std::int32_t len);

}  // namespace kestrion
