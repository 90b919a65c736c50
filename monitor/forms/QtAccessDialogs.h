// The any-address window, the axis monitor and the two developer views as Qt dialogs.
#pragma once

#include "monitor/access/AccessDialogs.h"

namespace kestrion::forms {

class QtAccessDialogs : public AccessDialogs {
public:
    void anyAddress(AnyAddressDialog& dialog) override;
    void axisMonitor(AxisMonitorDialog& dialog, const std::string& caption) override;
    void machineCode(const std::string& caption, int selection) override;
    void softwareVariables(const std::string& caption, int width, int height) override;
};

}  // namespace kestrion::forms
