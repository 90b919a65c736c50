// The version text and the items of the Help menu: the screen resolution and the about box.
#pragma once

#include <string>

#include "lang/LangDialogs.h"

namespace kestrion {

// titleText := the product word, a blank and the version text.
void setSoftwareVersion(const std::string& version);

// Stores the screen size in screenWidth and screenHeight and shows it in status panel 0.
void screenResolution1Click();

// The about box's texts in the interface language, and the item that shows it.
AboutBox aboutBox();
void About1Click();

}  // namespace kestrion
