// Which serial devices a machine has, and which of them each COM number stands for. Most PCs that
// meet a PLC reach it through a USB-serial adapter, while /dev/ttyS0..3 often exist with no UART
// behind them; so COMn is the n-th device really present, adapters first, unless the environment
// names one.
#pragma once

#include <string>
#include <vector>

#include "platform/Services.h"

namespace kestrion::platform {

struct SerialDevice {
    std::string path;      // the device node as it is opened
    std::string byIdName;  // USB adapters with a link in /dev/serial/by-id: its name, else empty
};

// The serial devices under a root folder ("/" on a real machine), in COM order: the adapters
// linked in dev/serial/by-id ordered by their link names (so an adapter keeps its number across
// plugging and reboots), then ttyUSB and ttyACM nodes without such a link, then the on-board
// ttyS ports whose driver reports a UART (sys/class/tty/ttySn/type not 0). Only character devices
// count: a dangling link or a plain file under such a name is no port. The type file is read
// without waiting and only its start, so what stands in its place cannot hold the scan up.
std::vector<SerialDevice> scanSerialDevices(const std::string& root);

// What COMn (1..19) opens: the device the environment variable KESTRION_COM<n> names when it is
// set (environmentValue, may be null); else the n-th device found; else <root>dev/ttyS<n-1>.
ComPortInfo resolveComPort(int comNumber, const char* environmentValue,
                           const std::vector<SerialDevice>& found, const std::string& root);

}  // namespace kestrion::platform
