// The link's rows of the main menu.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable linkMenuRows();
// The rows of the transfer commands: PLC > Program Transfer, Register Transfer and the hidden
// Parameter Transfer and Protocol setting, the hidden View > "Dreg view ...", and the transfer
// items of the hidden developer menu xRS.
MenuTable transferMenuRows();

}  // namespace kestrion
