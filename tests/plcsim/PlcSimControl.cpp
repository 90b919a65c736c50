// The control commands of the simulated PLC: forcing bits, RUN and STOP through the special relays,
// the memory clears, the external-memory initialisation, and a fault on one chosen frame.
#include <algorithm>

#include "plcsim/PlcSimulator.h"

namespace kestrion::plcsim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint32_t kBitSpaceBytes = 0x0E00;
constexpr std::uint32_t kRelayM8000 = 0x00;
constexpr std::uint32_t kRelayM8035 = 0x23;
constexpr std::uint32_t kRelayM8036 = 0x24;
constexpr std::uint32_t kRelayM8037 = 0x25;
constexpr std::uint8_t kStatusRunning = 9;
constexpr std::uint8_t kStatusStopped = 0;

bool extendedType(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

// Where the relays M8000 upward lie for the type.
std::uint32_t relayBlock(int plcType) {
    if (plcType == 2) return 0x6000;
    return plcType == 5 || plcType == 7 ? 0x0E00 : 0x0F00;
}

std::uint32_t statusByteAddress(int plcType) {
    return plcType == 2 ? 0x01C0 : 0x01E0;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Four digits, low byte first: "230F" is 0x0F23.
bool bitAddress(const std::string& digits, std::uint32_t& address) {
    if (digits.size() != 4) return false;
    address = 0;
    for (std::size_t i : {2u, 3u, 0u, 1u}) {
        const int digit = digitValue(digits[i]);
        if (digit < 0) return false;
        address = address * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

}  // namespace

std::optional<std::vector<Chunk>> PlcSimulator::answerControl(const std::string& command) {
    if (faultFrame != 0 && frames.size() == faultFrame) {
        if (frameFault == Fault::Nak) return control(kNak);
        if (frameFault == Fault::Silence) return std::vector<Chunk>{};
    }
    if (command == "6F0Init") return control(kAck);
    // The plain types speak "7", "8" and "6n"; types 2, 5 and 7 the same behind an 'E'.
    const bool extended = extendedType(plcType());
    const std::size_t head = extended ? 1 : 0;
    if (extended != (!command.empty() && command[0] == 'E') || command.size() <= head) return std::nullopt;
    const char code = command[head];
    const std::string rest = command.substr(head + 1);
    if (code == '7' || code == '8') return answerForce(code == '7', rest);
    if (code == '6' && rest.size() == 1 && rest[0] >= '0' && rest[0] <= '4') return answerClear(rest[0]);
    return std::nullopt;
}

std::vector<Chunk> PlcSimulator::answerForce(bool on, const std::string& digits) {
    std::uint32_t address = 0;
    if (!bitAddress(digits, address)) return control(kNak);
    if (on) runSelfTest(address - relayBlock(plcType()));
    if (on)
        relays_.insert(address);
    else
        relays_.erase(address);
    const std::uint32_t block = relayBlock(plcType());
    if (relayOn(block + kRelayM8035)) {
        if (relayOn(block + kRelayM8037))
            running_ = false;
        else if (relayOn(block + kRelayM8036))
            running_ = true;
    }
    if (running_)
        relays_.insert(block + kRelayM8000);
    else
        relays_.erase(block + kRelayM8000);
    setByte(statusByteAddress(plcType()), running_ ? kStatusRunning : kStatusStopped);
    return control(kAck);
}

// 0 the program (END alone), 1 the parameter block's keyword and check code, 2 the bit space,
// 3 the data registers, 4 the end of a clear. A running PLC refuses them all.
std::vector<Chunk> PlcSimulator::answerClear(char area) {
    if (running_) return control(kNak);
    const std::int32_t n = memory_.memSizeCode();
    const auto words = static_cast<std::uint32_t>(1000 * n);
    switch (area) {
        case '0':
            for (std::uint32_t i = 0; i < words; ++i) setWord(kProgramStart + 2 * i, 0xFFFF, Space::Program);
            setWord(kProgramStart, 0x000F, Space::Program);
            break;
        case '1':
            for (std::uint32_t i = 0; i < 8; ++i) setByte(kKeyword + i, ' ', Space::Program);
            setWord(kParameterBlock + 2, static_cast<std::uint16_t>(0x10000u - words + 0x10u),
                    Space::Program);
            break;
        case '2':
            if (std::uint8_t* bits = memory_.locate(Space::Plain, 0, kBitSpaceBytes))
                std::fill_n(bits, kBitSpaceBytes, std::uint8_t{0});
            break;
        case '3': {
            const Space space = plcType() == 2 ? Space::Extended : Space::Plain;
            if (std::uint8_t* data = memory_.locate(space, dataRegisterBase(), memory_.dataRegisterBytes()))
                std::fill_n(data, memory_.dataRegisterBytes(), std::uint8_t{0});
            break;
        }
        default: break;
    }
    return control(kAck);
}

}  // namespace kestrion::plcsim
