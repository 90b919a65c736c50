#include "link/plc/RunStopCommands.h"

#include "link/plc/RemoteControl.h"
#include "model/core/MainState.h"

namespace kestrion {

namespace {

bool monitorRuns() {
    return monitorMode != kMonitorOff;
}

}  // namespace

void remoteRunStop1Click() {
    remoteRunStop(monitorRuns());
}

void spbtnRemoteRun1Click() {
    remoteRunStopButton(true, monitorRuns());
}
void spbtnRemoteRun2Click() {
    remoteRunStopButton(true, monitorRuns());
}
void spbtnRemoteStop1Click() {
    remoteRunStopButton(false, monitorRuns());
}
void spbtnRemoteStop2Click() {
    remoteRunStopButton(false, monitorRuns());
}

}  // namespace kestrion
