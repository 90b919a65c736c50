// The vertical link tool: a link drawn or erased from the selection frame's left edge down to the
// next line, in the canvas cell between the two lines (the cell the load writes for the links its
// branches need). A link is judged like a typed line, by the rungs it joins or cuts: a rung being
// built may stay open, a rung that converted before may be neither left open nor made one that
// Convert writes as other logic than drawn, and what is taken converts as drawn. A refused link
// changes nothing and says why on the status bar.
#pragma once

#include <string>

namespace kestrion {

enum class LinkEdit { Draw, Erase };

// Why no link can be drawn (erased) at the frame: at the left bus, right of the last cell, from END's
// line or down onto it, where one stands already (none stands); empty when the link can be tried.
std::string linkPlaceRefusal(LinkEdit edit);

// Draws (erases) the link at the frame as one command with its undo copy; true when taken.
// Refused while a monitor runs, as every edit is.
bool editLinkAtFrame(LinkEdit edit);

// Edit > Draw vertical link (F9) and Erase vertical link (Shift+F9).
void DrawLink1Click();
void EraseLink1Click();

}  // namespace kestrion
