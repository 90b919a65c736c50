// The main window's monitor commands: the ladder monitor (the devices of the ladder objects on
// screen collected, registered in the PLC and polled; the ladder then shows which contacts conduct
// and each register's value), entering the device monitor panel, and stopping either.
#pragma once

#include <string>

namespace kestrion {

// Monitor > "Start Monitor ...", the tool button and Timer2's restart; in monitor mode 2 it starts
// the panel's polling instead.
void msStartMonitor1Click();
void spbtnStartMonitor1Click();
// Monitor > "Stop Monitor": either mode.
void msStopMonitor1Click();
// The tool button and the pop-up item "Stop monitor": always the ladder monitor's stop.
void spbtnStopMonitor1Click();
void Popup4StopMonitorClick();
// Monitor > "Enter device monitor" and its tool button.
void EnterDeviceMonitor1Click();
void spbtnEntryDeviceMonitorClick();
// The pop-up item "Force ON/OFF" and the panel's force button.
void Popup4ForceONOFFClick();
void btnForceOnOffClick();
// The pop-up item "DeviceSearch": enabled while monitoring; it starts nothing.
void Popup4DeviceSearchClick();

// Collects the devices of the drawn objects into ladderMonitorList, the rows and the request lists
// (the first steps of the start, without the link).
void collectLadderDevices();

// Timer2's part: after scrolling in monitor mode 1 the monitor is stopped and, a second later,
// started again on the new range.
void monitorRestartTick();

// Stops the monitor that runs, in the way of its mode (the machine status and the panel's change
// value stop it so first).
void stopRunningMonitor();
// The PLC stopped answering the poll: the monitor stops as its own Stop button stops it, so that
// the menus, the tool bar, the panel's buttons and the port say it no longer runs; the device
// monitor panel stays in its mode, ready to start again. The status bar keeps no blinking star and
// no RUN/STOP of a PLC that is not heard.
void stopMonitorOnSilentLine();

}  // namespace kestrion
