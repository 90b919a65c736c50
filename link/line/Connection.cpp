#include "link/line/Connection.h"

#include <cstdint>
#include <string>

#include "lang/AppMessage.h"
#include "lang/LangDialogs.h"
#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/line/PortSelDialog.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "link/line/Requests.h"
#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kEnqTicks = 10;
constexpr int kTraceLinesBeforeEnqClear = 100;
constexpr unsigned kBlockBytes = 64;
constexpr unsigned kBlockWords = kBlockBytes / 2;

using platform::Box;
using platform::MsgIcon;

// The negotiation towards one target rate and what each failed step says.
struct Negotiation {
    char digit;
    std::uint32_t finalIndex;
    Box portAt9600;
    bool portAt9600ThenCommError;  // with showMsg 1 the general box follows
    bool silentAt9600Says;         // with showMsg 1 the general box
    Box noRateReply;
    Box portAtTarget;
};

const Negotiation kNegotiations[] = {
    {'1',
     1,
     {"(2)Can't open communication port", "Communication Error", MsgIcon::Warning},
     true,
     true,
     {"(2)Communication Error 9600bps", "Communication Message", MsgIcon::Warning},
     {"(2)Can't open communication port - 19200bps", "Communication Message", MsgIcon::Warning}},
    {'2',
     2,
     {"(3)Can't open communication port", "Communication Message", MsgIcon::Warning},
     false,
     true,
     {"(3)Communication Error 9600", "Communication Message", MsgIcon::Warning},
     {"(3)Can't open communication port - 38400bps", "Communication Message", MsgIcon::Warning}},
    {'3',
     3,
     {"(4)Can't open communication port - 9600bps", "Communication Message", MsgIcon::Warning},
     false,
     false,
     {"Communication Error 57600", "Communication Message", MsgIcon::Warning},
     {"(4)Can't open communication port - 57600bps", "Communication Message", MsgIcon::Warning}},
    {'4',
     5,
     {"(5) Can't open communication port - 9600bps", "Communication Message", MsgIcon::Warning},
     false,
     false,
     {"Error2015030540", "Communication Error", MsgIcon::Warning},
     {"(5)Can't open communication port - 115200bps", "Communication Message", MsgIcon::Warning}},
};

const Negotiation& negotiationFor(std::uint32_t index) {
    if (index >= 1 && index <= 3) return kNegotiations[index - 1];
    return kNegotiations[3];
}

void showCommError(int showMsg) {
    if (showMsg == 1) platform::say({"Communication Error...", "Error2015032065", MsgIcon::Warning});
}

bool answered() {
    return (rs.status & kRsWaiting) == 0;
}
bool portOpen() {
    return (comState & kComStateOpen) != 0;
}
void panel0(const std::string& text) {
    platform::statusBar().setPanelText(0, text);
}

std::string rateName(std::uint32_t rate) {
    switch (rate) {
        case 9600:
        case 19200:
        case 38400:
        case 57600:
        case 115200: return std::to_string(rate) + "bps";
        default: return "";
    }
}

std::string readyText() {
    const std::string name = rateName(comDcb.baudRate);
    return name.empty() ? "Communication Ready" : name + " Communication Ready";
}

std::string rateSuffix() {
    const std::string name = rateName(comDcb.baudRate);
    return name.empty() ? "" : "-" + name;
}

void applyBaudIndex(std::uint32_t index) {
    baudIndex = index;
    setBaudRate(index);
    setTimer1Interval(index);
}

// Tells a PLC found at 9600 the chosen rate and reopens the port at it. False when a step failed
// (its message shown).
bool negotiateRate(int showMsg) {
    const Negotiation& target = negotiationFor(baudIndex);
    if (portOpen()) releasePort();
    waitAck(200);

    applyBaudIndex(0);
    _OpenComPort(sysProtocol);
    if (comPortHandle == -1) {
        platform::say(target.portAt9600);
        if (target.portAt9600ThenCommError) showCommError(showMsg);
        return false;
    }
    sendEnq(0);
    if (!answered()) {
        waitAck(1000);
        if (target.silentAt9600Says) showCommError(showMsg);
        return false;
    }
    rsChHex = std::string("02413") + target.digit + "03";
    AddSumCheckCode(rsChHex.size());
    if (sendFrameHex(rsChHex.size()) == LinkOutcome::Done)
        gblDELAY(rs.timeOut);
    else
        rs.status |= kRsWaiting;
    if (!answered()) {
        platform::say(target.noRateReply);
        return false;
    }

    if (portOpen()) releasePort();
    applyBaudIndex(target.finalIndex);
    _OpenComPort(sysProtocol);
    if (comPortHandle == -1) {
        platform::say(target.portAtTarget);
        return false;
    }
    return true;
}

// After the first probe failed at the chosen rate: 9600 is probed once more, another rate is
// negotiated.
bool recover(int showMsg) {
    panel0("Can't communication ...");
    gblDELAY(200);
    if (baudIndex != 0) return negotiateRate(showMsg);
    waitAck(200);
    sendEnq(0);
    if (answered()) return true;
    waitAck(1000);
    showCommError(showMsg);
    return false;
}

// The second read's box has no icon.
const Box kBlockFailures[] = {
    {"Error2015030503", "Communication Message", MsgIcon::Warning},
    {"Error2015030504", "Communication Message", MsgIcon::None},
    {"Error2015030505", "Communication Message", MsgIcon::Warning},
    {"Error2015030506", "Communication Message", MsgIcon::Warning},
};

void showBlockFailure(unsigned block) {
    platform::say(kBlockFailures[block]);
}

// A port whose device has gone (an adapter unplugged) is let go, so that the next open looks for
// the device anew and finds it again once it is back.
void closeWhenLost() {
    const platform::SerialPort* port = linkPort();
    if (portOpen() && port != nullptr && port->lost()) releasePort();
}

// Where a failed test looked, and where else it might: the device of the COM number and the
// serial devices present.
std::string devicesTriedAndFound() {
    return comPortTriedText(static_cast<int>(comPortIndex) + 1) + "\n" + serialDevicesFoundText();
}

}  // namespace

LinkOutcome sendEnq(int showMsg) {
    if (linkBusy()) return LinkOutcome::Busy;
    auto& trace = platform::trace();
    if (trace.visible(platform::Memo::Rx) && trace.lineCount(platform::Memo::Rx) >= kTraceLinesBeforeEnqClear)
        trace.clear(platform::Memo::Rx);
    rsChHex = "05";
    if (sendFrameHex(rsChHex.size()) != LinkOutcome::Done) {
        rs.status |= kRsWaiting;
        return LinkOutcome::NotSent;
    }
    const LinkOutcome outcome = _waitRsReply(kEnqTicks);
    if (outcome == LinkOutcome::TimeOut && showMsg == 1)
        platform::say({"Error2015030543", "Communication Error", MsgIcon::Warning});
    return outcome;
}

int TryToConnection(int showMsg) {
    if (refusedAsBusy()) return 0;
    rs.frameCount = 0;
    closeWhenLost();
    if (!portOpen()) _OpenComPort(sysProtocol);
    if (comPortHandle == -1) {
        platform::say({"Can't open communication port ...", "Error2015122001", MsgIcon::Warning});
        return 0;
    }
    sendEnq(0);
    if (answered()) {
        panel0(readyText());
        sendEnq(0);
        if (answered() && rs.RxBkBuf[0] == static_cast<char>(kAck)) {
            panel0("Communication Ok ...");
            return 1;
        }
    } else {
        panel0("Baudrate error ...");
    }
    if (!recover(showMsg)) return 0;
    sendEnq(1);
    return 1;
}

int readPlcSystemBlock(int showMsg, int detect) {
    if (refusedAsBusy()) return 0;
    for (unsigned block = 0; block < 4; ++block) {
        const std::uint32_t address = kSpecialRegisterAddress + block * kBlockBytes;
        sendRequest(readCommand(address, kBlockBytes));
        if (!expectReplyBytes(kBlockBytes)) {
            if (showMsg == 1) showBlockFailure(block);
            return 0;
        }
        for (unsigned i = 0; i < kBlockWords; ++i) D8Kreg[block * kBlockWords + i] = replyWord(i);
    }
    if (detect == 1) detectPlcType();
    return 1;
}

void detectPlcType() {
    const auto d8001 = static_cast<std::int16_t>(D8Kreg[1]);
    const auto d8002 = static_cast<std::int16_t>(D8Kreg[2]);
    const auto d8101 = static_cast<std::int16_t>(D8Kreg[101]);
    auto within = [](std::int16_t value, int low) { return value >= low && value <= low + 999; };
    if (within(d8101, 16000))
        connectedPlcType = 2;
    else if (within(d8001, 20000))
        connectedPlcType = d8002 == 2 ? 1 : 4;
    else if (within(d8001, 22000))
        connectedPlcType = 6;
    else if (within(d8001, 24000))
        connectedPlcType = 5;
    else if (within(d8001, 26000))
        connectedPlcType = 7;
    else
        connectedPlcType = 4;
}

int isConnectedTypeSelected() {
    return connectedPlcType == pmw.plcType() ? 1 : 0;
}

void ConnectionTest1Click() {
    // The port stays open after this test, unless the register read failed.
    runLinkCommand(PortAfter::KeepOpen, [](LinkSession& session) {
        const int r = TryToConnection(1);
        AppMessage message;
        message.caption = getMsgCommTest();
        message.versionText = titleText;
        if (r == 1) {
            sendEnq(0);
            if ((rs.status & (kRsWaiting | kRsNak)) == 0 && readPlcSystemBlock(1, 1) == 0) {
                session.closePortAtEnd();
                return;
            }
            const bool failed = (rs.status & (kRsWaiting | kRsNak)) != 0;
            platform::system().beep();
            message.line1 = (failed ? getMsgCommError() : getMsgConnected()) + rateSuffix();
            if (failed) message.line2 = devicesTriedAndFound();
        } else {
            platform::system().beep();
            message.line1 = getMsgCantConnect();
            message.line2 = devicesTriedAndFound();
        }
        closeWhenLost();
        langDialogs().appMessage(message);
    });
}

void TryToConnection1Click() {
    runLinkCommand(PortAfter::Close, ConnectionTest1Click);
}

void TryToConnection2Click() {
    TryToConnection1Click();
}
void spbtnTryToConnectionClick() {
    TryToConnection1Click();
}
void btnTryConnectionClick() {
    TryToConnection1Click();
}

}  // namespace kestrion
