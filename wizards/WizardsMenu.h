// The setting items' rows of the main menu.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable wizardsMenuRows();

}  // namespace kestrion
