#include "link/ParameterBlock.h"

#include <algorithm>
#include <array>
#include <string>

#include "link/CommRecord.h"
#include "link/Frames.h"
#include "link/LinkState.h"
#include "link/Receive.h"
#include "link/RegisterReads.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

std::vector<std::uint8_t>& VirtualProg = linkState.VirtualProg;

namespace {

constexpr std::uint32_t kReplyTicks = 10;

std::uint32_t parameterChunk() {
    return connectedPlcType == 2 ? kParameterBlockSize : kParameterBlockSize / 2;
}

void showFailure(const char* text, const char* caption) {
    platform::messages().show(text, caption, platform::MsgIcon::Warning, platform::MsgButtons::Ok);
}

bool nakNotTimeOut() {
    return (rs.status & kRsNak) != 0 && (rs.status & kRsWaiting) == 0;
}

}  // namespace

bool readParameterBlock(bool toProject) {
    if (refusedAsBusy()) return false;
    MaskedTrace masked;  // the block holds the keyword
    const std::uint32_t chunk = parameterChunk();
    rs.chunkSize = chunk;
    std::array<std::uint8_t, kParameterBlockSize> block{};
    for (std::uint32_t offset = 0; offset < kParameterBlockSize - 1; offset += chunk) {
        if (sendCommandFrame(readCommand(kParameterBlockAddress + offset, chunk)) == LinkOutcome::Done)
            _waitRsReply(kReplyTicks);
        if (!expectReplyBytes(chunk)) {
            showFailure(nakNotTimeOut() ? "Error2015091392" : "Error2015091393", "Communication Error");
            return false;
        }
        for (std::uint32_t k = 0; k < chunk; ++k)
            block[offset + k] = hexPairToByte(rs.RxBkBuf[2 * k], rs.RxBkBuf[2 * k + 1]);
        wipeFrameBuffers();  // the reply holds the keyword
    }
    std::copy(block.begin(), block.end(), toProject ? pmw.parameterBlock.data() : VirtualProg.data());
    block.fill(0);
    return true;
}

bool writeParameterBlock() {
    if (refusedAsBusy()) return false;
    MaskedTrace masked;
    const std::uint32_t chunk = parameterChunk();
    rs.chunkSize = chunk;
    platform::progress().show("Write parameter progress...", 0,
                              static_cast<int>(kParameterBlockSize / chunk));
    std::uint32_t frames = 0;
    for (std::uint32_t offset = 0; offset < kParameterBlockSize - 1; offset += chunk) {
        std::string command = "1" + hex4(kParameterBlockAddress + offset);
        command += hexDigit(chunk >> 4);
        command += hexDigit(chunk & 0x0F);
        for (std::uint32_t k = 0; k < chunk; ++k) {
            command += hexDigit(pmw.parameterBlock[offset + k] >> 4);
            command += hexDigit(pmw.parameterBlock[offset + k] & 0x0F);
        }
        const LinkOutcome outcome = sendRequest(command);
        std::fill(command.begin(), command.end(), '\0');
        wipeFrameBuffers();  // the frame held the keyword
        if (outcome != LinkOutcome::Done) {
            if (nakNotTimeOut())
                showFailure("Error2015091390...Checksum Error", "Download");
            else
                showFailure("Error2015091391...Timeout Error", "Download");
            return false;
        }
        ++frames;
        platform::statusBar().setPanelText(0, "Write Parameter To Device [Start] " +
                                                  std::to_string(chunk * frames * 100 / kParameterBlockSize) +
                                                  "%");
        platform::progress().setPosition(static_cast<int>(frames));
    }
    return true;
}

}  // namespace kestrion
