// The drawing geometry of the ladder: derived from the cell size of the settings record and the
// number of device columns. Every coordinate in objects and canvases is pixels at zoom 100 %.
#pragma once

#include <cstdint>

namespace kestrion {

struct DrawLines {
    std::uint32_t iBusLineStart = 0;  // x of the left bus: one cell width
    std::uint32_t iBusLineEnd = 0;    // x of the right bus: cell width x deviceColumns
};

extern DrawLines& draw;
extern std::uint32_t& deviceColumns;  // cells per ladder line: 14 at start, 12 to 16 from the View menu
extern std::uint32_t& symbleHalfWidth;
extern std::uint32_t& symbleHalfHeight;
extern std::uint32_t& twoSymbleWidth;
extern std::uint32_t& virtualArrayColumns;
extern std::uint32_t& zoomPercent;  // 100 at start
extern std::uint32_t& xOldCursor;   // editor cursor, cell aligned
extern std::uint32_t& yOldCursor;
extern std::uint32_t& ladderBottomY;  // lowest y the diagram uses

// Re-derives the values above from ModeData.xSizeSymble, ModeData.ySizeSymble and deviceColumns;
// run at start-up and whenever the cell size or the number of columns changes.
void setupDrawGeometry();

}  // namespace kestrion
