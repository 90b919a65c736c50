#include "monitor/MonitorMode.h"

#include "model/core/StateRegistry.h"

namespace kestrion {

MonitorState monitorState;
std::array<std::int16_t, kMonitorValueCount>& MonitorValue = monitorState.MonitorValue;
std::array<std::int16_t, kByteMonitorCount>& ByteMonitor = monitorState.ByteMonitor;
std::array<std::uint8_t, kBitMonitorBytes>& BitMonitor = monitorState.BitMonitor;
const stLadderBlock*& monitorRangeHead = monitorState.monitorRangeHead;

namespace {

// The buttons and items as the main window starts with them.
void startMonitorItems() {
    enableControls({"btnStopMonitor1", "btnDeleteTheDevice", "btnDeleteAllDevices", "spbtnStopMonitor1",
                    "msStopMonitor1"},
                   false);
}
[[maybe_unused]] const bool startRegistered = registerMenuStart(startMonitorItems);

}  // namespace

MonitorControls startEntryControls() {
    MonitorControls controls;
    for (const char* name : {"btnStartMonitor", "btnRegisterDevices", "btnTransferSetup", "btnTryConnection",
                             "btnClose", "btnMoveUp", "btnMoveDown"})
        controls[name].enabled = true;
    for (const char* name :
         {"btnStopMonitor", "btnDeleteTheDevice", "btnDeleteAllDevices", "btnChangeValue", "btnForceOnOff"})
        controls[name].enabled = false;
    return controls;
}

void enableControls(std::initializer_list<const char*> objectNames, bool enabled) {
    for (const char* name : objectNames) menuItem(name).enabled = enabled;
}

MonitorRows& polledRows() {
    return monitorState.entryWindowOpen ? monitorState.entryRows : monitorState.monDeviceRows;
}

void resetMonitorState() {
    monitorState = {};
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("monitor", resetMonitorState);

}  // namespace

}  // namespace kestrion
