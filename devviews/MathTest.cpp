#include "devviews/MathTest.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "devviews/DevViewsDialogs.h"
#include "model/core/ConversionError.h"
#include "model/instructions/Conversions.h"
#include "reader/OperandWords.h"

namespace kestrion {

namespace {

constexpr std::size_t kMostDigits = 20;

// What a field holds. A word or a register pair holds its value read signed or unsigned; a value
// beyond that would come out cut to its low bits, so the field refuses it instead.
struct Range {
    int bits;
    double least;
    double most;
};
constexpr Range kWord{16, -32768.0, 65535.0};
constexpr Range kPair{32, -2147483648.0, 4294967295.0};
// A K constant is a signed number: its words hold no value above the signed range.
constexpr Range kSignedWord{16, -32768.0, 32767.0};
constexpr Range kSignedPair{32, -2147483648.0, 2147483647.0};

// The typed value: the number itself (the integer, or the whole part of a real), its 32-bit pattern
// while it has one, and the real number when one was typed.
struct TypedValue {
    double whole = 0;
    std::uint32_t bits = 0;  // two's complement
    bool real = false;
    std::uint32_t floatBits = 0;
};

std::string hex(std::uint32_t value, int digits) {
    return "H" + hexText(value, digits);
}

std::string words(const std::vector<std::uint16_t>& list) {
    std::string text;
    for (std::uint16_t word : list) text += (text.empty() ? "" : " ") + hexText(word, 4);
    return text;
}

std::optional<TypedValue> readTyped(std::string_view typed) {
    std::string text(typed);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty() || text.size() > kMostDigits) return std::nullopt;
    TypedValue value;
    if (text.front() == 'H') {
        const std::optional<std::uint32_t> bits =
            hexStrToInt(text.substr(1), static_cast<int>(text.size() - 1));
        if (!bits || text.size() == 1 || text.size() > 9) return std::nullopt;
        value.bits = *bits;
        value.whole = *bits;
        return value;
    }
    const bool realText = text.front() == 'E' || text.find('.') != std::string::npos;
    if (realText) {
        // The constant of the instruction box: every E left out, read as a decimal number (so
        // E1.5E3 reads 1.53, as the program itself reads it).
        std::string number = text.front() == 'E' ? text.substr(1) : text;
        std::erase(number, 'E');
        double parsed = 0;
        const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
        if (number.empty() || error != std::errc{} || stop != number.data() + number.size())
            return std::nullopt;
        const std::optional<std::uint32_t> bits = strToFloatBits(number);
        if (!bits) return std::nullopt;
        value.real = true;
        value.floatBits = *bits;
        // Adding 0 makes the whole part of -0.5 a plain 0.
        value.whole = std::trunc(static_cast<double>(bitsToFloat(*bits))) + 0.0;
        if (value.whole >= kPair.least && value.whole <= kPair.most)
            value.bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(value.whole));
        return value;
    }
    const std::string digits = text.front() == 'K' ? text.substr(1) : text;
    long long parsed = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (digits.empty() || error != std::errc{} || stop != digits.data() + digits.size() ||
        parsed < INT32_MIN || parsed > UINT32_MAX)
        return std::nullopt;
    value.bits = static_cast<std::uint32_t>(parsed);
    value.whole = static_cast<double>(parsed);
    return value;
}

bool fits(double whole, const Range& range) {
    return whole >= range.least && whole <= range.most;
}

// A whole number, however large, without decimals.
std::string wholeText(double whole) {
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", whole);
    return text;
}

// What a field shows in place of a value it cannot hold.
std::string doesNotFit(double whole, const Range& range) {
    return wholeText(whole) + " does not fit " + std::to_string(range.bits) + " bits (" +
           wholeText(range.least) + " to " + wholeText(range.most) + ")";
}

// The words the program writes for a constant operand, and the text it reads back from them.
struct Operand {
    std::vector<std::uint16_t> words;
    std::string back;
};

std::optional<Operand> operandOf(const std::string& text, bool wide) {
    Operand operand;
    OperandSink sink;
    sink.wide = wide;
    sink.emitWord = [&operand](std::uint32_t step, std::uint16_t word) {
        operand.words.push_back(word);
        return step + 1;
    };
    try {
        encodeOperand(sink, 0, text);
        operand.back = decodeOperands(operand.words, 1, wide)[0];
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    return operand;
}

void addOperand(std::vector<std::string>& lines, const std::string& label, const std::string& text,
                bool wide) {
    const std::optional<Operand> operand = operandOf(text, wide);
    lines.push_back(
        label + text +
        (operand ? ": " + words(operand->words) + "  -> " + operand->back : ": not written by the program"));
}

std::string bcdLine(double whole, int digits) {
    const long long bcd = fits(whole, kPair) ? binaryToBcd(static_cast<long long>(whole), digits) : -1;
    if (bcd < 0) return "not a BCD value (0 to " + std::string(static_cast<std::size_t>(digits), '9') + ")";
    return hex(static_cast<std::uint32_t>(bcd), digits) + "  -> " +
           std::to_string(bcdToBinary(static_cast<unsigned long long>(bcd)));
}

std::string floatText(const char* format, std::uint32_t bits) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<double>(bitsToFloat(bits)));
    return text;
}

// A constant operand's words, or the refusal when its field cannot hold the value whole.
void addConstant(std::vector<std::string>& lines, const TypedValue& value, const Range& range,
                 const std::string& text) {
    const std::string label = "Operand words, " + std::to_string(range.bits) + " bits: ";
    if (fits(value.whole, range))
        addOperand(lines, label, text, range.bits == 32);
    else
        lines.push_back(label + doesNotFit(value.whole, range));
}

// The integer fields; a real whose whole part lies beyond 32 bits leaves them without a value.
void addIntegerLines(std::vector<std::string>& lines, const TypedValue& value) {
    const std::uint32_t bits = value.bits;
    const auto low = static_cast<std::uint16_t>(bits & 0xFFFF);
    const auto high = static_cast<std::uint16_t>(bits >> 16);
    const auto signed32 = static_cast<std::int32_t>(bits);
    const bool pair = fits(value.whole, kPair);
    const std::string tooWide = doesNotFit(value.whole, kPair);
    lines.push_back("Decimal (32 bits): " +
                    (pair ? std::to_string(signed32) + "   unsigned " + std::to_string(bits) : tooWide));
    lines.push_back("Hexadecimal (32 bits): " + (pair ? hex(bits, 8) : tooWide));
    lines.push_back("16-bit register (low word): " +
                    (fits(value.whole, kWord) ? hex(low, 4) + " = " + std::to_string(low) + ", signed " +
                                                    std::to_string(static_cast<std::int16_t>(low))
                                              : doesNotFit(value.whole, kWord)));
    lines.push_back("32-bit pair: " +
                    (pair ? "D0 (low word) = " + hex(low, 4) + " (" + std::to_string(low) +
                                "), D1 (high word) = " + hex(high, 4) + " (" + std::to_string(high) + ")"
                          : tooWide));
    lines.push_back("BCD (16 bits): " + bcdLine(value.whole, 4));
    lines.push_back("BCD (32 bits): " + bcdLine(value.whole, 8));
    const long long fromBcd = bcdToBinary(bits);
    lines.push_back("Read as BCD: " + (!pair         ? tooWide
                                       : fromBcd < 0 ? std::string("not BCD digits")
                                                     : std::to_string(fromBcd)));
    addConstant(lines, value, kSignedWord, "K" + std::to_string(static_cast<std::int16_t>(low)));
    addConstant(lines, value, kSignedPair, "K" + std::to_string(signed32));
    addConstant(lines, value, kWord, "H" + hexText(low, 4));
    addConstant(lines, value, kPair, "H" + hexText(bits, 8));
}

}  // namespace

long long bcdToBinary(unsigned long long bcd) {
    long long value = 0;
    long long weight = 1;
    for (; bcd != 0; bcd >>= 4, weight *= 10) {
        const unsigned long long digit = bcd & 0xF;
        if (digit > 9) return -1;
        value += static_cast<long long>(digit) * weight;
    }
    return value;
}

long long binaryToBcd(long long value, int digits) {
    if (value < 0) return -1;
    long long bcd = 0;
    for (int i = 0; i < digits; ++i, value /= 10) bcd |= (value % 10) << (4 * i);
    return value == 0 ? bcd : -1;
}

std::vector<std::string> mathTestLines(std::string_view typed) {
    const std::optional<TypedValue> value = readTyped(typed);
    if (!value)
        return {
            "Type a decimal number (1234, -5, K1234), a hexadecimal one (H4D2) or a real number "
            "(E1.5, 1.5)."};
    std::vector<std::string> lines;
    if (value->real)
        lines.push_back("Real number " + floatText("%f", value->floatBits) +
                        ", the integer lines take its whole part " + wholeText(value->whole));
    addIntegerLines(lines, *value);
    // A typed integer as the nearest real: the number itself, not a reading of its bits.
    const std::uint32_t f = value->real ? value->floatBits : *strToFloatBits(wholeText(value->whole));
    lines.push_back("Real number (IEEE single): " + hex(f, 8) + "  -> " + floatText("%.7f", f));
    lines.push_back("Real in registers: D0 (low word) = " + hex(f & 0xFFFF, 4) +
                    ", D1 (high word) = " + hex(f >> 16, 4));
    const std::string real = "E" + floatOperandDigits(f);
    addOperand(lines, "Operand words, 32 bits: ", real, true);
    return lines;
}

void MathTest1Click() {
    devViewsDialogs().mathTest();
}

}  // namespace kestrion
