#include "model/instructions/Conversions.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

namespace kestrion {

// Every digit the value has, zero-filled on the left to as many as asked for. The text is filled
// from the right in place: the loaders show one for every word they read.
std::string hexText(std::uint32_t value, int digits) {
    int needed = 0;
    for (std::uint32_t rest = value; rest != 0; rest >>= 4) ++needed;
    std::string text(static_cast<std::size_t>(std::max(needed, digits)), '0');
    for (std::size_t i = text.size(); value != 0; value >>= 4) text[--i] = hexDigit(value);
    return text;
}

std::string binaryText(std::uint32_t value, int digits) {
    std::string text;
    for (; digits > 0 || value != 0; --digits, value >>= 1)
        text.insert(text.begin(), (value & 1u) != 0 ? '1' : '0');
    return text;
}

std::int32_t octalNoToIndex(std::int32_t n) {
    // 100 (octal) follows 77: take out the twenty numbers 80..99 that never occur.
    if (n >= 100) n -= 20;
    return n / 10 * 8 + n % 10;
}

std::optional<std::uint32_t> hexStrToInt(std::string_view text, int n) {
    if (n < 0 || text.size() < static_cast<std::size_t>(n)) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text.substr(0, static_cast<std::size_t>(n))) {
        if (!isHexDigit(c)) return std::nullopt;
        // A 32-bit constant may be typed with leading zeros (nine digits with the 32-bit flag);
        // only digits that would shift out a set bit make it too large.
        if (value > 0x0FFFFFFFu) return std::nullopt;
        value = value << 4 | hexDigitValue(c);
    }
    return value;
}

namespace {

// The numeric conversion must not follow the user's locale (a decimal comma would cut "1.5" to 1).
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal number at the start of text: blanks, a sign, digits with an optional point, and an
// exponent (in lower case, every 'E' is gone). The C conversion alone would also read hexadecimal
// ("0X1A"), "INF" and "NAN", none of which is a real-number constant; those give 0.
std::string decimalPrefix(std::string_view text) {
    std::size_t end = 0;
    auto skipDigits = [&text, &end] {
        const std::size_t start = end;
        while (end < text.size() && isDigit(text[end])) ++end;
        return end - start;
    };
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    std::size_t mantissaDigits = skipDigits();
    if (end < text.size() && text[end] == '.') {
        ++end;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0) return std::string();
    const std::size_t beforeExponent = end;
    if (end < text.size() && text[end] == 'e') {
        ++end;
        if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
        if (skipDigits() == 0) end = beforeExponent;
    }
    return std::string(text.substr(0, end));
}

}  // namespace

std::optional<std::uint32_t> strToFloatBits(std::string_view text) {
    constexpr std::size_t kMaxDigits = 20;
    std::string number;
    for (char c : text) {
        if (c == '\0' || number.size() == kMaxDigits) break;
        if (c != 'E') number.push_back(c);
    }
    const std::string decimal = decimalPrefix(number);
    const float value = decimal.empty() ? 0.0f : strtof_l(decimal.c_str(), nullptr, cLocale());
    // The text is decimal, so only a number too large for the format comes back infinite.
    if (std::isinf(value)) return std::nullopt;
    return std::bit_cast<std::uint32_t>(value);
}

float bitsToFloat(std::uint32_t bits) {
    return std::bit_cast<float>(bits);
}

void blankCharBuf(std::span<char> buf, std::size_t n) {
    std::fill_n(buf.begin(), std::min(n, buf.size()), ' ');
    if (!buf.empty()) buf[0] = '\0';
}

std::int32_t deleteSpacesAt(std::span<char> buf, std::int32_t pos, std::int32_t len) {
    len =
        std::min<std::int32_t>(len, static_cast<std::int32_t>(std::min<std::size_t>(buf.size(), INT32_MAX)));
    if (pos < 0) return len;
    while (pos < len && buf[static_cast<std::size_t>(pos)] == ' ') {
        std::copy(buf.begin() + pos + 1, buf.begin() + len, buf.begin() + pos);
        buf[static_cast<std::size_t>(len - 1)] = '\0';
        --len;
    }
    return len;
}

}  // namespace kestrion
