#include "link/Receive.h"

#include <algorithm>

#include "link/CommRecord.h"
#include "link/Frames.h"
#include "link/LinkState.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint32_t kDefaultPollPeriod = 100;

int& waitDepth = linkState.waitDepth;

// Marks the time a wait runs; requests made meanwhile are refused as busy.
class WaitScope {
public:
    WaitScope() { ++waitDepth; }
    ~WaitScope() { --waitDepth; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

void setBits(std::uint8_t bits) { rs.status |= bits; }
void clearBits(std::uint8_t bits) { rs.status &= static_cast<std::uint8_t>(~bits); }

void resetFrame() {
    rs.rxSum = 0;
    rs.rxCount = 0;
    etxIndex = 0;
}

// Stores a reply character; false when rs.RxBkBuf has no room (the character is dropped).
bool store(std::uint8_t c) {
    if (rs.rxCount + 1 >= kRxBkBufSize) return false;
    rs.RxBkBuf[rs.rxCount] = static_cast<char>(c);
    ++rs.rxCount;
    rs.RxBkBuf[rs.rxCount] = '\0';
    return true;
}

// A frame too long for the buffer is judged bad at once, as a wrong check code would be.
void rejectOverlongFrame() {
    if ((rs.status & kRsCheckCompared) != 0) return;
    setBits(kRsEndMark | kRsCheckCompared);
    logReplyAckNak();
    rs.replyCode = kReplyNak;
}

void frameSysProtocol(std::uint8_t c) {
    switch (c) {
        case kAck:
        case kNak:
            clearBits(kRsFrameStart | kRsEndMark | kRsCheckCompared);
            resetFrame();
            rs.replyCode = c;
            store(c);
            return;
        case kStx:
            setBits(kRsFrameStart);
            clearBits(kRsEndMark | kRsCheckCompared);
            resetFrame();
            return;
        default:
            if (!store(c)) {
                rejectOverlongFrame();
                return;
            }
            if (c == kEtx) {
                setBits(kRsEndMark);
                etxIndex = rs.rxCount - 1;
            }
    }
}

void frameLine(std::uint8_t c, std::uint8_t startMark, std::uint32_t startCode) {
    if (c == startMark) {
        setBits(kRsFrameStart);
        clearBits(kRsEndMark | kRsCheckCompared | kRsLineComplete);
        rs.rxSum = 0;
        rs.rxCount = 0;
        rs.replyCode = startCode;
    } else if (c == kCr) {
        setBits(kRsEndMark);
    } else if (c == kLf) {
        setBits(kRsLineComplete);
        clearBits(kRsEndMark);
    }
    store(c);
}

void frameByte(std::uint8_t c) {
    switch (commProtocol) {
        case sysProtocol: frameSysProtocol(c); break;
        case cLink: frameLine(c, kStx, kReplyCLinkStart); break;
        case ModbusAsc: frameLine(c, ':', kReplyModbusAscStart); break;
        case ModbusRtu: store(c); break;
        default: break;
    }
}

void endOnReplyCode() {
    clearBits(kRsWaiting);
    if (rs.replyCode == kReplyNak) setBits(kRsNak);
}

void beginWait() {
    setBits(kRsWaiting);
    clearBits(kRsNak);
}

std::uint32_t now() { return platform::clock().tickCount(); }

// The shared loop of gblDELAY and waitAck; lineProtocols: protocols 1 to 3 end on a complete line.
void waitForReply(std::uint32_t ms, bool lineProtocols) {
    if (linkBusy()) return;
    WaitScope scope;
    beginWait();
    const std::uint32_t start = now();
    for (;;) {
        if (now() - start >= ms) return;
        platform::clock().runMessageLoopOnce();
        if (lineProtocols && commProtocol >= cLink && commProtocol <= ModbusRtu) {
            if ((rs.status & kRsLineComplete) != 0) return;
        } else if (rs.replyCode != kReplyNone) {
            endOnReplyCode();
            return;
        }
    }
}

}  // namespace

bool linkBusy() { return waitDepth > 0; }

void startFreshReceiveFrame() {
    rs.rxSum = 0;
    rs.rxCount = 0;
    rs.RxBkBuf[0] = '\0';
}

void Timer1Timer() {
    ++rs.tickCount;
    platform::statusBar().setPanelText(8, rs.tickCount % 10 < 5 ? "*" : " ");
    platform::SerialPort* port = linkPort();
    if (comPortHandle == -1 || port == nullptr) return;

    port->clearErrors();
    const std::size_t queued = port->queuedBytes();
    // Nothing is ever purged here: a reply longer than one read is taken over several ticks.
    if (queued == 0) return;
    const std::size_t got = port->read(RxTmpBuf.data(), std::min(queued, kPollReadLimit));
    if (got == 0) return;
    RxTmpBuf[got] = 0;
    if (rs.rxChunkCount < RxTmpArrayNo.size()) RxTmpArrayNo[rs.rxChunkCount] = static_cast<std::uint8_t>(got);
    ++rs.rxChunkCount;

    for (std::size_t i = 0; i < got; ++i) frameByte(RxTmpBuf[i]);
    if (commProtocol == sysProtocol) checkReplySum(etxIndex);
}

void checkReplySum(std::uint32_t etxPosition) {
    if ((rs.status & kRsEndMark) == 0 || etxPosition + 2 >= rs.rxCount) return;
    if ((rs.status & kRsCheckCompared) != 0) return;

    std::uint8_t expected = 0;
    bool compared = false;
    for (std::uint32_t i = 0; i < rs.rxCount; ++i) {
        const auto c = static_cast<std::uint8_t>(rs.RxBkBuf[i]);
        rs.rxSum += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
        if (c != kEtx) continue;
        setBits(kRsCheckCompared);
        rs.rxSum &= 0xFF;
        // Two characters follow the last ETX, so they surely follow this first one too.
        expected = hexPairToByte(rs.RxBkBuf[i + 1], rs.RxBkBuf[i + 2]);
        compared = true;
        break;
    }
    if (!compared) return;
    logReplyAckNak();
    rs.replyCode = expected == rs.rxSum ? kReplyAck : kReplyNak;
}

void gblDELAY(std::uint32_t ms) { waitForReply(ms, true); }

void waitAck(std::uint32_t ms) { waitForReply(ms, false); }

void _waitRsReply(std::uint32_t ticks) {
    if (linkBusy()) return;
    auto& timers = platform::timers();
    if (timers.interval(platform::TimerId::Timer1) == 0) timers.setInterval(platform::TimerId::Timer1, kDefaultPollPeriod);
    if (!timers.enabled(platform::TimerId::Timer1)) timers.setEnabled(platform::TimerId::Timer1, true);

    WaitScope scope;
    beginWait();
    std::uint32_t start = rs.tickCount;
    for (;;) {
        if (static_cast<std::int32_t>(rs.tickCount - start) >= static_cast<std::int32_t>(ticks)) return;
        platform::clock().runMessageLoopOnce();
        if (static_cast<std::int32_t>(rs.tickCount - start) < 0) start = rs.tickCount;
        if (rs.replyCode != kReplyNone) {
            endOnReplyCode();
            return;
        }
    }
}

void pause(std::uint32_t ms) {
    if (linkBusy()) return;
    WaitScope scope;
    const std::uint32_t start = now();
    while (now() - start < ms) platform::clock().runMessageLoopOnce();
}

}  // namespace kestrion
