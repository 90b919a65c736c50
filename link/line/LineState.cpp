#include "link/line/LineState.h"

#include "link/line/Frames.h"
#include "model/core/StateRegistry.h"

namespace kestrion {

LineState lineState;
CommRecord& rs = lineState.rs;
std::array<std::uint8_t, kRxTmpSize>& RxTmpArrayNo = lineState.RxTmpArrayNo;
std::array<std::uint8_t, kRxTmpSize + 1>& RxTmpBuf = lineState.RxTmpBuf;
platform::SerialFormat& comDcb = lineState.comDcb;
std::uint8_t& comState = lineState.comState;
int& comPortHandle = lineState.comPortHandle;
std::uint32_t& comPortIndex = lineState.comPortIndex;
std::uint32_t& baudIndex = lineState.baudIndex;
std::int32_t& commProtocol = lineState.commProtocol;
std::string& baudText = lineState.baudText;
std::array<std::uint16_t, 256>& D8Kreg = lineState.D8Kreg;
std::string& rsChHex = lineState.rsChHex;
std::uint32_t& etxIndex = lineState.etxIndex;

namespace {

// The line as at program start: the port closed (dropping it closes it), every field at its start
// value.
[[maybe_unused]] const bool registered = state::registerReset("link/line", [] { lineState = {}; });

}  // namespace

}  // namespace kestrion
