// The openers of the force dialog: the hidden item "Force Bit On/Off" of the Monitor menu and the
// force tool button; and the monitor's rows of the main menu.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

void ForceBitOnOff1Click();
void spbtnForceOnOffClick();

MenuTable monitorMenuRows();

}  // namespace kestrion
