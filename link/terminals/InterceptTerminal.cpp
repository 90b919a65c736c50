#include "link/terminals/InterceptTerminal.h"

#include <algorithm>
#include <vector>

#include "link/terminals/TerminalDialogs.h"
#include "link/terminals/TerminalState.h"
#include "platform/Box.h"

namespace kestrion {

namespace {

TerminalState& counters = terminalState;

const std::vector<std::string> kParityTexts = {"Even", "Odd", "None", "Mark", "Space"};
constexpr platform::Parity kParities[] = {platform::Parity::Even, platform::Parity::Odd,
                                          platform::Parity::None, platform::Parity::Mark,
                                          platform::Parity::Space};
const std::vector<std::string> kDataBitTexts = {"db7Bits", "db8Bits"};
const std::vector<std::string> kStopBitTexts = {"stopBit1", "stopBit2"};
const std::vector<std::string> kBaudTexts = {"9600", "19200", "38400", "57600", "115200"};
constexpr std::uint32_t kBaudRates[] = {9600, 19200, 38400, 57600, 115200, 115200};

int indexOf(const std::vector<std::string>& texts, const std::string& text) {
    const auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

std::vector<std::string> comTexts(int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back("COM" + std::to_string(i));
    return texts;
}

// A list's text recognised: its index, or the default text and index 0.
int recognise(std::string& text, const std::vector<std::string>& texts, const char* fallback) {
    const int index = indexOf(texts, text);
    if (index >= 0) return index;
    text = fallback;
    return 0;
}

std::uint32_t baudOfIndex(int index) {
    return index >= 0 && index <= 5 ? kBaudRates[index] : kBaudRates[0];
}

}  // namespace

InterceptTerminal::~InterceptTerminal() {
    closePort();
}

void InterceptTerminal::closePort() {
    port_.reset();
    portOpen = 0;
}

void InterceptTerminal::FormShow() {
    sendEnabled = false;
    parityIndex = recognise(parityText, kParityTexts, "Even");
    dataBitsIndex = recognise(dataBitText, kDataBitTexts, "db7Bits");
    stopBitsIndex = recognise(stopBitText, kStopBitTexts, "StopBit1");
    speedIndex = recognise(baudRateText, kBaudTexts, "9600");
    portIndex = recognise(comPortText, comTexts(11), "COM1");
}

void InterceptTerminal::parityComboBoxChange() {
    parityIndex = recognise(parityText, kParityTexts, "Even");
    dcb.parity = kParities[parityIndex];
}

void InterceptTerminal::dataBitComboBoxChange() {
    dataBitsIndex = recognise(dataBitText, kDataBitTexts, "db7Bits");
    dcb.dataBits = dataBitsIndex == 1 ? 8 : 7;
}

void InterceptTerminal::stopBitComboBoxChange() {
    stopBitsIndex = recognise(stopBitText, kStopBitTexts, "Stop1");
    dcb.stopBits = stopBitsIndex == 1 ? 2 : 1;
}

void InterceptTerminal::baudRateComboBoxChange() {
    speedIndex = recognise(baudRateText, kBaudTexts, "9600");
    if (speedIndex == 4) speedIndex = 5;
    dcb.baudRate = baudOfIndex(speedIndex);
}

void InterceptTerminal::comPortComboBoxChange() {
    portIndex = recognise(comPortText, comTexts(19), "COM1");
}

void InterceptTerminal::OpenComPortClick() {
    closePort();
    const std::string number = std::to_string(portIndex + 1);
    panels[2] = "Open COM" + number + " and setting baudrate to ";
    platform::SerialOpenResult opened = platform::serial().open(portIndex + 1);
    if (opened.status != platform::SerialOpenStatus::Ok || !opened.port) {
        platform::say({"Open Communication Port Error !!", "Comm Error", platform::MsgIcon::None});
        return;
    }
    port_ = std::move(opened.port);
    dcb.dataBits = dataBitsIndex == 1 ? 8 : 7;
    dcb.parity = kParities[std::clamp(parityIndex, 0, 4)];
    dcb.stopBits = stopBitsIndex == 1 ? 2 : 1;
    dcb.baudRate = baudOfIndex(speedIndex);
    // A format the port cannot hold (mark or space parity on many devices) is refused, never run
    // as another.
    if (port_->configure(dcb)) {
        portOpen = 1;
        panels[0] = "COM" + number + "," + std::to_string(dcb.baudRate) + " Ready ";
    } else {
        platform::say({"Comuunication Port Setting Error !!", "Set Error", platform::MsgIcon::None});
        closePort();
        panels[0] = "Communication port error";
    }
    if (setTimer5Interval) setTimer5Interval(kInterceptPollMs);
    sendEnabled = true;
}

void InterceptTerminal::btnSendClick() {
    ++counters.interceptSends;
    panels[4] = "SendCount=" + std::to_string(counters.interceptSends);
    if (!port_) {
        panels[0] = "Com Port No Open !!!";
        return;
    }
    port_->write(reinterpret_cast<const std::uint8_t*>(mSend.data()), mSend.size());
}

void InterceptTerminal::Timer5Timer() {
    ++counters.interceptTicks;
    panels[1] = std::to_string(counters.interceptTicks);
    if (!port_) return;
    port_->clearErrors();
    const std::size_t waiting = port_->queuedBytes();
    counters.interceptBytes += waiting;
    // Nothing waiting, or more than the buffer takes: the queue is emptied unread.
    if (waiting == 0 || waiting > kInterceptReceiveLimit) {
        port_->purgeReceive();
        return;
    }
    std::array<std::uint8_t, kInterceptReceiveLimit + 1> buffer{};
    const std::size_t got = port_->read(buffer.data(), waiting);
    // Shown up to the first zero byte.
    const auto* text = reinterpret_cast<const char*>(buffer.data());
    memo1.assign(text, std::find(text, text + got, '\0'));
    panels[2] = memo1;
    ++counters.interceptReceives;
    panels[3] = std::to_string(counters.interceptReceives);
}

void InterceptTerminal::CloseClick() {
    if (port_) {
        closePort();
        panels[0] = "Close Communication Port";
    }
    if (setTimer5Interval) setTimer5Interval(0);
    closeRequested = true;
}

void Dataintercept1Click() {
    InterceptTerminal terminal;
    terminalDialogs().interceptTerminal(terminal);
}

}  // namespace kestrion
