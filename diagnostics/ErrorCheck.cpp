#include "diagnostics/ErrorCheck.h"

#include <algorithm>
#include <array>
#include <optional>

#include "diagnostics/ErrorRegisterTexts.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"

namespace kestrion {

namespace {

constexpr int kFirstErrorRegister = 8060;
constexpr int kLastFlaggedRegister = 8067;
constexpr std::size_t kErrorRegisterCount = 10;

std::uint16_t& imageWord(int registerNo) {
    return D8Kreg[static_cast<std::size_t>(registerNo - 8000)];
}

// Reads one of D8060 to D8069: its word when the reply came whole with a good check code. A
// time-out, a NAK, a bad check code or a short reply gives nothing, so no byte of an earlier reply
// is ever taken for this register.
std::optional<std::uint16_t> readErrorRegister(int registerNo) {
    readD806x(registerNo - kFirstErrorRegister);
    if (!expectReplyBytes(2)) return std::nullopt;
    return replyWord(0);
}

// Reads the register into D8Kreg; a failed read ends the command after its box.
void readIntoImage(int registerNo, const char* failure, const char* caption) {
    const std::optional<std::uint16_t> word = readErrorRegister(registerNo);
    if (!word) failCommand({failure, caption, platform::MsgIcon::Warning});
    imageWord(registerNo) = *word;
}

}  // namespace

void readPlcErrorRegisters(ErrMsg1Dialog& form, int plcType) {
    TryToConnection(1);
    // The connection test has said why; the port is left as it is.
    if (comPortHandle == -1 || (rs.status & kRsWaiting) != 0) return;
    requireSystemBlock();
    TryToConnection(1);
    if (readD8004() == 0) failCommand({"Error2015030567", "Communication Error", platform::MsgIcon::Warning});
    const auto d8004 = static_cast<std::int16_t>(D8Kreg[4]);
    if (d8004 >= kFirstErrorRegister && d8004 <= kLastFlaggedRegister)
        readIntoImage(d8004, "Error201503056A", "Communication Error");
    readIntoImage(8068, "Error2015030568", "Communication Message");
    readIntoImage(8069, "Error2015030569", "Communication Error");

    // D8060 to D8069 as signed words, and back into the image after the decoding; the copies name
    // no index, so none can run past the ten registers.
    const auto firstRegister = D8Kreg.begin() + (kFirstErrorRegister - 8000);
    std::array<std::int16_t, kErrorRegisterCount> registers{};
    std::transform(firstRegister, firstRegister + kErrorRegisterCount, registers.begin(),
                   [](std::uint16_t word) { return static_cast<std::int16_t>(word); });
    form.msgMemo.clear();
    decodeErrorRegisters(form.msgMemo, plcType, d8004, registers, [](int registerNo) {
        const std::optional<std::uint16_t> word = readErrorRegister(registerNo);
        return word ? std::optional<std::int16_t>(static_cast<std::int16_t>(*word)) : std::nullopt;
    });
    std::transform(registers.begin(), registers.end(), firstRegister,
                   [](std::int16_t word) { return static_cast<std::uint16_t>(word); });
}

}  // namespace kestrion
