#include "monitor/ChangeValue.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Requests.h"
#include "link/plc/RelayForces.h"
#include "model/image/MonitorLists.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/instructions/DeviceRanges.h"
#include "model/ladder/EditorState.h"
#include "monitor/AddressLists.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorDialogs.h"
#include "monitor/MonitorMode.h"
#include "monitor/MonitorWindow.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kLongestDevice = 5;
constexpr std::uint32_t kSpecialFirst = 8000;
constexpr std::uint32_t kSpecialLast = 8255;
constexpr std::uint8_t kDeviceFlagD = 0x01;
constexpr std::uint8_t kDeviceFlagsChecked = 0x07;

using platform::Box;
using platform::MsgIcon;

// The value check's boxes of each front end, in the order of the checks; each stops with the error icon.
struct ValueBoxes {
    Box prefix, kCharacter, hCharacter, kLong16, kLong32, hLong16, hLong32, kRange16, kRange32;
};

const ValueBoxes kPanelBoxes{
    {"First character must be K or H !!!", "Error Message", MsgIcon::Error},
    {"Character must be 0 -- 9 !!!", "Error Message", MsgIcon::Error},
    {"Character must be 0 -- 9 and A -- F !!!", "Error Message", MsgIcon::Error},
    {"Value over range [From K-32768 to H32767]", "Error Message", MsgIcon::Error},
    {"Value over range [From K-2147483648 to 2147483647]", "Error Message", MsgIcon::Error},
    {"Character>5 too long [From H0000 to HFFFF]", "Error Message", MsgIcon::Error},
    {"Character>9 too long [From H00000000 to HFFFFFFFF]", "Error Message", MsgIcon::Error},
    {"Value over range [-32768 =< K >= 32767]", "Error Message", MsgIcon::Error},
    {"Value over range [-2147483648 =< K >= 2147483647]", "Error Message", MsgIcon::Error},
};

const ValueBoxes kDialogBoxes{
    {"First character must be K or H...", "Error2015091212...", MsgIcon::Error},
    {"Character must be 0~9 ...", "Error2015091213...", MsgIcon::Error},
    {"Character must be 0~9 and A~F ...", "Error2015091214...", MsgIcon::Error},
    {"Value over range [From K-32768 to H32767]", "Error2015091215...", MsgIcon::Error},
    {"Value over range [From K-2147483648 to 2147483647]", "Error2015091216...", MsgIcon::Error},
    {"Character>5 too long [From H0000 to HFFFF]", "Error2015091217...", MsgIcon::Error},
    {"Character>9 too long [From H00000000 to HFFFFFFFF]", "Error2015091218...", MsgIcon::Error},
    {"Value over range [-32768 =< K >= 32767]", "Error2015091221...", MsgIcon::Error},
    {"Value over range [-2147483648 =< K >= 2147483647]", "Error2015091222...", MsgIcon::Error},
};

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

enum class ValueCheck { Accepted, Refused, Unfinished };

ValueCheck refused(const Box& box) {
    platform::say(box);
    return ValueCheck::Refused;
}

// The digits after K, a minus in front of them allowed: text is the whole value, rest what follows K.
ValueCheck checkDecimalValue(std::string_view text, std::string_view rest, bool is32, const ValueBoxes& boxes,
                             std::int32_t& value) {
    const bool negative = rest[0] == '-';
    const std::string_view digits = negative ? rest.substr(1) : rest;
    if (!digits.empty() && !allDigits(digits)) return refused(boxes.kCharacter);
    if (digits.empty()) return ValueCheck::Unfinished;
    const std::size_t longest = (is32 ? 11u : 6u) + (negative ? 1u : 0u);
    if (text.size() > longest) return refused(is32 ? boxes.kLong32 : boxes.kLong16);
    std::int64_t n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    if (negative) n = -n;
    const std::int64_t low = is32 ? INT32_MIN : INT16_MIN;
    const std::int64_t high = is32 ? INT32_MAX : INT16_MAX;
    if (n < low || n > high) return refused(is32 ? boxes.kRange32 : boxes.kRange16);
    value = static_cast<std::int32_t>(n);
    return ValueCheck::Accepted;
}

// The hexadecimal digits after H (upper case): text is the whole value, rest what follows H.
ValueCheck checkHexValue(std::string_view text, std::string_view rest, bool is32, const ValueBoxes& boxes,
                         std::int32_t& value) {
    if (!std::all_of(rest.begin(), rest.end(), isHexDigit)) return refused(boxes.hCharacter);
    if (text.size() > (is32 ? 9u : 5u)) return refused(is32 ? boxes.hLong32 : boxes.hLong16);
    std::uint32_t n = 0;
    for (char c : rest) n = n * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    value = static_cast<std::int32_t>(n);
    return ValueCheck::Accepted;
}

// The rules of a K or H value; a refusal shows its box. Unfinished: the prefix alone or "K-".
ValueCheck checkValueText(std::string_view text, bool is32, bool lowerPrefix, const ValueBoxes& boxes,
                          std::int32_t& value) {
    char prefix = text.empty() ? '\0' : text[0];
    if (lowerPrefix) prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(prefix)));
    if (prefix != 'K' && prefix != 'H') return refused(boxes.prefix);
    const std::string_view rest = text.substr(1);
    if (rest.empty()) return ValueCheck::Unfinished;
    return prefix == 'K' ? checkDecimalValue(text, rest, is32, boxes, value)
                         : checkHexValue(text, rest, is32, boxes, value);
}

// D and its number; -1 when the text is not "D" and digits.
std::int64_t registerNumber(std::string_view text) {
    if (text.size() < 2 || text.size() > kLongestDevice || (text[0] != 'D' && text[0] != 'd')) return -1;
    if (!allDigits(text.substr(1))) return -1;
    std::int64_t n = 0;
    for (char c : text.substr(1)) n = n * 10 + (c - '0');
    return n;
}

// The register must exist: D8256 upward has no address, and the data registers end where the
// project's type ends them. A refusal shows its box.
bool registerExists(std::uint32_t n) {
    if (n > kSpecialLast) {
        platform::say(
            {"Device no over range [D0 ~ D7999, D8000 ~ D8255]", "Error Message", MsgIcon::Warning});
        return false;
    }
    return checkDRange(pmw.plcType(), static_cast<std::int32_t>(n)) == 0;
}

std::string hex8(std::int32_t value) {
    return hexText(static_cast<std::uint32_t>(value), 8);
}

// The write frame of a register; Done only for the PLC's ACK.
LinkOutcome writeRegister(std::int32_t address, std::int32_t value, bool is32) {
    makeWritePrefix();
    appendAddress(hex4(static_cast<std::uint32_t>(address)));
    appendValueByteCount(is32 ? 1 : 0);
    if (is32)
        appendDataDword(hex8(value));
    else
        appendDataWord(hex8(value));
    rsChHex += "03";
    return sendAckedFrame(rs.timeOut);
}

bool monitorRuns() {
    return monitorMode != kMonitorOff;
}

void openChangeValueDialog() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        CvChangeDialog dialog;
        dialog.monitorRunning = monitorRuns() ? 1 : 0;
        dialog.caption = "Change current value";
        monitorDialogs().changeValue(dialog);
        // A running monitor keeps the port.
        if (monitorRuns()) session.keepPortOpen();
    });
}

}  // namespace

// Type 2 keeps its special registers at 8000h of the space its 'E' commands write, as the
// monitor's device map has them: 0E00h there is no register, and a write would go astray.
std::int32_t cvAddressOf(std::uint32_t n, int plcType) {
    if (n > kSpecialLast) return -1;
    if (n >= kSpecialFirst)
        return static_cast<std::int32_t>((plcType == 2 ? 0x8000 : 0x0E00) + 2 * (n - kSpecialFirst));
    const std::uint32_t base = plcType == 2 || plcType == 5 || plcType == 7 ? 0x4000 : 0x1000;
    return static_cast<std::int32_t>(base + 2 * n);
}

void CvChangeDialog::FormShow() {
    if (dataSize != 0 && dataSize != 1) dataSize = 0;
    sizeIndex = dataSize;
    if (const deviceMonitorNode* node = deviceMonitorList.selected) deviceText = nodeName(*node);
}

void CvChangeDialog::CurrentValueEdit1Change(const std::string& text) {
    valueText = text;
    decimalEntry = 0;
    hexEntry = 0;
}

void CvChangeDialog::cvChangeRadioGroupClick(int index) {
    if (index != 0 && index != 1) index = 0;
    sizeIndex = index;
    dataSize = index;
}

bool CvChangeDialog::checkCvDevice() {
    inputError = 1;
    deviceTextLength = static_cast<std::int32_t>(deviceText.size());
    if (deviceText.empty()) {
        platform::say({"Device address isn't setting error...", "Error2015091220...", MsgIcon::Error});
        return false;
    }
    if (deviceText.size() == 1) {
        platform::say({"Error2015091225", "Error Message", MsgIcon::Warning});
        return false;
    }
    if (deviceText.size() > kLongestDevice) {
        platform::say({"Error Message", "Error2015091226", MsgIcon::Warning});
        return false;
    }
    if (deviceText[0] != 'D' && deviceText[0] != 'd') {
        deviceText.clear();
        return false;
    }
    const std::int64_t n = registerNumber(deviceText);
    if (n < 0) {
        platform::say({"DeviceNo must be 0~9", "Error2015091211", MsgIcon::Warning});
        deviceText.clear();
        return false;
    }
    if (!registerExists(static_cast<std::uint32_t>(n))) return false;
    monitorState.cvDeviceAddress = cvAddressOf(static_cast<std::uint32_t>(n), pmw.plcType());
    inputError = 0;
    return true;
}

bool CvChangeDialog::checkCvValue() {
    decimalEntry = 0;
    hexEntry = 0;
    inputError = 1;
    valueTextLength = static_cast<std::int32_t>(valueText.size());
    if (valueText.size() < 2) {
        platform::say({"Error2015091227", "Error Message", MsgIcon::Warning});
        return false;
    }
    std::int32_t value = 0;
    if (checkValueText(valueText, dataSize == 1, false, kDialogBoxes, value) != ValueCheck::Accepted)
        return false;
    newValue = value;
    (valueText[0] == 'K' ? decimalEntry : hexEntry) = 1;
    inputError = 0;
    return true;
}

void CvChangeDialog::btnExecuteChangeClick() {
    if (!checkCvDevice() || !checkCvValue()) return;
    const std::int32_t address = monitorState.cvDeviceAddress;
    runLinkCommand(PortAfter::KeepOpen, [&](LinkSession& session) {
        requireConnection();
        if (monitorRunning == 0) {
            if (readPlcSystemBlock(1, 1) != 1) {
                session.closePortAtEnd();
                abandonCommand();
            }
            if (isConnectedTypeSelected() != 1) {
                session.closePortAtEnd();
                failCommand({"Device type Error", "Error2018081046", platform::MsgIcon::Warning});
            }
        }
        // A NAK is no write: it says so as a missing answer does.
        if (writeRegister(address, newValue, dataSize == 1) != LinkOutcome::Done)
            failCommand({"Communication Error", "Error2015030523", platform::MsgIcon::Warning});
        memo.push_back(deviceText + " " + valueText);
        memo.emplace_back();
    });
}

void ChangeCurrentDevNoEditChange(const std::string& text) {
    ChangeValuePanel& panel = monitorState.changeValuePanel;
    panel.deviceText = text;
    if (text.size() < 2) {
        panel.executeEnabled = false;
        return;
    }
    if (text.size() > kLongestDevice) {
        platform::say({"Command Error!", "Error Message", MsgIcon::Warning});
        return;
    }
    monitorState.cvDeviceFlags &= static_cast<std::uint8_t>(~kDeviceFlagsChecked);
    if (text[0] != 'D' && text[0] != 'd') {
        platform::say({"Device Error2015030201", "Error Message", MsgIcon::Warning});
        panel.deviceText.clear();
        return;
    }
    monitorState.cvDeviceFlags |= kDeviceFlagD;
    const std::int64_t n = registerNumber(text);
    if (n < 0) {
        platform::say({"Device no must be 0 ~ 9", "Error Message", MsgIcon::Warning});
        panel.deviceText.clear();
        return;
    }
    panel.executeEnabled = true;
    if (const std::int32_t address = cvAddressOf(static_cast<std::uint32_t>(n), pmw.plcType()); address >= 0)
        monitorState.cvDeviceAddress = address;
}

void ChangeCurrentValueEditChange(const std::string& text) {
    ChangeValuePanel& panel = monitorState.changeValuePanel;
    panel.valueText = text;
    if (panel.deviceText.empty()) {
        platform::say({"No Device Address Error !", "Error Message", MsgIcon::Error});
        return;
    }
    if (text.empty()) return;
    std::int32_t value = 0;
    const bool lonePrefix =
        text.size() == 1 && std::string_view("KkHh").find(text[0]) != std::string_view::npos;
    const ValueCheck check = checkValueText(text, monitorState.cvDataSize == 1, true, kPanelBoxes, value);
    if (lonePrefix) return;
    panel.executeEnabled = check == ValueCheck::Accepted;
    if (check == ValueCheck::Accepted) monitorState.cvValue = value;
}

void ChangeCurrentValueRadioGroupClick(int index) {
    if (index != 0 && index != 1) index = 0;
    monitorState.changeValuePanel.sizeIndex = index;
    monitorState.cvDataSize = index;
}

void btnChangeCurrentValueOkClick() {
    ChangeValuePanel& panel = monitorState.changeValuePanel;
    const std::int64_t n = registerNumber(panel.deviceText);
    if (n < 0 || !registerExists(static_cast<std::uint32_t>(n))) return;
    const std::int32_t address = cvAddressOf(static_cast<std::uint32_t>(n), pmw.plcType());
    runLinkCommand(PortAfter::KeepOpen, [&](LinkSession& session) {
        requireConnection();
        if (readPlcSystemBlock(1, 1) != 1) {
            session.closePortAtEnd();
            abandonCommand();
        }
        if (isConnectedTypeSelected() != 1) {
            session.closePortAtEnd();
            failCommand({"Device type Error", "btnChangeCurrentValueOkClick(", platform::MsgIcon::Warning});
        }
        if (writeRegister(address, monitorState.cvValue, monitorState.cvDataSize == 1) != LinkOutcome::Done)
            failCommand({"Error2015030523", "Communication Error", platform::MsgIcon::Warning});
        panel.memo.push_back(panel.deviceText + " " + panel.valueText);
        panel.memo.emplace_back();
        session.closePortAtEnd();
    });
}

void btnChangeCurrentValueCloseClick() {
    requestLadderRedraw();
    monitorWindow().layOutLadderButtons(1);
    monitorState.changeValuePanel.visible = false;
    enableControls({"spbtnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"},
                   true);
    menuItem("spbtnStopMonitor1").enabled = false;
    releasePort();
}

void ChangeCurrentValue2Click() {
    openChangeValueDialog();
}
void spbtnChangeValueClick() {
    openChangeValueDialog();
}
void Popup4ChangeValueClick() {
    openChangeValueDialog();
}
void btnChangeValueClick() {
    openChangeValueDialog();
}

void ChangeCurrentValue1Click() {
    stopRunningMonitor();
    monitorWindow().layOutLadderButtons(0);
    ChangeValuePanel& panel = monitorState.changeValuePanel;
    panel.visible = true;
    menuItem("spbtnStopMonitor1").enabled = true;
    enableControls({"spbtnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"},
                   false);
    panel.memo.clear();
    panel.executeEnabled = false;
    platform::statusBar().setPanelText(3, "");
}

}  // namespace kestrion
