// How the placers and decoders prepare ldrNow while a program is loaded: the reset of a newly made
// object, the clearing of its texts before a decoder writes them, and the placement of an output
// against the right bus.
#pragma once

#include <cstdint>

namespace kestrion {

// Flag bytes 0, no position (65535, 65535), orbXaddr at the left bus, block id, codes and objNo 0,
// end 10, every text empty. Nothing without ldrNow.
void resetNewObject();

// which != 0: the operand texts and the sixth slot become empty (the first operand text is
// blanked first); which == 0: the mnemonic becomes empty.
void clearNewObjectText(int which);

// Places ldrNow, extra + 1 cells wide, on row y at the first free cell from x that lets it end at
// the right bus; Xend is the right bus.
void placeObjectRightAligned(std::uint32_t x, std::uint32_t y, std::uint32_t extra);

}  // namespace kestrion
