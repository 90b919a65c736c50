#include "link/line/Receive.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "link/line/CommRecord.h"
#include "link/line/Frames.h"
#include "link/line/LineState.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint32_t kDefaultPollPeriod = 100;

// Marks the time a wait runs; requests made meanwhile are refused as busy.
class WaitScope {
public:
    WaitScope() { ++lineState.waitDepth; }
    ~WaitScope() { --lineState.waitDepth; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

void setBits(std::uint8_t bits) {
    rs.status |= bits;
}
void clearBits(std::uint8_t bits) {
    rs.status &= static_cast<std::uint8_t>(~bits);
}

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

// A reply that answers another request than the one sent: it is forgotten as if it had not come.
void dropFrame(const std::string& what) {
    logDroppedReply(what);
    clearBits(kRsFrameStart | kRsEndMark | kRsCheckCompared);
    resetFrame();
    rs.RxBkBuf[0] = '\0';
}

bool dataFits(std::size_t characters) {
    return lineState.expectedReply == ReplyKind::Any ||
           (lineState.expectedReply == ReplyKind::Data && characters == lineState.expectedReplyCharacters);
}

// A frame too long for the buffer is judged bad at once, as a wrong check code would be; when a
// reply of known length is awaited it cannot be that reply and is dropped.
void rejectOverlongFrame() {
    if ((rs.status & kRsCheckCompared) != 0) return;
    if (lineState.expectedReply != ReplyKind::Any) {
        dropFrame(std::string(rs.RxBkBuf.data()));
        return;
    }
    setBits(kRsEndMark | kRsCheckCompared);
    logReplyAckNak();
    rs.replyCode = kReplyNak;
}

void frameSysProtocol(std::uint8_t c) {
    switch (c) {
        case kAck:
            if (lineState.expectedReply == ReplyKind::Data) {
                logDroppedReply("Ack");
                return;
            }
            [[fallthrough]];
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

LinkOutcome endOnReplyCode() {
    clearBits(kRsWaiting);
    if (rs.replyCode != kReplyNak) return LinkOutcome::Done;
    setBits(kRsNak);
    return LinkOutcome::Nak;
}

// A reply that did not come in time may still come; the next send lets it end first. The
// protocols without an end mark always wait their full time and have no such reply.
LinkOutcome timedOut() {
    if (commProtocol == sysProtocol || commProtocol == cLink || commProtocol == ModbusAsc)
        lineState.lateReplyPossible = true;
    return LinkOutcome::TimeOut;
}

void beginWait() {
    setBits(kRsWaiting);
    clearBits(kRsNak);
}

// An adapter unplugged during a wait sends nothing more: the wait ends then, as a time-out with no
// late reply to wait for, rather than after its full time.
bool deviceGone() {
    const platform::SerialPort* port = linkPort();
    return port != nullptr && port->lost();
}

std::uint32_t now() {
    return platform::clock().tickCount();
}

// The shared loop of gblDELAY and waitAck; lineProtocols: protocols 1 to 3 end on a complete line.
// Each pass takes what the port holds, so the wait ends as soon as the whole reply is in rather
// than at the poller's next tick; the time-out is the same.
LinkOutcome waitForReply(std::uint32_t ms, bool lineProtocols) {
    if (linkBusy()) return LinkOutcome::Busy;
    WaitScope scope;
    beginWait();
    const std::uint32_t start = now();
    for (;;) {
        if (now() - start >= ms) return timedOut();
        platform::clock().runMessageLoopOnce();
        if (deviceGone()) return LinkOutcome::TimeOut;
        takeQueuedBytes();
        if (lineProtocols && commProtocol >= cLink && commProtocol <= ModbusRtu) {
            if ((rs.status & kRsLineComplete) != 0) return LinkOutcome::Done;
        } else if (rs.replyCode != kReplyNone) {
            return endOnReplyCode();
        }
    }
}

std::size_t dropQueuedBytes(platform::SerialPort& port) {
    std::array<std::uint8_t, kRxTmpSize> scratch{};
    std::size_t dropped = 0;
    for (std::size_t queued = port.queuedBytes(); queued > 0; queued = port.queuedBytes()) {
        const std::size_t got = port.read(scratch.data(), std::min(queued, scratch.size()));
        if (got == 0) break;
        dropped += got;
    }
    return dropped;
}

// Drops what arrives until the line has been silent for kQuietLineMs, for kQuietLineLimitMs at
// most. The poller may take some of it meanwhile; that counts as activity too.
std::size_t awaitQuietLine(platform::SerialPort& port) {
    WaitScope scope;
    const std::uint32_t start = now();
    std::uint32_t lastActivity = start;
    std::uint32_t reads = rs.rxChunkCount;
    std::size_t dropped = 0;
    for (;;) {
        const std::size_t got = dropQueuedBytes(port);
        if (got > 0 || rs.rxChunkCount != reads) {
            dropped += got;
            reads = rs.rxChunkCount;
            lastActivity = now();
        }
        if (now() - lastActivity >= kQuietLineMs || now() - start >= kQuietLineLimitMs) return dropped;
        platform::clock().runMessageLoopOnce();
    }
}

}  // namespace

bool linkBusy() {
    return lineState.waitDepth > 0;
}

void expectReply(ReplyKind kind, std::size_t dataCharacters) {
    lineState.expectedReply = kind;
    lineState.expectedReplyCharacters = kind == ReplyKind::Data ? dataCharacters : 0;
}

void clearLineBeforeSend(platform::SerialPort& port) {
    std::size_t dropped = 0;
    if (std::exchange(lineState.lateReplyPossible, false)) dropped += awaitQuietLine(port);
    dropped += dropQueuedBytes(port);
    const bool frameUnfinished = (rs.status & kRsFrameStart) != 0 && (rs.status & kRsCheckCompared) == 0;
    if (commProtocol == sysProtocol && frameUnfinished) {
        dropped += rs.rxCount;
        clearBits(kRsFrameStart | kRsEndMark | kRsCheckCompared);
        resetFrame();
        rs.RxBkBuf[0] = '\0';
    }
    if (dropped > 0) logDroppedReply(std::to_string(dropped) + " bytes before the send");
}

std::size_t replyDataCharacters() {
    if ((rs.status & (kRsWaiting | kRsNak)) != 0 || rs.replyCode != kReplyAck) return 0;
    if ((rs.status & kRsCheckCompared) == 0) return 0;
    return etxIndex;
}

bool expectReplyBytes(std::size_t n) {
    return (rs.status & (kRsWaiting | kRsNak)) == 0 && rs.replyCode == kReplyAck &&
           (rs.status & kRsCheckCompared) != 0 && etxIndex >= 2 * n;
}

void startFreshReceiveFrame() {
    rs.rxSum = 0;
    rs.rxCount = 0;
    rs.RxBkBuf[0] = '\0';
}

void Timer1Timer() {
    ++rs.tickCount;
    platform::statusBar().setPanelText(8, rs.tickCount % 10 < 5 ? "*" : " ");
    takeQueuedBytes();
}

void takeQueuedBytes() {
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
    std::size_t dataCharacters = 0;
    bool compared = false;
    for (std::uint32_t i = 0; i < rs.rxCount; ++i) {
        const auto c = static_cast<std::uint8_t>(rs.RxBkBuf[i]);
        rs.rxSum += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
        if (c != kEtx) continue;
        setBits(kRsCheckCompared);
        rs.rxSum &= 0xFF;
        // Two characters follow the last ETX, so they surely follow this first one too.
        expected = hexPairToByte(rs.RxBkBuf[i + 1], rs.RxBkBuf[i + 2]);
        dataCharacters = i;
        compared = true;
        break;
    }
    if (!compared) return;
    if (!dataFits(dataCharacters)) {
        dropFrame(std::string(rs.RxBkBuf.data()));
        return;
    }
    logReplyAckNak();
    rs.replyCode = expected == rs.rxSum ? kReplyAck : kReplyNak;
}

LinkOutcome gblDELAY(std::uint32_t ms) {
    return waitForReply(ms, true);
}

LinkOutcome waitAck(std::uint32_t ms) {
    return waitForReply(ms, false);
}

LinkOutcome _waitRsReply(std::uint32_t ticks) {
    if (linkBusy()) return LinkOutcome::Busy;
    auto& timers = platform::timers();
    if (timers.interval(platform::TimerId::Timer1) == 0)
        timers.setInterval(platform::TimerId::Timer1, kDefaultPollPeriod);
    if (!timers.enabled(platform::TimerId::Timer1)) timers.setEnabled(platform::TimerId::Timer1, true);

    WaitScope scope;
    beginWait();
    std::uint32_t start = rs.tickCount;
    for (;;) {
        if (static_cast<std::int32_t>(rs.tickCount - start) >= static_cast<std::int32_t>(ticks))
            return timedOut();
        platform::clock().runMessageLoopOnce();
        if (deviceGone()) return LinkOutcome::TimeOut;
        takeQueuedBytes();
        if (static_cast<std::int32_t>(rs.tickCount - start) < 0) start = rs.tickCount;
        if (rs.replyCode != kReplyNone) return endOnReplyCode();
    }
}

void pause(std::uint32_t ms) {
    const std::uint32_t start = now();
    while (now() - start < ms) platform::clock().runMessageLoopOnce();
}

}  // namespace kestrion
