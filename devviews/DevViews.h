// The developer views reached from the hidden menus: the texts they show and the items that
// open them. None of them changes what it shows.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// TObjLadderForm: the trace texts the routines left (traceText among them), then one line per
// object of the main list.
std::vector<std::string> objLadderViewLines();
// The X and M8000 relay bit images in hex, 16 bytes to a row.
std::vector<std::string> relayImageLines();
// What the link keeps of its frames: the monitor request lists in hex, the frame being built, the
// last frame sent and the current reply. While a frame that may carry a password is on its way the
// texts show stars, as the line trace does.
std::vector<std::string> linkFrameLines();

// The menu items of the views.
void ObjLadder1Click();
void RelayImage1Click();
void comTempArray1Click();
// Tools > "More view ...": TViewMoreForm; with OK it shows or hides the developer menus and sets
// or clears bDeveloperViews as the user chose.
void MoreView1Click();

}  // namespace kestrion
