// Monitored devices turned into the PLC memory locations of the request lists rs.bitTxBuf (bit
// numbers of contacts and coils) and rs.byteTxBuf (byte addresses of 16-bit words), by the family
// of the connected PLC type; and the fields of a monitor list node the monitor reads and writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/image/MonitorLists.h"

namespace kestrion {

// Data types of a monitored device.
constexpr std::uint16_t kDataWord = 0;
constexpr std::uint16_t kDataDoubleWord = 1;
constexpr std::uint16_t kDataBit = 2;
constexpr std::uint16_t kDataTimerCounter = 3;  // a value and a contact
constexpr std::uint16_t kDataLongCounter = 4;   // C200 upward: a 32-bit value and a contact

// Display formats.
constexpr std::uint16_t kFormatBinary = 0;
constexpr std::uint16_t kFormatDecimal = 1;
constexpr std::uint16_t kFormatHex = 2;
constexpr std::uint16_t kFormatAscii = 3;
constexpr std::uint16_t kFormatFloat = 4;

// The request entries the monitor may hold in both lists together.
constexpr std::size_t kMonitorEntryLimit = 64;
// The plain types' registration area has room for this many word entries.
constexpr std::size_t kPlainWordEntryLimit = 16;

// The node's device code holds its data type and display format (16 bits each, low byte first).
std::uint16_t nodeDataType(const deviceMonitorNode& node);
std::uint16_t nodeDisplayFormat(const deviceMonitorNode& node);
void setNodeDataType(deviceMonitorNode& node, std::uint16_t type);
void setNodeDisplayFormat(deviceMonitorNode& node, std::uint16_t format);
void setNodeName(deviceMonitorNode& node, std::string_view name);
std::string nodeName(const deviceMonitorNode& node);

// The data type of a device by its letter: bits, timer and counter values (32-bit from C200),
// words or double words for the rest.
std::uint16_t dataTypeOfDevice(char letter, std::uint32_t number, bool doubleWord);

// True when the device's entries (T and C two, a 32-bit D two) still fit: 64 entries in both lists,
// 127 in each, 16 word entries on the plain types. A letter that maps to nothing always fits.
bool monitorListsHaveRoom(char letter, std::uint16_t dataType, int plcType);

// Appends the entries of a device: name's first character is the letter, number the number as
// written (X and Y in octal digits), dataType 1 a double word. A plcType above 16 appends nothing
// and says "Error2018080250".
void addMonitorDevice(std::string_view name, std::uint32_t number, std::uint16_t dataType, int plcType);

}  // namespace kestrion
