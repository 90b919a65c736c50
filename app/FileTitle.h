// The program title of a program image (header bytes 10 to 63) and the dialog that edits it.
#pragma once

#include <string>

#include "model/image/ProgramImage.h"

namespace kestrion {

constexpr int kFileTitleEditLength = 54;      // characters the dialog's edit takes
constexpr std::size_t kFileTitleStored = 53;  // characters kept in the header, a NUL after them

// The title in the header, up to its NUL.
std::string programTitle(const PmwImage& image);
// At most 53 characters of the text into the header, NUL-padded to 54 bytes.
void setProgramTitle(PmwImage& image, const std::string& title);

// Shows TFileTitleForm with the caption, the current file name with its extension .PMW and the
// title of the image. OK stores the edited title into the image and returns true; Cancel returns
// false and changes nothing.
bool editFileTitle(const std::string& caption, PmwImage& image);

}  // namespace kestrion
