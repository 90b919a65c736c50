// The checks of an edited ladder before and after its contacts are named, and the tidy-up that
// slides elements left over plain wire so that they touch what feeds them.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

// Every element wired on both sides. False at the first fault: its text in panel 13 and the
// selection frame on the faulty cell.
bool isCorrectLadderDiagramP1();
// No vertical link of block lbc ends or starts in the air (the block's output row excepted).
bool isCorrectLadderDiagramP2(std::uint32_t lbc);
// The last fault either check found, in the user's words, with the line it is on: "Line 2: nothing
// joins X002 on its left."
const std::string& diagramFaultReason();
// Contacts separated from their left neighbour by wire cells move left until they touch it.
void fixEmptyCellsBeforeObjects();

}  // namespace kestrion
