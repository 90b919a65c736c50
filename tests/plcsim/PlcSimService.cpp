// The simulated PLC's service commands: the self-tests, the any-address commands, the axis
// registers and the scripted computer-link answers.
#include "plcsim/PlcSimulator.h"

namespace kestrion::plcsim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint32_t kRelayM8025 = 25;
constexpr std::uint32_t kRelayM8027 = 27;
constexpr std::uint32_t kD8061 = kSpecialRegisterBase + 2 * 61;
constexpr std::uint32_t kD8140 = kSpecialRegisterBase + 2 * 140;

bool hexNumber(const std::string& text, std::size_t from, std::size_t count, std::uint32_t& value) {
    if (from + count > text.size()) return false;
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

}  // namespace

void PlcSimulator::runSelfTest(std::uint32_t relay) {
    if (relay == kRelayM8025 || relay == kRelayM8027) setWord(kD8061, selfTestResult);
}

void PlcSimulator::setAxis(std::uint32_t registerNo, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    setWord(kD8140 + 2 * registerNo, static_cast<std::uint16_t>(bits & 0xFFFF));
    setWord(kD8140 + 2 * registerNo + 2, static_cast<std::uint16_t>(bits >> 16));
}

std::vector<Chunk> PlcSimulator::answerAnyAddress(const std::string& command) {
    if (command.size() < 3) return control(kNak);
    const char operation = command[2];
    const std::string fields = command.substr(3);
    std::uint32_t address = 0;
    std::uint32_t count = 0;
    if (operation == 'A' || operation == '8') {
        if (fields.size() != 6 || !hexNumber(fields, 0, 4, address) || !hexNumber(fields, 4, 2, count))
            return control(kNak);
        const std::uint8_t* data = memory_.locate(Space::Plain, address, count);
        return data != nullptr ? dataFrame(data, count) : control(kNak);
    }
    if (operation == 'C') {
        if (fields.size() < 6 || !hexNumber(fields, 0, 4, address) || !hexNumber(fields, 4, 2, count) ||
            fields.size() != 6 + 2 * count)
            return control(kNak);
        std::uint8_t* target = memory_.locate(Space::Plain, address, count);
        if (target == nullptr) return control(kNak);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t byte = 0;
            if (!hexNumber(fields, 6 + 2 * i, 2, byte)) return control(kNak);
            target[i] = static_cast<std::uint8_t>(byte);
        }
        return control(kAck);
    }
    if (operation == 'E' || operation == 'F') {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (fields.size() != 4 || !hexNumber(fields, 0, 2, low) || !hexNumber(fields, 2, 2, high))
            return control(kNak);
        const std::uint32_t bit = high << 8 | low;
        std::uint8_t* byte = memory_.locate(Space::Plain, bit >> 3, 1);
        if (byte == nullptr) return control(kNak);
        const auto mask = static_cast<std::uint8_t>(1u << (bit & 7));
        *byte = operation == 'E' ? static_cast<std::uint8_t>(*byte | mask)
                                 : static_cast<std::uint8_t>(*byte & ~mask);
        return control(kAck);
    }
    return control(kNak);
}

std::vector<Chunk> PlcSimulator::answerLine() {
    std::string text = body_;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const auto reply = lineReplies.find(text);
    if (reply == lineReplies.end()) return {};
    return {Chunk{replyDelayMs, std::vector<std::uint8_t>(reply->second.begin(), reply->second.end())}};
}

}  // namespace kestrion::plcsim
