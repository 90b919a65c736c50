// The grid of the register dialog ("D register"): a row of column labels, then ten D registers of
// DmwImage a row in unsigned decimal, each row labelled with its first register.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

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

// Rows of the dialog, the label row included: 801 for types 2, 5 and 7, 101 for type 4, 27 for
// any other (type 6 too, whose panel shows 401).
int registerDialogRows(int plcType);
RegisterGrid registerDialogGrid(int plcType);

}  // namespace kestrion
