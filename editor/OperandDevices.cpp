#include "editor/OperandDevices.h"

#include <cctype>

#include "model/image/CommentLists.h"
#include "model/instructions/Conversions.h"

namespace kestrion {

namespace {

// Six digits reach past every device of every PLC type (R32767, M8511) and keep the number small.
constexpr std::size_t kMostDigits = 6;
constexpr std::uint32_t kMostNumber = 1'000'000;  // past six digits
constexpr std::string_view kDeviceLetters = "XYMSTCDRVZPI";
constexpr std::string_view kGroupLetters = "XYMS";

bool octal(char letter) {
    return letter == 'X' || letter == 'Y';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of a device number at text[at]: their end, and the number they write; none when
// there are none, too many, or an 8 or 9 in an X or Y number.
std::optional<std::pair<std::size_t, std::uint32_t>> deviceDigits(std::string_view text, std::size_t at,
                                                                  char letter) {
    std::size_t end = at;
    std::uint32_t number = 0;
    while (end < text.size() && isDigit(text[end])) {
        if (end - at == kMostDigits || (octal(letter) && text[end] > '7')) return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(text[end] - '0');
        ++end;
    }
    if (end == at) return std::nullopt;
    return std::make_pair(end, number);
}

// What may follow a device number: nothing, a word bit of D (".0" to ".F"), or an index register
// V or Z with at most one digit.
bool readSuffix(std::string_view rest, char letter, int& bit) {
    if (rest.empty()) return true;
    if (rest[0] == '.') {
        if (letter != 'D' || rest.size() != 2 || !isHexDigit(rest[1])) return false;
        bit = hexDigitValue(rest[1]);
        return true;
    }
    if (rest[0] != 'V' && rest[0] != 'Z') return false;
    return rest.size() == 1 || (rest.size() == 2 && isDigit(rest[1]));
}

}  // namespace

// X and Y numbers are octal digits written as a decimal number: X17 is 17, the 16th input (the
// conversions of the comment lists stop at X177; these go on to every number a text can hold).
std::uint32_t DeviceName::index() const {
    if (!octal(letter)) return number;
    std::uint32_t index = 0;
    std::uint32_t weight = 1;
    for (std::uint32_t rest = number; rest != 0; rest /= 10, weight *= 8) index += rest % 10 * weight;
    return index;
}

std::string DeviceName::commentKey() const {
    return deviceTextFor(letter, number);
}

std::string DeviceName::text() const {
    return letter + std::to_string(number);
}

std::optional<DeviceName> deviceAtIndex(char letter, std::uint32_t index) {
    std::uint32_t written = index;
    if (octal(letter)) {
        written = 0;
        std::uint32_t weight = 1;
        for (std::uint32_t rest = index; rest != 0 && weight < kMostNumber; rest /= 8, weight *= 10)
            written += rest % 8 * weight;
        if (index >> (3 * kMostDigits) != 0) return std::nullopt;
    }
    if (written >= kMostNumber) return std::nullopt;
    return DeviceName{letter, written};
}

std::optional<OperandDevice> operandDevice(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
    std::size_t lead = 0;
    while (lead < text.size() && text[lead] == ' ') ++lead;
    OperandDevice found;
    std::size_t at = lead;
    // A digit group: K, its size 1 to 8, then a bit device.
    if (text.size() > at + 2 && text[at] == 'K' && text[at + 1] >= '1' && text[at + 1] <= '8' &&
        kGroupLetters.find(text[at + 2]) != std::string_view::npos) {
        found.groupBits = 4 * static_cast<std::uint32_t>(text[at + 1] - '0');
        at += 2;
    }
    if (at >= text.size() || kDeviceLetters.find(text[at]) == std::string_view::npos) return std::nullopt;
    const char letter = text[at];
    const auto digits = deviceDigits(text, at + 1, letter);
    if (!digits) return std::nullopt;
    const bool label = letter == 'P' || letter == 'I';
    if (!readSuffix(text.substr(digits->first), letter, found.bit) || (label && digits->first != text.size()))
        return std::nullopt;
    found.device = {letter, digits->second};
    found.begin = at;
    found.end = digits->first;
    return found;
}

std::optional<DeviceName> typedDevice(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::optional<OperandDevice> read = operandDevice(upper);
    if (!read || read->groupBits != 0 || read->bit >= 0 || read->end != upper.size()) return std::nullopt;
    return read->device;
}

bool operandCovers(const OperandDevice& operand, const DeviceName& device) {
    if (operand.device.letter != device.letter) return false;
    if (operand.groupBits == 0) return operand.device.number == device.number;
    const std::uint32_t first = operand.device.index();
    const std::uint32_t at = device.index();
    return at >= first && at - first < operand.groupBits;
}

}  // namespace kestrion
