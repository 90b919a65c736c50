#include "diagnostics/forms/QtDiagnosticsDialogs.h"

#include "diagnostics/forms/ErrMsg1Form.h"
#include "lang/forms/Captions.h"

namespace kestrion::forms {

void QtDiagnosticsDialogs::errMsg1(const std::string& caption) {
    TErrMsg1Form form;
    Captions::of(&form).translatedTitle(caption);
    form.exec();
}

}  // namespace kestrion::forms
