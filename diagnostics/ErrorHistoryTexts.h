// The meaning of the error codes that the PLC keeps in its error history. The table covers the same
// code ranges as the error-register table but is its own: fewer rows, some other wordings, and a
// code without a row reads as no error.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "diagnostics/TextVariants.h"

namespace kestrion {

struct ErrHistoryRow {
    std::int16_t code;
    TextVariants text;  // each non-empty text begins with a blank
};

constexpr std::size_t kErrHistoryRowCount = 106;
extern const std::array<ErrHistoryRow, kErrHistoryRowCount> errHistoryCodes;

// The diagnostics dialog's text field: one NUL-terminated description.
using ErrorCodeText = std::array<char, 256>;

// Leaves the description of a history code in errorCodeText, in the interface language.
void getErrorCodeText(ErrorCodeText& errorCodeText, std::int16_t code);

// Copies text into errorCodeText: at most 255 bytes, never ending inside a UTF-8 character, then
// a NUL byte.
void storeErrorCodeText(ErrorCodeText& errorCodeText, std::string_view text);

}  // namespace kestrion
