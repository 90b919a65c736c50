#include "model/CanvasState.h"

#include <algorithm>

namespace kestrion {

CanvasState canvasState;
CanvasGrid& VirtualArray = canvasState.VirtualArray;
CanvasGrid& bCompileVirtualArray = canvasState.bCompileVirtualArray;
CanvasGrid& BkVirtualArray = canvasState.BkVirtualArray;
CanvasGrid& cancelVirtualArray = canvasState.cancelVirtualArray;
CanvasGrid& CopyVirtualArray = canvasState.CopyVirtualArray;
std::uint32_t& viewTopY = canvasState.viewTopY;
const stLadderBlock*& ldrDrawHead = canvasState.ldrDrawHead;

namespace {
LadderView* installedView = nullptr;
}

bool CanvasGrid::inside(std::int64_t column, std::int64_t row) {
    return column >= 0 && column < kCanvasColumns && row >= 0 && row < kCanvasRows;
}

std::size_t CanvasGrid::offset(std::int64_t column, std::int64_t row) {
    return static_cast<std::size_t>(column * kCanvasRows + row);
}

char CanvasGrid::at(std::int64_t column, std::int64_t row) const {
    return inside(column, row) ? cells_[offset(column, row)] : kCellBlank;
}

bool CanvasGrid::put(std::int64_t column, std::int64_t row, char cell) {
    if (!inside(column, row)) return false;
    cells_[offset(column, row)] = cell;
    return true;
}

void CanvasGrid::fill(std::int64_t columns, char cell) {
    const std::int64_t count = std::clamp<std::int64_t>(columns, 0, kCanvasColumns);
    std::fill_n(cells_.begin(), static_cast<std::size_t>(count * kCanvasRows), cell);
}

void CanvasGrid::copyColumnsFrom(const CanvasGrid& source, std::int64_t columns) {
    const std::int64_t count = std::clamp<std::int64_t>(columns, 0, kCanvasColumns);
    std::copy_n(source.cells_.begin(), static_cast<std::size_t>(count * kCanvasRows), cells_.begin());
}

void resetCanvasState() {
    canvasState = {};
}

LadderView* ladderView() {
    return installedView;
}

void installLadderView(LadderView* view) {
    installedView = view;
}

}  // namespace kestrion
