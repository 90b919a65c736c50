// The rows of the developer views in the main menu: Tools > "More view ..." (hidden until the
// access code shows it), the hidden menu xRS, and the views under the hidden menu xTHIS.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable devViewsMenuRows();

}  // namespace kestrion
