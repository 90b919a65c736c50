#include "reader/OperandWords.h"

#include <charconv>
#include <optional>

#include "model/core/ConversionError.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/MachineWords.h"

namespace kestrion {

namespace {

constexpr const char* kOperandErrorCaption = "Error2015101880...";
constexpr const char* kLadderConversion = "Ladder Conversion";
constexpr const char* kFatalCaption = "*convToFncRelayCode";

// ---- Encoding helpers ----------------------------------------------------------------------------

[[noreturn]] void refuseOperand(std::uint32_t step) {
    platform::statusBar().setPanelText(13, "ErrorStepNo=" + std::to_string(step));
    platform::say({"LToM FNC(nn) opCode Error", kOperandErrorCaption, platform::MsgIcon::Warning});
    throw ConversionError(kOperandErrorCaption);
}

char at(std::string_view text, std::size_t i) {
    return i < text.size() ? text[i] : '\0';
}

bool isIndexLetter(char c) {
    return c == 'V' || c == 'Z';
}

// The end of the number part that begins at from: the end of the text, a zero byte, 'V' or 'Z'.
std::size_t scanNumber(std::string_view text, std::size_t from) {
    std::size_t p = from;
    while (at(text, p) != '\0' && !isIndexLetter(text[p])) ++p;
    return p;
}

std::string_view numberPart(std::string_view text, std::size_t from, std::size_t end) {
    return from < end ? text.substr(from, end - from) : std::string_view();
}

// A signed decimal integer that fits 32 bits, nothing else.
std::optional<std::int32_t> parseDecimal(std::string_view digits) {
    std::int32_t value = 0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal real as the box lets it through and the float conversion reads it whole: sign, digits
// with an optional point, an optional exponent "e" with sign and digits.
bool isDecimalReal(std::string_view text) {
    std::size_t i = 0;
    auto digits = [&text, &i] {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i])) ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && text[i] == 'e') {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

std::uint32_t lo(std::uint32_t x) {
    return x & 0xFF;
}
std::uint32_t hi(std::uint32_t x) {
    return (x >> 8) & 0xFF;
}

std::uint32_t indexClassBits(std::string_view text, std::size_t p) {
    const char letter = at(text, p);
    return letter == 'V' ? 0x1000 : letter == 'Z' ? 0x2000 : 0;
}

std::uint32_t indexDigit(std::string_view text, std::size_t p) {
    const char digit = at(text, p + 1);
    return digit >= '1' && digit <= '7' ? static_cast<std::uint32_t>(digit - '0') : 0;
}

std::uint32_t emit(OperandSink& sink, std::uint32_t step, std::uint32_t word) {
    return sink.emitWord(step, static_cast<std::uint16_t>(word));
}

std::uint32_t emitPair(OperandSink& sink, std::uint32_t step, std::uint32_t w1, std::uint32_t w2) {
    step = emit(sink, step, w1);
    return emit(sink, step, w2);
}

// A word device or bit device pair, then the fill words of the 32-bit form.
std::uint32_t emitPairAndFill(OperandSink& sink, std::uint32_t step, std::uint32_t w1, std::uint32_t w2) {
    step = emitPair(sink, step, w1, w2);
    return sink.wide ? emitTwoFillWords(sink, step) : step;
}

// A constant: the pair, then bits 16-23 and 24-31 of the value in the 32-bit form.
std::uint32_t emitConstant(OperandSink& sink, std::uint32_t step, std::uint32_t w1, std::uint32_t w2,
                           std::uint32_t value) {
    step = emitPair(sink, step, w1, w2);
    if (!sink.wide) return step;
    step = emit(sink, step, 0x8000 + ((value >> 16) & 0xFF));
    return emit(sink, step, 0x8000 + ((value >> 24) & 0xFF));
}

// A word register pair: value 2n (or the like) must leave the low six bits of the second byte to
// itself, so that an index added as 64 × k reads back.
std::uint32_t emitWordDevice(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                             std::uint32_t value, std::uint32_t secondBase) {
    if (value >= 0x4000) refuseOperand(step);
    const std::uint32_t w1 = 0x8600 + lo(value) + indexClassBits(text, p);
    const std::uint32_t w2 = addIndexDigit64(text, p, secondBase + hi(value));
    return emitPairAndFill(sink, step, w1, w2);
}

bool isBitDeviceLetter(char c) {
    return c == 'S' || c == 'X' || c == 'Y' || c == 'M';
}

std::uint32_t bitOperandCode(char letter, std::int32_t n, std::uint32_t step) {
    const std::optional<std::int32_t> code =
        isBitDeviceLetter(letter) ? deviceCodeOf(letter, n) : std::nullopt;
    if (!code) refuseOperand(step);
    return static_cast<std::uint32_t>(*code);
}

std::int32_t numberOrRefuse(std::string_view digits, std::uint32_t step) {
    const std::optional<std::int32_t> n = parseDecimal(digits);
    if (!n) refuseOperand(step);
    return *n;
}

// ---- Decoding helpers ----------------------------------------------------------------------------

// An operand the reader cannot name could be neither shown nor written back: the load stops.
[[noreturn]] void stopUnreadableOperand(const std::string& text) {
    platform::say({text, kLadderConversion, platform::MsgIcon::Information});
    throw ConversionError(kLadderConversion);
}

[[noreturn]] void stopDecoding(const std::string& text) {
    platform::say({text, kFatalCaption, platform::MsgIcon::Error});
    throw ConversionError(kFatalCaption);
}

struct BitOperand {
    char letter;
    std::string digits;
};

// The bit devices an operand may name: the device map without T and C, with the wider X/Y and M
// ranges that foreign programs may use (Y up to index 0x2FF, M0-M1791 from 0x0800).
std::optional<BitOperand> bitOperand(std::int32_t code, bool padded) {
    if (code < 0 || code > 0x3FFF) return std::nullopt;
    if (code <= 0x03FF) return BitOperand{'S', std::to_string(code)};
    if (code <= 0x04FF) return BitOperand{'X', xyNumberText(code - 0x400, padded)};
    if (code <= 0x07FF) return BitOperand{'Y', xyNumberText(code - 0x500, padded)};
    if (code <= 0x0EFF) return BitOperand{'M', std::to_string(code - 0x800)};
    if (code <= 0x13FF) return BitOperand{'M', std::to_string(code + 0x1040)};
    if (code <= 0x27FF) return BitOperand{'S', std::to_string(code - 0x1000)};
    return BitOperand{'M', std::to_string(code - 0x2200)};
}

std::string constantDigits(std::int32_t v, bool wide) {
    return std::to_string(wide ? v : static_cast<std::int16_t>(v & 0xFFFF));
}

std::string hexDigits(std::int32_t v, bool wide) {
    const auto bits = static_cast<std::uint32_t>(v);
    return wide ? hexText(bits, 8) : hexText(bits & 0xFFFF, 4);
}

std::string counterDigits(std::int32_t v) {
    return std::to_string(v < 0x200 ? v / 2 : 200 + (v - 0x200) / 4);
}

std::string indexRegisterName(std::int32_t m) {
    for (std::int32_t k = 0; k <= 7; ++k) {
        if (m == indexRegisterNumber('Z', k)) return "Z" + std::to_string(k);
        if (m == indexRegisterNumber('V', k)) return "V" + std::to_string(k);
    }
    return {};
}

struct Words {
    std::uint32_t w1, w2, w3, w4;
    bool wide;
    std::int32_t value(std::uint32_t x, std::uint32_t b1, std::uint32_t b2) const {
        return getOperandValue(x, wide, b1, b2, w1, w2, w3, w4);
    }
};

// The digits of a word device by the base of its second word; nothing for another base.
std::optional<std::string> wordDeviceText(std::uint32_t base2, std::int32_t v, char& letter) {
    switch (base2 >> 8) {
        case 0x80: letter = 'D'; return std::to_string(v / 2 + 8000);
        case 0x82: letter = 'T'; return std::to_string(v / 2);
        case 0x84: letter = 'C'; return counterDigits(v);
        case 0x86: letter = 'D'; return std::to_string(v / 2);
        case 0x88: letter = 'D'; return std::to_string(v / 2 + 1000);
        default: return std::nullopt;
    }
}

std::string decodeBitDeviceOrGroup(const Words& w, int indexLetter, std::uint32_t b1) {
    const std::uint32_t base = w.w2 & 0xFE00;
    const std::uint32_t x = indexLetter != 0 ? indexOffsetFloor((w.w2 - base) & 0x1C0) : 0;
    const std::int32_t v = w.value(x, b1, base);
    const auto size = static_cast<int>((base - 0x8000) / 0x200);  // 0 plain, 1..8 the group K1..K8
    const std::optional<BitOperand> device = bitOperand(v, size == 0 && indexLetter == 0);
    if (!device) {
        if (size == 0) stopDecoding("Error2014122100...");
        stopDecoding("Error201412210" + std::to_string(size) + "...");
    }
    if (size == 0) return operandText(indexLetter, x, device->letter, device->digits);
    return bitGroupOperandText(indexLetter, x, static_cast<char>('0' + size), device->letter, device->digits);
}

std::string decodePointer(const Words& w, int indexLetter) {
    const std::uint32_t indexBits = indexLetter != 0 ? (w.w2 & 0x1C0) : 0;
    const std::uint32_t x = indexOffsetFloor(indexBits);
    const std::int32_t v = w.value(0, w.w1 & 0xFF00, 0x8000) - static_cast<std::int32_t>(256 * indexBits);
    if (v >= 0x20000) return operandText(indexLetter, x, 'I', std::to_string((v - 0x20000) / 2));
    return operandText(indexLetter, x, 'P', std::to_string(v / 2));
}

std::string decodeUG(const Words& w) {
    const std::uint32_t u = (w.w2 - 0x8000) >> 10;
    const std::uint32_t g = (w.w1 & 0xFF) + 256 * (w.w2 & 0x7F);
    const int indexLetter = static_cast<int>((w.w1 >> 12) & 3);
    const std::uint32_t x = indexOffsetFloor((w.w2 & 0x380) / 2);
    return operandText(indexLetter, x, 'U', std::string(1, hexDigit(u)) + "\\G" + std::to_string(g));
}

[[noreturn]] std::string notRecognised() {
    platform::statusBar().setPanelText(0, std::to_string(convStepNo));
    stopUnreadableOperand("FncInstr error 20190817.00");
}

std::string decodeWordDevice(const Words& w, int indexLetter) {
    const std::uint32_t h2 = w.w2 >> 8;
    const std::uint32_t b1 = w.w1 & 0xFF00;
    if (indexLetter == 0) {
        const std::int32_t v = w.value(0, b1, h2 << 8);
        if (h2 == 0x98) return operandText(0, 0, 'R', std::to_string(v / 2));
        char letter = 'D';
        const std::optional<std::string> digits = wordDeviceText(h2 << 8, v, letter);
        if (!digits) stopUnreadableOperand("op2 V,Z error");
        if (h2 == 0x80) {
            const std::string name = indexRegisterName(v / 2 + 8000);
            if (!name.empty()) return name;
        }
        return operandText(0, 0, letter, *digits);
    }
    if (h2 >= 0x98 && h2 <= 0x9F) {
        const std::uint32_t v = (w.w1 & 0xFF) + 256 * (w.w2 & 0xFF);
        return operandText(indexLetter, (w.w2 - 0x9800) >> 8, 'R', std::to_string(v / 2));
    }
    const std::uint32_t base = w.w2 & 0xFE00;
    char letter = 'D';
    const std::uint32_t x = indexOffsetFloor((w.w2 - base) & 0x1C0);
    const std::optional<std::string> digits =
        h2 <= 0x89 ? wordDeviceText(base, w.value(x, b1, base), letter) : std::nullopt;
    if (!digits) stopUnreadableOperand("op2 V,Z error");
    return operandText(indexLetter, x, letter, *digits);
}

std::string decodeOne(const Words& w) {
    const std::uint32_t h1 = w.w1 >> 8;
    const std::uint32_t h2 = w.w2 >> 8;
    const int indexLetter = (h1 & 0xF0) == 0x90 ? 1 : (h1 & 0xF0) == 0xA0 ? 2 : 0;
    switch (h1) {
        case 0x80:
            if (h2 == 0x90)
                return "E" + floatOperandDigits(static_cast<std::uint32_t>(w.value(0, 0x8000, 0x9000)));
            return "K" + constantDigits(w.value(0, 0x8000, 0x8000), w.wide);
        case 0x82: return "H" + hexDigits(w.value(0, 0x8200, 0x8000), w.wide);
        case 0x84:
            if (h2 == 0x80 || (h2 >= 0x82 && h2 <= 0x90 && (h2 & 1) == 0))
                return decodeBitDeviceOrGroup(w, 0, 0x8400);
            stopDecoding("Error2014122109...");
        case 0x86: return decodeWordDevice(w, 0);
        case 0x88:
        case 0x98:
        case 0xA8: return decodePointer(w, indexLetter);
        default: break;
    }
    if ((w.w1 & 0xCF00) == 0x8C00 && (w.w2 & 0xC000) == 0x8000) return decodeUG(w);
    switch (h1) {
        case 0x90:
        case 0xA0:
        case 0x92:
        case 0xA2: {
            const std::uint32_t x = w.w2 & 0x0F00;
            const std::int32_t v = w.value(x, w.w1 & 0xFF00, w.w2 & 0xF000);
            const std::uint32_t offset = indexOffsetFromHighByte(x);
            if (h1 == 0x90 || h1 == 0xA0)
                return operandText(indexLetter, offset, 'K', constantDigits(v, w.wide));
            return operandText(indexLetter, offset, 'H', hexDigits(v, w.wide));
        }
        case 0x94:
        case 0xA4:
            if (h2 < 0x80 || h2 > 0x91) return {};
            return decodeBitDeviceOrGroup(w, indexLetter, w.w1 & 0xFF00);
        case 0x96:
        case 0xA6: return decodeWordDevice(w, indexLetter);
        default: return notRecognised();
    }
}

}  // namespace

// ---- Encoders ----------------------------------------------------------------------------------------

std::uint32_t encodeOperand(OperandSink& sink, std::uint32_t step, std::string_view text) {
    const std::size_t p = scanNumber(text, 1);
    const std::string_view number = numberPart(text, 1, p);
    const char first = at(text, 0);
    const bool bitGroup = first == 'K' && isBitDeviceLetter(at(text, 2));
    if (first == 'K' && !bitGroup)
        return encodeDecimalConstant(sink, text, p, step, numberOrRefuse(number, step));
    if (first == 'H') {
        const std::optional<std::uint32_t> n = hexStrToInt(number, static_cast<int>(number.size()));
        if (!n || number.empty()) refuseOperand(step);
        return encodeHexConstant(sink, text, p, step, *n);
    }
    if (first == 'E') {
        const std::optional<std::uint32_t> bits =
            isDecimalReal(number) ? strToFloatBits(number) : std::optional<std::uint32_t>{};
        if (!bits) refuseOperand(step);  // not a number, or outside the float range
        return encodeFloatConstant(sink, text, p, step, *bits);
    }
    if (bitGroup) {
        const std::size_t end = scanNumber(text, 3);
        return encodeBitGroup(sink, text, end - 3, step, numberOrRefuse(numberPart(text, 3, end), step));
    }
    switch (first) {
        case 'S':
        case 'X':
        case 'Y':
        case 'M': return encodeBitDevice(sink, text, p, step, numberOrRefuse(number, step));
        case 'T': return encodeTimer(sink, text, p, step, numberOrRefuse(number, step));
        case 'C': return encodeCounter(sink, text, p, step, numberOrRefuse(number, step));
        case 'D': return encodeDataRegister(sink, text, p, step, numberOrRefuse(number, step));
        case 'R': return encodeFileRegister(sink, text, p, step, numberOrRefuse(number, step));
        case 'V':
        case 'Z':  // the letter alone is register 0, as the instruction box takes it
            return encodeIndexRegister(sink, text, p, step,
                                       number.empty() ? 0 : numberOrRefuse(number, step));
        case 'I': return encodeInterruptPointer(sink, text, p, step, numberOrRefuse(number, step));
        default: refuseOperand(step);
    }
}

std::uint32_t encodeDecimalConstant(OperandSink& sink, std::string_view text, std::size_t p,
                                    std::uint32_t step, std::int32_t n) {
    const auto value = static_cast<std::uint32_t>(n);
    const std::uint32_t w1 = 0x8000 + lo(value) + indexClassBits(text, p);
    return emitConstant(sink, step, w1, addIndexDigit256(text, p, 0x8000 + hi(value)), value);
}

std::uint32_t encodeHexConstant(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                std::uint32_t n) {
    const std::uint32_t w1 = 0x8200 + lo(n) + indexClassBits(text, p);
    return emitConstant(sink, step, w1, addIndexDigit256(text, p, 0x8000 + hi(n)), n);
}

std::uint32_t encodeFloatConstant(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                  std::uint32_t n) {
    // An index would turn the words into an indexed K constant: a real constant has no indexed form.
    if (indexClassBits(text, p) != 0) refuseOperand(step);
    return emitConstant(sink, step, 0x8000 + lo(n), 0x9000 + hi(n), n);
}

std::uint32_t encodeBitGroup(OperandSink& sink, std::string_view text, std::size_t m, std::uint32_t step,
                             std::int32_t n) {
    const std::uint32_t code = bitOperandCode(at(text, 2), n, step);
    const char size = at(text, 1);
    if (size < '1' || size > '8') {
        platform::say({"Error2015101605.movOpCode1 Error", "*DeleteNop", platform::MsgIcon::Warning});
        throw ConversionError("*DeleteNop");
    }
    const std::size_t q = m + 3;
    const std::uint32_t w1 = 0x8400 + lo(code) + indexClassBits(text, q);
    const std::uint32_t w2 = addBitGroupBase(text, addIndexDigit64(text, q, hi(code)));
    return emitPairAndFill(sink, step, w1, w2);
}

std::uint32_t encodeBitDevice(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                              std::int32_t n) {
    const std::uint32_t code = bitOperandCode(at(text, 0), n, step);
    const std::uint32_t w1 = 0x8400 + lo(code) + indexClassBits(text, p);
    return emitPairAndFill(sink, step, w1, addIndexDigit64(text, p, 0x8000 + hi(code)));
}

std::uint32_t encodeTimer(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                          std::int32_t n) {
    if (n < 0) refuseOperand(step);
    return emitWordDevice(sink, text, p, step, 2 * static_cast<std::uint32_t>(n), 0x8200);
}

std::uint32_t encodeCounter(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                            std::int32_t n) {
    if (n < 0) refuseOperand(step);
    if (n < 200) return emitWordDevice(sink, text, p, step, 2 * static_cast<std::uint32_t>(n), 0x8400);
    // 32-bit counters: the value 4 × (n − 200) must stay in the first word's low byte.
    const std::uint32_t value = 4 * static_cast<std::uint32_t>(n - 200);
    if (value > 0xFF) refuseOperand(step);
    return emitWordDevice(sink, text, p, step, value, 0x8402);
}

std::uint32_t encodeDataRegister(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                 std::int32_t n) {
    if (n < 0) refuseOperand(step);
    const auto number = static_cast<std::uint32_t>(n);
    if (number >= 8000) return emitWordDevice(sink, text, p, step, 2 * (number - 8000), 0x8000);
    if (number >= 1000) return emitWordDevice(sink, text, p, step, 2 * (number - 1000), 0x8800);
    return emitWordDevice(sink, text, p, step, 2 * number, 0x8600);
}

std::uint32_t encodeFileRegister(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                 std::int32_t n) {
    if (n < 0 || n > 32767) refuseOperand(step);
    const std::uint32_t value = 2 * static_cast<std::uint32_t>(n);
    const std::uint32_t index = isIndexLetter(at(text, p)) ? 256 * indexDigit(text, p) : 0;
    const std::uint32_t w1 = 0x8600 + lo(value) + indexClassBits(text, p);
    return emitPairAndFill(sink, step, w1, 0x9800 + hi(value) + index);
}

std::uint32_t encodeUG(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                       std::int32_t g, std::uint32_t uBits) {
    if (g < 0 || g > 32767 || uBits > 15 * 1024) refuseOperand(step);
    const auto number = static_cast<std::uint32_t>(g);
    const std::uint32_t index = isIndexLetter(at(text, p)) ? 128 * indexDigit(text, p) : 0;
    const std::uint32_t w1 = 0x8C00 + lo(number) + indexClassBits(text, p);
    return emitPairAndFill(sink, step, w1, 0x8000 + uBits + (number >> 8) + index);
}

std::uint32_t encodeUGText(OperandSink& sink, std::uint32_t step, std::string_view text) {
    if (at(text, 0) != 'U' || !isHexDigit(at(text, 1)) || at(text, 2) != '\\' || at(text, 3) != 'G')
        refuseOperand(step);
    const std::size_t p = scanNumber(text, 4);
    const std::int32_t g = numberOrRefuse(numberPart(text, 4, p), step);
    return encodeUG(sink, text, p, step, g, 16 * indexDigitOffset64(text[1]));
}

std::uint32_t encodeIndexRegister(OperandSink& sink, std::string_view text, std::size_t, std::uint32_t step,
                                  std::int32_t n) {
    const char letter = at(text, 0);
    if (!isIndexLetter(letter) || n < 0 || n > 7) refuseOperand(step);
    const auto value = static_cast<std::uint32_t>(2 * (indexRegisterNumber(letter, n) - 8000));
    return emitPairAndFill(sink, step, 0x8600 + lo(value), 0x8000 + hi(value));
}

std::uint32_t encodeInterruptPointer(OperandSink& sink, std::string_view, std::size_t, std::uint32_t step,
                                     std::int32_t n) {
    // From I128 the first word would leave its class.
    if (n < 0 || n > 127) refuseOperand(step);
    return emitPairAndFill(sink, step, 0x8800 + 2 * static_cast<std::uint32_t>(n), 0x8200);
}

std::uint32_t encodePointerText(OperandSink& sink, std::uint32_t step, std::string_view text) {
    if (at(text, 0) != 'P') refuseOperand(step);
    const std::size_t p = scanNumber(text, 1);
    const std::int32_t n = numberOrRefuse(numberPart(text, 1, p), step);
    if (n < 0 || n > 8191) refuseOperand(step);
    const std::uint32_t value = 2 * static_cast<std::uint32_t>(n);
    const std::uint32_t w1 = 0x8800 + lo(value) + indexClassBits(text, p);
    return emitPairAndFill(sink, step, w1, addIndexDigit64(text, p, 0x8000 + hi(value)));
}

std::uint32_t encodeStringText(OperandSink& sink, std::uint32_t step, std::string_view text) {
    bool ended = false;
    for (std::size_t i = 0; i < 8; ++i) {
        ended = ended || at(text, i) == '\0';
        const std::uint32_t c = ended ? 0 : static_cast<unsigned char>(text[i]);
        step = emit(sink, step, (i % 2 == 0 ? 0x8A00 : 0x8000) + c);
    }
    return step;
}

std::uint32_t emitTwoFillWords(OperandSink& sink, std::uint32_t step) {
    step = emit(sink, step, 0x8000);
    return emit(sink, step, 0x8000);
}

std::uint32_t addIndexDigit64(std::string_view text, std::size_t p, std::uint32_t word) {
    return at(text, p) == '\0' ? word : word + 64 * indexDigit(text, p);
}

std::uint32_t addIndexDigit256(std::string_view text, std::size_t p, std::uint32_t word) {
    return at(text, p) == '\0' ? word : word + 256 * indexDigit(text, p);
}

std::uint32_t addBitGroupBase(std::string_view text, std::uint32_t word) {
    const char size = at(text, 1);
    if (size < '1' || size > '8') return word;
    return word + 0x8200 + 0x200 * static_cast<std::uint32_t>(size - '1');
}

std::uint32_t indexDigitOffset64(char c) {
    return isHexDigit(c) ? 64u * hexDigitValue(c) : 0;
}

std::int32_t indexRegisterNumber(char letter, std::int32_t k) {
    const std::int32_t v = letter == 'V' ? 1 : 0;
    return k == 0 ? 8028 + v : 8180 + 2 * k + v;
}

// ---- Decoders ----------------------------------------------------------------------------------------

OperandTexts decodeOperands(std::span<const std::uint16_t> words, int k, bool wide) {
    OperandTexts texts;
    auto word = [&words](std::size_t i) -> std::uint32_t { return i < words.size() ? words[i] : 0xFFFF; };
    std::size_t p = 0;
    for (int i = 0; i < k && i < 5; ++i) {
        const Words w{word(p), word(p + 1), wide ? word(p + 2) : 0x8000u, wide ? word(p + 3) : 0x8000u, wide};
        if ((w.w1 >> 8) == 0x8A) {
            // Eight character words take the place of four operands.
            std::string characters;
            for (std::size_t c = 0; c < 8 && (word(p + c) & 0xFF) != 0; ++c)
                characters.push_back(static_cast<char>(word(p + c) & 0xFF));
            texts[static_cast<std::size_t>(i)] = characters;
            i += 3;
            p += wide ? 10 : 8;
            continue;
        }
        texts[static_cast<std::size_t>(i)] = decodeOne(w);
        p += wide ? 4 : 2;
    }
    return texts;
}

void convToFncRelayCode(std::size_t o, int k, bool wide) {
    if (o < kProgramAreaOffset) return;
    const std::size_t first = (o - kProgramAreaOffset) / 2 + 1;
    const std::span<const std::uint16_t> program(pmw.program);
    const OperandTexts texts =
        decodeOperands(first < program.size() ? program.subspan(first) : program.last(0), k, wide);
    for (int i = 0; i < k && i < 5; ++i)
        if (!texts[static_cast<std::size_t>(i)].empty() && ldrNow != nullptr)
            setText(ldrNow->operands[static_cast<std::size_t>(i)], texts[static_cast<std::size_t>(i)]);
}

std::int32_t getOperandValue(std::uint32_t x, bool wide, std::uint32_t b1, std::uint32_t b2, std::uint32_t w1,
                             std::uint32_t w2, std::uint32_t w3, std::uint32_t w4) {
    std::uint32_t v = (w1 - b1) + 256u * (w2 - b2 - x);
    if (wide) v += 65536u * (w3 - 0x8000) + 16777216u * (w4 - 0x8000);
    return static_cast<std::int32_t>(v);
}

std::string operandText(int indexLetter, std::uint32_t indexOffset, char letter, std::string_view digits) {
    std::string text(1, letter);
    text.append(digits);
    if (indexLetter == 0) return text;
    text.push_back(indexLetter == 2 ? 'Z' : 'V');
    if (indexOffset >= 64 && indexOffset <= 448 && indexOffset % 64 == 0)
        text.push_back(static_cast<char>('0' + indexOffset / 64));
    else if (indexOffset >= 1 && indexOffset <= 7)
        text.push_back(static_cast<char>('0' + indexOffset));
    return text;
}

std::string bitGroupOperandText(int indexLetter, std::uint32_t indexOffset, char sizeDigit, char letter,
                                std::string_view digits) {
    std::string text{'K', sizeDigit, letter};
    text.append(digits);
    if (indexLetter == 0) return text;
    text.push_back(indexLetter == 2 ? 'Z' : 'V');
    if (indexOffset >= 64 && indexOffset <= 448 && indexOffset % 64 == 0)
        text.push_back(static_cast<char>('0' + indexOffset / 64));
    return text;
}

void writeOperandText(int indexLetter, std::uint32_t indexOffset, char letter, int slot,
                      std::string_view digits) {
    if (slot < 0 || slot > 4 || ldrNow == nullptr) return;
    setText(ldrNow->operands[static_cast<std::size_t>(slot)],
            operandText(indexLetter, indexOffset, letter, digits));
}

void writeBitGroupOperandText(int indexLetter, std::uint32_t indexOffset, char sizeDigit, char letter,
                              int slot, std::string_view digits) {
    if (slot < 0 || slot > 4 || ldrNow == nullptr) return;
    setText(ldrNow->operands[static_cast<std::size_t>(slot)],
            bitGroupOperandText(indexLetter, indexOffset, sizeDigit, letter, digits));
}

std::uint32_t indexOffsetFloor(std::uint32_t x) {
    return x >= 448 ? 448 : x / 64 * 64;
}

std::uint32_t indexOffsetFromHighByte(std::uint32_t x) {
    return (x & 0xFF) == 0 && x <= 0x700 ? (x >> 8) * 64 : x;
}

std::string floatOperandDigits(std::uint32_t bits) {
    // An operand text holds 15 characters, the "E" one of them.
    constexpr std::size_t kRoom = 14;
    const float value = bitsToFloat(bits);
    char buffer[64];
    auto format = [&buffer, value](std::chars_format style, int precision) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, style, precision);
        return std::string(buffer, result.ptr);
    };
    std::string text = format(std::chars_format::fixed, 6);
    if (text.size() <= kRoom) return text;
    text = format(std::chars_format::scientific, 8);
    if (text.size() <= kRoom) return text;
    return format(std::chars_format::scientific, 7);
}

}  // namespace kestrion
