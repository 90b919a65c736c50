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

// ---- The families of a program word, as the load tells them apart -----------------------------------
//
// The load asks them in a fixed order (the first that takes a word places it); some families lie
// inside others' ranges (the contact forms 0x1C2-0x1FD inside the application codes), so a test
// answers only for the words the families before it have left.

// The words the load passes over: xNOP 0x1000, vNOP 0xFFFE and NOP 0xFFFF.
bool isPlaceholderWord(std::int32_t code);
// Operand words 0x8000-0xAFFF: they follow a code word and never begin an instruction.
bool isOperandWord(std::int32_t code);
// STL 0xF000-0xF7FE (0xF7FF is RET).
bool isStlWord(std::int32_t code);
// Pointer and interrupt labels: 0xB000-0xB0FF (P0-P255), 0xB100-0xB1FF (P256 and up, the first of
// two words), 0xB800-0xBFFF (I).
bool isLabelWord(std::int32_t code);
// The first word of a two-word pointer label, 0xB100-0xB1FF (its second is 0xB200 + the high byte).
bool isTwoWordLabelWord(std::int32_t code);
// OUT of a one-word device, 0xC000-0xCFFF.
bool isOutWord(std::int32_t code);
// SET 0xD000-0xDFFF and RST 0xE000-0xEFFF of a one-word device.
bool isSetRstWord(std::int32_t code);
// OUT T 0x600-0x7FF and OUT C 0xE00-0xEFF, each with its setting words.
bool isTimerCounterOutput(std::int32_t code);
// The two- and three-word basic outputs 0x002-0x00E (OUT, SET, RST, PLS, PLF, MC, MCR of the wide
// devices) and 0x202, 0x20A.
bool isTwoWordOutput(std::int32_t code);
// Application instructions 0x010-0x3FF and their pulse forms 0x1010-0x13FF.
bool isApplicationCode(std::int32_t code);

// The tool-bar symbol (0 to 18) whose button or function key enters an instruction of this code;
// 0 when no symbol enters it. The same numbers the buttons put into iconSymbleCode.
std::int32_t getIconSymbleCode(std::int32_t code);

}  // namespace kestrion
