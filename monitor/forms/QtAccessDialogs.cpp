#include "monitor/forms/QtAccessDialogs.h"

#include <QApplication>

#include "lang/forms/WidgetText.h"
#include "monitor/forms/AnyAddressForm.h"
#include "monitor/forms/AxisMonitorForm.h"
#include "monitor/forms/DeveloperViewForms.h"

namespace kestrion::forms {

void QtAccessDialogs::anyAddress(AnyAddressDialog& dialog) {
    runAnyAddressForm(dialog);
}

void QtAccessDialogs::axisMonitor(AxisMonitorDialog& dialog, const std::string& caption) {
    runAxisMonitorForm(dialog, caption);
}

void QtAccessDialogs::machineCode(const std::string& caption, int selection) {
    TmachineCodeForm form(widgetText(caption), selection, QApplication::activeWindow());
    form.exec();
}

void QtAccessDialogs::softwareVariables(const std::string& caption, int width, int height) {
    TThisSoftwareForm form(widgetText(caption), QApplication::activeWindow());
    form.resize(width, height);
    form.exec();
}

}  // namespace kestrion::forms
