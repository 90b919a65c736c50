// The character grids of the ladder at half-cell resolution and the small state that the canvas
// passes and the editor services share. Every cell is read and written through CanvasGrid, which
// never touches a cell outside the grid.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrion {

struct stLadderBlock;

constexpr std::int64_t kCanvasColumns = 48;
constexpr std::int64_t kCanvasRows = 131072;  // 65536 ladder lines and the gaps below them

// Cell alphabet.
constexpr char kCellBlank = ' ';
constexpr char kCellContact = 'X';
constexpr char kCellStl = 'S';
constexpr char kCellNop = '-';
constexpr char kCellLabel = 'P';
constexpr char kCellOutput = 'Y';
constexpr char kCellOutputTail = 'y';
constexpr char kCellWire = '~';
constexpr char kCellJoint = '#';
constexpr char kCellLink = '|';

// One grid, stored row by row. Columns and rows are signed so that the neighbours of column 0 and
// row 0 can be named: they lie outside, read as blank and refuse writes. Only the rows up to the
// last one written to hold memory; a row not written since the last fill (and every row below
// the stored ones) reads as that fill, so that clearing the grid costs nothing per row. The rows
// are kept in chunks that copies of a grid share until one of them writes there: copying a grid
// (a snapshot, the undo copy) costs nothing per row either.
class CanvasGrid {
public:
    // The cells of a row, columns 0 to kCanvasColumns - 1 (the fill of each column when the row
    // holds none of its own); null for a row outside the grid.
    const char* rowCells(std::int64_t row) const {
        // rows_ is never above kCanvasRows: one unsigned comparison finds a stored row
        if (static_cast<std::uint64_t>(row) < static_cast<std::uint64_t>(rows_)) {
            const Chunk& chunk = *chunkCells_[static_cast<std::size_t>(row) / kChunkRows];
            const std::size_t inChunk = static_cast<std::size_t>(row) % kChunkRows;
            if (chunk.rowFill[inChunk] == fillCount_) return chunk.cells.data() + inChunk * kCanvasColumns;
            return fill_.data();
        }
        if (row < 0 || row >= kCanvasRows) return nullptr;
        return fill_.data();
    }
    // Column `column` of a row rowCells gave, blank outside the grid: a walk along a row looks the
    // row up once and reads its cells with this, as at() does.
    static char cellOfRow(const char* cells, std::int64_t column) {
        if (cells == nullptr ||
            static_cast<std::uint64_t>(column) >= static_cast<std::uint64_t>(kCanvasColumns))
            return kCellBlank;
        return cells[column];
    }
    // Read by the passes millions of times in a conversion: kept inline. Blank outside the grid.
    char at(std::int64_t column, std::int64_t row) const { return cellOfRow(rowCells(row), column); }
    // False (and nothing written) outside the grid. A row of its own in a chunk no other grid
    // shares is written here; the rest takes the long way.
    bool put(std::int64_t column, std::int64_t row, char cell) {
        if (inside(column, row) && row < rows_) {
            const std::shared_ptr<Chunk>& chunk = chunks_[static_cast<std::size_t>(row) / kChunkRows];
            const std::size_t inChunk = static_cast<std::size_t>(row) % kChunkRows;
            if (chunk->rowFill[inChunk] == fillCount_ && chunk.use_count() == 1) {
                const auto at = static_cast<std::size_t>(column);
                chunk->cells[inChunk * kCanvasColumns + at] = cell;
                // The fill written leaves the column holding its fill in every row.
                if (writtenColumns_ <= at && cell != fill_[at]) writtenColumns_ = at + 1;
                return true;
            }
        }
        return putShared(column, row, cell);
    }
    // Columns 0 .. columns - 1 of every row; columns past the grid are left out.
    void fill(std::int64_t columns, char cell);
    void copyColumnsFrom(const CanvasGrid& source, std::int64_t columns);
    // Rows from here on all read as the fill: loops over the rows may stop here.
    std::int64_t rowsInUse() const;

    bool operator==(const CanvasGrid& other) const;

private:
    static constexpr std::int64_t kChunkRows = 256;
    struct Chunk {
        std::array<char, kChunkRows * kCanvasColumns> cells{};
        std::array<std::uint32_t, kChunkRows> rowFill{};  // the fill each row was last written after
    };
    static bool inside(std::int64_t column, std::int64_t row) {
        return column >= 0 && column < kCanvasColumns && row >= 0 && row < kCanvasRows;
    }
    bool putShared(std::int64_t column, std::int64_t row, char cell);
    // Columns 0 .. count - 1 of every row the two grids store, one row after another.
    void copyRowByRow(const CanvasGrid& source, std::size_t count);
    void holdRows(std::int64_t rows);
    bool current(std::int64_t row) const;
    // The cells of a stored row, for writing: a chunk another grid shares is copied first.
    char* writableRow(std::int64_t row);
    void makeCurrent(std::int64_t row);  // a stored row that reads as the fill takes its cells

    std::vector<std::shared_ptr<Chunk>> chunks_;
    std::vector<Chunk*> chunkCells_;  // chunks_[i].get(), read without the shared pointer
    std::int64_t rows_ = 0;           // stored rows
    std::uint32_t fillCount_ = 0;
    std::array<char, kCanvasColumns> fill_{};  // what each column holds below the stored rows
    std::size_t writtenColumns_ = 0;           // columns from here on hold their fill in every row
};

// Where the model wants the ladder view to scroll: first the ladder y (zoom 100 %) put at the top
// of the view, when set; then the selection frame brought into sight, when asked.
struct ViewScroll {
    std::optional<std::uint32_t> topY;
    bool frame = false;

    static ViewScroll toTop(std::uint32_t y) { return {y, false}; }
    static ViewScroll toFrame() { return {std::nullopt, true}; }
    bool any() const { return topY.has_value() || frame; }
};

// The painter of the ladder view; the view installs it, and without one nothing is drawn.
class LadderView {
public:
    virtual ~LadderView() = default;
    // A vertical wire of one cell height from the middle of the row at y + dy, down (direction 0)
    // or up (direction 1), at x; the coordinates are scaled by zoom / 100.
    virtual void drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                                         std::uint32_t zoom) = 0;
    // Scrolls as asked and shows the ladder as it stands now. A command's requests come once,
    // when it has ended (see requestViewScroll).
    virtual void scrollTo(const ViewScroll& scroll) = 0;
};

struct CanvasState {
    CanvasGrid VirtualArray;          // the ladder being edited
    CanvasGrid bCompileVirtualArray;  // '1' where Convert may not place MPS, MRD or MPP
    CanvasGrid BkVirtualArray;        // undo copy (slot 1)
    CanvasGrid cancelVirtualArray;    // edit-cancel copy (slot 0)
    CanvasGrid CopyVirtualArray;      // cells of a framed block copy

    std::uint32_t viewTopY = 0;                  // ladder y at the top of the visible part
    const stLadderBlock* ldrDrawHead = nullptr;  // first object drawn, set by the drawing timer
    bool undoMenuEnabled = false;
    bool editCancelMenuEnabled = false;
    bool editCancelCopyDue = false;        // the edit-cancel copy is taken once the command has ended
    std::uint32_t undoCopyGeneration = 0;  // counts the undo and edit-cancel copies taken
    ViewScroll viewScrollDue;              // what the running command asked of the view
    int viewScrollHolds = 0;               // ViewScrollHold objects standing
    std::string canvasTraceText;           // the last note of the canvas passes, for the developer views
};

extern CanvasState& canvasState;  // a member of modelState
extern CanvasGrid& VirtualArray;
extern CanvasGrid& bCompileVirtualArray;
extern CanvasGrid& BkVirtualArray;
extern CanvasGrid& cancelVirtualArray;
extern CanvasGrid& CopyVirtualArray;
extern std::uint32_t& viewTopY;
extern const stLadderBlock*& ldrDrawHead;

// The installed painter, or null.
LadderView* ladderView();
void installLadderView(LadderView* view);

// Asks the installed view to scroll. Outside a command it scrolls at once. Inside one the request
// is only noted (a later top position replacing what was asked before it), and the view scrolls
// and repaints once, when the outermost command has ended: a pass that moves the frame over every
// object of a large ladder would otherwise move the window as often. A command put back leaves
// the top of the view where it was; the frame, which stays where the failure left it, is still
// brought into sight.
void requestViewScroll(const ViewScroll& scroll);

// While one stands (the instruction box is up, its commands inside it), what is asked of the view
// waits as inside a command: the view scrolls and repaints once, when the last hold has gone and
// no command runs. The ladder under the box is then drawn once for a line typed in, not once
// before the box has gone and again after.
class ViewScrollHold {
public:
    ViewScrollHold();
    ~ViewScrollHold();
    ViewScrollHold(const ViewScrollHold&) = delete;
    ViewScrollHold& operator=(const ViewScrollHold&) = delete;
};

}  // namespace kestrion
