// The small fixed requests of the PLC's memory map: single special-register reads and writes, the
// machine-status request, the status byte, the closing command "B" and the END search. None opens
// the port (the caller has run TryToConnection), except sendCommandB.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/line/Frames.h"

namespace kestrion {

// Special register D8000 + n at 0x0E00 + 2n.
constexpr std::uint32_t kSpecialRegisterAddress = 0x0E00;

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

// The word at characters 4i+1 .. 4i+4 of the reply, low byte first.
std::uint16_t replyWord(std::size_t i);

int readD8004();
int readD8004Msg();
int readD8058D8059();
// D8060 + n (n = 0..9); the caller takes the word from rs.RxBkBuf.
void readD806x(int n);
void readD8060();
void readD8061();
void readD8062();
void readD8063();
void readD8064();
void readD8065();
void readD8066();
void readD8067();
void readD8068();
void readD8069();
void readD8110();
void writeD8110(std::uint16_t value);
void sendErrorRequest();
void readStatusByte(int plcType);
void sendCommandB();
// The step of the END instruction, 0xFFFF when the search failed.
std::uint16_t findEndStep(int plcType);

}  // namespace kestrion
