#include "model/ConnectedPlc.h"

namespace kestrion {

std::uint16_t connectedPlcType = kNoPlcDetected;

void resetConnectedPlcState() {
    connectedPlcType = kNoPlcDetected;
}

}  // namespace kestrion
