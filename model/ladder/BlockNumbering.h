// The two passes that tie the ladder objects to their picture on the canvas: block numbers read
// from the canvas line by line, and the vertical links drawn into the canvas after a ladder was
// built from machine code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

// The branch positions that MPS opens and MPP closes. A push beyond the sixteenth open branch is
// ignored, and a pop with none open gives nothing.
class BranchPositionStack {
public:
    static constexpr std::size_t kCapacity = 16;
    struct Position {
        std::uint32_t x = 0;
        std::uint32_t y = 0;
    };
    // False (and nothing kept) when full.
    bool push(Position position);
    // False when empty.
    bool pop(Position& position);
    std::size_t size() const { return count_; }

private:
    std::array<Position, kCapacity> positions_{};
    std::size_t count_ = 0;
};

// Gives every object standing on an element cell its block number objLbc, from line 0 down to the
// line of END. An element cell without its object shows the halt box and throws CanvasError, so
// the command that ran the pass rolls back; so does an END line past the canvas.
void ReModifyLbcByVirtualArray();

// Writes the vertical links '|' of the main list into the canvas, one rule per instruction kind,
// and marks the END object's cell and the row below it.
void ModifyVLineToVirtualCanvas();

}  // namespace kestrion
