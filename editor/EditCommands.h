// The Edit menu of the ladder: Undo, Edit Cancel, Cut, Copy, Paste and the insert and delete of a
// ladder line. Each edit refuses while a monitor runs, takes the undo copy (objects and canvas)
// first and runs as one command transaction, so a failure leaves the ladder as it was.
#pragma once

namespace kestrion {

// Puts the undo copy in place of the ladder and the ladder into the undo copy, with their canvases,
// so a second Undo takes the change again.
void Undo1Click();
// Back to the ladder as it was after the last New, Open, Convert or program read (the edit-cancel
// copy); the edit marks go with the edits.
void EditCancel1Click();
void EditCancel2Click();
// The ladder lines the selection frame covers, at most 32 objects, into the clipboard block; the
// first carries the block-copy flag. Cut then takes the lines out; the lines below move up.
void Copy1Click();
void Cut1Click();
// The copied lines in front of the frame's line; that line and those below move down.
void Paste1Click();
// A blank line in front of the frame's line, or the frame's line taken out; END follows.
void InsertLine1Click();
void DeleteLine1Click();

// Undo1, EditCancel1 and EditCancel2 enabled as the editor's copies allow; the link items with an
// open ladder.
void refreshEditItems();

}  // namespace kestrion
