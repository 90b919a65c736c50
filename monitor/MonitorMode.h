// The folder's state. The monitor mode it keeps up to date is the model's (model/core/MainState.h),
// so that the floors below read it too. The lists of monitored devices are part of the model
// (model/MonitorLists.h): the comment file and the monitor-list file hold the registered one.
// The windows of the monitor (the device monitor panel, the change-value panel, the entry device
// monitor) show what this state holds: the rows of their list views and the enabled state of
// their buttons; the monitor's menu items, tool buttons and panel buttons are items of the store of
// lang/MenuState.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lang/MenuState.h"
#include "link/line/LinkCommand.h"
#include "model/core/MainState.h"
#include "monitor/DeviceUsage.h"

namespace kestrion {

struct stLadderBlock;

constexpr std::size_t kMonitorValueCount = 128;
constexpr std::size_t kByteMonitorCount = 64;
constexpr std::size_t kBitMonitorBytes = 32;

// One row of a device list view: the caption (the "Device" column) and the sub-items after it
// ("Current value", "Setting value", "Connect", "Coil", "Comment").
struct MonitorRow {
    std::string caption;
    std::vector<std::string> subItems;
    bool operator==(const MonitorRow&) const = default;
};
using MonitorRows = std::vector<MonitorRow>;

// The controls of the entry device monitor window, by object name (the main window's are the
// items of lang/MenuState.h).
using MonitorControls = MenuItemStates;

// The buttons of the entry device monitor window as it opens.
MonitorControls startEntryControls();

// The change-value panel of the main window (ChangeCurrentValueGroupBox).
struct ChangeValuePanel {
    bool visible = false;
    std::string deviceText;  // ChangeCurrentDevNoEdit
    std::string valueText;   // ChangeCurrentValueEdit
    int sizeIndex = 0;       // ChangeCurrentValueRadioGroup
    bool executeEnabled = false;
    std::vector<std::string> memo;  // ChangeCurrentValueMemo
};

// The whole state of the folder; the names here are references into monitorState.
struct MonitorState {
    DeviceUsageTables deviceUsageTables = blankDeviceUsageTables();

    // The poll.
    int pollPhase = 0;  // 0 the word phase is next, 1 the bit phase
    int noReplyTicks = 0;
    int blinkCount = 0;
    bool pollRunning = false;  // a tick is under way (its wait or its box may run the message loop)
    int heldTicks = 0;         // ticks the poll still leaves the line to a click that waits for it
    std::array<std::int16_t, kMonitorValueCount> MonitorValue{};
    std::array<std::int16_t, kByteMonitorCount> ByteMonitor{};  // [0] the count, then the bytes
    std::array<std::uint8_t, kBitMonitorBytes> BitMonitor{};

    // The ladder monitor: the first object drawn when it started, and Timer2's restart count.
    const stLadderBlock* monitorRangeHead = nullptr;
    int restartTicks = 0;

    // The device monitor panel (UserDeviceMonitorGroupBox) and its list view MonDeviceListView.
    bool panelVisible = false;
    MonitorRows monDeviceRows;
    int focusedRow = -1;

    // Change current value: the last accepted register of either front end and the panel.
    std::int32_t cvDeviceAddress = 0;
    std::uint8_t cvDeviceFlags = 0;
    std::int32_t cvDataSize = 0;
    std::int32_t cvValue = 0;
    ChangeValuePanel changeValuePanel;

    // The entry device monitor window, while it is open: the poll fills its rows.
    bool entryWindowOpen = false;
    MonitorRows entryRows;
    int entryFocusedRow = -1;
    MonitorControls entryControls = startEntryControls();

    std::array<std::uint8_t, 1024> anyAddressBuf{};  // the bytes the any-address reads left
};
extern MonitorState monitorState;

extern std::array<std::int16_t, kMonitorValueCount>& MonitorValue;
extern std::array<std::int16_t, kByteMonitorCount>& ByteMonitor;
extern std::array<std::uint8_t, kBitMonitorBytes>& BitMonitor;
extern const stLadderBlock*& monitorRangeHead;

// The main window's monitor buttons and items (menuItem) as a group.
void enableControls(std::initializer_list<const char*> objectNames, bool enabled);

// The rows the poll writes: the entry device monitor's while it is open, else MonDeviceListView.
MonitorRows& polledRows();

void resetMonitorState();

}  // namespace kestrion
