// The communication record of the PLC link, the port settings and the one serial port: opening,
// closing, the port and rate dialog, the reply time-out dialog and the status panels of the link.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace kestrion {

constexpr std::size_t kRxBkBufSize = 1024;
constexpr std::size_t kRxTmpSize = 512;
constexpr std::size_t kTxBytesSize = 640;
constexpr std::size_t kTxCharsSize = 1280;  // characters, a NUL follows
constexpr std::size_t kMonitorTxBufSize = 256;
constexpr std::size_t kPasswordSize = 8;

// rs.status bits.
constexpr std::uint8_t kRsFrameStart = 0x01;
constexpr std::uint8_t kRsEndMark = 0x02;
constexpr std::uint8_t kRsCheckCompared = 0x04;
constexpr std::uint8_t kRsLineComplete = 0x08;
constexpr std::uint8_t kRsNak = 0x20;
constexpr std::uint8_t kRsWaiting = 0x80;  // after a wait: no reply in time

// rs.replyCode values.
constexpr std::uint32_t kReplyNone = 0;
constexpr std::uint32_t kReplyAck = 0x06;
constexpr std::uint32_t kReplyNak = 0x15;
constexpr std::uint32_t kReplyCLinkStart = 0x02;
constexpr std::uint32_t kReplyModbusAscStart = 0x3A;

// rs.sessionFlags bits.
constexpr std::uint8_t kSessionEndFollowedByB40F = 0x04;

struct CommRecord {
    std::uint8_t status = 0;
    std::uint32_t frameCount = 0;
    std::uint32_t timeOut = 5000;  // ms
    std::uint32_t retryCount = 1;  // stored and shown only; no request is repeated on its account
    std::uint32_t chunkSize = 0;
    std::uint32_t replyCode = kReplyNone;
    std::uint8_t sessionFlags = 0;
    std::uint32_t tickCount = 0;
    std::uint32_t rxChunkCount = 0;
    std::uint32_t rxSum = 0;
    std::uint32_t rxCount = 0;
    // The buffers of a program or register transfer, indexed from 0x8000 (program) or from the
    // register base; resized for each transfer, emptied to free them.
    std::uint32_t RxNo = 0;
    std::uint32_t TxNo = 0;
    std::vector<std::uint8_t> RxData;
    std::vector<std::uint8_t> TxData;
    // Monitor request lists: a 16-bit byte count, then 16-bit entries.
    std::array<std::uint8_t, kMonitorTxBufSize> bitTxBuf{};
    std::array<std::uint8_t, kMonitorTxBufSize> byteTxBuf{};
    std::uint16_t txIndex = 0;           // the next list entry a monitor registration frame sends, from 1
    std::uint32_t monitorReadCount = 0;  // bytes asked by the last combined monitor read
    std::array<char, kRxBkBufSize> RxBkBuf{};  // the current reply, NUL-terminated
    std::array<std::uint8_t, kTxBytesSize> txBytes{};
    std::array<char, kTxCharsSize + 1> txChars{};  // the text of the last frame, NUL-terminated
    // The passwords of the keyword and user ID commands as typed; wiped after each command.
    std::array<char, kPasswordSize> oldKeyword{};
    std::array<char, kPasswordSize> newKeyword{};
    std::array<char, kPasswordSize> userId{};
    std::array<char, kPasswordSize> productId{};
};

extern CommRecord& rs;
extern std::array<std::uint8_t, kRxTmpSize>& RxTmpArrayNo;  // byte count of each read of a reply
extern std::array<std::uint8_t, kRxTmpSize + 1>& RxTmpBuf;  // the latest read and a NUL

// Protocol codes of commProtocol.
constexpr std::int32_t sysProtocol = 0;
constexpr std::int32_t cLink = 1;
constexpr std::int32_t ModbusAsc = 2;
constexpr std::int32_t ModbusRtu = 3;
constexpr std::int32_t FreeUser = 4;

constexpr std::uint8_t kComStateOpen = 0x01;

extern platform::SerialFormat& comDcb;
extern std::uint8_t& comState;
extern int& comPortHandle;           // -1 while the port is closed
extern std::uint32_t& comPortIndex;  // 0..18 = COM1..COM19
extern std::uint32_t& baudIndex;     // 0..5
extern std::int32_t& commProtocol;
extern std::string& baudText;

// The special registers D8000..D8255 as last read from the PLC.
extern std::array<std::uint16_t, 256>& D8Kreg;

// The open port, or null.
platform::SerialPort* linkPort();

// The baud table's three columns, for baud indexes 0..kBaudTableSize-1.
constexpr std::uint32_t kBaudTableSize = 6;
void setBaudRate(std::uint32_t index);        // comDcb.baudRate
void setBaudRateString(std::uint32_t index);  // baudText; an unknown index resets baudIndex to 0
void setTimer1Interval(std::uint32_t index);  // the receive poller's period
std::uint32_t baudRateOfIndex(std::uint32_t index);
std::uint32_t pollPeriodOfIndex(std::uint32_t index);

// Result 1 when the port could be created (callers then test comPortHandle), 0 otherwise.
int _OpenComPort(std::int32_t protocol);
// Closes the port and stops the receive poller. The command boundary calls it (a session's end,
// releasePort in link/line/LinkCommand.h), so the port has one owner; everything else goes there.
void closeComPort();
void selectComPort();
void clearMonitorTxBuf();
// "COM1".."COM19" for comPortIndex.
std::string comPortName();

// Option > "Time out timer ...".
void TimeOutTimer1Click();

// The link's part of the periodic refresh: panel 4 the protocol name, panel 5 the port and rate.
void refreshLinkPanels();

// The start values the main window gives the link; comPortIndex and baudIndex come from ModeData.
void linkStartUp();

}  // namespace kestrion
