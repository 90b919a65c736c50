#include "monitor/access/AnyAddress.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Frames.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "model/instructions/Conversions.h"
#include "monitor/MonitorMode.h"
#include "monitor/access/TerminalOpener.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

std::array<std::uint8_t, kAnyAddressBufSize>& anyAddressBuf = monitorState.anyAddressBuf;

namespace {

constexpr std::uint32_t kBlockStart = 0x1600;
constexpr std::uint32_t kBlockEnd = 0x1700;
constexpr int kBlockBytes = 128;
constexpr std::size_t kBlockOffset = 768;

void panel0(const std::string& text) {
    platform::statusBar().setPanelText(0, text);
}

std::string hex2(std::uint32_t value) {
    return hexText(value & 0xFFu, 2);
}

// Digits 3, 4, 1, 2 of the four-digit form: the low byte first.
std::string lowByteFirst(std::uint32_t value) {
    const std::string digits = hex4(value);
    return digits.substr(2, 2) + digits.substr(0, 2);
}

// The frame closed with its check code and sent; then only a reply of the kind given answers it
// within the poller ticks.
LinkOutcome request(const std::string& command, ReplyKind answer, std::size_t dataCharacters = 0) {
    makeCommandFrame(command);
    AddSumCheckCode(rsChHex.size());
    const LinkOutcome sent = sendFrameHex(rsChHex.size());
    if (sent != LinkOutcome::Done) return sent;
    expectReply(answer, dataCharacters);
    return _waitRsReply(kAnyAddressReplyTicks);
}

AnyAddressResult resultOf(LinkOutcome outcome) {
    switch (outcome) {
        case LinkOutcome::Done: return AnyAddressResult::Done;
        case LinkOutcome::Nak: return AnyAddressResult::Nak;
        case LinkOutcome::Busy: return AnyAddressResult::Busy;
        case LinkOutcome::NotSent: return AnyAddressResult::NotSent;
        default: return AnyAddressResult::TimeOut;
    }
}

std::vector<std::uint8_t> replyBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = hexPairToByte(rs.RxBkBuf[2 * i], rs.RxBkBuf[2 * i + 1]);
    return bytes;
}

std::string fixedFloat(float value) {
    char text[64] = {};
    const auto written = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, 7);
    return std::string(text, written.ptr);
}

// '0' to 'F' as the character, any other byte as "-h" and its two digits.
std::string asciiText(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += bytes[i] >= '0' && bytes[i] <= 'F' ? std::string(1, static_cast<char>(bytes[i]))
                                                   : "-h" + hex2(bytes[i]);
    return text;
}

// One sign at most, then digits. from_chars takes a '-' but no '+': a leading '+' is stepped over
// and a '-' after it refused, so "+-5" is no number, as "++5" is not.
bool decimalNumber(const std::string& text, int& value) {
    const bool plus = !text.empty() && text[0] == '+';
    if (plus && text.size() > 1 && text[1] == '-') return false;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data() + (plus ? 1 : 0), end, value);
    return parsed.ec == std::errc() && parsed.ptr == end;
}

}  // namespace

std::optional<int> checkedKHValue(const std::string& text) {
    if (text.empty()) return 0;
    const char first = text[0];
    if (first == 'H' || first == 'h') {
        std::uint64_t value = 0;
        for (std::size_t i = 1; i < text.size(); ++i) {
            const char digit = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
            if (!isHexDigit(digit)) {
                platform::say({getMsgNotHexNumber(text), "Error Message", platform::MsgIcon::Error});
                return std::nullopt;
            }
            // A number past the largest int stays there: every range refuses it.
            value =
                std::min<std::uint64_t>(value * 16 + hexDigitValue(digit), std::numeric_limits<int>::max());
        }
        return static_cast<int>(value);
    }
    const bool prefixed = first == 'K' || first == 'k';
    if (!prefixed && (first < '0' || first > '9')) {
        platform::say(
            {"Error2015091920...First character must be K or H ", "Error Message", platform::MsgIcon::Error});
        return std::nullopt;
    }
    const std::string digits = prefixed ? text.substr(1) : text;
    int value = 0;
    if (digits.empty()) return 0;
    if (!decimalNumber(digits, value)) {
        platform::say({getMsgNotInteger(digits), "Error Message", platform::MsgIcon::Error});
        return std::nullopt;
    }
    return value;
}

int parseKHValue(const std::string& text) {
    return checkedKHValue(text).value_or(0);
}

std::string anyAddressReadCommand(std::uint32_t address, int count) {
    return "EAA" + hex4(address) + hex2(static_cast<std::uint32_t>(count));
}

std::string anyAddressWriteCommand(std::uint32_t address, int count, int data) {
    return "EAC" + hex4(address) + hex2(static_cast<std::uint32_t>(count)) +
           lowByteFirst(static_cast<std::uint32_t>(data) & 0xFFFF);
}

std::string anyBitForceCommand(bool on, std::uint32_t address) {
    return std::string(on ? "EAE" : "EAF") + lowByteFirst(address);
}

std::string blockReadCommand(std::uint32_t address, int count) {
    return "EA8" + hex4(address) + hex2(static_cast<std::uint32_t>(count));
}

AnyAddressResult readAnyAddress(int address, int count, std::vector<std::uint8_t>* bytes) {
    if (count <= 0) panel0("Read Any Address From Device [OK]");
    if (count <= 0 || count > kAnyAddressMaxBytes) return AnyAddressResult::NothingToSend;
    const auto size = static_cast<std::size_t>(count);
    const AnyAddressResult result = resultOf(request(
        anyAddressReadCommand(static_cast<std::uint32_t>(address), count), ReplyKind::Data, 2 * size));
    if (result == AnyAddressResult::Nak)
        platform::say(
            {"Error2015091331... Checksum error...", "Communication Message", platform::MsgIcon::Warning});
    if (result != AnyAddressResult::Done) return result;
    if (!expectReplyBytes(size)) return AnyAddressResult::TimeOut;
    const std::vector<std::uint8_t> read = replyBytes(size);
    std::copy(read.begin(), read.end(), anyAddressBuf.begin());
    if (bytes != nullptr) *bytes = read;
    panel0("Read Any Address From Device [OK]");
    return AnyAddressResult::Done;
}

AnyAddressResult writeAnyAddress(int address, int count, int data) {
    const AnyAddressResult result = resultOf(
        request(anyAddressWriteCommand(static_cast<std::uint32_t>(address), count, data), ReplyKind::Ack));
    if (result == AnyAddressResult::Nak)
        platform::say(
            {"Error2015091361...Checksum error...", "Communication Message", platform::MsgIcon::Warning});
    if (result == AnyAddressResult::Done) panel0("Write Any Address To Device [OK]");
    return result;
}

std::string anyAddressValueText(const std::uint8_t* bytes, std::size_t size, int dataType) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i > 0; --i) value = value << 8 | bytes[i - 1];
    std::int32_t signedValue = static_cast<std::int32_t>(value);
    if (size == 1) signedValue = static_cast<std::int32_t>(value) - (value < 0x80 ? 0 : 0x100);
    if (size == 2) signedValue = static_cast<std::int16_t>(value);
    switch (dataType) {
        case 0: return binaryText(value, static_cast<int>(8 * size));
        case 1: return std::to_string(size == 1 ? static_cast<std::int32_t>(value) : signedValue);
        case 2: {
            // At least the row's digits; a negative word shows all eight of its 32-bit form.
            const auto shown = size == 1 ? value : static_cast<std::uint32_t>(signedValue);
            std::string digits = hex4(shown >> 16) + hex4(shown & 0xFFFF);
            const std::size_t least = size == 1 ? 2 : size == 2 ? 4 : 8;
            while (digits.size() > least && digits[0] == '0') digits.erase(0, 1);
            return digits;
        }
        case 3: return fixedFloat(static_cast<float>(signedValue));
        default: return asciiText(bytes, size);
    }
}

void SubReadAnyAddress1Click() {
    if (serviceRefusedWhileMonitoring("Read Any Address")) return;
    // The block read takes the link as it is: it neither connects nor closes the port.
    runLinkCommand(PortAfter::KeepOpen, [] {
        panel0("Read Any Address [Start]");
        rs.chunkSize = kBlockBytes;
        platform::ProgressStep progress("Read Progress...",
                                        static_cast<int>((kBlockEnd - kBlockStart) / kBlockBytes));
        int blocks = 0;
        for (std::uint32_t address = kBlockStart; address < kBlockEnd; address += kBlockBytes) {
            const LinkOutcome outcome = request(blockReadCommand(address, kBlockBytes), ReplyKind::Data,
                                                2 * std::size_t{kBlockBytes});
            if (outcome == LinkOutcome::Nak)
                failCommand({"Error2015091351", "Communication Error", platform::MsgIcon::Warning});
            if (outcome != LinkOutcome::Done || !expectReplyBytes(kBlockBytes))
                failCommand({"Error2015091350", "Communication Error", platform::MsgIcon::Warning});
            const std::vector<std::uint8_t> read = replyBytes(kBlockBytes);
            std::copy(read.begin(), read.end(),
                      anyAddressBuf.begin() + kBlockOffset + (address - kBlockStart));
            ++blocks;
            panel0("Read Any Address From Device [Start] " +
                   std::to_string(kBlockBytes * blocks * 100 / 256) + "%");
            progress.setPosition(blocks);
        }
        panel0("Read Any Address From Device [OK]");
    });
}

std::vector<std::string> anyAddressHexRows() {
    std::vector<std::string> rows;
    for (std::size_t row = 0; row < 16; ++row) {
        std::string text;
        for (std::size_t i = 0; i < 16; ++i) text += (i == 0 ? "" : " ") + hex2(anyAddressBuf[16 * row + i]);
        rows.push_back(text);
    }
    return rows;
}

}  // namespace kestrion
