// The text of the ladder-object developer view: one line per object of the main list, in list
// order, END included.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// "MNEMONIC x,y" per object; the mnemonic is "?" for an object without one.
std::vector<std::string> objectListDumpRows();

// "x,y MNEMONIC OPERANDS... code=HHHH end=E id=N" for each object, the operands separated by one
// blank and the mnemonic without its trailing blank.
std::vector<std::string> objectListDetailRows();

}  // namespace kestrion
