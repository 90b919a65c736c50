#include "link/plc/ParameterBlock.h"

#include <algorithm>
#include <array>
#include <string>

#include "link/line/CommRecord.h"
#include "link/line/Frames.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kReplyTicks = 10;

std::uint32_t parameterChunk() {
    return connectedPlcType == 2 ? kParameterBlockSize : kParameterBlockSize / 2;
}

// The block read holds the keyword: it is overwritten however the read ends.
struct WipedOnExit {
    std::array<std::uint8_t, kParameterBlockSize>& block;
    ~WipedOnExit() { block.fill(0); }
};

bool nakNotTimeOut() {
    return (rs.status & kRsNak) != 0 && (rs.status & kRsWaiting) == 0;
}

}  // namespace

void readParameterBlock(bool toProject) {
    if (refusedAsBusy()) abandonCommand();
    MaskedTrace masked;  // the block holds the keyword
    const std::uint32_t chunk = parameterChunk();
    rs.chunkSize = chunk;
    std::array<std::uint8_t, kParameterBlockSize> block{};
    const WipedOnExit wiped{block};
    for (std::uint32_t offset = 0; offset < kParameterBlockSize - 1; offset += chunk) {
        if (sendCommandFrame(readCommand(kParameterBlockAddress + offset, chunk)) == LinkOutcome::Done)
            _waitRsReply(kReplyTicks);
        if (!expectReplyBytes(chunk))
            failCommand({nakNotTimeOut() ? "Error2015091392" : "Error2015091393", "Communication Error",
                         platform::MsgIcon::Warning});
        for (std::size_t k = 0; k < chunk; ++k)
            block[offset + k] = hexPairToByte(rs.RxBkBuf[2 * k], rs.RxBkBuf[2 * k + 1]);
        wipeFrameBuffers();  // the reply holds the keyword
    }
    std::copy(block.begin(), block.end(), toProject ? pmw.parameterBlock.data() : VirtualProg.data());
}

void writeParameterBlock() {
    std::array<std::uint8_t, kParameterBlockSize> block = pmw.parameterBlock;
    const WipedOnExit wiped{block};
    writeParameterBlock(block);
}

void writeParameterBlock(std::span<const std::uint8_t, kParameterBlockSize> block) {
    if (refusedAsBusy()) abandonCommand();
    MaskedTrace masked;
    const std::uint32_t chunk = parameterChunk();
    rs.chunkSize = chunk;
    platform::ProgressStep progress("Write parameter progress...",
                                    static_cast<int>(kParameterBlockSize / chunk));
    std::uint32_t frames = 0;
    for (std::uint32_t offset = 0; offset < kParameterBlockSize - 1; offset += chunk) {
        std::string command = "1" + hex4(kParameterBlockAddress + offset);
        command += hexText(chunk & 0xFFu, 2);
        for (std::uint32_t k = 0; k < chunk; ++k) command += hexText(block[offset + k], 2);
        const LinkOutcome outcome = sendRequest(command);
        std::fill(command.begin(), command.end(), '\0');
        wipeFrameBuffers();  // the frame held the keyword
        requireAnswered(outcome, {"Error2015091391...Timeout Error", "Download", platform::MsgIcon::Warning},
                        {"Error2015091390...Checksum Error", "Download", platform::MsgIcon::Warning});
        ++frames;
        platform::statusBar().setPanelText(
            0, "Write Parameter To Device [Start] " +
                   std::to_string(std::size_t{chunk} * frames * 100 / kParameterBlockSize) + "%");
        progress.setPosition(static_cast<int>(frames));
    }
}

}  // namespace kestrion
