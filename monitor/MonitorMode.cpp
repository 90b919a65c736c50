#include "monitor/MonitorMode.h"

#include "model/core/StateRegistry.h"

namespace kestrion {

MonitorState monitorState;
int& monitorMode = monitorState.monitorMode;

void resetMonitorState() {
    monitorState = {};
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("monitor", resetMonitorState);

}  // namespace

}  // namespace kestrion
