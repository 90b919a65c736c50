// The parameter block at PLC address 0x8000 (92 bytes, the keyword at 0x8008): read into the
// project or into the read-back image VirtualProg, and written from the project.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/image/ProgramImage.h"

namespace kestrion {

constexpr std::uint32_t kParameterBlockAddress = 0x8000;

// A 92-byte parameter block followed by the program area, as read back from the PLC.
extern std::vector<std::uint8_t>& VirtualProg;

// Two frames of 46 bytes, or one of 92 to a PLC of type 2. Only when the whole block arrived is it
// stored (into pmw's parameter block, or the first 92 bytes of VirtualProg). A failure shows its
// box and throws LinkError, the time-out or NAK bit of rs.status set.
void readParameterBlock(bool toProject);
// Every frame acknowledged, with the progress window; a failure shows its box and throws LinkError.
// Both frames carry the block as it was when the write began (a program write passes the block of
// its start; without one the project's block is taken once, at the start).
void writeParameterBlock(std::span<const std::uint8_t, kParameterBlockSize> block);
void writeParameterBlock();

}  // namespace kestrion
