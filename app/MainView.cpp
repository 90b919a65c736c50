#include "app/MainView.h"

#include <array>
#include <memory>

#include "app/TemplateCommands.h"
#include "lang/Language.h"
#include "link/line/LinkCommand.h"
#include "link/transfer/RegisterView.h"
#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"
#include "reader/InstructionList.h"

namespace kestrion {

AppState appState;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("app", [] { appState = {}; });

// The view is put back with the model when a command fails.
transaction::Restore snapshotMainView() {
    return [saved = std::make_shared<const AppState>(appState)] { appState = *saved; };
}
[[maybe_unused]] const bool viewPart = transaction::registerPart("main view", snapshotMainView);

// The items that work only on an open program.
constexpr const char* kProgramItems[] = {"Close1",
                                         "Save1",
                                         "SaveAs1",
                                         "LadderView1",
                                         "InstructionView1",
                                         "RegisterView1",
                                         "LadderToInstruction1",
                                         "Convert4",
                                         "Find1",
                                         "FindNext1",
                                         "FindPrevious1",
                                         "GoToStep1"};

void checkOnly(const std::array<const char*, 5>& group, std::size_t count, const char* chosen) {
    for (std::size_t i = 0; i < count; ++i) menuItem(group[i]).checked = std::string(group[i]) == chosen;
}

constexpr std::array<const char*, 5> kFontItems = {"FontN81", "FontN101", "FontN121", "FontN141", ""};
constexpr std::array<const char*, 5> kWidthItems = {"X561", "X601", "X641", "X681", ""};
constexpr std::array<const char*, 5> kHeightItems = {"Y561", "Y601", "Y641", "Y681", "Y721"};
constexpr std::array<std::uint32_t, 5> kCellHeights = {56, 60, 64, 68, 72};
constexpr std::array<const char*, 5> kZoomItems = {"Np501", "Np751", "Np1001", "Np1251", "Np1501"};

void selectZoom(std::uint32_t percent, const char* item) {
    zoomPercent = percent;
    checkOnly(kZoomItems, 5, item);
    menuItem("ZoomAuto1").checked = false;
    requestLadderRedraw();
    redrawFlags |= kRedrawFrame;
}

void selectFont(std::uint32_t size, const char* item) {
    ModeData.fontSize = size;
    checkOnly(kFontItems, 4, item);
    requestLadderRedraw();
}

// Objects sit on whole cells: a new cell size moves each to the same cell of the new grid.
std::uint32_t rescaled(std::uint32_t position, std::uint32_t from, std::uint32_t to) {
    return from == 0 ? position : position / from * to;
}

void setCellWidth(std::uint32_t width, const char* item) {
    const std::uint32_t old = ModeData.xSizeSymble;
    ModeData.xSizeSymble = width;
    checkOnly(kWidthItems, 4, item);
    setupDrawGeometry();
    for (stLadderBlock* object = ldrHead; object != nullptr; object = object->next) {
        object->xAddr = rescaled(object->xAddr, old, width);
        object->Xend = rescaled(object->Xend, old, width);
    }
    xOldCursor = rescaled(xOldCursor, old, width);
    requestLadderRedraw();
}

void setCellHeight(std::uint32_t height, const char* item) {
    const std::uint32_t old = ModeData.ySizeSymble;
    ModeData.ySizeSymble = height;
    checkOnly(kHeightItems, 5, item);
    setupDrawGeometry();
    for (stLadderBlock* object = ldrHead; object != nullptr; object = object->next)
        object->yAddr = rescaled(object->yAddr, old, height);
    yOldCursor = rescaled(yOldCursor, old, height);
    ladderBottomY = rescaled(ladderBottomY, old, height);
    requestLadderRedraw();
}

bool toggleCommentItem(const char* item, std::uint8_t bit) {
    MenuItemState& state = menuItem(item);
    state.checked = !state.checked;
    if (state.checked)
        ModeData.viewFlags |= bit;
    else
        ModeData.viewFlags &= static_cast<std::uint8_t>(~bit);
    requestLadderRedraw();
    return state.checked;
}

}  // namespace

void setMenuClosed() {
    for (const char* item : kProgramItems) menuItem(item).enabled = false;
    for (const char* item : kEditingItems) menuItem(item).enabled = false;
    appState.frameTreeVisible = false;
    setTemplateMenus(false);
    menuItem("mmWizard").visible = false;
}

void setMenuOpened() {
    for (const char* item : kProgramItems) menuItem(item).enabled = true;
    setTemplateMenus(true);
}

void setMenuProgramOpen() {
    optionFlags |= kOptionProgramOpen;
    for (const char* item : kEditingItems) menuItem(item).enabled = true;
    // Also after a program read from the PLC, which does not pass setMenuOpened.
    setTemplateMenus(true);
    menuItem("AxisControl1").visible = true;
}

void setupAllPanels() {
    appState.programPanelsVisible = true;
}

void setupToolBarButtons(int viewMode) {
    appState.toolBarViewMode = viewMode;
}

void setupFncKeyButtons(int viewMode) {
    appState.fncKeyViewMode = viewMode;
}

void showView(const char* item, std::uint8_t button) {
    appState.programPanelsVisible = true;
    appState.instructionViewVisible = button == kInstructionViewButton;
    appState.registerViewVisible = button == kRegisterViewButton;
    appState.parameterViewVisible = false;
    for (const char* view : {"LadderView1", "InstructionView1", "RegisterView1"})
        menuItem(view).checked = std::string(view) == item;
    appState.viewButtonsDown = button;
    const int mode = button == kLadderViewButton ? 1 : 0;
    setupToolBarButtons(mode);
    setupFncKeyButtons(mode);
}

void LadderView1Click() {
    showView("LadderView1", kLadderViewButton);
}

void InstructionView1Click() {
    showView("InstructionView1", kInstructionViewButton);
}

void AllOffView1Click() {
    appState.viewButtonsDown = 0;
}

void RegisterView1Click() {
    if (registerViewShown()) return;
    showView("RegisterView1", kRegisterViewButton);
    openRegisterGrid();
}

void btnRegViewCloseClick() {
    LadderView1Click();
}

void refreshRegisterView() {
    if (!appState.registerViewVisible) return;
    RegisterView1Click();
    btnRegViewEditCancelClick();
}

void showParameterList(std::vector<ParameterRow> rows) {
    setupToolBarButtons(0);
    setupFncKeyButtons(0);
    // The list is a view of its own: the ladder and the other views give it their place.
    appState.instructionViewVisible = false;
    appState.registerViewVisible = false;
    for (const char* view : {"LadderView1", "InstructionView1", "RegisterView1"})
        menuItem(view).checked = false;
    AllOffView1Click();
    appState.parameterViewVisible = true;
    appState.parameterRows = std::move(rows);
}

void btnParameterViewCloseClick() {
    requestLadderRedraw();
    // The ladder or the instruction view, whichever its menu item ticks, takes the panel's place.
    appState.parameterViewVisible = false;
    setupToolBarButtons(1);
    setupFncKeyButtons(1);
    platform::timers().setEnabled(platform::TimerId::Timer3, false);
    releasePort();
}

void ParameterListViewDblClick(const std::string& caption, const std::string& value, int index) {
    platform::statusBar().setPanelText(0, caption + "," + value + "," + std::to_string(index));
}

void instructionLineDoubleClick(std::size_t row) {
    if (frameInstructionLine(row)) LadderView1Click();
}

void initMemoPanels() {
    for (int memo = 0; memo <= static_cast<int>(platform::Memo::Debug9); ++memo)
        platform::trace().clear(static_cast<platform::Memo>(memo));
    appState.memoHeight = static_cast<int>(2 * ModeData.ySizeSymble);
    appState.mouseStatusBarHeight = static_cast<int>(ModeData.ySizeSymble / 2);
}

void FontN81Click() {
    selectFont(8, "FontN81");
}
void FontN101Click() {
    selectFont(10, "FontN101");
}
void FontN121Click() {
    selectFont(12, "FontN121");
}
void FontN141Click() {
    selectFont(14, "FontN141");
}

void selectFontItem(std::uint32_t fontSize) {
    switch (fontSize) {
        case 8: FontN81Click(); break;
        case 12: FontN121Click(); break;
        case 14: FontN141Click(); break;
        default: FontN101Click(); break;
    }
}

// The cell sizes move every ladder object: each runs as a command, so that nothing is left half
// moved.
void X561Click() {
    runCommand([] { setCellWidth(56, "X561"); });
}
void X601Click() {
    runCommand([] { setCellWidth(60, "X601"); });
}
void X641Click() {
    runCommand([] { setCellWidth(64, "X641"); });
}
void X681Click() {
    runCommand([] { setCellWidth(68, "X681"); });
}
void Y561Click() {
    runCommand([] { chooseCellHeight(56); });
}
void Y601Click() {
    runCommand([] { chooseCellHeight(60); });
}
void Y641Click() {
    runCommand([] { chooseCellHeight(64); });
}
void Y681Click() {
    runCommand([] { chooseCellHeight(68); });
}
void Y721Click() {
    runCommand([] { chooseCellHeight(72); });
}

void chooseCellHeight(std::uint32_t height) {
    for (std::size_t i = 0; i < kHeightItems.size(); ++i)
        if (kCellHeights[i] == height) setCellHeight(height, kHeightItems[i]);
}

void Np501Click() {
    selectZoom(50, "Np501");
}
void Np751Click() {
    selectZoom(75, "Np751");
}
void Np1001Click() {
    selectZoom(100, "Np1001");
}
void Np1251Click() {
    selectZoom(125, "Np1251");
}
void Np1501Click() {
    selectZoom(150, "Np1501");
}

void DeviceComment2Click() {
    // Device comments need the taller cell.
    runCommand([] { chooseCellHeight(toggleCommentItem("DeviceComment2", kViewDeviceComments) ? 64 : 56); });
}
void BlockComment2Click() {
    runCommand([] { toggleCommentItem("BlockComment2", kViewBlockComments); });
}
void CoilComment2Click() {
    runCommand([] { toggleCommentItem("CoilComment2", kViewCoilComments); });
}

void showCommentItems() {
    menuItem("DeviceComment2").checked = (ModeData.viewFlags & kViewDeviceComments) != 0;
    menuItem("BlockComment2").checked = (ModeData.viewFlags & kViewBlockComments) != 0;
    menuItem("CoilComment2").checked = (ModeData.viewFlags & kViewCoilComments) != 0;
}

void revealAccessItems(HiddenItems items) {
    if (items != HiddenItems::DemoKit) return;
    MenuItemState& check = menuItem("HarewareCheck");
    check.visible = true;
    check.enabled = true;
    showTemplateMenus();
}

void ClearAllObject1Click() {
    runCommand(clearAllObjects);
}

void clearAllObjects() {
    platform::timers().setEnabled(platform::TimerId::Timer2, false);
    clearLadderKeepEnd();
    clearVirtualCanvas();
}

void selectAutoZoom(std::uint32_t percent) {
    zoomPercent = percent;
    checkOnly(kZoomItems, 5, "");
    menuItem("ZoomAuto1").checked = true;
    requestLadderRedraw();
    redrawFlags |= kRedrawFrame;
}

void mainViewStartUp() {
    checkOnly(kZoomItems, 5, "Np1001");
    menuItem("ZoomAuto1").checked = false;
    selectFontItem(ModeData.fontSize);
    // The width mark stays on the 64 item although every start draws 80 pixels wide.
    checkOnly(kWidthItems, 4, "X641");
    const char* height = ModeData.ySizeSymble == 68   ? "Y681"
                         : ModeData.ySizeSymble == 64 ? "Y641"
                         : ModeData.ySizeSymble == 60 ? "Y601"
                                                      : "Y561";
    checkOnly(kHeightItems, 4, height);
    showCommentItems();
    appState.programPanelsVisible = false;
    setMenuClosed();
    setupToolBarButtons(0);
    setupFncKeyButtons(0);
    initMemoPanels();
}

}  // namespace kestrion
