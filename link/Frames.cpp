#include "link/Frames.h"

#include <algorithm>
#include <cstring>

#include "link/CommRecord.h"
#include "link/Receive.h"
#include "model/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kTraceLinesBeforeClear = 399;

void appendCharAsHex(char c) {
    const auto value = static_cast<std::uint8_t>(c);
    rsChHex += hexDigit(value >> 4);
    rsChHex += hexDigit(value & 0x0F);
}

// The characters at the given 1-based positions of the digits; a missing digit counts as '0'.
void appendCharacters(const std::string& digits, std::initializer_list<std::size_t> positions) {
    for (std::size_t position : positions) appendCharAsHex(position <= digits.size() ? digits[position - 1] : '0');
}

std::size_t txCharsLength() { return std::strlen(rs.txChars.data()); }

// A trace line numbered by the line it becomes.
void traceLine(const char* arrow, const std::string& body) {
    auto& trace = platform::trace();
    if (!trace.visible(platform::Memo::Rx)) return;
    trace.append(platform::Memo::Rx,
                 arrow + std::to_string(trace.lineCount(platform::Memo::Rx) + 1) + ":" + body);
}

bool portClosed(const char* text, const char* caption) {
    if (comPortHandle != -1 && linkPort() != nullptr) return false;
    platform::messages().show(text, caption, platform::MsgIcon::Warning, platform::MsgButtons::Ok);
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

bool writeToPort(const std::uint8_t* data, std::size_t size) {
    platform::SerialPort* port = linkPort();
    return port != nullptr && port->write(data, size) == size;
}

}  // namespace

void appendAddress(const std::string& digits4) { appendCharacters(digits4, {1, 2, 3, 4}); }
void appendAddressLowFirst(const std::string& digits4) { appendCharacters(digits4, {3, 4, 1, 2}); }
void appendDataWord(const std::string& digits8) { appendCharacters(digits8, {7, 8, 5, 6}); }
void appendDataDword(const std::string& digits8) { appendCharacters(digits8, {7, 8, 5, 6, 3, 4, 1, 2}); }
void appendByteCount(const std::string& digits4) { appendCharacters(digits4, {3, 4}); }
// The count is a field like any other: its two digit characters travel as their ASCII codes.
void appendValueByteCount(int is32) { appendCharacters(is32 != 0 ? "04" : "02", {1, 2}); }

std::uint8_t hexPairToByte(char high, char low) {
    return static_cast<std::uint8_t>(hexDigitValue(high) * 16 + hexDigitValue(low));
}

std::uint16_t byteToHexChars(std::uint8_t value) {
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(hexDigit(value >> 4)) << 8) |
                                      static_cast<std::uint8_t>(hexDigit(value & 0x0F)));
}

std::uint8_t _dllAsciiConvToHex(char high, char low) { return hexPairToByte(high, low); }
std::uint16_t _dllHexConvToAscii(std::uint8_t value) { return byteToHexChars(value); }

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
    if (n > kFrameTextLimit) {
        platform::statusBar().setPanelText(0, "rsLength=" + std::to_string(n) + " rsChHex[]=" +
                                                  std::to_string(kFrameTextLimit));
        platform::messages().show("Msg2015091386...", "AddSumCheckCode", platform::MsgIcon::None,
                                  platform::MsgButtons::Ok);
        // The frame is refused: the sends will not write a text this long.
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

bool sendFrameHex(std::size_t n) {
    if (linkBusy()) return false;
    if (portClosed("Com port not open...", "Communication Message")) return false;
    if (n > kFrameTextLimit || n > rsChHex.size() || !copyFrameText(0, n)) return false;
    const std::size_t count = hexTextToBytes(n, rs.txChars.data(), rs.txBytes.data(), rs.txBytes.size());

    ++rs.frameCount;
    platform::statusBar().setPanelText(13, "*" + std::to_string(rs.frameCount % 10));
    if (rs.txBytes[0] == kEnq) {
        traceLine("-->", "Enq");
    } else {
        const auto* first = reinterpret_cast<const char*>(rs.txBytes.data());
        traceLine("-->", std::string(first, std::find(first, first + count, '\0')));
    }
    startReplyMeasure();
    return writeToPort(rs.txBytes.data(), count);
}

bool sendFrameText(std::size_t n) {
    if (linkBusy()) return false;
    if (portClosed("Error2015122240", "comport no open...")) return false;
    if (n > kFrameTextLimit) return false;
    copyFrameText(1, n);
    traceLine("", rs.txChars.data());
    startReplyMeasure();
    return writeToPort(reinterpret_cast<const std::uint8_t*>(rs.txChars.data()), txCharsLength());
}

bool sendFrameBytes(std::size_t n) {
    if (linkBusy()) return false;
    if (portClosed("Error2015122243...Com port no open...", "Communication Message")) return false;
    if (n > kFrameTextLimit || n > rsChHex.size()) return false;
    copyFrameText(1, n);
    const std::size_t count = n / 2;
    for (std::size_t i = 0; i < count; ++i)
        rs.txChars[i] = static_cast<char>(hexPairToByte(rs.txChars[2 * i], rs.txChars[2 * i + 1]));
    startReplyMeasure();
    startFreshReceiveFrame();
    return writeToPort(reinterpret_cast<const std::uint8_t*>(rs.txChars.data()), count);
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
