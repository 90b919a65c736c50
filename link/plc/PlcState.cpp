#include "link/plc/PlcState.h"

#include "link/plc/MonitorFrames.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/RemoteControl.h"
#include "model/core/StateRegistry.h"

namespace kestrion {

PlcState plcState;
std::vector<std::uint8_t>& VirtualProg = plcState.VirtualProg;
std::uint8_t& remoteRunRequest = plcState.remoteRunRequest;
std::uint8_t& remoteStopRequest = plcState.remoteStopRequest;
DefaultLatchRanges& defaultLatchRange = plcState.defaultLatchRange;
std::string& comTempArray = plcState.comTempArray;
std::string& comTemp2Array = plcState.comTemp2Array;
std::string& comTemp3Array = plcState.comTemp3Array;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("link/plc", [] { plcState = {}; });

}  // namespace

}  // namespace kestrion
