// The monitor's rows of the developer menus: the any-address items and the terminal of xRS.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable accessMenuRows();

}  // namespace kestrion
