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

}  // namespace kestrion
