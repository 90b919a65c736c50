// The monitor mode and the folder's state. The lists of monitored devices are part of the model
// (model/MonitorLists.h): the comment file and the monitor-list file hold the registered one.
#pragma once

#include <array>
#include <cstdint>

#include "monitor/DeviceUsage.h"

namespace kestrion {

constexpr int kMonitorOff = 0;
constexpr int kMonitorLadder = 1;
constexpr int kMonitorEntryDevices = 2;

// The whole state of the folder; the names here are references into monitorState.
struct MonitorState {
    int monitorMode = kMonitorOff;
    DeviceUsageTables deviceUsageTables = blankDeviceUsageTables();
    std::array<std::uint8_t, 1024> anyAddressBuf{};  // the bytes the any-address reads left
};
extern MonitorState monitorState;

extern int& monitorMode;

void resetMonitorState();

}  // namespace kestrion
