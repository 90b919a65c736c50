#include "link/terminals/TerminalState.h"

#include "link/terminals/TerminalFraming.h"
#include "model/core/StateRegistry.h"

namespace kestrion {

TerminalState terminalState;
std::string& anyCommandTxText = terminalState.anyCommandTxText;
std::string& anyCommandRxText = terminalState.anyCommandRxText;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("link/terminals", [] { terminalState = {}; });

}  // namespace

}  // namespace kestrion
