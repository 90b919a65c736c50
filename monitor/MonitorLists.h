// The monitor mode and the two lists of monitored devices: the devices the user registered
// (deviceMonitorList, saved with the program) and the devices collected from the ladder on screen
// (ladderMonitorList). Both hold 64-byte deviceMonitorNode entries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

constexpr int kMonitorOff = 0;
constexpr int kMonitorLadder = 1;
constexpr int kMonitorEntryDevices = 2;
extern int& monitorMode;

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

struct MonitorList {
    deviceMonitorNode* head = nullptr;
    deviceMonitorNode* selected = nullptr;
    deviceMonitorNode* newest = nullptr;
    deviceMonitorNode* tail = nullptr;  // the last node
    deviceMonitorNode* walker = nullptr;
};

// The whole state of the folder; the names here are references into monitorState. The nodes are
// owned through the two lists.
struct MonitorState {
    int monitorMode = kMonitorOff;
    MonitorList deviceMonitorList;
    MonitorList ladderMonitorList;
    std::uint32_t deviceMonitorBytes = 0;
};
extern MonitorState monitorState;

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

// Frees both lists, then the folder has its start values.
void resetMonitorState();

}  // namespace kestrion
