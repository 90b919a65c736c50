#include "lang/forms/QtLangDialogs.h"

#include "lang/forms/AboutForm.h"
#include "lang/forms/AppMsgForm.h"

namespace kestrion::forms {

void QtLangDialogs::appMessage(const AppMessage& message) {
    showAppMsgForm(message);
}

void QtLangDialogs::about(const AboutBox& box) {
    showAboutForm(box);
}

}  // namespace kestrion::forms
