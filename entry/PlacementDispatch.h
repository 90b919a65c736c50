// Where a recognised instruction goes: the code chooses the placement operation of the ladder
// editor, and iFncFlag tells the entry driver whether the instruction stands at the right bus.
#pragma once

#include <cstdint>

#include "entry/OperandCheckers.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

// The placement of a contact form by its code: the basic LD, LDI, AND, ANI, OR, ORI and INV codes, and
// the extended-device and word-bit forms of the application range (LD 450 and 962 on); null for a code
// of no contact form.
using ContactPlacement = std::uint8_t (*)(std::uint32_t x, std::uint32_t y, stLadderBlock& object);
ContactPlacement contactPlacementOf(std::uint32_t code);

// 0 placed, 1 the cursor cell cannot take the symbol or the code has no placement (the latter with
// the code and cursor in status panel 0 and the box "Error2015031609"). The 32-bit flag is read from
// editInstrFlags; object is the object being entered.
std::uint8_t defineInstrSymbleAddress(std::uint32_t code, std::uint32_t x, const OperandTexts& operands,
                                      std::uint32_t y, stLadderBlock& object);

}  // namespace kestrion
