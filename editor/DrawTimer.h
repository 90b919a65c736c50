// The ladder's part of the main window's 250 ms drawing timer.
#pragma once

namespace kestrion {

// Carries out the redraw requests of redrawFlags: any of them repaints the view once and is
// cleared. Without a ladder the drawn range is emptied. True when a repaint was asked for.
bool ladderDrawTick();

// While Timer3 runs at its slow 2000 ms interval the drawing timer counts its own ticks; after
// more than 20 Timer3 goes back to 100 ms and the count starts again.
void countTimer3Ticks();

}  // namespace kestrion
