#include "compiler/DiagramChecks.h"

#include <string>

#include "compiler/CompilerState.h"
#include "model/core/LinkedList.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

using namespace compile;

namespace {

bool isJointOrDeleted(std::uint16_t code) {
    return isBlockJoint(code) || isStackJoint(code) || code == kCodeVNop;
}

struct SnappedCell {
    std::int64_t c;
    std::int64_t r;
};

// What a walk over the objects reads of the geometry, once: the cell sizes the objects snap to
// and the bus columns (the checks and the gap fix move no bus).
struct Grid {
    std::uint32_t w = cellWidth() == 0 ? 1 : cellWidth();
    std::uint32_t h = cellHeight() == 0 ? 1 : cellHeight();
    std::int64_t leftBus = leftBusColumn();
    std::int64_t rightBus = rightBusColumn();
};

SnappedCell snapped(const stLadderBlock& o, const Grid& grid) {
    return {col(o.xAddr / grid.w * grid.w), row(o.yAddr / grid.h * grid.h)};
}

// One row of the canvas, read as cell() reads it: the row is looked up once for all its cells.
class CanvasRow {
public:
    explicit CanvasRow(std::int64_t r) : cells_(VirtualArray.rowCells(r)) {}
    char operator[](std::int64_t c) const { return blankIfUnwritten(cellOfRow(cells_, c)); }

private:
    const char* cells_;
};

std::uint32_t pixelX(std::int64_t column) {
    return static_cast<std::uint32_t>(column < 0 ? 0 : column) * halfWidth();
}

std::uint32_t pixelY(std::int64_t rowIndex) {
    return static_cast<std::uint32_t>(rowIndex < 0 ? 0 : rowIndex) * halfHeight();
}

// The check's own text goes to panel 13 as the fault is found; the reason, in the user's words, is
// kept for Convert to tell beside its box.
bool reportFault(const std::string& text, std::uint32_t x, std::uint32_t y, const std::string& what) {
    showStatus(text);
    compilerState.diagramFault = lineReason(y, what);
    setBlueFrameObject(x, y);
    requestLadderRedraw();
    redrawFlags |= kRedrawFrame;
    return false;
}

std::string position(std::uint32_t x, std::uint32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
}

std::string stepText(std::int64_t c, std::int64_t r) {
    if (searchLadderObject(kSearchMain, pixelX(c), pixelY(r)))
        return " ErrorStepNo" + std::to_string(ldrSearch->stepNo);
    return " ErrorStepNo....";
}

// An element as the user reads it on the ladder: a contact by its device, anything else by its
// mnemonic and operands, a wire piece as such.
std::string shownName(const stLadderBlock& o) {
    const SymbolKind kind = symbolKindOf(o);
    if (kind == SymbolKind::Wire) return "the wire";
    DrawnName name;
    name.mnemonic = o.mnemonic;
    name.operands = o.operands;
    name.contact = kind == SymbolKind::Contact || kind == SymbolKind::NegatedContact ||
                   kind == SymbolKind::RisingContact || kind == SymbolKind::FallingContact;
    return name.text();
}

// The element drawn in cell (c, r), or null: looked up only for a fault, so a walk of the list.
const stLadderBlock* elementAt(std::int64_t c, std::int64_t r) {
    if (cell(c, r) == kCellBlank) return nullptr;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->xAddr == pixelX(c) && o->yAddr == pixelY(r) && drawsOnRow(*o)) return o;
    return nullptr;
}

std::string leftOpen(const stLadderBlock& o) {
    return "nothing joins " + shownName(o) + " on its left.";
}

std::string rightOpen(const stLadderBlock& o) {
    return "nothing joins " + shownName(o) + " on its right.";
}

// A link coming down at the right of cell c into row r with nothing there: named by the element it
// hangs from on the line where it starts.
std::string linkEndsInNothing(std::int64_t c, std::int64_t r) {
    std::int64_t top = r;
    while (cell(c + 1, top - 1) == kCellLink) top -= 2;
    if (const stLadderBlock* from = elementAt(c, top))
        return "the link down from " + shownName(*from) + " joins nothing.";
    return "a link comes down into nothing.";
}

// A link going down at the right of cell c from row r with nothing to feed it: named by the element
// it joins on the line where it ends.
std::string linkStartsFromNothing(std::int64_t c, std::int64_t r) {
    std::int64_t bottom = r;
    while (cell(c + 1, bottom + 1) == kCellLink) bottom += 2;
    if (const stLadderBlock* to = elementAt(c, bottom))
        return "nothing joins the link down to " + shownName(*to) + ".";
    return "a link goes down from nothing.";
}

// A fault of one object, or none: its text and the position reported.
bool checkObjectP1(const stLadderBlock& o, const Grid& grid) {
    const auto [c, r] = snapped(o, grid);
    const CanvasRow line(r);
    const CanvasRow above(r - 1);
    const char own = line[c];
    const bool upperLeftLink = above[c - 1] == kCellLink;
    const bool upperRightLink = above[c + 1] == kCellLink;
    if (c == grid.leftBus) {
        if (line[c + 2] == kCellBlank && own != kCellBlank && !upperRightLink)
            return reportFault("P1-3 Ladder Error..." + position(pixelX(c + 2), pixelY(r)) + stepText(c, r),
                               pixelX(c + 2), pixelY(r), rightOpen(o));
        return true;
    }
    // A label right before END marks the end of the program (the target of a jump there): it
    // stands alone on its line.
    if (isLabelCode(o.iCode) && o.next != nullptr && o.next->iCode == kCodeEnd) return true;
    const bool inner = own != kCellBlank && c + 2 < grid.rightBus && own != kCellOutput;
    if (c > grid.leftBus && inner && line[c - 2] == kCellBlank && !upperLeftLink)
        return reportFault("P1-4L Error..." + position(pixelX(c - 2), pixelY(r)), pixelX(c - 2), pixelY(r),
                           leftOpen(o));
    if (inner && line[c + 2] == kCellBlank && !upperRightLink)
        return reportFault("P1-4R Error..." + position(pixelX(c + 2), pixelY(r)), pixelX(c + 2), pixelY(r),
                           rightOpen(o));
    return true;
}

bool isWireBefore(char left) {
    return left == kCellBlank || left == kCellJoint || left == kCellNop || left == kCellWire;
}

bool skippedByGapFix(const stLadderBlock& o) {
    return isJointOrDeleted(o.iCode) || o.iCode == kCodeNop || o.end == kEndOutput;
}

// One cell left, exchanging places with a list predecessor that stands in the cell entered.
void slideLeft(stLadderBlock* o, std::int64_t c, std::int64_t r) {
    const char own = cell(c, r);
    VirtualArray.put(c, r, cell(c - 2, r));
    VirtualArray.put(c - 2, r, own);
    stLadderBlock* before = o->prev;
    o->xAddr = pixelX(c - 2);
    o->Xend = pixelX(c);
    if (before != nullptr && before->xAddr == pixelX(c - 2) && before->yAddr == o->yAddr) {
        before->xAddr = pixelX(c);
        before->Xend = pixelX(c + 2);
        links::unlink(ldrList, o);
        links::insertBefore(ldrList, before, o);
    }
}

}  // namespace

const std::string& diagramFaultReason() {
    return compilerState.diagramFault;
}

bool isCorrectLadderDiagramP1() {
    const Grid grid;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (isJointOrDeleted(o->iCode)) continue;
        if (!checkObjectP1(*o, grid)) return false;
    }
    return true;
}

bool isCorrectLadderDiagramP2(std::uint32_t lbc) {
    if (ldrHead == nullptr) return true;
    const stLadderBlock* ref = firstObjectOfBlock(lbc, getEndObjectY());
    if (ref == nullptr) return true;
    const std::int64_t lastRow = lastUsedRow(ref->xAddr, row(ref->yAddr));
    const std::int64_t outputRow = row(ref->yTopPos);
    const Grid grid;
    for (std::int64_t r = row(ref->yAddr); r < lastRow; r += 2) {
        if (r == outputRow) continue;
        const CanvasRow above(r - 1);
        const CanvasRow line(r);
        const CanvasRow below(r + 1);
        for (std::int64_t c = grid.leftBus; c < grid.rightBus; c += 2)
            if (above[c + 1] == kCellLink && line[c] == kCellBlank && below[c + 1] == kCellBlank &&
                line[c + 2] == kCellBlank)
                return reportFault("P1-4U Error...", pixelX(c), pixelY(r), linkEndsInNothing(c, r));
        for (std::int64_t c = grid.leftBus; c < grid.rightBus; c += 2)
            if (below[c + 1] == kCellLink && line[c] == kCellBlank && above[c + 1] == kCellBlank)
                return reportFault("P1-4D Error...", pixelX(c), pixelY(r), linkStartsFromNothing(c, r));
    }
    return true;
}

void fixEmptyCellsBeforeObjects() {
    const Grid grid;
    stLadderBlock* o = ldrHead;
    while (o != nullptr) {
        if (skippedByGapFix(*o)) {
            o = o->next;
            continue;
        }
        const auto [c, r] = snapped(*o, grid);
        const bool fedFromLeftLink =
            cell(c - 1, r + 1) == kCellLink || (r > 0 && cell(c - 1, r - 1) == kCellLink);
        // Only an element moves over wire: an object whose own cell shows wire would trade places
        // with its neighbour back and forth for ever.
        if (c <= 2 || !isWireBefore(cell(c - 2, r)) || isWireBefore(cell(c, r)) || fedFromLeftLink) {
            o = o->next;
            continue;
        }
        slideLeft(o, c, r);
    }
}

}  // namespace kestrion
