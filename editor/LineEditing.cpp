#include "editor/LineEditing.h"

#include <algorithm>
#include <span>

#include "editor/LineCells.h"

#include "model/core/LinkedList.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// Marks at and below fromY follow their lines down.
void shiftMarksDown(std::uint32_t fromY, std::uint32_t dy) {
    for (GrayMarkList* list : {&grayMarks, &insGrayMarks, &delGrayMarks})
        for (stGrayMark* mark = list->head; mark != nullptr; mark = mark->next)
            if (mark->Y >= fromY) mark->Y += dy;
}

void copyCanvasRow(CanvasGrid& to, std::int64_t toRow, const CanvasGrid& from, std::int64_t fromRow) {
    for (std::int64_t column = 0; column < kCanvasColumns; ++column)
        to.put(column, toRow, from.at(column, fromRow));
}

bool hasProgramStep(const stLadderBlock& object) {
    return object.stepNo < kStepNoPlaceholder;
}

void recordDeletedStep(const stLadderBlock& object) {
    if (!hasProgramStep(object)) return;
    const stLadderBlock* neighbour = object.next != nullptr ? object.next : object.prev;
    addDeleteStepNoRecord();
    const std::uint32_t other = neighbour != nullptr ? neighbour->stepNo : object.stepNo;
    deleteStepNoList.now->Size =
        static_cast<std::uint16_t>(other > object.stepNo ? other - object.stepNo : object.stepNo - other);
    deleteStepNoList.now->stepNo = static_cast<std::uint16_t>(object.stepNo);
}

std::vector<const stLadderBlock*> objectsOnLines(const LineRange& lines) {
    std::vector<const stLadderBlock*> found;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr >= lines.firstY && o->yAddr <= lines.lastY && o->iCode != kCodeEnd &&
            o->iCode != kCodeNull && o->iCode != kCodeVNop)
            found.push_back(o);
    return found;
}

bool isEmptySlot(std::span<const std::uint8_t> slot) {
    return std::all_of(slot.begin(), slot.end(), [](std::uint8_t byte) { return byte == 0; });
}

std::uint32_t largestBlockId() {
    std::uint32_t id = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) id = std::max(id, o->objLbc);
    return id;
}

// Links a pasted object in reading order, in front of the first object below or right of it.
void linkInReadingOrder(stLadderBlock* object) {
    stLadderBlock* at = ldrHead;
    while (at != nullptr && at != ldrTail &&
           (at->yAddr < object->yAddr || (at->yAddr == object->yAddr && at->xAddr <= object->xAddr)))
        at = at->next;
    links::insertBefore(ldrList, at != nullptr ? at : ldrTail, object);
    ldrNow = object;
}

// A vertical link comes down into the line at y from the line above.
bool isJoinedToLineAbove(std::uint32_t y) {
    const std::int64_t row = canvasRowOf(y);
    if (!canvasGeometryReady() || row < 1) return false;
    for (std::int64_t column = 1; column < kCanvasColumns; column += 2)
        if (VirtualArray.at(column, row - 1) == kCellLink) return true;
    return false;
}

// The finishing passes of the load read the objects by their instructions as if every rung were
// whole, and may add wire or links nothing drew: a copied lower line of a parallel group gets wire to
// a joint, lines a Cut left without their rung get links to the rung above. A paste changes the
// ladder by the lines it puts in alone: what the passes added above END's line goes again, but a
// label the output-row pass moved onto the pasted rung with its cell.
class PasteFinish {
public:
    PasteFinish() : endRow_(canvasRowOf(getEndObjectY())) {
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) objects_.push_back(o);
        std::sort(objects_.begin(), objects_.end());
        cells_.reserve(static_cast<std::size_t>(endRow_ * kCanvasColumns));
        for (std::int64_t row = 0; row < endRow_; ++row)
            for (std::int64_t column = 0; column < kCanvasColumns; ++column)
                cells_.push_back(VirtualArray.at(column, row));
    }
    void undoWhatThePassesAdded() {
        const std::uint32_t endY = getEndObjectY();
        for (stLadderBlock* o = ldrHead; o != nullptr;) {
            stLadderBlock* next = o->next;
            if (o->yAddr < endY && !std::binary_search(objects_.begin(), objects_.end(), o)) {
                if (ldrNow == o) ldrNow = ldrTail;
                removeLadderObject(ldrList, o);
            }
            o = next;
        }
        auto cell = cells_.begin();
        for (std::int64_t row = 0; row < endRow_; ++row)
            for (std::int64_t column = 0; column < kCanvasColumns; ++column, ++cell)
                if (column != 0) VirtualArray.put(column, row, *cell);
    }

private:
    std::int64_t endRow_;
    std::vector<const stLadderBlock*> objects_;
    std::vector<char> cells_;
};

void markPastedCells(const stLadderBlock& object) {
    const bool placed = object.end == kEndOutput ? setNowOutputCells() != 0 : setNowObjectCell() != 0;
    // The object lies beyond the right bus of this ladder (copied with more device columns).
    if (!placed) throw CanvasError(getMsgDeviceTooMuch());
}

}  // namespace

std::uint32_t lineHeight() {
    return ModeData.ySizeSymble;
}

std::uint32_t frameLineY() {
    return BlueFrame.y1 / lineHeight() * lineHeight();
}

void openLines(std::uint32_t y, std::uint32_t n, bool carryLinks) {
    const std::uint32_t dy = n * lineHeight();
    const std::int64_t firstRow = canvasRowOf(y);
    const std::int64_t lastRow = canvasRowOf(getEndObjectY()) + 1;
    const std::int64_t rowShift = 2 * static_cast<std::int64_t>(n);
    if (!canvasGeometryReady() || lastRow + rowShift >= kCanvasRows) {
        showLadderTooLong();
        throw CanvasError(kLadderTooLongText);
    }
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->yAddr < y) continue;
        o->yAddr += dy;
        if (o->yTopPos >= y) o->yTopPos += dy;
    }
    for (std::int64_t row = lastRow; row >= firstRow; --row)
        copyCanvasRow(VirtualArray, row + rowShift, VirtualArray, row);
    for (std::int64_t row = firstRow; row < firstRow + rowShift; ++row)
        for (std::int64_t column = 0; column < kCanvasColumns; ++column) {
            const bool joined =
                carryLinks && column % 2 == 1 && VirtualArray.at(column, firstRow - 1) == kCellLink;
            VirtualArray.put(column, row, joined ? kCellLink : kCellBlank);
        }
    shiftMarksDown(y, dy);
    if (ladderBottomY >= y) ladderBottomY += dy;
}

namespace {

// A link in the gap above the line that goes joined the line above to it alone, unless the gap
// below carries it on: the line that moves up in its place is not joined by it. A link that Insert
// line carried through an empty line goes with it up to the line it came from.
void dropLinksEndingOnLine(std::int64_t row) {
    for (std::int64_t column = 1; column < kCanvasColumns; column += 2) {
        if (VirtualArray.at(column, row - 1) != kCellLink || VirtualArray.at(column, row + 1) == kCellLink)
            continue;
        for (std::int64_t gap = row - 1; gap >= 0 && VirtualArray.at(column, gap) == kCellLink; gap -= 2) {
            VirtualArray.put(column, gap, kCellBlank);
            if (VirtualArray.at(column, gap - 1) != kCellLink) break;
            VirtualArray.put(column, gap - 1, kCellBlank);
        }
    }
}

// After the line at row went: a link carried through the line that moved up, which the gap above
// no longer feeds, hangs from nothing down to the lines below; it goes.
void dropLinksFromNothing(std::int64_t row) {
    for (std::int64_t column = 1; column < kCanvasColumns; column += 2) {
        if (VirtualArray.at(column, row) != kCellLink ||
            (row > 0 && VirtualArray.at(column, row - 1) == kCellLink))
            continue;
        for (std::int64_t line = row; VirtualArray.at(column, line) == kCellLink; line += 2) {
            VirtualArray.put(column, line, kCellBlank);
            VirtualArray.put(column, line + 1, kCellBlank);
        }
    }
}

}  // namespace

bool closeLine(std::uint32_t y) {
    if (y >= getEndObjectY()) return false;
    const std::int64_t row = canvasRowOf(y);
    if (canvasGeometryReady() && row > 0) dropLinksEndingOnLine(row);
    for (stLadderBlock* o = ldrHead; o != nullptr;) {
        stLadderBlock* next = o->next;
        if (o->yAddr == y) {
            recordDeletedStep(*o);
            removeLadderObject(ldrList, o);
        }
        o = next;
    }
    deleteGridLine(y);
    if (canvasGeometryReady()) dropLinksFromNothing(row);
    shiftObjectsUp(y);
    for (GrayMarkList* list : {&grayMarks, &insGrayMarks, &delGrayMarks})
        for (stGrayMark* mark = list->head; mark != nullptr; mark = mark->next)
            if (mark->Y > y) mark->Y -= lineHeight();
    if (ladderBottomY > y) ladderBottomY -= lineHeight();
    addDelGrayMarkRow(y);
    return true;
}

LineRange frameLines() {
    const std::uint32_t first = frameLineY();
    const std::uint32_t bottom = std::max(BlueFrame.y2, first);
    return {first, first + (bottom - first) / lineHeight() * lineHeight()};
}

bool copyLines(const LineRange& lines) {
    const std::vector<const stLadderBlock*> objects = objectsOnLines(lines);
    if (objects.empty()) return false;
    if (objects.size() > kMaxCopiedObjects) {
        platform::say({kTooManyToCopyText, kTooManyToCopyCaption, platform::MsgIcon::Warning});
        return false;
    }
    if (!isClipboardMemoryValid()) initClipboardMemory(kLadderObjectRecordSize);
    FreeLadderMemory(kListCopy);
    for (std::size_t i = 0; i < kClipboardObjectSlots; ++i) {
        const std::span<std::uint8_t> slot = clipboardObjectSlot(i);
        std::fill(slot.begin(), slot.end(), std::uint8_t{0});
        if (i >= objects.size()) continue;
        ReallocLadderMemory(kLinkCopyList, 0);
        loadLadderObjectImage(ladderObjectImage(*objects[i]), *ldrNew);
        if (i == 0) ldrNew->flagByte1 |= kFlag1CopyMark;
        const LadderObjectImage image = ladderObjectImage(*ldrNew);
        std::copy(image.begin(), image.end(), slot.begin());
    }
    CopyVirtualArray.fill(kCanvasColumns, kCellBlank);
    // The paste puts the first object's line at the frame: the cells copied begin there too.
    std::uint32_t firstY = objects.front()->yAddr, lastY = firstY;
    for (const stLadderBlock* o : objects) {
        firstY = std::min(firstY, o->yAddr);
        lastY = std::max(lastY, o->yAddr);
    }
    const std::int64_t firstRow = canvasRowOf(firstY);
    for (std::int64_t row = firstRow; row <= canvasRowOf(lastY); ++row)
        copyCanvasRow(CopyVirtualArray, row - firstRow, VirtualArray, row);
    return true;
}

std::vector<stLadderBlock> clipboardObjects() {
    std::vector<stLadderBlock> objects;
    if (!isClipboardMemoryValid()) return objects;
    for (std::size_t i = 0; i < kClipboardObjectSlots; ++i) {
        const std::span<const std::uint8_t> slot = clipboardObjectSlot(i);
        if (slot.size() != kLadderObjectImageSize || isEmptySlot(slot)) break;
        LadderObjectImage image{};
        std::copy(slot.begin(), slot.end(), image.begin());
        loadLadderObjectImage(image, objects.emplace_back());
    }
    return objects;
}

bool pasteLines() {
    const std::vector<stLadderBlock> objects = clipboardObjects();
    if (objects.empty()) return false;
    std::uint32_t firstY = objects.front().yAddr;
    std::uint32_t lastY = firstY;
    for (const stLadderBlock& o : objects) {
        firstY = std::min(firstY, o.yAddr);
        lastY = std::max(lastY, o.yAddr);
    }
    const std::uint32_t at = std::min(frameLineY(), getEndObjectY());
    if (isJoinedToLineAbove(at)) {
        platform::say({kPasteInsideRungText, kPasteInsideRungCaption, platform::MsgIcon::Warning});
        return false;
    }
    editModeFlags |= kEditPasteRunning;
    const std::uint32_t lineCount = (lastY - firstY) / lineHeight() + 1;
    openLines(at, lineCount, false);
    const std::uint32_t idOffset = largestBlockId();
    for (const stLadderBlock& source : objects) {
        auto* object = new stLadderBlock(source);
        object->next = object->prev = nullptr;
        object->yAddr = source.yAddr - firstY + at;
        object->yTopPos = source.yTopPos >= firstY ? source.yTopPos - firstY + at : at;
        object->objLbc = source.objLbc + idOffset;
        object->stepNo = kStepNoUnassigned;
        linkInReadingOrder(object);
        markPastedCells(*object);
    }
    // The copied cells hold what the objects alone do not tell: links, wires, joints and labels.
    const std::int64_t firstRow = canvasRowOf(at);
    for (std::int64_t row = 0; row < 2 * static_cast<std::int64_t>(lineCount) - 1; ++row)
        for (std::int64_t column = 0; column < kCanvasColumns; ++column)
            if (const char copied = CopyVirtualArray.at(column, row); copied != '\0')
                VirtualArray.put(column, firstRow + row, copied);
    for (std::uint32_t line = 0; line < lineCount; ++line) addInsGrayMarkRow(at + line * lineHeight());
    PasteFinish finish;
    ModifyHLineToVirtualCanvas();
    finish.undoWhatThePassesAdded();
    editModeFlags &= static_cast<std::uint8_t>(~kEditPasteRunning);
    setBlueFrameObject(BlueFrame.x1, at);
    return true;
}

}  // namespace kestrion
