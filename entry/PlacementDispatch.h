// Where a recognised instruction goes: the code chooses the placement operation of the ladder
// editor, and iFncFlag tells the entry driver whether the instruction stands at the right bus.
#pragma once

#include <cstdint>

#include "entry/OperandCheckers.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

// 0 placed, 1 the cursor cell cannot take the symbol or the code has no placement (the latter with
// the code and cursor in status panel 0 and the box "Error2015031609"). The 32-bit flag is read from
// editInstrFlags; object is the object being entered.
std::uint8_t defineInstrSymbleAddress(std::uint32_t code, std::uint32_t x, const OperandTexts& operands,
                                      std::uint32_t y, stLadderBlock& object);

}  // namespace kestrion
