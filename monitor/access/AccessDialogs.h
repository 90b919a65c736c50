// The windows of the any-address access, the axis monitor and the developer views they open, shown
// modally on their rules objects. The Qt ones live in monitor/forms/ and are installed at start-up;
// tests install fakes.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"
#include "monitor/access/AnyAddressDialog.h"
#include "monitor/access/AxisMonitor.h"

namespace kestrion {

class AccessDialogs {
public:
    static constexpr const char* seamName = "access dialogs";
    virtual ~AccessDialogs() = default;
    virtual void anyAddress(AnyAddressDialog& dialog) = 0;
    virtual void axisMonitor(AxisMonitorDialog& dialog, const std::string& caption) = 0;
    // TmachineCodeForm: anyAddressBuf as it stands; selection 0 from the any-address window.
    virtual void machineCode(const std::string& caption, int selection) = 0;
    // TThisSoftwareForm at the size given.
    virtual void softwareVariables(const std::string& caption, int width, int height) = 0;
};

inline AccessDialogs& accessDialogs() {
    return DialogSeam<AccessDialogs>::get();
}

}  // namespace kestrion
