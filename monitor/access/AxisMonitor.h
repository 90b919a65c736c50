// The axis monitor (TAxisMonitorForm): twice a second the two register blocks of the pulse
// outputs, D8140..D8151 and D8160..D8171, six 32-bit values each, shown in decimal per axis. The
// window owns the QTimer of Timer8 and calls Timer8Timer; the rules switch it through
// setTimer8Interval (0 stops it).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace kestrion {

constexpr std::uint32_t kAxisPollMs = 500;

// The rows of each axis's group box, in order.
constexpr std::array<const char*, 6> kAxisRows = {"Current speed", "Absolute postion", "Increment postion",
                                                  "Remain pulse",  "Bias speed",       "Acc/Dec time"};

// One read frame each (24 bytes from D8140, from D8160), awaited for rs.timeOut; true when the
// PLC answered with the 24 bytes (they are in rs.RxBkBuf).
bool readAxisBlock1();
bool readAxisBlock2();

class AxisMonitorDialog {
public:
    std::uint8_t pollBusy = 0;
    std::uint32_t ticks = 0;
    // values[axis][row], the rows of kAxisRows.
    std::array<std::array<std::int32_t, 6>, 2> values{};
    std::array<std::string, 2> memos{"Error Message", "Error Message"};  // Memo1, Memo2
    bool startEnabled = true;
    bool stopEnabled = false;
    std::function<void(std::uint32_t)> setTimer8Interval;
    std::function<void()> changed;  // after each poll, so the window shows it

    void FormShow();
    void Timer8Timer();
    void btnAxisStartMonitorClick();
    void btnAxisStopMonitorClick();
    void btnCloseClick();

    // The reply in rs.RxBkBuf into the values of the block.
    void showAxisBlock1();
    void showAxisBlock2();

private:
    void switchPolling(bool on);
};

// Monitor > "Axis Monitor".
void AxisMonitor1Click();

}  // namespace kestrion
