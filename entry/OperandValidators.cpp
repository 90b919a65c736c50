#include "entry/OperandValidators.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "entry/EntryState.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/instructions/DeviceRanges.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

using RangeCheck = DeviceRangeCheck;

// Capacities of the number texts: characters past them are not examined.
constexpr std::size_t kWordCapacity = 13;
constexpr std::size_t kBufferMemoryCapacity = 10;
constexpr std::size_t kShortCapacity = 7;
constexpr std::size_t kSetValueCapacity = 11;
constexpr std::size_t kBitPartCapacity = 3;

constexpr std::size_t kHexDigits16 = 5;
constexpr std::size_t kHexDigits32 = 9;

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

// An operand text read past its end as NUL.
class Text {
public:
    explicit Text(std::string_view text) : text_(text) {}
    char at(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    std::string_view view() const { return text_; }
    // Characters before the first blank or NUL.
    std::size_t length() const {
        std::size_t n = 0;
        while (!endsHere(at(n))) ++n;
        return n;
    }
    static bool endsHere(char c) { return c == '\0' || c == ' '; }

private:
    std::string_view text_;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isIndexLetter(char c) {
    return c == 'V' || c == 'Z';
}
bool isOneOf(char c, std::string_view letters) {
    return c != '\0' && letters.find(c) != std::string_view::npos;
}

std::int32_t plcType() {
    return static_cast<std::int32_t>(pmw.plcType());
}

template <typename Int>
std::optional<Int> toInteger(std::string_view digits) {
    Int value{};
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

// Runs a range check on a decimal number text; a text that does not convert is an error.
std::uint8_t judgeNumber(std::string_view digits, RangeCheck check) {
    const std::optional<std::int32_t> number = toInteger<std::int32_t>(digits);
    if (!number) return 1;
    return check(plcType(), *number) != 0 ? 1 : 0;
}

struct Scan {
    std::string digits;
    std::size_t end = 0;  // where the number stopped
    bool error = false;
};

// Reads a number from `from`, at most capacity characters. The text's end ends it, so does V or Z
// where an index may follow; any other character that is no digit is an error and ends the scan.
Scan scanNumber(const Text& text, std::size_t from, std::size_t capacity, bool indexAllowed,
                bool (*isNumberDigit)(char)) {
    Scan scan;
    std::size_t i = from;
    for (; i < from + capacity; ++i) {
        const char c = text.at(i);
        if (Text::endsHere(c)) break;
        if (isNumberDigit(c)) {
            scan.digits += c;
            continue;
        }
        if (!(indexAllowed && isIndexLetter(c))) scan.error = true;
        break;
    }
    scan.end = i;
    return scan;
}

// A device letter at `from - 1` followed by its number and, where allowed, an index suffix.
std::uint8_t deviceNumber(const Text& text, std::size_t from, std::size_t capacity, bool indexAllowed,
                          RangeCheck check) {
    if (Text::endsHere(text.at(from))) return 1;
    const Scan scan = scanNumber(text, from, capacity, indexAllowed, isDigit);
    std::uint8_t error = scan.error ? 1 : 0;
    if (indexAllowed) error = checkIndexSuffix(error, text.view(), scan.end);
    if (error != 0) return 1;
    return judgeNumber(scan.digits, check);
}

// ---- The forms of a word operand --------------------------------------------------------------

std::uint8_t decimalConstant(const Text& text, bool threeOnly) {
    if (Text::endsHere(text.at(1))) return 1;
    if (threeOnly && !(isDigit(text.at(2)) || text.at(2) == '\0')) return 1;
    const bool negative = text.at(1) == '-';
    const Scan scan = scanNumber(text, negative ? 2 : 1, kWordCapacity, true, isDigit);
    if (checkIndexSuffix(scan.error ? 1 : 0, text.view(), scan.end) != 0) return 1;
    if (!entryIsDoubleWord()) {
        const std::optional<std::int32_t> value = toInteger<std::int32_t>(scan.digits);
        if (!value) return 1;
        return checkKRange(plcType(), negative ? -*value : *value, 32767, -32768) != 0 ? 1 : 0;
    }
    const std::optional<std::int64_t> value = toInteger<std::int64_t>(scan.digits);
    if (!value) return 1;
    double number = static_cast<double>(*value);
    if (negative) number = -number;
    return checkDKRange(plcType(), number, kMax32, kMin32) != 0 ? 1 : 0;
}

std::uint8_t digitGroup(const Text& text, std::string_view letters) {
    const char count = text.at(1);
    if (count < '1' || count > '8') return 1;
    if (count >= '5' && !entryIsDoubleWord()) return 1;
    const char letter = text.at(2);
    if (!isOneOf(letter, letters)) return 1;
    return deviceNumber(text, 3, kWordCapacity, true, deviceRangeCheckOf(letter));
}

// The hexadecimal digits of an H constant; nothing when the text is in error.
std::optional<std::uint32_t> hexValue(const Text& text, std::size_t capacity, std::size_t maxDigits) {
    if (Text::endsHere(text.at(1))) return std::nullopt;
    const Scan scan = scanNumber(text, 1, capacity, true, isHexDigit);
    std::uint8_t error = scan.error ? 1 : 0;
    // An index register straight after the H ("HV") leaves the constant without a digit to write.
    if (scan.digits.empty() || scan.digits.size() > maxDigits) error = 1;
    if (checkIndexSuffix(error, text.view(), scan.end) != 0) return std::nullopt;
    return hexStrToInt(scan.digits, static_cast<int>(scan.digits.size()));
}

std::uint8_t wordHexConstant(const Text& text) {
    const bool doubleWord = entryIsDoubleWord();
    const std::optional<std::uint32_t> value =
        hexValue(text, kWordCapacity, doubleWord ? kHexDigits32 : kHexDigits16);
    if (!value) return 1;
    if (doubleWord)
        return checkKRange(plcType(), static_cast<std::int32_t>(*value), kMax32, kMin32) != 0 ? 1 : 0;
    std::int32_t folded = static_cast<std::int32_t>(*value);
    if (folded > 32767) folded -= 65536;  // H8000..HFFFF are the negative words
    return checkKRange(plcType(), folded, 32767, -32768) != 0 ? 1 : 0;
}

std::uint8_t bufferMemory(const Text& text) {
    if (text.at(1) < '0' || text.at(1) > '7') return 1;
    if (text.at(2) != '\\' || text.at(3) != 'G') return 1;
    return deviceNumber(text, 4, kBufferMemoryCapacity, true, checkURange);
}

std::uint8_t indexRegister(const Text& text, bool indexAllowed) {
    if (Text::endsHere(text.at(1))) return checkVZRange(plcType(), 0) != 0 ? 1 : 0;  // V alone is V0
    return deviceNumber(text, 1, kWordCapacity, indexAllowed, checkVZRange);
}

std::uint8_t wordK(std::int32_t mode, const Text& text) {
    const char third = text.at(2);
    switch (mode) {
        case 0:
            if (isOneOf(third, "XYMS")) return digitGroup(text, "XYMS");
            return decimalConstant(text, false);
        case 1: return digitGroup(text, "YMS");
        case 2:
            if (isDigit(third) || third == '\0') return 1;
            return digitGroup(text, "XYMS");
        case 3: return decimalConstant(text, true);
        default: return 1;
    }
}

bool modeTakes(std::int32_t mode, std::initializer_list<std::int32_t> modes) {
    for (std::int32_t m : modes) {
        if (m == mode) return true;
    }
    return false;
}

// ---- Constants with the caller's limits ----------------------------------------------------

std::uint8_t limitedConstant(const Text& text, std::int32_t max, std::int32_t min, bool limitHexDigits) {
    if (text.at(0) == 'K') {
        if (Text::endsHere(text.at(1))) return 1;
        const Scan scan = scanNumber(text, 1, kShortCapacity, true, isDigit);
        if (checkIndexSuffix(scan.error ? 1 : 0, text.view(), scan.end) != 0) return 1;
        const std::optional<std::int32_t> value = toInteger<std::int32_t>(scan.digits);
        if (!value) return 1;
        return checkKRange(plcType(), *value, max, min) != 0 ? 1 : 0;
    }
    if (text.at(0) == 'H') {
        std::size_t maxDigits = kShortCapacity;
        if (limitHexDigits) maxDigits = entryIsDoubleWord() ? kHexDigits32 : kHexDigits16;
        const std::optional<std::uint32_t> value = hexValue(text, kShortCapacity, maxDigits);
        if (!value) return 1;
        return checkKRange(plcType(), static_cast<std::int32_t>(*value), max, min) != 0 ? 1 : 0;
    }
    return 1;
}

// ---- The output coil -------------------------------------------------------------------------

class OutTrace {
public:
    std::uint8_t refuse(const char* id) {
        debugMemo6Add(id, "*isErrorOutOpCode(");
        error = 1;
        return 1;
    }
    std::uint8_t error = 0;
};

// Every character after the first up to capacity must be a digit; one trace line per other one.
// A text that goes on past the capacity is refused as well: Convert reads all of it.
std::string digitsAfter(const Text& text, std::size_t from, std::size_t capacity, OutTrace& trace,
                        const char* id) {
    std::string digits;
    for (std::size_t i = from; i < from + capacity; ++i) {
        const char c = text.at(i);
        if (Text::endsHere(c)) break;
        if (isDigit(c)) {
            digits += c;
        } else {
            trace.refuse(id);
        }
    }
    if (!Text::endsHere(text.at(from + capacity))) trace.refuse(id);
    return digits;
}

std::uint8_t outRelay(const Text& device) {
    OutTrace trace;
    const char letter = device.at(0);
    if (Text::endsHere(device.at(1))) return trace.refuse("Error2015022885-1");
    const Scan scan = scanNumber(device, 1, kShortCapacity, false, isDigit);
    if (scan.error) return trace.refuse("Error2015022885-2");
    const char* id = letter == 'Y'   ? "Error2015022885-3"
                     : letter == 'M' ? "Error2015022885-4"
                                     : "Error2015022885-5";
    if (judgeNumber(scan.digits, deviceRangeCheckOf(letter)) != 0) return trace.refuse(id);
    return 0;
}

std::uint8_t outTimer(const Text& device, const Text& setValue) {
    OutTrace trace;
    if (Text::endsHere(device.at(1))) trace.error = 1;
    const std::string number = digitsAfter(device, 1, kShortCapacity, trace, "Error2015022886-1");
    if (trace.error == 0 && judgeNumber(number, checkTRange) != 0) trace.refuse("Error2015022886-2");
    if (Text::endsHere(setValue.at(0))) return trace.refuse("Error2015022886-3");
    const std::string value = digitsAfter(setValue, 1, kSetValueCapacity, trace, "Error2015022886-4");
    const bool clean = trace.error == 0;
    switch (setValue.at(0)) {
        case 'K': {
            const std::optional<std::int32_t> k = toInteger<std::int32_t>(value);
            if (clean && (!k || checkKRange(plcType(), *k, 32767, 0) != 0)) trace.refuse("Error2015022886-5");
            break;
        }
        case 'D':
            if (clean && judgeNumber(value, checkDRange) != 0) trace.refuse("Error2015022886-7");
            break;
        case 'R':
            if (clean && judgeNumber(value, checkRRange) != 0) trace.refuse("Error2015022886-8");
            break;
        default: trace.refuse("Error2015022886-8"); break;
    }
    return trace.error;
}

std::uint8_t outCounter(const Text& device, const Text& setValue) {
    OutTrace trace;
    if (Text::endsHere(device.at(1))) trace.refuse("Error2015022887-1");
    const std::string number = digitsAfter(device, 1, kShortCapacity, trace, "Error2015022887-2");
    if (trace.error == 0 && judgeNumber(number, checkCRange) != 0) trace.refuse("Error2015022887-3");
    if (Text::endsHere(setValue.at(0)) || Text::endsHere(setValue.at(1))) return 1;
    const bool negative = setValue.at(1) == '-';
    const std::string value =
        digitsAfter(setValue, negative ? 2 : 1, kSetValueCapacity, trace, "Error2015022887-4");
    const std::optional<std::int32_t> counter = toInteger<std::int32_t>(number);
    const bool clean = trace.error == 0;
    switch (setValue.at(0)) {
        case 'K':
            if (!counter) break;  // the counter itself is in error
            if (*counter < 200) {
                if (negative) {
                    trace.refuse("Error2015022887-5");  // 16-bit counters count up from 0
                } else if (clean) {
                    const std::optional<std::int32_t> k = toInteger<std::int32_t>(value);
                    if (!k || checkKRange(plcType(), *k, 32767, 0) != 0) trace.refuse("Error2015022887-6");
                }
            } else if (clean) {
                const std::optional<std::int64_t> k = toInteger<std::int64_t>(value);
                double v = k ? static_cast<double>(*k) : 0.0;
                if (negative) v = -v;
                if (!k || checkDKRange(plcType(), v, kMax32, kMin32) != 0) trace.refuse("Error2015022887-7");
            }
            break;
        // A register number has no sign: a "-" there is refused rather than passed to the range check.
        case 'D':
            if (negative || (clean && judgeNumber(value, checkDRange) != 0))
                trace.refuse("Error2015022887-8");
            break;
        case 'R':
            if (negative || (clean && judgeNumber(value, checkRRange) != 0))
                trace.refuse("Error2015022887-9");
            break;
        default: trace.refuse("Error2015022887-9"); break;
    }
    return trace.error;
}

// ---- Labels and word bits -----------------------------------------------------------------

// The number of a label "P123" or "I001"; nothing when its syntax is wrong.
std::optional<std::int32_t> labelNumber(const Text& label, char letter) {
    const std::size_t length = label.length();
    if (length < 2 || length > 8 || label.at(0) != letter) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isDigit(label.at(i))) return std::nullopt;
    }
    return toInteger<std::int32_t>(label.view().substr(1, length - 1));
}

std::uint8_t isErrorLabel(std::string_view text, char letter, RangeCheck check) {
    const std::optional<std::int32_t> number = labelNumber(Text(text), letter);
    if (!number) return 1;
    return check(plcType(), *number) != 0 ? 1 : 0;
}

// The run of decimal digits from `from`, at most capacity characters.
std::string digitRun(const Text& text, std::size_t from, std::size_t capacity) {
    std::string digits;
    for (std::size_t i = from; i < from + capacity && isDigit(text.at(i)); ++i) digits += text.at(i);
    return digits;
}

// The extended forms follow the device map, which is the same for every PLC type: a relay past the
// one-word map that a type's ranges let through is written in its two- or three-word form there too,
// or Convert could not write what the box took.
std::int32_t relayKind(const Text& text) {
    const std::optional<std::int32_t> n = toInteger<std::int32_t>(digitRun(text, 1, kShortCapacity));
    if (!n) return kBitKindPlain;
    if (text.at(0) == 'S') return *n >= 1024 ? kBitKindS1024 : kBitKindPlain;
    if (*n >= 1536 && *n <= 3583) return kBitKindM1536;
    if (*n >= 3584 && *n <= 7679) return kBitKindM3584;
    if (*n >= 8256 && *n <= 8511) return kBitKindM8256;
    return kBitKindPlain;
}

void showWordBitOverRange(const std::string& statusText) {
    platform::statusBar().setPanelText(13, statusText);
    platform::say({"Msg2019032060-8", "Dm.n OverRange", platform::MsgIcon::Error});
}

// "Dm.n": the bit is one hexadecimal letter A to F, or a decimal number; no bit means bit 0.
std::int32_t wordBitKind(const Text& text) {
    const std::string word = digitRun(text, 1, kShortCapacity);
    const std::size_t dot = text.view().substr(0, text.length()).find('.');
    std::string bitPart;
    std::int32_t n = 0;
    if (dot != std::string_view::npos) {
        const char first = text.at(dot + 1);
        if (first >= 'A' && first <= 'F') {
            bitPart = std::string(1, first);
            n = hexDigitValue(first);
        } else {
            bitPart = digitRun(text, dot + 1, kBitPartCapacity);
            n = toInteger<std::int32_t>(bitPart).value_or(0);
        }
    }
    const std::int32_t m = toInteger<std::int32_t>(word).value_or(0);
    if (static_cast<std::int64_t>(m) * 8 + n >= 64000) {
        showWordBitOverRange("m.n=" + word + "." + bitPart);
        return kBitKindPlain;
    }
    if (n > 15) {
        showWordBitOverRange("sp=" + bitPart);
        return kBitKindPlain;
    }
    return kBitKindWordBit;
}

}  // namespace

std::uint8_t checkIndexSuffix(std::uint8_t error, std::string_view text, std::size_t pos) {
    const Text t(text);
    if (!isIndexLetter(t.at(pos)) || error != 0) return error;
    const char digit = t.at(pos + 1);
    if (digit == '\0') return error;  // a V or Z that ends the text
    if (digit < '0' || digit > '7') return 1;
    if (!Text::endsHere(t.at(pos + 2))) return 1;
    return error;
}

std::uint8_t isErrorWordOperand(std::int32_t mode, std::string_view text) {
    const Text t(text);
    if (mode == 10) {
        std::size_t length = 0;
        while (length < text.size() && text[length] != '\0') ++length;
        return length == 8 ? 0 : 1;
    }
    const char letter = t.at(0);
    switch (letter) {
        case 'K': return wordK(mode, t);
        case 'H': return modeTakes(mode, {0, 3}) ? wordHexConstant(t) : 1;
        case 'T':
        case 'C':
            if (!modeTakes(mode, {0, 1, 2, 5, 7})) return 1;
            return deviceNumber(t, 1, kWordCapacity, true, deviceRangeCheckOf(letter));
        case 'D':
        case 'R':
            if (!modeTakes(mode, {0, 1, 2, 3, 5, 7, 9})) return 1;
            return deviceNumber(t, 1, kWordCapacity, true, deviceRangeCheckOf(letter));
        case 'U': return modeTakes(mode, {0, 1}) ? bufferMemory(t) : 1;
        case 'V':
        case 'Z':
            if (!modeTakes(mode, {0, 1, 2, 5, 7})) return 1;
            return indexRegister(t, modeTakes(mode, {5, 7}));
        case 'X':
        case 'Y':
        case 'M':
        case 'S':
            if (!modeTakes(mode, {5, 6})) return 1;
            return deviceNumber(t, 1, kWordCapacity, true, deviceRangeCheckOf(letter));
        case 'P':
            if (mode != 8) return 1;
            return deviceNumber(t, 1, kWordCapacity, true, checkPRange);
        default: return 1;
    }
}

std::uint8_t isErrorBitOperand(std::int32_t mode, std::string_view text) {
    std::string_view letters;
    switch (mode) {
        case 0: letters = "XYMSTCD"; break;
        case 1: letters = "YMSTCD"; break;
        case 2: letters = "YMSD"; break;
        case 3: letters = "YMSTCDRVZ"; break;
        case 4: letters = "YM"; break;
        case 6: letters = "N"; break;
        case 9: letters = "S"; break;
        default: return 1;
    }
    const Text t(text);
    const char letter = t.at(0);
    if (!isOneOf(letter, letters)) return 1;
    if (Text::endsHere(t.at(1))) return 1;
    bool error = false;
    std::string digits;
    for (std::size_t i = 1; i <= kShortCapacity; ++i) {
        const char c = t.at(i);
        if (Text::endsHere(c)) break;
        if (letter == 'D' && c == '.') {
            // One hexadecimal digit ends the word bit, as the loader writes it and Convert reads it.
            if (!isHexDigit(t.at(i + 1)) || !Text::endsHere(t.at(i + 2))) error = true;
            break;
        }
        if (isDigit(c)) {
            digits += c;
        } else {
            error = true;
        }
    }
    // A register without its bit is no bit device; only RST (mode 3) takes a whole register.
    const bool hasBit = t.view().substr(0, t.length()).find('.') != std::string_view::npos;
    if (letter == 'D' && mode != 3 && !hasBit) error = true;
    // Convert reads the whole number: a text that goes on past the capacity is refused here too.
    if (!hasBit && !Text::endsHere(t.at(kShortCapacity + 1))) error = true;
    if (error) return 1;
    return judgeNumber(digits, deviceRangeCheckOf(letter));
}

std::uint8_t isErrorConstOperand(std::string_view text, std::int32_t max, std::int32_t min) {
    return limitedConstant(Text(text), max, min, false);
}

std::uint8_t isErrorConstOrRegOperand(std::string_view text, std::int32_t max, std::int32_t min) {
    const Text t(text);
    const char letter = t.at(0);
    if (letter == 'D' || letter == 'R')
        return deviceNumber(t, 1, kShortCapacity, false, deviceRangeCheckOf(letter));
    return limitedConstant(t, max, min, true);
}

std::uint8_t isErrorFloatOperand(std::string_view text) {
    const Text t(text);
    if (t.at(0) != 'E') return 1;
    return Text::endsHere(t.at(1)) ? 1 : 0;
}

std::uint8_t isErrorOutOpCode(std::string_view device, std::string_view setValue) {
    const Text d(device);
    switch (d.at(0)) {
        case 'Y':
        case 'M':
        case 'S': return outRelay(d);
        case 'T': return outTimer(d, Text(setValue));
        case 'C': return outCounter(d, Text(setValue));
        case 'D': {
            OutTrace trace;
            if (Text::endsHere(d.at(1))) return trace.refuse("Error2015022888-1");
            // The word bit must be a register number with an optional ".n", as for SET.
            return isErrorBitOperand(2, device);
        }
        default: {
            OutTrace trace;
            return trace.refuse("Error2015022889");
        }
    }
}

std::uint8_t isErrorPointerLabel(std::string_view label) {
    return isErrorLabel(label, 'P', checkPRange);
}

std::uint8_t isErrorInterruptLabel(std::string_view label) {
    return isErrorLabel(label, 'I', checkIRange);
}

std::int32_t getPointerLabelKind(std::string_view label) {
    const std::optional<std::int32_t> number = labelNumber(Text(label), 'P');
    if (!number || checkPRange(plcType(), *number) != 0) return 0;
    // As the relays: a pointer the type's range lets through past P255 takes the two-word label.
    return *number >= 256 && *number <= 4095 ? 1 : 0;
}

std::int32_t getBitOperandKind(std::string_view text, std::int32_t& kind) {
    const Text t(text);
    switch (t.at(0)) {
        case 'M':
        case 'S': kind = relayKind(t); break;
        case 'D': kind = wordBitKind(t); break;
        default: kind = kBitKindPlain; break;
    }
    return kind;
}

}  // namespace kestrion
