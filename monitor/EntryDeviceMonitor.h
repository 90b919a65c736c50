// TEntryDeviceMonitorForm: a modal window over the registered device list with its own buttons to
// register, start and stop, change a value, force a bit, move and delete entries, choose the port
// and test the connection. It shares the registered list, the request lists, the registration
// frames and the Timer3 poll with the device monitor panel; its rows are monitorState.entryRows
// and its buttons monitorState.entryControls.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

// Where the window's parts go for its size (Algorithms of the layout).
struct EntryMonitorLayout {
    struct Box {
        int left = 0, top = 0, width = 0, height = 0;
        bool operator==(const Box&) const = default;
    };
    Box panel;
    Box debugMemo, txMemo, rxMemo;  // height 0 while the developer views are off
    Box listView;
    Box buttons[12];  // btnStartMonitor .. btnMoveDown
};

class EntryDeviceMonitorDialog {
public:
    std::string caption = "EntryDeviceMonitor";
    int width = 911;
    int height = 576;
    std::uint8_t closedByButton = 0;
    bool closed = false;

    // The developer layout shows the three trace memos.
    bool developerViews() const;
    EntryMonitorLayout layout() const;

    void FormShow();
    void btnRegisterDevicesClick();
    void btnStartMonitorClick();
    void btnStopMonitorClick();
    void btnDeleteTheDeviceClick();
    void btnDeleteAllDevicesClick();
    void btnMoveUpClick();
    void btnMoveDownClick() {}
    void btnChangeValueClick();
    void btnForceOnOffClick();
    void btnTransferSetupClick();
    void btnTryConnectionClick();
    void btnCloseClick();
    void DeviceListViewSelectItem(int row, bool selected);
};

// The row caption of a registered device: its name and the display tag.
std::string appendDisplayFormatTag(const std::string& name, int format);
// Appends a row, refused with a box past 64 rows; true when added.
bool addEntryListRow(const std::string& caption);
// The rows and the request lists rebuilt from the registered list.
void rebuildEntryDeviceList();
// The window's poll stopped: Timer3 off, monitor mode 0, its buttons as before a start.
void stopEntryMonitor();

// Monitor > "Entry device monitor" (hidden and disabled): the window, 8/10 of the screen.
void EntryDeviceMonitor1Click();

}  // namespace kestrion
