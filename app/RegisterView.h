// The register panel of the main window (RegisterViewGroupBox with regStringGrid) without its
// window: D0 upward of the register image, ten registers or five double words a row, in the
// chosen display format; decimal values typed into it go into the registers their cells show.
// Also View > "Dreg view ...", the register dialog.
#pragma once

#include <string>

namespace kestrion {

// View > "Register view" and the "Register View" tool button: the panel in place of the ladder,
// 16-bit layout, decimal. Only with a program open.
void RegisterView1Click();
void spbtnRegisterViewClick();
void btnRegView16bitsClick();
void btnRegView32bitsClick();
void btnRegViewBinaryClick();
void btnRegViewDecimalClick();
void btnRegViewHexadecimalClick();
void btnRegViewAsciiClick();
void btnRegViewFloatingClick();
// "Update" and Enter in the grid: every decimal cell into its register. A cell that is not a
// number is named in a box and nothing is written.
void btnRegViewUpdateClick();
void regStringGridKeyPress(char key);
// "Edit Cancel": the grid refilled from the registers.
void btnRegViewEditCancelClick();
// "Close": back to the ladder.
void btnRegViewCloseClick();
// What the user typed into a cell of the grid.
void setRegisterCellText(int column, int row, const std::string& text);
// After a register read: the open panel shows the registers read, in its format.
void refreshRegisterView();
void DregView1Click();

}  // namespace kestrion
