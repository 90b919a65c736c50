// How the ladder view draws each object, and where the wire into an output begins. The view paints
// from these, and the drawn logic (model/ladder/DrawnLogic.h) reads the same picture: what the user
// sees is what Convert is held to.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrion {

struct stLadderBlock;

enum class SymbolKind : std::uint8_t {
    None,  // block and stack joints, placeholders: not drawn
    Wire,  // NOP fillers and "#NOP" joints
    Contact,
    NegatedContact,
    RisingContact,
    FallingContact,
    Invert,
    CompareContact,
    Coil,
    Box,  // SET, RST, STL and the other instructions drawn as a framed box with their operands
    End,
    Label,
};
SymbolKind symbolKindOf(const stLadderBlock& object);

// Whether the object is drawn on its row (joints, placeholders and labels are not).
bool drawsOnRow(const stLadderBlock& object);

// Whether the object is drawn at the right bus with a wire running into it: a coil, a box or END
// that ends its line.
bool isDrawnOutput(const stLadderBlock& object);

// The right end of what the view paints of an object: its end, and at least one cell.
std::uint32_t paintedEnd(const stLadderBlock& object);

// Where the wire into an output begins: the painted end of the nearest object left of it on its
// row (row: the objects of the output's line, in any order), a vertical link left of it, or the
// left bus.
std::uint32_t outputWireStart(const stLadderBlock& output, const std::vector<const stLadderBlock*>& row);

}  // namespace kestrion
