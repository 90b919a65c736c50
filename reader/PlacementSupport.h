// What the placers of a program load share: the cell size, the making of a new object in front of
// END, the four coordinate stacks as pairs, the index of placed objects that answers "does an
// object stand here" without walking the list, and the messages that stop a load.
#pragma once

#include <cstdint>
#include <string>

#include "model/instructions/Conversions.h"  // hexText
#include "model/ladder/LadderSearch.h"
#include "platform/Services.h"

namespace kestrion {

struct stLadderBlock;

namespace placement {

constexpr std::uint16_t kStlStepCode = 0xF000;  // iCode of every STL object
constexpr std::uint16_t kRetWord = 0xF7FF;

std::uint32_t cellW();
std::uint32_t cellH();

// Links a new object in front of END (it becomes ldrNow). With reset, its fields are cleared as
// for a new contact; the bits 6 and 7 of the second flag byte are cleared in either case.
stLadderBlock& createObject(bool reset);
// The object linked just before ldrNow; null at the head.
stLadderBlock* predecessor();
// END moves one row down.
void moveEndDown();

// ---- The coordinate stacks ---------------------------------------------------------------------

struct Pair {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};
void pushStart(Pair pair);  // stack0Code
Pair popStart();
Pair peekStart();
void pushNext(Pair pair);  // stack1Code
Pair popNext();
Pair peekNext();
void replaceNext(Pair pair);
void pushXMax(std::uint32_t x);  // Xmaximum
std::uint32_t popXMax();
std::uint32_t topXMax();
void replaceXMax(std::uint32_t x);
void pushBranch(std::uint32_t value);  // MpsMrdMpp
std::uint32_t popBranch();

// ---- Placed objects ----------------------------------------------------------------------------

// While a load runs, the objects it has placed are indexed by position (the position index of the
// main list) and by block id; outside a load the questions below walk the main list.
class PlacementIndexScope {
public:
    PlacementIndexScope();
    ~PlacementIndexScope();
    PlacementIndexScope(const PlacementIndexScope&) = delete;
    PlacementIndexScope& operator=(const PlacementIndexScope&) = delete;

private:
    PositionIndexScope positions_;
};
// Records ldrNow (once) with its position and block id; the driver calls it after each placer,
// the fillers after they are made. An object once noted keeps its position.
void notePlaced(stLadderBlock* object);
// A new LargeBlock begins with first: every object noted so far lies above the lines it takes, so
// the reading-order links of its fillers walk from it rather than from the head of the ladder.
void startBlockAt(stLadderBlock& first);
// True when some object of the main list stands at (x, y).
bool objectStandsAt(std::uint32_t x, std::uint32_t y);
// True when the first object of the main list at (x, y) is another than ldrNow.
bool otherObjectStandsAt(std::uint32_t x, std::uint32_t y);
// True when a cell is taken for a placer looking for a free one. END is in no one's way: it stands
// alone on the first free line and moves down below whatever takes that line.
bool cellTakenAt(std::uint32_t x, std::uint32_t y);
// The same for a cell another object than ldrNow holds.
bool otherCellTakenAt(std::uint32_t x, std::uint32_t y);
// The row of the first object of a block in list order; the row above END when it has none.
std::uint32_t firstRowOfBlock(std::uint32_t id);

// ---- Stops -------------------------------------------------------------------------------------

// Shows the box and throws ConversionError: the load ends here.
[[noreturn]] void stopLoad(const std::string& text, const std::string& caption, platform::MsgIcon icon);
// A word the ladder cannot show where the program puts it: the load stops at its step, with the code
// and where in the status bar.
[[noreturn]] void stopUnplaceable(std::uint16_t code, std::uint32_t step, const std::string& where);

// The canvas cell of ldrNow gets the mark of its kind (kCellContact, kCellStl, kCellLabel).
void markPlacedCell(char cell);

}  // namespace placement
}  // namespace kestrion
