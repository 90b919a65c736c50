#include "link/line/Frames.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "link/line/CommRecord.h"
#include "link/line/LineState.h"
#include "link/line/Receive.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kTraceLinesBeforeClear = 399;
constexpr std::size_t kCheckCodeDigits = 4;  // two characters, each as two digits
constexpr const char* kMaskedText = "********";

void appendCharAsHex(char c) {
    rsChHex += hexText(static_cast<std::uint8_t>(c), 2);
}

// The characters at the given 1-based positions of the digits; a missing digit counts as '0'.
void appendCharacters(const std::string& digits, std::initializer_list<std::size_t> positions) {
    for (std::size_t position : positions)
        appendCharAsHex(position <= digits.size() ? digits[position - 1] : '0');
}

std::size_t txCharsLength() {
    return std::strlen(rs.txChars.data());
}

// A trace line numbered by the line it becomes.
void traceLine(const char* arrow, const std::string& body) {
    auto& trace = platform::trace();
    if (!trace.visible(platform::Memo::Rx)) return;
    const std::string& shown = lineState.maskedTraceDepth > 0 ? std::string(kMaskedText) : body;
    trace.append(platform::Memo::Rx,
                 arrow + std::to_string(trace.lineCount(platform::Memo::Rx) + 1) + ":" + shown);
}

bool portClosed(const char* text, const char* caption) {
    if (comPortHandle != -1 && linkPort() != nullptr) return false;
    platform::say({text, caption, platform::MsgIcon::Warning});
    return true;
}

// What every send does before it writes: the reply that follows is measured from here.
void startReplyMeasure() {
    rs.replyCode = kReplyNone;
    rs.tickCount = 0;
    rs.rxChunkCount = 0;
    RxTmpArrayNo.fill(0);
    RxTmpBuf.fill(0);
}

LinkOutcome writeToPort(const std::uint8_t* data, std::size_t size) {
    platform::SerialPort* port = linkPort();
    return port != nullptr && port->write(data, size) == size ? LinkOutcome::Done : LinkOutcome::NotSent;
}

// Clears the line for the frame in rsChHex, which is kept as it is: the quiet wait runs the
// message loop, where a handler may build a frame of its own (and be refused as busy).
void clearLine() {
    platform::SerialPort* port = linkPort();
    if (port == nullptr) return;
    const std::string frame = rsChHex;
    clearLineBeforeSend(*port);
    rsChHex = frame;
}

// The digits of a byte-count field as a number.
std::size_t countField(const std::uint8_t* digits) {
    return hexPairToByte(static_cast<char>(digits[0]), static_cast<char>(digits[1]));
}

bool commandIs(const std::uint8_t* command, std::size_t length, std::string_view head) {
    return length >= head.size() && std::equal(head.begin(), head.end(), command);
}

// The extended read and write heads: 'E', '0' or '1', and the bank digit.
bool isBankCommand(const std::uint8_t* command, std::size_t length, char operation) {
    return length >= 3 && command[0] == 'E' && command[1] == static_cast<unsigned char>(operation) &&
           command[2] >= '0' && command[2] <= '9';
}

// What answers the frame: the reads "0" and "E00" ... "E05" with address and count are answered by
// as many bytes as they ask for (two characters each), the writes "1" and "E10" ... "E15" by an
// ACK; the answers of the other commands, and of the probe, are taken as they come.
void expectReplyTo(const std::uint8_t* frame, std::size_t size) {
    const std::uint8_t* etx = std::find(frame, frame + size, kEtx);
    if (size < 2 || frame[0] != kStx || etx == frame + size) {
        expectReply(ReplyKind::Any);
        return;
    }
    const std::uint8_t* command = frame + 1;
    const auto length = static_cast<std::size_t>(etx - command);
    if (length == 7 && commandIs(command, length, "0"))
        expectReply(ReplyKind::Data, 2 * countField(command + 5));
    else if (length == 9 && isBankCommand(command, length, '0'))
        expectReply(ReplyKind::Data, 2 * countField(command + 7));
    else if (commandIs(command, length, "1") || isBankCommand(command, length, '1'))
        expectReply(ReplyKind::Ack);
    else
        expectReply(ReplyKind::Any);
}

}  // namespace

void appendAddress(const std::string& digits4) {
    appendCharacters(digits4, {1, 2, 3, 4});
}
void appendAddressLowFirst(const std::string& digits4) {
    appendCharacters(digits4, {3, 4, 1, 2});
}
void appendDataWord(const std::string& digits8) {
    appendCharacters(digits8, {7, 8, 5, 6});
}
void appendDataDword(const std::string& digits8) {
    appendCharacters(digits8, {7, 8, 5, 6, 3, 4, 1, 2});
}
void appendByteCount(const std::string& digits4) {
    appendCharacters(digits4, {3, 4});
}
// The count is a field like any other: its two digit characters travel as their ASCII codes.
void appendValueByteCount(int is32) {
    appendCharacters(is32 != 0 ? "04" : "02", {1, 2});
}

std::uint8_t hexPairToByte(char high, char low) {
    return static_cast<std::uint8_t>(hexDigitValue(high) * 16 + hexDigitValue(low));
}

std::uint16_t byteToHexChars(std::uint8_t value) {
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(hexDigit(value >> 4)) << 8) |
                                      static_cast<std::uint8_t>(hexDigit(value & 0x0F)));
}

std::uint8_t _dllAsciiConvToHex(char high, char low) {
    return hexPairToByte(high, low);
}
std::uint16_t _dllHexConvToAscii(std::uint8_t value) {
    return byteToHexChars(value);
}

std::size_t hexTextToBytes(std::size_t n, const char* text, std::uint8_t* bytes, std::size_t capacity) {
    if (n == 0 || n % 2 != 0) return 0;
    const std::size_t count = std::min(n / 2, capacity);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = hexPairToByte(text[2 * i], text[2 * i + 1]);
    if (count < capacity) bytes[count] = 0;
    return count;
}

bool copyFrameText(int mode, std::size_t n) {
    if (mode == 0 && (n == 0 || n % 2 != 0)) {
        platform::statusBar().setPanelText(0, "Error2015122201...");
        return false;
    }
    const std::size_t count = std::min({n, rsChHex.size(), kTxCharsSize});
    std::copy_n(rsChHex.begin(), count, rs.txChars.begin());
    rs.txChars[count] = '\0';
    return true;
}

void AddSumCheckCode(std::size_t n) {
    if (!copyFrameText(0, n)) return;
    // The limit holds for the frame as it is sent, check code included.
    lineState.frameRefused = n + kCheckCodeDigits > kFrameTextLimit;
    if (lineState.frameRefused) {
        platform::statusBar().setPanelText(
            0, "rsLength=" + std::to_string(n) + " rsChHex[]=" + std::to_string(kFrameTextLimit));
        platform::say({"Msg2015091386...", "AddSumCheckCode", platform::MsgIcon::None});
        return;
    }
    const std::size_t digits = txCharsLength();
    const std::size_t bytes = hexTextToBytes(digits, rs.txChars.data(), rs.txBytes.data(), rs.txBytes.size());
    std::uint32_t sum = 0;
    for (std::size_t i = 1; i < bytes; ++i)
        sum += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(rs.txBytes[i])));
    const std::uint8_t check = static_cast<std::uint8_t>(sum & 0xFF);
    appendCharAsHex(hexDigit(check >> 4));
    appendCharAsHex(hexDigit(check & 0x0F));
}

LinkOutcome sendFrameHex(std::size_t n) {
    const bool refused = std::exchange(lineState.frameRefused, false);
    if (linkBusy()) return LinkOutcome::Busy;
    if (portClosed("Com port not open...", "Communication Message")) return LinkOutcome::NotSent;
    if (refused || n > kFrameTextLimit || n > rsChHex.size() || !copyFrameText(0, n))
        return LinkOutcome::NotSent;
    clearLine();
    copyFrameText(0, n);
    const std::size_t count = hexTextToBytes(n, rs.txChars.data(), rs.txBytes.data(), rs.txBytes.size());

    ++rs.frameCount;
    platform::statusBar().setPanelText(13, "*" + std::to_string(rs.frameCount % 10));
    if (rs.txBytes[0] == kEnq) {
        traceLine("-->", "Enq");
    } else {
        const auto* first = reinterpret_cast<const char*>(rs.txBytes.data());
        traceLine("-->", std::string(first, std::find(first, first + count, '\0')));
    }
    expectReplyTo(rs.txBytes.data(), count);
    startReplyMeasure();
    return writeToPort(rs.txBytes.data(), count);
}

LinkOutcome sendFrameText(std::size_t n) {
    if (linkBusy()) return LinkOutcome::Busy;
    if (portClosed("Error2015122240", "comport no open...")) return LinkOutcome::NotSent;
    if (n > kFrameTextLimit) return LinkOutcome::NotSent;
    clearLine();
    copyFrameText(1, n);
    traceLine("", rs.txChars.data());
    expectReply(ReplyKind::Any);
    startReplyMeasure();
    return writeToPort(reinterpret_cast<const std::uint8_t*>(rs.txChars.data()), txCharsLength());
}

LinkOutcome sendFrameBytes(std::size_t n) {
    if (linkBusy()) return LinkOutcome::Busy;
    if (portClosed("Error2015122243...Com port no open...", "Communication Message"))
        return LinkOutcome::NotSent;
    if (n > kFrameTextLimit || n > rsChHex.size()) return LinkOutcome::NotSent;
    clearLine();
    copyFrameText(1, n);
    const std::size_t count = n / 2;
    for (std::size_t i = 0; i < count; ++i)
        rs.txChars[i] = static_cast<char>(hexPairToByte(rs.txChars[2 * i], rs.txChars[2 * i + 1]));
    expectReply(ReplyKind::Any);
    startReplyMeasure();
    startFreshReceiveFrame();
    return writeToPort(reinterpret_cast<const std::uint8_t*>(rs.txChars.data()), count);
}

MaskedTrace::MaskedTrace() {
    ++lineState.maskedTraceDepth;
}
MaskedTrace::~MaskedTrace() {
    --lineState.maskedTraceDepth;
}

void wipeFrameBuffers() {
    std::fill(rsChHex.begin(), rsChHex.end(), '\0');
    rsChHex.clear();
    rs.txChars.fill('\0');
    rs.txBytes.fill(0);
    rs.RxBkBuf.fill('\0');
    RxTmpBuf.fill(0);
}

void logDroppedReply(const std::string& what) {
    traceLine("<=", "dropped " + what);
}

void logReplyAckNak() {
    platform::statusBar().setPanelText(13, " ");
    auto& trace = platform::trace();
    if (!trace.visible(platform::Memo::Rx)) return;
    std::string reply;
    if (RxTmpBuf[0] == kAck)
        reply = "Ack";
    else if (RxTmpBuf[0] == kNak)
        reply = "Nak";
    else
        reply = rs.RxBkBuf.data();
    traceLine("<=", reply);
    if (trace.lineCount(platform::Memo::Rx) > kTraceLinesBeforeClear) trace.clear(platform::Memo::Rx);
}

}  // namespace kestrion
