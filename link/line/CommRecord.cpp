#include "link/line/CommRecord.h"

#include <memory>

#include "lang/LangDialogs.h"
#include "lang/Language.h"
#include "link/line/Frames.h"
#include "link/line/LineDialogs.h"
#include "link/line/LineState.h"
#include "link/line/LinkCommand.h"
#include "link/line/PortSelDialog.h"
#include "link/line/Receive.h"
#include "link/line/RsTimOutDialog.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"
#include "platform/Box.h"

namespace kestrion {

namespace {

std::unique_ptr<platform::SerialPort>& port = lineState.port;

constexpr std::uint8_t kRedrawFramePopup = 0x01;

struct BaudEntry {
    std::uint32_t rate;
    const char* text;
    std::uint32_t pollPeriod;
};
constexpr BaudEntry kBaudTable[] = {
    {9600, "9600", 180},   {19200, "19200", 120},   {38400, "38400", 100},
    {57600, "57600", 100}, {115200, "115200", 100}, {115200, "115200", 100},
};
static_assert(sizeof(kBaudTable) / sizeof(kBaudTable[0]) == kBaudTableSize);

void requestFullRedrawAfterDialog(bool withFrame) {
    requestLadderRedraw();
    if (withFrame) redrawFlags |= kRedrawFramePopup;
}

std::string cantOpenLine() {
    const std::string number = std::to_string(comPortIndex + 1);
    if (bTraditionalChinese) return "無法開啟通訊口 COM" + number;
    if (bSimplifiedChinese) return "无法开启通讯口 COM" + number;
    return "Can't open communication port COM" + number;
}

// The second line names the device behind the COM number and what kept it closed.
std::string openFailureLine(const platform::SerialOpenResult& opened) {
    const std::string device = comPortDeviceText(static_cast<int>(comPortIndex) + 1);
    switch (opened.status) {
        case platform::SerialOpenStatus::NotFound: return "There is no device " + device;
        case platform::SerialOpenStatus::AccessDenied:
            return "No permission to open " + device + ": your account must be in the " +
                   (opened.deviceGroup.empty() ? std::string("dialout") : opened.deviceGroup) + " group";
        case platform::SerialOpenStatus::Busy: return device + " is in use by another program";
        default: return device + " cannot be opened";
    }
}

void showOpenFailure(const platform::SerialOpenResult& opened) {
    AppMessage message;
    message.caption = "Error2015121401";
    message.line1 = cantOpenLine();
    message.line2 = openFailureLine(opened) + "\n" + serialDevicesFoundText();
    message.versionText = titleText;
    langDialogs().appMessage(message);
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

platform::SerialPort* linkPort() {
    return port.get();
}

std::uint32_t baudRateOfIndex(std::uint32_t index) {
    return index < kBaudTableSize ? kBaudTable[index].rate : kBaudTable[0].rate;
}

std::uint32_t pollPeriodOfIndex(std::uint32_t index) {
    return index < kBaudTableSize ? kBaudTable[index].pollPeriod : 100;
}

void setBaudRate(std::uint32_t index) {
    comDcb.baudRate = baudRateOfIndex(index);
}

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
        showOpenFailure(opened);
        return 0;
    }
    port = std::move(opened.port);
    comPortHandle = port->handle();

    comDcb = formatOfProtocol(protocol);
    setBaudRate(baudIndex);
    setTimer1Interval(baudIndex);
    if (!port->configure(comDcb)) {
        platform::say({"Comuunication Port Setting Error...", "Set Error", platform::MsgIcon::None});
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
    // The port is not taken from a request that waits for its reply.
    const LinkSession session(PortAfter::KeepOpen);
    if (session.refused()) return;
    releasePort();
    const bool confirmed = lineDialogs().portSelection("Communication Ports and BaudRate Selection");
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

std::string comPortName() {
    return "COM" + std::to_string(comPortIndex + 1);
}

void clearMonitorTxBuf() {
    rs.bitTxBuf.fill(0);
    rs.byteTxBuf.fill(0);
}

void TimeOutTimer1Click() {
    const RsTimOutResult chosen = lineDialogs().replyTimeOut("Communication TimeOut Timer Setting",
                                                             (static_cast<int>(rs.timeOut) - 1000) / 1000,
                                                             static_cast<int>(rs.retryCount) - 1);
    if (!chosen.confirmed) return;
    // The dialog keeps its indexes in range; an index from elsewhere gets the dialog's own rule.
    RsTimOutDialog checked{chosen.timeOutIndex, chosen.retryIndex};
    checked.timeOutText();
    checked.retryText();
    rs.timeOut = static_cast<std::uint32_t>(checked.timeOutIndex + 1) * 1000;
    rs.retryCount = static_cast<std::uint32_t>(checked.retryIndex + 1);
}

void refreshLinkPanels() {
    static const char* const names[] = {"", "cLink", "ModbusAsc", "ModbusRtu", "User"};
    const bool known = commProtocol >= 0 && commProtocol <= FreeUser;
    platform::statusBar().setPanelText(4, known ? names[commProtocol] : "");
    const std::string separator = (comState & kComStateOpen) != 0 ? "&Br" : " Br";
    platform::statusBar().setPanelText(5, comPortName() + separator + baudText);
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
    platform::statusBar().setPanelText(5, comPortName() + " Br" + baudText);
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

}  // namespace kestrion
