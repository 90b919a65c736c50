// Placement of the contacts (LD, AND and OR families) and of the block joins ANB and ORB while a
// program is loaded, with the two look-ahead scans the LD placer asks: does this LD open a new
// LargeBlock, and is the sub-block it opens closed by ORB or by ANB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrion {

// True when the LD at offset opens a new LargeBlock: the scan reaches END or the area end, or an
// output word with more LD than ANB/ORB counted on the way. A word that no program may hold
// there stops the load.
bool SubConvMachineCodeToLadderDiagram(std::size_t offset, std::size_t endOffset, int count);
// True when the sub-block opened by the LD before offset is closed by ORB, false for ANB. When the
// program holds no join that closes it, the "AnbOrb Error" message stops the load.
bool backwordAnbOrbInstrCheck(std::size_t offset, int level);

// The contact families as the load meets their words: each refuses a word the ladder cannot show
// where the words before leave it (the load stops at its step), places it, and notes what it leaves
// for the next word. LD: the LD family; AND: the AND family and INV; OR: the OR family; the joins ANB
// and ORB.
void placeLdWord(std::uint16_t code);
void placeAndWord(std::uint16_t code);
void placeOrWord(std::uint16_t code);
void placeJoinWord(std::uint16_t code);

// The placers of one contact or join.
void convLdToLadder(std::uint16_t code);
void convAndToLadder(std::uint16_t code);
void convOrToLadder(std::uint16_t code);
void newAnbOrbObject(std::uint16_t code);
void convAnbToLadder();
void convOrbToLadder();

}  // namespace kestrion
