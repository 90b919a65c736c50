// The Qt dialogs of device monitoring, installed at start-up.
#pragma once

#include "monitor/MonitorDialogs.h"

namespace kestrion::forms {

class QtMonitorDialogs : public MonitorDialogs {
public:
    void deviceList(const std::string& caption) override;
    void registerDevice(RegisterDeviceDialog& dialog) override;
    void changeValue(CvChangeDialog& dialog) override;
    void entryDeviceMonitor(EntryDeviceMonitorDialog& dialog) override;
};

}  // namespace kestrion::forms
