// The framings behind the any-command terminal's Send: the command text (hex digit pairs as typed)
// becomes one frame of a link protocol in rsChHex with that protocol's check code and line end,
// goes out, is awaited, and leaves two texts: the frame as sent and the reply as received, control
// characters written by name. Each routine runs with the port open in its protocol's format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/terminals/TerminalState.h"

namespace kestrion {

extern std::string& anyCommandTxText;
extern std::string& anyCommandRxText;

// The digit pairs of a command text as bytes, from its start: a character that is no hex digit
// (a blank too) counts as the digit 0, and an odd last digit is paired with 0.
std::vector<std::uint8_t> commandBytes(const std::string& text);

// The CRC-16 of Modbus RTU: start 0xFFFF, reflected polynomial 0xA001.
std::uint16_t modbusCrc16(const std::vector<std::uint8_t>& bytes);

// Each appends its check characters to the first n characters of rsChHex and to the sent text,
// which holds k characters, and returns the sent text's new length (never above the limit).
std::size_t addAnyCommandSum(std::size_t n, std::size_t k);       // sum of the pairs after the first
std::size_t addAnyCommandAsciiSum(std::size_t n, std::size_t k);  // sum of the characters after the first
std::size_t addModbusLrc(std::size_t n, std::size_t k);           // LRC of the pairs after ':'
std::size_t addModbusCrc16(std::size_t n, std::size_t k);         // CRC of the pairs, low byte first

// The framing routines. Every Send shows only its own frame and reply: both texts start empty, and
// a reply that did not come (or a frame that did not go) leaves the reply text empty.
void sendAnyCommandHex(const std::string& text);          // the PLC's own protocol
void sendAnyCommandAscii(const std::string& text);        // computer link
void sendAnyCommandModbusAscii(const std::string& text);  // Modbus ASCII
void sendAnyCommandModbusRtu(const std::string& text);    // Modbus RTU
// Free user: the typed pairs as bytes, unframed; the reply as under Modbus RTU.
void sendAnyCommandFreeUser(const std::string& text);

}  // namespace kestrion
