#include "link/CommRecord.h"

#include <memory>

#include "model/EditorState.h"
#include "lang/Language.h"
#include "link/Frames.h"
#include "link/LinkState.h"
#include "link/Receive.h"
#include "model/MainState.h"
#include "model/ModeData.h"
#include "model/StateRegistry.h"

namespace kestrion {

LinkState linkState;
CommRecord& rs = linkState.rs;
std::array<std::uint8_t, kRxTmpSize>& RxTmpArrayNo = linkState.RxTmpArrayNo;
std::array<std::uint8_t, kRxTmpSize + 1>& RxTmpBuf = linkState.RxTmpBuf;
platform::SerialFormat& comDcb = linkState.comDcb;
std::uint8_t& comState = linkState.comState;
int& comPortHandle = linkState.comPortHandle;
std::uint32_t& comPortIndex = linkState.comPortIndex;
std::uint32_t& baudIndex = linkState.baudIndex;
std::int32_t& commProtocol = linkState.commProtocol;
std::string& baudText = linkState.baudText;
std::array<std::uint16_t, 256>& D8Kreg = linkState.D8Kreg;
std::string& rsChHex = linkState.rsChHex;
std::uint32_t& etxIndex = linkState.etxIndex;

namespace {

std::unique_ptr<platform::SerialPort>& port = linkState.port;

constexpr std::uint8_t kRedrawFramePopup = 0x01;

struct BaudEntry {
    std::uint32_t rate;
    const char* text;
    std::uint32_t pollPeriod;
};
constexpr BaudEntry kBaudTable[] = {
    {9600, "9600", 180},    {19200, "19200", 120},   {38400, "38400", 100},
    {57600, "57600", 100},  {115200, "115200", 100}, {115200, "115200", 100},
};
constexpr std::uint32_t kBaudTableSize = sizeof(kBaudTable) / sizeof(kBaudTable[0]);

std::string comName() { return "COM" + std::to_string(comPortIndex + 1); }

void requestFullRedrawAfterDialog(bool withFrame) {
    redrawFlags |= kRedrawLadder | kRedrawObjects;
    if (withFrame) redrawFlags |= kRedrawFramePopup;
}

std::string cantOpenLine() {
    const std::string number = std::to_string(comPortIndex + 1);
    if (bTraditionalChinese) return "無法開啟通訊口 COM" + number;
    if (bSimplifiedChinese) return "无法开启通讯口 COM" + number;
    return "Can't open communication port COM" + number;
}

void showOpenFailure(platform::SerialOpenStatus status) {
    platform::AppMessage message;
    message.caption = "Error2015121401";
    message.line1 = cantOpenLine();
    if (status == platform::SerialOpenStatus::AccessDenied)
        message.line2 = "No permission to open " + platform::serial().deviceName(static_cast<int>(comPortIndex) + 1) +
                        ": your account must be in the dialout group";
    message.versionText = titleText;
    platform::dialogs().appMessage(message);
    requestFullRedrawAfterDialog(true);
}

platform::SerialFormat formatOfProtocol(std::int32_t protocol) {
    platform::SerialFormat format = comDcb;
    switch (protocol) {
        case sysProtocol:
        case cLink:
        case ModbusAsc:
            format.dataBits = 7;
            format.parity = platform::Parity::Even;
            break;
        case ModbusRtu:
            format.dataBits = 8;
            format.parity = platform::Parity::Even;
            break;
        default:
            format.dataBits = 8;
            format.parity = platform::Parity::None;
            break;
    }
    format.stopBits = 1;
    return format;
}

void dropPort() {
    port.reset();
    comPortHandle = -1;
}

}  // namespace

platform::SerialPort* linkPort() { return port.get(); }

std::uint32_t baudRateOfIndex(std::uint32_t index) {
    return index < kBaudTableSize ? kBaudTable[index].rate : kBaudTable[0].rate;
}

std::uint32_t pollPeriodOfIndex(std::uint32_t index) {
    return index < kBaudTableSize ? kBaudTable[index].pollPeriod : 100;
}

void setBaudRate(std::uint32_t index) { comDcb.baudRate = baudRateOfIndex(index); }

void setBaudRateString(std::uint32_t index) {
    if (index >= kBaudTableSize) {
        baudIndex = 0;
        index = 0;
    }
    baudText = kBaudTable[index].text;
}

void setTimer1Interval(std::uint32_t index) {
    platform::timers().setInterval(platform::TimerId::Timer1, pollPeriodOfIndex(index));
}

int _OpenComPort(std::int32_t protocol) {
    platform::statusBar().setPanelText(5, " ");
    const std::string number = std::to_string(comPortIndex + 1);
    platform::statusBar().setPanelText(0, "Open COM" + number + " and setting baudrate to " + baudText);

    // A port still open from before is let go first, so it is never held twice.
    if (port) {
        dropPort();
        comState &= static_cast<std::uint8_t>(~kComStateOpen);
    }
    platform::SerialOpenResult opened = platform::serial().open(static_cast<int>(comPortIndex) + 1);
    if (opened.status != platform::SerialOpenStatus::Ok || !opened.port) {
        showOpenFailure(opened.status);
        return 0;
    }
    port = std::move(opened.port);
    comPortHandle = port->handle();

    comDcb = formatOfProtocol(protocol);
    setBaudRate(baudIndex);
    setTimer1Interval(baudIndex);
    if (!port->configure(comDcb)) {
        platform::messages().show("Comuunication Port Setting Error...", "Set Error", platform::MsgIcon::None,
                                  platform::MsgButtons::Ok);
        dropPort();
        comState &= static_cast<std::uint8_t>(~kComStateOpen);
        platform::statusBar().setPanelText(0, "Can't open this com port ...");
        return 1;
    }
    comState |= kComStateOpen;
    platform::timers().setEnabled(platform::TimerId::Timer1, true);
    return 1;
}

void closeComPort() {
    comState &= static_cast<std::uint8_t>(~kComStateOpen);
    if (comPortHandle != -1 || port) dropPort();
    platform::timers().setEnabled(platform::TimerId::Timer1, false);
    platform::statusBar().setPanelText(5, "COMn OFF");
}

void selectComPort() {
    closeComPort();
    const bool confirmed = platform::dialogs().portSelection("Communication Ports and BaudRate Selection");
    requestFullRedrawAfterDialog(true);
    if (confirmed) {
        ModeData.comPortNo = comPortIndex;
        ModeData.baudRate = baudIndex;
        setBaudRate(baudIndex);
        setTimer1Interval(baudIndex);
        setBaudRateString(baudIndex);
    } else {
        platform::statusBar().setPanelText(0, "Cancel Communication Port Setting ...");
    }
}

void clearMonitorTxBuf() {
    rs.bitTxBuf.fill(0);
    rs.byteTxBuf.fill(0);
}

PortSelView portSelFormShow() {
    if (comPortIndex >= static_cast<std::uint32_t>(kPortSelComCount)) comPortIndex = 0;
    if (baudIndex >= kBaudTableSize) baudIndex = 0;
    return {comName(), static_cast<int>(baudIndex)};
}

std::string portSelComboChange(const std::string& text) {
    for (int i = 0; i < kPortSelComCount; ++i) {
        if (text == "COM" + std::to_string(i + 1)) {
            comPortIndex = static_cast<std::uint32_t>(i);
            return text;
        }
    }
    comPortIndex = 0;
    return "COM1";
}

int portSelRadioClick(int itemIndex) {
    if (itemIndex >= 0 && itemIndex < static_cast<int>(kBaudTableSize)) {
        baudIndex = static_cast<std::uint32_t>(itemIndex);
        return itemIndex;
    }
    baudIndex = 0;
    return 0;
}

namespace {

// The number text "1".."count" that a combo box of the time-out dialog accepts, as index 0..count-1.
int indexOfNumberText(const std::string& text, int count) {
    for (int i = 0; i < count; ++i)
        if (text == std::to_string(i + 1)) return i;
    return -1;
}

constexpr int kTimeOutChoices = 10;
constexpr int kRetryChoices = 5;

}  // namespace

std::string rsTimOutTimeOutText(int& timeOutIndex) {
    if (timeOutIndex < 0 || timeOutIndex >= kTimeOutChoices) timeOutIndex = kTimeOutChoices - 1;
    return std::to_string(timeOutIndex + 1);
}

std::string rsTimOutRetryText(int& retryIndex) {
    if (retryIndex < 0 || retryIndex >= kRetryChoices) retryIndex = 0;
    return std::to_string(retryIndex + 1);
}

std::string rsTimOutTimeOutChange(const std::string& text, int& timeOutIndex) {
    timeOutIndex = indexOfNumberText(text, kTimeOutChoices);
    if (timeOutIndex >= 0) return text;
    timeOutIndex = 0;
    return "1";
}

std::string rsTimOutRetryChange(const std::string& text, int& retryIndex) {
    retryIndex = indexOfNumberText(text, kRetryChoices);
    if (retryIndex >= 0) return text;
    retryIndex = 0;
    return "1";
}

void TimeOutTimer1Click() {
    int timeOutIndex = (static_cast<int>(rs.timeOut) - 1000) / 1000;
    int retryIndex = static_cast<int>(rs.retryCount) - 1;
    if (!platform::dialogs().replyTimeOut("Communication TimeOut Timer Setting", timeOutIndex, retryIndex)) return;
    // The dialog keeps its indexes in range; an index from elsewhere gets the dialog's own rule.
    rsTimOutTimeOutText(timeOutIndex);
    rsTimOutRetryText(retryIndex);
    rs.timeOut = static_cast<std::uint32_t>(timeOutIndex + 1) * 1000;
    rs.retryCount = static_cast<std::uint32_t>(retryIndex + 1);
}

void refreshLinkPanels() {
    static const char* const names[] = {"", "cLink", "ModbusAsc", "ModbusRtu", "User"};
    const bool known = commProtocol >= 0 && commProtocol <= FreeUser;
    platform::statusBar().setPanelText(4, known ? names[commProtocol] : "");
    const std::string separator = (comState & kComStateOpen) != 0 ? "&Br" : " Br";
    platform::statusBar().setPanelText(5, comName() + separator + baudText);
}

void linkStartUp() {
    comDcb = platform::SerialFormat{};
    comDcb.dataBits = 7;
    comDcb.parity = platform::Parity::Even;
    comDcb.stopBits = 1;
    comState &= static_cast<std::uint8_t>(~kComStateOpen);
    commProtocol = sysProtocol;
    comPortIndex = ModeData.comPortNo;
    baudIndex = ModeData.baudRate;
    setBaudRateString(baudIndex);
    platform::statusBar().setPanelText(2, "");
    platform::statusBar().setPanelText(5, comName() + " Br" + baudText);
    platform::statusBar().setPanelText(7, "");
    platform::statusBar().setPanelText(6, "");
    rs.timeOut = 5000;
    rs.retryCount = 1;
    comPortHandle = -1;
    D8Kreg = startUpSpecialRegisters();
    clearMonitorTxBuf();
    // The poller does not tick until a port is opened or a wait gives it a period.
    platform::timers().setEnabled(platform::TimerId::Timer1, false);
    platform::timers().setInterval(platform::TimerId::Timer1, 0);
}

void resetLinkState() { linkState = {}; }

namespace {

[[maybe_unused]] const bool registered = state::registerReset("link", resetLinkState);

}  // namespace

}  // namespace kestrion
