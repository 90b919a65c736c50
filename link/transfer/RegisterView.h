// The register panel of the main window (RegisterViewGroupBox): the program's data registers D0
// upward as the register image holds them, ten registers a row (16-bit layout) or five double
// words (32-bit layout), in decimal or hexadecimal (binary, ASCII and floating point show blank
// cells). Row 0 and column 0 hold the labels. Values typed into the grid in the format shown are
// written into the register image when the typing in a cell ends with its text kept (Enter, Tab, a
// click elsewhere, the view closed), or on Enter. It shows the image, not the PLC: nothing here is live.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestrion {

// The layout (1 the 32-bit one), the format (0 binary, 1 decimal, 2 hexadecimal, 3 ASCII, 4
// floating point) and the count of the grid's fills (the grid drops typed texts at each).
struct RegisterViewState {
    int regView32bits = 0;
    int regViewFormat = 1;
    std::uint32_t regViewFills = 0;
};
extern RegisterViewState& registerView;

// Rows by the program's PLC type, the label row included: 801 for types 2, 4, 5 and 7, 401 for
// type 6, 27 for type 1 and any other.
int regViewRowCount();
int regViewColumnCount();  // 11 in the 16-bit layout, 6 in the 32-bit layout
std::string regViewCellText(int row, int column);
// Whether a cell takes typing: a register's cell (not a label, not a blank past the type's last
// register) in a format a value can be typed in (decimal, hexadecimal).
bool regViewCellEditable(int row, int column);

// View > "Register view" (app/MainView) in two steps: the comment lists' marks cleared, and
// whether the panel shows already; then the grid in the 16-bit layout, decimal.
bool registerViewShown();
void openRegisterGrid();
void btnRegView16bitsClick();
void btnRegView32bitsClick();
void btnRegViewBinaryClick();
void btnRegViewDecimalClick();
void btnRegViewHexadecimalClick();
void btnRegViewAsciiClick();
void btnRegViewFloatingClick();
void btnRegViewEditCancelClick();

// Enter in the grid: in decimal or hexadecimal format every cell's text (as cellText gives it,
// typed or shown) goes into the register (16-bit layout) or double word (32-bit layout) the cell
// shows, read as the format shows it: 0 to 65535 or 0000 to FFFF for a register, a signed 32-bit
// value or 8 hexadecimal digits for a double word. A blank cell writes nothing and moves no other
// cell's register. A text that is not such a value is refused: its register keeps its value, the
// other cells are written all the same, and one box names every refused cell. A value that
// differs from its register's marks the open program modified. The refused cells (row, column)
// are returned.
std::vector<std::pair<int, int>> btnRegViewUpdateClick(
    const std::function<std::string(int row, int column)>& cellText);

}  // namespace kestrion
