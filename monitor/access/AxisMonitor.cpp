#include "monitor/access/AxisMonitor.h"

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "link/plc/PlcClock.h"
#include "model/ladder/EditorState.h"
#include "monitor/access/AccessDialogs.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kBlockBytes = 24;
constexpr std::uint32_t kBlockGapMs = 10;
constexpr std::uint32_t kBlock1Address = 0x0E00 + 2 * 140;
constexpr std::uint32_t kBlock2Address = 0x0E00 + 2 * 160;

// Where value i of a block goes: {axis, row of kAxisRows}.
struct Place {
    std::size_t axis;
    std::size_t row;
};
constexpr Place kBlock1Places[6] = {{0, 1}, {1, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}};
constexpr Place kBlock2Places[6] = {{0, 0}, {1, 0}, {0, 5}, {1, 5}, {0, 4}, {1, 4}};

bool readBlock(std::uint32_t address) {
    sendRequest(readCommand(address, kBlockBytes));
    // A NAK or a wrong check code is no reply: it is never taken for values.
    return expectReplyBytes(kBlockBytes);
}

void showBlock(AxisMonitorDialog& dialog, const Place (&places)[6]) {
    for (std::size_t i = 0; i < 6; ++i) {
        const char* c = rs.RxBkBuf.data() + 8 * i;
        const std::string digits{c[6], c[7], c[4], c[5], c[2], c[3], c[0], c[1]};
        dialog.values[places[i].axis][places[i].row] = static_cast<std::int32_t>(hexWordToInt(digits));
    }
}

// The raw bytes of the last read from the port.
std::string lastRead() {
    const auto* bytes = reinterpret_cast<const char*>(RxTmpBuf.data());
    return std::string(bytes);
}

}  // namespace

bool readAxisBlock1() {
    return readBlock(kBlock1Address);
}

bool readAxisBlock2() {
    return readBlock(kBlock2Address);
}

void AxisMonitorDialog::showAxisBlock1() {
    showBlock(*this, kBlock1Places);
}

void AxisMonitorDialog::showAxisBlock2() {
    showBlock(*this, kBlock2Places);
}

void AxisMonitorDialog::switchPolling(bool on) {
    if (setTimer8Interval) setTimer8Interval(on ? kAxisPollMs : 0);
    startEnabled = !on;
    stopEnabled = on;
}

void AxisMonitorDialog::FormShow() {
    pollBusy = 0;
    switchPolling(true);
}

void AxisMonitorDialog::Timer8Timer() {
    ++ticks;
    if (pollBusy != 0) return;
    pollBusy = 1;
    // A tick while another request waits passes quietly; the port stays open between the ticks.
    runLinkCommand(
        PortAfter::KeepOpen,
        [this] {
            const char* failure = nullptr;
            if (readAxisBlock1()) {
                showAxisBlock1();
            } else {
                memos[0] = lastRead();
                failure = "Error2015030520";
            }
            gblDELAY(kBlockGapMs);
            // The second block is read whatever became of the first.
            if (readAxisBlock2()) {
                showAxisBlock2();
            } else {
                memos[1] = lastRead();
                if (failure == nullptr) failure = "Error2015030521";
            }
            gblDELAY(kBlockGapMs);
            if (failure == nullptr) return;
            // One box for a silent PLC, not one a tick: the polling stops before it shows.
            switchPolling(false);
            if (changed) changed();
            platform::say({failure, "Communication Error", platform::MsgIcon::Warning});
        },
        IfBusy::StayQuiet);
    pollBusy = 0;
    if (changed) changed();
}

void AxisMonitorDialog::btnAxisStartMonitorClick() {
    switchPolling(true);
}

// The poll that runs (when Stop came inside its wait) ends on its own; the buttons switch at once.
void AxisMonitorDialog::btnAxisStopMonitorClick() {
    switchPolling(false);
}

void AxisMonitorDialog::btnCloseClick() {
    if (setTimer8Interval) setTimer8Interval(0);
}

void AxisMonitor1Click() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        requireConnection();
        requireSystemBlock();
        requireTypeMatch({"Device type Error", "AxisMonitor1Click(", platform::MsgIcon::Warning});
        // The port is left open for the next command, as after the clock dialog.
        session.keepPortOpen();
        AxisMonitorDialog dialog;
        accessDialogs().axisMonitor(dialog, "Controller Axis Monitor");
        requestLadderRedraw();
    });
}

}  // namespace kestrion
