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
    return static_cast<std::size_t>(row * kCanvasColumns + column);
}

std::int64_t CanvasGrid::rowsInUse() const {
    return static_cast<std::int64_t>(cells_.size()) / kCanvasColumns;
}

void CanvasGrid::holdRows(std::int64_t rows) {
    for (std::int64_t row = rowsInUse(); row < rows; ++row)
        cells_.insert(cells_.end(), fill_.begin(), fill_.end());
}

char CanvasGrid::at(std::int64_t column, std::int64_t row) const {
    if (!inside(column, row)) return kCellBlank;
    return row < rowsInUse() ? cells_[offset(column, row)] : fill_[static_cast<std::size_t>(column)];
}

bool CanvasGrid::put(std::int64_t column, std::int64_t row, char cell) {
    if (!inside(column, row)) return false;
    if (row >= rowsInUse()) {
        if (cell == fill_[static_cast<std::size_t>(column)]) return true;
        holdRows(row + 1);
    }
    cells_[offset(column, row)] = cell;
    return true;
}

void CanvasGrid::fill(std::int64_t columns, char cell) {
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(columns, 0, kCanvasColumns));
    if (count == fill_.size()) cells_.clear();  // every column: no row needs keeping
    std::fill_n(fill_.begin(), count, cell);
    for (std::size_t at = 0; at < cells_.size(); at += fill_.size())
        std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(at), count, cell);
}

void CanvasGrid::copyColumnsFrom(const CanvasGrid& source, std::int64_t columns) {
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(columns, 0, kCanvasColumns));
    if (count == fill_.size()) {
        *this = source;
        return;
    }
    holdRows(source.rowsInUse());
    std::copy_n(source.fill_.begin(), count, fill_.begin());
    for (std::int64_t row = 0; row < rowsInUse(); ++row)
        for (std::size_t column = 0; column < count; ++column)
            cells_[offset(static_cast<std::int64_t>(column), row)] =
                source.at(static_cast<std::int64_t>(column), row);
}

bool CanvasGrid::operator==(const CanvasGrid& other) const {
    const std::int64_t rows = std::max(rowsInUse(), other.rowsInUse()) + 1;  // and the fill below
    for (std::int64_t row = 0; row < rows; ++row)
        for (std::int64_t column = 0; column < kCanvasColumns; ++column)
            if (at(column, row) != other.at(column, row)) return false;
    return true;
}

LadderView* ladderView() {
    return installedView;
}

void installLadderView(LadderView* view) {
    installedView = view;
}

}  // namespace kestrion
