// The diagnostics' rows of the main menu and the handlers of the entries that open the dialog.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable diagnosticsMenuRows();

// Stops a running monitor, shows the dialog as " Machine Information"; afterwards the ladder is
// repainted whole and the port is closed, whatever happened in the dialog.
void MachineStatus1Click();
// The entries that lead to MachineStatus1Click.
void KoSeries1Click();
void Wseries2Click();
void ControllerStatus1Click();
// The same dialog as "Diagnostics Information", the monitor left as it is.
void Diagnostics1Click();

}  // namespace kestrion
