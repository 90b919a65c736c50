#include "diagnostics/forms/QtDiagnosticsDialogs.h"

#include "diagnostics/forms/ErrMsg1Form.h"

namespace kestrion::forms {

void QtDiagnosticsDialogs::errMsg1(const std::string& caption) {
    TErrMsg1Form form;
    form.setWindowTitle(QString::fromStdString(caption));
    form.exec();
}

}  // namespace kestrion::forms
