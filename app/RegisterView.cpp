#include "app/RegisterView.h"

#include "app/MainView.h"
#include "link/LinkDialogs.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr char kEnterKey = 13;

void fillGrid() {
    appState.regStringGrid =
        registerPanelGrid(pmw.plcType(), appState.regView32bits != 0, appState.regViewFormat);
    ++appState.regGridFills;
}

void showFormat(int format) {
    appState.regViewFormat = format;
    fillGrid();
}

// Type 1 has no register past D255: whatever stands in those cells is not a register's.
void blankPastType1() {
    if (pmw.plcType() != 1) return;
    RegisterGrid& grid = appState.regStringGrid;
    const int last = grid.rows - 1;
    const int firstBlank = appState.regView32bits != 0 ? 4 : 7;
    for (int column = firstBlank; column < grid.columns; ++column) grid.cell(column, last) = kBlankCell;
}

}  // namespace

void RegisterView1Click() {
    for (const char* item : {"msDeviceCommentList1", "msBlockCommentList1", "msCoilCommentList1"})
        menuItem(item).checked = false;
    if (menuItem("RegisterView1").checked || !appState.programPanelsVisible) return;
    appState.registerViewVisible = true;
    for (const char* item : {"LadderView1", "InstructionView1", "SFCview1"}) menuItem(item).checked = false;
    menuItem("RegisterView1").checked = true;
    for (const char* button : {"spbtnLadderView", "spbtnInstructionView"}) menuItem(button).enabled = true;
    for (const char* button : {"spbtnSFCView", "spbtnCommentListView", "spbtnRegisterView"})
        menuItem(button).enabled = false;
    setupToolBarButtons(0);
    setupFncKeyButtons(0);
    appState.regView32bits = 0;
    showFormat(kRegViewDecimal);
}

void spbtnRegisterViewClick() {
    RegisterView1Click();
}

void btnRegView16bitsClick() {
    appState.regView32bits = 0;
    fillGrid();
}

void btnRegView32bitsClick() {
    appState.regView32bits = 1;
    fillGrid();
}

void btnRegViewBinaryClick() {
    showFormat(kRegViewBinary);
}
void btnRegViewDecimalClick() {
    showFormat(kRegViewDecimal);
}
void btnRegViewHexadecimalClick() {
    showFormat(kRegViewHexadecimal);
}
void btnRegViewAsciiClick() {
    showFormat(kRegViewAscii);
}
void btnRegViewFloatingClick() {
    showFormat(kRegViewFloating);
}

void btnRegViewUpdateClick() {
    if (!appState.registerViewVisible) return;
    blankPastType1();
    const RegisterImage before = DmwImage;
    const RegisterUpdate update =
        updateRegistersFromGrid(appState.regStringGrid, appState.regView32bits != 0, appState.regViewFormat);
    if (!update.written) {
        platform::messages().show("'" + update.badText + "' is not a valid integer value (" +
                                      appState.regStringGrid.cell(0, update.row) + " +" +
                                      std::to_string(update.column - 1) + ")",
                                  "Register view", platform::MsgIcon::Warning, platform::MsgButtons::Ok);
        return;
    }
    // The registers are the program's data: they go with its next save.
    if (DmwImage != before) editModeFlags |= kEditModifiedSinceSave;
}

void regStringGridKeyPress(char key) {
    if (key == kEnterKey) btnRegViewUpdateClick();
}

void btnRegViewEditCancelClick() {
    switch (appState.regViewFormat) {
        case kRegViewBinary: btnRegViewBinaryClick(); break;
        case kRegViewDecimal: btnRegViewDecimalClick(); break;
        case kRegViewHexadecimal: btnRegViewHexadecimalClick(); break;
        case kRegViewAscii: btnRegViewAsciiClick(); break;
        default: btnRegViewFloatingClick(); break;
    }
}

void btnRegViewCloseClick() {
    LadderView1Click();
}

void setRegisterCellText(int column, int row, const std::string& text) {
    RegisterGrid& grid = appState.regStringGrid;
    if (column < 1 || row < 1 || column >= grid.columns || row >= grid.rows) return;
    grid.cell(column, row) = text;
}

void refreshRegisterView() {
    if (!appState.registerViewVisible) return;
    RegisterView1Click();
    btnRegViewEditCancelClick();
}

void DregView1Click() {
    RegisterViewDialog dialog;
    dialog.plcType = pmw.plcType();
    linkDialogs().registerView(dialog);
    redrawFlags |= kRedrawLadder | kRedrawObjects;
}

}  // namespace kestrion
