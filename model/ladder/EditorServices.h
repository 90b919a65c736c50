// What the model needs of the ladder editor: the selection frame, the undo and edit-cancel copies
// of the object list, turning a stretch of a row into NOP wire, and the drawing of one vertical
// wire through the installed ladder view.
#pragma once

#include <cstdint>

namespace kestrion {

// Frames the object at (x, y), or failing that the first object whose cells cover x on row y, or
// else the one cell at (x, y). The object found is left in ldrSearch (null when none). The view
// brings the frame into sight (inside a command once the command has ended).
void setBlueFrameObject(std::uint32_t x, std::uint32_t y);
// The frame on the first cell right of the left bus, scaled by the zoom.
void initBlueFrame(std::uint32_t zoom);

// Copies the whole main list: mode 0 into the edit-cancel copy (Undo is disabled), mode 1 into the
// undo copy (Undo enabled); the previous copy is freed and Edit Cancel enabled. Other modes do
// nothing. The caller copies the canvas of the same slot.
void backupLadderDiagramMemory(int mode);

// Every main-list object on row y with xFrom <= xAddr < xTo becomes a NOP; ldrSearch is left on
// the last one changed.
void nopOutRowRange(std::uint32_t xFrom, std::uint32_t y, std::uint32_t xTo);

// Draws through the installed ladder view; nothing without one.
void drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                             std::uint32_t zoom);

}  // namespace kestrion
