// One rung taken out of the ladder: the lines that vertical links join into one (a rung with its
// parallel lines and branches, or a step with the lines that hang from its STL), the objects that
// stand on them and their rows of the canvas. The instruction box has the rung a line changed tried
// on such a copy.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ladder/CanvasState.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

struct RungCopy {
    std::uint32_t top = 0;                               // y of its first line
    std::uint32_t lines = 0;                             // how many lines it takes
    std::vector<stLadderBlock> objects;                  // in list order, unlinked
    std::vector<std::array<char, kCanvasColumns>> rows;  // the canvas rows of its lines, two a line
};

// The rung the object stands in: the lines the canvas links join to the object's line and the lines
// of the blocks of their objects, the objects of the list around it on those lines (a rung's objects
// follow one another in the list), and their canvas rows. END is left out.
RungCopy copyRungOf(const stLadderBlock& object);

}  // namespace kestrion
