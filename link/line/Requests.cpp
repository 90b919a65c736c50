#include "link/line/Requests.h"

#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

std::string readCommand(std::uint32_t address, unsigned count) {
    std::string command = "0" + hex4(address);
    command += hexText(count & 0xFFu, 2);
    return command;
}

bool refusedAsBusy() {
    if (!linkBusy()) return false;
    platform::say({getMsgLinkBusy(), "Communication Message", platform::MsgIcon::Warning});
    return true;
}

std::string hex4(std::uint32_t value) {
    return hexText(value & 0xFFFFu, 4);
}

void makeCommandFrame(std::string_view command) {
    rsChHex = "02";
    for (char c : command) {
        const std::uint16_t chars = byteToHexChars(static_cast<std::uint8_t>(c));
        rsChHex += static_cast<char>(chars >> 8);
        rsChHex += static_cast<char>(chars & 0xFF);
    }
    rsChHex += "03";
}

LinkOutcome sendCommandFrame(std::string_view command) {
    makeCommandFrame(command);
    AddSumCheckCode(rsChHex.size());
    const LinkOutcome sent = sendFrameHex(rsChHex.size());
    if (sent != LinkOutcome::Done) rs.status |= kRsWaiting;
    return sent;
}

LinkOutcome sendRequest(std::string_view command) {
    const LinkOutcome sent = sendCommandFrame(command);
    return sent == LinkOutcome::Done ? gblDELAY(rs.timeOut) : sent;
}

}  // namespace kestrion
