// The language services' dialogs as Qt windows.
#pragma once

#include "lang/LangDialogs.h"

namespace kestrion::forms {

class QtLangDialogs : public LangDialogs {
public:
    void appMessage(const AppMessage& message) override;
};

}  // namespace kestrion::forms
