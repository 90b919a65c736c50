// The devices that operand texts name, read as the instruction box reads them: a letter and a
// number, X and Y numbers in octal digits, so X010 and X10 are one device. A digit group (K4M0)
// names the bits from its first device on; a word bit (D100.3) and an index suffix (D100Z1) name
// their register. Constants (K10, H1F, E1.5) and buffer memory (U1\G10) name no device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

struct DeviceName {
    char letter = 0;
    std::uint32_t number = 0;  // as written: X17 is 17

    // X and Y count in octal (X17 is the 16th input); the other letters count as written.
    std::uint32_t index() const;
    // The device text of the comment lists: X and Y in three digits at least (X017), others as
    // written (D100).
    std::string commentKey() const;
    // As the instruction box shows it: X17, D100.
    std::string text() const;
    bool operator==(const DeviceName&) const = default;
};

// The device of a letter at an index (the inverse of index()); none past the numbers a device text
// can hold.
std::optional<DeviceName> deviceAtIndex(char letter, std::uint32_t index);

// Where an operand text names a device.
struct OperandDevice {
    DeviceName device;
    std::size_t begin = 0;  // the device's letter and digits are text[begin, end)
    std::size_t end = 0;
    std::uint32_t groupBits = 0;  // a digit group Kk: 4 k bits from the device on; 0 for one device
    int bit = -1;                 // a word bit D100.3: 3
};

// The device an operand text names (a label's mnemonic, P10 or I001, names its label); none for a
// constant, buffer memory or text that is no device.
std::optional<OperandDevice> operandDevice(std::string_view text);

// A device typed alone (in either case, blanks around it): x10, D100, P5. None for anything else.
std::optional<DeviceName> typedDevice(std::string_view text);

// True when the operand names the device: the device itself, its bit, or one of the bits of a
// digit group.
bool operandCovers(const OperandDevice& operand, const DeviceName& device);

}  // namespace kestrion
