// The decoders: each takes the byte offset of an instruction's code word in the program image,
// writes the mnemonic and operand texts of ldrNow (and its 32-bit and pulse flag bits), adds the
// instruction's steps to convStepNo, places output-side objects at the right bus itself, and
// returns the byte offset of the instruction's last word. Decoders are reached only through three
// tables indexed by the code word; an empty slot returns its argument and writes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

using Decoder = std::size_t (*)(std::size_t byteOffset);

constexpr std::size_t kFncDecodeSlots = 1036;

// By the code word's top four bits.
extern const std::array<Decoder, 16> basicInstrDecodeTable;
// By word - 0xFFF8 (ANB, ORB, MPS, MRD, MPP, INV, -, NOP).
extern const std::array<Decoder, 8> blockInstrDecodeTable;
// By code word 0 to 1035: the multi-word basic forms, the contact and output forms with operand
// pairs, and the even slot 16 + 2n of every application instruction FNC n of the shared table.
extern const std::array<Decoder, kFncDecodeSlots> fncInstrDecodeTable;

std::size_t decodeNothing(std::size_t byteOffset);

// The cells right of its first that the object of a multi-word basic output (codes 2 to 13) takes;
// 0 for any other word.
std::uint32_t multiWordOutputExtra(std::uint16_t word);

// Where a code word's decoder sits and with which flags and iCode it is called.
enum class DecodeTable : std::uint8_t { None, Basic, Block, Fnc };
struct DecodeRoute {
    DecodeTable table = DecodeTable::None;
    std::size_t slot = 0;
    std::uint32_t dFlag = 0;
    std::uint32_t pulseFlag = 0;
    std::uint16_t iCode = 0;
};
DecodeRoute decodeRoute(std::uint16_t word);

// Decodes the instruction at byteOffset into ldrNow by its route: sets convDFlag, convPulseFlag
// and ldrNow's iCode and stepNo, calls the decoder and returns its result. A word without a
// route leaves the object as it is and returns byteOffset.
std::size_t decodeInstructionAt(std::size_t byteOffset);

}  // namespace kestrion
