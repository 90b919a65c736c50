// The object-list developer view: one line per object of the main list, in list order.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// "x,y MNEMONIC OPERANDS... code=HHHH end=E id=N" for each object, the operands separated by one
// blank and the mnemonic without its trailing blank.
std::vector<std::string> objectListDumpRows();

}  // namespace kestrion
