#include "monitor/forms/QtMonitorDialogs.h"

#include <QApplication>

#include "lang/forms/WidgetText.h"
#include "monitor/forms/CvChangeForm.h"
#include "monitor/forms/DeviceListForm.h"
#include "monitor/forms/EntryDeviceMonitorForm.h"
#include "monitor/forms/RegisterDeviceForm.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

void QtMonitorDialogs::deviceList(const std::string& caption) {
    TdeviceListForm form;
    form.setWindowTitle(widgetText(caption));
    form.exec();
}

void QtMonitorDialogs::registerDevice(RegisterDeviceDialog& dialog) {
    TregisterDeviceForm form(dialog, QApplication::activeWindow());
    form.exec();
}

void QtMonitorDialogs::changeValue(CvChangeDialog& dialog) {
    TcvChangeForm form(dialog, QApplication::activeWindow());
    form.exec();
}

// Without a parent: its buttons share names with the device monitor panel's, whose state the main
// window applies to its own children by name.
void QtMonitorDialogs::entryDeviceMonitor(EntryDeviceMonitorDialog& dialog) {
    TEntryDeviceMonitorForm form(dialog);
    centreOnScreen(form);
    form.exec();
}

}  // namespace kestrion::forms
