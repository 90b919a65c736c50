// Reading hexadecimal digits of operand texts.
#pragma once

#include <cstdint>

namespace kestrion {

// '0'..'9' give 0..9 and 'A'..'F' give 10..15; any other character gives 0.
std::int32_t hexDigitValue(char digit);

}  // namespace kestrion
