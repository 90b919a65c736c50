// The operand checkers: whether the operand texts of a recognised line fit its instruction. A
// checker walks the instruction's operand pattern over the operands, position by position, through
// the validators, completes a bare index register to V0 or Z0, and applies the rules of the whole
// line (32-bit form, PLC type, top line) and the special rules of some instructions.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "entry/EntryState.h"
#include "model/instructions/OperandPatterns.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

// Operand texts 1 to 6 of the object being entered; the checkers may complete them in place.
using OperandTexts = std::array<std::span<char>, kOperandCount>;

OperandTexts operandTextsOf(stLadderBlock& object);

// An operand is present when its first character is neither NUL nor a blank.
bool isOperandPresent(std::span<const char> operand);

// 1 when the line is refused, 0 when it is accepted. label is the mnemonic text of a label line
// (P10, I001). The 32-bit flag is read from editInstrFlags, the top line from yOldCursor.
std::uint8_t checkOperands(const OperandPattern& pattern, const OperandTexts& operands,
                           std::string_view label = {});

}  // namespace kestrion
