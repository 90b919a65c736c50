// The Edit menu's find, replace and go-to items, and View > Zoom > Auto. The work is the ladder
// editor's (editor/LadderFind.h, editor/DeviceReplace.h); these bring the ladder view forward when
// the frame has moved while another view showed.
#pragma once

#include <cstdint>

#include "lang/MenuTable.h"

namespace kestrion {

MenuTable searchMenuRows();

// Edit > Find (Ctrl+F), Find next (Ctrl+F3), Find previous (Ctrl+Shift+F3), Replace, Go to step
// (Ctrl+G).
void Find1Click();
void FindNext1Click();
void FindPrevious1Click();
void Replace1Click();
void GoToStep1Click();

// View > Zoom > Auto: the ladder from the left edge to the right bus fits the width of the view,
// and follows the view's resizing while the item is checked (another zoom item ends it).
void ZoomAuto1Click();
// The width of the ladder view changed (pixels): with Auto checked the zoom follows.
void ladderViewWidthChanged(int width);
// The zoom that fits a view of that width: at least 25 % and at most 300 %.
std::uint32_t autoZoomPercent(int width);

}  // namespace kestrion
