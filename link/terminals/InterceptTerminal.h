// The rules of TInterceptForm, the data intercept terminal: a small serial terminal on a COM port of
// its own, apart from the link's port and receive poller. It sends the typed text as raw bytes and
// shows what arrives, polled by its Timer5. The window owns the QTimer and calls Timer5Timer; the
// rules switch it through setTimer5Interval (0 stops it).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Services.h"

namespace kestrion {

constexpr std::uint32_t kInterceptPollMs = 500;
constexpr std::size_t kInterceptReceiveLimit = 1024;

class InterceptTerminal {
public:
    InterceptTerminal() = default;
    ~InterceptTerminal();  // the port goes with the dialog, however it was closed
    InterceptTerminal(const InterceptTerminal&) = delete;
    InterceptTerminal& operator=(const InterceptTerminal&) = delete;

    std::string caption = "Data Intercept";
    // The texts of the five lists (editable, so any text may stand in them).
    std::string parityText;
    std::string dataBitText;
    std::string stopBitText;
    std::string baudRateText;
    std::string comPortText;
    std::string mSend;  // sent as it stands
    std::string memo1;  // the text last received
    std::array<std::string, 6> panels{"", "", "", "", "SendCount", ""};
    bool sendEnabled = true;
    bool closeRequested = false;  // Close was pressed: the dialog ends, the program goes on
    std::uint8_t portOpen = 0;

    int parityIndex = 0;  // 0 Even, 1 Odd, 2 None, 3 Mark, 4 Space
    int dataBitsIndex = 0;
    int stopBitsIndex = 0;
    int speedIndex = 0;
    int portIndex = 0;  // 0..18 for COM1..COM19
    platform::SerialFormat dcb;
    std::function<void(std::uint32_t)> setTimer5Interval;

    void FormShow();
    void parityComboBoxChange();
    void dataBitComboBoxChange();
    void stopBitComboBoxChange();
    void baudRateComboBoxChange();
    void comPortComboBoxChange();
    void OpenComPortClick();
    void btnSendClick();
    void Timer5Timer();
    void CloseClick();

    // The dialog's own port, -1 while it holds none.
    int portHandle() const { return port_ ? port_->handle() : -1; }

private:
    void closePort();
    std::unique_ptr<platform::SerialPort> port_;
};

// xRS > "Data intercept".
void Dataintercept1Click();

}  // namespace kestrion
