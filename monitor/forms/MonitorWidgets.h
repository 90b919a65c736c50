// What the monitor's windows share: the device list views (report style, six columns) filled from
// the rows the core keeps, and the enabled state of buttons and items applied by object name.
#pragma once

#include "monitor/MonitorMode.h"

class QObject;
class QTreeWidget;
class QWidget;

namespace kestrion::forms {

// A list view with the columns "Device", "Current value", "Setting value", "Connect", "Coil" and
// "Comment", grid lines and whole-row selection.
QTreeWidget* makeDeviceListView(QWidget* parent, const char* objectName);
// Shows the rows; only texts that changed are written, so a poll tick does not disturb a selection.
void showRows(QTreeWidget& view, const MonitorRows& rows, int focusedRow);
// Applies each control's state to the action or widget of that object name under root.
void applyControls(QObject& root, const MonitorControls& controls);

}  // namespace kestrion::forms
