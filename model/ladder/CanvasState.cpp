#include "model/ladder/CanvasState.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "model/core/CommandTransaction.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {

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

void showDueViewScroll() {
    if (canvasState.viewScrollHolds > 0) return;
    const ViewScroll due = std::exchange(canvasState.viewScrollDue, {});
    if (installedView != nullptr && due.any()) installedView->scrollTo(due);
}

// A command put back leaves the top of the view as it was; the frame, which is not put back, is
// brought into sight when the command asked anything of the view.
transaction::Restore snapshotViewScroll() {
    return [saved = canvasState.viewScrollDue] {
        ViewScroll& due = canvasState.viewScrollDue;
        const bool asked = due.frame || due.topY != saved.topY;
        due.topY = saved.topY;
        due.frame = saved.frame || asked;
    };
}

// A command put back leaves the Edit menu's Undo and Edit Cancel as it found them: the copies the
// command took (a line's at Enter, Convert's at its reload) went with it.
transaction::Restore snapshotEditMenu() {
    return [undo = canvasState.undoMenuEnabled, editCancel = canvasState.editCancelMenuEnabled,
            generation = canvasState.undoCopyGeneration] {
        canvasState.undoMenuEnabled = undo;
        canvasState.editCancelMenuEnabled = editCancel;
        canvasState.undoCopyGeneration = generation;
    };
}

[[maybe_unused]] const bool editMenuPart = transaction::registerPart("edit menu", snapshotEditMenu);

[[maybe_unused]] const bool viewScrollPart =
    transaction::registerPart("ladder view scroll", snapshotViewScroll, showDueViewScroll);

}  // namespace

std::int64_t CanvasGrid::rowsInUse() const {
    return rows_;
}

void CanvasGrid::holdRows(std::int64_t rows) {
    if (rows <= rows_) return;
    // Rows never written read as the fill whatever their bytes: they are marked as of an older one.
    const auto chunks = static_cast<std::size_t>((rows + kChunkRows - 1) / kChunkRows);
    while (chunks_.size() < chunks) {
        auto chunk = std::make_shared<Chunk>();
        chunk->rowFill.fill(fillCount_ - 1);
        chunkCells_.push_back(chunk.get());
        chunks_.push_back(std::move(chunk));
    }
    rows_ = rows;
}

bool CanvasGrid::current(std::int64_t row) const {
    return row < rows_ && chunks_[static_cast<std::size_t>(row / kChunkRows)]
                                  ->rowFill[static_cast<std::size_t>(row % kChunkRows)] == fillCount_;
}

char* CanvasGrid::writableRow(std::int64_t row) {
    std::shared_ptr<Chunk>& chunk = chunks_[static_cast<std::size_t>(row / kChunkRows)];
    if (chunk.use_count() > 1) {
        chunk = std::make_shared<Chunk>(*chunk);
        chunkCells_[static_cast<std::size_t>(row / kChunkRows)] = chunk.get();
    }
    return chunk->cells.data() + (row % kChunkRows) * kCanvasColumns;
}

void CanvasGrid::makeCurrent(std::int64_t row) {
    if (current(row)) return;
    holdRows(row + 1);
    std::copy(fill_.begin(), fill_.end(), writableRow(row));
    chunks_[static_cast<std::size_t>(row / kChunkRows)]->rowFill[static_cast<std::size_t>(row % kChunkRows)] =
        fillCount_;
}

bool CanvasGrid::putShared(std::int64_t column, std::int64_t row, char cell) {
    if (!inside(column, row)) return false;
    const auto at = static_cast<std::size_t>(column);
    if (!current(row)) {
        if (cell == fill_[at]) return true;
        makeCurrent(row);
    }
    writableRow(row)[column] = cell;
    if (cell != fill_[at]) writtenColumns_ = std::max(writtenColumns_, at + 1);
    return true;
}

void CanvasGrid::fill(std::int64_t columns, char cell) {
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(columns, 0, kCanvasColumns));
    if (count < writtenColumns_) {
        // Columns left out hold what was written: every written row keeps its cells.
        for (std::int64_t row = 0; row < rowsInUse(); ++row)
            if (current(row)) std::fill_n(writableRow(row), count, cell);
        std::fill_n(fill_.begin(), count, cell);
        return;
    }
    // No row differs from the new fill: a new fill count makes them all read as it.
    std::fill_n(fill_.begin(), count, cell);
    ++fillCount_;
    writtenColumns_ = 0;
}

void CanvasGrid::copyColumnsFrom(const CanvasGrid& source, std::int64_t columns) {
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(columns, 0, kCanvasColumns));
    const auto rest = static_cast<std::ptrdiff_t>(count);
    if (count == fill_.size()) {
        *this = source;
        return;
    }
    if (!std::equal(fill_.begin() + rest, fill_.end(), source.fill_.begin() + rest)) {
        copyRowByRow(source, count);
        return;
    }
    // The copy is the source with this grid's cells of the columns left out put back where they
    // differ: it shares the source's rows, and only the rows of chunks the two grids do not share
    // are compared (a copy taken again after a few cells changed costs what changed).
    CanvasGrid copy = source;
    const std::int64_t rows = std::max(rowsInUse(), source.rowsInUse());
    const bool readAlike = fillCount_ == source.fillCount_ && rows_ == source.rows_;
    for (std::int64_t first = 0; first < rows; first += kChunkRows) {
        const auto chunk = static_cast<std::size_t>(first / kChunkRows);
        if (readAlike && chunks_[chunk] == source.chunks_[chunk]) continue;
        for (std::int64_t row = first; row < std::min(rows, first + kChunkRows); ++row) {
            const char* mine = rowCells(row);
            if (std::equal(mine + rest, mine + kCanvasColumns, source.rowCells(row) + rest)) continue;
            for (std::size_t column = count; column < fill_.size(); ++column)
                copy.put(static_cast<std::int64_t>(column), row, mine[column]);
        }
    }
    *this = std::move(copy);
}

void CanvasGrid::copyRowByRow(const CanvasGrid& source, std::size_t count) {
    const std::int64_t rows = std::max(rowsInUse(), source.rowsInUse());
    for (std::int64_t row = 0; row < rows; ++row) {
        if (!current(row) && !source.current(row)) continue;  // both read as their fills
        makeCurrent(row);
        const char* from = source.current(row)
                               ? source.chunks_[static_cast<std::size_t>(row / kChunkRows)]->cells.data() +
                                     (row % kChunkRows) * kCanvasColumns
                               : source.fill_.data();
        std::copy_n(from, count, writableRow(row));
    }
    std::copy_n(source.fill_.begin(), count, fill_.begin());
    writtenColumns_ = std::max(writtenColumns_, std::min(count, source.writtenColumns_));
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

ViewScrollHold::ViewScrollHold() {
    ++canvasState.viewScrollHolds;
}

ViewScrollHold::~ViewScrollHold() {
    if (--canvasState.viewScrollHolds == 0 && !transaction::active()) showDueViewScroll();
}

void requestViewScroll(const ViewScroll& scroll) {
    ViewScroll& due = canvasState.viewScrollDue;
    if (scroll.topY.has_value()) {
        due.topY = scroll.topY;
        due.frame = false;  // a frame brought into sight before is scrolled away from
    }
    due.frame = due.frame || scroll.frame;
    if (!transaction::active()) showDueViewScroll();
}

}  // namespace kestrion
