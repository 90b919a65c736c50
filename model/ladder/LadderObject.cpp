#include "model/ladder/LadderObject.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/core/ByteImage.h"
#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/image/StepCount.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ChangeJournal.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObjectPool.h"
#include "model/ladder/LadderSearch.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

static_assert(std::is_standard_layout_v<stLadderBlock>);
static_assert(std::is_trivially_copyable_v<stLadderBlock>);
static_assert(kLadderObjectImageSize == kLadderObjectRecordSize);  // the clipboard block's slots

namespace {

// Free objects are kept in a list threaded through their own storage; new storage comes in blocks
// of many objects. The sanitizer builds take every object from the heap, so that a use after
// free is still seen.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif

class ObjectPool {
public:
    void* take() {
        if (free_.empty()) grow();
        void* object = free_.back();
        free_.pop_back();
        return object;
    }
    void give(void* object) {
        free_.push_back(object);
        ++givenBack_;
    }
    // After many objects came back, the free ones are handed out in address order again: a list
    // built from them then lies in memory as it is walked (given back in the order they were
    // freed, the objects of a second load were scattered, and every pass over the list waited for
    // memory at each object). Each free object is marked in its block, and the blocks are then
    // read off in address order: no sort, and no visit to the free objects themselves.
    void tidy(bool always) {
        if (givenBack_ < kTidyAfter && !always) return;
        givenBack_ = 0;
        mark(free_);
        free_.clear();
        // highest address first: they are taken from the back
        for (std::size_t word = marks_.size(); word-- > 0;) {
            std::uint64_t marks = marks_[word];
            while (marks != 0) {
                const auto top = kBitsPerWord - 1 - static_cast<std::size_t>(std::countl_zero(marks));
                marks &= ~(std::uint64_t{1} << top);
                free_.push_back(placeAt(word * kBitsPerWord + top));
            }
        }
    }
    // Puts the places of objects taken from the pool in address order, as tidy does the free ones.
    void sortByAddress(std::vector<stLadderBlock*>& objects) {
        mark(objects);
        std::size_t next = 0;
        for (std::size_t word = 0; word < marks_.size(); ++word)
            for (std::uint64_t marks = marks_[word]; marks != 0; marks &= marks - 1) {
                const std::size_t index =
                    word * kBitsPerWord + static_cast<std::size_t>(std::countr_zero(marks));
                objects[next++] = static_cast<stLadderBlock*>(placeAt(index));
            }
    }

private:
    using Storage = std::aligned_storage_t<sizeof(stLadderBlock), alignof(stLadderBlock)>;
    static constexpr std::size_t kBlockObjects = 1024;
    static constexpr std::size_t kBitsPerWord = 64;

    // Each of places marked in its block, and nothing else.
    template <class Place>
    void mark(const std::vector<Place*>& places) {
        std::fill(marks_.begin(), marks_.end(), std::uint64_t{0});
        // Places come in runs from one block (a list freed from its tail, a list made in order),
        // or from two in turn (a load makes a rung's contacts and its outputs apart): the blocks
        // of the last two are asked first.
        std::size_t block = 0;
        std::size_t before = 0;
        for (const Place* place : places) {
            const auto* slot = static_cast<const Storage*>(static_cast<const void*>(place));
            if (!holds(block, slot)) {
                std::swap(block, before);
                if (!holds(block, slot)) block = blockOf(slot);
            }
            const auto index = block * kBlockObjects + static_cast<std::size_t>(slot - starts_[block]);
            marks_[index / kBitsPerWord] |= std::uint64_t{1} << (index % kBitsPerWord);
        }
    }
    void* placeAt(std::size_t index) const { return starts_[index / kBlockObjects] + index % kBlockObjects; }

    // The block at slot, of starts_ by address.
    std::size_t blockOf(const Storage* slot) const {
        return static_cast<std::size_t>(
            std::upper_bound(starts_.begin(), starts_.end(), slot, std::less<>()) - starts_.begin() - 1);
    }
    bool holds(std::size_t block, const Storage* slot) const {
        const std::less<> before;
        return !before(slot, starts_[block]) && before(slot, starts_[block] + kBlockObjects);
    }

    void grow() {
        blocks_.push_back(std::make_unique_for_overwrite<Storage[]>(kBlockObjects));
        Storage* block = blocks_.back().get();
        starts_.insert(std::upper_bound(starts_.begin(), starts_.end(), block, std::less<>()), block);
        marks_.resize(starts_.size() * kBlockObjects / kBitsPerWord);
        for (std::size_t i = kBlockObjects; i-- > 0;) give(&block[i]);
    }

    static constexpr std::size_t kTidyAfter = 4096;
    std::vector<void*> free_;  // taken from the back
    std::size_t givenBack_ = 0;
    std::vector<std::unique_ptr<Storage[]>> blocks_;
    std::vector<Storage*> starts_;      // the blocks by address
    std::vector<std::uint64_t> marks_;  // one bit per object of starts_, used while tidying or sorting
};

// Made on first use and never freed: objects may be freed by statics that end after this file's.
// Every object made or freed asks for it, so that asking is a test, not a call.
ObjectPool* poolMade = nullptr;
ObjectPool& objectPool() {
    if (poolMade == nullptr) [[unlikely]]
        poolMade = new ObjectPool;
    return *poolMade;
}

}  // namespace

void tidyObjectPool(bool always) {
    if (kPooled) objectPool().tidy(always);
}

namespace {

// The places of objects in address order (the sanitizer builds, whose objects come from the heap,
// sort them).
void sortByAddress(std::vector<stLadderBlock*>& objects) {
    if (kPooled)
        objectPool().sortByAddress(objects);
    else
        std::sort(objects.begin(), objects.end(), std::less<>());
}

}  // namespace

std::uint64_t changeCount = 1;  // 0 is the count of a row index never made

void* stLadderBlock::operator new(std::size_t size) {
    ++changeCount;
    void* object =
        kPooled ? objectPool().take() : ::operator new (size, std::align_val_t{alignof(stLadderBlock)});
    if (recordingJournal != nullptr) noteObjectMade(static_cast<stLadderBlock*>(object));
    return object;
}

void* stLadderBlock::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void stLadderBlock::operator delete(void* object) noexcept {
    if (object == nullptr) return;
    ++changeCount;
    noteObjectDeleted(static_cast<const stLadderBlock*>(object));
    if (kPooled)
        objectPool().give(object);
    else
        ::operator delete (object, std::align_val_t{alignof(stLadderBlock)});
}

void stLadderBlock::setDFlag(bool on) {
    flagByte1 = static_cast<std::uint8_t>(on ? flagByte1 | kFlag1DoubleWord : flagByte1 & ~kFlag1DoubleWord);
}

void stLadderBlock::setPFlag(bool on) {
    flagByte2 = static_cast<std::uint8_t>(on ? flagByte2 | kFlag2Pulse : flagByte2 & ~kFlag2Pulse);
}

// ---- Allocation and freeing -----------------------------------------------------------------

namespace {

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}

// Every pointer of the model at an object that is not a link, each given to visit in one order.
// Each is named in its own call: a table of their places, walked in a loop, was built anew on
// every call, and every freed object asks.
template <class Visit>
void visitObjectPointers(Visit visit) {
    visit(ldrList.now);
    visit(ldrUndoList.now);
    visit(deleteList.now);
    visit(copyList.now);
    visit(ldrNew);
    visit(ldrAlloc);
    visit(ldrSearch);
    visit(editNew);
    visit(readingOrderStart.node);
    visit(canvasState.ldrDrawHead);
}

// A new object that is a copy of contents, or the stop box and the end of the process. Made as a
// copy, it is not first filled with zeros.
stLadderBlock* copyOrHalt(const stLadderBlock& contents) {
    auto* twin = new (std::nothrow) stLadderBlock(contents);
    if (twin == nullptr) haltMemoryNotEnough("Memory not enough...system halt");
    return twin;
}

// Notes the objects a change is about to touch, in order. Most commands run with no journal
// recording: one test then stands for every note.
template <class... Objects>
void noteChanges(Objects*... objects) {
    if (recordingJournal == nullptr) return;
    (noteObjectChange(objects), ...);
}

// The ID text every linked object starts with, set as one word.
constexpr std::array<char, 4> kNewObjectId{'$', '#', '#', '\0'};

// Nothing may keep pointing at an object once it is freed.
void forgetObject(const stLadderBlock* object) {
    visitObjectPointers([object](auto& pointer) {
        if (pointer == object) pointer = nullptr;
    });
}

}  // namespace

void deleteObjectsFreedInCommand() {
    for (stLadderBlock* object : freedInCommand) delete object;
    freedInCommand.clear();
}

void deleteLadderObject(stLadderBlock* object) {
    forgetObject(object);
    delete object;
}

void disposeObject(stLadderBlock* object) {
    forgetObject(object);
    // Only a recording journal keeps a freed object.
    if (recordingJournal != nullptr && journalKeepsFreed(object)) return;
    if (object->heldBySnapshots > 0 && transaction::active())
        freedInCommand.push_back(object);
    else
        delete object;
}

namespace {

void label(stLadderBlock* object, std::string_view text) {
    setText(object->traceLabel, text);
}

// A list repair that used to stop the program leaves a line in the object trace instead.
void traceListRepair(const std::string& messageId, const char* routine) {
    if (!platform::trace().visible(platform::Memo::Debug3)) return;
    platform::trace().append(platform::Memo::Debug3, messageId + ", " + routine);
}

void placeAtCursor(stLadderBlock* object) {
    object->xAddr = xOldCursor;
    object->yAddr = yOldCursor;
    object->Xend = xOldCursor + cellWidth();
}

// The first object of an empty main list: a NOP in the first cell of the first row.
void linkIntoEmptyList(stLadderBlock* object) {
    object->xAddr = draw.iBusLineStart;
    object->yAddr = 0;
    object->Xend = draw.iBusLineStart + cellWidth();
    object->iCode = kCodeNop;
    links::pushBack(ldrList, object);
    label(object, "ldrHead");
}

bool linkAsTail(stLadderBlock* object) {
    if (links::isEmpty(ldrList)) {
        linkIntoEmptyList(object);
        object->LinkNo = 1;
        return true;
    }
    stLadderBlock* last = ldrHead;
    while (last->next != nullptr) {
        last = last->next;
        noteObjectChange(last);
        label(last, "A");
    }
    links::insertAfter(ldrList, last, object);
    object->LinkNo = static_cast<std::uint16_t>(last->LinkNo + 1);
    object->Xend = object->xAddr + cellWidth();
    label(object, "ldrTail");
    return true;
}

bool linkBeforeEnd(stLadderBlock* object) {
    if (links::isEmpty(ldrList)) {
        linkIntoEmptyList(object);
        object->LinkNo = 1;
        return true;
    }
    stLadderBlock* end = ldrTail;
    noteChanges(end, end->prev);
    if (links::holdsOne(ldrList)) {
        object->xAddr = draw.iBusLineStart;
        object->yAddr = 0;
        object->Xend = draw.iBusLineStart + cellWidth();
        object->iCode = kCodeNop;
        object->LinkNo = 1;
        links::insertBefore(ldrList, end, object);
        end->LinkNo = 2;
        label(object, "ldrHead");
        return true;
    }
    const stLadderBlock* predecessor = end->prev;
    links::insertBefore(ldrList, end, object);
    object->LinkNo = end->LinkNo;
    end->LinkNo = static_cast<std::uint16_t>(object->LinkNo + 1);
    object->xAddr = predecessor->xAddr;
    object->yAddr = predecessor->yAddr;
    label(object, "s1...");
    return true;
}

// The object in front of which a new object at (bx, by) goes in (y, x) reading order. It is
// never past END: at the latest the new object goes in front of END. From a start node the walk is
// where the walk from the head would be when it reaches that node: every object before it lies
// above by, so the head is not the answer and nothing before the node stops the first loop.
stLadderBlock* walkToReadingOrderPlace(stLadderBlock* start, std::uint32_t bx, std::uint32_t by,
                                       bool skipJoints) {
    stLadderBlock* at = start;
    if (start == ldrHead && ((bx < at->xAddr && by <= at->yAddr) || by < at->yAddr)) return at;
    const auto advance = [&] {
        if (at == ldrTail) return false;
        at = at->next;
        while (skipJoints && at != ldrTail && isBlockJoint(at->iCode)) at = at->next;
        return true;
    };
    if (skipJoints) {
        while (at->yAddr < by && advance()) {
        }
        while (at->xAddr < bx && at->yAddr <= by && advance()) {
        }
        while (at->xAddr == bx && at->yAddr < by && advance()) {
        }
    } else {
        while (at->yAddr < by && advance()) {
        }
    }
    if (by < at->yAddr) return at;
    while (at->xAddr < bx && at->yAddr == by && advance()) {
    }
    return at;
}

stLadderBlock* readingOrderPlace(std::uint32_t bx, std::uint32_t by, bool skipJoints) {
    const ReadingOrderStart& start = readingOrderStart;
    if (start.node == nullptr || start.maxYBefore >= by)
        return walkToReadingOrderPlace(ldrHead, bx, by, skipJoints);
    stLadderBlock* at = walkToReadingOrderPlace(start.node, bx, by, skipJoints);
    if (start.verify && at != walkToReadingOrderPlace(ldrHead, bx, by, skipJoints))
        throw std::logic_error("reading-order walk: the start node gives another place");
    return at;
}

bool linkInReadingOrder(stLadderBlock* object, int objNo) {
    object->iCode = kCodeNop;
    object->LinkNo = 0;
    if (links::isEmpty(ldrList)) {
        linkIntoEmptyList(object);
        return true;
    }
    if (links::holdsOne(ldrList)) {
        noteObjectChange(ldrTail);
        links::insertBefore(ldrList, ldrTail, object);
        label(object, "ldrHead");
        return true;
    }
    // The instruction box (objNo 20 and up) skips nothing on its walk.
    stLadderBlock* const place = readingOrderPlace(BlueFrame.x1, BlueFrame.y1, objNo < 20);
    noteChanges(place, place->prev);
    links::insertBefore(ldrList, place, object);
    if (place == readingOrderStart.node) readingOrderStart.node = object;
    placeAtCursor(object);
    label(object, "S2");
    return true;
}

bool holdsMoreThanEnd() {
    return !links::isEmpty(ldrList) && !links::holdsOne(ldrList);
}

bool linkBeforeNow(stLadderBlock* object) {
    if (!holdsMoreThanEnd() || ldrNow == nullptr || ldrNow == ldrHead) return false;
    noteChanges(ldrNow, ldrNow->prev);
    links::insertBefore(ldrList, ldrNow, object);
    placeAtCursor(object);
    label(object, "B");
    return true;
}

bool linkAfterNow(stLadderBlock* object) {
    // Nothing may follow END.
    if (!holdsMoreThanEnd() || ldrNow == nullptr || ldrNow == ldrTail) return false;
    noteChanges(ldrNow, ldrNow->next);
    links::insertAfter(ldrList, ldrNow, object);
    placeAtCursor(object);
    label(object, "B");
    return true;
}

void makeEditNew(stLadderBlock* object) {
    // The key-in object of a refused entry is replaced, not lost.
    if (editNew != nullptr) disposeObject(editNew);
    editNew = object;
    object->setDFlag(false);
    object->setPFlag(false);
    object->xAddr = xOldCursor;
    object->yAddr = yOldCursor;
    object->objLbc = 0;
    object->stepNo = kStepNoPlaceholder;
    object->xMaxi = 0;
    object->idBC = 0;
    object->idCC = 0;
    object->next = nullptr;
    object->prev = nullptr;
    label(object, "N");
    setText(object->ID, "$##");
}

void finishLinkedObject(stLadderBlock* object) {
    ldrNow = object;
    object->objLbc = curObjLbc;
    object->stepNo = kStepNoUnassigned;
    object->idBC = 0;
    object->idCC = 0;
    object->ID = kNewObjectId;
}

}  // namespace

bool allocLadderObject() {
    ldrAlloc = allocateOrHalt<stLadderBlock>("Error2014121600...");
    return true;
}

bool ReallocLadderMemory(int mode, int objNo) {
    allocLadderObject();
    stLadderBlock* object = ldrAlloc;
    ldrNew = object;
    object->objNo = static_cast<std::uint32_t>(objNo);
    object->rCode = 0;
    object->xAddr = BlueFrame.x1;
    object->yAddr = BlueFrame.y1;
    object->end = kEndContact;
    object->flagByte1 &= static_cast<std::uint8_t>(~kFlag1CopyMark);

    bool linked = false;
    switch (mode) {
        case kLinkAppend: linked = linkAsTail(object); break;
        case kLinkBeforeEnd: linked = linkBeforeEnd(object); break;
        case kLinkReadingOrder: linked = linkInReadingOrder(object, objNo); break;
        case kLinkBeforeNow: linked = linkBeforeNow(object); break;
        case kLinkAfterNow: linked = linkAfterNow(object); break;
        case kLinkDeleteList:
        case kLinkCopyList: {
            LadderList& list = mode == kLinkDeleteList ? deleteList : copyList;
            links::pushBack(list, object);
            list.now = object;
            return true;
        }
        case kLinkEditNew: makeEditNew(object); return true;
        default:
            platform::say({"Error2018031201...", "ReallocLadderMemory", platform::MsgIcon::Warning});
            disposeObject(object);
            return false;
    }
    if (!linked) {
        // Nowhere to link it: it is released and ldrNow stays where it was.
        disposeObject(object);
        return false;
    }
    finishLinkedObject(object);
    return true;
}

void initLadderList(std::uint32_t x, std::uint32_t y) {
    // A load replaces the whole ladder: the command takes the old objects over and frees them at
    // once, or else its snapshot may keep them alone.
    const bool takenOver = transaction::active() && takeOverMainList();
    if (ldrHead != nullptr) FreeLadderMemory(kListMain);
    if (transaction::active() && !takenOver) dropUnneededMainContents();
    tidyObjectPool();
    allocLadderObject();
    stLadderBlock* end = ldrAlloc;
    links::pushBack(ldrList, end);
    ldrNow = end;
    end->objNo = 0;
    end->stepNo = 0;
    end->iCode = kCodeEnd;
    end->objLbc = 1;
    setText(end->mnemonic, "END");
    label(end, "ldrTail");
    setText(end->ID, "$##");
    end->xAddr = x;
    end->yAddr = y;
    end->Xend = x + cellWidth();
    end->orbXaddr = end->Xend;
    end->xMaxi = draw.iBusLineStart;
    end->yTopPos = y;
    end->xBlockAddr = 0;
    end->end = kEndOutput;
}

void copyMainList(LadderList& list) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        auto* twin = copyOrHalt(*o);
        twin->heldBySnapshots = 0;
        links::pushBack(list, twin);
    }
}

void lineUpMainListInMemory() {
    // The objects in list order: the one walk from link to link. The copies below read them from
    // the table, many at a time.
    // A snapshot, or an undo copy held as records, puts these very objects back.
    if (undoJournal != nullptr || recordingJournal != nullptr) return;
    std::vector<stLadderBlock*> old;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->heldBySnapshots > 0) return;
        old.push_back(o);
    }
    const std::size_t count = old.size();
    if (count < 2 || positionIndex.on) return;
    // The contents wait in one block while the objects' places are put in address order; the
    // objects then take the places in list order, each freed and made again there.
    std::vector<stLadderBlock> contents;
    contents.reserve(count);
    // Where in the list each of the model's pointers points (kNone: elsewhere). Most of them are
    // null: each object is asked against the others alone.
    constexpr std::size_t kNone = ~std::size_t{0};
    std::vector<const stLadderBlock*> targets;
    visitObjectPointers([&](const auto& pointer) { targets.push_back(pointer); });
    std::vector<std::size_t> pointedAt(targets.size(), kNone);
    std::vector<std::size_t> setTargets;
    for (std::size_t p = 0; p < targets.size(); ++p)
        if (targets[p] != nullptr) setTargets.push_back(p);
    for (std::size_t i = 0; i < count; ++i) {
        contents.push_back(*old[i]);
        for (const std::size_t p : setTargets)
            if (targets[p] == old[i]) pointedAt[p] = i;
    }
    // What learns of objects made and freed learns it as before: each is freed and made again.
    for (auto o = old.rbegin(); o != old.rend(); ++o) noteObjectDeleted(*o);
    changeCount += 2 * count;
    std::vector<stLadderBlock*>& moved = old;
    sortByAddress(moved);
    for (std::size_t i = 0; i < count; ++i) *moved[i] = contents[i];
    for (std::size_t i = 0; i < count; ++i) {
        moved[i]->prev = i > 0 ? moved[i - 1] : nullptr;
        moved[i]->next = i + 1 < count ? moved[i + 1] : nullptr;
    }
    ldrList.head = moved.front();
    ldrList.tail = moved.back();
    std::size_t p = 0;
    visitObjectPointers([&](auto& pointer) {
        if (pointedAt[p] != kNone) pointer = moved[pointedAt[p]];
        ++p;
    });
}

int freeLadderList(LadderList& list) {
    int count = 0;
    while (list.tail != nullptr) {
        stLadderBlock* object = list.tail;
        noteChanges(object, object->prev);
        links::unlink(list, object);
        disposeObject(object);
        ++count;
    }
    list.now = nullptr;
    return count;
}

void FreeLadderMemory(int list) {
    switch (list) {
        case kListMain:
            if (freeLadderList(ldrList) > 0) convStepNo = 0;
            return;
        case kListUndo: dropUndoCopy(); return;
        case kListInsertedRows: freeRowMarks(insGrayMarks); return;
        case kListDeletedRows: freeRowMarks(delGrayMarks); return;
        case kListEditedRows: freeRowMarks(grayMarks); return;
        case kListDelete: freeLadderList(deleteList); return;
        case kListCopy: freeLadderList(copyList); return;
        case kListEditNew:
            if (editNew != nullptr) disposeObject(editNew);
            return;
        default:
            // A caller's mistake: said, and nothing is freed.
            assert(!"FreeLadderMemory: list number outside 0 to 7");
            platform::say({"Error2015022401", "*FreeLadderMemory(", platform::MsgIcon::None});
            return;
    }
}

void removeLadderObject(LadderList& list, stLadderBlock* object) {
    noteChanges(object, object->prev, object->next);
    links::unlink(list, object);
    disposeObject(object);
}

bool moveObjectBeforeEnd(LadderList& from, stLadderBlock* object) {
    stLadderBlock* end = ldrTail;
    if (object->heldBySnapshots > 0 || end == nullptr || object == end) return false;
    noteChanges(object, object->prev, object->next, end, end->prev);
    links::unlink(from, object);
    forgetObject(object);
    // END counts the objects linked in front of it as it would for a new one.
    end->LinkNo = links::holdsOne(ldrList) ? 2 : static_cast<std::uint16_t>(end->LinkNo + 1);
    links::insertBefore(ldrList, end, object);
    // What a new object has of its own: the ID text and no monitor state.
    object->ID = kNewObjectId;
    object->ItemNo = {};
    object->monValue = {};
    object->monMark = 0;
    object->monState = 0;
    object->unsettled274 = {};
    object->unsettled276 = 0;
    changeCount += 2;  // one made, one freed
    ldrAlloc = ldrNew = ldrNow = object;
    return true;
}

void clearLadderKeepEnd() {
    if (ldrHead == nullptr) return;
    while (ldrHead != nullptr && ldrHead->iCode != kCodeEnd) removeLadderObject(ldrList, ldrHead);
    // Anything behind END would be cut off from the list, so it goes too.
    while (ldrTail != ldrHead) removeLadderObject(ldrList, ldrTail);
    noteObjectChange(ldrHead);
    if (ldrHead != nullptr) ldrHead->yAddr = draw.iBusLineEnd;
}

namespace {

struct EdgeIds {
    const char* headAlone;  // the object was head and tail
    const char* head;
    const char* tail;
};

void removeObjectsWithCode(std::uint16_t code, const char* routine, const EdgeIds* edges) {
    stLadderBlock* object = ldrHead;
    while (object != nullptr) {
        stLadderBlock* following = object->next;
        if (object->iCode == code) {
            if (edges != nullptr) {
                if (object == ldrHead) {
                    traceListRepair(object == ldrTail ? edges->headAlone : edges->head, routine);
                } else if (object == ldrTail) {
                    traceListRepair(edges->tail, routine);
                }
            }
            removeLadderObject(ldrList, object);
        }
        object = following;
    }
}

}  // namespace

void removeDeletedObjects() {
    removeObjectsWithCode(kCodeVNop, "removeDeletedObjects", nullptr);
}

void removeObjects1000h() {
    static constexpr EdgeIds ids{"Error2014122280-0...", "Error2014122280-1...", "Error2014122281..."};
    removeObjectsWithCode(kCodeXNop, "removeObjects1000h", &ids);
}

void removeEmptyObjectsChecked() {
    static constexpr EdgeIds ids{"Error2014122282...", "Error2014122282...", "Error2014122283..."};
    removeObjectsWithCode(kCodeNull, "removeEmptyObjectsChecked", &ids);
}

void removeEmptyObjects() {
    removeObjectsWithCode(kCodeNull, "removeEmptyObjects", nullptr);
}

std::uint64_t ladderChanges() {
    return changeCount;
}

void freeAllLadderObjects() {
    dropUndoCopy();
    for (LadderList* list : {&ldrList, &ldrUndoList, &deleteList, &copyList}) freeLadderList(*list);
    ldrBackup.reset();
    if (editNew != nullptr) disposeObject(editNew);
    if (!transaction::active()) deleteObjectsFreedInCommand();
}

}  // namespace kestrion
