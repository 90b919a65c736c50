// Opening the instruction box from the ladder: a typed character, a tool button or function key,
// the output key, or Enter or a double click on an existing object. The box is shown modally; the
// program counts as edited only once it has taken a line (a refused line, Escape and Cancel leave
// the program as it was).
#pragma once

#include <cstdint>
#include <string>

#include "model/ladder/LadderObject.h"

namespace kestrion {

// The typed first character starts the line.
void openInstructionBoxOnKey(char first);
// A symbol chosen with a tool button or function key; the line holds its operands.
void openInstructionBoxOnSymbol(std::uint32_t symbolCode);
// The output key: the line starts with "OUT ".
void openInstructionBoxOnOutputKey();
// Enter or a double click on an object: its mnemonic and operands are offered again. NOP objects
// open nothing.
void openInstructionBoxOnObject(const stLadderBlock& object);

// The text an existing object is offered with: mnemonic and operands, separated by one blank.
std::string objectEntryText(const stLadderBlock& object);

}  // namespace kestrion
