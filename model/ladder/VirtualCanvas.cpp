#include "model/ladder/VirtualCanvas.h"

#include <algorithm>
#include <cstring>

#include "model/image/ModeData.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/CanvasTexts.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kTracePanel = 13;

// Whether every cell from `from` up to `to` is blank, read eight at a time: the search for the
// last used row reads each row up to its first drawn cell.
bool allBlank(const char* from, const char* to) {
    static_assert(kCellBlank == 0x20);
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
    for (; to - from >= 8; from += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, from, sizeof eight);
        if (eight != kEightBlanks) return false;
    }
    return std::all_of(from, to, [](char cell) { return cell == kCellBlank; });
}

std::int64_t cellWidth() {
    return ModeData.xSizeSymble;
}

void showTooWide(const char* caption) {
    platform::say({getMsgDeviceTooMuch(), caption, platform::MsgIcon::Error});
}

// A widening keeps every column the geometry names inside the grid.
bool widenedGeometryFits(std::int64_t steps, bool alsoColumns) {
    const std::int64_t busEnd = draw.iBusLineEnd + steps * cellWidth();
    const std::int64_t columns =
        virtualArrayColumns + (alsoColumns ? steps * (cellWidth() / symbleHalfWidth) : 0);
    return busEnd / symbleHalfWidth < kCanvasColumns && columns <= kCanvasColumns;
}

// Widenings needed until x lies left of the right bus.
std::int64_t widenStepsFor(std::int64_t x) {
    const std::int64_t beyond = x - std::int64_t{draw.iBusLineEnd};
    return beyond < 0 ? 0 : beyond / cellWidth() + 1;
}

bool rowFits(std::int64_t y) {
    return canvasRowOf(y) < kCanvasRows;
}

char objectCell(const stLadderBlock& object) {
    if (object.iCode == 0xF000) return kCellStl;
    if (object.iCode == kCodeNop) return kCellNop;
    return kCellContact;
}

// The status text is made only when the output does not fit: most never need it.
template <class StatusText>
std::uint32_t markOutput(std::int64_t x, std::int64_t y, StatusText tooWideStatus, const char* caption) {
    if (!canvasGeometryReady()) return 0;
    if (!rowFits(y)) {
        showLadderTooLong();
        return 0;
    }
    if (x < std::int64_t{draw.iBusLineEnd}) {
        putCanvasCellAt(x, y, kCellOutput);
        for (std::int64_t tail = x + cellWidth(); tail < std::int64_t{draw.iBusLineEnd}; tail += cellWidth())
            putCanvasCellAt(tail, y, kCellOutputTail);
        return 1;
    }
    if (!widenedGeometryFits(1, false)) {
        showTooWide(caption);
        return 0;
    }
    platform::statusBar().setPanelText(kTracePanel, tooWideStatus());
    draw.iBusLineEnd += ModeData.xSizeSymble;
    editModeFlags |= kEditOutputsToRightBus;
    showTooWide(caption);
    return 0;
}

bool hasLinkBeside(std::uint32_t x, std::uint32_t y, int columnStep, int rowStep) {
    if (!searchLadderObject(kSearchMain, x, y)) return false;
    return canvasCellAt(x, y, columnStep, rowStep) == kCellLink;
}

bool ownsOutputAt(std::int64_t column, std::int64_t row, std::uint32_t id) {
    const auto x = static_cast<std::uint32_t>(column * symbleHalfWidth);
    const auto y = static_cast<std::uint32_t>(row * symbleHalfHeight);
    return searchLadderObject(kSearchMain, x, y) && ldrSearch->objLbc == id;
}

bool isUncompiledOutput(std::int64_t column, std::int64_t row) {
    return VirtualArray.at(column, row) == kCellOutput && bCompileVirtualArray.at(column, row) == kCellBlank;
}

void drawUpwardLinksOfRow(std::int64_t row, std::int64_t lastColumn) {
    for (std::int64_t column = firstCellColumn(); column <= lastColumn; column += 2) {
        if (VirtualArray.at(column - 1, row - 1) != kCellLink) continue;
        drawVerticalLineSegment(1, static_cast<std::uint32_t>(column * symbleHalfWidth),
                                static_cast<std::uint32_t>(row * symbleHalfHeight), symbleHalfHeight,
                                zoomPercent);
    }
}

}  // namespace

// ---- Geometry -------------------------------------------------------------------------------------

std::int64_t firstCellColumn() {
    return canvasColumnOf(draw.iBusLineStart);
}

std::int64_t lastCellColumn() {
    return canvasColumnOf(std::int64_t{draw.iBusLineEnd} - cellWidth());
}

// ---- Messages -------------------------------------------------------------------------------------

std::string getMsgDeviceTooMuch() {
    return canvasTexts().deviceTooMuch();
}

void showLadderTooLong() {
    platform::say({kLadderTooLongText, kLadderTooLongCaption, platform::MsgIcon::Error});
}

void requireRowOnCanvas(std::uint32_t y) {
    if (!canvasGeometryReady() || rowFits(y)) return;
    showLadderTooLong();
    throw CanvasError(kLadderTooLongText);
}

// ---- Operations -----------------------------------------------------------------------------------

void clearVirtualCanvas() {
    VirtualArray.fill(virtualArrayColumns, kCellBlank);
}

void clearCompileVirtualArray() {
    bCompileVirtualArray.fill(virtualArrayColumns, kCellBlank);
}

bool setCanvasCell(std::int64_t column, std::int64_t row, char cell) {
    return VirtualArray.put(column, row, cell);
}

std::uint32_t setNowObjectCell() {
    if (ldrNow == nullptr || !canvasGeometryReady()) return 0;
    const stLadderBlock& object = *ldrNow;
    if (!rowFits(object.yAddr)) {
        showLadderTooLong();
        return 0;
    }
    const std::int64_t steps = widenStepsFor(object.xAddr);
    if (steps == 0) {
        putCanvasCellAt(object.xAddr, object.yAddr, objectCell(object));
        return 1;
    }
    if (!widenedGeometryFits(steps, true)) {
        showTooWide("Error2014122001...");
        return 0;
    }
    const std::string status = "InstructionTooMuch...Error.." + std::to_string(object.stepNo);
    for (std::int64_t i = 0; i < steps; ++i) {
        platform::statusBar().setPanelText(kTracePanel, status);
        draw.iBusLineEnd += ModeData.xSizeSymble;
        virtualArrayColumns += ModeData.xSizeSymble / symbleHalfWidth;
    }
    putCanvasCellAt(object.xAddr, object.yAddr, objectCell(object));
    editModeFlags |= kEditOutputsToRightBus;
    for (std::int64_t i = 0; i < steps; ++i) showTooWide("Error2014122001...");
    return 0;
}

std::uint32_t setOutputCells(std::uint32_t x, std::uint32_t y) {
    return markOutput(
        x, y, [] { return std::string("InstructionTooMuch...Error.."); }, "Error2014122011...");
}

std::uint32_t setNowOutputCells() {
    if (ldrNow == nullptr) return 0;
    const auto status = [step = ldrNow->stepNo] {
        return "InstructionTooMuchError.." + std::to_string(step);
    };
    return markOutput(ldrNow->xAddr, ldrNow->yAddr, status, "Error2014122021...");
}

void backupVirtualCanvas(int slot) {
    if (slot == 0) cancelVirtualArray.copyColumnsFrom(VirtualArray, virtualArrayColumns);
    if (slot == 1) BkVirtualArray.copyColumnsFrom(VirtualArray, virtualArrayColumns);
}

void restoreVirtualCanvas(int slot) {
    if (slot == 0) VirtualArray.copyColumnsFrom(cancelVirtualArray, virtualArrayColumns);
    if (slot == 1) VirtualArray.copyColumnsFrom(BkVirtualArray, virtualArrayColumns);
}

void eraseCanvasCell(std::uint32_t x, std::uint32_t y) {
    if (!canvasGeometryReady()) return;
    const std::int64_t c = canvasColumnOf(x);
    const std::int64_t r = canvasRowOf(y);
    CanvasGrid& grid = VirtualArray;
    const char cell = grid.at(c, r);
    if (cell == kCellOutput) {
        grid.put(c, r, kCellBlank);
        for (std::int64_t tail = c + 2; tail < rightBusColumn(); tail += 2) grid.put(tail, r, kCellBlank);
        for (std::int64_t wire = c - 2; grid.at(wire, r) == kCellWire; wire -= 2)
            grid.put(wire, r, kCellBlank);
    } else if (cell != kCellBlank) {
        grid.put(c, r, kCellBlank);
        if (grid.at(c - 1, r + 1) == kCellLink) {
            // A link runs on below: keep it joined with the one above through this row.
            if (grid.at(c - 1, r - 1) == kCellLink) grid.put(c - 1, r, kCellLink);
        } else {
            grid.put(c - 1, r - 1, kCellBlank);
        }
    }
    if (grid.at(c + 1, r - 1) == kCellLink && grid.at(c + 2, r) == kCellBlank)
        grid.put(c + 1, r - 1, kCellBlank);
}

std::uint32_t searchLastUsedRow(std::uint32_t startRow) {
    return searchLastUsedRowFrom(0, startRow);
}

std::uint32_t searchLastUsedRowFrom(std::uint32_t x, std::uint32_t startRow) {
    if (!canvasGeometryReady()) return startRow;
    // Column 31 and, where a long rung widened the bus, every column up to it: a row whose cells all
    // lie past column 31 is no blank row.
    const std::int64_t lastTestedColumn = std::max<std::int64_t>(31, rightBusColumn() + 1);
    const std::int64_t first = canvasColumnOf(x);
    const std::int64_t firstTested = std::max<std::int64_t>(first, 0);
    const std::int64_t endRow = canvasRowOf(getEndObjectY());
    std::uint32_t result = startRow;
    // Columns past the grid read as blank.
    const std::int64_t lastColumn = std::min<std::int64_t>(lastTestedColumn, kCanvasColumns - 1);
    for (std::int64_t row = startRow; row < endRow; ++row) {
        const char* cells = VirtualArray.rowCells(row);
        if (cellOfRow(cells, first) == kCellBlank) result = static_cast<std::uint32_t>(row) - 1;
        if (cells == nullptr || firstTested > lastColumn) break;
        if (allBlank(cells + firstTested, cells + lastColumn + 1)) break;
    }
    return result;
}

bool hasLineLeftUp(std::uint32_t x, std::uint32_t y) {
    return hasLinkBeside(x, y, -1, -1);
}

bool hasLineRightUp(std::uint32_t x, std::uint32_t y) {
    return hasLinkBeside(x, y, 1, -1);
}

bool hasLineLeftDown(std::uint32_t x, std::uint32_t y) {
    return hasLinkBeside(x, y, -1, 1);
}

bool hasLineRightDown(std::uint32_t x, std::uint32_t y) {
    return hasLinkBeside(x, y, 1, 1);
}

bool isBlockOutputBetweenRows(std::uint32_t y1, std::uint32_t y2, std::uint32_t id) {
    ldrSearch = nullptr;
    if (!canvasGeometryReady()) return false;
    const std::int64_t column = lastCellColumn();
    const std::int64_t lastRow = std::min(canvasRowOf(y2), kCanvasRows - 1);
    for (std::int64_t row = canvasRowOf(y1) + 2; row <= lastRow; row += 2) {
        const char cell = VirtualArray.at(column, row);
        if (isUncompiledOutput(column, row)) return ownsOutputAt(column, row, id);
        if (cell != kCellOutputTail) continue;
        for (std::int64_t left = column; left > firstCellColumn(); left -= 2) {
            if (!isUncompiledOutput(left, row)) continue;
            if (ownsOutputAt(left, row, id)) return true;
            break;
        }
    }
    return false;
}

void drawVerticalLinesOfRows(std::uint32_t n) {
    if (ldrDrawHead == nullptr || !canvasGeometryReady()) return;
    std::int64_t row = canvasRowOf(ldrDrawHead->yAddr);
    // The line at the top of a scrolled view shows the links that come down from above it.
    if (viewTopY > 0) drawUpwardLinksOfRow(row, virtualArrayColumns);
    for (std::uint64_t k = 0; k <= n; k += 2) {
        row += 2;
        drawUpwardLinksOfRow(row, std::int64_t{virtualArrayColumns} - 1);
    }
}

}  // namespace kestrion
