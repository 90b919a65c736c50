// The state of the main window's menu items, tool buttons and panel buttons, by object name: which
// are enabled, visible and checked. The core of every floor above this one sets it; the window
// applies each entry to the item of that object name after every command. Every name the core
// passes is an item the window makes: the build checks it (cmake/CheckMenuNames.cmake), so names
// stand as literals in the call or in a k...Items array.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace kestrion {

struct MenuItemState {
    bool enabled = true;
    std::optional<bool> visible;  // as the menu table has it until the core sets it
    bool checked = false;
};
using MenuItemStates = std::map<std::string, MenuItemState>;

// The state of the item of that object name; an item not set yet starts enabled.
MenuItemState& menuItem(const std::string& objectName);
// Only the items the core has set.
const MenuItemStates& menuItemStates();

// A folder whose items start other than enabled sets them in a start function, registered once;
// it runs at once and again after every reset of the store. Returns true to initialise a static.
bool registerMenuStart(void (*start)());
// Every item back to its start state.
void resetMenuState();

}  // namespace kestrion
