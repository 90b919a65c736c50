// The main window's own rows of the menu (the menus of the menu bar and the hidden developer
// menu) and the rows of every subsystem together.
#pragma once

#include <vector>

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable appMenuRows();

// Every subsystem's rows, in the order of their positions (rows of equal position keep the order
// of their tables).
std::vector<MenuRow> mainMenuRows();

// Rows of one object name as one row, so that two tables may each bring a menu they both fill (a
// hidden developer menu): the first keeps its place and takes a command only a later one brings.
std::vector<MenuRow> mergeRowsOfOneName(const std::vector<MenuRow>& rows);

}  // namespace kestrion
