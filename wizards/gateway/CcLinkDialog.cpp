#include "wizards/gateway/CcLinkDialog.h"

#include <array>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/EditorState.h"
#include "monitor/DevicePanel.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

constexpr const char* kOccupied = "OccupiedStationsComboBox";
constexpr const char* kBaudRate = "BaudRateComboBox";
constexpr const char* kStationNo = "StationNoCSpinEdit";

constexpr std::array<const char*, 4> kStationItems = {"1", "2", "3", "4"};
constexpr std::array<const char*, 5> kBaudRateItems = {"156Kbps", "625Kbps", "2.5Mbps", "5.0Mbps", "10Mbps"};
// What Update shows for a baud-rate code: "5Mbps" for the item "5.0Mbps".
constexpr std::array<const char*, 5> kBaudRateTexts = {"156Kbps", "625Kbps", "2.5Mbps", "5Mbps", "10Mbps"};
constexpr std::int16_t kHighestStationNo = 64;

// The index of the text among the items, or the count of items for any other text.
template <std::size_t N>
std::int16_t itemCode(const std::array<const char*, N>& items, const std::string& text) {
    std::size_t code = 0;
    while (code < N && text != items[code]) ++code;
    return static_cast<std::int16_t>(code);
}

// The connection test and the special registers, as every button begins; a failed register read
// gives the port up.
void connectAndReadRegisters(LinkSession& step, int detectType) {
    requireConnection();
    step.closePortAtEnd();
    requireSystemBlock(detectType);
    step.keepPortOpen();
}

}  // namespace

std::vector<std::string> explainD8110(std::uint16_t value) {
    // The word is a signed register: 0x8000 and up show as FFFF8000 and up.
    const std::string hex =
        hexText(static_cast<std::uint32_t>(std::int32_t{static_cast<std::int16_t>(value)}), 4);
    std::vector<std::string> lines{"", " D8110= [" + hex + "h]", ""};
    const unsigned m = value >> 12, s = (value >> 8) & 0x0F, nn = value & 0xFF;
    lines.push_back(m <= 3
                        ? " D8110.[m]=" + std::to_string(m) + " *Occupy[" + std::to_string(m + 1) + "]station"
                        : " D8110.[m]!=0~3 Occupy Station setting Error...");
    lines.emplace_back();
    lines.push_back(s <= 4 ? " D8110.[S]=" + std::to_string(s) + " *Baudrate=" + kBaudRateTexts[s]
                           : " D8110.[S]!=0~4 Baudrate setting Error...");
    lines.emplace_back();
    if (nn <= static_cast<unsigned>(kHighestStationNo)) {
        lines.push_back(" D8110.[nn]=" + hexText(nn, 2) + "h *StationNo=" + std::to_string(nn));
    } else {
        lines.push_back(" D8110.[nn]=" + std::to_string(nn) + ">64 Station number setting Error...");
    }
    return lines;
}

std::uint16_t composeD8110(std::int16_t occupiedStationsCode, std::int16_t baudRateCode,
                           std::int16_t stationNo) {
    return static_cast<std::uint16_t>(((occupiedStationsCode << 12) & 0xF000) + (baudRateCode << 8) +
                                      stationNo);
}

CcLinkDialog::CcLinkDialog() {
    showText(kOccupied, kStationItems[0]);
    showText(kBaudRate, kBaudRateItems[0]);
    showText(kStationNo, "0");
    setSpinMaximum(kStationNo, INT32_MAX);  // the spin edit has no bounds
}

KeyFilter CcLinkDialog::keyFilter(const std::string& name) const {
    return name == kStationNo ? KeyFilter::Digits : KeyFilter::NoKeys;
}

void CcLinkDialog::create() {
    runLinkCommand(PortAfter::KeepOpen, [] { TryToConnection(1); });
    btnCheckClick();
    btnUpdate1Click();
}

void CcLinkDialog::btnCheckClick() {
    runLinkCommand(PortAfter::KeepOpen, [this](LinkSession& step) {
        connectAndReadRegisters(step, 1);
        readD8110();
        // A NAK or a frame without the register's two bytes is no answer either.
        if (!expectReplyBytes(2)) {
            step.closePortAtEnd();
            failCommand({"Error2015030562", "Communication Message", platform::MsgIcon::Warning});
        }
        d8110Value = replyWord(0);
        msgMemo = explainD8110(d8110Value);
        occupiedStationsCode = static_cast<std::int16_t>(d8110Value >> 12);
        baudRateCode = static_cast<std::int16_t>((d8110Value >> 8) & 0x0F);
        stationNo = static_cast<std::int16_t>(d8110Value & 0xFF);
        btnUpdate1Click();
    });
}

void CcLinkDialog::btnSetupClick() {
    if (control(kOccupied).yellow || control(kBaudRate).yellow || control(kStationNo).yellow) {
        platform::say(
            {"Setup needs valid settings: occupied stations 1 to 4, a baud rate of the list and station "
             "number 1 to 64 (the fields shown in yellow)",
             caption, platform::MsgIcon::Warning});
        return;
    }
    runLinkCommand(PortAfter::KeepOpen, [this](LinkSession& step) {
        connectAndReadRegisters(step, 0);
        connectAndReadRegisters(step, 0);
        writeD8110(composeD8110(occupiedStationsCode, baudRateCode, stationNo));
        // A refused write is no more set than one that was not answered.
        if ((rs.status & (kRsWaiting | kRsNak)) != 0) {
            step.closePortAtEnd();
            failCommand({"Error2015030565", "Communication Message", platform::MsgIcon::Warning});
        }
    });
}

void CcLinkDialog::btnUpdate1Click() {
    for (const char* name : {kOccupied, kBaudRate, kStationNo}) flag(name, false);
    const bool stationsValid = occupiedStationsCode >= 0 && occupiedStationsCode <= 3;
    showText(kOccupied,
             stationsValid ? kStationItems[static_cast<std::size_t>(occupiedStationsCode)] : "Error");
    flag(kOccupied, !stationsValid);
    const bool rateValid = baudRateCode >= 0 && baudRateCode <= 4;
    showText(kBaudRate, rateValid ? kBaudRateTexts[static_cast<std::size_t>(baudRateCode)] : "Error");
    flag(kBaudRate, !rateValid);
    setText(kStationNo, std::to_string(stationNo));
    flag(kStationNo, stationNo < 1 || stationNo > kHighestStationNo);
}

void CcLinkDialog::btnCloseClick() {
    closeFlags = static_cast<std::uint8_t>((closeFlags | kCcLinkClosed) & ~kCcLinkCancelled);
}

void CcLinkDialog::btnCancelClick() {
    closeFlags = static_cast<std::uint8_t>((closeFlags | kCcLinkCancelled) & ~kCcLinkClosed);
}

void CcLinkDialog::btnPinfoClick() {
    wizardsDialogs().productMemo("ccGateModule", 1);
}

void CcLinkDialog::MonitorClick() {
    clearMonitorTxBuf();
    _registerMonitorDevices();
}

void CcLinkDialog::textChanged(const std::string& name) {
    if (name == kStationNo) stationNoChange();
}

void CcLinkDialog::picked(const std::string& name) {
    if (name == kOccupied) occupiedStationsChange();
    if (name == kBaudRate) baudRateChange();
}

void CcLinkDialog::occupiedStationsChange() {
    occupiedStationsCode = itemCode(kStationItems, control(kOccupied).text);
    flag(kOccupied, occupiedStationsCode == static_cast<std::int16_t>(kStationItems.size()));
}

void CcLinkDialog::baudRateChange() {
    baudRateCode = itemCode(kBaudRateItems, control(kBaudRate).text);
    flag(kBaudRate, baudRateCode == static_cast<std::int16_t>(kBaudRateItems.size()));
}

void CcLinkDialog::stationNoChange() {
    // An empty field keeps the last number, shown yellow until a number is typed.
    if (control(kStationNo).text.empty()) {
        flag(kStationNo);
        return;
    }
    const std::int64_t v = spinValue(kStationNo);
    flag(kStationNo, v < 1 || v > kHighestStationNo);
    stationNo = static_cast<std::int16_t>(v < 1 ? 0 : v);
}

void ccLinkProtocol1Click() {
    runLinkCommand(PortAfter::KeepOpen, [](LinkSession& session) {
        CcLinkDialog dialog;
        dialog.caption = "Setup ccGate Parameter";
        dialog.create();
        wizardsDialogs().ccLink(dialog);
        requestLadderRedraw();
        if ((dialog.closeFlags & kCcLinkClosed) != 0) {
            platform::statusBar().setPanelText(0, "Finish setup ccGateModule ...");
            session.closePortAtEnd();
        } else {
            platform::statusBar().setPanelText(0, "Cancel setting ccGateModule data ...");
        }
    });
}

void ccLinkProtocol2Click() {
    ccLinkProtocol1Click();
}

}  // namespace kestrion
