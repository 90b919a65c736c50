// Operand words: every operand of an application instruction (and of RST of a word device and the
// setting value of OUT T and OUT C) follows the instruction word as two words with bit 15 set, four
// in the 32-bit form. The first word's high byte names the class (0x80 K or E, 0x82 H, 0x84 bit
// device or bit group, 0x86 word device, 0x88 pointer, 0x8A string, 0x8C buffer memory U\G), plus
// 0x1000 for a V index and 0x2000 for a Z index. The encoders write operand texts as words, the
// decoders read words back into the same texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

// ---- Encoding ------------------------------------------------------------------------------------

// Where the encoders write: the emitter's word writer (stores the word at the step, advances the
// check code, returns step + 1) and the D flag of the object being emitted.
struct OperandSink {
    std::function<std::uint32_t(std::uint32_t step, std::uint16_t word)> emitWord;
    bool wide = false;
};

// One operand text into its words, starting at step; returns the step after them. The text's first
// character chooses the encoder (K, H, E, a bit group Kk + S/X/Y/M, S, X, Y, M, T, C, D, R, V, Z,
// I). A text no encoder takes, a number part that is not a number, or a value without words shows
// "LToM FNC(nn) opCode Error" and throws ConversionError before any word of the operand is written.
std::uint32_t encodeOperand(OperandSink& sink, std::uint32_t step, std::string_view text);

// The encoders, each (text, p, step, n): p is where the index letter stands in text (or where the
// text ends), n the operand's number; each returns the next step.
std::uint32_t encodeDecimalConstant(OperandSink& sink, std::string_view text, std::size_t p,
                                    std::uint32_t step, std::int32_t n);
std::uint32_t encodeHexConstant(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                std::uint32_t n);
// n is the IEEE-754 single-precision bit pattern; a 16-bit instruction keeps its low half.
std::uint32_t encodeFloatConstant(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                  std::uint32_t n);
// Here m is the number of characters of the device number after "Kk" and the letter; the index
// letter stands at m + 3.
std::uint32_t encodeBitGroup(OperandSink& sink, std::string_view text, std::size_t m, std::uint32_t step,
                             std::int32_t n);
std::uint32_t encodeBitDevice(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                              std::int32_t n);
std::uint32_t encodeTimer(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                          std::int32_t n);
std::uint32_t encodeCounter(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                            std::int32_t n);
std::uint32_t encodeDataRegister(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                 std::int32_t n);
std::uint32_t encodeFileRegister(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                 std::int32_t n);
// U u\G g: uBits = 1024 × u. The text is U, one hexadecimal digit u, "\G" and the decimal g.
std::uint32_t encodeUG(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                       std::int32_t g, std::uint32_t uBits);
// A whole U\G text ("U1\G100", "UA\G5V1"), read and encoded; used where buffer memory is allowed.
std::uint32_t encodeUGText(OperandSink& sink, std::uint32_t step, std::string_view text);
// Vk or Zk as an operand: the words of the special data register that holds it.
std::uint32_t encodeIndexRegister(OperandSink& sink, std::string_view text, std::size_t p, std::uint32_t step,
                                  std::int32_t n);
std::uint32_t encodeInterruptPointer(OperandSink& sink, std::string_view text, std::size_t p,
                                     std::uint32_t step, std::int32_t n);
// A pointer operand P n (CJ, CALL), with an optional V/Z index suffix.
std::uint32_t encodePointerText(OperandSink& sink, std::uint32_t step, std::string_view text);
// The eight character words of ASC's string (c0..c7: 0x8A00 + c for even positions, 0x8000 + c for
// odd ones); a shorter text is padded with zero bytes.
std::uint32_t encodeStringText(OperandSink& sink, std::uint32_t step, std::string_view text);
// The two fill words 0x8000, 0x8000 of the 32-bit form.
std::uint32_t emitTwoFillWords(OperandSink& sink, std::uint32_t step);

// Index digit helpers: when text[p] is not the end of the text, add 64 × k (256 × k) to word for
// the digit k = text[p + 1] in '1'..'7'; otherwise word unchanged.
std::uint32_t addIndexDigit64(std::string_view text, std::size_t p, std::uint32_t word);
std::uint32_t addIndexDigit256(std::string_view text, std::size_t p, std::uint32_t word);
// Adds the group base 0x8200 + 0x200 × (k − 1) for text[1] = k in '1'..'8'.
std::uint32_t addBitGroupBase(std::string_view text, std::uint32_t word);
// '0'-'9' give 0, 64, ..., 576; 'A'-'F' give 640 ... 960; any other character 0.
std::uint32_t indexDigitOffset64(char c);

// Index registers as special data registers: Z0 = D8028, V0 = D8029, Zk = D(8180 + 2k),
// Vk = D(8181 + 2k).
std::int32_t indexRegisterNumber(char letter, std::int32_t k);

// ---- Decoding ------------------------------------------------------------------------------------

// The operand texts of one instruction, operand i in texts[i].
using OperandTexts = std::array<std::string, 5>;

// Reads k operands (1 to 5) from words (the words after the instruction word), 32-bit when wide.
// Forms not recognised leave their text empty after a message; a bit device code outside the table
// shows its stop message and throws ConversionError.
OperandTexts decodeOperands(std::span<const std::uint16_t> words, int k, bool wide);

// The same from the program image: o is the byte offset of the instruction word; the texts go into
// operand texts 1 to k of ldrNow.
void convToFncRelayCode(std::size_t o, int k, bool wide);

// v = (w1 − b1) + 256 × (w2 − b2 − x), plus 65536 × (w3 − 0x8000) + 16777216 × (w4 − 0x8000) when
// wide, in 32-bit two's complement.
std::int32_t getOperandValue(std::uint32_t x, bool wide, std::uint32_t b1, std::uint32_t b2, std::uint32_t w1,
                             std::uint32_t w2, std::uint32_t w3, std::uint32_t w4);

// The text of an operand: letter, digits, then the index (1 V, 2 Z) with its digit: an offset
// 64 × k or a digit value 1 to 7 appends k, 0 nothing.
std::string operandText(int indexLetter, std::uint32_t indexOffset, char letter, std::string_view digits);
// The same for a bit group: "K", the size digit, the device letter, the digits, the index.
std::string bitGroupOperandText(int indexLetter, std::uint32_t indexOffset, char sizeDigit, char letter,
                                std::string_view digits);
// Both written into operand text slot + 1 of ldrNow; a slot outside 0..4 writes nothing.
void writeOperandText(int indexLetter, std::uint32_t indexOffset, char letter, int slot,
                      std::string_view digits);
void writeBitGroupOperandText(int indexLetter, std::uint32_t indexOffset, char sizeDigit, char letter,
                              int slot, std::string_view digits);

// 448 for x from 448, else the largest multiple of 64 not above x.
std::uint32_t indexOffsetFloor(std::uint32_t x);
// 0x000, 0x100, ..., 0x700 give 0, 64, ..., 448; any other x is returned unchanged.
std::uint32_t indexOffsetFromHighByte(std::uint32_t x);

// The text of a real constant after its "E": six decimals ("1.500000"), or, where that would not
// fit the 16-byte operand text, the exponent form with as many digits as fit ("1.23456789e+38").
std::string floatOperandDigits(std::uint32_t bits);

}  // namespace kestrion
