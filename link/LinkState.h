// The whole mutable state of the PLC link in one place; the names the program uses (rs, comDcb,
// D8Kreg, ...) are references into linkState, declared in the headers of their subjects.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/plc/ParameterDialog.h"
#include "link/terminals/TerminalState.h"
#include "link/transfer/RegisterView.h"
#include "model/image/ProgramImage.h"
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

constexpr std::size_t kVirtualProgSize = kParameterBlockSize + 2 * kProgramWordCount;
constexpr std::size_t kVirtualDregSize = 16000;

struct LinkState {
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
    // The PLC's parameter block and program as read back, laid out like the program image's.
    std::vector<std::uint8_t> VirtualProg = std::vector<std::uint8_t>(kVirtualProgSize, 0xFF);
    // The PLC's D registers as read back for the register verify.
    std::vector<std::uint8_t> VirtualDreg = std::vector<std::uint8_t>(kVirtualDregSize, 0);
    int maskedTraceDepth = 0;  // while above 0 the trace shows no frame or reply text
    std::uint8_t remoteRunRequest = 0;
    std::uint8_t remoteStopRequest = 0;
    DefaultLatchRanges defaultLatchRange;
    // The frame texts of the plain types' monitor registration, kept for the developer views.
    std::string comTempArray;   // the word block
    std::string comTemp2Array;  // the first bit-block frame
    std::string comTemp3Array;  // the bit-block continuation
    TerminalState terminals;
    RegisterViewState registerView;  // the main window's register panel
    int monitorMode = kMonitorOff;
};

extern LinkState linkState;

}  // namespace kestrion
