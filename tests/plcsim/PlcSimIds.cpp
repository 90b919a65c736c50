// The simulated PLC's product and user IDs, keyword2 and running clock.
#include <algorithm>
#include <chrono>

#include "plcsim/PlcSimulator.h"

namespace kestrion::plcsim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint32_t kClock = kSpecialRegisterBase + 2 * 13;  // D8013 second .. D8019 weekday
constexpr std::uint32_t kMsPerSecond = 1000;

std::uint32_t special(std::uint32_t n) {
    return kSpecialRegisterBase + 2 * n;
}

// Sixteen digits that spell eight hex-digit characters: their value.
bool idValue(const std::string& digits, std::uint32_t& value) {
    const auto isDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    if (digits.size() != 16 || !std::all_of(digits.begin(), digits.end(), isDigit)) return false;
    std::string text;
    for (std::size_t i = 0; i < 16; i += 2)
        text += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    if (!std::all_of(text.begin(), text.end(), isDigit)) return false;
    value = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    return true;
}

std::uint32_t daysIn(std::uint32_t month, std::uint32_t year) {
    if (month == 2) return year % 4 == 0 ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

}  // namespace

std::optional<std::vector<Chunk>> PlcSimulator::answerIds(const std::string& command) {
    runClock(command.rfind("10E1A", 0) == 0);
    const auto reply = [this](std::uint8_t code) { return std::optional<std::vector<Chunk>>(control(code)); };
    if (command == "6F7Key2" || command == "6F8Key2") {
        keyword2_ = command == "6F7Key2";
        return reply(kAck);
    }
    const bool product = command.rfind("6F6Id1", 0) == 0;
    if (!product && command.rfind("6F6Id2", 0) != 0) return std::nullopt;
    std::uint32_t value = 0;
    if (!idValue(command.substr(6), value)) return reply(kNak);
    setWord(special(product ? 58 : 105), static_cast<std::uint16_t>(value >> 16));
    setWord(special(product ? 59 : 104), static_cast<std::uint16_t>(value & 0xFFFF));
    return reply(kAck);
}

void PlcSimulator::runClock(bool restart) {
    const std::uint64_t now =
        clockMs ? clockMs()
                : static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                 std::chrono::steady_clock::now().time_since_epoch())
                                                 .count());
    if (!clockStarted_ || restart) {
        clockStarted_ = true;
        clockSeenMs_ = now;
        return;
    }
    for (; now - clockSeenMs_ >= kMsPerSecond; clockSeenMs_ += kMsPerSecond) tickSecond();
}

void PlcSimulator::tickSecond() {
    std::uint32_t v[7];
    for (std::uint32_t i = 0; i < 7; ++i) v[i] = wordAt(kClock + 2 * i);
    auto& [second, minute, hour, day, month, year, weekday] = v;
    if (++second == 60) {
        second = 0;
        if (++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                weekday = weekday % 7 + 1;
                if (++day > daysIn(month, year)) {
                    day = 1;
                    if (++month > 12) {
                        month = 1;
                        year = (year + 1) % 100;
                    }
                }
            }
        }
    }
    for (std::uint32_t i = 0; i < 7; ++i) setWord(kClock + 2 * i, static_cast<std::uint16_t>(v[i]));
}

}  // namespace kestrion::plcsim
