// Families of instruction-code words: which codes are contacts of the LD, AND and OR kinds,
// outputs, block and stack codes, STL and RET. Each takes the code as a signed 32-bit integer.
#pragma once

#include <array>
#include <cstdint>

namespace kestrion {

// The five families the passes ask about object by object, looked up in a table of every 16-bit code.
namespace codeClass {
inline constexpr std::uint8_t kOutput = 0x01;
inline constexpr std::uint8_t kUnconditional = 0x02;
inline constexpr std::uint8_t kLoad = 0x04;
inline constexpr std::uint8_t kAnd = 0x08;
inline constexpr std::uint8_t kOr = 0x10;
std::array<std::uint8_t, 0x10000> classesOfWords();
bool beyondWords(std::int32_t code, std::uint8_t bit);  // a code outside 0 to 0xFFFF
inline bool has(std::int32_t code, std::uint8_t bit) {
    if (code < 0 || code > 0xFFFF) return beyondWords(code, bit);
    static const std::array<std::uint8_t, 0x10000> ofWords = classesOfWords();  // worked out once
    return (ofWords[static_cast<std::size_t>(code)] & bit) != 0;
}
}  // namespace codeClass

inline bool isOutputTypeCode(std::int32_t code) {
    return codeClass::has(code, codeClass::kOutput);
}
inline bool isUnconditionalInstrCode(std::int32_t code) {
    return codeClass::has(code, codeClass::kUnconditional);
}
inline bool isLoadTypeCode(std::int32_t code) {
    return codeClass::has(code, codeClass::kLoad);
}
inline bool isAndTypeCode(std::int32_t code) {
    return codeClass::has(code, codeClass::kAnd);
}
inline bool isOrTypeCode(std::int32_t code) {
    return codeClass::has(code, codeClass::kOr);
}
bool isStlPageCode(std::int32_t code);
bool isRetCode(std::int32_t code);
bool isAnbCode(std::int32_t code);
bool isOrbCode(std::int32_t code);
bool isMppCode(std::int32_t code);
bool isNopCode(std::int32_t code);
// The codes of an OUT coil as the entry places it: 0xC000, 0x0002, 0x0005, 0x0202, 0x0600, 0x0700
// and 0x0E00.
bool isOutCoilCode(std::int32_t code);
// Pointer and interrupt labels as the ladder objects carry them (0xB000, 0xB100, 0xB800-0xBFFF).
bool isLabelCode(std::int32_t code);

// The tool-bar symbol (0 to 18) whose button or function key enters an instruction of this code;
// 0 when no symbol enters it. The same numbers the buttons put into iconSymbleCode.
std::int32_t getIconSymbleCode(std::int32_t code);

}  // namespace kestrion
