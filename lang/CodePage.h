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

}  // namespace kestrion
