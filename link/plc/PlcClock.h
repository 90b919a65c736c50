// The PLC's clock: D8013..D8019 (second, minute, hour, day, month, two-digit year, weekday 1..7)
// at PLC address 0x0E1A, shown, followed once a second and set by the clock dialog TSetTimeForm.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kestrion {

constexpr std::uint32_t kClockAddress = 0x0E1A;
constexpr std::uint32_t kClockMonitorMs = 1000;

// The rules of TSetTimeForm. The window owns the QTimer of Timer4 and calls Timer4Timer; the core
// switches it through setTimer4Interval (0 stops it).
class SetTimeDialog {
public:
    // Edit1..Edit6: year, month, day, hour, minute, second.
    static constexpr int kEdits = 6;
    std::array<std::string, kEdits> edits{"00", "00", "00", "00", "00", "00"};
    std::string weekdayText = "Sunday";  // ComboBox1
    // Second, minute, hour, day, month, year, weekday: the register order.
    std::array<std::uint32_t, 7> values{};
    std::uint8_t inputError = 0;
    std::uint8_t clockMonitoring = 0;
    std::uint32_t timer4Ticks = 0;
    std::uint32_t timer4Interval = 0;
    bool startMonitorEnabled = true;
    bool stopMonitorEnabled = false;
    bool clockRead = false;  // the opener's read was answered: the show handler shows it
    std::function<void(std::uint32_t)> setTimer4Interval;

    void FormShow();
    // The check of Edit1..Edit6 (edit 1..6) after its text changed; false on an input error.
    bool EditChange(int edit);
    void ComboBox1Change();
    void btnSetupClick();
    void btnStartMonitorClockClick();
    void btnStopMonitorClockClick();
    void btnCancelClick();
    void Timer4Timer();

private:
    void switchMonitor(bool on);
};

// Digits 0-9 and A-F, the most significant first.
std::uint32_t hexWordToInt(std::string_view digits);
// Sends the read request and waits; true when the 14 bytes arrived (they are in rs.RxBkBuf).
// A failed read shows its box.
bool readPlcClock();
// The reply into the dialog's values and controls.
void showPlcClock(SetTimeDialog& dialog);
// Writes the dialog's seven values; true when acknowledged, otherwise the box is shown.
bool writePlcClock(const SetTimeDialog& dialog);

// PLC > "Set RTC".
void SetRTC1Click();

}  // namespace kestrion
