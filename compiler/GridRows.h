// Reading a row of the ladder's canvas once, for the passes that scan it cell by cell.
#pragma once

#include <array>
#include <cstdint>

#include "model/ladder/CanvasState.h"

namespace kestrion::compile {

// The cells of a row of the grid, columns 0 to kCanvasColumns - 1, looked up once for the whole
// row; a row outside the grid reads blank. A cell never written holds '\0', which is no contact,
// NOP, wire or link, as cell() would read it (blank): comparing with one of those answers as
// cell() does.
inline const char* cellsOfRow(const CanvasGrid& grid, std::int64_t row) {
    static const std::array<char, kCanvasColumns> blank = [] {
        std::array<char, kCanvasColumns> cells{};
        cells.fill(kCellBlank);
        return cells;
    }();
    const char* cells = grid.rowCells(row);
    return cells != nullptr ? cells : blank.data();
}

}  // namespace kestrion::compile
