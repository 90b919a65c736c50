// The link-setup menu's commands: the gateway program generator, the gateway program dialog, the
// module buffer-memory (BFM) lists shown in the main window's parameter list in place of the
// ladder, the auto-link calculator and the modules' connection pictures. The dialogs of the gateway
// are opened from CcLinkDialog.h. Every item of the menu is run through linkSetupItemClick by its object
// name. The steps of the main window they take part in are those of link/transfer/WindowSteps.h.
#pragma once

#include <string>
#include <vector>

#include "model/core/DialogSeam.h"
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
// "Template...": the gateway program dialog; after Close the port is closed.
void Template1Click();

// "BFM...": the list of the RS-485 link module (in Traditional Chinese when that is the interface
// language) or of the gateway module (status panel 13 then gives its row count). The list is
// emptied first; the ladder's tool and function-key buttons rest while it shows.
void Link485BFM1Click();
void ccGateBFM1Click();

// The RS-485 link module's "Auto link...".
void AutoLink2Click();
// "Image...": the module's connection picture at 8/10 of the screen (topic 1 for the RS-485 link
// module, 0 for the gateway module).
void Link485Image1Click();
void ccGateImage1Click();

// The main window's parameter view, which shows rows in place of the ladder. The main window's
// core implements it (app/MainCore.h); the program installs it at start-up beside the dialogs
// (model/core/DialogSeam.h), tests install fakes through their fixture.
class ParameterListView {
public:
    static constexpr const char* seamName = "parameter list view";
    virtual ~ParameterListView() = default;
    // The rows in place of the ladder; the ladder's tool and function-key buttons rest meanwhile.
    virtual void showRows(std::vector<ParameterRow> rows) = 0;
};

inline ParameterListView& parameterListView() {
    return DialogSeam<ParameterListView>::get();
}

// Runs the link-setup item of that object name; false for a name that is none.
bool linkSetupItemClick(const std::string& objectName);

}  // namespace kestrion
