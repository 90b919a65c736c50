#include "monitor/DevicePanel.h"

#include <algorithm>

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/plc/MonitorFrames.h"
#include "model/core/LinkedList.h"
#include "model/image/CommentLists.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorDialogs.h"
#include "monitor/MonitorPoll.h"
#include "monitor/MonitorWindow.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kMostRows = 64;

bool isEntry(MonitorFront front) {
    return front == MonitorFront::EntryWindow;
}

MonitorRows& rowsOf(MonitorFront front) {
    return isEntry(front) ? monitorState.entryRows : monitorState.monDeviceRows;
}

int& focusOf(MonitorFront front) {
    return isEntry(front) ? monitorState.entryFocusedRow : monitorState.focusedRow;
}

void enableFront(MonitorFront front, std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names)
        (isEntry(front) ? monitorState.entryControls[name] : menuItem(name)).enabled = enabled;
}

void enableDeleteButtons(MonitorFront front, bool enabled) {
    enableFront(front, {"btnDeleteTheDevice", "btnDeleteAllDevices"}, enabled);
}

void panelText(int panel, const std::string& text) {
    platform::statusBar().setPanelText(panel, text);
}

bool requestListsEmpty() {
    return monitorListEntries(rs.bitTxBuf) == 0 && monitorListEntries(rs.byteTxBuf) == 0;
}

// The request entries a run of devices takes.
std::size_t entriesOfRun(char letter, std::uint16_t dataType, std::size_t count) {
    std::size_t each = 1;
    if (letter == 'T' || letter == 'C' || dataType == kDataDoubleWord) each = 2;
    return each * count;
}

// The next device number of a run: X and Y count in octal digits and stop at 177.
std::uint32_t nextNumber(char letter, std::uint32_t n) {
    const std::uint32_t next = n + 1;
    if (letter != 'X' && letter != 'Y') return next;
    if (next >= 178) return 177;
    if (next == 78) return 100;
    if (next % 10 == 8) return next + 2;
    return next;
}

// The name up to its "L" or "(": what a device comment is filed under.
std::string commentOfDevice(const std::string& name) {
    const std::string device = name.substr(0, name.find_first_of("L("));
    if (device.size() < 2) return {};
    std::uint32_t number = 0;
    for (std::size_t i = 1; i < device.size(); ++i) {
        if (device[i] < '0' || device[i] > '9') return {};
        number = number * 10 + static_cast<std::uint32_t>(device[i] - '0');
    }
    const std::string filed = deviceTextFor(device[0], number);
    for (const deviceCommentNode* node = deviceCommentList.head; node != nullptr; node = node->next)
        if (textOf(node->deviceText) == filed) return textOf(node->text);
    return {};
}

void showDeviceTypeRefusal(MonitorFront front) {
    if (isEntry(front))
        platform::say({"Device type Error", "*Error2018110720", platform::MsgIcon::Warning});
    else
        platform::say({"*Device type Error", "Error2015030545", platform::MsgIcon::Warning});
}

void restoreStartButtons() {
    menuItem("spbtnStartMonitor1").enabled = true;
    menuItem("spbtnStopMonitor1").enabled = false;
}

// The frames of one family and what each failure says.
struct RegistrationBoxes {
    const char* type2Caption;
    const char* type57Caption;
    const char* plainCaptions[3];
};

constexpr RegistrationBoxes kPanelBoxes{
    "q5 Communication Error",
    "q3 Communication Error",
    {"q4 Communication Error", "q4 Communication Error", "q4 Communication Error"}};
constexpr RegistrationBoxes kEntryBoxes{
    "q5 Communication Message",
    "q3 Communication Message",
    {"Communication Error...", "Communication Error...", "Communication Error"}};

// A registration frame that got no answer in time. A NAK (or a wrong check code) is an answer: the
// start goes on, and the poll reads whatever the PLC holds.
bool unanswered() {
    return (rs.status & kRsWaiting) != 0;
}

bool registerExtended(bool type2, const RegistrationBoxes& boxes) {
    const char* caption = type2 ? boxes.type2Caption : boxes.type57Caption;
    const int stopped = type2 ? registerMonitorBitDeviceToq5TypePlc() : registerMonitorDeviceToq3TypePlc();
    if (stopped == kRegistrationTooLong) {
        platform::say({"q3 DeviceTooMuch", "Error2015031901", platform::MsgIcon::Warning});
        return false;
    }
    if (unanswered()) {
        platform::say({"Error2015030529", caption, platform::MsgIcon::Warning});
        return false;
    }
    if (stopped == kRegisteredAll) return true;
    if (type2)
        registerMonitorRest14FE(stopped);
    else
        registerMonitorRest1440(stopped);
    if (!unanswered()) return true;
    platform::say({"Error2015030530", caption, platform::MsgIcon::Warning});
    return false;
}

bool registerPlain(const RegistrationBoxes& boxes) {
    const int first = registerMonitorBitDeviceToq0TypePlc();
    if (unanswered()) {
        platform::say({"Error2015030526", boxes.plainCaptions[0], platform::MsgIcon::Warning});
        return false;
    }
    if (first != kRegisteredAll) {
        registerMonitorBitRest1866(first);
        if (unanswered()) {
            platform::say({"Error2015030527", boxes.plainCaptions[1], platform::MsgIcon::Warning});
            return false;
        }
    }
    registerMonitorWordBlock1800();
    if (!unanswered()) return true;
    platform::say({"Error2015030528", boxes.plainCaptions[2], platform::MsgIcon::Warning});
    return false;
}

// The node that the deletion or move left selected gets its row focused again.
void focusSelected(MonitorFront front) {
    focusOf(front) = deviceMonitorList.selected != nullptr
                         ? static_cast<int>(deviceMonitorList.selected->deviceIndex) - 1
                         : -1;
}

void rebuildAfterChange(MonitorFront front) {
    clearMonitorTxBuf();
    if (isEntry(front))
        rebuildEntryDeviceList();
    else
        _registerMonitorDevices();
    focusSelected(front);
}

// A registration dialog that made the port open keeps it only while a monitor polls.
void keepPortWhilePolling(LinkSession& session) {
    if (timer3Running()) session.keepPortOpen();
}

}  // namespace

std::string makeMonitorCaption(const std::string& name, int format) {
    switch (format) {
        case kFormatBinary: return name + "(b)";
        case kFormatHex: return name + "(h)";
        case kFormatAscii: return name + "(s)";
        case kFormatFloat: return name + "(f)";
        default: return name;
    }
}

bool addMonitorListItem(MonitorFront front, const std::string& caption) {
    MonitorRows& rows = rowsOf(front);
    if (rows.size() >= kMostRows) {
        if (isEntry(front))
            platform::say({"Monitor device can't > 64", "Register Device", platform::MsgIcon::Warning});
        else
            platform::say({"Msg2019030860", "Monitor device can't > 64", platform::MsgIcon::Warning});
        return false;
    }
    rows.push_back({caption, {" "}});
    focusOf(front) = static_cast<int>(rows.size()) - 1;
    return true;
}

void rebuildMonitorRows(MonitorFront front, bool requestEntries) {
    MonitorRows& rows = rowsOf(front);
    rows.clear();
    if (deviceMonitorList.head == nullptr) return;
    std::uint16_t count = 0;
    bool full = false;
    for (deviceMonitorNode* node = deviceMonitorList.head; node != nullptr; node = node->next) {
        node->deviceIndex = ++count;
        const std::string name = nodeName(*node);
        MonitorRow row{makeMonitorCaption(name, nodeDisplayFormat(*node)), {"", "", "", ""}};
        if (std::string comment = commentOfDevice(name); !comment.empty()) row.subItems.push_back(comment);
        rows.push_back(std::move(row));
        // A list read from a file may hold more than the PLC takes: the devices after the first
        // that does not fit get no request entries, so the poll's walk stays in step.
        full = full || !monitorListsHaveRoom(name[0], nodeDataType(*node), connectedPlcType);
        if (requestEntries && !full)
            addMonitorDevice(name, node->deviceNo, nodeDataType(*node), connectedPlcType);
    }
    ModeData.monitorDeviceCount = count;
    enableDeleteButtons(front, true);
    focusOf(front) = static_cast<int>(rows.size()) - 1;
}

void _registerMonitorDevices() {
    rebuildMonitorRows(MonitorFront::Panel);
    if (deviceMonitorList.head != nullptr) enableControls({"btnForceOnOff", "btnChangeValue"}, true);
}

bool registerDeviceRun(MonitorFront front) {
    const bool entry = isEntry(front);
    if (TryToConnection(1) != 1 || comPortHandle == -1 || (rs.status & kRsWaiting) != 0) return false;
    if (connectedPlcType == kNoPlcDetected) {
        if (readPlcSystemBlock(1, 1) != 1) {
            releasePort();
            return false;
        }
        pmw.setPlcType(connectedPlcType);
    }
    RegisterDeviceDialog dialog;
    dialog.caption = "Register Device";
    dialog.plcType = pmw.plcType();
    dialog.deviceCount = 1;
    dialog.displayType = kFormatDecimal;
    dialog.dataSize = 0;
    monitorWindow().refresh();
    monitorDialogs().registerDevice(dialog);
    if (dialog.registered != 1 || dialog.deviceText.empty()) {
        if (!entry) {
            enableDeleteButtons(front, true);
            panelText(0, "");
            panelText(13, "");
        }
        return false;
    }

    const char letter = dialog.deviceText[0];
    const auto count = static_cast<std::size_t>(std::max(dialog.deviceCount, 0));
    const std::size_t bits = monitorListEntries(rs.bitTxBuf);
    const std::size_t words = monitorListEntries(rs.byteTxBuf);
    if (entry) {
        panelText(13, "NewMonitorDeviceNo=" + std::to_string(count) + " bitTxBuf.iData=" +
                          std::to_string(2 * bits) + " byteTxBuf.i=" + std::to_string(2 * words));
    } else {
        panelText(0, "deviceAddress=" + std::to_string(dialog.deviceNumber) + ", s=" + dialog.deviceText);
        panelText(13, "NewMonitorDeviceNo=" + std::to_string(count) + " rs.bitTxBuf.iData=" +
                          std::to_string(bits) + " rs.byteTxBuf.i=" + std::to_string(words));
    }
    auto number = static_cast<std::uint32_t>(dialog.deviceNumber);
    const std::uint16_t dataType = dataTypeOfDevice(letter, number, dialog.dataSize == 1);
    // Every entry counts: a timer, a counter or a 32-bit register takes two.
    const std::size_t total = bits + entriesOfRun(letter, dataType, count) + words;
    if (total > kMonitorEntryLimit) {
        panelText(13, "MonitorDeviceNo=" + std::to_string(total));
        platform::say({"Monitor device can't > 64", "Register Message 02", platform::MsgIcon::Warning});
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        // A device is taken whole or not at all: its row, its node and its entries.
        if (!monitorListsHaveRoom(letter, dataType, connectedPlcType)) {
            if (entry)
                platform::say({"Too much device error", "Register Device", platform::MsgIcon::Warning});
            else
                platform::say({"Msg2019030862", "Too much device error", platform::MsgIcon::Warning});
            return false;
        }
        std::string name = std::string(1, letter) + std::to_string(number);
        if (dataType == kDataDoubleWord) name += 'L';
        const std::string caption = makeMonitorCaption(name, dialog.displayType);
        if (!(entry ? addEntryListRow(caption) : addMonitorListItem(front, caption))) return false;
        addDeviceMonitorNode();
        deviceMonitorNode& node = *deviceMonitorList.newest;
        ++ModeData.monitorDeviceCount;
        node.deviceIndex = ModeData.monitorDeviceCount;
        setNodeDisplayFormat(node, static_cast<std::uint16_t>(dialog.displayType));
        node.deviceNo = number;
        setNodeDataType(node, dataType);
        node.textLength = static_cast<std::uint32_t>(dialog.deviceText.size());
        deviceMonitorList.selected = &node;
        setNodeName(node, name);
        addMonitorDevice(caption, number, dataType, connectedPlcType);
        markOpenProgramModified();  // the list goes with the program's save (COW and EDM)
        number = nextNumber(letter, number);
        if (dataType == kDataDoubleWord) number = nextNumber(letter, number);
    }
    return true;
}

void btnRegisterDevicesClick() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        while (registerDeviceRun(MonitorFront::Panel)) {
        }
        keepPortWhilePolling(session);
    });
    enableDeleteButtons(MonitorFront::Panel, true);
    panelText(0, "");
    panelText(13, "");
}

bool registerMonitorLists(MonitorFront front) {
    const RegistrationBoxes& boxes = isEntry(front) ? kEntryBoxes : kPanelBoxes;
    switch (connectedPlcType) {
        case 2: return registerExtended(true, boxes);
        case 1:
        case 4:
        case 6: return registerPlain(boxes);
        default: return registerExtended(false, boxes);
    }
}

void btnStartMonitor1Click() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        if (TryToConnection(1) != 1) {
            enableControls(
                {"btnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff",
                 "btnRegisterDevices", "btnMonDeviceClose", "btnDeleteTheDevice", "btnDeleteAllDevices",
                 "btnForceOnOff", "btnChangeValue", "btnTransferSetup", "btnTryConnection",
                 "btnMonDeviceMoveUp", "btnMonDeviceMoveDown", "msStartMonitor1"},
                true);
            enableControls({"btnStopMonitor1", "msStopMonitor1"}, false);
            btnMonDeviceCloseClick();
            return;
        }
        enableControls({"spbtnStartMonitor1", "spbtnStopMonitor1"}, false);
        if (comPortHandle == -1 || (rs.status & kRsWaiting) != 0 || readPlcSystemBlock(1, 1) != 1) {
            restoreStartButtons();
            return;
        }
        if (connectedPlcType != pmw.plcType()) {
            showDeviceTypeRefusal(MonitorFront::Panel);
            msStopMonitor1Click();
            restoreStartButtons();
            return;
        }
        if (!registerMonitorLists(MonitorFront::Panel)) {
            restoreStartButtons();
            return;
        }
        startTimer3();
        session.keepPortOpen();
        menuItem("btnStartMonitor1").enabled = false;
        menuItem("btnStopMonitor1").enabled = true;
        enableControls(
            {"btnRegisterDevices", "btnDeleteTheDevice", "btnDeleteAllDevices", "btnMonDeviceClose",
             "btnTransferSetup", "btnTryConnection", "btnMonDeviceMoveUp", "btnMonDeviceMoveDown"},
            false);
    });
}

void btnStopMonitor1Click() {
    stopTimer3();
    panelText(10, " ");
    menuItem("btnStartMonitor1").enabled = true;
    menuItem("btnStopMonitor1").enabled = false;
    enableControls(
        {"spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff", "btnRegisterDevices",
         "btnMonDeviceClose", "btnDeleteTheDevice", "btnDeleteAllDevices", "btnForceOnOff", "btnChangeValue",
         "btnTransferSetup", "btnTryConnection", "btnMonDeviceMoveUp", "btnMonDeviceMoveDown"},
        true);
    if (requestListsEmpty()) enableDeleteButtons(MonitorFront::Panel, false);
}

void btnMonDeviceCloseClick() {
    requestLadderRedraw();
    monitorWindow().layOutLadderButtons(1);
    monitorState.panelVisible = false;
    menuItem("MonitorMenu").enabled = true;
    stopTimer3();
    monitorMode = kMonitorOff;
    panelText(10, " ");
    releasePort();
    menuItem("spbtnStartMonitor1").enabled = true;
    menuItem("spbtnStopMonitor1").enabled = false;
    enableControls({"spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"}, true);
}

bool moveSelectedDevice(MonitorFront front, bool up) {
    deviceMonitorNode* node = deviceMonitorList.selected;
    if (node == nullptr || deviceMonitorList.head == nullptr || links::holdsOne(deviceMonitorList))
        return false;
    const bool two = deviceMonitorList.head->next == deviceMonitorList.tail;
    if (!two && up && node == deviceMonitorList.head) {
        platform::say({"ToHead", "MoveUp", platform::MsgIcon::None});
        return false;
    }
    if (!two && !up && node == deviceMonitorList.tail) {
        platform::say({"Msg2018080240", "Can'tMoveDown", platform::MsgIcon::None});
        return false;
    }
    bool moved = false;
    if (up && node->prev != nullptr && (!two || node == deviceMonitorList.tail)) {
        deviceMonitorNode* before = node->prev;
        links::unlink(deviceMonitorList, node);
        links::insertBefore(deviceMonitorList, before, node);
        moved = true;
    } else if (!up && node->next != nullptr && (!two || node == deviceMonitorList.head)) {
        deviceMonitorNode* after = node->next;
        links::unlink(deviceMonitorList, node);
        links::insertAfter(deviceMonitorList, after, node);
        moved = true;
    }
    if (moved) markOpenProgramModified();
    rebuildAfterChange(front);
    return moved;
}

void btnMonDeviceMoveUpClick() {
    moveSelectedDevice(MonitorFront::Panel, true);
}

void btnMonDeviceMoveDownClick() {
    moveSelectedDevice(MonitorFront::Panel, false);
}

bool deleteSelectedDevice(MonitorFront front) {
    deviceMonitorNode* node = deviceMonitorList.selected;
    if (node == nullptr || deviceMonitorList.head == nullptr) return false;
    if (links::holdsOne(deviceMonitorList)) {
        deleteAllDevices(front);
        return true;
    }
    deviceMonitorNode* next = node == deviceMonitorList.head   ? node->next
                              : node == deviceMonitorList.tail ? node->prev
                                                               : node->next;
    if (deviceMonitorList.newest == node) deviceMonitorList.newest = nullptr;
    if (deviceMonitorList.walker == node) deviceMonitorList.walker = nullptr;
    links::unlink(deviceMonitorList, node);
    delete node;
    deviceMonitorBytes -= kMonitorNodeBytes;
    deviceMonitorList.selected = next;
    markOpenProgramModified();
    rebuildAfterChange(front);
    return true;
}

void deleteAllDevices(MonitorFront front) {
    if (deviceMonitorList.head != nullptr) markOpenProgramModified();
    freeDeviceMonitorList();
    ModeData.monitorDeviceCount = 0;
    deviceMonitorBytes = 0;
    rowsOf(front).clear();
    focusOf(front) = -1;
    emptyMonitorTxBufs();
    enableDeleteButtons(front, false);
}

void btnDeleteTheDeviceClick() {
    deleteSelectedDevice(MonitorFront::Panel);
}

void btnDeleteAllDevicesClick() {
    deleteAllDevices(MonitorFront::Panel);
}

void selectMonitorRow(MonitorFront front, int row, bool selected) {
    MonitorList& list = monitorMode == kMonitorLadder ? ladderMonitorList : deviceMonitorList;
    if (list.head == nullptr) return;
    if (!selected) {
        list.selected = list.tail;
        return;
    }
    deviceMonitorNode* node = list.head;
    while (node->next != nullptr && static_cast<int>(node->deviceIndex) - 1 < row) node = node->next;
    list.selected = node;
    focusOf(front) = row;
}

void MonDeviceListViewSelectItem(int row, bool selected) {
    selectMonitorRow(MonitorFront::Panel, row, selected);
}

void MonDeviceListViewDblClick() {
    const bool stopped = menuItem("spbtnStopMonitor1").enabled;
    if (stopped) btnStopMonitor1Click();
    btnRegisterDevicesClick();
    if (stopped) btnStartMonitor1Click();
}

void btnTransferSetupClick() {
    selectComPort();
}

}  // namespace kestrion
