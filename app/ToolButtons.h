// The main window's speed buttons: the tool bar's (file commands, views, port, link and
// diagnostics), each sharing the enabled state of its menu item, and the function-key panel's
// (FncKeyPanel), which do what the keys do and live in the ladder view only (view mode 1).
#pragma once

#include <span>
#include <string>

#include "lang/Language.h"

namespace kestrion {

struct ToolButtonRow {
    const char* objectName = "";
    const char* caption = "";  // short, as a button shows it; the table's textId gives it in each language
    const char* hint = "";
    const char* menuItem = "";    // the item whose enabled state the button shares
    void (*command)() = nullptr;  // null: the button runs its menu item
    bool hidden = false;
    bool startsBar = false;  // the first of the link and monitor buttons, a tool bar of their own
    const char* textId = "";
};
std::span<const ToolButtonRow> toolButtonRows();

struct FncKeyButtonRow {
    const char* objectName = "";
    const char* caption = "";
    int functionKey = 0;
    const char* textId = "";  // the word after the key's name, in the interface language
};
std::span<const FncKeyButtonRow> fncKeyButtonRows();

// A button shows its own short caption in every language (the tool bars keep to two rows at 1440
// pixels); its hint is its own in English, in another language the text of the menu item it
// stands for, without the access key (its own hint when the item has no text of its own).
std::string toolButtonCaption(const ToolButtonRow& row, Language language);
std::string toolButtonHint(const ToolButtonRow& row, Language language);
std::string fncKeyCaption(const FncKeyButtonRow& row, Language language);

// A function-key button: F4 converts, the others open the instruction box on their symbol.
void fncKeyButtonClick(int functionKey);

void spbtnNewClick();
void spbtnOpenClick();
void spbtnSaveClick();
void spbtnChangeComPortClick();
void spbtnErrorCheckClick();
void spbtnMachineStatusClick();

}  // namespace kestrion
