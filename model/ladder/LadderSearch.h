// Queries over the ladder object lists and the fix-ups that repair block ids, output kinds and
// output positions before drawing or conversion. Every walk starts at a list's head, follows the
// links and takes the first match; none allocates.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kestrion {

struct stLadderBlock;

// While it is on, the searches of a list by position (and the covering searches by row) look the
// position up here instead of walking the list. An entry whose object has moved away is passed
// over; an object placed while the index is on is noted with notePosition. When several objects
// match, the list decides which comes first. No object may be freed while it is on.
// The objects are held by the line they were on: a position is looked up among the few objects of
// its line, found by the line's number (y not on a line, rare, goes by its value). The objects of
// the list the index was made over lie line after line in one table, each line in list order; those
// noted since follow on their line in the order they were noted, which stays the list's order while
// each is noted at the end of the list (the line is then read only up to its first match).
struct LadderIndexTables {
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};
    struct Noted {
        stLadderBlock* object;
        std::uint32_t next;  // the next noted on the line; kNone
    };
    struct LineNotes {
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
        bool outOfOrder = false;  // a note came before an object of the line in the list
    };
    // The line a search by position last looked up. The searches come in runs along one line: the
    // next of a run skips the line's lookup. A note on the line drops it.
    struct LineSpan {
        std::uint32_t y = kNone;
        stLadderBlock* const* begin = nullptr;  // the line's objects in the made table
        stLadderBlock* const* end = nullptr;
        std::uint32_t firstNoted = kNone;
        bool anyOrder = true;  // off the lines or noted out of order: the list decides which is first
    };
    std::uint32_t lineHeight = 0;          // the cell height when the index was made
    std::vector<std::uint32_t> madeBegin;  // line l: made[madeBegin[l]] .. made[madeBegin[l + 1] - 1]
    std::vector<stLadderBlock*> made;      // null where an object was taken out
    std::vector<Noted> noted;
    std::vector<LineNotes> lineNotes;  // by line, as far as any was noted
    std::unordered_map<std::uint32_t, std::vector<stLadderBlock*>> offLines;
    // By block id: the first object seen of each block, and (over the undo copy) the objects of each
    // kind countObjectsById counts. Ids up to a few more than the objects are held by number, the
    // objects the index was made over and those noted since (an id is not bounded: a pasted record
    // brings its own).
    std::size_t objects = 0;
    std::vector<stLadderBlock*> firstById;
    std::unordered_map<std::uint32_t, stLadderBlock*> firstByLargeId;
    std::vector<std::array<int, 3>> idCounts;
    std::unordered_map<std::uint32_t, std::array<int, 3>> largeIdCounts;
    LineSpan lastSpan;

    std::size_t lineCount() const { return madeBegin.empty() ? 0 : madeBegin.size() - 1; }
    const LineSpan& spanOf(std::uint32_t y) { return lastSpan.y == y ? lastSpan : lookUpSpan(y); }
    const LineSpan& lookUpSpan(std::uint32_t y);
    // Each object noted on row y in turn while visit answers false; true when it answered true.
    template <class Visit>
    bool visitRow(std::uint32_t y, Visit visit) const;
    void note(stLadderBlock& object, bool atListEnd);
    void forget(const stLadderBlock& object);
    // Every note and build asks this: an id the table already holds is answered here, in line.
    stLadderBlock*& firstOfId(std::uint32_t id) {
        return id < firstById.size() ? firstById[id] : firstOfNewId(id);
    }
    stLadderBlock*& firstOfNewId(std::uint32_t id);
    stLadderBlock* knownFirstOfId(std::uint32_t id) const;
    std::array<int, 3>& countsOfId(std::uint32_t id);
    const std::array<int, 3>* knownCountsOfId(std::uint32_t id) const;
};
template <class Visit>
bool LadderIndexTables::visitRow(std::uint32_t y, Visit visit) const {
    if (lineHeight == 0 || y % lineHeight != 0) {
        const auto found = offLines.find(y);
        if (found == offLines.end()) return false;
        for (stLadderBlock* o : found->second)
            if (visit(o)) return true;
        return false;
    }
    const std::size_t line = y / lineHeight;
    if (line < lineCount()) {
        for (std::uint32_t i = madeBegin[line], end = madeBegin[line + 1]; i < end; ++i)
            if (visit(made[i])) return true;
    }
    if (line < lineNotes.size()) {
        for (std::uint32_t i = lineNotes[line].first; i != kNone; i = noted[i].next)
            if (visit(noted[i].object)) return true;
    }
    return false;
}
struct LadderListIndex {
    bool on = false;
    std::unique_ptr<LadderIndexTables> tables;
    stLadderBlock* end = nullptr;  // the first END
    std::uint32_t lowestRow = 0;   // of the objects but END
};
// The main list in order, with the lowest row reached so far at each object, for the drawing:
// made when it is first asked after the list changed (ladderChanges), kept while it holds.
struct LadderRowIndex {
    std::uint64_t madeAt = 0;  // ladderChanges() when it was made; 0 never
    const stLadderBlock* head = nullptr;
    const stLadderBlock* tail = nullptr;
    std::vector<const stLadderBlock*> objects;
    std::vector<std::uint32_t> lowestRow;  // of objects[0] .. objects[i]
};
struct LadderPositionIndex : LadderListIndex {  // over the main list
    LadderListIndex undo;                       // over the undo copy, unchanged while it is on
    LadderRowIndex rows;                        // over the main list, on whenever it holds
};
extern LadderPositionIndex& positionIndex;

// The index over the main list for the life of the scope (the passes that move no object).
class PositionIndexScope {
public:
    PositionIndexScope();
    ~PositionIndexScope();
    PositionIndexScope(const PositionIndexScope&) = delete;
    PositionIndexScope& operator=(const PositionIndexScope&) = delete;
};
// The index over the undo copy for the life of the scope (it reads the copy; an object taken out
// of the copy is forgotten by forgetUndoPosition before it goes).
void forgetUndoPosition(const stLadderBlock& object);
class UndoIndexScope {
public:
    UndoIndexScope();
    ~UndoIndexScope();
    UndoIndexScope(const UndoIndexScope&) = delete;
    UndoIndexScope& operator=(const UndoIndexScope&) = delete;
};
void notePosition(stLadderBlock& object);

// Every object of the main list standing at (x, y), each once, in no particular order when the
// index is on. visit may change the objects it is given but moves and puts in none.
void forEachObjectAt(std::uint32_t x, std::uint32_t y, const std::function<void(stLadderBlock&)>& visit);

// The first object of the main list whose block id is `id` or that stands at or below endY.
stLadderBlock* firstOfBlockOrBelow(std::uint32_t id, std::uint32_t endY);
// The first object of the main list at (x, y); ldrSearch is left as it was.
stLadderBlock* objectStandingAt(std::uint32_t x, std::uint32_t y);

// The first object of the main list on row y that `match` accepts; the index narrows the walk to
// the row while it is on.
stLadderBlock* firstOnRow(std::uint32_t y, bool (*match)(const stLadderBlock&, std::uint32_t x),
                          std::uint32_t x);

// The first object of the main list, in list order, that stands on row y or lower down; null when
// none does. The drawing asks it at every paint: the row index answers it without a walk from the
// head, so the last screen of a long ladder costs what the first does.
const stLadderBlock* firstObjectFromRow(std::uint32_t y);

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
