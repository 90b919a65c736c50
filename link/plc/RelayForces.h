// The force frames of the special relays and the frame heads of the force and device-write
// commands. Types 2, 5 and 7 speak the 'E' commands; every other type code the plain ones.
#pragma once

#include <cstdint>

#include "link/line/Frames.h"

namespace kestrion {

// Start rsChHex with STX and the force ON / force OFF command of the PLC type.
void makeForceOnPrefix(int plcType);
void makeForceOffPrefix(int plcType);
// Start rsChHex with STX and the device-write command of the project's PLC type.
void makeWritePrefix();

// Closes rsChHex with its check code, sends it and waits up to ms for the answer. Done only for an
// ACK; a NAK gives Nak, anything else or nothing TimeOut (bit 7 of rs.status stays set).
LinkOutcome sendAckedFrame(std::uint32_t ms);

// One force ON (on) or OFF frame for the bit at a force address, awaited for rs.timeOut; Done only
// when the PLC acknowledged.
LinkOutcome sendForceFrame(bool on, std::uint32_t address, int plcType);

// One force frame each, awaited for rs.timeOut. They neither open the port nor report; Done only
// when the PLC acknowledged.
LinkOutcome forceOnM8015(int plcType);
LinkOutcome forceOffM8015(int plcType);
LinkOutcome forceOnM8018(int plcType);
LinkOutcome forceOffM8018(int plcType);
LinkOutcome forceOnM8025(int plcType);
LinkOutcome forceOnM8027(int plcType);
LinkOutcome forceOnM8035(int plcType);
LinkOutcome forceOnM8036(int plcType);
LinkOutcome forceOnM8037(int plcType);
LinkOutcome forceOffM8037(int plcType);

}  // namespace kestrion
