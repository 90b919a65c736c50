// Putting the objects of a block into execution order: along each rung from left to right, every
// parallel branch finished before the element after its closing junction.
#pragma once

#include <cstdint>

#include "model/ladder/LadderSearch.h"  // setBlockOutputRow, the pass that follows the ordering

namespace kestrion {

// Walks the wiring of block lbc from the source list's object at (x, y) (the detached list in the
// undo slot) and copies the objects met, in that order, in front of END in the main list. The
// joints ANB, ORB, MPS, MRD and MPP are not copied. A block whose objects the walk cannot all
// reach, once each, shows why and throws ConversionError.
void Modify_ObjectLinkSequence(std::uint32_t lbc, std::uint32_t x, std::uint32_t y);

}  // namespace kestrion
