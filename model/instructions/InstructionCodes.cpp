#include "model/instructions/InstructionCodes.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

namespace kestrion {

namespace {

struct Range {
    std::int32_t low;
    std::int32_t high;  // inclusive
};

bool inAny(std::int32_t code, std::initializer_list<Range> ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [code](Range r) { return code >= r.low && code <= r.high; });
}

int topNibble(std::int32_t code) {
    return (code >> 12) & 0xF;
}

}  // namespace

namespace {

bool isOutputTypeCodeOf(std::int32_t code) {
    if (inAny(code, {{0x1C2, 0x1C7}, {0x3C2, 0x3C7}, {0x3CA, 0x3CF}})) return false;
    if (inAny(code, {{0x1CA, 0x1FD}, {0x11D0, 0x11FD}})) return false;
    return inAny(code, {{0xC000, 0xC000},
                        {0xD000, 0xD000},
                        {0xE000, 0xE000},
                        {0x600, 0x600},
                        {0x700, 0x700},
                        {0xE00, 0xE00},
                        {0x20A, 0x20A},
                        {2, 13},
                        {15, 15},
                        {0xF7FF, 0xF7FF},
                        {16, 1022},
                        {0x1010, 0x13FF}});
}

bool isUnconditionalInstrCodeOf(std::int32_t code) {
    return inAny(code, {{11, 11},
                        {15, 15},
                        {20, 20},
                        {22, 22},
                        {24, 24},
                        {26, 26},
                        {28, 28},
                        {32, 32},
                        {34, 34},
                        {0xF7FF, 0xF7FF}});
}

bool isLoadTypeCodeOf(std::int32_t code) {
    const int nibble = topNibble(code);
    return nibble == 0x2 || nibble == 0x3 ||
           inAny(code, {{0x1C2, 0x1C3},
                        {0x1CA, 0x1CB},
                        {0x3C2, 0x3C3},
                        {0x3CA, 0x3CB},
                        {0x1D0, 0x1DD},
                        {0x11D0, 0x11DD}});
}

bool isAndTypeCodeOf(std::int32_t code) {
    const int nibble = topNibble(code);
    return nibble == 0x4 || nibble == 0x5 ||
           inAny(code, {{0x1C4, 0x1C5},
                        {0x1CC, 0x1CD},
                        {0x3C4, 0x3C5},
                        {0x3CC, 0x3CD},
                        {0xFFFD, 0xFFFD},
                        {0x1E0, 0x1ED},
                        {0x11E0, 0x11ED}});
}

bool isOrTypeCodeOf(std::int32_t code) {
    const int nibble = topNibble(code);
    return nibble == 0x6 || nibble == 0x7 ||
           inAny(code, {{0x1C6, 0x1C7},
                        {0x1CE, 0x1CF},
                        {0x3C6, 0x3C7},
                        {0x3CE, 0x3CF},
                        {0x1F0, 0x1FD},
                        {0x11F0, 0x11FD}});
}

std::uint8_t classesOf(std::int32_t code) {
    std::uint8_t bits = 0;
    if (isOutputTypeCodeOf(code)) bits |= codeClass::kOutput;
    if (isUnconditionalInstrCodeOf(code)) bits |= codeClass::kUnconditional;
    if (isLoadTypeCodeOf(code)) bits |= codeClass::kLoad;
    if (isAndTypeCodeOf(code)) bits |= codeClass::kAnd;
    if (isOrTypeCodeOf(code)) bits |= codeClass::kOr;
    return bits;
}

}  // namespace

namespace codeClass {

std::array<std::uint8_t, 0x10000> classesOfWords() {
    std::array<std::uint8_t, 0x10000> classes{};
    for (std::int32_t code = 0; code <= 0xFFFF; ++code)
        classes[static_cast<std::size_t>(code)] = classesOf(code);
    return classes;
}

bool beyondWords(std::int32_t code, std::uint8_t bit) {
    return (classesOf(code) & bit) != 0;
}

}  // namespace codeClass

bool isStlPageCode(std::int32_t code) {
    return topNibble(code) == 0xF && code != 0xF7FF;
}

bool isRetCode(std::int32_t code) {
    return code == 0xF7FF;
}

bool isAnbCode(std::int32_t code) {
    return code == 0xFFF8;
}
bool isOrbCode(std::int32_t code) {
    return code == 0xFFF9;
}
bool isMppCode(std::int32_t code) {
    return code == 0xFFFC;
}
bool isNopCode(std::int32_t code) {
    return code == 0xFFFF;
}

bool isOutCoilCode(std::int32_t code) {
    switch (code) {
        case 0xC000:
        case 0x0002:
        case 0x0005:
        case 0x0202:
        case 0x0600:
        case 0x0700:
        case 0x0E00: return true;
        default: return false;
    }
}

bool isLabelCode(std::int32_t code) {
    return code == 0xB000 || code == 0xB100 || (code >= 0xB800 && code <= 0xBFFF);
}

bool isPlaceholderWord(std::int32_t code) {
    return code == 0x1000 || code == 0xFFFE || code == 0xFFFF;
}

bool isOperandWord(std::int32_t code) {
    return code >= 0x8000 && code <= 0xAFFF;
}

bool isStlWord(std::int32_t code) {
    return code >= 0xF000 && code < 0xF7FF;
}

bool isLabelWord(std::int32_t code) {
    return inAny(code, {{0xB000, 0xB1FF}, {0xB800, 0xBFFF}});
}

bool isTwoWordLabelWord(std::int32_t code) {
    return code >= 0xB100 && code <= 0xB1FF;
}

bool isOutWord(std::int32_t code) {
    return code >= 0xC000 && code <= 0xCFFF;
}

bool isSetRstWord(std::int32_t code) {
    return code >= 0xD000 && code <= 0xEFFF;
}

bool isTimerCounterOutput(std::int32_t code) {
    return inAny(code, {{0x600, 0x7FF}, {0xE00, 0xEFF}});
}

bool isTwoWordOutput(std::int32_t code) {
    return inAny(code, {{0x002, 0x00E}, {0x202, 0x202}, {0x20A, 0x20A}});
}

bool isApplicationCode(std::int32_t code) {
    return inAny(code, {{0x010, 0x3FF}, {0x1010, 0x13FF}});
}

namespace {

struct SymbolOfCodes {
    std::int32_t symbol;
    std::vector<std::int32_t> codes;
};

struct SymbolOfRange {
    std::int32_t symbol;
    Range codes;
};

// clang-format off
// Exact codes first: the contacts of the one-word-map families lie inside the ranges below and
// must keep their own symbols.
const std::vector<SymbolOfCodes> kSymbolOfCodes = {
    {0, {0, 0x1000, 0xB000, 0xB100, 0xB800, 0xFFFF}},
    {2, {0x1CA, 0x1CC}},
    {3, {0x1CB, 0x1CD}},
    {5, {0x1C2, 0x1C4, 0x2000, 0x4000}},
    {6, {0x1C3, 0x1C5, 0x3000, 0x5000}},
    {7, {2, 5, 0x600, 0x700, 0xE00, 0xC000}},
    {8, {3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 0x20A, 0xD000, 0xE000}},
    {11, {0x1C6, 0x6000}},
    {12, {0x1C7, 0x7000}},
    {13, {0x1CE}},
    {14, {0x1CF}},
};

// Application instructions share the box symbol; 1022 and 0x13FF do not.
constexpr SymbolOfRange kSymbolOfRanges[] = {
    {8, {16, 1021}},
    {8, {0x1010, 0x13FE}},
    {18, {0xF000, 0xF000}},
};

// clang-format on
}  // namespace

std::int32_t getIconSymbleCode(std::int32_t code) {
    for (const SymbolOfCodes& row : kSymbolOfCodes)
        if (std::find(row.codes.begin(), row.codes.end(), code) != row.codes.end()) return row.symbol;
    for (const SymbolOfRange& row : kSymbolOfRanges)
        if (code >= row.codes.low && code <= row.codes.high) return row.symbol;
    return 0;
}

}  // namespace kestrion
