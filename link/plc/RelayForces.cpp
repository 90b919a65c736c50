#include "link/plc/RelayForces.h"

#include <string>

#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "model/image/ProgramImage.h"

namespace kestrion {

namespace {

bool speaksExtendedCommands(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

// The bit addresses of a relay in the three relay blocks.
struct RelayAddress {
    std::uint16_t plain;     // types 1, 4, 6 and unknown codes: block 0x0F00
    std::uint16_t extended;  // types 5 and 7: block 0x0E00
    std::uint16_t type2;     // block 0x6000
};

constexpr RelayAddress kM8015{0x0F0F, 0x0E0F, 0x600F};
constexpr RelayAddress kM8018{0x0F12, 0x0E12, 0x6012};
constexpr RelayAddress kM8025{0x0F19, 0x0E19, 0x6019};
constexpr RelayAddress kM8027{0x0F1B, 0x0E1B, 0x601B};
constexpr RelayAddress kM8035{0x0F23, 0x0E23, 0x6023};
constexpr RelayAddress kM8036{0x0F24, 0x0E24, 0x6024};
constexpr RelayAddress kM8037{0x0F25, 0x0E25, 0x6025};

std::uint16_t addressFor(const RelayAddress& relay, int plcType) {
    if (plcType == 2) return relay.type2;
    return plcType == 5 || plcType == 7 ? relay.extended : relay.plain;
}

LinkOutcome force(bool on, const RelayAddress& relay, int plcType) {
    return sendForceFrame(on, addressFor(relay, plcType), plcType);
}

}  // namespace

void makeForceOnPrefix(int plcType) {
    rsChHex = speaksExtendedCommands(plcType) ? "024537" : "0237";
}

void makeForceOffPrefix(int plcType) {
    rsChHex = speaksExtendedCommands(plcType) ? "024538" : "0238";
}

void makeWritePrefix() {
    rsChHex = speaksExtendedCommands(pmw.plcType()) ? "02453130" : "0231";
}

LinkOutcome sendForceFrame(bool on, std::uint32_t address, int plcType) {
    if (on)
        makeForceOnPrefix(plcType);
    else
        makeForceOffPrefix(plcType);
    appendAddressLowFirst(hex4(address));
    rsChHex += "03";
    return sendAckedFrame(rs.timeOut);
}

LinkOutcome sendAckedFrame(std::uint32_t ms) {
    AddSumCheckCode(rsChHex.size());
    const LinkOutcome sent = sendFrameHex(rsChHex.size());
    if (sent != LinkOutcome::Done) {
        rs.status |= kRsWaiting;
        return sent;
    }
    // Only an ACK answers; a data frame in its place is dropped and the wait runs out.
    expectReply(ReplyKind::Ack);
    return gblDELAY(ms);
}

LinkOutcome forceOnM8015(int plcType) {
    return force(true, kM8015, plcType);
}
LinkOutcome forceOffM8015(int plcType) {
    return force(false, kM8015, plcType);
}
LinkOutcome forceOnM8018(int plcType) {
    return force(true, kM8018, plcType);
}
LinkOutcome forceOffM8018(int plcType) {
    return force(false, kM8018, plcType);
}
LinkOutcome forceOnM8025(int plcType) {
    return force(true, kM8025, plcType);
}
LinkOutcome forceOnM8027(int plcType) {
    return force(true, kM8027, plcType);
}
LinkOutcome forceOnM8035(int plcType) {
    return force(true, kM8035, plcType);
}
LinkOutcome forceOnM8036(int plcType) {
    return force(true, kM8036, plcType);
}
LinkOutcome forceOnM8037(int plcType) {
    return force(true, kM8037, plcType);
}
LinkOutcome forceOffM8037(int plcType) {
    return force(false, kM8037, plcType);
}

}  // namespace kestrion
