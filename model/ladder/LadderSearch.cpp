#include "model/ladder/LadderSearch.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

stLadderBlock* headOfList(int list) {
    switch (list) {
        case kSearchMain: return ldrHead;
        case kSearchUndo: return ldrUndoHead;
        default: return nullptr;
    }
}

template <class Match>
stLadderBlock* firstObject(stLadderBlock* head, Match match) {
    for (stLadderBlock* object = head; object != nullptr; object = object->next) {
        if (match(*object)) return object;
    }
    return nullptr;
}

template <class Match>
stLadderBlock* firstInMain(Match match) {
    return firstObject(ldrHead, match);
}

bool isOutput(const stLadderBlock& object) {
    return object.end == kEndOutput;
}

}  // namespace

namespace {

// Whether a comes before b in their list: walked from both at once, the answer costs steps in
// proportion to how far apart they stand, not to the length of the list.
bool comesBefore(const stLadderBlock* a, const stLadderBlock* b) {
    for (const stLadderBlock *fromA = a, *fromB = b;;) {
        fromA = fromA != nullptr ? fromA->next : nullptr;
        fromB = fromB != nullptr ? fromB->next : nullptr;
        if (fromA == b) return true;
        if (fromB == a || fromA == nullptr) return false;
    }
}

// Of the objects the index knows on row y that match, the first in list order, whatever the order
// they were noted in.
template <class Match>
[[gnu::noinline]] stLadderBlock* firstMatchInAnyOrder(const LadderIndexTables& tables, std::uint32_t y,
                                                      Match match) {
    stLadderBlock* first = nullptr;
    tables.visitRow(y, [&](stLadderBlock* o) {
        if (o != nullptr && o != first && match(*o) && (first == nullptr || comesBefore(o, first))) first = o;
        return false;
    });
    return first;
}

// Of the objects the index knows on row y that match, the first in list order. Every search by
// position comes here: on a line whose objects stand in it as in the list (those the index was made
// over, then those noted at the list's end) the first match is the first.
template <class Match>
stLadderBlock* firstNotedMatch(LadderIndexTables& tables, std::uint32_t y, Match match) {
    const LadderIndexTables::LineSpan& span = tables.spanOf(y);
    if (span.anyOrder) return firstMatchInAnyOrder(tables, y, match);
    for (stLadderBlock* const* o = span.begin; o != span.end; ++o)
        if (*o != nullptr && match(**o)) return *o;
    for (std::uint32_t i = span.firstNoted; i != LadderIndexTables::kNone; i = tables.noted[i].next)
        if (stLadderBlock* o = tables.noted[i].object; o != nullptr && match(*o)) return o;
    return nullptr;
}

LadderListIndex* indexOfList(int list) {
    if (list == kSearchMain && positionIndex.on) return &positionIndex;
    if (list == kSearchUndo && positionIndex.undo.on) return &positionIndex.undo;
    return nullptr;
}

// An object noted as the list's last but END follows every object of its line but END.
bool standsAtListEnd(const stLadderBlock& object) {
    return object.next == nullptr || object.next == ldrTail;
}

void noteIn(LadderListIndex& index, stLadderBlock& object) {
    if (index.tables == nullptr) {
        index.tables = std::make_unique<LadderIndexTables>();
        index.tables->lineHeight = ModeData.ySizeSymble;
    }
    index.tables->note(object, standsAtListEnd(object));
    stLadderBlock*& first = index.tables->firstOfId(object.objLbc);
    if (first == nullptr) first = &object;
    if (object.iCode != kCodeEnd) index.lowestRow = std::max(index.lowestRow, object.yAddr);
}

// Built several times in every Convert over the whole list: one walk counts the objects of each
// line, a second puts each in its line's place; a block's first object is noted only where the
// block id changes.
void build(LadderListIndex& index, stLadderBlock* head) {
    index = {};
    index.tables = std::make_unique<LadderIndexTables>();
    LadderIndexTables& tables = *index.tables;
    const std::uint32_t height = tables.lineHeight = ModeData.ySizeSymble;
    std::vector<std::uint32_t>& begin = tables.madeBegin;
    std::size_t objects = 0;
    for (stLadderBlock* o = head; o != nullptr; o = o->next) {
        ++objects;
        if (o->iCode != kCodeEnd) index.lowestRow = std::max(index.lowestRow, o->yAddr);
        if (index.end == nullptr && o->iCode == kCodeEnd) index.end = o;
        if (height == 0 || o->yAddr % height != 0) continue;
        const std::size_t line = o->yAddr / height;
        if (line + 1 >= begin.size()) begin.resize(std::max<std::size_t>(line + 2, 2 * begin.size()), 0);
        ++begin[line + 1];
    }
    // The count of each line becomes where the line ends, then (as it is filled) where it begins.
    std::size_t lines = begin.size();
    while (lines > 1 && begin[lines - 1] == 0) --lines;
    begin.resize(lines);
    for (std::size_t line = 1; line < lines; ++line) begin[line] += begin[line - 1];
    tables.made.resize(lines > 0 ? begin.back() : 0);
    tables.objects = objects;
    tables.firstById.resize(objects + 1, nullptr);
    std::vector<std::uint32_t> at(begin.begin(), begin.end());
    const stLadderBlock* previous = nullptr;
    for (stLadderBlock* o = head; o != nullptr; previous = o, o = o->next) {
        if (previous == nullptr || previous->objLbc != o->objLbc) {
            stLadderBlock*& first = tables.firstOfId(o->objLbc);
            if (first == nullptr) first = o;
        }
        if (height == 0 || o->yAddr % height != 0) {
            tables.offLines[o->yAddr].push_back(o);
            continue;
        }
        tables.made[at[o->yAddr / height]++] = o;
    }
    index.on = true;
}

// The first object on row y that match accepts: the one the index knows, or the list's first
// when it knows several.
template <class Match>
stLadderBlock* firstOnRowOf(int list, std::uint32_t y, Match match) {
    const auto onRow = [y, match](const stLadderBlock& o) { return o.yAddr == y && match(o); };
    const LadderListIndex* index = indexOfList(list);
    if (index == nullptr) return firstObject(headOfList(list), onRow);
    return firstNotedMatch(*index->tables, y, onRow);
}

}  // namespace

const LadderIndexTables::LineSpan& LadderIndexTables::lookUpSpan(std::uint32_t y) {
    lastSpan = {};
    lastSpan.y = y;
    if (lineHeight == 0 || y % lineHeight != 0) return lastSpan;
    const std::size_t line = y / lineHeight;
    const LineNotes* notes = line < lineNotes.size() ? &lineNotes[line] : nullptr;
    if (notes != nullptr && notes->outOfOrder) return lastSpan;
    if (line < lineCount()) {
        lastSpan.begin = made.data() + madeBegin[line];
        lastSpan.end = made.data() + madeBegin[line + 1];
    }
    if (notes != nullptr) lastSpan.firstNoted = notes->first;
    lastSpan.anyOrder = false;
    return lastSpan;
}

void LadderIndexTables::note(stLadderBlock& object, bool atListEnd) {
    ++objects;
    const std::uint32_t y = object.yAddr;
    if (lastSpan.y == y) lastSpan = {};
    if (lineHeight == 0 || y % lineHeight != 0) {
        offLines[y].push_back(&object);
        return;
    }
    const std::size_t line = y / lineHeight;
    if (line >= lineNotes.size()) lineNotes.resize(std::max(line + 1, 2 * lineNotes.size()));
    LineNotes& notes = lineNotes[line];
    const auto index = static_cast<std::uint32_t>(noted.size());
    noted.push_back({&object, kNone});
    if (notes.last != kNone) {
        // Noted at the list's end, it comes after every object of the line but the list's last.
        notes.outOfOrder = notes.outOfOrder || !atListEnd || noted[notes.last].object == ldrTail;
        noted[notes.last].next = index;
    } else {
        const bool afterMade = line < lineCount() && madeBegin[line] < madeBegin[line + 1];
        notes.outOfOrder = !atListEnd || (afterMade && made[madeBegin[line + 1] - 1] == ldrTail);
        notes.first = index;
    }
    notes.last = index;
}

void LadderIndexTables::forget(const stLadderBlock& object) {
    const std::uint32_t y = object.yAddr;
    if (lineHeight == 0 || y % lineHeight != 0) {
        const auto found = offLines.find(y);
        if (found == offLines.end()) return;
        std::vector<stLadderBlock*>& row = found->second;
        row.erase(std::remove(row.begin(), row.end(), &object), row.end());
        return;
    }
    const std::size_t line = y / lineHeight;
    if (line < lineCount())
        std::replace(made.begin() + madeBegin[line], made.begin() + madeBegin[line + 1],
                     const_cast<stLadderBlock*>(&object), static_cast<stLadderBlock*>(nullptr));
    if (line < lineNotes.size())
        for (std::uint32_t i = lineNotes[line].first; i != kNone; i = noted[i].next)
            if (noted[i].object == &object) noted[i].object = nullptr;
}

namespace {

// Ids beyond twice the objects and this many more go to the hash table.
constexpr std::size_t kIdTableSlack = 4096;

std::size_t idsByNumber(std::size_t objects) {
    return 2 * objects + kIdTableSlack;
}

// The size a table held by number grows to for id: doubled, never past what the objects allow.
std::size_t grownFor(std::size_t size, std::uint32_t id, std::size_t objects) {
    return std::max<std::size_t>(id + 1, std::min(2 * size, idsByNumber(objects)));
}

}  // namespace

stLadderBlock*& LadderIndexTables::firstOfNewId(std::uint32_t id) {
    if (id >= idsByNumber(objects)) return firstByLargeId[id];
    if (id >= firstById.size()) firstById.resize(grownFor(firstById.size(), id, objects), nullptr);
    return firstById[id];
}

stLadderBlock* LadderIndexTables::knownFirstOfId(std::uint32_t id) const {
    if (id < firstById.size()) return firstById[id];
    const auto found = firstByLargeId.find(id);
    return found != firstByLargeId.end() ? found->second : nullptr;
}

std::array<int, 3>& LadderIndexTables::countsOfId(std::uint32_t id) {
    if (id >= idsByNumber(objects)) return largeIdCounts[id];
    if (id >= idCounts.size()) idCounts.resize(grownFor(idCounts.size(), id, objects));
    return idCounts[id];
}

const std::array<int, 3>* LadderIndexTables::knownCountsOfId(std::uint32_t id) const {
    if (id < idCounts.size()) return &idCounts[id];
    const auto found = largeIdCounts.find(id);
    return found != largeIdCounts.end() ? &found->second : nullptr;
}

PositionIndexScope::PositionIndexScope() {
    build(positionIndex, ldrHead);
}

PositionIndexScope::~PositionIndexScope() {
    static_cast<LadderListIndex&>(positionIndex) = {};
}

UndoIndexScope::UndoIndexScope() {
    build(positionIndex.undo, ldrUndoHead);
    LadderIndexTables& tables = *positionIndex.undo.tables;
    for (const stLadderBlock* o = ldrUndoHead; o != nullptr; o = o->next) {
        std::array<int, 3>& counts = tables.countsOfId(o->objLbc);
        ++counts[0];
        if (isBlockJoint(o->iCode)) ++counts[1];
        if (isStackJoint(o->iCode)) ++counts[2];
    }
}

void forgetUndoPosition(const stLadderBlock& object) {
    if (!positionIndex.undo.on) return;
    positionIndex.undo.tables->forget(object);
}

UndoIndexScope::~UndoIndexScope() {
    positionIndex.undo = {};
}

void notePosition(stLadderBlock& object) {
    noteIn(positionIndex, object);
}

namespace {

void makeRowIndex(LadderRowIndex& index) {
    index.madeAt = ladderChanges();
    index.head = ldrHead;
    index.tail = ldrTail;
    index.objects.clear();
    index.lowestRow.clear();
    std::uint32_t lowest = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        lowest = std::max(lowest, o->yAddr);
        index.objects.push_back(o);
        index.lowestRow.push_back(lowest);
    }
}

// The answer of the index, or -1 when the objects around it show that the list changed under it
// (an object moved outside any command).
std::ptrdiff_t rowIndexAnswer(const LadderRowIndex& index, std::uint32_t y) {
    const auto at = std::lower_bound(index.lowestRow.begin(), index.lowestRow.end(), y);
    const auto i = at - index.lowestRow.begin();
    const stLadderBlock* before = i > 0 ? index.objects[static_cast<std::size_t>(i - 1)] : nullptr;
    if (before != nullptr && before->yAddr >= y) return -1;
    if (at == index.lowestRow.end()) return i;
    const stLadderBlock* found = index.objects[static_cast<std::size_t>(i)];
    const bool holds =
        found->yAddr >= y && (before != nullptr ? before->next == found : found->prev == nullptr);
    return holds ? i : -1;
}

}  // namespace

const stLadderBlock* firstObjectFromRow(std::uint32_t y) {
    LadderRowIndex& index = positionIndex.rows;
    if (index.madeAt != ladderChanges() || index.head != ldrHead || index.tail != ldrTail)
        makeRowIndex(index);
    std::ptrdiff_t i = rowIndexAnswer(index, y);
    if (i < 0) {
        makeRowIndex(index);
        i = rowIndexAnswer(index, y);
    }
    const auto at = static_cast<std::size_t>(i);
    return at < index.objects.size() ? index.objects[at] : nullptr;
}

stLadderBlock* firstOnRow(std::uint32_t y, bool (*match)(const stLadderBlock&, std::uint32_t),
                          std::uint32_t x) {
    return firstOnRowOf(kSearchMain, y, [&](const stLadderBlock& o) { return match(o, x); });
}

namespace {

// Each object the index knows on row y that match accepts, once: an object noted twice on the row
// is visited at its first place (the rows are short: the earlier places are looked through).
template <class Match>
void visitEachOnce(const LadderIndexTables& tables, std::uint32_t y, Match match,
                   const std::function<void(stLadderBlock&)>& visit) {
    std::size_t place = 0;
    tables.visitRow(y, [&](stLadderBlock* o) {
        const std::size_t mine = place++;
        if (o == nullptr || !match(*o)) return false;
        std::size_t earlier = 0;
        bool seen = false;
        tables.visitRow(y, [&](const stLadderBlock* before) {
            if (earlier++ == mine) return true;
            seen = before == o;
            return seen;
        });
        if (!seen) visit(*o);
        return false;
    });
}

// The same on a line: its objects in the made table, then those noted on it. Only an object that
// matches is looked for at the earlier places.
template <class Match>
void visitEachOnceOnLine(const LadderIndexTables& tables, const LadderIndexTables::LineSpan& span,
                         Match match, const std::function<void(stLadderBlock&)>& visit) {
    for (stLadderBlock* const* o = span.begin; o != span.end; ++o)
        if (*o != nullptr && match(**o) && std::find(span.begin, o, *o) == o) visit(**o);
    for (std::uint32_t i = span.firstNoted; i != LadderIndexTables::kNone; i = tables.noted[i].next) {
        stLadderBlock* o = tables.noted[i].object;
        if (o == nullptr || !match(*o) || std::find(span.begin, span.end, o) != span.end) continue;
        bool seen = false;
        for (std::uint32_t j = span.firstNoted; j != i && !seen; j = tables.noted[j].next)
            seen = tables.noted[j].object == o;
        if (!seen) visit(*o);
    }
}

}  // namespace

void forEachObjectAt(std::uint32_t x, std::uint32_t y, const std::function<void(stLadderBlock&)>& visit) {
    const auto at = [x, y](const stLadderBlock& o) { return o.xAddr == x && o.yAddr == y; };
    if (!positionIndex.on) {
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (at(*o)) visit(*o);
        return;
    }
    LadderIndexTables& tables = *positionIndex.tables;
    // A copy: a search inside visit may look up another line.
    const LadderIndexTables::LineSpan span = tables.spanOf(y);
    if (span.anyOrder)
        visitEachOnce(tables, y, at, visit);
    else
        visitEachOnceOnLine(tables, span, at, visit);
}

namespace {

stLadderBlock* firstStandingAt(int list, std::uint32_t x, std::uint32_t y) {
    // Held by value: the test travels in a register through the search, read at every object.
    const auto at = [x, y](const stLadderBlock& o) { return o.xAddr == x && o.yAddr == y; };
    if (const LadderListIndex* index = indexOfList(list)) return firstNotedMatch(*index->tables, y, at);
    return firstObject(headOfList(list), at);
}

// The index's first object of block id: the first the index saw, or an object put in just
// before it since. Null when the index cannot tell.
stLadderBlock* indexedFirstOfBlock(std::uint32_t id) {
    stLadderBlock* known = positionIndex.tables->knownFirstOfId(id);
    if (known == nullptr || known->objLbc != id) return nullptr;
    stLadderBlock* first = known;
    while (first->prev != nullptr && first->prev->objLbc == id) first = first->prev;
    positionIndex.tables->firstOfId(id) = first;
    return first;
}

}  // namespace

stLadderBlock* objectStandingAt(std::uint32_t x, std::uint32_t y) {
    return firstStandingAt(kSearchMain, x, y);
}

stLadderBlock* firstOfBlockOrBelow(std::uint32_t id, std::uint32_t endY) {
    const stLadderBlock* end = positionIndex.on ? positionIndex.end : nullptr;
    // Only END (the last object) can stand at or below endY: the block's first object, if any, is first.
    if (end != nullptr && end == ldrTail && end->iCode == kCodeEnd && end->yAddr >= endY &&
        positionIndex.lowestRow < endY) {
        if (positionIndex.tables->knownFirstOfId(id) == nullptr) return ldrTail;
        if (stLadderBlock* first = indexedFirstOfBlock(id)) return first;
    }
    return firstInMain([&](const stLadderBlock& o) { return o.objLbc == id || o.yAddr >= endY; });
}

bool searchLadderObject(int list, std::uint32_t x, std::uint32_t y) {
    ldrSearch = firstStandingAt(list, x, y);
    return ldrSearch != nullptr;
}

bool searchObjectCovering(int list, std::uint32_t x, std::uint32_t y) {
    const bool skipBlockJoints = list == kSearchMain;
    ldrSearch = firstOnRowOf(list, y, [x, skipBlockJoints](const stLadderBlock& o) {
        if (o.iCode == kCodeVNop || isStackJoint(o.iCode)) return false;
        if (skipBlockJoints && isBlockJoint(o.iCode)) return false;
        return o.xAddr <= x && x < o.Xend;
    });
    return ldrSearch != nullptr;
}

int countObjectsById(std::uint32_t id, int kind) {
    if (kind < 0 || kind > 2) return 0;
    if (positionIndex.undo.on) {
        const std::array<int, 3>* counts = positionIndex.undo.tables->knownCountsOfId(id);
        return counts != nullptr ? (*counts)[static_cast<std::size_t>(kind)] : 0;
    }
    int count = 0;
    for (const stLadderBlock* o = ldrUndoHead; o != nullptr; o = o->next) {
        if (o->objLbc != id) continue;
        if (kind == 0 || (kind == 1 && isBlockJoint(o->iCode)) || (kind == 2 && isStackJoint(o->iCode)))
            ++count;
    }
    return count;
}

std::uint32_t getObjectYById(std::uint32_t defaultY) {
    const stLadderBlock* found = firstInMain([](const stLadderBlock& o) { return o.objLbc == curObjLbc; });
    return found != nullptr ? found->yAddr : defaultY;
}

std::uint32_t getEndObjectY() {
    const stLadderBlock* indexed = positionIndex.on ? positionIndex.end : nullptr;
    if (indexed != nullptr && indexed->iCode == kCodeEnd) return indexed->yAddr;
    const stLadderBlock* end = firstInMain([](const stLadderBlock& o) { return o.iCode == kCodeEnd; });
    return end != nullptr ? end->yAddr : 0;
}

std::uint32_t getEndObjectId() {
    if (ldrTail != nullptr) return ldrTail->objLbc;
    const stLadderBlock* end = firstInMain([](const stLadderBlock& o) { return o.iCode == kCodeEnd; });
    return end != nullptr ? end->objLbc : 0;
}

std::uint32_t getObjectIdAtY(std::uint32_t y) {
    const stLadderBlock* found = firstInMain([&](const stLadderBlock& o) { return o.yAddr == y; });
    return found != nullptr ? found->objLbc : 0;
}

std::uint32_t getStepNoById(std::uint32_t id) {
    const stLadderBlock* found = firstInMain([&](const stLadderBlock& o) { return o.objLbc == id; });
    return found != nullptr ? found->stepNo : 0;
}

std::uint32_t selectObjectIdAtY(std::uint32_t /*ignored*/, std::uint32_t y) {
    stLadderBlock* found = firstInMain([&](const stLadderBlock& o) { return o.yAddr == y; });
    if (found == nullptr) return 0;
    ldrNow = found;
    return found->objLbc;
}

bool isPosOutsideBlock(std::uint32_t x1, std::uint32_t y1, std::uint32_t x2, std::uint32_t y2) {
    if (!searchLadderObject(kSearchMain, x1, y1)) return false;
    for (const stLadderBlock* o = ldrSearch; o != nullptr; o = o->next) {
        if (isOutput(*o)) return true;
        if (o->xAddr == x2 && o->yAddr == y2) return false;
    }
    return false;
}

void moveEndToRightEdge() {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->iCode == kCodeEnd) o->xAddr = draw.iBusLineEnd - ModeData.xSizeSymble;
    }
}

namespace {

// Values numbered densely as they first come, multiples of step by a table and any other by a hash
// table: the block ids (a step of 1).
class DenseNumbers {
public:
    explicit DenseNumbers(std::uint32_t step) : step_(step) {}
    std::uint32_t of(std::uint32_t value) {
        if (step_ != 0 && value % step_ == 0 && value / step_ < kMostInTable) {
            const std::size_t at = value / step_;
            // Grown by doubling: ids mostly come one above the last, and a resize by one each time
            // costs more than the whole lookup.
            if (at >= table_.size())
                table_.resize(std::clamp<std::size_t>(2 * table_.size(), at + 1, kMostInTable), kNone);
            if (table_[at] == kNone) table_[at] = count_++;
            return table_[at];
        }
        return others_.try_emplace(value, count_).second ? count_++ : others_.at(value);
    }
    std::uint32_t count() const { return count_; }

private:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};
    static constexpr std::uint32_t kMostInTable = 1u << 20;
    std::uint32_t step_;
    std::uint32_t count_ = 0;
    std::vector<std::uint32_t> table_;
    std::unordered_map<std::uint32_t, std::uint32_t> others_;
};

// Rows as indices of a table: a row on one of the first `lines` lines by its line, any other by a
// hash table after them, numbered as they first come. The pass asks it for every object.
class RowNumbers {
public:
    RowNumbers(std::uint32_t height, std::uint32_t lines) : height_(height), lines_(lines) {}
    std::uint32_t of(std::uint32_t y) {
        if (height_ != 0 && y % height_ == 0 && y / height_ < lines_) return y / height_;
        const auto number = static_cast<std::uint32_t>(lines_ + others_.size());
        return others_.try_emplace(y, number).first->second;
    }
    std::uint32_t count() const { return static_cast<std::uint32_t>(lines_ + others_.size()); }

private:
    std::uint32_t height_;
    std::uint32_t lines_;
    std::unordered_map<std::uint32_t, std::uint32_t> others_;
};

// The objects of a list, and the lines its rows reach: up to a few more lines than objects, so that
// one object far down does not make a long table.
struct ListExtent {
    std::size_t objects = 0;
    std::uint32_t lines = 0;
};
ListExtent extentOf(const stLadderBlock* head, std::uint32_t height) {
    ListExtent extent;
    std::uint32_t lowestLine = 0;
    for (const stLadderBlock* o = head; o != nullptr; o = o->next) {
        ++extent.objects;
        if (height != 0 && o->yAddr % height == 0) lowestLine = std::max(lowestLine, o->yAddr / height);
    }
    if (extent.objects == 0) return extent;
    constexpr std::size_t kSlackLines = 4096;
    extent.lines = static_cast<std::uint32_t>(
        std::min<std::size_t>(std::size_t{lowestLine} + 1, 2 * extent.objects + kSlackLines));
    return extent;
}

}  // namespace

void setBlockOutputRow() {
    // What the pass reads of each object, in list order, noted in one walk: its row and block as
    // dense numbers, and the next object that stood on its row when the pass began. Of each row
    // the first object still on it, and the first of the labels moved onto it. The first object of
    // an output's row (in list order) is the one its block id is read from.
    constexpr std::size_t kNone = ~std::size_t{0};
    struct Noted {
        stLadderBlock* object;
        std::uint32_t id;
        std::uint32_t y;
        std::uint32_t row;
        std::uint32_t block;
        bool label;
        bool output;
        bool end;
    };
    std::vector<Noted> noted;
    const ListExtent extent = extentOf(ldrHead, ModeData.ySizeSymble);
    noted.reserve(extent.objects);
    RowNumbers rowNumbers(ModeData.ySizeSymble, extent.lines);
    DenseNumbers blockNumbers(1);
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        const std::uint32_t block =
            !noted.empty() && noted.back().id == o->objLbc ? noted.back().block : blockNumbers.of(o->objLbc);
        noted.push_back({o, o->objLbc, o->yAddr, rowNumbers.of(o->yAddr), block, isLabelCode(o->iCode),
                         o->end == kEndOutput, o->iCode == kCodeEnd});
    }
    std::vector<std::size_t> nextOnRow(noted.size(), kNone);
    std::vector<std::size_t> firstOnRow(rowNumbers.count(), kNone);
    for (std::size_t i = noted.size(); i-- > 0;) {
        nextOnRow[i] = firstOnRow[noted[i].row];
        firstOnRow[noted[i].row] = i;
    }
    std::vector<std::size_t> firstMovedOnto(rowNumbers.count(), kNone);
    const auto firstOf = [&](std::uint32_t row, std::uint32_t y) {
        std::size_t& first = firstOnRow[row];
        while (first != kNone && noted[first].y != y) first = nextOnRow[first];  // moved away
        return std::min(first, firstMovedOnto[row]);
    };
    struct OutputRow {
        std::size_t at;
        std::uint32_t block;
        std::uint32_t row;
    };
    std::vector<OutputRow> outputs;
    std::uint32_t blockId = 0;
    std::uint32_t outputRow = 0;
    std::size_t pendingLabel = kNone;
    for (std::size_t i = 0; i < noted.size(); ++i) {
        const Noted& o = noted[i];
        if (o.label) pendingLabel = i;
        if (!o.output) continue;
        // o stands on the row it began on (only a label before it may have moved)
        const Noted& first = noted[firstOf(o.row, o.y)];
        ldrNow = first.object;
        if (first.id != blockId) {
            blockId = first.id;
            // The block's output row is its topmost output's: a line typed over a lower output
            // stands before the outputs above it in the list.
            outputRow = o.y;
            for (std::size_t j = i + 1; j < noted.size() && noted[j].id == o.id; ++j)
                if (noted[j].output && !noted[j].end) outputRow = std::min(outputRow, noted[j].y);
        }
        // END closes the program, not a block: a label right before it (the target of a jump to
        // the end) keeps its own line, where its canvas cell is, instead of joining END's.
        if (pendingLabel != kNone && !o.end) {
            Noted& label = noted[pendingLabel];
            if (label.y != outputRow) {
                label.y = label.object->yAddr = outputRow;
                std::size_t& moved = firstMovedOnto[rowNumbers.of(outputRow)];
                moved = std::min(moved, pendingLabel);
            }
            pendingLabel = kNone;
        }
        outputs.push_back({i, first.block, outputRow});
    }
    // An object takes the row of the last output of its block at or after it.
    constexpr std::uint32_t kNoRow = ~std::uint32_t{0};
    std::vector<std::uint32_t> rowOfBlock(blockNumbers.count(), kNoRow);
    std::size_t next = outputs.size();
    for (std::size_t i = noted.size(); i-- > 0;) {
        for (; next > 0 && outputs[next - 1].at >= i; --next) {
            std::uint32_t& row = rowOfBlock[outputs[next - 1].block];
            if (row == kNoRow) row = outputs[next - 1].row;
        }
        if (rowOfBlock[noted[i].block] != kNoRow) noted[i].object->yTopPos = rowOfBlock[noted[i].block];
    }
}

void checkFncSymbols() {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!isOutputTypeCode(o->iCode) || o->end == kEndOutput) continue;
        o->end = kEndOutput;
        platform::say({"Error20180320..", "*FncSymbleError(B)", platform::MsgIcon::Warning});
    }
}

void shiftOutputObjectsToRightBus() {
    const std::uint32_t cellWidth = ModeData.xSizeSymble;
    const std::uint32_t normalBusEnd = cellWidth * deviceColumns;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!isOutput(*o)) continue;
        // Wider symbols stop further left; the arithmetic is unsigned, as the positions are.
        const std::uint32_t limit = normalBusEnd - ((o->Xend - o->xAddr) - cellWidth);
        if (o->xAddr < limit) o->xAddr += draw.iBusLineEnd - normalBusEnd;
    }
}

void setXMaxiOfOutputs() {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!isOutputTypeCode(o->iCode) || o->prev == nullptr) continue;
        const stLadderBlock& before = *o->prev;
        const bool joint = isNopCode(before.iCode) && before.mnemonic[0] == '#';
        o->xMaxi = joint ? before.xAddr : before.Xend;
    }
}

void setEndObjectId() {
    if (ldrTail == nullptr) return;
    ldrTail->objLbc = ldrTail->prev != nullptr ? ldrTail->prev->objLbc + 1 : 1;
}

void propagateIdsToLinks() {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if ((isBlockJoint(o->iCode) || isStackJoint(o->iCode)) && o->prev != nullptr)
            o->objLbc = o->prev->objLbc;
    }
    setEndObjectId();
}

void renumberObjectIds() {
    std::uint32_t number = 1;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->iCode == kCodeEnd) {
            o->objLbc = number;
            return;
        }
        // END never shares a run: its number always follows the last block's.
        const stLadderBlock* following = o->next;
        const bool runGoesOn =
            following != nullptr && following->iCode != kCodeEnd && following->objLbc == o->objLbc;
        o->objLbc = number;
        if (!runGoesOn) ++number;
    }
    setEndObjectId();
}

}  // namespace kestrion
