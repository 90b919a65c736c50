// The items of the developer menus that open the any-address window in its three set-ups, and
// xTHIS > "SoftwareVariable" with the lines it shows.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

void WriteAnyAddress1Click();
void ReadAnyAddress1Click();
void BitWrAnyAddress1Click();
void SoftwareVariable1Click();

// The software's variables, "name=value" a line.
std::vector<std::string> softwareVariableLines();

}  // namespace kestrion
