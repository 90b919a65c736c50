// The floors of the source tree, lowest first. A folder includes only its own floor and those below
// it. This is the one list of them: the build's include check (cmake/CheckLayers.cmake) reads it from
// this file, and the state registry resets the folders in its reverse order.
#pragma once

#include <string_view>

namespace kestrion {

inline constexpr std::string_view kFloors[] = {"platform", "model",    "lang", "entry",   "editor",
                                               "reader",   "compiler", "link", "monitor", "diagnostics",
                                               "wizards",  "devviews", "app"};

}  // namespace kestrion
