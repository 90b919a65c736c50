#include "link/terminals/TerminalFraming.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "link/line/CommRecord.h"
#include "link/line/Frames.h"
#include "link/line/Receive.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint32_t kRtuReplyMs = 1000;

// Appends what fits under the limit; the rest is cut.
void appendShown(std::string& text, std::string_view more) {
    if (text.size() >= kTerminalTextLimit) return;
    text.append(more.substr(0, kTerminalTextLimit - text.size()));
}

// Names in the sent text of the PLC's own protocol and the computer link.
std::string sentName(std::uint8_t c) {
    switch (c) {
        case kStx: return "<STX>";
        case kEtx: return "<ETX>";
        case kEnq: return "<ENQ>";
        default: return std::string(1, static_cast<char>(c));
    }
}

// Names in their reply texts.
std::string replyName(std::uint8_t c) {
    switch (c) {
        case kStx: return "<Stx>";
        case kEtx: return "<Etx>";
        case kEnq: return "<Enq>";
        case kAck: return "<Ack>";
        case kNak: return "<Nak>";
        case kCr: return "<CR>";
        case kLf: return "<LF>";
        default: return std::string(1, static_cast<char>(c));
    }
}

// Under Modbus ASCII only the line end is named.
std::string modbusAsciiName(std::uint8_t c) {
    if (c == kCr) return "<CR>";
    if (c == kLf) return "<LF>";
    return std::string(1, static_cast<char>(c));
}

// The shown form of bytes up to the first 0, as the texts are strings that a 0 ends.
template <class Name>
void showBytes(std::string& text, const std::vector<std::uint8_t>& bytes, Name name) {
    for (std::uint8_t c : bytes) {
        if (c == 0) return;
        appendShown(text, name(c));
    }
}

template <class Name>
void showReply(Name name) {
    for (const char* c = rs.RxBkBuf.data(); c < rs.RxBkBuf.data() + rs.RxBkBuf.size() && *c != '\0'; ++c)
        appendShown(anyCommandRxText, name(static_cast<std::uint8_t>(*c)));
}

// Two upper-case hex digits, high first.
std::string hexPair(std::uint8_t value) {
    return hexText(value, 2);
}

void startSend() {
    anyCommandTxText.clear();
    anyCommandRxText.clear();
}

bool portOpen() {
    return comPortHandle != -1 && linkPort() != nullptr;
}

// A frame that the line cannot take whole is refused before anything is sent.
bool fitsFrameLimit(std::size_t n) {
    if (n <= kFrameTextLimit) return true;
    platform::say({"Msg2015091386...", "Command Error", platform::MsgIcon::None});
    return false;
}

// The bytes as characters up to the first 0 byte (a "00" pair ends the frame).
std::string charactersUpToZero(const std::vector<std::uint8_t>& bytes) {
    std::string characters;
    for (std::uint8_t c : bytes) {
        if (c == 0) break;
        characters += static_cast<char>(c);
    }
    return characters;
}

// The computer link and Modbus ASCII: the characters and check code, CR LF, then the complete line
// awaited; a reply that did not end with LF is reported by the box.
void sendLineFrame(const char* timeOutText) {
    rsChHex += "\r\n";
    appendShown(anyCommandTxText, "<CR><LF>");
    if (!fitsFrameLimit(rsChHex.size()) || !portOpen()) return;
    if (sendFrameText(rsChHex.size()) != LinkOutcome::Done) return;
    gblDELAY(rs.timeOut);
    if ((rs.status & kRsLineComplete) == 0) {
        platform::say({timeOutText, "Timeout error...", platform::MsgIcon::Warning});
        return;
    }
    if (commProtocol == ModbusAsc)
        showReply(modbusAsciiName);
    else
        showReply(replyName);
}

// Modbus RTU and the free user: the digits go out as bytes, the line is heard for a second (no end
// mark tells a reply is whole), and what came is shown two digits a byte.
void sendByteFrame(std::size_t n) {
    if (!fitsFrameLimit(n) || !portOpen()) return;
    rs.rxCount = 0;
    if (sendFrameBytes(n) != LinkOutcome::Done) return;
    gblDELAY(kRtuReplyMs);
    const std::size_t count = std::min<std::size_t>(rs.rxCount, rs.RxBkBuf.size());
    for (std::size_t i = 0; i < count; ++i)
        appendShown(anyCommandRxText, hexPair(static_cast<std::uint8_t>(rs.RxBkBuf[i])));
}

bool evenDigits(const std::string& text) {
    if (!text.empty() && text.size() % 2 == 0) return true;
    platform::say({"Msg2015122301", "Command Error", platform::MsgIcon::None});
    return false;
}

void keepSentLength(std::size_t k) {
    if (k < anyCommandTxText.size()) anyCommandTxText.resize(k);
}

}  // namespace

std::vector<std::uint8_t> commandBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(hexPairToByte(text[i], i + 1 < text.size() ? text[i + 1] : '0'));
    return bytes;
}

std::uint16_t modbusCrc16(const std::vector<std::uint8_t>& bytes) {
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001u)
                                  : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::size_t addAnyCommandSum(std::size_t n, std::size_t k) {
    keepSentLength(k);
    rsChHex.resize(std::min(n, rsChHex.size()));
    AddSumCheckCode(n);
    // The check code went in as the ASCII codes of its two characters.
    if (rsChHex.size() == n + 4)
        appendShown(anyCommandTxText,
                    std::string{static_cast<char>(hexPairToByte(rsChHex[n], rsChHex[n + 1])),
                                static_cast<char>(hexPairToByte(rsChHex[n + 2], rsChHex[n + 3]))});
    return anyCommandTxText.size();
}

std::size_t addAnyCommandAsciiSum(std::size_t n, std::size_t k) {
    keepSentLength(k);
    rsChHex.resize(std::min(n, rsChHex.size()));
    std::uint32_t sum = 0;
    for (std::size_t i = 1; i < rsChHex.size(); ++i) sum += static_cast<std::uint8_t>(rsChHex[i]);
    const std::string check = hexPair(static_cast<std::uint8_t>(sum & 0xFF));
    rsChHex += check;
    appendShown(anyCommandTxText, check);
    return anyCommandTxText.size();
}

std::size_t addModbusLrc(std::size_t n, std::size_t k) {
    keepSentLength(k);
    rsChHex.resize(std::min(n, rsChHex.size()));
    std::uint32_t sum = 0;
    // Pairs from the second character on; an odd digit left over at the end is not summed.
    for (std::size_t i = 1; i + 1 < rsChHex.size(); i += 2) sum += hexPairToByte(rsChHex[i], rsChHex[i + 1]);
    const auto lrc = static_cast<std::uint8_t>(((sum & 0xFFu) ^ 0xFFu) + 1u);
    const std::string check = hexPair(lrc);
    rsChHex += check;
    appendShown(anyCommandTxText, check);
    return anyCommandTxText.size();
}

std::size_t addModbusCrc16(std::size_t n, std::size_t k) {
    keepSentLength(k);
    rsChHex.resize(std::min(n, rsChHex.size()));
    const std::uint16_t crc = modbusCrc16(commandBytes(rsChHex));
    const std::string check =
        hexPair(static_cast<std::uint8_t>(crc & 0xFF)) + hexPair(static_cast<std::uint8_t>(crc >> 8));
    rsChHex += check;
    appendShown(anyCommandTxText, check);
    return anyCommandTxText.size();
}

void sendAnyCommandHex(const std::string& text) {
    startSend();
    showBytes(anyCommandTxText, commandBytes(text), sentName);
    rsChHex = text;
    addAnyCommandSum(rsChHex.size(), anyCommandTxText.size());
    if (!portOpen() || sendFrameHex(rsChHex.size()) != LinkOutcome::Done) return;
    const LinkOutcome answered = gblDELAY(rs.timeOut);
    // A NAK or a frame with a wrong check code is shown as it came; no reply shows nothing.
    if (answered == LinkOutcome::Done || answered == LinkOutcome::Nak) showReply(replyName);
}

void sendAnyCommandAscii(const std::string& text) {
    startSend();
    const std::vector<std::uint8_t> bytes = commandBytes(text);
    showBytes(anyCommandTxText, bytes, sentName);
    rsChHex = charactersUpToZero(bytes);
    addAnyCommandAsciiSum(rsChHex.size(), anyCommandTxText.size());
    sendLineFrame("Error2015091370");
}

void sendAnyCommandModbusAscii(const std::string& text) {
    startSend();
    const std::vector<std::uint8_t> bytes = commandBytes(text);
    showBytes(anyCommandTxText, bytes, [](std::uint8_t c) { return std::string(1, static_cast<char>(c)); });
    rsChHex = charactersUpToZero(bytes);
    addModbusLrc(rsChHex.size(), anyCommandTxText.size());
    sendLineFrame("Error2015091398");
}

void sendAnyCommandModbusRtu(const std::string& text) {
    startSend();
    if (!evenDigits(text)) return;
    rsChHex = text;
    appendShown(anyCommandTxText, text);
    addModbusCrc16(rsChHex.size(), anyCommandTxText.size());
    sendByteFrame(rsChHex.size());
}

void sendAnyCommandFreeUser(const std::string& text) {
    startSend();
    if (!evenDigits(text)) return;
    rsChHex = text;
    appendShown(anyCommandTxText, text);
    // The poller keeps no bytes for the free user; its reply is heard as Modbus RTU's (the same
    // eight-bit line, nothing marking the end), and the protocol is its own again afterwards.
    const std::int32_t protocol = std::exchange(commProtocol, ModbusRtu);
    struct Restore {
        std::int32_t protocol;
        ~Restore() { commProtocol = protocol; }
    } restore{protocol};
    sendByteFrame(rsChHex.size());
}

}  // namespace kestrion
