// The receive poller (the main window's Timer1 calls Timer1Timer) and the waits that pump the
// message loop until the poller has recorded a reply or the time runs out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/line/Frames.h"
#include "platform/Services.h"

namespace kestrion {

// What a reply must be to answer the frame that was sent last: anything (the probe, the commands
// whose answers vary), an ACK, or a data frame of a given number of characters before its ETX.
// A NAK always answers. A reply of another kind or length is dropped and traced, and the wait
// goes on.
enum class ReplyKind { Any, Ack, Data };

// How long the line must stay silent after a wait that ran out before the next frame goes, and
// how long the next send waits for that at most.
constexpr std::uint32_t kQuietLineMs = 100;
constexpr std::uint32_t kQuietLineLimitMs = 1000;

// Where the last ETX of the current frame was stored in rs.RxBkBuf.
extern std::uint32_t& etxIndex;

// Reads at most this many bytes per tick; more stay queued for the next ticks.
constexpr std::size_t kPollReadLimit = 512;

void Timer1Timer();
// The receive step of a poller tick without the tick: reads what the open port has queued and
// frames it. The waits run it on every pass as well, so a reply is taken as soon as it is there.
void takeQueuedBytes();
void checkReplySum(std::uint32_t etxPosition);

// Wait up to ms milliseconds for the reply of the protocol in force.
LinkOutcome gblDELAY(std::uint32_t ms);
// Wait up to ms milliseconds for any reply code, whatever the protocol.
LinkOutcome waitAck(std::uint32_t ms);
// Wait up to the given number of poller ticks for a reply code.
LinkOutcome _waitRsReply(std::uint32_t ticks);
// Run the message loop for ms milliseconds whatever arrives. It waits for no reply, so it does
// not hold the line.
void pause(std::uint32_t ms);

// True while a wait runs: a request started then (from a timer or a click handled inside the wait)
// is refused, so the waiting one keeps its frame and reply.
bool linkBusy();

// Sets what the reply to the next frame must be.
void expectReply(ReplyKind kind, std::size_t dataCharacters = 0);
// Made by every send just before it writes: after a wait that ran out, lets the line go quiet
// (holding it meanwhile); then drops the bytes queued and, under the PLC's own protocol, a frame
// begun and not finished. What was dropped is traced.
void clearLineBeforeSend(platform::SerialPort& port);

// True only when the last wait ended with a data frame of a good check code (bits 7 and 5 clear)
// holding at least n data bytes (two characters each). Every reply parser asks this first: a
// NAK, a bad check code, an ACK or a short frame is a failed read, like a time-out.
bool expectReplyBytes(std::size_t n);
// The characters of that data frame before its ETX; 0 when the last wait did not end with one.
std::size_t replyDataCharacters();

// rs.rxSum and rs.rxCount back to an empty frame (a raw send starts a fresh reply).
void startFreshReceiveFrame();

}  // namespace kestrion
