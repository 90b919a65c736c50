// The version text and the screen-resolution item of the Help menu.
#pragma once

#include <string>

namespace kestrion {

// titleText := the product word, a blank and the version text.
void setSoftwareVersion(const std::string& version);

// Stores the screen size in screenWidth and screenHeight and shows it in status panel 0.
void screenResolution1Click();

}  // namespace kestrion
