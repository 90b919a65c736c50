#include "link/transfer/RegisterGrid.h"

#include "model/image/DmwImage.h"

namespace kestrion {

namespace {

constexpr int kRegistersPerRow = 10;

}  // namespace

int registerDialogRows(int plcType) {
    if (plcType == 2 || plcType == 5 || plcType == 7) return 801;
    if (plcType == 4) return 101;
    return 27;
}

RegisterGrid registerDialogGrid(int plcType) {
    RegisterGrid grid;
    grid.rows = registerDialogRows(plcType);
    grid.columns = kRegistersPerRow + 1;
    grid.cells.assign(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns), "");
    for (int column = 1; column < grid.columns; ++column)
        grid.cell(column, 0) = "+" + std::to_string(column - 1);
    for (int row = 1; row < grid.rows; ++row) {
        const int first = kRegistersPerRow * (row - 1);
        grid.cell(0, row) = "D" + std::to_string(first);
        for (int column = 1; column < grid.columns; ++column)
            grid.cell(column, row) =
                std::to_string(dmwRegister(static_cast<std::uint32_t>(first + column - 1)));
    }
    return grid;
}

}  // namespace kestrion
