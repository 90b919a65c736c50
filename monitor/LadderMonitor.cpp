#include "monitor/LadderMonitor.h"

#include <algorithm>
#include <string_view>

#include "editor/EditorViewState.h"
#include "link/line/LinkCommand.h"
#include "link/plc/MonitorFrames.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/DevicePanel.h"
#include "monitor/EntryDeviceMonitor.h"
#include "monitor/ForceOpener.h"
#include "monitor/MonitorMode.h"
#include "monitor/MonitorPoll.h"
#include "monitor/MonitorWindow.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kOperands = 5;
constexpr int kRestartTicks = 10;
constexpr std::uint32_t kLargestNumber = 99999;

// Constants, labels and index registers name nothing to monitor.
bool skipped(std::string_view operand) {
    return operand.empty() || std::string_view("KHPIVZ").find(operand[0]) != std::string_view::npos;
}

// Letters the request lists have addresses for. An operand of another letter (a real-number
// constant, a module's buffer) would get a node without entries and put the poll's walk out of step.
bool monitoredLetter(char letter) {
    return std::string_view("XYMSTCD").find(letter) != std::string_view::npos;
}

// The row whose caption is the operand; the last one that matches.
int rowOfOperand(const std::string& operand) {
    const MonitorRows& rows = monitorState.monDeviceRows;
    int found = -1;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r].caption == operand) found = static_cast<int>(r);
    return found;
}

// The drawn range: the objects from ldrDrawHead up to, not including, ldrDrawTail. The range only
// records where they stand in the main list, which owns them.
template <class Visit>
void forDrawnObjects(Visit visit) {
    for (const stLadderBlock* o = ldrDrawHead; o != nullptr && o != ldrDrawTail; o = o->next)
        visit(*const_cast<stLadderBlock*>(o));
}

void setMonitorMenuItems(bool running) {
    menuItem("WriteMode1").checked = !running;
    menuItem("msStartMonitor1").enabled = !running;
    enableControls({"msStopMonitor1", "Popup4StopMonitor", "Popup4DeviceSearch", "Popup4ForceONOFF",
                    "Popup4ChangeValue"},
                   running);
}

}  // namespace

void collectLadderDevices() {
    // The monitor writes into the objects without noting it: an undo copy held as records of the
    // objects changed is made a list of its own first.
    settleUndoCopy();
    platform::trace().clear(platform::Memo::Debug9);
    monitorState.monDeviceRows.clear();
    freeLadderMonitorList();
    forDrawnObjects([](stLadderBlock& o) { o.ItemNo = {}; });
    monitorRangeHead = ldrDrawHead;
    emptyMonitorTxBufs();
    monitorMode = kMonitorLadder;
    connectedPlcType = pmw.plcType();
    std::int16_t counter = 0;
    bool full = false;
    forDrawnObjects([&](stLadderBlock& o) {
        for (std::size_t p = 1; p <= kOperands; ++p) {
            const std::string operand = textOf(o.operands[p - 1]);
            if (skipped(operand) || !monitoredLetter(operand[0])) continue;
            if (const int row = rowOfOperand(operand); row >= 0) {
                o.ItemNo[p] = static_cast<std::int16_t>(row + 1);
                continue;
            }
            addLadderMonitorNode();
            deviceMonitorNode& node = *ladderMonitorList.newest;
            node.deviceIndex = static_cast<std::uint32_t>(++counter);
            o.ItemNo[p] = counter;
            setNodeDisplayFormat(node, kFormatDecimal);
            // The letter and the digits up to an index register: D5Z2 is the device D5.
            std::string name(1, operand[0]);
            std::uint32_t number = 0;
            std::size_t at = 1;
            for (; at < operand.size() && operand[at] != 'Z' && operand[at] != 'V'; ++at) {
                if (operand[at] < '0' || operand[at] > '9') continue;
                name += operand[at];
                number =
                    std::min(number * 10 + static_cast<std::uint32_t>(operand[at] - '0'), kLargestNumber);
            }
            setNodeName(node, name);
            node.textLength = static_cast<std::uint32_t>(at);
            node.deviceNo = number;
            const std::uint16_t type = dataTypeOfDevice(operand[0], number, o.dFlag());
            setNodeDataType(node, type);
            monitorState.monDeviceRows.push_back({operand, {" "}});
            // Past the lists' room a device keeps its row without a value; so do those after it,
            // for the poll walks the nodes in the order of the entries.
            full = full || !monitorListsHaveRoom(operand[0], type, connectedPlcType);
            if (!full) addMonitorDevice(operand, number, type, connectedPlcType);
        }
    });
}

void msStartMonitor1Click() {
    setMonitorMenuItems(true);
    if (monitorMode == kMonitorEntryDevices) {
        btnStartMonitor1Click();
        return;
    }
    if (ldrDrawHead == nullptr) {
        platform::trace().clear(platform::Memo::Debug9);
        monitorState.monDeviceRows.clear();
        freeLadderMonitorList();
        platform::say({"*Msg2018110730", "NoDevice", platform::MsgIcon::Warning});
        // Nothing runs: the menus say so.
        setMonitorMenuItems(false);
        return;
    }
    collectLadderDevices();
    monitorMode = kMonitorLadder;
    btnStartMonitor1Click();
    // A start that left Timer3 off falls back to a stopped monitor, menus and buttons with it.
    if (!timer3Running()) {
        if (monitorMode != kMonitorOff) msStopMonitor1Click();
        setMonitorMenuItems(false);
        return;
    }
    menuItem("spbtnStartMonitor1").enabled = false;
    enableControls({"spbtnStopMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"},
                   true);
}

void spbtnStartMonitor1Click() {
    msStartMonitor1Click();
}

void msStopMonitor1Click() {
    if (monitorMode == kMonitorEntryDevices) {
        monitorMode = kMonitorOff;
        btnStopMonitor1Click();
        return;
    }
    monitorMode = kMonitorOff;
    stopTimer3();
    platform::timers().setInterval(platform::TimerId::Timer3, 100);
    setMonitorMenuItems(false);
    enableControls({"spbtnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff",
                    "btnStartMonitor1", "btnRegisterDevices", "btnMonDeviceClose", "btnTransferSetup",
                    "btnTryConnection"},
                   true);
    enableControls({"spbtnStopMonitor1", "btnStopMonitor1"}, false);
    monitorState.panelVisible = false;
    btnMonDeviceCloseClick();
    releasePort();
}

void spbtnStopMonitor1Click() {
    monitorMode = kMonitorOff;
    stopTimer3();
    msStopMonitor1Click();
}

void Popup4StopMonitorClick() {
    spbtnStopMonitor1Click();
}

void EnterDeviceMonitor1Click() {
    if (monitorMode == kMonitorLadder) {
        platform::say({"Can'tDoEnterDeviceMonitor...", "Msg2018080810", platform::MsgIcon::Warning});
        return;
    }
    menuItem("MonitorMenu").enabled = false;
    monitorWindow().layOutLadderButtons(0);
    monitorState.panelVisible = true;
    monitorMode = kMonitorEntryDevices;
    connectedPlcType = pmw.plcType();
    emptyMonitorTxBufs();
    _registerMonitorDevices();
    enableControls({"spbtnStartMonitor1", "spbtnStopMonitor1"}, false);
    enableControls({"spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"}, true);
    platform::statusBar().setPanelText(0, "EnterDeviceMonitor...");
}

void spbtnEntryDeviceMonitorClick() {
    EnterDeviceMonitor1Click();
}

void Popup4ForceONOFFClick() {
    ForceBitOnOff1Click();
}

void btnForceOnOffClick() {
    ForceBitOnOff1Click();
}

void Popup4DeviceSearchClick() {}

void monitorRestartTick() {
    if (ldrHead == nullptr) {
        ldrDrawHead = nullptr;
        monitorRangeHead = nullptr;
        return;
    }
    if (monitorMode != kMonitorLadder || ldrDrawHead == monitorRangeHead) {
        monitorState.restartTicks = 0;
        return;
    }
    if (timer3Running()) {
        msStopMonitor1Click();
        releasePort();
        monitorMode = kMonitorLadder;
        emptyMonitorTxBufs();
        monitorState.restartTicks = 0;
        return;
    }
    if (++monitorState.restartTicks <= kRestartTicks) return;
    monitorState.restartTicks = 0;
    releasePort();
    msStartMonitor1Click();
}

void stopMonitorOnSilentLine() {
    if (monitorState.entryWindowOpen && monitorMode == kMonitorEntryDevices)
        stopEntryMonitor();
    else if (monitorMode == kMonitorEntryDevices)
        btnStopMonitor1Click();
    else
        msStopMonitor1Click();
    stopTimer3();
    platform::statusBar().setPanelText(10, " ");
    platform::statusBar().setPanelText(11, "");
    monitorWindow().refresh();  // the window shows it before the box that tells why
}

void stopRunningMonitor() {
    if (monitorMode == kMonitorLadder)
        spbtnStopMonitor1Click();
    else if (monitorMode == kMonitorEntryDevices)
        btnStopMonitor1Click();
}

}  // namespace kestrion
