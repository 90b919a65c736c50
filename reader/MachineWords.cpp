#include "reader/MachineWords.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "model/instructions/AppInstructionTable.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

struct DeviceRow {
    std::int32_t low;
    std::int32_t high;  // inclusive
    char letter;
    std::int32_t firstNumber;  // the number of the row's first code
};

constexpr DeviceRow kDeviceMap[] = {
    {0x0000, 0x03FF, 'S', 0},    {0x0400, 0x04FF, 'X', 0},    {0x0500, 0x05FF, 'Y', 0},
    {0x0600, 0x07FF, 'T', 0},    {0x0800, 0x0DFF, 'M', 0},    {0x0E00, 0x0EFF, 'C', 0},
    {0x0F00, 0x13FF, 'M', 8000}, {0x1400, 0x27FF, 'S', 1024}, {0x2800, 0x3FFF, 'M', 1536},
};

bool isXY(char letter) {
    return letter == 'X' || letter == 'Y';
}

std::optional<std::int32_t> parseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    std::int32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<DeviceOfCode> deviceOfCode(std::int32_t code) {
    for (const DeviceRow& row : kDeviceMap)
        if (code >= row.low && code <= row.high)
            return DeviceOfCode{row.letter, row.firstNumber + code - row.low};
    return std::nullopt;
}

std::int32_t xyIndexToNumber(std::int32_t index) {
    if (index >= 64) index += 16;
    return 10 * (index / 8) + index % 8;
}

std::string xyNumberText(std::int32_t index, bool padded) {
    std::string digits = std::to_string(xyIndexToNumber(index));
    if (padded && digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return digits;
}

namespace {

// The longest device text: "A" and a signed 32-bit code.
constexpr std::size_t kDeviceTextCapacity = 12;
using DeviceTextBuffer = std::array<char, kDeviceTextCapacity>;

// The device text of a code written into a buffer, its length returned: the load writes one per
// contact and coil, so it is made without building strings.
std::size_t writeDeviceText(std::int32_t code, const std::optional<DeviceOfCode>& device,
                            DeviceTextBuffer& text) {
    char* const end = text.data() + text.size();
    text[0] = device ? device->letter : 'A';
    if (!device) return static_cast<std::size_t>(std::to_chars(text.data() + 1, end, code).ptr - text.data());
    if (!isXY(device->letter))
        return static_cast<std::size_t>(std::to_chars(text.data() + 1, end, device->number).ptr -
                                        text.data());
    // X and Y are padded to three digits (X000, Y017).
    DeviceTextBuffer digits{};
    const char* digitsEnd =
        std::to_chars(digits.data(), digits.data() + digits.size(), xyIndexToNumber(device->number)).ptr;
    const auto count = static_cast<std::size_t>(digitsEnd - digits.data());
    const std::size_t zeros = count < 3 ? 3 - count : 0;
    std::fill_n(text.data() + 1, zeros, '0');
    std::copy_n(digits.data(), count, text.data() + 1 + zeros);
    return 1 + zeros + count;
}

std::uint16_t rCodeOf(std::int32_t code, const std::optional<DeviceOfCode>& device) {
    return static_cast<std::uint16_t>(device ? device->number : code);
}

// Every code from 0 up to the last of the map is one of its devices: the rows follow each other.
constexpr std::int32_t kMappedCodes = 0x4000;
constexpr bool mapCoversCodesBelow(std::int32_t end) {
    std::int32_t next = 0;
    for (const DeviceRow& row : kDeviceMap) {
        if (row.low != next) return false;
        next = row.high + 1;
    }
    return next == end;
}
static_assert(mapCoversCodesBelow(kMappedCodes), "the device map has no gap from code 0 up");

using OperandText = decltype(stLadderBlock::operands)::value_type;

// A device code's first operand text as convToRelayCode writes it, and its rCode.
struct RelayOperand {
    OperandText text{};
    std::uint16_t rCode = 0;
    bool made = false;
};

RelayOperand relayOperandOf(std::int32_t code, const std::optional<DeviceOfCode>& device) {
    RelayOperand operand;
    DeviceTextBuffer text{};
    setText(operand.text, std::string_view(text.data(), writeDeviceText(code, device, text)));
    operand.rCode = rCodeOf(code, device);
    operand.made = true;
    return operand;
}

// The operand of a code of the map, made the first time a load meets the code: a load writes one
// for every contact and coil, and a program names few devices many times.
const RelayOperand& mappedRelayOperand(std::int32_t code) {
    static std::array<RelayOperand, kMappedCodes> operands{};
    RelayOperand& operand = operands[static_cast<std::size_t>(code)];
    if (!operand.made) operand = relayOperandOf(code, deviceOfCode(code));
    return operand;
}

}  // namespace

std::string deviceCodeText(std::int32_t code) {
    DeviceTextBuffer text{};
    return std::string(text.data(), writeDeviceText(code, deviceOfCode(code), text));
}

std::uint16_t rCode(std::int32_t code) {
    return rCodeOf(code, deviceOfCode(code));
}

void convToRelayCode(std::int32_t code) {
    const bool mapped = code >= 0 && code < kMappedCodes;
    if (!mapped) platform::say({"Error20180510.900", "convToRelayCode", platform::MsgIcon::Information});
    if (ldrNow == nullptr) return;
    const RelayOperand operand =
        mapped ? mappedRelayOperand(code) : relayOperandOf(code, std::optional<DeviceOfCode>());
    ldrNow->operands[0] = operand.text;
    ldrNow->rCode = operand.rCode;
}

std::string wordBitText(std::int32_t v, std::int32_t b) {
    const std::int32_t n = (v & 0x3FFF) >> 1;
    return "D" + std::to_string(n) + "." + hexDigit(static_cast<unsigned>(b));
}

void convToWordBitText(std::int32_t v, std::int32_t b) {
    if (ldrNow == nullptr) return;
    setText(ldrNow->operands[0], wordBitText(v, b));
    ldrNow->rCode = static_cast<std::uint16_t>((v & 0x3FFF) >> 1);
}

std::optional<std::int32_t> deviceCodeOf(char letter, std::int32_t number) {
    if (number < 0) return std::nullopt;
    if (isXY(letter)) {
        const std::int32_t index = octalNoToIndex(number);
        if (index > 0xFF || xyIndexToNumber(index) != number) return std::nullopt;
        return (letter == 'X' ? 0x400 : 0x500) + index;
    }
    for (const DeviceRow& row : kDeviceMap) {
        const std::int32_t code = row.low + number - row.firstNumber;
        if (row.letter == letter && number >= row.firstNumber && code <= row.high) return code;
    }
    return std::nullopt;
}

std::optional<std::int32_t> deviceCodeOfText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::optional<std::int32_t> number = parseNumber(text.substr(1));
    if (!number) return std::nullopt;
    return deviceCodeOf(text[0], *number);
}

WordPair bitDevicePair(std::int32_t code) {
    return {static_cast<std::uint16_t>(0x8400 + (code & 0xFF)),
            static_cast<std::uint16_t>(0x8000 + ((code >> 8) & 0xFF))};
}

std::optional<WordPair> wordBitPair(std::int32_t n, std::int32_t b) {
    const std::int32_t twice = 2 * n;
    if (n < 0 || (twice >> 8) >= 64 || b < 0 || b > 15) return std::nullopt;
    return WordPair{static_cast<std::uint16_t>(0x8600 + (twice & 0xFF)),
                    static_cast<std::uint16_t>(0x9400 + (b << 6) + (twice >> 8))};
}

std::string pairText(WordPair pair) {
    if ((pair.first >> 8) < 0x86) return deviceCodeText((pair.first - 0x8400) + 256 * (pair.second - 0x8000));
    const std::int32_t v = static_cast<std::int32_t>(static_cast<std::uint32_t>(pair.first - 0x8600) +
                                                     256u * static_cast<std::uint32_t>(pair.second - 0x9400));
    return wordBitText(v, (pair.second & 0x3C0) >> 6);
}

int instructionLength(std::uint32_t code) {
    if (code == 0x1000 || code >= 0xC000) return 1;
    if (code >= 0x2000 && code < 0x8000) return 1;
    if (code >= 0x8000 && code < 0xB000) return 0;  // operand word
    if (code < 0xB000 && code >= 0x1400) return 0;
    if ((code >> 8) == 0xB1) return 2;
    if ((code >> 8) == 0xB0 || (code >> 8) >= 0xB8) return 1;
    if (code >= 0xB000) return 0;  // 0xB200-0xB7FF
    if (code == 0x000F) return 1;
    if (code == 0x000A || code == 0x000D) return 3;
    if (code >= 0x0002 && code <= 0x000C) return 2;
    if ((code >= 0x1C2 && code <= 0x1C7) || (code >= 0x1CA && code <= 0x1CF)) return 2;
    if ((code >= 0x3C2 && code <= 0x3C7) || (code >= 0x3CA && code <= 0x3CF)) return 3;
    if (code == 0x202 || code == 0x203 || code == 0x204 || code == 0x208 || code == 0x209) return 3;
    if (code == 0x20A) return 4;
    if (code >= 0x600 && code <= 0x7FF) return 3;
    if (code >= 0xE00 && code <= 0xEC7) return 3;
    if (code >= 0xEC8 && code <= 0xEFF) return 5;
    return instructionWords(code);
}

}  // namespace kestrion
