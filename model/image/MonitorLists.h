// The two lists of monitored devices: the devices the user registered (deviceMonitorList, saved
// with the program in the comment file) and the devices collected from the ladder on screen
// (ladderMonitorList). Both hold 64-byte deviceMonitorNode entries. The lists are part of the
// model's state (ModelState).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/core/OwnedList.h"

namespace kestrion {

struct deviceMonitorNode {
    std::array<char, 8> deviceText{};  // letter and number, NUL-terminated
    std::uint32_t textLength = 0;
    std::uint32_t deviceNo = 0;
    std::uint32_t deviceIndex = 0;  // position in the list, from 1
    std::array<std::uint8_t, 4> deviceCode{};
    double value = 0.0;
    std::array<std::uint8_t, 24> monitorFields{};  // the monitor's own settings of the device
    deviceMonitorNode* prev = nullptr;
    deviceMonitorNode* next = nullptr;
};

constexpr double kMonitorValueUnread = 4294967295.0;
constexpr std::size_t kMonitorNodeImageSize = 64;
constexpr std::uint32_t kMonitorNodeBytes = 64;  // what one node counts in deviceMonitorBytes
using MonitorNodeImage = std::array<std::uint8_t, kMonitorNodeImageSize>;

// The 64-byte image of an entry as the comment and monitor-list files hold it: text at 0, length
// 8, number 12, index 16, code 20, value 24 (IEEE double), the two link words 32 and 36 (written as
// zero: addresses mean nothing in a file), the monitor's fields 40..63; little-endian.
MonitorNodeImage deviceMonitorNodeImage(const deviceMonitorNode& node);

// head, selected, newest, tail (the last node) and walker.
using MonitorList = OwnedList<deviceMonitorNode>;
constexpr std::size_t kMaxRegisteredMonitorDevices = 64;

extern MonitorList& deviceMonitorList;
extern MonitorList& ladderMonitorList;
extern std::uint32_t& deviceMonitorBytes;  // bytes held by the registered list's nodes

// Append a new entry (value kMonitorValueUnread, empty text) and make it the list's newest node.
void addDeviceMonitorNode();
void addLadderMonitorNode();
// Free every node; all pointers of the list become null. Freeing a non-empty registered list also
// sets ModeData.monitorDeviceCount and deviceMonitorBytes to 0.
void freeLadderMonitorList();
void freeDeviceMonitorList();

}  // namespace kestrion
