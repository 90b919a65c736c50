// The device-usage report (TFirmwareHistoryForm): the M relays and D registers that an auto link
// or the two axes of the positioning dialog occupy, as text lines. English in every language.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

constexpr int kUsageAutoLink = 1;
constexpr int kUsageAbsoluteControl = 2;
constexpr int kUsageIncrementControl = 3;

// What the calling dialog hands over.
struct DeviceUsageReport {
    int deviceUsageMode = 0;
    int bitDeviceNo1 = 0;
    int byteDeviceNo1 = 0;
    int bitDeviceNo2 = 0;
    int byteDeviceNo2 = 0;
    std::string caption;
};

// The memo's lines, the leading empty one included; every line ends with a line break, so the
// memo shows one more, empty, line after them.
std::vector<std::string> deviceUsageLines(const DeviceUsageReport& report);

}  // namespace kestrion
