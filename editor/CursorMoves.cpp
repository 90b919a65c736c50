#include "editor/CursorMoves.h"

#include <algorithm>
#include <tuple>

#include "editor/EditorViewState.h"
#include "entry/EntryDriver.h"
#include "entry/EntryState.h"
#include "entry/InstructionBox.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

namespace {

// The coil symbol: its operands alone name no instruction, so the output key types "OUT " instead.
constexpr std::uint32_t kOutputKeySymbol = 7;

std::uint32_t cellWidth() {
    return std::max<std::uint32_t>(ModeData.xSizeSymble, 1);
}

std::uint32_t cellHeight() {
    return std::max<std::uint32_t>(ModeData.ySizeSymble, 1);
}

std::uint32_t lastCellX() {
    return draw.iBusLineEnd >= cellWidth() ? draw.iBusLineEnd - cellWidth() : 0;
}

std::uint32_t lastLineY() {
    return ldrTail != nullptr ? ldrTail->yAddr : 0;
}

std::uint32_t pageHeight() {
    const std::uint32_t zoom = zoomPercent == 0 ? 100 : zoomPercent;
    const std::uint32_t lines = editorView.viewportHeight * 100 / zoom / cellHeight();
    return std::max<std::uint32_t>(lines, 1) * cellHeight();
}

// The framed object, or null.
stLadderBlock* framedObject() {
    setBlueFrameObject(BlueFrame.x1, BlueFrame.y1);
    return ldrSearch;
}

void frameCursor() {
    setBlueFrameObject(xOldCursor, yOldCursor);
    requestLadderRedraw();
}

// The box opens at the cursor; afterwards the frame follows the cursor wherever the entry left it.
template <class Open>
void openAtCursor(Open open) {
    BlueFrame.x1 = xOldCursor;
    BlueFrame.y1 = yOldCursor;
    open();
    frameCursor();
}

}  // namespace

std::pair<std::uint32_t, std::uint32_t> cursorTarget(CursorMove move) {
    std::uint32_t x = xOldCursor;
    std::uint32_t y = yOldCursor;
    switch (move) {
        case CursorMove::Left: x = BlueFrame.x1 >= cellWidth() ? BlueFrame.x1 - cellWidth() : 0; break;
        case CursorMove::Right: x = std::max(x + cellWidth(), BlueFrame.x2 + 1); break;
        case CursorMove::Up: y = y >= cellHeight() ? y - cellHeight() : 0; break;
        case CursorMove::Down: y += cellHeight(); break;
        case CursorMove::LineStart: x = draw.iBusLineStart; break;
        case CursorMove::LineEnd: x = lastCellX(); break;
        case CursorMove::PageUp: y = y >= pageHeight() ? y - pageHeight() : 0; break;
        case CursorMove::PageDown: y += pageHeight(); break;
    }
    return {std::min(x / cellWidth() * cellWidth(), lastCellX()),
            std::min(y / cellHeight() * cellHeight(), lastLineY())};
}

void moveCursor(CursorMove move) {
    std::tie(xOldCursor, yOldCursor) = cursorTarget(move);
    frameCursor();
}

void clickLadderAt(int screenX, int screenY) {
    const std::uint32_t zoom = zoomPercent == 0 ? 100 : zoomPercent;
    const auto ladder = [zoom](int screen, std::uint32_t cell, std::uint32_t last) {
        const std::uint32_t value = static_cast<std::uint32_t>(std::max(screen, 0)) * 100 / zoom;
        return std::min(value / cell * cell, last);
    };
    xMouseCell = ladder(screenX, cellWidth(), lastCellX());
    yMouseCell = ladder(screenY, cellHeight(), lastLineY());
    xOldCursor = xMouseCell;
    yOldCursor = yMouseCell;
    setBlueFrameObject(xOldCursor, yOldCursor);
    clickedOperandText.fill('\0');
    if (ldrSearch != nullptr) setText(clickedOperandText, textOf(ldrSearch->operands[0]));
}

std::optional<std::uint32_t> functionKeySymbol(int functionKey, bool shift) {
    struct KeySymbol {
        int key;
        std::uint32_t plain;
        std::uint32_t shifted;  // 0: none
    };
    static constexpr KeySymbol kKeys[] = {{2, 2, 13}, {3, 3, 14}, {5, 5, 11},
                                          {6, 6, 12}, {7, 7, 0},  {8, 8, 0}};
    for (const KeySymbol& k : kKeys) {
        if (k.key != functionKey) continue;
        if (!shift) return k.plain;
        if (k.shifted != 0) return k.shifted;
    }
    return std::nullopt;
}

void openBoxOnKey(char first) {
    openAtCursor([first] { openInstructionBoxOnKey(first); });
}

void openBoxOnSymbol(std::uint32_t symbolCode) {
    openAtCursor([symbolCode] { openInstructionBoxOnSymbol(symbolCode); });
}

bool openBoxOnFunctionKey(int functionKey, bool shift) {
    const auto symbol = functionKeySymbol(functionKey, shift);
    if (!symbol) return false;
    if (*symbol == kOutputKeySymbol)
        openAtCursor(openInstructionBoxOnOutputKey);
    else
        openBoxOnSymbol(*symbol);
    return true;
}

void openBoxOnFrame() {
    const stLadderBlock* object = framedObject();
    if (object == nullptr || object->iCode == kCodeNop) return;
    xOldCursor = object->xAddr;
    yOldCursor = object->yAddr;
    openInstructionBoxOnObject(*object);
    frameCursor();
}

void toggleInsertMode() {
    editModeFlags ^= kEditInsertMode;
}

bool deleteFramedObject() {
    stLadderBlock* object = framedObject();
    if (object == nullptr || object == ldrTail || object->iCode == kCodeEnd || object->iCode == kCodeNop ||
        refuseEditInMonitorMode())
        return false;
    const std::uint32_t y = BlueFrame.y1, from = BlueFrame.x1, to = BlueFrame.x2 + 1;
    return runCommand([&] {
        backupLadderDiagramMemory(1);
        backupVirtualCanvas(1);
        // A label stands before the bus: it goes, and no wire takes its cell.
        if (isLabelCode(object->iCode)) {
            eraseCanvasCell(object->xAddr, object->yAddr);
            removeLadderObject(ldrList, object);
            ldrSearch = nullptr;
        }
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            if (o->yAddr != y || o->xAddr < from || o->xAddr >= to) continue;
            // The wire keeps the links at either side of a contact: the view draws them joined.
            if (canvasCellAt(o->xAddr, y) == kCellOutput) eraseCanvasCell(o->xAddr, y);
            putCanvasCellAt(o->xAddr, y, kCellNop);
        }
        nopOutRowRange(from, y, to);
        addGrayMaskRow(y);
        editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
        canvasState.editCancelMenuEnabled = true;
        frameCursor();
    });
}

}  // namespace kestrion
