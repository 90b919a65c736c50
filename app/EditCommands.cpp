#include "app/EditCommands.h"

#include <algorithm>
#include <span>
#include <vector>

#include "app/MainView.h"
#include "editor/DeviceReplace.h"
#include "entry/EntryDriver.h"
#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kEditPasting = 0x10;  // ModifyHLineToVirtualCanvas leaves xBlockAddr alone

std::uint32_t cellHeight() {
    return ModeData.ySizeSymble;
}

// A program is open and its cells have a size.
bool ladderOpen() {
    return ldrHead != nullptr && cellHeight() != 0;
}

void takeUndoCopy() {
    backupLadderDiagramMemory(1);
    backupVirtualCanvas(1);
}

void markEdited() {
    editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
    redrawFlags |= kRedrawLadder | kRedrawObjects;
    canvasState.editCancelMenuEnabled = true;
}

// Counts the warning and error boxes shown while it lives. A pass deep inside an edit may show
// its box and go on; the edit has failed all the same and must not stay half done.
class ErrorBoxWatch : public platform::Messages {
public:
    ErrorBoxWatch() : shown_(platform::messages()) { installMessages(this); }
    ~ErrorBoxWatch() override { installMessages(&shown_); }
    ErrorBoxWatch(const ErrorBoxWatch&) = delete;
    ErrorBoxWatch& operator=(const ErrorBoxWatch&) = delete;

    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             platform::MsgButtons buttons) override {
        if (icon == platform::MsgIcon::Warning || icon == platform::MsgIcon::Error) ++errors_;
        return shown_.show(text, caption, icon, buttons);
    }
    bool sawError() const { return errors_ != 0; }

private:
    static void installMessages(platform::Messages* messages) {
        platform::install({messages, &platform::statusBar(), &platform::trace(), &platform::progress(),
                           &platform::system(), &platform::clock(), &platform::timers(), &platform::files(),
                           &platform::serial()});
    }

    platform::Messages& shown_;
    int errors_ = 0;
};

// Runs an edit of the open ladder: refused while a monitor runs, undo copy first, one transaction;
// an edit that had to show an error box is undone.
template <class Change>
void runEdit(Change&& change) {
    if (refuseEditInMonitorMode() || !ladderOpen()) return;
    ErrorBoxWatch errors;
    runCommand([&] {
        takeUndoCopy();
        if (!change() || errors.sawError()) return false;
        markEdited();
        return true;
    });
    refreshEditItems();
}

// The top of the ladder line the frame starts on.
std::uint32_t frameLineY() {
    return BlueFrame.y1 / cellHeight() * cellHeight();
}

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

// Lines of n cell heights open in front of the line at y; objects, canvas rows, marks and the
// bottom of the ladder below it move down. With carryLinks a vertical link that joined the line
// above to the line at y runs on through the new lines.
void openLines(std::uint32_t y, std::uint32_t n, bool carryLinks) {
    const std::uint32_t dy = n * cellHeight();
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

// Takes the line at y out; false for END's line and below, which stay.
bool closeLine(std::uint32_t y) {
    if (y >= getEndObjectY()) return false;
    for (stLadderBlock* o = ldrHead; o != nullptr;) {
        stLadderBlock* next = o->next;
        if (o->yAddr == y) {
            recordDeletedStep(*o);
            removeLadderObject(ldrList, o);
        }
        o = next;
    }
    deleteGridLine(y);
    shiftObjectsUp(y);
    for (GrayMarkList* list : {&grayMarks, &insGrayMarks, &delGrayMarks})
        for (stGrayMark* mark = list->head; mark != nullptr; mark = mark->next)
            if (mark->Y > y) mark->Y -= cellHeight();
    if (ladderBottomY > y) ladderBottomY -= cellHeight();
    addDelGrayMarkRow(y);
    return true;
}

// The lines the frame covers: from its first line to the last line its bottom reaches.
struct LineRange {
    std::uint32_t firstY = 0;
    std::uint32_t lastY = 0;
};

LineRange frameLines() {
    const std::uint32_t first = frameLineY();
    const std::uint32_t bottom = std::max(BlueFrame.y2, first);
    return {first, first + (bottom - first) / cellHeight() * cellHeight()};
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

// The copy list and the clipboard block take the objects, the copy grid their lines' cells.
bool copyLines(const LineRange& lines) {
    const std::vector<const stLadderBlock*> objects = objectsOnLines(lines);
    if (objects.empty()) return false;
    if (objects.size() > kMaxCopiedObjects) {
        platform::messages().show(kTooManyToCopyText, kTooManyToCopyCaption, platform::MsgIcon::Warning,
                                  platform::MsgButtons::Ok);
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
    const std::int64_t firstRow = canvasRowOf(lines.firstY);
    for (std::int64_t row = firstRow; row <= canvasRowOf(lines.lastY); ++row)
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

void markPastedCells(const stLadderBlock& object) {
    const bool placed = object.end == kEndOutput ? setNowOutputCells() != 0 : setNowObjectCell() != 0;
    // The object lies beyond the right bus of this ladder (copied with more device columns).
    if (!placed) throw CanvasError(getMsgDeviceTooMuch());
}

bool pasteLines() {
    const std::vector<stLadderBlock> objects = clipboardObjects();
    if (objects.empty()) return false;
    editModeFlags |= kEditPasting;
    std::uint32_t firstY = objects.front().yAddr;
    std::uint32_t lastY = firstY;
    for (const stLadderBlock& o : objects) {
        firstY = std::min(firstY, o.yAddr);
        lastY = std::max(lastY, o.yAddr);
    }
    const std::uint32_t at = std::min(frameLineY(), getEndObjectY());
    const std::uint32_t lineCount = (lastY - firstY) / cellHeight() + 1;
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
            if (const char copied = CopyVirtualArray.at(column, row); copied != kCellBlank && copied != '\0')
                VirtualArray.put(column, firstRow + row, copied);
    for (std::uint32_t line = 0; line < lineCount; ++line) addInsGrayMarkRow(at + line * cellHeight());
    ModifyHLineToVirtualCanvas();
    editModeFlags &= static_cast<std::uint8_t>(~kEditPasting);
    setBlueFrameObject(BlueFrame.x1, at);
    return true;
}

// The edit-cancel copy in place of the ladder, its nodes copied with new links.
void restoreEditCancelCopy() {
    freeLadderList(ldrList);
    ldrBackup->unpackInto(ldrList);
    ldrNow = ldrTail;
    ldrSearch = nullptr;
    restoreVirtualCanvas(0);
    for (int list : {kListInsertedRows, kListDeletedRows, kListEditedRows}) FreeLadderMemory(list);
}

}  // namespace

void refreshEditItems() {
    const bool open = ldrHead != nullptr;
    menuItem("Undo1").enabled = open && ldrUndoHead != nullptr && canvasState.undoMenuEnabled;
    const bool cancel = open && hasEditCancelCopy() && canvasState.editCancelMenuEnabled;
    menuItem("EditCancel1").enabled = cancel;
}

void Undo1Click() {
    if (refuseEditInMonitorMode() || !ladderOpen() || ldrUndoHead == nullptr) return;
    runCommand([] {
        std::swap(ldrList, ldrUndoList);
        std::swap(VirtualArray, BkVirtualArray);
        swapReplacedComments();
        ldrSearch = nullptr;
        markEdited();
        setBlueFrameObject(BlueFrame.x1, frameLineY());
    });
    refreshEditItems();
}

void EditCancel1Click() {
    if (refuseEditInMonitorMode() || !ladderOpen() || !hasEditCancelCopy()) return;
    runCommand([] {
        takeUndoCopy();
        restoreEditCancelCopy();
        // The ladder is the converted one again; it still differs from the saved file.
        editModeFlags &= static_cast<std::uint8_t>(~kEditLadderNotConverted);
        editModeFlags |= kEditModifiedSinceSave;
        redrawFlags |= kRedrawLadder | kRedrawObjects;
        setBlueFrameObject(BlueFrame.x1, frameLineY());
    });
    refreshEditItems();
}

void EditCancel2Click() {
    EditCancel1Click();
}

void Copy1Click() {
    if (!ladderOpen()) return;
    copyLines(frameLines());
}

void Cut1Click() {
    runEdit([] {
        const LineRange lines = frameLines();
        if (!copyLines(lines)) return false;
        for (std::uint32_t y = lines.lastY + cellHeight(); y > lines.firstY;) {
            y -= cellHeight();
            closeLine(y);
        }
        setBlueFrameObject(BlueFrame.x1, lines.firstY);
        return true;
    });
}

void Paste1Click() {
    runEdit(pasteLines);
}

void InsertLine1Click() {
    runEdit([] {
        const std::uint32_t y = std::min(frameLineY(), getEndObjectY());
        openLines(y, 1, true);
        addInsGrayMarkRow(y);
        setBlueFrameObject(BlueFrame.x1, y);
        return true;
    });
}

void DeleteLine1Click() {
    runEdit([] {
        if (!closeLine(frameLineY())) return false;
        setBlueFrameObject(BlueFrame.x1, frameLineY());
        return true;
    });
}

}  // namespace kestrion
