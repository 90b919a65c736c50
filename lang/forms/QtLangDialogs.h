// The language services' dialogs as Qt windows.
#pragma once

#include "lang/LangDialogs.h"

namespace kestrion::forms {

class QtLangDialogs : public LangDialogs {
public:
    void appMessage(const AppMessage& message) override;
    void about(const AboutBox& box) override;
};

}  // namespace kestrion::forms
