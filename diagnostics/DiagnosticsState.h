// The diagnostics' own state: the machine-status record last read and the request in progress.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

// The machine-status record: the 62 bytes of the PLC's reply in their order, little-endian fields.
constexpr std::size_t kMachineStatusSize = 62;
using MachineStatusRecord = std::array<std::uint8_t, kMachineStatusSize>;

struct DiagnosticsState {
    MachineStatusRecord machineStatus{};
    // Set while a button of the diagnostics dialog runs its request: the waits pump the message
    // loop, and a click then must not start a second request over the first.
    bool requestRunning = false;
};
extern DiagnosticsState diagnosticsState;

extern MachineStatusRecord& machineStatus;

}  // namespace kestrion
