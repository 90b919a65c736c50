// What the words before leave for a word to go on from, and the rules every family of the load
// reads there.
//
// A ladder draws a rung from a bus: contacts begin with an LD at the left bus or at a step's bus, every
// join joins two blocks of its rung, and every rung ends in an output before the next rung, a label,
// a step, a master control, an instruction that stands alone or END begins. Words that go on from
// nothing, or contacts that lead to no output, have no ladder: the load stops on them.
#pragma once

#include <cstdint>

#include "reader/LoadState.h"

namespace kestrion {

struct stLadderBlock;

namespace placement {

// What the words placed so far leave (ReaderState::rung).
RungState& rung();

// An MPS whose MPP has not come yet: its branch point belongs to the rung being placed.
bool branchPointOpen();

// Stops the load at the word's step with what unless allowed.
void requireRung(std::uint16_t code, bool allowed, const char* what);
// Where a rung ends: its contacts must have reached an output, and its branch points their MPP.
void requireRungEnded(std::uint16_t code);
// An output needs a condition: contacts of its rung, the output its rung goes on from, or a step's bus.
void requireOutputCondition(std::uint16_t code);

// Right after an output the rung goes on from the output's node (an AND there goes on from it).
bool rightAfterOutput();
// Contacts that go on from an output must lead to another one: where a new block or END comes
// first, the ladder would draw them into the rungs around them (contacts of a block of their own
// are drawn as such, for Convert to show). last is the last object before that new block or END; the
// load stops on it.
void requireOutputAfterContinuation(const stLadderBlock* last);

// A branch leaves the rung at the node where its point was taken. An OR or ORB puts the whole block it
// closes in parallel with another, so a branch point inside it would be wrapped (the ladder has no
// node of that value); an ANB puts a block in series after another, so a branch point inside the
// later block would be read with what stands before it. The load stops on both.
//
// The bit of the block level LDs deep (0: the rung going on from an output), in branchPointLevels
// and seriesJoinLevels.
std::uint64_t branchLevelBit(std::int32_t level);
// The block placed now holds a branch point: an MPS, MRD or MPP, or an output its rung goes on from.
void markBranchPoint();
// True when the OR or join code would take in a block holding a branch point.
bool joinTakesInBranchPoint(std::uint16_t code);

}  // namespace placement
}  // namespace kestrion
