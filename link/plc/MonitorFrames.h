// The monitor's frames: the request lists rs.bitTxBuf and rs.byteTxBuf registered in the PLC's
// registration area (1400h on types 2, 5 and 7; 1800h and 1826h on the plain types), and the short
// reads of the reply area (1790h; 1958h and 19A0h) that each poll tick makes. Each routine sends one
// frame and waits for its answer; the caller reads rs.status afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/line/CommRecord.h"

namespace kestrion {

// ---- The request lists: a 16-bit byte count (2 per entry), then the 16-bit entries -------------

using MonitorTxBuf = std::array<std::uint8_t, kMonitorTxBufSize>;
constexpr std::size_t kMonitorListCapacity = (kMonitorTxBufSize - 2) / 2;  // 127 entries

// The byte count as the list holds it, never beyond the list's room.
std::size_t monitorListBytes(const MonitorTxBuf& list);
std::size_t monitorListEntries(const MonitorTxBuf& list);
// Entry i, counted from 1.
std::uint16_t monitorListEntry(const MonitorTxBuf& list, std::size_t i);
// False, with nothing stored, when the list is full.
bool appendMonitorListEntry(MonitorTxBuf& list, std::uint16_t value);
// Both counts 0; the entries stay (nothing reads beyond a count).
void emptyMonitorTxBufs();

// A word entry of a 32-bit counter (C200 upward): its value takes four reply bytes.
constexpr bool isLongCounterAddress(std::uint16_t address) {
    return address >= 0x0C00 && address <= 0x0CFF;
}
// Word entries of the byte list that are 32-bit counters.
std::size_t longCounterEntries();

// ---- Registration ----------------------------------------------------------------------------------

// Where a registration frame stopped: everything sent, inside the word list (or just before
// M8000), right after M8000, inside the bit list; -1: the whole block is too long for the area.
constexpr int kRegisteredAll = 0;
constexpr int kStoppedInWords = 1;
constexpr int kStoppedAtM8000 = 3;
constexpr int kStoppedInBits = 5;
constexpr int kRegistrationTooLong = -1;

// Type 2 at 1400h (254 data bytes at most) and its continuation at 14FEh.
int registerMonitorBitDeviceToq5TypePlc();
void registerMonitorRest14FE(int stoppedAt);
// Types 5 and 7 at 1400h (64 data bytes a frame, 192 in all) and the continuation at 1440h.
int registerMonitorDeviceToq3TypePlc();
void registerMonitorRest1440(int stoppedAt);
// The plain types: the bit block at 1826h (64 bytes), its continuation at 1866h, then the word
// block at 1800h. Results 0 or kStoppedInBits.
int registerMonitorBitDeviceToq0TypePlc();
int registerMonitorBitRest1866(int firstResult);
void registerMonitorWordBlock1800();

// The frame texts of the plain registration (320 characters at most each), for the developer views.
extern std::string& comTempArray;
extern std::string& comTemp2Array;
extern std::string& comTemp3Array;

// ---- The reads of a poll tick ----------------------------------------------------------------------

// The byte count each read asks for.
unsigned monitorRead1958Bytes();
unsigned monitorRead19A0Bytes();
unsigned monitorReadE2Bytes();
unsigned monitorReadEBytes();

// Plain types: the word phase at 1958h and the bit phase at 19A0h. Types 5 and 7 (E2) and type 2
// (E): both phases at 1790h. A reply of another length than asked for ends the wait too: the poll
// measures it and passes over a short one.
void monitorCycleRead1958();
void monitorCycleRead19A0();
void monitorCycleReadE2();
void monitorCycleReadE();

}  // namespace kestrion
