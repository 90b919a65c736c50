// The PLC type of the PLC found on the serial link.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Services.h"

namespace kestrion {

constexpr std::uint16_t kNoPlcDetected = 0xFF;

// 0xFF until a PLC has answered; the PLC type change sets it to the program's new type.
extern std::uint16_t& connectedPlcType;

// The PLC's clock as the last read of it left it: D8013..D8019 (second, minute, hour, day, month,
// two-digit year, weekday 1..7 with 7 Sunday) and the PC's time of that read.
struct PlcClockReading {
    bool read = false;
    std::array<std::uint32_t, 7> values{};
    platform::LocalTime readAt;
};
extern PlcClockReading& lastPlcClock;

}  // namespace kestrion
