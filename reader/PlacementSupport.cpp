#include "reader/PlacementSupport.h"

#include <array>
#include <stdexcept>
#include <vector>

#include "model/core/ConversionError.h"
#include "model/image/ModeData.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "reader/LoadState.h"
#include "reader/ObjectPreparation.h"

namespace kestrion::placement {

namespace {

constexpr const char* kStackLabel = "convMachineCodeToLadder";
constexpr std::uint8_t kFlag2Clear = 0x3F;  // bits 6 and 7: application instruction, T/C coil

PlacedObjects& placed() {
    return readerState.placed;
}

bool at(const stLadderBlock* object, std::uint32_t x, std::uint32_t y) {
    return object != nullptr && object->xAddr == x && object->yAddr == y;
}

// The objects the index does not hold: the one being placed and END.
bool unnotedAt(std::uint32_t x, std::uint32_t y) {
    return (ldrNow != placed().lastNoted && at(ldrNow, x, y)) || at(ldrTail, x, y);
}

// The first object of the main list at (x, y), found by walking it: what the index must agree with.
const stLadderBlock* walkedTo(std::uint32_t x, std::uint32_t y) {
    const stLadderBlock* o = ldrHead;
    while (o != nullptr && !at(o, x, y)) o = o->next;
    return o;
}

// A fault of the loader itself, not of the program: no command may take it for a refused load.
void verified(bool answer, bool walked) {
    if (answer != walked) throw std::logic_error("the placement index differs from the list");
}

// The slot of a block's first noted object, made (empty) when the block is new.
stLadderBlock*& firstOfBlockSlot(std::uint32_t id) {
    std::vector<stLadderBlock*>& firsts = placed().firstOfBlock;
    if (id >= firsts.size()) firsts.resize(std::size_t{id} + 1, nullptr);
    return firsts[id];
}

// True when `first` comes before `second` in the main list, walking from `first`.
bool precedes(const stLadderBlock* first, const stLadderBlock* second) {
    for (const stLadderBlock* o = first; o != nullptr; o = o->next)
        if (o == second) return true;
    return false;
}

// The search of the main list at (x, y) while a load runs. The index finds an object where it
// stands when noted (or when the index was made), and a placed object keeps its place: below the
// lowest row of those (END aside) only END could be found, so elsewhere the search is not made and
// ldrSearch is left as it would leave it.
bool searchMainAt(std::uint32_t x, std::uint32_t y) {
    if (placed().active && positionIndex.on && y > positionIndex.lowestRow && !at(ldrTail, x, y)) {
        ldrSearch = nullptr;
        return false;
    }
    return searchLadderObject(kSearchMain, x, y);
}

}  // namespace

std::uint32_t cellW() {
    return ModeData.xSizeSymble;
}

std::uint32_t cellH() {
    return ModeData.ySizeSymble;
}

stLadderBlock& createObject(bool reset) {
    ReallocLadderMemory(kLinkBeforeEnd, 0);
    if (reset) resetNewObject();
    ldrNow->flagByte2 &= kFlag2Clear;
    return *ldrNow;
}

stLadderBlock* predecessor() {
    return ldrNow != nullptr ? ldrNow->prev : nullptr;
}

void moveEndDown() {
    if (ldrTail != nullptr) ldrTail->yAddr += cellH();
}

// ---- The coordinate stacks -------------------------------------------------------------------------

namespace {

// The two coordinate stacks of pairs, each with its index.
struct PairStack {
    void (*push)(std::int32_t, std::uint32_t, std::string_view);
    std::uint32_t (*pop)(std::int32_t, std::string_view);
    std::int32_t& index;
};
PairStack starts() {
    return {pushStack0, popStack0, startPointer};
}
PairStack cursors() {
    return {pushStack1, popStack1, nextPointer};
}

void pushPair(const PairStack& stack, Pair pair) {
    stack.push(stack.index++, pair.x, kStackLabel);
    stack.push(stack.index++, pair.y, kStackLabel);
}

Pair popPair(const PairStack& stack) {
    Pair pair;
    pair.y = stack.pop(stack.index--, kStackLabel);
    pair.x = stack.pop(stack.index--, kStackLabel);
    return pair;
}

// The top pair read in place where both pops and pushes back would succeed; otherwise by popping and
// pushing back, which shows the box of the stack's fault and stops.
Pair peekPair(const PairStack& stack, const std::array<std::uint32_t, kConverterStackSize>& entries) {
    if (stack.index >= 2 && stack.index <= kConverterStackSize) {
        const auto top = static_cast<std::size_t>(stack.index);
        return {entries[top - 2], entries[top - 1]};
    }
    const Pair pair = popPair(stack);
    pushPair(stack, pair);
    return pair;
}

}  // namespace

void pushStart(Pair pair) {
    pushPair(starts(), pair);
}
Pair popStart() {
    return popPair(starts());
}
Pair peekStart() {
    return peekPair(starts(), stack0Code);
}
void pushNext(Pair pair) {
    pushPair(cursors(), pair);
}
Pair popNext() {
    return popPair(cursors());
}
Pair peekNext() {
    return peekPair(cursors(), stack1Code);
}
void replaceNext(Pair pair) {
    popNext();
    pushNext(pair);
}

void pushXMax(std::uint32_t x) {
    pushStack2(xMaxiPointer++, x, kStackLabel);
}

std::uint32_t popXMax() {
    return popStack2(xMaxiPointer--, kStackLabel);
}

std::uint32_t topXMax() {
    // Read in place where the pop and the push back would succeed (as peekPair does).
    if (xMaxiPointer >= 1 && xMaxiPointer <= kConverterStackSize)
        return Xmaximum[static_cast<std::size_t>(xMaxiPointer - 1)];
    const std::uint32_t x = popXMax();
    pushXMax(x);
    return x;
}

void replaceXMax(std::uint32_t x) {
    popXMax();
    pushXMax(x);
}

void pushBranch(std::uint32_t value) {
    pushStack4(mpsPointer++, value);
}

std::uint32_t popBranch() {
    return popStack4(mpsPointer--);
}

// ---- Placed objects ---------------------------------------------------------------------------------

PlacementIndexScope::PlacementIndexScope() {
    const bool verify = placed().verify;
    placed() = {};
    placed().verify = verify;
    placed().active = true;
    readingOrderStart = {};
}

PlacementIndexScope::~PlacementIndexScope() {
    const bool verify = placed().verify;
    placed() = {};
    placed().verify = verify;
    readingOrderStart = {};
}

void startBlockAt(stLadderBlock& first) {
    if (!placed().active) return;
    readingOrderStart = {&first, placed().lowestY, placed().verify};
}

void notePlaced(stLadderBlock* object) {
    PlacedObjects& index = placed();
    if (!index.active || object == nullptr || object == ldrTail || object == index.lastNoted) return;
    index.lastNoted = object;
    index.lowestY = std::max(index.lowestY, object->yAddr);
    notePosition(*object);
    stLadderBlock*& first = firstOfBlockSlot(object->objLbc);
    // A filler goes into the list in reading order and may come before the block's first object.
    if (first == nullptr || (first != object && precedes(object, first))) first = object;
}

bool objectStandsAt(std::uint32_t x, std::uint32_t y) {
    const bool answer = searchMainAt(x, y) || (placed().active && unnotedAt(x, y));
    if (placed().verify) verified(answer, walkedTo(x, y) != nullptr);
    return answer;
}

bool otherObjectStandsAt(std::uint32_t x, std::uint32_t y) {
    // Every noted object comes before ldrNow, and END after it.
    const bool found = searchMainAt(x, y);
    const bool answer = found && ldrSearch != ldrTail
                            ? ldrSearch != ldrNow
                            : (found || (placed().active && at(ldrTail, x, y))) && !at(ldrNow, x, y);
    if (placed().verify) verified(answer, walkedTo(x, y) != nullptr && walkedTo(x, y) != ldrNow);
    return answer;
}

namespace {

// END stands alone on the first free line and moves down below whatever takes that line.
bool endStandsAt(std::uint32_t x, std::uint32_t y) {
    return ldrTail != nullptr && ldrTail->xAddr == x && ldrTail->yAddr == y;
}

}  // namespace

bool cellTakenAt(std::uint32_t x, std::uint32_t y) {
    return !endStandsAt(x, y) && objectStandsAt(x, y);
}

bool otherCellTakenAt(std::uint32_t x, std::uint32_t y) {
    return !endStandsAt(x, y) && otherObjectStandsAt(x, y);
}

std::uint32_t firstRowOfBlock(std::uint32_t id) {
    const std::uint32_t endY = ldrTail != nullptr ? ldrTail->yAddr : 0;
    const std::uint32_t fallback = endY >= cellH() ? endY - cellH() : 0;
    const stLadderBlock* first = nullptr;
    if (placed().active) {
        const std::vector<stLadderBlock*>& firsts = placed().firstOfBlock;
        if (id < firsts.size() && firsts[id] != nullptr)
            first = firsts[id];
        else if (ldrNow != nullptr && ldrNow->objLbc == id)
            first = ldrNow;
        else if (ldrTail != nullptr && ldrTail->objLbc == id)
            first = ldrTail;
        if (!placed().verify) return first != nullptr ? first->yAddr : fallback;
    }
    const stLadderBlock* walked = ldrHead;
    while (walked != nullptr && walked->objLbc != id) walked = walked->next;
    if (placed().active) verified(first == walked, true);
    return walked != nullptr ? walked->yAddr : fallback;
}

// ---- Stops --------------------------------------------------------------------------------------------

void stopLoad(const std::string& text, const std::string& caption, platform::MsgIcon icon) {
    platform::say({text, caption, icon});
    throw ConversionError(caption);
}

void stopUnplaceable(std::uint16_t code, std::uint32_t step, const std::string& where) {
    platform::statusBar().setPanelText(0, "ErrorStepNo.=" + std::to_string(step));
    platform::statusBar().setPanelText(13, hexText(code, 4) + " ladder position error..." + where);
    stopLoad("Error2015092809", "Instruction Code Error", platform::MsgIcon::Information);
}

void markPlacedCell(char cell) {
    requireRowOnCanvas(ldrNow->yAddr);
    putCanvasCellAt(ldrNow->xAddr, ldrNow->yAddr, cell);
}

}  // namespace kestrion::placement
