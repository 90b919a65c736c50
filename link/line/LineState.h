// The whole mutable state of the line in one place: the communication record, the port and its
// settings, the frame being built, the reply taken and the waits that run. The names the program
// uses (rs, comDcb, D8Kreg, rsChHex, ...) are references into lineState, declared in the headers of
// their subjects; the start value of each lives here only. The sub-floors above the line keep
// states of their own (link/plc/PlcState.h, link/transfer/TransferState.h,
// link/terminals/TerminalState.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "platform/Services.h"

namespace kestrion {

// The special registers before a PLC has been read: D8000 200, D8001 24300, D8002 8, D8003 2.
constexpr std::array<std::uint16_t, 256> startUpSpecialRegisters() {
    std::array<std::uint16_t, 256> registers{};
    registers[0] = 200;
    registers[1] = 24300;
    registers[2] = 8;
    registers[3] = 2;
    return registers;
}

struct LineState {
    CommRecord rs;
    std::array<std::uint8_t, kRxTmpSize> RxTmpArrayNo{};
    std::array<std::uint8_t, kRxTmpSize + 1> RxTmpBuf{};
    platform::SerialFormat comDcb;
    std::uint8_t comState = 0;
    int comPortHandle = -1;
    std::uint32_t comPortIndex = 0;
    std::uint32_t baudIndex = 0;
    std::int32_t commProtocol = sysProtocol;
    std::string baudText = "9600";
    std::array<std::uint16_t, 256> D8Kreg = startUpSpecialRegisters();
    std::string rsChHex;
    std::uint32_t etxIndex = 0;
    int waitDepth = 0;  // waits and quiet-line drains running now, nested ones counted
    // What answers the frame sent last; a reply of another kind or length is dropped.
    ReplyKind expectedReply = ReplyKind::Any;
    std::size_t expectedReplyCharacters = 0;
    bool lateReplyPossible = false;              // the last wait ran out: its reply may still come
    bool frameRefused = false;                   // the frame text being built did not fit with its check code
    std::unique_ptr<platform::SerialPort> port;  // the open port; dropping it closes the line
    int maskedTraceDepth = 0;                    // while above 0 the trace shows no frame or reply text
    int inputOwningSessions = 0;                 // link commands running now (poll ticks not counted)
};

extern LineState lineState;

}  // namespace kestrion
