#include "monitor/access/AnyAddressDialog.h"

#include <algorithm>
#include <array>

#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "monitor/access/AccessDialogs.h"
#include "monitor/access/AnyAddress.h"
#include "monitor/access/TerminalOpener.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 8;
constexpr int kMemoHeight = 48;
constexpr int kColumnWidth = 88;
constexpr int kRowHeight = 24;
constexpr int kRowPitch = 32;
constexpr int kPanelRightRoom = 120;
constexpr int kWhichAddress = 0xFB80;
constexpr int kWhichByteNo = 64;

constexpr std::array<const char*, 4> kDataTypes = {"Binary", "Decimal", "Hexiadecimal", "Floating point"};

void errorBox(const std::string& text, const std::string& caption = "Error Message") {
    platform::say({text, caption, platform::MsgIcon::Error});
}

// Four digits at least, as the status texts show an address or a value.
std::string hex4At(int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return bits > 0xFFFF ? hex4(bits >> 16) + hex4(bits & 0xFFFF) : hex4(bits);
}

constexpr int kLargestAddress = 0xFFFF;
constexpr int kSmallestData = -32768;  // a word typed as a signed number
constexpr int kLargestData = 0xFFFF;

bool addressInRange(int address) {
    return address >= 0 && address <= kLargestAddress;
}

bool byteCountFits(int count) {
    return count >= 0 && count <= kAnyAddressMaxBytes;
}

bool byteCountInRange(int count) {
    if (byteCountFits(count)) return true;
    errorBox(getMsgByteCountRange());
    return false;
}

}  // namespace

void AnyAddressDialog::btnSetupPanelClick() {
    AnyAddressLayout& l = layout;
    l.inputPanel = {kMargin, kMargin, width - kMargin - kPanelRightRoom, inputPanelHeight};
    const int panelBottom = l.inputPanel.top + inputPanelHeight;
    l.anyTxMemo = {kMargin, panelBottom + kGap, l.inputPanel.width, kMemoHeight};
    l.anyRxMemo = {kMargin, l.anyTxMemo.top + kMemoHeight + kGap, l.inputPanel.width, kMemoHeight};
    const int listTop = panelBottom + kGap + 2 * (kMemoHeight + kGap);
    l.listView = {kMargin, listTop, l.inputPanel.width,
                  std::max(0, height - l.inputPanel.top - inputPanelHeight - 2 * (kMemoHeight + kMargin))};
    const int column = l.inputPanel.left + l.inputPanel.width + kGap;
    l.column.clear();
    for (int i = 0; i < 10; ++i)
        l.column.push_back({column, l.inputPanel.top + i * kRowPitch, kColumnWidth, kRowHeight});
    l.column.push_back(
        {column, l.inputPanel.top + 12 * kRowPitch, kColumnWidth, kRowHeight});  // two rows lower
}

void AnyAddressDialog::FormShow() {
    btnSetupPanelClick();
    pageNoText = std::to_string(iPageNo);
    commandEdit = "H" + hex4(static_cast<std::uint32_t>(iCommand)).substr(2);
    addressEdit = "H" + hex4At(iAddress);
    dataEdit = "H" + hex4At(iData);
    byteNoEdit = std::to_string(iByteNo);
    dataTypeText =
        iDataType >= 0 && iDataType < 4 ? kDataTypes[static_cast<std::size_t>(iDataType)] : "Ascii ";
    label5 = "Address=H" + hex4At(iAddress) + ",ByteNo=" + std::to_string(iByteNo);
    label6 = "DataType=" + std::to_string(iDataType) + ",DataLength=" + std::to_string(iDataLength);
    btnSetupListViewPcolumnClick();
}

// A text refused by the number rule (its box has been shown) leaves the value as it was and marks
// the edit: the watch loop, which goes by the values, sends nothing while it holds such a text.
void AnyAddressDialog::AddressEditChange() {
    const std::optional<int> value = checkedKHValue(addressEdit);
    addressTextGood = value && addressInRange(*value);
    if (!value) return;
    iAddress = *value;
    label5 = "Address=H" + hex4At(iAddress);
}

void AnyAddressDialog::DataEditChange() {
    const std::optional<int> value = checkedKHValue(dataEdit);
    if (!value) return;
    iData = *value;
    label5 = "Data=H" + hex4At(iData);
}

void AnyAddressDialog::ByteNoEditChange() {
    const std::optional<int> value = checkedKHValue(byteNoEdit);
    byteNoTextGood = value && byteCountFits(*value);
    if (!value) return;
    iByteNo = *value;
    label5 = "ByteNo=" + std::to_string(iByteNo);
}

void AnyAddressDialog::PageNoComboBoxChange() {
    iPageNo = pageNoText == "1" ? 1 : 0;
    label5 = "iPageNo=" + std::to_string(iPageNo);
}

void AnyAddressDialog::DataLengthComboBox1Change() {
    iDataLength = dataLengthText == "16" ? 16 : dataLengthText == "32" ? 32 : 8;
    label5 = "iDataLength=" + std::to_string(iDataLength);
}

void AnyAddressDialog::DataTypeComboBox1Change() {
    const auto found = std::find_if(kDataTypes.begin(), kDataTypes.end(),
                                    [this](const char* name) { return dataTypeText == name; });
    iDataType = static_cast<int>(found - kDataTypes.begin());
    if (found == kDataTypes.end()) iDataLength = 8;
    static constexpr const char* kNames[] = {"Binary", "Decimal", "Hexiadecimal", "Floating point",
                                             "Ascii character"};
    label6 = "DataType=0x0" + std::to_string(iDataType) + " - " + kNames[iDataType];
}

// The address edit's text taken into iAddress; false (after the box) when it is too short, is no
// number or names no address of the PLC's 64 KB.
bool AnyAddressDialog::addressTaken(const char* text, const char* boxCaption) {
    if (addressEdit.size() < 2) {
        errorBox(text, boxCaption);
        return false;
    }
    const std::optional<int> address = checkedKHValue(addressEdit);
    if (!address) return false;
    if (!addressInRange(*address)) {
        errorBox(getMsgAddressRange());
        return false;
    }
    iAddress = *address;
    addressTextGood = true;
    return true;
}

// The byte-count edit's text taken into iByteNo, as the address edit's.
bool AnyAddressDialog::byteNoTaken() {
    if (byteNoEdit.size() < 2) {
        errorBox("Error2015091931...StringLength<2");
        return false;
    }
    const std::optional<int> count = checkedKHValue(byteNoEdit);
    if (!count || !byteCountInRange(*count)) return false;
    iByteNo = *count;
    byteNoTextGood = true;
    return true;
}

// Inside a button's session: the connection test; a time-out closes the port after its box.
bool AnyAddressDialog::connected(bool plainTimeOutBox) {
    if (TryToConnection(1) != 1 || comPortHandle == -1) return false;
    if ((rs.status & kRsWaiting) == 0) return true;
    if (plainTimeOutBox)
        platform::say({"Error2015091324", "TimeoutError...", platform::MsgIcon::Warning});
    else
        platform::say(
            {"Error2015091324... TimeoutError...", "Communication Message", platform::MsgIcon::Warning});
    releasePort();
    return false;
}

void AnyAddressDialog::readAndList() {
    bytes_.clear();
    readAnyAddress(iAddress, iByteNo, &bytes_);
    anyTxMemo = rsChHex;
    anyRxMemo = rs.RxBkBuf.data();
    btnSetupListViewPcolumnClick();
    rows.clear();
    btnReflashListViewClick();
}

void AnyAddressDialog::btnReadClick() {
    DataTypeComboBox1Change();
    DataLengthComboBox1Change();
    if (!addressTaken("Error2015091930...StringLength<2", "Error Message") || !byteNoTaken() ||
        serviceRefusedWhileMonitoring(caption))
        return;
    label5 = "Address=h" + hex4At(iAddress) + ",ByteNo=" + std::to_string(iByteNo);
    runLinkCommand(PortAfter::KeepOpen, [this] {
        if (connected(false)) readAndList();
    });
}

void AnyAddressDialog::btnWriteClick() {
    if (!addressTaken("Error2015091930...StringLength<2", "Error Message")) return;
    if (dataEdit.size() < 2) {
        errorBox("Error2015091938...StringLength<2");
        return;
    }
    const std::optional<int> data = checkedKHValue(dataEdit);
    if (!data) return;
    if (*data < kSmallestData || *data > kLargestData) {
        errorBox(getMsgDataRange());
        return;
    }
    iData = *data;
    if (serviceRefusedWhileMonitoring(caption)) return;
    label5 = "Address=h" + hex4At(iAddress) + ",Data=" + std::to_string(iData);
    runLinkCommand(PortAfter::KeepOpen, [this] {
        if (!connected(false)) return;
        // A word of two bytes, whatever the byte count edit holds.
        writeAnyAddress(iAddress, 2, iData);
        anyTxMemo = rsChHex;
        anyRxMemo = rs.RxBkBuf.data();
        btnSetupListViewPcolumnClick();
        rows.clear();
        bytes_.clear();
    });
}

// Force ON and OFF differ in the command letter and the texts of their boxes.
void AnyAddressDialog::forceBit(bool on) {
    const bool refused = on ? !addressTaken("Error2015091930...StringLength<2", "Error Message")
                            : !addressTaken("Error2015091930", "StringLength<2");
    if (refused || serviceRefusedWhileMonitoring(caption)) return;
    label5 = "Address=h" + hex4At(iAddress);
    runLinkCommand(PortAfter::KeepOpen, [this, on] {
        if (!connected(!on)) return;
        makeCommandFrame(anyBitForceCommand(on, static_cast<std::uint32_t>(iAddress)));
        AddSumCheckCode(rsChHex.size());
        const LinkOutcome sent = sendFrameHex(rsChHex.size());
        anyTxMemo = rsChHex;
        anyRxMemo = rs.RxBkBuf.data();
        if (sent != LinkOutcome::Done) return;
        expectReply(ReplyKind::Ack);
        if (gblDELAY(rs.timeOut) == LinkOutcome::TimeOut)
            platform::say({on ? "Error2015100120" : "Error2015100121", "Communication Message",
                           platform::MsgIcon::Warning});
    });
}

void AnyAddressDialog::btnForceOnClick() {
    forceBit(true);
}

void AnyAddressDialog::btnForceOffClick() {
    forceBit(false);
}

void AnyAddressDialog::btnWhichAddressClick() {
    if (serviceRefusedWhileMonitoring(caption)) return;
    iDataType = 2;
    iDataLength = 16;
    iAddress = kWhichAddress;
    iByteNo = kWhichByteNo;
    label5 = "Address=h" + hex4At(iAddress) + ",ByteNo=" + std::to_string(iByteNo);
    runLinkCommand(PortAfter::KeepOpen, [this] {
        if (connected(true)) readAndList();
    });
}

void AnyAddressDialog::btnStartMonitorClick() {
    if (monitoring) return;
    // An edit that holds a refused text says so again, and nothing is read.
    if (!addressTextGood && !addressTaken("Error2015091930...StringLength<2", "Error Message")) return;
    if (!byteNoTextGood && !byteNoTaken()) return;
    if (serviceRefusedWhileMonitoring(caption) || !byteCountInRange(iByteNo)) return;
    rows.clear();
    stopMonitorFlag = 0;
    // The loop uses the link as the last request left it; it is one request after another, so
    // nothing else is sent between them.
    const LinkSession session(PortAfter::KeepOpen);
    if (session.refused()) return;
    monitoring = true;
    while (stopMonitorFlag == 0) {
        bytes_.clear();
        const AnyAddressResult result = readAnyAddress(iAddress, iByteNo, &bytes_);
        anyRxMemo = rs.RxBkBuf.data();
        anyTxMemo = rsChHex;
        if (result != AnyAddressResult::Done) {
            // A NAK and a frame that did not go have said so; an unanswered read says it here.
            if (result == AnyAddressResult::TimeOut)
                platform::say({"Error2015091324... TimeoutError...", "Communication Message",
                               platform::MsgIcon::Warning});
            break;
        }
        rows.clear();
        btnReflashListViewClick();
        if (changed) changed();
    }
    monitoring = false;
    if (changed) changed();
}

void AnyAddressDialog::btnStopMonitorClick() {
    stopMonitorFlag = 1;
}

void AnyAddressDialog::btnMachineCodeClick() {
    accessDialogs().machineCode("Machine Code", 0);
}

void AnyAddressDialog::btnCloseClick() {
    stopMonitorFlag = 1;
}

void AnyAddressDialog::btnSetupListViewPcolumnClick() {
    columns = {"Address", "(H)Current value", "Comment"};
    columnWidths = {100, 200, std::max(0, layout.listView.width - 300)};
}

void AnyAddressDialog::btnReflashListViewClick() {
    const std::size_t step = iDataLength == 16 ? 2 : iDataLength == 32 ? 4 : 1;
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(0, iByteNo)), bytes_.size());
    for (std::size_t i = 0; i < count; i += step) {
        std::array<std::uint8_t, 4> value{};
        for (std::size_t k = 0; k < step && i + k < bytes_.size(); ++k) value[k] = bytes_[i + k];
        rows.push_back({"H" + hex4At(iAddress + static_cast<int>(i)),
                        anyAddressValueText(value.data(), step, iDataType), ""});
    }
}

}  // namespace kestrion
