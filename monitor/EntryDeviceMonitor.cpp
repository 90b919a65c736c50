#include "monitor/EntryDeviceMonitor.h"

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/plc/MonitorFrames.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/MonitorLists.h"
#include "monitor/DevicePanel.h"
#include "monitor/ForceOpener.h"
#include "monitor/MonitorDialogs.h"
#include "monitor/MonitorMode.h"
#include "monitor/MonitorPoll.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonColumn = 120;
constexpr int kMemoHeight = 48;
constexpr int kGap = 8;
constexpr int kButtonPitch = 32;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 24;
constexpr int kTraceLinesBeforeClear = 99;

void enable(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) monitorState.entryControls[name].enabled = enabled;
}

// A line of the start's step trace in the ninth trace memo (cleared past 99 lines).
void debugMemo9Add(const std::string& a, const std::string& b) {
    platform::TraceMemos& trace = platform::trace();
    if (!trace.visible(platform::Memo::Debug9)) return;
    if (trace.lineCount(platform::Memo::Debug9) > kTraceLinesBeforeClear) trace.clear(platform::Memo::Debug9);
    trace.append(platform::Memo::Debug9, a + ", " + b);
}

}  // namespace

std::string appendDisplayFormatTag(const std::string& name, int format) {
    return makeMonitorCaption(name, format);
}

bool addEntryListRow(const std::string& caption) {
    return addMonitorListItem(MonitorFront::EntryWindow, caption);
}

void stopEntryMonitor() {
    stopTimer3();
    monitorMode = kMonitorOff;
    platform::statusBar().setPanelText(10, " ");
    enable({"btnStartMonitor", "btnRegisterDevices", "btnClose", "btnDeleteTheDevice", "btnDeleteAllDevices",
            "btnForceOnOff", "btnChangeValue", "btnTransferSetup", "btnTryConnection", "btnMoveUp",
            "btnMoveDown"},
           true);
    enable({"btnStopMonitor"}, false);
    if (monitorListEntries(rs.bitTxBuf) == 0 && monitorListEntries(rs.byteTxBuf) == 0)
        enable({"btnDeleteTheDevice", "btnDeleteAllDevices"}, false);
}

void rebuildEntryDeviceList() {
    rebuildMonitorRows(MonitorFront::EntryWindow);
}

bool EntryDeviceMonitorDialog::developerViews() const {
    return (optionFlags & kOptionDeveloperViews) != 0;
}

EntryMonitorLayout EntryDeviceMonitorDialog::layout() const {
    EntryMonitorLayout l;
    const int panelWidth = width - kMargin - kButtonColumn;
    l.panel = {kMargin, kMargin, panelWidth, 0};
    const int memoHeight = developerViews() ? kMemoHeight : 0;
    int top = l.panel.top + l.panel.height;
    for (EntryMonitorLayout::Box* memo : {&l.debugMemo, &l.txMemo, &l.rxMemo}) {
        if (memoHeight > 0) top += kGap;
        *memo = {kMargin, top, panelWidth, memoHeight};
        top += memoHeight;
    }
    // The list view takes the rest of the height, less what the visible Tx and Rx memos take.
    const int memos = developerViews() ? 2 * (kMemoHeight + 2 * kGap) : 0;
    l.listView = {kMargin, top + (memoHeight > 0 ? kGap : 0), panelWidth,
                  height - l.panel.top - l.panel.height - memos};
    for (int i = 0; i < 12; ++i)
        l.buttons[i] = {l.panel.left + panelWidth + kGap, l.panel.top + kButtonPitch * i, kButtonWidth,
                        kButtonHeight};
    return l;
}

// The window shows the registered list from the start; its request entries are made when the
// devices change and when the monitor starts.
void EntryDeviceMonitorDialog::FormShow() {
    rebuildMonitorRows(MonitorFront::EntryWindow, false);
}

void EntryDeviceMonitorDialog::btnRegisterDevicesClick() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        if (registerDeviceRun(MonitorFront::EntryWindow)) {
            enable({"btnDeleteTheDevice", "btnDeleteAllDevices"}, true);
            platform::statusBar().setPanelText(13, "");
        }
        if (timer3Running()) session.keepPortOpen();
    });
}

void EntryDeviceMonitorDialog::btnStartMonitorClick() {
    runLinkCommand(PortAfter::KeepOpen, [](LinkSession& session) {
        debugMemo9Add("btnStartMonitorClick", "TryToConnection");
        requireConnection();
        debugMemo9Add("btnStartMonitorClick", "readPlcSystemBlock");
        if (readPlcSystemBlock(1, 1) != 1) {
            session.closePortAtEnd();
            abandonCommand();
        }
        if (isConnectedTypeSelected() != 1) {
            session.closePortAtEnd();
            failCommand({"Device type Error", "*Error2018110720", platform::MsgIcon::Warning});
        }
        // What is registered is this window's list, whatever the lists held before it opened.
        clearMonitorTxBuf();
        rebuildEntryDeviceList();
        debugMemo9Add("btnStartMonitorClick",
                      "register connectedPlcType=" + std::to_string(connectedPlcType));
        if (!registerMonitorLists(MonitorFront::EntryWindow)) abandonCommand();
        // The poll serves this window whatever mode it found.
        monitorMode = kMonitorEntryDevices;
        startTimer3();
        debugMemo9Add("btnStartMonitorClick", "Timer3 on");
        enable({"btnStartMonitor", "btnRegisterDevices", "btnDeleteTheDevice", "btnDeleteAllDevices",
                "btnClose", "btnTransferSetup", "btnTryConnection", "btnMoveUp", "btnMoveDown"},
               false);
        enable({"btnStopMonitor"}, true);
    });
}

void EntryDeviceMonitorDialog::btnStopMonitorClick() {
    stopEntryMonitor();
}

void EntryDeviceMonitorDialog::btnDeleteTheDeviceClick() {
    deleteSelectedDevice(MonitorFront::EntryWindow);
}

void EntryDeviceMonitorDialog::btnDeleteAllDevicesClick() {
    deleteAllDevices(MonitorFront::EntryWindow);
}

// Only up: the entry window's MoveDown does nothing.
void EntryDeviceMonitorDialog::btnMoveUpClick() {
    moveSelectedDevice(MonitorFront::EntryWindow, true);
}

void EntryDeviceMonitorDialog::btnChangeValueClick() {
    if (monitorMode == kMonitorLadder || monitorMode == kMonitorEntryDevices) stopEntryMonitor();
    runLinkCommand(PortAfter::KeepOpen, [] {
        CvChangeDialog dialog;
        dialog.caption = "Change current value";
        monitorDialogs().changeValue(dialog);
    });
}

void EntryDeviceMonitorDialog::btnForceOnOffClick() {
    ForceBitOnOff1Click();
}

void EntryDeviceMonitorDialog::btnTransferSetupClick() {
    selectComPort();
}

void EntryDeviceMonitorDialog::btnTryConnectionClick() {
    ConnectionTest1Click();
}

void EntryDeviceMonitorDialog::btnCloseClick() {
    stopEntryMonitor();
    closedByButton = 1;
    closed = true;
}

void EntryDeviceMonitorDialog::DeviceListViewSelectItem(int row, bool selected) {
    selectMonitorRow(MonitorFront::EntryWindow, row, selected);
}

void EntryDeviceMonitor1Click() {
    EntryDeviceMonitorDialog dialog;
    dialog.caption = "Entry device monitor";
    const platform::ScreenSize screen = platform::system().screenSize();
    dialog.width = screen.width * 8 / 10;
    dialog.height = screen.height * 8 / 10;
    monitorState.entryControls = startEntryControls();
    monitorState.entryWindowOpen = true;
    monitorState.entryRows.clear();
    monitorDialogs().entryDeviceMonitor(dialog);
    monitorState.entryWindowOpen = false;
    // However the window went, its poll does not outlive it.
    if (monitorMode == kMonitorEntryDevices) stopEntryMonitor();
}

}  // namespace kestrion
