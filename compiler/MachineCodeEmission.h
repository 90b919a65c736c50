// The last pass of Convert: every ladder object, in list order, becomes its instruction words in
// the program area of the image, with its step number. Anything that cannot be written exactly is
// refused with a message and a ConversionError that names the object and its step; the command's
// transaction then puts the program words and the check code back.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrion {

struct stLadderBlock;

// Writes the whole main list from step 0 and sets the check code by the one rule.
void convLadderToMachineCode();
// The words of ldrConv, whose code is code, from step; returns the step after its last word.
std::uint32_t SubLToM02(std::uint16_t code, std::uint32_t step);
// Removes the object in front of END when it lies on END's row. Returns END's position in the list
// (counting from 1) before the removal, or -1 when the list has no END.
int deleteObjectBeforeEnd();

}  // namespace kestrion
