#include "lang/forms/QtLangDialogs.h"

#include "lang/forms/AppMsgForm.h"

namespace kestrion::forms {

void QtLangDialogs::appMessage(const AppMessage& message) {
    showAppMsgForm(message);
}

}  // namespace kestrion::forms
