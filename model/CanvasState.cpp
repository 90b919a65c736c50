#include "model/CanvasState.h"

#include <algorithm>
#include <memory>

#include "model/CommandTransaction.h"
#include "model/ModelState.h"

namespace kestrion {

CanvasState& canvasState = modelState.canvas;
CanvasGrid& VirtualArray = modelState.canvas.VirtualArray;
CanvasGrid& bCompileVirtualArray = modelState.canvas.bCompileVirtualArray;
CanvasGrid& BkVirtualArray = modelState.canvas.BkVirtualArray;
CanvasGrid& cancelVirtualArray = modelState.canvas.cancelVirtualArray;
CanvasGrid& CopyVirtualArray = modelState.canvas.CopyVirtualArray;
std::uint32_t& viewTopY = modelState.canvas.viewTopY;
const stLadderBlock*& ldrDrawHead = modelState.canvas.ldrDrawHead;

namespace {

LadderView* installedView = nullptr;

// The five grids, and the bus line and columns that marking a too-wide object widens.
transaction::Restore snapshotCanvas() {
    struct Saved {
        CanvasGrid live, compile, undo, cancel, copy;
        std::uint32_t busLineEnd, columns;
    };
    auto saved = std::make_shared<const Saved>(Saved{VirtualArray, bCompileVirtualArray, BkVirtualArray,
                                                     cancelVirtualArray, CopyVirtualArray, draw.iBusLineEnd,
                                                     virtualArrayColumns});
    return [saved] {
        VirtualArray = saved->live;
        bCompileVirtualArray = saved->compile;
        BkVirtualArray = saved->undo;
        cancelVirtualArray = saved->cancel;
        CopyVirtualArray = saved->copy;
        draw.iBusLineEnd = saved->busLineEnd;
        virtualArrayColumns = saved->columns;
    };
}

[[maybe_unused]] const bool canvasPart = transaction::registerPart("virtual canvas", snapshotCanvas);

}  // namespace

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

LadderView* ladderView() {
    return installedView;
}

void installLadderView(LadderView* view) {
    installedView = view;
}

}  // namespace kestrion
