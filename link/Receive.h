// The receive poller (the main window's Timer1 calls Timer1Timer) and the waits that pump the
// message loop until the poller has recorded a reply or the time runs out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrion {

// Where the last ETX of the current frame was stored in rs.RxBkBuf.
extern std::uint32_t& etxIndex;

// Reads at most this many bytes per tick; more stay queued for the next ticks.
constexpr std::size_t kPollReadLimit = 512;

void Timer1Timer();
void checkReplySum(std::uint32_t etxPosition);

// Wait up to ms milliseconds for the reply of the protocol in force.
void gblDELAY(std::uint32_t ms);
// Wait up to ms milliseconds for any reply code, whatever the protocol.
void waitAck(std::uint32_t ms);
// Wait up to the given number of poller ticks for a reply code.
void _waitRsReply(std::uint32_t ticks);
// Run the message loop for ms milliseconds whatever arrives.
void pause(std::uint32_t ms);

// True while a wait runs: a request started then (from a timer or a click handled inside the wait)
// is refused, so the waiting one keeps its frame and reply.
bool linkBusy();

// rs.rxSum and rs.rxCount back to an empty frame (a raw send starts a fresh reply).
void startFreshReceiveFrame();

}  // namespace kestrion
