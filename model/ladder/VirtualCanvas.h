// The virtual canvas: one character per half cell of the ladder, so that editors, converters and
// the loader can ask what lies next to an object without walking the object list. Pixel (x, y)
// at zoom 100 % is column x / symbleHalfWidth, row y / symbleHalfHeight; even columns are cells,
// odd columns the vertical lines between them; even rows are ladder lines, odd rows the gaps.
#pragma once

#include <cstdint>
#include <string>

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {

// ---- Geometry of the canvas (all -1 or 0 while no drawing geometry is set) ---------------------

// The passes ask these millions of times in a conversion: they are inline.
inline bool canvasGeometryReady() {
    return symbleHalfWidth > 0 && symbleHalfHeight > 0;
}
// A coordinate in cells of size (pixel values take a narrow division); -1 without a size or
// left of or above the canvas.
inline std::int64_t inCanvasCells(std::int64_t value, std::uint32_t size) {
    if (size == 0 || value < 0) return -1;
    if (value <= std::int64_t{UINT32_MAX}) return static_cast<std::uint32_t>(value) / size;
    return value / size;
}
inline std::int64_t canvasColumnOf(std::int64_t x) {
    return inCanvasCells(x, symbleHalfWidth);
}
inline std::int64_t canvasRowOf(std::int64_t y) {
    return inCanvasCells(y, symbleHalfHeight);
}
std::int64_t firstCellColumn();
std::int64_t lastCellColumn();  // the cell column just left of the right bus
inline std::int64_t rightBusColumn() {
    return canvasColumnOf(draw.iBusLineEnd);
}
// The cell of VirtualArray at a pixel position, and its neighbours half a cell away.
inline char canvasCellAt(std::int64_t x, std::int64_t y, int columnStep = 0, int rowStep = 0) {
    if (!canvasGeometryReady()) return kCellBlank;
    return VirtualArray.at(canvasColumnOf(x) + columnStep, canvasRowOf(y) + rowStep);
}
// A cell of a row VirtualArray.rowCells gave, as VirtualArray.at reads it: blank outside the grid.
inline char cellOfRow(const char* cells, std::int64_t column) {
    return CanvasGrid::cellOfRow(cells, column);
}
inline bool putCanvasCellAt(std::int64_t x, std::int64_t y, char cell) {
    if (!canvasGeometryReady()) return false;
    return VirtualArray.put(canvasColumnOf(x), canvasRowOf(y), cell);
}

// ---- The too-wide and too-long messages ---------------------------------------------------------

// The device-too-much text in the interface language (model/ladder/CanvasTexts.h).
std::string getMsgDeviceTooMuch();

constexpr const char* kLadderTooLongText =
    "The ladder is longer than the canvas can hold (65536 lines); nothing was marked.";
constexpr const char* kLadderTooLongCaption = "Ladder too long";
void showLadderTooLong();
// A row past the canvas is shown once and stops the command (CanvasError): for the load, which
// would otherwise meet it again with every object after it.
void requireRowOnCanvas(std::uint32_t y);

// ---- Operations ---------------------------------------------------------------------------------

void clearVirtualCanvas();
void clearCompileVirtualArray();
bool setCanvasCell(std::int64_t column, std::int64_t row, char cell);

// Mark ldrNow's cell ('S' STL, '-' NOP, 'X' any other); 1 written, 0 when it lay at or past the
// right bus (which is widened one cell per step, with a box each) or could not be marked at all.
std::uint32_t setNowObjectCell();
// 'Y' at (x, y) and 'y' up to the right bus; 1 written, 0 too wide (bus widened, nothing written).
std::uint32_t setOutputCells(std::uint32_t x, std::uint32_t y);
std::uint32_t setNowOutputCells();

// Slot 0 is the edit-cancel copy, slot 1 the undo copy; other slots do nothing.
void backupVirtualCanvas(int slot);
void restoreVirtualCanvas(int slot);

void eraseCanvasCell(std::uint32_t x, std::uint32_t y);

std::uint32_t searchLastUsedRow(std::uint32_t startRow);
std::uint32_t searchLastUsedRowFrom(std::uint32_t x, std::uint32_t startRow);

bool hasLineLeftUp(std::uint32_t x, std::uint32_t y);
bool hasLineRightUp(std::uint32_t x, std::uint32_t y);
bool hasLineLeftDown(std::uint32_t x, std::uint32_t y);
bool hasLineRightDown(std::uint32_t x, std::uint32_t y);

bool isBlockOutputBetweenRows(std::uint32_t y1, std::uint32_t y2, std::uint32_t id);

// The upward link segments of the first drawn line (when the view is scrolled) and of the lines
// below it, drawn through the installed ladder view.
void drawVerticalLinesOfRows(std::uint32_t n);

}  // namespace kestrion
