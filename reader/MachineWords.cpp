#include "reader/MachineWords.h"

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

std::string deviceCodeText(std::int32_t code) {
    const std::optional<DeviceOfCode> device = deviceOfCode(code);
    if (!device) return "A" + std::to_string(code);
    const std::string number =
        isXY(device->letter) ? xyNumberText(device->number, true) : std::to_string(device->number);
    return device->letter + number;
}

std::uint16_t rCode(std::int32_t code) {
    const std::optional<DeviceOfCode> device = deviceOfCode(code);
    return static_cast<std::uint16_t>(device ? device->number : code);
}

void convToRelayCode(std::int32_t code) {
    if (!deviceOfCode(code))
        platform::say({"Error20180510.900", "convToRelayCode", platform::MsgIcon::Information});
    if (ldrNow == nullptr) return;
    setText(ldrNow->operands[0], deviceCodeText(code));
    ldrNow->rCode = rCode(code);
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
