// The link-setup menu's commands: the gateway program generator, the gateway program dialog, and
// the module buffer-memory (BFM) lists shown in the main window's parameter list in place of the
// ladder. Every item of the menu is run through linkSetupItemClick by its object name. The steps
// of the main window they take part in are those of model/WindowSteps.h.
#pragma once

#include <string>
#include <vector>

#include "wizards/gateway/BfmLists.h"

namespace kestrion {

// Puts the gateway program into the editor as a new program: the open program is closed first
// (with Close's question when it is modified; Cancel leaves it), the image is made for the PLC
// type last detected or chosen (the program's own type while none is), the ladder is rebuilt from
// it, and the program counts as unchanged. Saving it asks for a file name.
void ccGate1Click();
void ccGate2Click();
// The "P.Generte" button of the gateway program dialog: File > New first when no program is open
// (nothing more when its type dialog is cancelled), then the generator.
void ProgGenerteClick();
// The loading tail shared with the file and transfer paths, run on the program image.
void rebuildLadderFromProgramImage();
// "Template...": the gateway program dialog; after Close the port is closed.
void Template1Click();

// "BFM...": the list of the RS-485 link module (in Traditional Chinese when that is the interface
// language) or of the gateway module (status panel 13 then gives its row count). The list is
// emptied first; the ladder's tool and function-key buttons rest while it shows.
void Link485BFM1Click();
void ccGateBFM1Click();

// The main window shows rows in its parameter view in place of the ladder; it installs this at
// start-up.
using ParameterListView = void (*)(std::vector<ParameterRow> rows);
void setParameterListView(ParameterListView show);

// Runs the link-setup item of that object name; false for a name that is none.
bool linkSetupItemClick(const std::string& objectName);

}  // namespace kestrion
