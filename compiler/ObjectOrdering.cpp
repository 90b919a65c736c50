#include "compiler/ObjectOrdering.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/CompilerState.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

using namespace compile;

namespace {

constexpr const char* kStackLabel = "Modify_ObjectLinkSequence";

// The canvas as the walk reads it: blank outside the grid and where nothing was ever written. The
// walk writes no cell, so a row it has looked up stays where it is; the few rows around the cursor
// are kept, and a cell costs a load instead of the grid's row lookup.
class WalkCells {
public:
    char at(std::int64_t column, std::int64_t row) { return cellOf(rowCells(row), column); }
    // A cell of a row rowCells gave.
    static char cellOf(const char* cells, std::int64_t column) {
        return blankIfUnwritten(cellOfRow(cells, column));
    }
    // Null outside the grid.
    const char* rowCells(std::int64_t row) {
        const std::size_t slot = static_cast<std::size_t>(row) % kKept;
        if (rows_[slot] != row) {
            rows_[slot] = row;
            cells_[slot] = VirtualArray.rowCells(row);
        }
        return cells_[slot];
    }

private:
    static constexpr std::size_t kKept = 4;  // the cursor's row and the rows next to it
    static constexpr std::int64_t kNoRow = std::numeric_limits<std::int64_t>::min();
    std::array<std::int64_t, kKept> rows_{kNoRow, kNoRow, kNoRow, kNoRow};
    std::array<const char*, kKept> cells_{};
};

// Panel 13 shows two notes for every block walked: the label and the numbers, the separator
// between them. They are written into one text that keeps its memory from block to block.
void showNote(std::string_view label, std::initializer_list<std::int64_t> numbers,
              std::string_view separator) {
    static std::string text;
    text.assign(label);
    for (const std::int64_t& number : numbers) {
        if (&number != numbers.begin()) text.append(separator);
        std::array<char, 24> digits{};
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), number);
        text.append(digits.data(), written.ptr);
    }
    showStatus(text);
}

// The walk of one block: a cursor on the grid, the resume points and what was copied.
class RelinkWalk {
public:
    RelinkWalk(std::uint32_t lbc, std::uint32_t x, std::uint32_t y) : lbc_(lbc), x_(x), y_(y) {}

    void run() {
        const int stackJoints = countObjectsById(lbc_, 2);
        const int blockJoints = countObjectsById(lbc_, 1);
        const int all = countObjectsById(lbc_, 0);
        expected_ = all - stackJoints - blockJoints;
        showNote("iObjNo=", {all, blockJoints, stackJoints}, ",");
        lastRow_ = lastUsedRow(x_, row(y_));
        yLimit_ = lastRow_ < 0 ? 0 : static_cast<std::uint32_t>(lastRow_) * halfHeight();
        showNote("Block高度 vz=", {lastRow_, std::int64_t{yLimit_}}, " Z=");
        nextPointer = 0;
        push(x_, y_);
        if (ldrUndoHead == nullptr) return;
        // Every pass moves the cursor; a walk that goes round in circles ends here too.
        const std::int64_t passLimit =
            (rightBusColumn() + 2) * (std::max<std::int64_t>(lastRow_, 0) + 4) * 4 + 64;
        const std::uint32_t yEnd = yLimit_ + cellHeight_;
        for (std::int64_t pass = 0; copied_ < std::max(expected_, 0); ++pass) {
            if (pass > passLimit || y_ > yEnd) break;
            pass += moveAlongWire(passLimit - pass + 1);
            if (pass > passLimit) break;
            if (!step()) break;
        }
        if (copied_ < std::max(expected_, 0)) reportUnreached();
    }

private:
    // The grid's geometry, read once: nothing the walk does changes it.
    std::int64_t col(std::uint32_t x) const { return halfWidth_ == 0 ? 0 : std::int64_t{x / halfWidth_}; }
    std::int64_t row(std::uint32_t y) const { return halfHeight_ == 0 ? 0 : std::int64_t{y / halfHeight_}; }

    // The passes that find the cursor on a wire no link joins from above or below (there is no
    // object to take there) only move it one cell to the right. Up to `most` of them are made
    // here in a row, reading the three rows once; step() makes any other, and any this loop is
    // not sure of (a row outside the grid, the grid's last column). Returns how many.
    std::int64_t moveAlongWire(std::int64_t most) {
        const std::int64_t r = row(y_);
        const char* here = cells_.rowCells(r);
        const char* above = r > 0 ? cells_.rowCells(r - 1) : kBlankRow.data();
        const char* below = cells_.rowCells(r + 1);
        if (halfWidth_ == 0 || here == nullptr || above == nullptr || below == nullptr) return 0;
        std::int64_t made = 0;
        for (; made < most; ++made) {
            const std::uint32_t c = x_ / halfWidth_;
            const std::uint32_t next = x_ + cellWidth_;
            if (c == 0 || c + 1 >= kCanvasColumns || next >= busEnd_ || here[c] != kCellWire) break;
            if (!isBlank(above[c + 1]) || !isBlank(below[c + 1])) break;
            x_ = next;
        }
        return made;
    }
    static bool isBlank(char cell) { return cell == kCellBlank || cell == '\0'; }
    static constexpr std::array<char, kCanvasColumns> kBlankRow = [] {
        std::array<char, kCanvasColumns> row{};
        row.fill(kCellBlank);
        return row;
    }();

    // One pass of the walk; false when it reached the end of the block.
    bool step() {
        // Panel 13 and the frame followed the cursor here at every step; nothing is drawn before
        // Convert ends, so they are set where the walk stops.
        const std::int64_t c = col(x_), r = row(y_);
        const char own = cells_.at(c, r);
        copyObjectHere(own);
        if (c == 0) {
            x_ += cellWidth_;
            return true;
        }
        if (own == kCellOutput || own == kCellOutputTail) {
            x_ = busEnd_ - cellWidth_;
            y_ += cellHeight_;
            while (cells_.at(col(x_), row(y_)) == kCellBlank && row(y_) < lastRow_) y_ += cellHeight_;
            moveLeft();
            return true;
        }
        const char up = r > 0 ? cells_.at(c + 1, r - 1) : kCellBlank;
        const char down = cells_.at(c + 1, r + 1);
        if (up == kCellLink && down == kCellLink) {
            y_ += cellHeight_;
            moveLeft();
        } else if (down == kCellLink) {
            push(x_ + cellWidth_, y_);
            y_ += cellHeight_;
            moveLeft();
        } else if (up == kCellLink && down == kCellBlank) {
            y_ = pop();
            x_ = pop();
        } else if (down == kCellBlank && (r == 0 || up == kCellBlank)) {
            x_ += cellWidth_;
            if (x_ >= busEnd_) {
                x_ = busStart_;
                y_ += cellHeight_;
                if (y_ >= yLimit_) return false;
            }
        } else {
            x_ += cellWidth_;
            platform::say({"Error2015010209", "*Modify_ObjectLinkSequence", platform::MsgIcon::Warning});
            cells_ = {};  // the rows are looked up again after the box, whatever it let run
        }
        return true;
    }

    // A source object of this block at the cursor goes in front of END: the object itself, as a
    // copy of it would (one a command snapshot holds is copied, and the source goes), so that the
    // walk holds no more than one ladder at a time. own is the cursor's cell.
    void copyObjectHere(char own) {
        // The wire drawn up to an output is drawn only where no object stands.
        if (own == kCellWire) return;
        if (!searchLadderObject(kSearchUndo, x_, y_)) return;
        stLadderBlock* source = ldrSearch;
        if (source->objLbc != lbc_ || isBlockJoint(source->iCode) || isStackJoint(source->iCode)) return;
        stLadderBlock* placed = source;
        if (!moveObjectBeforeEnd(ldrUndoList, source)) {
            if (!ReallocLadderMemory(kLinkBeforeEnd, 0)) return;
            (void)srcObjectCopyToDestObject(source, ldrNew);
            placed = ldrNew;
        }
        forgetUndoPosition(*source);
        if (placed != source) removeLadderObject(ldrUndoList, source);
        if (positionIndex.on) notePosition(*placed);
        ++copied_;
    }

    void moveLeft() {
        const char* above = cells_.rowCells(row(y_) - 1);
        while (WalkCells::cellOf(above, col(x_) - 1) == kCellBlank && col(x_) > leftBusColumn_)
            x_ -= cellWidth_;
    }

    void push(std::uint32_t x, std::uint32_t y) {
        pushStack1(nextPointer, x, kStackLabel);
        ++nextPointer;
        pushStack1(nextPointer, y, kStackLabel);
        ++nextPointer;
    }

    std::uint32_t pop() {
        const std::uint32_t value = popStack1(nextPointer, kStackLabel);
        --nextPointer;
        return value;
    }

    [[noreturn]] void reportUnreached() {
        showStatus("iConvObjNo=" + std::to_string(copied_));
        setBlueFrameObject(x_, y_);
        stopConversion("Block " + std::to_string(lbc_) + ": " + std::to_string(copied_) + " of " +
                           std::to_string(expected_) +
                           " objects are reached by its wiring; the ladder cannot be put in order.",
                       "*Modify_ObjectLinkSequence");
    }

    const std::uint32_t halfWidth_ = symbleHalfWidth;
    const std::uint32_t halfHeight_ = symbleHalfHeight;
    const std::uint32_t cellWidth_ = compile::cellWidth();
    const std::uint32_t cellHeight_ = compile::cellHeight();
    const std::uint32_t busStart_ = draw.iBusLineStart;
    const std::uint32_t busEnd_ = draw.iBusLineEnd;
    const std::int64_t leftBusColumn_ = compile::leftBusColumn();
    WalkCells cells_;
    std::uint32_t lbc_;
    std::uint32_t x_;
    std::uint32_t y_;
    std::int64_t lastRow_ = 0;
    std::uint32_t yLimit_ = 0;
    int expected_ = 0;
    int copied_ = 0;
};

}  // namespace

void Modify_ObjectLinkSequence(std::uint32_t lbc, std::uint32_t x, std::uint32_t y) {
    RelinkWalk(lbc, x, y).run();
}

}  // namespace kestrion
