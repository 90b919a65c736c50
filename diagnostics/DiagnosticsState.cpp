#include "diagnostics/DiagnosticsState.h"

#include "model/core/StateRegistry.h"

namespace kestrion {

DiagnosticsState diagnosticsState;
MachineStatusRecord& machineStatus = diagnosticsState.machineStatus;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("diagnostics", [] { diagnosticsState = {}; });

}  // namespace

}  // namespace kestrion
