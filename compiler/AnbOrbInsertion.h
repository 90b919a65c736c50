// Inserting ANB and ORB where two groups of contacts of a block join in series or in parallel.
#pragma once

#include <cstdint>

namespace kestrion {

// Walks block blockId in list order and links an ANB or ORB object after each object at which
// two pending groups join by the wiring; a contact whose LD, AND or OR name does not fit the wiring
// is named as it does. An output reached with two groups still pending, or a sixteenth pending
// group, shows the stop box and throws ConversionError.
void AddAnbOrbByBlock(std::uint32_t blockId);

}  // namespace kestrion
