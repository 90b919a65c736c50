#include "model/DrawGeometry.h"

#include "model/ModeData.h"

namespace kestrion {

DrawLines draw;
std::uint32_t deviceColumns = 14;
std::uint32_t symbleHalfWidth = 0;
std::uint32_t symbleHalfHeight = 0;
std::uint32_t twoSymbleWidth = 0;
std::uint32_t virtualArrayColumns = 0;
std::uint32_t zoomPercent = 100;
std::uint32_t xOldCursor = 0;
std::uint32_t yOldCursor = 0;
std::uint32_t ladderBottomY = 0;

void setupDrawGeometry() {
    const std::uint32_t cellWidth = ModeData.xSizeSymble;
    const std::uint32_t cellHeight = ModeData.ySizeSymble;
    symbleHalfWidth = cellWidth >> 1;
    symbleHalfHeight = cellHeight >> 1;
    draw.iBusLineStart = cellWidth;
    twoSymbleWidth = 2 * cellWidth;
    draw.iBusLineEnd = cellWidth * deviceColumns;
    // A settings record without a cell size (not read yet) must not divide by zero.
    virtualArrayColumns = symbleHalfWidth == 0 ? 4 : (4 * cellWidth + draw.iBusLineEnd) / symbleHalfWidth + 4;
}

void resetDrawGeometry() {
    draw = DrawLines{};
    deviceColumns = 14;
    symbleHalfWidth = 0;
    symbleHalfHeight = 0;
    twoSymbleWidth = 0;
    virtualArrayColumns = 0;
    zoomPercent = 100;
    xOldCursor = 0;
    yOldCursor = 0;
    ladderBottomY = 0;
}

}  // namespace kestrion
