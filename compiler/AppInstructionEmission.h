// Application instructions: the code word and the operand words, laid out by the shared
// instruction table and written by the operand encoders.
#pragma once

#include <cstdint>

namespace kestrion {

// The words of ldrConv as an application instruction of code, from step; returns the next step.
std::uint32_t emitAppInstruction(std::uint16_t code, std::uint32_t step);

}  // namespace kestrion
