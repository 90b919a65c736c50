#include "lang/MenuState.h"

#include <memory>
#include <vector>

#include "model/core/CommandTransaction.h"

namespace kestrion {

namespace {

// Built on first use: start functions register while statics of other files are initialised.
MenuItemStates& store() {
    static MenuItemStates items;
    return items;
}

std::vector<void (*)()>& startFunctions() {
    static std::vector<void (*)()> functions;
    return functions;
}

// The items are put back with the model when a command fails.
transaction::Restore snapshotMenuState() {
    return [saved = std::make_shared<const MenuItemStates>(store())] { store() = *saved; };
}
[[maybe_unused]] const bool menuPart = transaction::registerPart("menu items", snapshotMenuState);

}  // namespace

MenuItemState& menuItem(const std::string& objectName) {
    return store()[objectName];
}

const MenuItemStates& menuItemStates() {
    return store();
}

bool registerMenuStart(void (*start)()) {
    startFunctions().push_back(start);
    start();
    return true;
}

void resetMenuState() {
    store() = {};
    for (void (*start)() : startFunctions()) start();
}

}  // namespace kestrion
