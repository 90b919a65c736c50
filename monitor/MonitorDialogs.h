// The dialogs of device monitoring: the device usage list, the registration dialog, the
// change-value dialog and the entry device monitor window. Their rules are the Qt-free classes
// beside them; the Qt ones live in monitor/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"
#include "monitor/ChangeValue.h"
#include "monitor/EntryDeviceMonitor.h"
#include "monitor/RegisterDeviceDialog.h"

namespace kestrion {

class MonitorDialogs {
public:
    static constexpr const char* seamName = "monitor dialogs";
    virtual ~MonitorDialogs() = default;
    // TdeviceListForm, modal; it reads deviceUsageTables.
    virtual void deviceList(const std::string& caption) = 0;
    // TregisterDeviceForm, TcvChangeForm and TEntryDeviceMonitorForm, modal, with their rules'
    // objects; each returns when its form has closed.
    virtual void registerDevice(RegisterDeviceDialog& dialog) = 0;
    virtual void changeValue(CvChangeDialog& dialog) = 0;
    virtual void entryDeviceMonitor(EntryDeviceMonitorDialog& dialog) = 0;
};

inline MonitorDialogs& monitorDialogs() {
    return DialogSeam<MonitorDialogs>::get();
}

}  // namespace kestrion
