#include "entry/Placement.h"

#include "entry/OperandCheckers.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {

namespace {

std::int64_t cellWidth() {
    return ModeData.xSizeSymble;
}
std::int64_t cellHeight() {
    return ModeData.ySizeSymble;
}
std::int64_t busStart() {
    return draw.iBusLineStart;
}
std::int64_t busEnd() {
    return draw.iBusLineEnd;
}

// The cursor one cell right of x, at the start of the next line once it reaches the right bus.
void moveCursorRightOf(std::int64_t x, std::int64_t y) {
    std::int64_t next = x + cellWidth();
    if (next >= busEnd()) {
        next = busStart();
        y += cellHeight();
    }
    xOldCursor = static_cast<std::uint32_t>(next);
    yOldCursor = static_cast<std::uint32_t>(y);
}

void moveCursorToNextLine(std::int64_t y) {
    xOldCursor = static_cast<std::uint32_t>(busStart());
    yOldCursor = static_cast<std::uint32_t>(y + cellHeight());
}

void raiseBottomToCursor() {
    if (ladderBottomY < yOldCursor) ladderBottomY = yOldCursor;
}

// The bottom a series contact inside a line leaves: one cell below the cursor row.
void raiseBottomBelowCursor() {
    if (ladderBottomY <= yOldCursor) ladderBottomY = yOldCursor + ModeData.ySizeSymble;
}

bool outsideContactCells(std::int64_t x) {
    return x < busStart() || x >= busEnd() - cellWidth();
}

std::uint8_t placeContact(std::uint32_t x, std::uint32_t y, stLadderBlock& object, std::uint32_t end) {
    if (outsideContactCells(x)) return 1;
    object.end = end;
    moveCursorRightOf(x, y);
    return 0;
}

bool isPresent(std::span<const char> operand) {
    return !operand.empty() && isOperandPresent(operand);
}

// "C2" and two digits: the 32-bit counters, whose coil takes one more cell.
bool isLongCounter(std::span<const char> operand) {
    const auto digit = [&](std::size_t i) {
        return i < operand.size() && operand[i] >= '0' && operand[i] <= '9';
    };
    return operand.size() >= 4 && operand[0] == 'C' && operand[1] == '2' && digit(2) && digit(3);
}

std::uint8_t placeBox(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y, stLadderBlock& object,
                      PlacementOperands operands, bool toBusEnd) {
    std::int64_t at = x;
    if (at < busStart() || at > busEnd() - cellWidth()) return 1;
    object.end = kEndOutput;
    std::int64_t width = cellWidth();
    for (std::size_t i = 0; i < operands.size() && i < 5; ++i)
        if (isPresent(operands[i])) width += doubleWord != 0 ? 2 * cellWidth() : cellWidth();
    if (toBusEnd) object.Xend = draw.iBusLineEnd;
    if (at + width > busEnd()) return 1;
    while (busEnd() - width > at) at += cellWidth();
    object.xAddr = static_cast<std::uint32_t>(at);
    object.yAddr = y;
    moveCursorToNextLine(y);
    raiseBottomToCursor();
    return 0;
}

}  // namespace

std::uint8_t placeLabelSymble(std::uint32_t x, std::uint32_t y) {
    if (x >= draw.iBusLineStart) return 1;
    moveCursorRightOf(x, y);
    return 0;
}

std::uint8_t placeLdSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object) {
    return placeContact(x, y, object, kEndContact);
}

std::uint8_t placeAndSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object) {
    if (placeContact(x, y, object, kEndContact) != 0) return 1;
    raiseBottomBelowCursor();
    return 0;
}

std::uint8_t placeOrSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object) {
    if (placeContact(x, y, object, kEndTwoLine) != 0) return 1;
    raiseBottomBelowCursor();
    return 0;
}

std::uint8_t placeOutSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object,
                            std::span<const char> operand1, std::span<const char> operand2,
                            std::span<const char> /*operand3*/) {
    std::int64_t at = x;
    if (at < busStart()) return 1;
    object.end = kEndOutput;
    std::int64_t width = 2 * cellWidth();
    if (isPresent(operand2)) width += cellWidth();
    if (isLongCounter(operand1)) width += cellWidth();
    while (busEnd() - width >= at) at += cellWidth();
    object.xAddr = static_cast<std::uint32_t>(at);
    object.yAddr = y;
    object.Xend = draw.iBusLineEnd;
    moveCursorToNextLine(y);
    raiseBottomToCursor();
    return 0;
}

std::uint8_t placeStlSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object) {
    std::int64_t at = x;
    if (outsideContactCells(at)) return 1;
    object.end = kEndContact;
    while (at > cellWidth()) at -= cellWidth();
    object.xAddr = static_cast<std::uint32_t>(at);
    object.yAddr = y;
    moveCursorToNextLine(y);
    raiseBottomToCursor();
    return 0;
}

std::uint8_t placeFncSymble(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y, stLadderBlock& object,
                            PlacementOperands operands) {
    return placeBox(doubleWord, x, y, object, operands, false);
}

std::uint8_t placeFncSymbleToBusEnd(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y,
                                    stLadderBlock& object, PlacementOperands operands) {
    return placeBox(doubleWord, x, y, object, operands, true);
}

std::uint8_t placeCompareContactSymble(std::uint8_t /*doubleWord*/, std::uint32_t x, std::uint32_t y,
                                       stLadderBlock& object, PlacementOperands /*operands*/) {
    if (x < draw.iBusLineStart) return 1;
    object.xAddr = x;
    object.yAddr = y;
    moveCursorRightOf(x, y);
    raiseBottomToCursor();
    return 0;
}

std::uint8_t placeEndSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object) {
    std::int64_t at = x;
    if (at < busStart() || at > busEnd()) return 1;
    object.end = kEndOutput;
    while (busEnd() - 2 * cellWidth() >= at) at += cellWidth();
    object.xAddr = static_cast<std::uint32_t>(at);
    object.yAddr = y;
    moveCursorRightOf(at, y);
    raiseBottomToCursor();
    return 0;
}

}  // namespace kestrion
