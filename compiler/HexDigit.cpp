#include "compiler/HexDigit.h"

namespace kestrion {

std::int32_t hexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return 0;
}

}  // namespace kestrion
