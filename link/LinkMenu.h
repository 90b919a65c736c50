// The link's rows of the main menu.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable linkMenuRows();

}  // namespace kestrion
