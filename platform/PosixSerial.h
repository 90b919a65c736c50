// Serial ports on POSIX termios. COMn is the device KESTRION_COM<n> names, else the n-th serial
// device present (platform/SerialScan.h), else /dev/ttyS<n-1>.
#pragma once

#include <termios.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/SerialScan.h"
#include "platform/Services.h"

namespace kestrion::platform {

// Puts the format into termios settings: raw bytes, no flow control, no time-outs; false for a
// rate, a number of data bits or of stop bits the port does not offer.
bool applySerialFormat(termios& settings, const SerialFormat& format);

class PosixSerialPorts : public SerialPorts {
public:
    // root: the folder the device scan reads ("/"; tests give a tree of their own).
    explicit PosixSerialPorts(std::string root = "/") : root_(std::move(root)) {}
    void setRoot(std::string root) { root_ = std::move(root); }

    std::string deviceName(int comNumber) const override;
    std::vector<ComPortInfo> comPorts() const override;
    SerialOpenResult open(int comNumber) override;
    // Opens a device by its path (the line tests open a pseudo-terminal this way).
    static SerialOpenResult openDevice(const std::string& path);

private:
    ComPortInfo comPort(int comNumber, const std::vector<SerialDevice>& found) const;
    std::string root_;
};

}  // namespace kestrion::platform
