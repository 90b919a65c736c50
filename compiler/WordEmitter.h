// The writer of program words during Convert, which the basic and the application instruction
// emitters share: one word at a step with the check code kept, the D and P bits of the object
// being written, and the refusal of that object.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrion {

// Stores word at step, keeps the check code, returns step + 1. A step outside the program area of
// the image's capacity is refused before anything is written.
std::uint32_t emitWord(std::uint32_t step, std::uint16_t word);
// code | 1 for the D flag of ldrConv, | 0x1000 for its P flag.
std::uint16_t applyDPFlags(std::uint16_t code);
// Shows text (caption "SubLToM02", warning) and throws ConversionError naming ldrConv and its step.
[[noreturn]] void refuseObject(std::string_view text);

}  // namespace kestrion
