// The small fixed requests of the PLC's memory map: single special-register reads and writes, the
// machine-status request, the status byte, the closing command "B" and the END search, each made
// through the requests of link/line/Requests.h. None opens the port (the caller has run
// TryToConnection), except sendCommandB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrion {

// Special register D8000 + n at 0x0E00 + 2n.
constexpr std::uint32_t kSpecialRegisterAddress = 0x0E00;

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
