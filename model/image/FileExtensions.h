// The extension of a program name and of its companion files (.PMW, .DMW, .PTW, .EDM, .COW, .DCN).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/core/MainState.h"

namespace kestrion {

// The path with the extension of its last component replaced by '.' and ext, or appended when it
// has none. The extension starts at the first '.' after the component's first character, so a
// folder such as "~/.local" or a name such as ".hidden" keeps its dot.
std::string withFileExt(std::string_view path, std::string_view ext);

// The same, in place on a NUL-terminated name buffer such as FileNameArray. A name that would no
// longer fit is left as it was and false is returned.
[[nodiscard]] bool setFileExtPmw(std::array<char, kFileNameSize>& path);
[[nodiscard]] bool setFileExtDmw(std::array<char, kFileNameSize>& path);
[[nodiscard]] bool setFileExtPtw(std::array<char, kFileNameSize>& path);
[[nodiscard]] bool setFileExtEdm(std::array<char, kFileNameSize>& path);
[[nodiscard]] bool setFileExtCow(std::array<char, kFileNameSize>& path);
[[nodiscard]] bool setFileExtDcn(std::array<char, kFileNameSize>& path);

}  // namespace kestrion
