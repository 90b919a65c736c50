// The setting items' rows of the main menu.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

// The wizards' rows: the setting items, the "&Wizard" menu and the template menus.
MenuTable wizardsMenuRows();

}  // namespace kestrion
