// The validators of one operand text: which device letters a position takes, how constants, digit
// groups, index suffixes and special forms are written, and which range check of the selected PLC
// type judges the number. They return 1 when the operand is in error and 0 when it is good. A
// number refused by a range check has already been announced by that check's box; a syntax error
// is only reported through the result. The 32-bit flag is the one of the instruction being
// entered (editInstrFlags).
//
// An operand text ends at its first blank or NUL; characters past the text's end read as NUL.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrion {

// The word operand of a position, by mode:
//   0 any source word: K constant, K digit group of X/Y/M/S, H constant, T, C, D, R, U\G, V, Z
//   1 destination word: K digit group of Y/M/S, T, C, D, R, U\G, V, Z
//   2 source word without constants: K digit group of X/Y/M/S, T, C, D, R, V, Z
//   3 K or H constant, D, R        5 X, Y, M, S, T, C, D, R, V, Z     6 X, Y, M, S
//   7 T, C, D, R, V, Z              8 pointer label P                  9 D, R
//   10 a text of exactly 8 characters (counted up to the NUL)
// Any other mode refuses every operand.
std::uint8_t isErrorWordOperand(std::int32_t mode, std::string_view text);

// The bit device of a contact, coil or reset, by mode:
//   0 X, Y, M, S, T, C, D   1 Y, M, S, T, C, D   2 Y, M, S, D   3 Y, M, S, T, C, D, R, V, Z
//   4 Y, M                  6 N                  9 S
// D may carry a bit ".n" with one digit or A to F. Any other mode refuses every operand.
std::uint8_t isErrorBitOperand(std::int32_t mode, std::string_view text);

// A K or H constant with min <= value <= max.
std::uint8_t isErrorConstOperand(std::string_view text, std::int32_t max, std::int32_t min);
// A K or H constant with min <= value <= max, or a D or R register.
std::uint8_t isErrorConstOrRegOperand(std::string_view text, std::int32_t max, std::int32_t min);
// A real-number constant: "E" with anything after it.
std::uint8_t isErrorFloatOperand(std::string_view text);
// The operands of an output coil: the device and, for timers and counters, the set value. Each
// refusal adds a trace line to the instruction-entry memo.
std::uint8_t isErrorOutOpCode(std::string_view device, std::string_view setValue);

// Judges the character at pos where a number ended: a V or Z there must be the last character or
// be followed by one digit 0 to 7 that ends the text. Returns error unchanged otherwise.
std::uint8_t checkIndexSuffix(std::uint8_t error, std::string_view text, std::size_t pos);

// A label line: 2 to 8 characters, the letter and digits only, the number in range.
std::uint8_t isErrorPointerLabel(std::string_view label);
std::uint8_t isErrorInterruptLabel(std::string_view label);
// 1 for a good pointer label that needs the two-word form (P256 to P4095 on PLC type 2), else 0.
std::int32_t getPointerLabelKind(std::string_view label);

// Extended-form kinds of a contact or coil operand.
constexpr std::int32_t kBitKindPlain = 0;
constexpr std::int32_t kBitKindM1536 = 1;    // M1536..M3583
constexpr std::int32_t kBitKindM3584 = 2;    // M3584..M7679
constexpr std::int32_t kBitKindM8256 = 3;    // M8256..M8511
constexpr std::int32_t kBitKindS1024 = 4;    // S1024 and up
constexpr std::int32_t kBitKindWordBit = 5;  // Dm.n

// The kind of a contact or coil operand (0 to 5), also stored in kind. A word bit beyond the
// register area, or a bit number above 15, shows "Msg2019032060-8" and gives 0.
std::int32_t getBitOperandKind(std::string_view text, std::int32_t& kind);

}  // namespace kestrion
