// The monitor of the simulated PLC: the registration area, the read-back of the registered
// devices, and the lines that change bits and words while a poll runs.
#include <sstream>

#include "plcsim/PlcSimulator.h"

namespace kestrion::plcsim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint32_t kExtendedArea = 0x1400;
constexpr std::uint32_t kPlainArea = 0x1800;
constexpr std::uint32_t kExtendedReadBack = 0x1790;
constexpr std::uint32_t kPlainWordReadBack = 0x1958;
constexpr std::uint32_t kPlainBitReadBack = 0x19A0;
constexpr std::size_t kPlainBitBlock = 0x26;  // 1826h
constexpr std::size_t kType2SkippedBytes = 32;

bool extendedType(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

bool longCounter(std::uint32_t address) {
    return address >= 0x0C00 && address <= 0x0CFF;
}

}  // namespace

void PlcSimulator::setBit(std::uint32_t bitAddress, bool on) {
    if (on)
        relays_.insert(bitAddress);
    else
        relays_.erase(bitAddress);
}

bool PlcSimulator::applyControlLine(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    std::uint32_t address = 0;
    std::uint32_t value = 0;
    if (!(words >> verb)) return false;
    if (verb == "nak-registration" && words >> value) {
        nakRegistration = value != 0;
        return true;
    }
    if (verb == "delay" && words >> value) {
        replyDelayMs = value;
        return true;
    }
    if (!(words >> std::hex >> address >> value)) return false;
    if (verb == "bit") {
        setBit(address, value != 0);
        return true;
    }
    if (verb == "word") {
        setWord(address, static_cast<std::uint16_t>(value), plcType() == 2 ? Space::Extended : Space::Plain);
        return true;
    }
    return false;
}

std::optional<std::vector<Chunk>> PlcSimulator::answerMonitorWrite(Space space, std::uint32_t address,
                                                                   const std::vector<std::uint8_t>& data) {
    if (space == Space::Program) return std::nullopt;
    const std::uint32_t area = extendedType(plcType()) ? kExtendedArea : kPlainArea;
    if (address < area || address >= area + registration_.size()) return std::nullopt;
    if (nakRegistration) return control(kNak);
    for (std::size_t i = 0; i < data.size() && address - area + i < registration_.size(); ++i)
        registration_[address - area + i] = data[i];
    // The plain types' area may lie on data registers too; they take the bytes as well.
    if (std::uint8_t* target = memory_.locate(space, address, static_cast<std::uint32_t>(data.size())))
        std::copy(data.begin(), data.end(), target);
    return control(kAck);
}

// The registered word devices' values, D8001 and D8010 first, as the read-back carries them.
std::vector<std::uint8_t> PlcSimulator::monitorWordValues(Space space) const {
    const bool extended = extendedType(plcType());
    const std::size_t words = registration_[0];
    const std::size_t fields = extended ? 4 : 2;
    std::vector<std::uint8_t> values;
    for (std::size_t i = 0; i < words && fields + 2 * i + 1 < registration_.size(); ++i) {
        const std::uint32_t address = static_cast<std::uint32_t>(registration_[fields + 2 * i] |
                                                                 registration_[fields + 2 * i + 1] << 8);
        const std::uint32_t bytes = longCounter(address) ? 4 : 2;
        for (std::uint32_t b = 0; b < bytes; ++b) values.push_back(byteAt(address + b, space));
    }
    return values;
}

// M8000 and the registered bits, eight to a byte, lowest bit first: their count and their
// addresses stand at these offsets of the registration area.
std::vector<std::uint8_t> PlcSimulator::monitorBitBytes(std::size_t countAt, std::size_t fieldsAt) const {
    const std::size_t bits = registration_[countAt];
    std::vector<std::uint8_t> bytes((bits + 7) / 8, 0);
    for (std::size_t i = 0; i < bits; ++i) {
        const std::size_t at = fieldsAt + 2 * i;
        if (at + 1 >= registration_.size()) break;
        const std::uint32_t address =
            static_cast<std::uint32_t>(registration_[at] | registration_[at + 1] << 8);
        if (relayOn(address)) bytes[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    }
    return bytes;
}

std::optional<std::vector<Chunk>> PlcSimulator::answerMonitorRead(Space space, std::uint32_t address,
                                                                  std::uint32_t count) {
    std::vector<std::uint8_t> reply;
    if (extendedType(plcType())) {
        if (address != kExtendedReadBack || space == Space::Program || registration_[1] == 0)
            return std::nullopt;
        reply = monitorWordValues(space);
        if (plcType() == 2) reply.insert(reply.end(), kType2SkippedBytes, 0);
        const std::vector<std::uint8_t> bits = monitorBitBytes(2, 4 + 2 * std::size_t{registration_[0]});
        reply.insert(reply.end(), bits.begin(), bits.end());
    } else if (space == Space::Plain && registration_[1] == 1 && address == kPlainWordReadBack) {
        reply = monitorWordValues(space);
    } else if (space == Space::Plain && registration_[1] == 1 && address == kPlainBitReadBack) {
        reply = monitorBitBytes(kPlainBitBlock, kPlainBitBlock + 2);
    } else {
        return std::nullopt;
    }
    // The PLC answers as many bytes as it is asked for.
    reply.resize(count, 0);
    return dataFrame(reply.data(), reply.size());
}

}  // namespace kestrion::plcsim
