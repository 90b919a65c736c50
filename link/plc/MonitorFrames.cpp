#include "link/plc/MonitorFrames.h"

#include <algorithm>
#include <string_view>

#include "link/line/Frames.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "model/instructions/Conversions.h"

namespace kestrion {

namespace {

constexpr std::size_t kComTempSize = 320;

// The fixed part of the registration head.
constexpr std::uint16_t kD8001Plain = 0x0E02;
constexpr std::uint16_t kD8010Plain = 0x0E14;
constexpr std::uint16_t kD8001Type2 = 0x8002;
constexpr std::uint16_t kD8010Type2 = 0x8014;
constexpr std::uint16_t kM8000Plain = 0x0F00;
constexpr std::uint16_t kM8000Type57 = 0x0E00;
constexpr std::uint16_t kM8000Type2 = 0x6000;
constexpr std::uint8_t kEnableType2 = 0xC1;
constexpr std::uint8_t kEnableType57 = 0x81;
constexpr std::uint8_t kEnablePlain = 0x01;

constexpr std::size_t kHeadBytes = 10;  // the four head bytes, D8001, D8010, M8000
constexpr std::size_t kType2FrameBytes = 254;
constexpr std::size_t kType57FrameBytes = 64;
constexpr std::size_t kType57AreaBytes = 192;
constexpr std::size_t kPlainBlockBytes = 64;
constexpr std::size_t kPlainBitHeadBytes = 4;   // count, reserved, M8000
constexpr std::size_t kPlainWordHeadBytes = 6;  // count, enable, D8001, D8010
constexpr std::size_t kPlainFirstBitBytes = kPlainBlockBytes - kPlainBitHeadBytes;

// A 16-bit value as the four characters of an address field, low byte first.
void appendAddressField(std::string& command, std::uint16_t address) {
    const std::string digits = hex4(address);
    command += digits.substr(2, 2);
    command += digits.substr(0, 2);
}

void appendByteField(std::string& command, std::size_t value) {
    command += hexText(static_cast<std::uint32_t>(value & 0xFFu), 2);
}

// Sends a registration frame and waits for its answer; a frame that did not go leaves the
// time-out bit set.
void sendRegistration(const std::string& command, std::string* kept = nullptr) {
    makeCommandFrame(command);
    AddSumCheckCode(rsChHex.size());
    if (kept != nullptr) *kept = rsChHex.substr(0, kComTempSize);
    if (sendFrameHex(rsChHex.size()) != LinkOutcome::Done) {
        rs.status |= kRsWaiting;
        return;
    }
    gblDELAY(rs.timeOut);
}

// A walk of one list from rs.txIndex on that appends an address field per entry while room
// remains. True when the list was walked to its end.
bool walkList(std::string& command, const MonitorTxBuf& list, std::size_t& room) {
    const std::size_t entries = monitorListEntries(list);
    for (; rs.txIndex <= entries; ++rs.txIndex) {
        if (room < 2) return false;
        appendAddressField(command, monitorListEntry(list, rs.txIndex));
        room -= 2;
    }
    return true;
}

// The byte and bit lists with M8000 between them, from where the walk stands; the code of the
// place where the room ran out.
int walkWordsM8000Bits(std::string& command, std::size_t room, std::uint16_t m8000, bool wordsDone,
                       bool m8000Done) {
    if (!wordsDone && !walkList(command, rs.byteTxBuf, room)) return kStoppedInWords;
    if (!m8000Done) {
        if (room < 2) return kStoppedInWords;
        appendAddressField(command, m8000);
        room -= 2;
        rs.txIndex = 1;
    }
    const std::uint16_t firstBit = rs.txIndex;
    if (walkList(command, rs.bitTxBuf, room)) return kRegisteredAll;
    return rs.txIndex == firstBit && firstBit == 1 ? kStoppedAtM8000 : kStoppedInBits;
}

std::size_t extendedTotal() {
    return kHeadBytes + monitorListBytes(rs.byteTxBuf) + monitorListBytes(rs.bitTxBuf);
}

int registerExtendedHead(bool type2) {
    const std::size_t total = extendedTotal();
    if (!type2 && total > kType57AreaBytes) return kRegistrationTooLong;
    const std::size_t limit = type2 ? kType2FrameBytes : kType57FrameBytes;
    const std::size_t n = std::min(total, limit);
    std::string command = "E101400";
    appendByteField(command, n);
    appendByteField(command, monitorListEntries(rs.byteTxBuf) + 2);
    appendByteField(command, type2 ? kEnableType2 : kEnableType57);
    appendByteField(command, monitorListEntries(rs.bitTxBuf) + 1);
    appendByteField(command, 0);
    appendAddressField(command, type2 ? kD8001Type2 : kD8001Plain);
    appendAddressField(command, type2 ? kD8010Type2 : kD8010Plain);
    rs.txIndex = 1;
    const int stopped = walkWordsM8000Bits(command, n - 8, type2 ? kM8000Type2 : kM8000Type57, false, false);
    sendRegistration(command);
    return stopped;
}

void registerExtendedRest(bool type2, int stoppedAt) {
    const std::size_t limit = type2 ? kType2FrameBytes : kType57FrameBytes;
    const std::size_t total = extendedTotal();
    const std::size_t rest = total > limit ? total - limit : 0;
    std::string command = type2 ? "E1014FE" : "E101440";
    appendByteField(command, rest);
    const std::uint16_t m8000 = type2 ? kM8000Type2 : kM8000Type57;
    switch (stoppedAt) {
        case kStoppedInWords: walkWordsM8000Bits(command, rest, m8000, false, false); break;
        case kStoppedAtM8000:
            rs.txIndex = 1;
            walkWordsM8000Bits(command, rest, m8000, true, true);
            break;
        default: walkWordsM8000Bits(command, rest, m8000, true, true); break;
    }
    sendRegistration(command);
}

// Sends a read of count bytes and waits; a reply of any length ends the wait.
void sendMonitorRead(std::string_view head, unsigned count) {
    std::string command(head);
    appendByteField(command, count & 0xFF);
    if (sendCommandFrame(command) != LinkOutcome::Done) return;
    expectReply(ReplyKind::Any);
    gblDELAY(rs.timeOut);
}

unsigned bitFieldBytes(bool padded) {
    const std::size_t b = monitorListBytes(rs.bitTxBuf);
    return static_cast<unsigned>(b / 8 + (padded && b % 8 != 0 ? 1 : 0));
}

unsigned wordValueBytes() {
    return static_cast<unsigned>(monitorListBytes(rs.byteTxBuf) + 2 * longCounterEntries());
}

}  // namespace

std::size_t monitorListBytes(const MonitorTxBuf& list) {
    const std::size_t count = static_cast<std::size_t>(list[0] | list[1] << 8);
    return std::min(count & ~std::size_t{1}, 2 * kMonitorListCapacity);
}

std::size_t monitorListEntries(const MonitorTxBuf& list) {
    return monitorListBytes(list) / 2;
}

std::uint16_t monitorListEntry(const MonitorTxBuf& list, std::size_t i) {
    if (i == 0 || i > kMonitorListCapacity) return 0;
    return static_cast<std::uint16_t>(list[2 * i] | list[2 * i + 1] << 8);
}

bool appendMonitorListEntry(MonitorTxBuf& list, std::uint16_t value) {
    const std::size_t entries = monitorListEntries(list);
    if (entries >= kMonitorListCapacity) return false;
    const std::size_t at = 2 * (entries + 1);
    list[at] = static_cast<std::uint8_t>(value & 0xFF);
    list[at + 1] = static_cast<std::uint8_t>(value >> 8);
    const std::size_t count = at;
    list[0] = static_cast<std::uint8_t>(count & 0xFF);
    list[1] = static_cast<std::uint8_t>(count >> 8);
    return true;
}

void emptyMonitorTxBufs() {
    for (MonitorTxBuf* list : {&rs.bitTxBuf, &rs.byteTxBuf}) (*list)[0] = (*list)[1] = 0;
}

std::size_t longCounterEntries() {
    std::size_t count = 0;
    for (std::size_t i = 1; i <= monitorListEntries(rs.byteTxBuf); ++i)
        if (isLongCounterAddress(monitorListEntry(rs.byteTxBuf, i))) ++count;
    return count;
}

int registerMonitorBitDeviceToq5TypePlc() {
    return registerExtendedHead(true);
}

void registerMonitorRest14FE(int stoppedAt) {
    registerExtendedRest(true, stoppedAt);
}

int registerMonitorDeviceToq3TypePlc() {
    return registerExtendedHead(false);
}

void registerMonitorRest1440(int stoppedAt) {
    registerExtendedRest(false, stoppedAt);
}

int registerMonitorBitDeviceToq0TypePlc() {
    const std::size_t n = std::min(kPlainBitHeadBytes + monitorListBytes(rs.bitTxBuf), kPlainBlockBytes);
    std::string command = "11826";
    appendByteField(command, n);
    appendByteField(command, monitorListEntries(rs.bitTxBuf) + 1);
    appendByteField(command, 0);
    appendAddressField(command, kM8000Plain);
    rs.txIndex = 1;
    std::size_t room = n - kPlainBitHeadBytes;
    const bool all = walkList(command, rs.bitTxBuf, room);
    sendRegistration(command, &comTemp2Array);
    return all ? kRegisteredAll : kStoppedInBits;
}

int registerMonitorBitRest1866(int /*firstResult*/) {
    const std::size_t bytes = monitorListBytes(rs.bitTxBuf);
    const std::size_t rest = bytes > kPlainFirstBitBytes ? bytes - kPlainFirstBitBytes : 0;
    std::string command = "11866";
    appendByteField(command, rest);
    std::size_t room = rest;
    walkList(command, rs.bitTxBuf, room);
    sendRegistration(command, &comTemp3Array);
    return kStoppedInBits;
}

void registerMonitorWordBlock1800() {
    const std::size_t n = std::min(kPlainWordHeadBytes + monitorListBytes(rs.byteTxBuf), kPlainBlockBytes);
    std::string command = "11800";
    appendByteField(command, n);
    appendByteField(command, monitorListEntries(rs.byteTxBuf) + 2);
    appendByteField(command, kEnablePlain);
    appendAddressField(command, kD8001Plain);
    appendAddressField(command, kD8010Plain);
    rs.txIndex = 1;
    std::size_t room = n - kPlainWordHeadBytes;
    walkList(command, rs.byteTxBuf, room);
    sendRegistration(command, &comTempArray);
}

unsigned monitorRead1958Bytes() {
    return 4 + wordValueBytes();
}

unsigned monitorRead19A0Bytes() {
    const std::size_t b = monitorListBytes(rs.bitTxBuf);
    return static_cast<unsigned>(1 + b / 8 + (b > 7 ? 1 : 0));
}

unsigned monitorReadE2Bytes() {
    return 5 + wordValueBytes() + bitFieldBytes(true);
}

unsigned monitorReadEBytes() {
    return 37 + wordValueBytes() + bitFieldBytes(true);
}

void monitorCycleRead1958() {
    sendMonitorRead("01958", monitorRead1958Bytes());
}

void monitorCycleRead19A0() {
    sendMonitorRead("019A0", monitorRead19A0Bytes());
}

void monitorCycleReadE2() {
    rs.monitorReadCount = monitorReadE2Bytes();
    sendMonitorRead("E001790", rs.monitorReadCount);
}

void monitorCycleReadE() {
    rs.monitorReadCount = monitorReadEBytes();
    sendMonitorRead("E001790", rs.monitorReadCount);
}

}  // namespace kestrion
