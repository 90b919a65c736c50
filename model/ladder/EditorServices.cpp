#include "model/ladder/EditorServices.h"

#include <memory>

#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion {

namespace {

bool anyRowMarked() {
    return grayMarks.head != nullptr || insGrayMarks.head != nullptr || delGrayMarks.head != nullptr;
}

// The first main-list object whose cells cover x on row y; joints and empty objects have none.
stLadderBlock* objectCovering(std::uint32_t x, std::uint32_t y) {
    return firstOnRow(
        y,
        [](const stLadderBlock& o, std::uint32_t at) {
            return !isBlockJoint(o.iCode) && o.iCode != kCodeNull && o.xAddr <= at && at < o.Xend;
        },
        x);
}

std::uint32_t scaled(std::uint32_t value, std::uint32_t zoom) {
    return static_cast<std::uint32_t>(std::uint64_t{value} * zoom / 100);
}

}  // namespace

void setBlueFrameObject(std::uint32_t x, std::uint32_t y) {
    if (anyRowMarked()) redrawFlags |= kRedrawMarks;
    if (!searchLadderObject(kSearchMain, x, y)) ldrSearch = objectCovering(x, y);
    if (ldrSearch == nullptr) {
        BlueFrame = {x, y, x + ModeData.xSizeSymble - 1, y + ModeData.ySizeSymble - 1};
    } else {
        stLadderBlock& object = *ldrSearch;
        if (object.Xend > draw.iBusLineEnd) {
            noteObjectChange(&object);
            object.Xend = draw.iBusLineEnd;
        }
        BlueFrame = {object.xAddr, object.yAddr, object.Xend - 1, object.yAddr + ModeData.ySizeSymble - 1};
    }
    redrawFlags |= kRedrawFrame;
    requestViewScroll(ViewScroll::toFrame());
}

void initBlueFrame(std::uint32_t zoom) {
    const std::uint32_t x = scaled(draw.iBusLineStart, zoom);
    BlueFrame = {x, 0, x + scaled(ModeData.xSizeSymble, zoom) - 1, scaled(ModeData.ySizeSymble, zoom) - 1};
    redrawFlags |= kRedrawFrame;
}

void backupLadderDiagramMemory(int mode) {
    if (mode != 0 && mode != 1) return;
    ++canvasState.undoCopyGeneration;
    if (mode == 1) {
        copyMainListForUndo();
    } else {
        ldrBackup.reset();
        // Inside a command the edit-cancel copy is taken when the command has ended: the objects
        // the command replaced are kept until then for its snapshot, and a copy taken now would
        // hold a further ladder in memory beside them.
        if (transaction::active())
            canvasState.editCancelCopyDue = true;
        else
            ldrBackup = std::make_shared<const PackedLadder>(ldrList);
    }
    // A fresh edit-cancel copy (after New, Open, Convert, a read) leaves nothing to undo.
    canvasState.undoMenuEnabled = mode == 1;
    canvasState.editCancelMenuEnabled = true;
}

void nopOutRowRange(std::uint32_t xFrom, std::uint32_t y, std::uint32_t xTo) {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->yAddr != y || o->xAddr < xFrom || o->xAddr >= xTo) continue;
        noteObjectChange(o);
        o->iCode = kCodeNop;
        setText(o->mnemonic, "NOP");
        for (auto& operand : o->operands) operand.fill('\0');
        o->operand6.fill('\0');
        ldrSearch = o;
    }
}

void drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                             std::uint32_t zoom) {
    if (ladderView() != nullptr) ladderView()->drawVerticalLineSegment(direction, x, y, dy, zoom);
}

}  // namespace kestrion
