// The hidden access codes of the instruction box. A line that begins with the masking prefix is
// shown masked while it is typed; a line that equals an access code in full reveals its menu items.
#pragma once

#include <string_view>

namespace kestrion::access {

constexpr std::string_view kMaskPrefix = "#!";
constexpr std::string_view kMoreViewCode = "#!KESTRION-MV7";
constexpr std::string_view kDemoKitCode = "#!KESTRION-DK3";

}  // namespace kestrion::access
