// The grid of the register views: a row of column labels, then ten D registers a row (16-bit
// layout) or five double words a row (32-bit layout), each cell showing its register of DmwImage
// in the display format. Typed decimal values go back into the register each cell shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

// Display formats of the register panel; only decimal and hexadecimal show values.
constexpr int kRegViewBinary = 0;
constexpr int kRegViewDecimal = 1;
constexpr int kRegViewHexadecimal = 2;
constexpr int kRegViewAscii = 3;
constexpr int kRegViewFloating = 4;

// A cell the view leaves without a register or without a value.
constexpr const char* kBlankCell = " ";

struct RegisterGrid {
    int rows = 0;
    int columns = 0;
    std::vector<std::string> cells;  // row by row

    std::string& cell(int column, int row) { return cells[index(column, row)]; }
    const std::string& cell(int column, int row) const { return cells[index(column, row)]; }

private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(column);
    }
};

// Rows (the label row included) of the register panel and of the register dialog by PLC type.
int registerPanelRows(int plcType);
int registerDialogRows(int plcType);

// The panel's grid of a layout and format; on type 1 the cells past D255 are blank.
RegisterGrid registerPanelGrid(int plcType, bool layout32, int format);
// The dialog's grid: 16-bit layout, unsigned decimal, no blank cells.
RegisterGrid registerDialogGrid(int plcType);

struct RegisterUpdate {
    bool written = false;  // false: a cell is not a number, and nothing was written
    std::string badText;   // that cell's text
    int column = 0, row = 0;
};
// In the decimal format, every cell holding a number is written into the register it shows
// (16-bit layout: its low 16 bits; 32-bit layout: all 32 into the double word); blank and empty
// cells write nothing and shift nothing. Other formats write nothing.
RegisterUpdate updateRegistersFromGrid(const RegisterGrid& grid, bool layout32, int format);

}  // namespace kestrion
