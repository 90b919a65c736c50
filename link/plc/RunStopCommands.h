// The main window's PLC commands that depend on whether a monitor runs: PLC > "Remote Run/Stop"
// and the RUN and STOP tool buttons (those of the ladder tool bar and of the monitor panel).
#pragma once

namespace kestrion {

void remoteRunStop1Click();
void spbtnRemoteRun1Click();
void spbtnRemoteRun2Click();
void spbtnRemoteStop1Click();
void spbtnRemoteStop2Click();

}  // namespace kestrion
