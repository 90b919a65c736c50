#include "app/SearchCommands.h"

#include <algorithm>

#include "app/MainView.h"
#include "editor/DeviceReplace.h"
#include "editor/LadderFind.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kItem, "Find1", "&Find...", "EditMenu", 80, Find1Click, {.shortcut = "Ctrl+F"}},
    // F3 and Shift+F3 are the function keys of the falling-edge contacts on the ladder.
    {kItem, "FindNext1", "Find &next", "EditMenu", 82, FindNext1Click, {.shortcut = "Ctrl+F3"}},
    {kItem, "FindPrevious1", "Find pre&vious", "EditMenu", 84, FindPrevious1Click,
     {.shortcut = "Ctrl+Shift+F3"}},
    {kItem, "Replace1", "&Replace...", "EditMenu", 86, Replace1Click},
    {kItem, "GoToStep1", "&Go to step...", "EditMenu", 88, GoToStep1Click, {.shortcut = "Ctrl+G"}},
    {kItem, "ZoomAuto1", "Auto", "Zoom1", 60, ZoomAuto1Click, {.checkable = true}},
};
// clang-format on

constexpr std::uint32_t kLeastAutoZoom = 25;
constexpr std::uint32_t kMostAutoZoom = 300;

// A command that moved the frame while the instruction or register view showed brings the ladder
// view forward, so that what was found shows.
template <class Command>
void showingTheFrame(Command&& command) {
    const BlueFrameRect before = BlueFrame;
    command();
    const bool moved = BlueFrame.x1 != before.x1 || BlueFrame.y1 != before.y1;
    if (moved && (appState.instructionViewVisible || appState.registerViewVisible)) LadderView1Click();
}

}  // namespace

MenuTable searchMenuRows() {
    return kRows;
}

void Find1Click() {
    showingTheFrame(findWithDialog);
}

void FindNext1Click() {
    showingTheFrame([] { findAgain(FindDirection::Down); });
}

void FindPrevious1Click() {
    showingTheFrame([] { findAgain(FindDirection::Up); });
}

void Replace1Click() {
    replaceWithDialog();
}

void GoToStep1Click() {
    showingTheFrame(goToStepWithDialog);
}

std::uint32_t autoZoomPercent(int width) {
    // The bus lines and half a cell of room right of the right bus.
    const std::uint64_t ladder = std::uint64_t{draw.iBusLineEnd} + ModeData.xSizeSymble / 2;
    if (ladder == 0 || width <= 0) return 100;
    const std::uint64_t percent = static_cast<std::uint64_t>(width) * 100 / ladder;
    return static_cast<std::uint32_t>(std::clamp<std::uint64_t>(percent, kLeastAutoZoom, kMostAutoZoom));
}

void ZoomAuto1Click() {
    selectAutoZoom(autoZoomPercent(appState.ladderViewWidth));
}

void ladderViewWidthChanged(int width) {
    appState.ladderViewWidth = width;
    if (!menuItem("ZoomAuto1").checked) return;
    const std::uint32_t percent = autoZoomPercent(width);
    if (percent != zoomPercent) selectAutoZoom(percent);
}

}  // namespace kestrion
