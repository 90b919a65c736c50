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
#include <vector>

#include "model/core/ByteImage.h"
#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/core/ModelState.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/image/StepCount.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"
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
    void tidy() {
        if (givenBack_ < kTidyAfter) return;
        givenBack_ = 0;
        std::fill(freeMarks_.begin(), freeMarks_.end(), std::uint64_t{0});
        for (void* object : free_) {
            const auto* slot = static_cast<const Storage*>(object);
            const auto block = static_cast<std::size_t>(
                std::upper_bound(starts_.begin(), starts_.end(), slot, std::less<>()) - starts_.begin() - 1);
            const auto index = block * kBlockObjects + static_cast<std::size_t>(slot - starts_[block]);
            freeMarks_[index / kBitsPerWord] |= std::uint64_t{1} << (index % kBitsPerWord);
        }
        free_.clear();
        // highest address first: they are taken from the back
        for (std::size_t word = freeMarks_.size(); word-- > 0;) {
            std::uint64_t marks = freeMarks_[word];
            while (marks != 0) {
                const auto top = kBitsPerWord - 1 - static_cast<std::size_t>(std::countl_zero(marks));
                marks &= ~(std::uint64_t{1} << top);
                const std::size_t index = word * kBitsPerWord + top;
                free_.push_back(starts_[index / kBlockObjects] + index % kBlockObjects);
            }
        }
    }

private:
    using Storage = std::aligned_storage_t<sizeof(stLadderBlock), alignof(stLadderBlock)>;
    static constexpr std::size_t kBlockObjects = 1024;
    static constexpr std::size_t kBitsPerWord = 64;

    void grow() {
        blocks_.push_back(std::make_unique_for_overwrite<Storage[]>(kBlockObjects));
        Storage* block = blocks_.back().get();
        starts_.insert(std::upper_bound(starts_.begin(), starts_.end(), block, std::less<>()), block);
        freeMarks_.resize(starts_.size() * kBlockObjects / kBitsPerWord);
        for (std::size_t i = kBlockObjects; i-- > 0;) give(&block[i]);
    }

    static constexpr std::size_t kTidyAfter = 4096;
    std::vector<void*> free_;  // taken from the back
    std::size_t givenBack_ = 0;
    std::vector<std::unique_ptr<Storage[]>> blocks_;
    std::vector<Storage*> starts_;          // the blocks by address
    std::vector<std::uint64_t> freeMarks_;  // one bit per object of starts_, used while tidying
};

ObjectPool& objectPool() {
    static ObjectPool pool;
    return pool;
}

void tidyObjectPool() {
    if (kPooled) objectPool().tidy();
}

std::uint64_t changeCount = 1;  // 0 is the count of a row index never made

}  // namespace

void* stLadderBlock::operator new(std::size_t size) {
    ++changeCount;
    return kPooled ? objectPool().take() : ::operator new(size);
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
    if (kPooled)
        objectPool().give(object);
    else
        ::operator delete(object);
}

void stLadderBlock::setDFlag(bool on) {
    flagByte1 = static_cast<std::uint8_t>(on ? flagByte1 | kFlag1DoubleWord : flagByte1 & ~kFlag1DoubleWord);
}

void stLadderBlock::setPFlag(bool on) {
    flagByte2 = static_cast<std::uint8_t>(on ? flagByte2 | kFlag2Pulse : flagByte2 & ~kFlag2Pulse);
}

// ---- The 288-byte image -----------------------------------------------------------------------

namespace {

// The u32 fields of bytes 0..47, one every four bytes.
constexpr std::uint32_t stLadderBlock::*kImageWords[] = {
    &stLadderBlock::objLbc,   &stLadderBlock::stepNo,     &stLadderBlock::xAddr,
    &stLadderBlock::yAddr,    &stLadderBlock::Xend,       &stLadderBlock::xMaxi,
    &stLadderBlock::orbXaddr, &stLadderBlock::xBlockAddr, &stLadderBlock::unsettled32,
    &stLadderBlock::yTopPos,  &stLadderBlock::end,        &stLadderBlock::unsettled44,
};

struct HalfWordField {
    std::size_t offset;
    std::uint16_t stLadderBlock::*field;
};
constexpr HalfWordField kImageHalfWords[] = {
    {48, &stLadderBlock::idBC},  {50, &stLadderBlock::idCC},  {52, &stLadderBlock::LinkNo},
    {60, &stLadderBlock::iCode}, {62, &stLadderBlock::rCode}, {276, &stLadderBlock::unsettled276},
};

// Every field but the links, in both directions: the image's fixed offsets in one place.
template <class Image, class Object, class Word, class Bytes>
void visitImageFields(Image& image, Object& object, Word word, Bytes bytes) {
    for (std::size_t i = 0; i < std::size(kImageWords); ++i) word(image, 4 * i, object.*kImageWords[i]);
    for (const HalfWordField& half : kImageHalfWords) word(image, half.offset, object.*half.field);
    word(image, 54, object.flagByte1);
    word(image, 55, object.flagByte2);
    bytes(image, 56, object.unsettled56);
    bytes(image, 64, object.mnemonic);
    for (std::size_t i = 0; i < object.operands.size(); ++i) bytes(image, 76 + 16 * i, object.operands[i]);
    bytes(image, 156, object.operand6);
    word(image, 160, object.objNo);
    bytes(image, 164, object.traceLabel);
    bytes(image, 212, object.unsettled212);
    bytes(image, 216, object.ID);
    for (std::size_t i = 0; i < object.ItemNo.size(); ++i) word(image, 220 + 2 * i, object.ItemNo[i]);
    for (std::size_t i = 0; i < object.monValue.size(); ++i) word(image, 232 + 8 * i, object.monValue[i]);
    word(image, 272, object.monMark);
    word(image, 273, object.monState);
    bytes(image, 274, object.unsettled274);
}

}  // namespace

LadderObjectImage ladderObjectImage(const stLadderBlock& object) {
    LadderObjectImage image{};  // the alignment gap and both link words stay zero
    visitImageFields(
        image, object,
        [](LadderObjectImage& out, std::size_t offset, auto value) {
            byteimage::put(out, offset, static_cast<std::make_unsigned_t<decltype(value)>>(value));
        },
        [](LadderObjectImage& out, std::size_t offset, const auto& field) {
            byteimage::putField(out, offset, field);
        });
    return image;
}

void loadLadderObjectImage(const LadderObjectImage& image, stLadderBlock& dest) {
    visitImageFields(
        image, dest,
        [](const LadderObjectImage& in, std::size_t offset, auto& value) {
            using T = std::remove_reference_t<decltype(value)>;
            value = static_cast<T>(byteimage::get<std::make_unsigned_t<T>>(in, offset));
        },
        [](const LadderObjectImage& in, std::size_t offset, auto& field) {
            byteimage::getField(in, offset, field);
        });
}

int srcObjectCopyToDestObject(const stLadderBlock* source, stLadderBlock* dest) {
    const auto fail = [] {
        platform::messages().show("Error201501180912", "srcObjectCopyToDestObject", platform::MsgIcon::None,
                                  platform::MsgButtons::Ok);
        return 1;
    };
    if (source == nullptr || dest == nullptr) return fail();
    // The fields before the ID text hold no pointer, so their bytes are the whole of them.
    if (source != dest) std::memcpy(static_cast<void*>(dest), source, kLadderObjectContentSize);
    if (std::memcmp(dest, source, kLadderObjectContentSize) != 0) return fail();
    return 0;
}

// ---- The packed ladder -------------------------------------------------------------------------

// An object is packed as the eight-byte words of its fields that are not zero, behind a mask of
// which words they are. The fields hold no pointer before the snapshots' count, so their bytes are
// the whole of them; the bytes stay in memory, in no file.
namespace {

constexpr std::size_t kPackedFieldBytes = offsetof(stLadderBlock, heldBySnapshots);
constexpr std::size_t kWordBytes = 8;
constexpr std::size_t kPackedWords = (kPackedFieldBytes + kWordBytes - 1) / kWordBytes;
constexpr std::size_t kMaskBytes = (kPackedWords + 7) / 8;
static_assert(kPackedWords <= 64);

// The last word is cut at the snapshots' count. Every copy is of a length known when compiling:
// a copy of a length found at run time is a call, and packing makes one per word.
constexpr std::size_t kLastWord = kPackedWords - 1;
constexpr std::size_t kLastWordBytes = kPackedFieldBytes - kWordBytes * kLastWord;

template <std::size_t Bytes>
void copyWord(void* to, const void* from) {
    std::memcpy(to, from, Bytes);
}
void copyWordAt(std::size_t i, void* to, const void* from) {
    if (i < kLastWord)
        copyWord<kWordBytes>(to, from);
    else
        copyWord<kLastWordBytes>(to, from);
}

// The bytes go into chunks of a fixed size taken whole: nothing is moved as they fill, and at
// most the room of one object is left unused at the end of each.
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::size_t kMostPackedBytes = kMaskBytes + kPackedFieldBytes;

template <class Chunks, class Visit>
void visitPacked(const Chunks& chunks, Visit visit) {
    stLadderBlock object;
    for (const auto& chunk : chunks)
        for (const std::uint8_t* at = chunk.bytes.get(); at != chunk.bytes.get() + chunk.used;) {
            std::uint64_t mask = 0;
            std::memcpy(&mask, at, kMaskBytes);
            at += kMaskBytes;
            object = stLadderBlock{};
            auto* fields = reinterpret_cast<unsigned char*>(&object);
            for (; mask != 0; mask &= mask - 1) {
                const auto i = static_cast<std::size_t>(std::countr_zero(mask));
                copyWordAt(i, fields + kWordBytes * i, at);
                at += i < kLastWord ? kWordBytes : kLastWordBytes;
            }
            visit(object);
        }
}

}  // namespace

PackedLadder::PackedLadder(const LadderList& list) {
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) append(*o);
}

void PackedLadder::append(const stLadderBlock& object) {
    if (chunks_.empty() || chunks_.back().used + kMostPackedBytes > kChunkBytes)
        chunks_.push_back({std::make_unique_for_overwrite<std::uint8_t[]>(kChunkBytes), 0});
    Chunk& chunk = chunks_.back();
    std::uint8_t* const packed = chunk.bytes.get() + chunk.used;
    const auto* fields = reinterpret_cast<const unsigned char*>(&object);
    std::uint64_t mask = 0;
    std::size_t length = kMaskBytes;
    for (std::size_t i = 0; i < kPackedWords; ++i) {
        std::uint64_t word = 0;
        copyWordAt(i, &word, fields + kWordBytes * i);
        if (word == 0) continue;
        mask |= std::uint64_t{1} << i;
        copyWordAt(i, packed + length, &word);
        length += i < kLastWord ? kWordBytes : kLastWordBytes;
    }
    std::memcpy(packed, &mask, kMaskBytes);
    chunk.used += length;
    bytes_ += length;
    ++count_;
}

void PackedLadder::forEach(const std::function<void(const stLadderBlock&)>& visit) const {
    visitPacked(chunks_, [&](const stLadderBlock& object) { visit(object); });
}

void PackedLadder::unpackInto(LadderList& list) const {
    visitPacked(chunks_, [&](const stLadderBlock& object) {
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = object;
        twin->heldBySnapshots = 0;
        links::pushBack(list, twin);
    });
}

std::shared_ptr<const PackedLadder> PackedLadder::changed(
    const std::function<bool(stLadderBlock&)>& change) const {
    std::shared_ptr<PackedLadder> result(new PackedLadder);
    bool any = false;
    visitPacked(chunks_, [&](stLadderBlock& object) {
        any = change(object) || any;
        result->append(object);
    });
    if (!any) return nullptr;
    return result;
}

// ---- Allocation and freeing -----------------------------------------------------------------

namespace {

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}

// Nothing may keep pointing at an object once it is freed.
void forgetObject(const stLadderBlock* object) {
    for (stLadderBlock** pointer : {&ldrList.now, &ldrUndoList.now, &deleteList.now, &copyList.now, &ldrNew,
                                    &ldrAlloc, &ldrSearch, &editNew}) {
        if (*pointer == object) *pointer = nullptr;
    }
    if (canvasState.ldrDrawHead == object) canvasState.ldrDrawHead = nullptr;
    if (readingOrderStart.node == object) readingOrderStart.node = nullptr;
}

void deleteObjectsFreedInCommand() {
    for (stLadderBlock* object : modelState.freedInCommand) delete object;
    modelState.freedInCommand.clear();
}

void disposeObject(stLadderBlock* object) {
    forgetObject(object);
    if (object->heldBySnapshots > 0 && transaction::active())
        modelState.freedInCommand.push_back(object);
    else
        delete object;
}

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
        links::insertBefore(ldrList, ldrTail, object);
        label(object, "ldrHead");
        return true;
    }
    // The instruction box (objNo 20 and up) skips nothing on its walk.
    stLadderBlock* const place = readingOrderPlace(BlueFrame.x1, BlueFrame.y1, objNo < 20);
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
    links::insertBefore(ldrList, ldrNow, object);
    placeAtCursor(object);
    label(object, "B");
    return true;
}

bool linkAfterNow(stLadderBlock* object) {
    // Nothing may follow END.
    if (!holdsMoreThanEnd() || ldrNow == nullptr || ldrNow == ldrTail) return false;
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
    setText(object->ID, "$##");
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
            platform::messages().show("Error2018031201...", "ReallocLadderMemory", platform::MsgIcon::Warning,
                                      platform::MsgButtons::Ok);
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

namespace {
bool takeOverMainList();
}  // namespace

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
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = *o;
        twin->heldBySnapshots = 0;
        links::pushBack(list, twin);
    }
}

int freeLadderList(LadderList& list) {
    const int count = links::disposeAll(list, disposeObject);
    list.now = nullptr;
    return count;
}

void FreeLadderMemory(int list) {
    switch (list) {
        case kListMain:
            if (freeLadderList(ldrList) > 0) convStepNo = 0;
            return;
        case kListUndo: freeLadderList(ldrUndoList); return;
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
            platform::messages().show("Error2015022401", "*FreeLadderMemory(", platform::MsgIcon::None,
                                      platform::MsgButtons::Ok);
            return;
    }
}

void removeLadderObject(LadderList& list, stLadderBlock* object) {
    links::unlink(list, object);
    disposeObject(object);
}

void clearLadderKeepEnd() {
    if (ldrHead == nullptr) return;
    while (ldrHead != nullptr && ldrHead->iCode != kCodeEnd) removeLadderObject(ldrList, ldrHead);
    // Anything behind END would be cut off from the list, so it goes too.
    while (ldrTail != ldrHead) removeLadderObject(ldrList, ldrTail);
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
    for (LadderList* list : {&ldrList, &ldrUndoList, &deleteList, &copyList}) freeLadderList(*list);
    ldrBackup.reset();
    if (editNew != nullptr) disposeObject(editNew);
    if (!transaction::active()) deleteObjectsFreedInCommand();
}

// ---- The command transaction's part -----------------------------------------------------------

namespace {

constexpr int kListCount = 4;

std::array<LadderList*, kListCount> everyLadderList() {
    return {&ldrList, &ldrUndoList, &deleteList, &copyList};
}

std::vector<stLadderBlock*> nodesOf(const LadderList& list) {
    std::vector<stLadderBlock*> nodes;
    for (stLadderBlock* node = list.head; node != nullptr; node = node->next) nodes.push_back(node);
    return nodes;
}

void relink(LadderList& list, const std::vector<stLadderBlock*>& nodes, stLadderBlock* now) {
    list = {};
    for (stLadderBlock* node : nodes) links::pushBack(list, node);
    list.now = now;
}

// Every list by its objects, which no command frees before it has ended; the main list, which
// commands change in place, with the contents of its objects as well; editNew by value.
struct SavedLadder;
std::vector<SavedLadder*>& openSnapshots() {
    static std::vector<SavedLadder*> open;  // the innermost last
    return open;
}

struct SavedLadder {
    SavedLadder() { openSnapshots().push_back(this); }
    SavedLadder(const SavedLadder&) = delete;
    SavedLadder& operator=(const SavedLadder&) = delete;
    ~SavedLadder() {
        for (const auto& list : nodes)
            for (stLadderBlock* node : list) release(node);
        if (editNew != nullptr) release(editNew);
        auto& open = openSnapshots();
        open.erase(std::remove(open.begin(), open.end(), this), open.end());
    }
    static void hold(stLadderBlock* node) { ++node->heldBySnapshots; }
    static void release(stLadderBlock* node) {
        if (node->heldBySnapshots > 0) --node->heldBySnapshots;
    }

    std::array<std::vector<stLadderBlock*>, kListCount> nodes;
    std::array<stLadderBlock*, kListCount> now{};
    std::unique_ptr<const PackedLadder> mainContents;  // null once not needed
    stLadderBlock* editNew = nullptr;
    std::optional<stLadderBlock> editNewContents;
    stLadderBlock* ldrNew = nullptr;
    stLadderBlock* ldrAlloc = nullptr;
    stLadderBlock* ldrSearch = nullptr;
    std::uint32_t curObjLbc = 0;
    bool editCancelCopyDue = false;
    std::shared_ptr<const PackedLadder> backup;
    // Set when the command took the main list's objects over and the snapshot kept only their
    // packed contents: the places in the list where the pointers into it stood (-1 none).
    struct MainPlaces {
        std::ptrdiff_t now = -1, ldrNew = -1, ldrAlloc = -1, ldrSearch = -1;
    };
    std::optional<MainPlaces> mainTakenOver;
};

void restoreLadder(const SavedLadder& saved) {
    std::vector<stLadderBlock*> dropped = std::move(modelState.freedInCommand);
    modelState.freedInCommand.clear();
    const auto lists = everyLadderList();
    for (LadderList* list : lists)
        for (stLadderBlock* node = list->head; node != nullptr; node = node->next) dropped.push_back(node);
    if (editNew != nullptr) dropped.push_back(editNew);

    for (std::size_t list = 0; list < lists.size(); ++list)
        relink(*lists[list], saved.nodes[list], saved.now[list]);
    // A main list the command took over comes back as new objects.
    std::vector<stLadderBlock*> rebuilt;
    if (saved.mainTakenOver) {
        LadderList main;
        saved.mainContents->unpackInto(main);
        rebuilt = nodesOf(main);
        const auto at = [&](std::ptrdiff_t place) {
            return place < 0 ? nullptr : rebuilt[static_cast<std::size_t>(place)];
        };
        relink(ldrList, rebuilt, at(saved.mainTakenOver->now));
    }
    std::size_t i = 0;
    if (saved.mainContents != nullptr && !saved.mainTakenOver)
        saved.mainContents->forEach([&](const stLadderBlock& contents) {
            stLadderBlock* node = saved.nodes[0][i++];
            stLadderBlock* const next = node->next;
            stLadderBlock* const prev = node->prev;
            const std::uint8_t held = node->heldBySnapshots;
            *node = contents;
            node->next = next;
            node->prev = prev;
            node->heldBySnapshots = held;
        });
    editNew = saved.editNew;
    if (editNew != nullptr) {
        const std::uint8_t held = editNew->heldBySnapshots;
        *editNew = *saved.editNewContents;
        editNew->next = editNew->prev = nullptr;
        editNew->heldBySnapshots = held;
    }

    // What the snapshot holds lives on; every other object is freed once the command has ended.
    std::vector<const stLadderBlock*> kept;
    for (const auto& nodes : saved.nodes) kept.insert(kept.end(), nodes.begin(), nodes.end());
    if (saved.editNew != nullptr) kept.push_back(saved.editNew);
    kept.insert(kept.end(), rebuilt.begin(), rebuilt.end());
    std::sort(kept.begin(), kept.end());
    const auto keeps = [&](const stLadderBlock* node) {
        return node != nullptr && std::binary_search(kept.begin(), kept.end(), node);
    };
    std::sort(dropped.begin(), dropped.end());
    dropped.erase(std::unique(dropped.begin(), dropped.end()), dropped.end());
    for (stLadderBlock* node : dropped) {
        if (keeps(node)) continue;
        if (node->heldBySnapshots > 0)
            modelState.freedInCommand.push_back(node);
        else
            delete node;
    }

    const auto pointer = [&](stLadderBlock* savedPointer, std::ptrdiff_t SavedLadder::MainPlaces::*place) {
        if (saved.mainTakenOver && (*saved.mainTakenOver).*place >= 0)
            return rebuilt[static_cast<std::size_t>((*saved.mainTakenOver).*place)];
        return keeps(savedPointer) ? savedPointer : nullptr;
    };
    ldrNew = pointer(saved.ldrNew, &SavedLadder::MainPlaces::ldrNew);
    ldrAlloc = pointer(saved.ldrAlloc, &SavedLadder::MainPlaces::ldrAlloc);
    ldrSearch = pointer(saved.ldrSearch, &SavedLadder::MainPlaces::ldrSearch);
    curObjLbc = saved.curObjLbc;
    canvasState.editCancelCopyDue = saved.editCancelCopyDue;
    ldrBackup = saved.backup;
    if (!keeps(canvasState.ldrDrawHead)) canvasState.ldrDrawHead = nullptr;
    readingOrderStart = {};
}

transaction::Restore snapshotLadderObjects() {
    auto saved = std::make_shared<SavedLadder>();
    const auto lists = everyLadderList();
    for (std::size_t list = 0; list < lists.size(); ++list) {
        saved->nodes[list] = nodesOf(*lists[list]);
        saved->now[list] = lists[list]->now;
        for (stLadderBlock* node : saved->nodes[list]) SavedLadder::hold(node);
    }
    saved->mainContents = std::make_unique<const PackedLadder>(ldrList);
    saved->editNew = editNew;
    if (editNew != nullptr) {
        SavedLadder::hold(editNew);
        saved->editNewContents = *editNew;
    }
    saved->ldrNew = ldrNew;
    saved->ldrAlloc = ldrAlloc;
    saved->ldrSearch = ldrSearch;
    saved->curObjLbc = curObjLbc;
    saved->editCancelCopyDue = canvasState.editCancelCopyDue;
    saved->backup = ldrBackup;
    return [saved] { restoreLadder(*saved); };
}

// Once the outermost command has ended: the objects it freed go, and then the edit-cancel copy it
// asked for is taken.
void endLadderCommand() {
    ++changeCount;  // a command moves objects without making or freeing any
    deleteObjectsFreedInCommand();
    tidyObjectPool();
    if (!canvasState.editCancelCopyDue) return;
    canvasState.editCancelCopyDue = false;
    ldrBackup = std::make_shared<const PackedLadder>(ldrList);
}

[[maybe_unused]] const bool ladderPart =
    transaction::registerPart("ladder objects", snapshotLadderObjects, endLadderCommand);

}  // namespace

// The innermost snapshot's copy of the main list's contents is needed no more when every object
// it saved has been freed in the command (nothing writes to a freed object) and still holds what
// the copy holds.
void dropUnneededMainContents() {
    auto& open = openSnapshots();
    if (open.empty() || open.back()->mainContents == nullptr || open.back()->mainTakenOver) return;
    SavedLadder& saved = *open.back();
    std::vector<const stLadderBlock*> freed(modelState.freedInCommand.begin(),
                                            modelState.freedInCommand.end());
    std::sort(freed.begin(), freed.end());
    bool unchanged = true;
    std::size_t i = 0;
    saved.mainContents->forEach([&](const stLadderBlock& contents) {
        const stLadderBlock* node = saved.nodes[0][i++];
        unchanged = unchanged && std::binary_search(freed.begin(), freed.end(), node) &&
                    std::memcmp(&contents, node, offsetof(stLadderBlock, heldBySnapshots)) == 0;
    });
    if (unchanged) saved.mainContents.reset();
}

namespace {

// The command's snapshot lets go of the main list's objects and keeps their packed contents
// alone, to put back as new objects: the command may change and free the objects themselves, and
// the memory they took serves the ladder it builds. Only the snapshot of a command that runs
// inside no other may (an outer one holds the same objects); false when it may not.
bool takeOverMainList() {
    auto& open = openSnapshots();
    if (open.size() != 1 || open.back()->mainContents == nullptr) return false;
    SavedLadder& saved = *open.back();
    if (saved.mainTakenOver) return true;
    std::vector<stLadderBlock*>& nodes = saved.nodes[0];
    const auto placeOf = [&](const stLadderBlock* pointer) -> std::ptrdiff_t {
        const auto found = std::find(nodes.begin(), nodes.end(), pointer);
        return pointer == nullptr || found == nodes.end() ? -1 : found - nodes.begin();
    };
    saved.mainTakenOver = SavedLadder::MainPlaces{placeOf(saved.now[0]), placeOf(saved.ldrNew),
                                                  placeOf(saved.ldrAlloc), placeOf(saved.ldrSearch)};
    for (stLadderBlock* node : nodes) SavedLadder::release(node);
    std::vector<stLadderBlock*>().swap(nodes);
    return true;
}

}  // namespace

void handMainListToCommand() {
    // Outside a command nothing is put back: the objects may as well go on being the list.
    if (!transaction::active() || takeOverMainList()) return;
    const std::vector<stLadderBlock*> originals = nodesOf(ldrList);
    stLadderBlock* const now = ldrList.now;
    ldrList = {};
    // A snapshot's objects, freed in the command, stay as they are until it has ended; the copy of
    // their contents goes before the copies of the objects are made.
    for (stLadderBlock* original : originals)
        if (original->heldBySnapshots > 0) disposeObject(original);
    dropUnneededMainContents();
    for (stLadderBlock* original : originals) {
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = *original;
        twin->heldBySnapshots = 0;
        twin->next = twin->prev = nullptr;
        links::pushBack(ldrList, twin);
        if (original == now) ldrList.now = twin;
    }
    for (stLadderBlock* original : originals)
        if (original->heldBySnapshots == 0) disposeObject(original);
}

}  // namespace kestrion
