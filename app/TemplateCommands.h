// The template menus of File as menu rows, their items' open, and their state: enabled only while
// no program is open, "DemoKit" and the factory programs shown once the access code revealed them,
// all four hidden when the program runs as the second brand's editor.
#pragma once

#include <string>

#include "lang/MenuTable.h"

namespace kestrion {

// Every submenu and item of the template table, named as the window knows them (the caption's
// letters and digits and a number, "C235HighSpeedCounter1phase1"), below the File menu.
MenuTable templateMenuRows();
// The object name of a template entry (its index in the table).
std::string templateObjectName(std::size_t entry);

// Opens a template program under its full name, as File > Open does without its file dialog. A
// name too long for the program's name field is refused with "Filename Too Long..." and nothing
// changes.
void openTemplateFile(const std::string& fullName);

// The four submenus for a program open (disabled) or none (enabled).
void setTemplateMenus(bool programOpen);
// Which of the four are visible (after the access code, at once).
void showTemplateMenus();

}  // namespace kestrion
