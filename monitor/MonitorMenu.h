// The monitor's rows of the main menu and of the ladder's pop-up menu shown while a monitor runs.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable monitorMenuRows();
// PopupMenu4: "Stop monitor", "DeviceSearch", "Force ON/OFF", "Change value".
MenuTable monitorPopupRows();

}  // namespace kestrion
