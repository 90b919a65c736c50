// The floors of the source tree, lowest first. A folder includes only its own floor and those below
// it. This is the one list of them: the build's include check (cmake/CheckLayers.cmake) reads it from
// this file, and the state registry resets the folders in its reverse order.
#pragma once

#include <string_view>

namespace kestrion {

inline constexpr std::string_view kFloors[] = {"platform", "model",    "lang", "entry",   "editor",
                                               "reader",   "compiler", "link", "monitor", "diagnostics",
                                               "wizards",  "devviews", "app"};

// The floors split by subject and their sub-floors, lowest first, as "<floor>:<sub>,<sub>,...";
// sub-folders joined by "|" share a sub-floor. A sub-floor includes its own sub-floor and those
// below it, never the files of its floor's folder itself, which stand above the sub-floors.
// The model: the state, transaction and lists at the bottom, then the instruction tables, then the
// program image with its files and the ladder objects (the comments name ladder objects and the
// ladder reads the settings, so the two share a sub-floor). The link: the line (port, frames,
// receive, connection test, command boundary), the PLC's commands, then the transfers and the
// service terminals. The include check and the state registry read them here.
inline constexpr std::string_view kSubFloors[] = {"model:core,instructions,image|ladder",
                                                  "link:line,plc,transfer,terminals"};

}  // namespace kestrion
