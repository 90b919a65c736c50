// The device numbers each PLC type accepts. Every check takes (PLC type code, number), returns 0
// when the number is valid and 1 when it is not; a refusal has already shown its error box, so the
// caller adds nothing. A type code other than 1, 2, 4, 5, 6 and 7 is refused as a type error.
#pragma once

#include <cstdint>

namespace kestrion {

// X and Y numbers are the octal-written number read as decimal: X17 is 17, X100 is 100.
std::int32_t checkXYRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkMRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkSRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkTRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkCRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkDRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkRRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkURange(std::int32_t plcType, std::int32_t number);
std::int32_t checkVZRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkNRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkPRange(std::int32_t plcType, std::int32_t number);
std::int32_t checkIRange(std::int32_t plcType, std::int32_t number);

// The X and Y check without its box: true when the PLC type has that input or output.
bool xyNumberValid(std::int32_t plcType, std::int32_t number);

// The check of a device letter (X, Y, M, S, T, C, D, R, V, Z, N, P, I); null for any other.
using DeviceRangeCheck = std::int32_t (*)(std::int32_t plcType, std::int32_t number);
DeviceRangeCheck deviceRangeCheckOf(char letter);

// Constants: the value must lie within [min, max], the limits of the operand. The upper bound is
// tested first and then the lower, each with its own box, so a call can show two boxes.
std::int32_t checkKRange(std::int32_t plcType, std::int32_t value, std::int32_t max, std::int32_t min);
// The same for a real-number constant; a value that is not a number is refused as above max.
std::int32_t checkDKRange(std::int32_t plcType, double value, std::int32_t max, std::int32_t min);

}  // namespace kestrion
