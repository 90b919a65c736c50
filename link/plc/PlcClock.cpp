#include "link/plc/PlcClock.h"

#include <algorithm>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "link/plc/PlcDialogs.h"
#include "link/plc/RelayForces.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/EditorState.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kClockBytes = 14;
constexpr std::uint32_t kSettleMs = 100;
constexpr std::uint32_t kWriteSettleMs = 500;
constexpr std::size_t kWeekday = 6;

// Edit n (1..6) holds values[6 - n]: its name and upper limit.
struct EditRule {
    const char* name;
    std::uint32_t limit;
};
constexpr EditRule kEditRules[SetTimeDialog::kEdits] = {{"year", 99}, {"month", 12},  {"day", 31},
                                                        {"hour", 23}, {"minute", 59}, {"second", 59}};
constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

// The read request; true when its 14 bytes arrived.
bool requestClock() {
    if (refusedAsBusy()) return false;
    sendRequest(readCommand(kClockAddress, kClockBytes));
    return expectReplyBytes(kClockBytes);
}

constexpr const char* kReadFailure = "Error2015030517";

}  // namespace

std::uint32_t hexWordToInt(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) value = value * 16 + hexDigitValue(c);
    return value;
}

bool readPlcClock() {
    if (requestClock()) return true;
    platform::say({kReadFailure, "Communication Error", platform::MsgIcon::Warning});
    return false;
}

void showPlcClock(SetTimeDialog& dialog) {
    for (std::size_t i = 0; i < dialog.values.size(); ++i) {
        const char* c = rs.RxBkBuf.data() + 4 * i;
        dialog.values[i] = hexWordToInt(std::string{c[2], c[3], c[0], c[1]});
    }
    for (int edit = 1; edit <= SetTimeDialog::kEdits; ++edit)
        dialog.edits[static_cast<std::size_t>(edit - 1)] =
            std::to_string(dialog.values[static_cast<std::size_t>(6 - edit)]);
    std::uint32_t& weekday = dialog.values[kWeekday];
    if (weekday < 1 || weekday > 7) weekday = 7;
    dialog.weekdayText = kWeekdays[weekday % 7];
    // Kept for Help > Time.
    lastPlcClock = {true, dialog.values, platform::system().localTime()};
}

bool writePlcClock(const SetTimeDialog& dialog) {
    if (refusedAsBusy()) return false;
    std::string command = "1" + hex4(kClockAddress) + "0E";
    for (std::uint32_t value : dialog.values) {
        const std::string digits = hex4(value);
        command += digits.substr(2, 2) + digits.substr(0, 2);
    }
    if (sendRequest(command) == LinkOutcome::Done) return true;
    platform::say({"Error2015030519", "Communication Error", platform::MsgIcon::Warning});
    return false;
}

void SetTimeDialog::FormShow() {
    switchMonitor(false);
    if (clockRead) showPlcClock(*this);
}

bool SetTimeDialog::EditChange(int edit) {
    inputError = 0;
    const auto index = static_cast<std::size_t>(edit - 1);
    const std::string& text = edits[index];
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        inputError = 1;
        platform::say({edit == 4 ? "Device must be 0~9" : "Device must be 0 ~ 9", "Error Message",
                       platform::MsgIcon::Error});
        return false;
    }
    if (text.empty()) return true;
    // More digits than any limit needs are over the range, whatever their value.
    const std::uint32_t value = text.size() > 4 ? UINT32_MAX : static_cast<std::uint32_t>(std::stoul(text));
    if (value > kEditRules[index].limit) {
        inputError = 1;
        platform::say({"Data over range [0 =< range >= " + std::to_string(kEditRules[index].limit) + "]",
                       "Error Message", platform::MsgIcon::Error});
        return false;
    }
    values[6 - index - 1] = value;
    return true;
}

void SetTimeDialog::ComboBox1Change() {
    const auto* found = std::find(std::begin(kWeekdays), std::end(kWeekdays), weekdayText);
    if (found == std::end(kWeekdays)) {
        weekdayText = "Error";
        values[kWeekday] = 0;
        return;
    }
    const auto index = static_cast<std::uint32_t>(found - std::begin(kWeekdays));
    values[kWeekday] = index == 0 ? 7 : index;
}

void SetTimeDialog::btnSetupClick() {
    inputError = 0;
    for (int edit = 1; edit <= kEdits; ++edit) {
        const auto index = static_cast<std::size_t>(edit - 1);
        if (edits[index].empty()) {
            inputError = 1;
            platform::say({std::string("Device ") + kEditRules[index].name + " isn't setting error",
                           "Error Message", platform::MsgIcon::Error});
            return;
        }
        if (!EditChange(edit)) return;
    }
    if (clockMonitoring == 1) {
        platform::say({"Must be at stop monitor status", "Error Message", platform::MsgIcon::Error});
        return;
    }
    // A step of the clock command: the port stays open for the dialog unless the registers failed.
    runLinkCommand(PortAfter::KeepOpen, [this](LinkSession& step) {
        const int type = pmw.plcType();
        forceOffM8018(type);
        forceOnM8015(type);
        gblDELAY(kSettleMs);
        const bool registersRead = readPlcSystemBlock(1, 1) == 1;
        if (registersRead) {
            writePlcClock(*this);
            gblDELAY(kWriteSettleMs);
        }
        // Whatever failed, the clock runs again and the PLC keeps it.
        forceOffM8015(type);
        forceOnM8018(type);
        if (!registersRead) step.closePortAtEnd();
    });
}

void SetTimeDialog::switchMonitor(bool on) {
    clockMonitoring = on ? 1 : 0;
    startMonitorEnabled = !on;
    stopMonitorEnabled = on;
    timer4Interval = on ? kClockMonitorMs : 0;
    if (setTimer4Interval) setTimer4Interval(timer4Interval);
}

void SetTimeDialog::btnStartMonitorClockClick() {
    switchMonitor(true);
}

void SetTimeDialog::btnStopMonitorClockClick() {
    switchMonitor(false);
}

void SetTimeDialog::btnCancelClick() {
    timer4Interval = 0;
    if (setTimer4Interval) setTimer4Interval(0);
}

void SetTimeDialog::Timer4Timer() {
    ++timer4Ticks;
    if (clockMonitoring == 0) return;
    // A tick while a request waits does nothing; the dialog keeps the port between the ticks.
    runLinkCommand(
        PortAfter::KeepOpen,
        [this] {
            if (requestClock()) {
                showPlcClock(*this);
                return;
            }
            switchMonitor(false);  // before the box, so no tick runs while it is open
            platform::say({kReadFailure, "Communication Error", platform::MsgIcon::Warning});
        },
        IfBusy::StayQuiet);
}

void SetRTC1Click() {
    runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        requireSystemBlock();
        requireTypeMatch({"Device type Error", "SetRTC1Click(", platform::MsgIcon::Warning});
        SetTimeDialog dialog;
        dialog.clockRead = readPlcClock();
        plcDialogs().setTime(dialog);
        requestLadderRedraw();
    });
}

}  // namespace kestrion
