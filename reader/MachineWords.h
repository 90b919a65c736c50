// The machine code of the PLC, fixed once for reading and writing: how a device is coded inside an
// instruction word, the device text of every code, the operand pair of bit devices and word bits,
// and how many words each instruction form takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

// ---- Device codes ------------------------------------------------------------------------------
//
// One map for every PLC type: S0-S1023 0x0000-0x03FF, X 0x0400-0x04FF, Y 0x0500-0x05FF (both by
// index), T0-T511 0x0600-0x07FF, M0-M1535 0x0800-0x0DFF, C0-C255 0x0E00-0x0EFF, M8000-M9279
// 0x0F00-0x13FF, S1024-S6143 0x1400-0x27FF, M1536-M7679 0x2800-0x3FFF.

struct DeviceOfCode {
    char letter = 'A';
    std::int32_t number = 0;  // the S, T, M or C number, or the X/Y index
};
// The device of a code; nothing for a code outside the map.
std::optional<DeviceOfCode> deviceOfCode(std::int32_t code);

// X and Y: the written number of an index (15 -> 17, 64 -> 100, 128 -> 180) and its text, padded
// to three digits when asked (X000, X017) or plain (X17).
std::int32_t xyIndexToNumber(std::int32_t index);
std::string xyNumberText(std::int32_t index, bool padded);

// The text of a device code as the basic instructions write it: S5, X017, M8002; "A" and the code
// in signed decimal for a code outside the map.
std::string deviceCodeText(std::int32_t code);
// The device number a code leaves in a ladder object's rCode: the S, T, M or C number, the X/Y
// index, or the low 16 bits of a code outside the map.
std::uint16_t rCode(std::int32_t code);

// Writes the device text of a code into the first operand text of ldrNow and its number into
// rCode. A code outside the map shows "Error20180510.900" first; decoding goes on with "A" and
// the code.
void convToRelayCode(std::int32_t code);
// Writes the word bit "D", n, ".", b (one hex digit) of the pair value v (n = (v & 0x3FFF) >> 1)
// into the first operand text of ldrNow and n into rCode.
void convToWordBitText(std::int32_t v, std::int32_t b);
std::string wordBitText(std::int32_t v, std::int32_t b);

// The inverse: the code of a device letter and number (X and Y numbers as written, octal digits);
// nothing when the device lies outside the map or an X/Y number is not one the map writes.
std::optional<std::int32_t> deviceCodeOf(char letter, std::int32_t number);
// The same from a device text: letter, then a decimal number and nothing else ("M8002").
std::optional<std::int32_t> deviceCodeOfText(std::string_view text);

// ---- Operand pairs of bit devices and word bits ---------------------------------------------------

struct WordPair {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    bool operator==(const WordPair&) const = default;
};
// Bit device d: 0x8400 + (d & 0xFF), 0x8000 + (d >> 8).
WordPair bitDevicePair(std::int32_t code);
// Bit b of D n: 0x8600 + ((2n) & 0xFF), 0x9400 + (b << 6) + ((2n) >> 8). Nothing when n does not
// fit the pair (2n >> 8 must stay below 64) or b is not 0 to 15.
std::optional<WordPair> wordBitPair(std::int32_t n, std::int32_t b);
// Reading a pair: the device text of a bit device, or the word bit text.
std::string pairText(WordPair pair);

// ---- Instruction lengths ----------------------------------------------------------------------

// Words of the instruction that begins with this code word, the code word included; 0 for a word
// that cannot begin an instruction: 0 and 1, 0x000E, operand words (0x8000-0xAFFF), the gaps of
// the device-coded groups, and application-instruction codes of a form the instruction table does
// not carry (undefined numbers, refused instructions, the 32-bit RST 0x0205 among them).
int instructionLength(std::uint32_t code);

}  // namespace kestrion
