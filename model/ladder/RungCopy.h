// One rung taken out of the ladder: the lines that vertical links join into one (a rung with its
// parallel lines and branches, or a step with the lines that hang from its STL), the objects that
// stand on them and their rows of the canvas. The instruction box has the rung a line changed tried
// on such a copy, and what the view draws of it is held against what Convert reads back.
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

// The whole ladder of a model that holds one rung (ScratchModel): every object but END, and the
// canvas rows of the lines above END's.
RungCopy copyLadderAboveEnd();

// What the view draws of the copy: each instruction at its cell, by its code (a contact by its LD
// form: the links tell LD, AND and OR apart; the spellings of one instruction share a code), and
// the vertical links of each canvas row, with y counted from the rung's top. Wire fillers and
// joints are not drawn; operands are left to the words.
std::vector<std::string> drawnRung(const RungCopy& rung);

// The shape of the copy, wire lengths left out: each line's instructions left to right, by code as
// drawnRung has them, and each vertical link by the count of instructions in front of it on the
// line above it and on the line below. Two rungs of one shape are the same program however long
// their wires are drawn.
std::vector<std::string> rungShape(const RungCopy& rung);

}  // namespace kestrion
