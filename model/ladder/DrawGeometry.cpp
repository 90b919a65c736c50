#include "model/ladder/DrawGeometry.h"

#include "model/image/ModeData.h"

namespace kestrion {

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

}  // namespace kestrion
