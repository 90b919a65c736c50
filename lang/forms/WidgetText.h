// Every text a widget shows from the core passes here: file text in the language's code page
// becomes readable, the system's own UTF-8 texts stay as they are.
#pragma once

#include <QString>
#include <string_view>

#include "lang/CodePage.h"

namespace kestrion::forms {

inline QString widgetText(std::string_view bytes) {
    const std::string text = textForDisplay(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kestrion::forms
