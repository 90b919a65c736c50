// Serial ports on POSIX termios: COMn is /dev/ttyS<n-1> unless KESTRION_COM<n> names a device.
#pragma once

#include <termios.h>

#include <string>

#include "platform/Services.h"

namespace kestrion::platform {

// The device of COMn from the environment value of KESTRION_COM<n> (may be null).
std::string resolveComDevice(int comNumber, const char* environmentValue);

// Puts the format into termios settings: raw bytes, no flow control, no time-outs; false for a
// rate, a number of data bits or of stop bits the port does not offer.
bool applySerialFormat(termios& settings, const SerialFormat& format);

class PosixSerialPorts : public SerialPorts {
public:
    std::string deviceName(int comNumber) const override;
    SerialOpenResult open(int comNumber) override;
    // Opens a device by its path (the line tests open a pseudo-terminal this way).
    static SerialOpenResult openDevice(const std::string& path);
};

}  // namespace kestrion::platform
