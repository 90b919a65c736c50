// The device monitor panel of the main window (UserDeviceMonitorGroupBox): the list view
// MonDeviceListView mirrors the registered device list, whose devices the user adds in runs through
// the registration dialog, orders and deletes; Start registers the request lists in the PLC and
// starts Timer3. The entry device monitor window shares these steps with its own messages.
#pragma once

#include <string>

#include "monitor/MonitorMode.h"

namespace kestrion {

// Which window a shared step serves: its messages and button names differ.
enum class MonitorFront { Panel, EntryWindow };

// The device name followed by the display-format tag: "(b)", none, "(h)", "(s)" or "(f)".
std::string makeMonitorCaption(const std::string& name, int format);

// Appends a row with its caption and one sub-item " "; refused with a box when the view holds 64
// rows already. True when the row was added.
bool addMonitorListItem(MonitorFront front, const std::string& caption);

// The rows and both request lists rebuilt from the registered list, the devices renumbered from 1.
// The callers empty the request lists first.
void _registerMonitorDevices();
// The rows of a window rebuilt from the registered list; with requestEntries the request lists too.
void rebuildMonitorRows(MonitorFront front, bool requestEntries = true);

// Algorithms of the panel.
void btnRegisterDevicesClick();
void btnStartMonitor1Click();
void btnStopMonitor1Click();
void btnMonDeviceCloseClick();
void btnMonDeviceMoveUpClick();
void btnMonDeviceMoveDownClick();
void btnDeleteTheDeviceClick();
void btnDeleteAllDevicesClick();
void MonDeviceListViewSelectItem(int row, bool selected);
void MonDeviceListViewDblClick();
void btnTransferSetupClick();

// The steps both windows share. A device registered, moved or deleted changes the list the
// program's save writes: the open program is marked modified.
// One run of the registration dialog and its devices; false when the dialog was cancelled or the
// run refused (the caller stops asking).
bool registerDeviceRun(MonitorFront front);
// The request lists registered in the connected PLC; false after the failure's box.
bool registerMonitorLists(MonitorFront front);
// Moves the selected device up (down: false) and rebuilds; false when nothing moved.
bool moveSelectedDevice(MonitorFront front, bool up);
// Deletes the selected device; false when there was none.
bool deleteSelectedDevice(MonitorFront front);
void deleteAllDevices(MonitorFront front);
// The node of a row of the current list (the ladder monitor's in mode 1), selected; the row's
// focus follows. A row that loses the selection leaves the last node selected.
void selectMonitorRow(MonitorFront front, int row, bool selected);

}  // namespace kestrion
