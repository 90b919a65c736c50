// The PLC type of the PLC found on the serial link.
#pragma once

#include <cstdint>

namespace kestrion {

constexpr std::uint16_t kNoPlcDetected = 0xFF;

// 0xFF until a PLC has answered; the PLC type change sets it to the program's new type.
extern std::uint16_t& connectedPlcType;

}  // namespace kestrion
