// The text of the canvas developer view: one grid shown row by row, one character per cell.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// Grid choices of the view.
constexpr int kDumpVirtualArray = 0;
constexpr int kDumpBkVirtualArray = 1;
constexpr int kDumpCompileVirtualArray = 2;
constexpr int kDumpCopyVirtualArray = 3;

// Rows 0 up to the last row holding anything, each over the columns in use with its trailing
// blanks cut; a never-written cell shows as '.'. Empty for an unknown choice.
std::vector<std::string> virtualArrayDumpRows(int gridChoice);

// The memo text: the rows joined by newlines.
std::string OpenVirtualArrayMemo(int gridChoice);

}  // namespace kestrion
