// The canvas developer view, VirtualArrayMemo: one grid shown row by row, one character per cell.
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

// Shows VirtualArrayMemo with the rows of the chosen grid in it; an unknown choice leaves the
// memo as it is.
void OpenVirtualArrayMemo(int gridChoice);

}  // namespace kestrion
