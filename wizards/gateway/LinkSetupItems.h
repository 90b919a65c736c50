// The link-setup items of the module-programs menu that need nothing of the main window: the
// auto-link calculator and the two connection pictures. The dialogs of the gateway are opened
// from CcLinkDialog.h; the BFM lists and the gateway program belong to the main window (app/).
#pragma once

namespace kestrion {

// The RS-485 link module's "Auto link...".
void AutoLink2Click();
// "Image...": the module's connection picture at 8/10 of the screen (topic 1 for the RS-485 link
// module, 0 for the gateway module).
void Link485Image1Click();
void ccGateImage1Click();

}  // namespace kestrion
