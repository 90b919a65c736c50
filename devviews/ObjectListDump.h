// The text of the ladder-object developer view: one line per object of the main list, in list
// order, END included.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// "MNEMONIC x,y" per object; the mnemonic is "?" for an object without one.
std::vector<std::string> objectListDumpRows();

}  // namespace kestrion
