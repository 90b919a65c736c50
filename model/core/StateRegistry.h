// Every folder that keeps state registers its reset here once, so that one call puts the whole
// program back to its start values (the test fixture does so before and after each test) and a
// folder added later cannot be left out.
#pragma once

#include <string_view>
#include <vector>

namespace kestrion::state {

using ResetFunction = void (*)();

// Registers the reset of a folder's state; returns true so that it can initialise a static.
// The folder is named as in the tree: a floor ("model", "app", ...) or, on a floor split into
// sub-floors, a sub-floor that keeps a state of its own ("link/line", "link/plc", ...). The name
// is kept as given (a literal); a folder registers only once.
bool registerReset(std::string_view folder, ResetFunction reset);

// Runs every registered reset, higher floors first and, within a floor, its own files' state
// before its sub-floors', higher sub-floors first: a folder may still use the state of those below
// it while it lets go of its own.
void resetAll();

// The folders registered so far, in the order resetAll runs them.
std::vector<std::string_view> registeredFolders();

}  // namespace kestrion::state
