// The clicks of the main window that talk to the PLC: the menu items and tool buttons whose command
// sends a request, at once or after its dialog, while a monitor's poll may be using the line. While
// the poll's own request waits for its reply, the window holds such a click until that request has
// ended (forms::runWhenLineFree) rather than let it meet the link busy; every other click runs at
// once, and so does stopping the monitor, which must never wait for a line that may be dead.
#pragma once

#include <string_view>

namespace kestrion {

bool clickWaitsForLine(std::string_view objectName);

}  // namespace kestrion
