// The main window's speed buttons: the tool bar's (file commands, views, port, link and
// diagnostics), each sharing the enabled state of its menu item, and the function-key panel's
// (FncKeyPanel), which do what the keys do and live in the ladder view only (view mode 1).
#pragma once

#include <span>

namespace kestrion {

struct ToolButtonRow {
    const char* objectName = "";
    const char* caption = "";
    const char* hint = "";
    const char* menuItem = "";    // the item whose enabled state the button shares
    void (*command)() = nullptr;  // null: the button runs its menu item
    bool hidden = false;
};
std::span<const ToolButtonRow> toolButtonRows();

struct FncKeyButtonRow {
    const char* objectName = "";
    const char* caption = "";
    int functionKey = 0;
};
std::span<const FncKeyButtonRow> fncKeyButtonRows();

// A function-key button: F4 converts, the others open the instruction box on their symbol.
void fncKeyButtonClick(int functionKey);

void spbtnNewClick();
void spbtnOpenClick();
void spbtnSaveClick();
void spbtnChangeComPortClick();
void spbtnErrorCheckClick();
void spbtnMachineStatusClick();

}  // namespace kestrion
