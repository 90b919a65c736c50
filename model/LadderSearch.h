// Queries over the ladder object lists and the fix-ups that repair block ids, output kinds and
// output positions before drawing or conversion. Every walk starts at a list's head, follows the
// links and takes the first match; none allocates.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kestrion {

struct stLadderBlock;

// While it is on, the searches of the main list by position look the position up here instead of
// walking the list. An entry whose object has moved away is passed over; an object placed while
// the index is on is noted with notePosition. No object may be freed while it is on.
struct LadderPositionIndex {
    bool on = false;
    std::unordered_map<std::uint64_t, std::vector<stLadderBlock*>> objects;
};
extern LadderPositionIndex& positionIndex;

// The index over the main list for the life of the scope (the passes that only add objects).
class PositionIndexScope {
public:
    PositionIndexScope();
    ~PositionIndexScope();
    PositionIndexScope(const PositionIndexScope&) = delete;
    PositionIndexScope& operator=(const PositionIndexScope&) = delete;
};
void notePosition(stLadderBlock& object);

// List numbers of the searches: the main list and the undo copy.
constexpr int kSearchMain = 0;
constexpr int kSearchUndo = 1;

// ldrSearch := the first object standing exactly at (x, y); null and false when there is none or
// the list number is neither 0 nor 1.
[[nodiscard]] bool searchLadderObject(int list, std::uint32_t x, std::uint32_t y);
// ldrSearch := the first object on row y with xAddr <= x < Xend, skipping vNOP and the stack
// joints, and in the main list also ANB and ORB.
[[nodiscard]] bool searchObjectCovering(int list, std::uint32_t x, std::uint32_t y);
// Objects of the undo copy with block id `id`: kind 0 all, 1 ANB/ORB, 2 MPS/MRD/MPP, other 0.
int countObjectsById(std::uint32_t id, int kind);

std::uint32_t getObjectYById(std::uint32_t defaultY);  // row of the first object of block curObjLbc
std::uint32_t getEndObjectY();                         // 0 without END
std::uint32_t getEndObjectId();                        // ldrTail's block id; 0 without END
std::uint32_t getObjectIdAtY(std::uint32_t y);         // 0 for a row without objects
std::uint32_t getStepNoById(std::uint32_t id);         // 0 when no object has the id
// As getObjectIdAtY, and the object found becomes ldrNow.
std::uint32_t selectObjectIdAtY(std::uint32_t ignored, std::uint32_t y);

// True when, walking forward from the object at (x1, y1), an output comes before any object at
// (x2, y2); false without an object at (x1, y1).
bool isPosOutsideBlock(std::uint32_t x1, std::uint32_t y1, std::uint32_t x2, std::uint32_t y2);

void moveEndToRightEdge();
// Every object of a block gets the row of the block's first output in yTopPos; a label before
// an output goes to that row. Linear in the length of the list.
void setBlockOutputRow();
// Every object with an output-type code gets end kind 11, with a warning box for each repaired.
void checkFncSymbols();
// Outputs follow a widened right bus line (nothing moves while it is at its normal place).
void shiftOutputObjectsToRightBus();
void setXMaxiOfOutputs();
void setEndObjectId();
void propagateIdsToLinks();
// Block ids 1, 2, ... in list order, one number per run of equal ids; END the number after.
void renumberObjectIds();

}  // namespace kestrion
