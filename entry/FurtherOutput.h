// An output typed on an empty line under a rung: Convert writes it as a further output of that rung,
// fed from the node its last output is fed from. The box draws it so, hung from that node by a
// vertical link as the load draws a rung's further outputs, so that the screen shows what Convert
// writes and the load reads the same picture back.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrion {

struct stLadderBlock;

struct FurtherOutput {
    std::uint32_t y = 0;      // the line it stands on
    std::uint32_t nodeX = 0;  // x of the vertical line its link comes down: the node
    std::uint32_t block = 0;  // the rung's block id
    std::uint32_t top = 0;    // the row of the rung's first output
};

// Where an output typed at any cell of line y hangs, when y holds nothing but END and the line above
// ends a rung with an output (of a contact's condition). It goes on the line under the rung's last
// output: y itself, or, under a rung whose last lines are parallel contacts, the first of those
// lines, right of the node, where the load draws it. Nothing when no such rung stands above.
std::optional<FurtherOutput> furtherOutputUnder(std::uint32_t y);

// The output just placed at its line, at its node or right of it, joined to the node: its block and
// output row become the rung's, the link comes down from the node, and a joint fills the cell right
// of the node where the output begins further right. The cells are the canvas's; the joint is a
// new object linked in front of the output.
void hangFromNode(stLadderBlock& output, const FurtherOutput& further);

}  // namespace kestrion
