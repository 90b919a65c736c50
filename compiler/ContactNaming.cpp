#include "compiler/ContactNaming.h"

#include <algorithm>
#include <string>

#include "compiler/CompilerState.h"
#include "compiler/GridRows.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/ContactRenamers.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"

namespace kestrion {

using namespace compile;

namespace {

// The element under naming and the block's lowest row.
struct Element {
    std::uint32_t x;
    std::uint32_t y;
    std::uint32_t yLimit;
    // What a search of the main list at (x, y) finds (searchLadderObject). The naming moves no
    // object, so every search there during the element's naming finds this one.
    stLadderBlock* standing;
    std::int64_t c() const { return col(x); }
    std::int64_t r() const { return row(y); }
    bool rightIsElement() const { return cell(c() + 2, r()) == kCellContact; }
    // hasLineLeftUp and the like at the element, without searching again: their search leaves
    // ldrSearch on the object found, then a link in the gap cell at that corner answers.
    bool linkAt(int columnStep, int rowStep) const {
        ldrSearch = standing;
        return standing != nullptr && canvasGeometryReady() &&
               cell(c() + columnStep, r() + rowStep) == kCellLink;
    }
    bool linkLeftUp() const { return linkAt(-1, -1); }
    bool linkRightUp() const { return linkAt(1, -1); }
    bool linkLeftDown() const { return linkAt(-1, 1); }
    bool linkRightDown() const { return linkAt(1, 1); }
};

// The object the frame was just put on at (x, y) when it stands there: setBlueFrameObject searches
// the main list at (x, y) first and looks for an object covering the place only when none stands
// there (that search, over the same objects, then finds none standing at (x, y) either). So this is
// what searchLadderObject at (x, y) finds.
stLadderBlock* standingUnderFrame(std::uint32_t x, std::uint32_t y) {
    stLadderBlock* framed = ldrSearch;
    return framed != nullptr && framed->xAddr == x && framed->yAddr == y ? framed : nullptr;
}

void toLd(const Element& e) {
    _RenameInstrToLd(e.x, e.y);
}
void toAnd(const Element& e) {
    _RenameInstrToAnd(e.x, e.y);
}
void toOr(const Element& e) {
    _RenameInstrToOr(e.x, e.y);
}

// Follows the link left below the element down the lines: a break makes it AND, an element on
// the next line makes it LD (or AND when that element lies past the block's next output).
// False when the rows ran out without a rename.
bool leftLinkWalk(const Element& e) {
    const std::int64_t c = e.c();
    for (std::uint32_t yy = e.y; yy <= e.yLimit; yy += cellHeight()) {
        const std::int64_t r = row(yy);
        if (cell(c - 1, r + 1) == kCellBlank) {
            trace("left-link walk: open below, AND");
            toAnd(e);
            return true;
        }
        if (cell(c, r + 2) == kCellContact) {
            if (isPosOutsideBlock(e.x, e.y, e.x, yy + cellHeight()))
                toAnd(e);
            else
                toLd(e);
            trace("left-link walk: element below");
            return true;
        }
        if (cellHeight() == 0) break;
    }
    return false;
}

void renameRule2(const Element& e) {
    if (e.linkRightDown()) {
        trace("rule 2-2-1");
        toLd(e);
    } else {
        trace("rule 2-1-1");
        toAnd(e);
    }
    leftLinkWalk(e);
}

void renameRule3_4(const Element& e) {
    trace("rule 3-4");
    if (e.rightIsElement()) {
        toLd(e);
        return;
    }
    for (std::uint32_t xx = e.x + cellWidth(); xx < draw.iBusLineEnd && cellWidth() > 0; xx += cellWidth()) {
        if (hasLineRightUp(xx, e.y)) {
            toOr(e);
            return;
        }
        if (hasLineRightDown(xx, e.y)) {
            toLd(e);
            return;
        }
    }
}

// An element stands on the element's row after it, up to column last: the element then begins a
// group in series with that one, not a branch of its own. NOP cells between are wire.
bool elementFollowsUpTo(const Element& e, std::int64_t last) {
    if (e.rightIsElement()) return true;
    const char* line = cellsOfRow(VirtualArray, e.r());
    for (std::int64_t c = e.c() + 2; c <= std::min(last, kCanvasColumns - 1); ++c)
        if (line[c] == kCellContact) return true;
    return false;
}

// The columns a scan of a row for a link right of a cell looks at stop before this one: the right
// bus, or the grid's last column (past it every cell is blank).
std::int64_t linkScanEnd() {
    return std::min(rightBusColumn(), kCanvasColumns - 1);
}

// A link rising anywhere right of the element on its row: LD when an element stands between it and
// the rise (a group that joins there once that element is passed), else OR.
bool risingLinkRightOf(const Element& e) {
    const char* above = cellsOfRow(VirtualArray, e.r() - 1);
    for (std::int64_t c = e.c(); c < linkScanEnd(); ++c)
        if (above[c + 1] == kCellLink) {
            if (elementFollowsUpTo(e, c))
                toLd(e);
            else
                toOr(e);
            return true;
        }
    return false;
}

void renameRule4_1(const Element& e) {
    const bool up = e.linkRightUp(), down = e.linkRightDown();
    if (up) {
        trace(down ? "rule 4-1-1" : "rule 4-1-2");
        toOr(e);
        return;
    }
    if (down) {
        trace("rule 4-1-3");
        if (!risingLinkRightOf(e)) leftLinkWalk(e);
        return;
    }
    trace("rule 4-1-4");
    const std::int64_t r = e.r();
    for (std::int64_t c = e.c(); c < rightBusColumn(); c += 2) {
        if (cell(c + 1, r - 1) == kCellLink) {
            if (e.rightIsElement())
                toLd(e);
            else
                toOr(e);
            return;
        }
        if (cell(c + 1, r + 1) != kCellLink) continue;
        if (leftLinkWalk(e)) return;
        for (std::int64_t next = e.c() + 2; next < rightBusColumn(); next += 2)
            if (cell(next + 1, r + 1) == kCellLink) {
                toLd(e);
                return;
            }
    }
    toAnd(e);
}

void renameRule4_2(const Element& e) {
    if (e.linkRightUp()) {
        trace(e.linkRightDown() ? "rule 4-2-1" : "rule 4-2-2");
        toOr(e);
        return;
    }
    trace("rule 4-2-3");
    if (!risingLinkRightOf(e)) leftLinkWalk(e);
}

// A NOP cell of the element's row, from its own column to the right bus, joined upward.
bool nopOfRowJoinsUp(const Element& e) {
    const char* line = cellsOfRow(VirtualArray, e.r());
    const char* above = cellsOfRow(VirtualArray, e.r() - 1);
    for (std::int64_t c = e.c(); c < linkScanEnd(); c += 2)
        if (line[c] == kCellNop && above[c + 1] == kCellLink) return true;
    return false;
}

// The run of NOP cells right after the element, its first cell joined upward.
bool nopRunJoinsUp(const Element& e) {
    const char* line = cellsOfRow(VirtualArray, e.r());
    const char* above = cellsOfRow(VirtualArray, e.r() - 1);
    for (std::int64_t c = e.c() + 2; c < linkScanEnd() && line[c] == kCellNop; c += 2)
        if (above[c + 1] == kCellLink) return true;
    return false;
}

void part1(const Element& e) {
    trace("rule 1-1");
    toLd(e);
    if (e.linkRightUp() || nopOfRowJoinsUp(e)) toOr(e);
}

void part2(const Element& e) {
    if (!e.linkLeftDown()) {
        trace("rule 2-1");
        toAnd(e);
    } else {
        renameRule2(e);
    }
}

void part3(const Element& e) {
    toLd(e);
    const bool up = e.linkRightUp(), down = e.linkRightDown();
    if (up) {
        trace(down ? "rule 3-1" : "rule 3-2");
        toOr(e);
    } else if (down) {
        trace("rule 3-3");
        toLd(e);
        if (nopRunJoinsUp(e)) toOr(e);
    } else {
        renameRule3_4(e);
    }
}

void part4(const Element& e) {
    const bool up = e.linkLeftUp(), down = e.linkLeftDown();
    if (up && down) {
        toLd(e);
        renameRule4_1(e);
    } else if (up) {
        toOr(e);
        renameRule4_2(e);
    } else if (down) {
        trace("rule 4-3");
        renameRule2(e);
    } else {
        trace("rule 4-4");
        toAnd(e);
    }
}

}  // namespace

void renameInstrByLineSegments(std::uint32_t lbc) {
    if (ldrHead == nullptr) {
        showStatus("Without object error...system halt");
        stopConversion("Error2014121604...", "*Without object error...system halt");
    }
    const std::uint32_t endY = getEndObjectY();
    const stLadderBlock* first = firstObjectOfBlock(lbc, endY);
    if (first == nullptr) return;
    const std::uint32_t yLimit = lastUsedY(first->xAddr, row(first->yAddr));
    const stLadderBlock* start = first;
    if (first->xAddr < draw.iBusLineStart && first->next != nullptr) start = first->next;
    const std::uint32_t startX = start->xAddr + (isStlPageCode(start->iCode) ? cellWidth() : 0);
    const std::uint32_t topRow = first->yTopPos;
    showStatus("jLbc,iEndYpos=" + std::to_string(lbc) + "," + std::to_string(endY));

    for (const stLadderBlock* o = first; o != nullptr && o->objLbc == lbc && o->yAddr < endY; o = o->next) {
        setBlueFrameObject(o->xAddr, o->yAddr);
        const Element e{o->xAddr, o->yAddr, yLimit, standingUnderFrame(o->xAddr, o->yAddr)};
        const bool top = o->yAddr == topRow;
        const bool output = o->end == kEndOutput;
        const bool inner = o->xAddr >= startX + cellWidth() && o->xAddr + cellWidth() <= draw.iBusLineEnd;
        if (!searchObjectCovering(kSearchMain, e.x, e.y)) continue;
        if (top && e.x == startX)
            part1(e);
        else if (top && !output && inner)
            part2(e);
        else if (!top && e.x == startX)
            part3(e);
        else if (!top && !output && inner)
            part4(e);
    }
}

}  // namespace kestrion
