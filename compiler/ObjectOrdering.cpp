#include "compiler/ObjectOrdering.h"

#include <algorithm>
#include <string>
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

// The walk of one block: a cursor on the grid, the resume points and what was copied.
class RelinkWalk {
public:
    RelinkWalk(std::uint32_t lbc, std::uint32_t x, std::uint32_t y) : lbc_(lbc), x_(x), y_(y) {}

    void run() {
        const int stackJoints = countObjectsById(lbc_, 2);
        const int blockJoints = countObjectsById(lbc_, 1);
        const int all = countObjectsById(lbc_, 0);
        expected_ = all - stackJoints - blockJoints;
        showStatus("iObjNo=" + std::to_string(all) + "," + std::to_string(blockJoints) + "," +
                   std::to_string(stackJoints));
        lastRow_ = lastUsedRow(x_, row(y_));
        yLimit_ = lastRow_ < 0 ? 0 : static_cast<std::uint32_t>(lastRow_) * halfHeight();
        showStatus("Block高度 vz=" + std::to_string(lastRow_) + " Z=" + std::to_string(yLimit_));
        nextPointer = 0;
        push(x_, y_);
        if (ldrUndoHead == nullptr) return;
        // Every pass moves the cursor; a walk that goes round in circles ends here too.
        const std::int64_t passLimit =
            (rightBusColumn() + 2) * (std::max<std::int64_t>(lastRow_, 0) + 4) * 4 + 64;
        for (std::int64_t pass = 0; copied_ < std::max(expected_, 0); ++pass) {
            if (pass > passLimit || y_ > yLimit_ + cellHeight()) break;
            if (!step()) break;
        }
        if (copied_ < std::max(expected_, 0)) reportUnreached();
    }

private:
    // One pass of the walk; false when it reached the end of the block.
    bool step() {
        // Panel 13 and the frame followed the cursor here at every step; nothing is drawn before
        // Convert ends, so they are set where the walk stops.
        const std::int64_t c = col(x_), r = row(y_);
        copyObjectHere();
        if (c == 0) {
            x_ += cellWidth();
            return true;
        }
        const char own = cell(c, r);
        if (own == kCellOutput || own == kCellOutputTail) {
            x_ = draw.iBusLineEnd - cellWidth();
            y_ += cellHeight();
            while (cell(col(x_), row(y_)) == kCellBlank && row(y_) < lastRow_) y_ += cellHeight();
            moveLeft();
            return true;
        }
        const char up = r > 0 ? cell(c + 1, r - 1) : kCellBlank;
        const char down = cell(c + 1, r + 1);
        if (up == kCellLink && down == kCellLink) {
            y_ += cellHeight();
            moveLeft();
        } else if (down == kCellLink) {
            push(x_ + cellWidth(), y_);
            y_ += cellHeight();
            moveLeft();
        } else if (up == kCellLink && down == kCellBlank) {
            y_ = pop();
            x_ = pop();
        } else if (down == kCellBlank && (r == 0 || up == kCellBlank)) {
            x_ += cellWidth();
            if (x_ >= draw.iBusLineEnd) {
                x_ = draw.iBusLineStart;
                y_ += cellHeight();
                if (y_ >= yLimit_) return false;
            }
        } else {
            x_ += cellWidth();
            platform::say({"Error2015010209", "*Modify_ObjectLinkSequence", platform::MsgIcon::Warning});
        }
        return true;
    }

    // A source object of this block at the cursor goes in front of END: the object itself, as a
    // copy of it would (one a command snapshot holds is copied, and the source goes), so that the
    // walk holds no more than one ladder at a time.
    void copyObjectHere() {
        // The wire drawn up to an output is drawn only where no object stands.
        if (cell(col(x_), row(y_)) == kCellWire) return;
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
        while (cell(col(x_) - 1, row(y_) - 1) == kCellBlank && col(x_) > leftBusColumn()) x_ -= cellWidth();
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
