#include "monitor/AddressLists.h"

#include <algorithm>

#include "link/plc/MonitorFrames.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kSpecialFrom = 8000;
constexpr std::uint32_t kLongCounterFrom = 200;
constexpr int kHighestPlcType = 16;

enum class Family { Type2, Type57, Plain };

Family familyOf(int plcType) {
    if (plcType == 2) return Family::Type2;
    if (plcType == 5 || plcType == 7) return Family::Type57;
    return Family::Plain;
}

// X and Y numbers are octal written in decimal digits: X177 is 127.
std::uint32_t octalValue(std::uint32_t number) {
    if (number > 99) number -= 20;
    return number / 10 * 8 + number % 10;
}

std::uint16_t at(std::uint32_t base, std::uint32_t offset) {
    return static_cast<std::uint16_t>((base + offset) & 0xFFFF);
}

// The three columns of the device map, by family.
std::uint32_t pick(Family family, std::uint32_t type2, std::uint32_t type57, std::uint32_t plain) {
    switch (family) {
        case Family::Type2: return type2;
        case Family::Type57: return type57;
        case Family::Plain: break;
    }
    return plain;
}

std::uint16_t bitAddress(char letter, std::uint32_t n, Family f) {
    switch (letter) {
        case 'X': return at(pick(f, 0x6500, 0x1200, 0x0400), octalValue(n));
        case 'Y': return at(pick(f, 0x5E00, 0x0C00, 0x0500), octalValue(n));
        case 'M':
            if (n >= kSpecialFrom) return at(pick(f, 0x6000, 0x0E00, 0x0F00), n - kSpecialFrom);
            return at(pick(f, 0x4000, 0x0000, 0x0800), n);
        case 'S': return at(pick(f, 0x6700, 0x1400, 0x0000), n);
        case 'T': return at(pick(f, 0x6300, 0x1000, 0x0600), n);
        default: return at(pick(f, 0x6200, 0x0F00, 0x0E00), n);  // C
    }
}

std::uint16_t wordAddress(char letter, std::uint32_t n, Family f) {
    switch (letter) {
        case 'T': return at(pick(f, 0x1000, 0x1000, 0x0800), 2 * n);
        case 'C':
            if (n >= kLongCounterFrom) return at(0x0C00, 4 * (n - kLongCounterFrom));
            return at(0x0A00, 2 * n);
        default:  // D
            if (n >= kSpecialFrom) return at(pick(f, 0x8000, 0x0E00, 0x0E00), 2 * (n - kSpecialFrom));
            return at(pick(f, 0x4000, 0x4000, 0x1000), 2 * n);
    }
}

struct Entries {
    std::size_t bits = 0;
    std::size_t words = 0;
};

Entries entriesOf(char letter, std::uint16_t dataType) {
    switch (letter) {
        case 'X':
        case 'Y':
        case 'M':
        case 'S': return {1, 0};
        case 'T':
        case 'C': return {1, 1};
        case 'D': return {0, dataType == kDataDoubleWord ? 2u : 1u};
        default: return {};
    }
}

std::uint16_t codeHalf(const deviceMonitorNode& node, std::size_t at) {
    return static_cast<std::uint16_t>(node.deviceCode[at] | node.deviceCode[at + 1] << 8);
}

void setCodeHalf(deviceMonitorNode& node, std::size_t at, std::uint16_t value) {
    node.deviceCode[at] = static_cast<std::uint8_t>(value & 0xFF);
    node.deviceCode[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

std::uint16_t nodeDataType(const deviceMonitorNode& node) {
    return codeHalf(node, 0);
}
std::uint16_t nodeDisplayFormat(const deviceMonitorNode& node) {
    return codeHalf(node, 2);
}
void setNodeDataType(deviceMonitorNode& node, std::uint16_t type) {
    setCodeHalf(node, 0, type);
}
void setNodeDisplayFormat(deviceMonitorNode& node, std::uint16_t format) {
    setCodeHalf(node, 2, format);
}

void setNodeName(deviceMonitorNode& node, std::string_view name) {
    setText(node.deviceText, name);
}

std::string nodeName(const deviceMonitorNode& node) {
    return textOf(node.deviceText);
}

std::uint16_t dataTypeOfDevice(char letter, std::uint32_t number, bool doubleWord) {
    switch (letter) {
        case 'X':
        case 'Y':
        case 'M':
        case 'S': return kDataBit;
        case 'T': return kDataTimerCounter;
        case 'C': return number >= kLongCounterFrom ? kDataLongCounter : kDataTimerCounter;
        default: return doubleWord ? kDataDoubleWord : kDataWord;
    }
}

bool monitorListsHaveRoom(char letter, std::uint16_t dataType, int plcType) {
    const Entries need = entriesOf(letter, dataType);
    const std::size_t bits = monitorListEntries(rs.bitTxBuf);
    const std::size_t words = monitorListEntries(rs.byteTxBuf);
    if (bits + words + need.bits + need.words > kMonitorEntryLimit) return false;
    if (bits + need.bits > kMonitorListCapacity || words + need.words > kMonitorListCapacity) return false;
    return familyOf(plcType) != Family::Plain || need.words == 0 ||
           words + need.words <= kPlainWordEntryLimit;
}

void addMonitorDevice(std::string_view name, std::uint32_t number, std::uint16_t dataType, int plcType) {
    if (plcType > kHighestPlcType) {
        platform::say({"Error2018080250", "*PLC type error", platform::MsgIcon::Warning});
        return;
    }
    if (name.empty()) return;
    const char letter = name[0];
    const Family family = familyOf(plcType);
    switch (letter) {
        case 'X':
        case 'Y':
        case 'M':
        case 'S': appendMonitorListEntry(rs.bitTxBuf, bitAddress(letter, number, family)); break;
        case 'T':
        case 'C':
            appendMonitorListEntry(rs.bitTxBuf, bitAddress(letter, number, family));
            appendMonitorListEntry(rs.byteTxBuf, wordAddress(letter, number, family));
            break;
        case 'D': {
            const std::uint16_t address = wordAddress(letter, number, family);
            appendMonitorListEntry(rs.byteTxBuf, address);
            if (dataType == kDataDoubleWord) appendMonitorListEntry(rs.byteTxBuf, at(address, 2));
            break;
        }
        default: break;
    }
}

}  // namespace kestrion
