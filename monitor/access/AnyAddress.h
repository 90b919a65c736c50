// Reading, writing and forcing bits at any address of the PLC's memory with the extended "EA"
// commands, the number rule of the service edits, the list formats of the bytes read, and the
// block read of xRS > "SubReadAnyAddress" into the second half of anyAddressBuf.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrion {

constexpr std::size_t kAnyAddressBufSize = 1024;
constexpr int kAnyAddressMaxBytes = 255;  // a count travels as two hex digits
constexpr std::uint32_t kAnyAddressReplyTicks = 10;

extern std::array<std::uint8_t, kAnyAddressBufSize>& anyAddressBuf;

// 'H'/'h' and hex digits, 'K'/'k' and a decimal number, or a decimal number alone; an empty text
// or a prefix alone gives 0. Any other first character, a character after H that is no hex digit,
// or a decimal text that is no number is told in a box and gives nothing. A hex number past the
// largest int gives the largest int.
std::optional<int> checkedKHValue(const std::string& text);
// The same, 0 where it gives nothing.
int parseKHValue(const std::string& text);

// What became of a read or write.
enum class AnyAddressResult { Done, NothingToSend, NotSent, TimeOut, Nak, Busy };

// The frame texts (STX, command, fields, ETX, without the check code) of the four commands.
std::string anyAddressReadCommand(std::uint32_t address, int count);             // "EAA"
std::string anyAddressWriteCommand(std::uint32_t address, int count, int data);  // "EAC"
std::string anyBitForceCommand(bool on, std::uint32_t address);                  // "EAE" / "EAF"
std::string blockReadCommand(std::uint32_t address, int count);                  // "EA8"

// One EAA frame for count bytes at address, awaited 10 poller ticks; a checked reply's bytes go to
// anyAddressBuf from offset 0 and to bytes. A count of 0 or less (or above 255) sends nothing.
AnyAddressResult readAnyAddress(int address, int count, std::vector<std::uint8_t>* bytes = nullptr);
// One EAC frame with the low 16 bits of data, awaited 10 poller ticks.
AnyAddressResult writeAnyAddress(int address, int count, int data);

// The text of one list row of `bytes` (1, 2 or 4 of them, first lowest) in a display format: 0
// binary, 1 decimal, 2 hexadecimal, 3 floating point, 4 ASCII character.
std::string anyAddressValueText(const std::uint8_t* bytes, std::size_t size, int dataType);

// xRS > "SubReadAnyAddress": PLC addresses 0x1600 .. 0x16FF in two reads of 128 bytes into
// anyAddressBuf 768 .. 1023, with the progress window.
void SubReadAnyAddress1Click();

// The first 256 bytes of anyAddressBuf, 16 a row in hex, as the machine-code view shows them.
std::vector<std::string> anyAddressHexRows();

}  // namespace kestrion
