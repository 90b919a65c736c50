// The meaning of the PLC's error registers: D8004 names the flagged register among D8060 to D8069,
// that register holds an error code, and D8068 and D8069 carry details (an extra code, command
// numbers, the step number) that some errors show.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diagnostics/TextVariants.h"

namespace kestrion {

// The lines that follow a row's description line.
enum class FollowUp {
    None,
    StepLine,               // " ErrorStepNo D8069=" + D8069
    IgnoreLine,             // " ErrorStepNo= ...ignore..."
    ShortStepLine,          // the step line, read " ErrorStep D8069=" under Traditional Chinese
    StepNoFromD8068,        // " ErrorStepNo D8068=" + D8068, in every language
    MotionLineThenStep,     // the commands in D8068 (only for PLC type 2), then the step line
    ErrorCodeLineThenStep,  // the extra code in D8068 with its note, then the step line
    NoLineAtAll,            // the row writes nothing, not even its description line
};

struct ErrRegisterRow {
    std::int16_t registerNo;  // 8060 to 8069
    std::int16_t code;
    TextVariants text;  // appended after the register's value; each non-empty text begins with a blank
    FollowUp followUp;
};

constexpr std::size_t kErrRegisterRowCount = 136;
extern const std::array<ErrRegisterRow, kErrRegisterRowCount> errRegisterCodes;

// The PLC type whose controller reports the commands of a duplicated motion instruction.
constexpr int kPlcTypeWithMotionCommands = 2;

// The words D8060 to D8069 of the special-register image, in this order.
using ErrorRegisterWords = std::span<std::int16_t, 10>;

// Reads one register of D8060 to D8069 (given as 8060 to 8069) again from the PLC: its value, or
// nothing when the PLC did not answer in time or refused the request.
using ReadErrorRegister = std::function<std::optional<std::int16_t>(int registerNo)>;

// Appends the description of the error that d8004 flags to lines, in the interface language.
// D8060 to D8063 and D8065 to D8067 are read again through readAgain before they are described, and
// the value read is stored in their word; when that read fails the word keeps the value it had.
void decodeErrorRegisters(std::vector<std::string>& lines, int plcType, std::int16_t d8004,
                          ErrorRegisterWords registers, const ReadErrorRegister& readAgain);

}  // namespace kestrion
