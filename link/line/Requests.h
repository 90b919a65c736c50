// The request: a command of the PLC's own protocol written as a frame (STX, the command characters,
// ETX, the check code), sent, and awaited; and the refusal of a request while another one waits for
// its reply. Every request of the link is made through these, from the small fixed reads to the
// transfers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/line/Frames.h"

namespace kestrion {

// The command characters of a read of `count` bytes at an address.
std::string readCommand(std::uint32_t address, unsigned count);

// Refuses a request while another one waits for its reply: shows the busy box, returns true.
bool refusedAsBusy();

// rsChHex := STX, the command characters and ETX, without the check code.
void makeCommandFrame(std::string_view command);
// The same closed with the check code and sent. A frame that did not go leaves the time-out bit set.
LinkOutcome sendCommandFrame(std::string_view command);
// The same, then waits up to rs.timeOut for the reply.
LinkOutcome sendRequest(std::string_view command);
// The four upper-case hex digits of the low 16 bits of value.
std::string hex4(std::uint32_t value);

}  // namespace kestrion
