// Text that files hold (comments, program titles, file names) is kept as its bytes. For display it
// is read in the code page of the interface language, so files stay interchangeable with those made
// on the systems that wrote them; text that is already valid UTF-8 is shown as it stands.
#pragma once

#include <string>
#include <string_view>

#include "lang/Language.h"

namespace kestrion {

// The iconv name of the code page of a language.
const char* codePageOf(Language language);

bool isValidUtf8(std::string_view bytes);

// UTF-8 for display. Bytes the code page does not define become U+FFFD.
std::string textForDisplay(std::string_view bytes, Language language);
// The same in the current interface language.
std::string textForDisplay(std::string_view bytes);

// Bytes of the code page as UTF-8, always read in the code page (never taken as UTF-8 already):
// text this program wrote in the code page comes back exactly as it was typed.
std::string textFromCodePage(std::string_view bytes, Language language);
std::string textFromCodePage(std::string_view bytes);

// Text typed in the interface (UTF-8) as a file keeps it: in the code page of the language, at
// most maxBytes bytes, never cutting a character in two.
struct CodePageText {
    std::string bytes;
    bool cut = false;         // characters beyond maxBytes were left out
    bool unwritable = false;  // a character the code page does not hold; bytes holds none of it
};
CodePageText textToCodePage(std::string_view typed, std::size_t maxBytes, Language language);
CodePageText textToCodePage(std::string_view typed, std::size_t maxBytes);

}  // namespace kestrion
