// The recogniser of the instruction box: turns the mnemonic of a typed line into its instruction
// code, reads the 32-bit D in front of it and the pulse P after it into editInstrFlags, and has the
// operands judged by the instruction's checker.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "entry/FurtherOutput.h"
#include "entry/OperandCheckers.h"

namespace kestrion {

// The code of the line, or 0 when the mnemonic is not an instruction of the box, is ended wrongly,
// stands where it may not, or an operand is refused. x and y are the pixel position of the cell the
// instruction goes to. Leading blanks of the mnemonic are removed in place. For application
// instructions the code is the even base code; the 32-bit and pulse forms are reported in
// editInstrFlags only (compare contacts written with their D come back odd).
std::uint32_t checkInstrCode(std::uint32_t x, std::uint32_t y, std::span<char> mnemonic,
                             const OperandTexts& operands);

// The same judgement of a line already in the ladder whose operands have changed (a device
// replaced): the same operand checkers and placement rules at (x, y), except that a form the box
// does not take itself (one a program file brought) is judged by its operands alone. The entry
// state the box keeps (editInstrFlags, instrResultCode, yOldCursor) is left as it was.
std::uint32_t recheckLadderLine(std::uint32_t x, std::uint32_t y, std::span<char> mnemonic,
                                const OperandTexts& operands);

// Where an output (not one of the instructions that stand alone on its line) typed at x on the line
// y takes its power from. A step holds no master control; an output needs a contact in front of it
// on its line, or a link to a line that has one, unless it stands on an empty line under a rung's
// last output: then it is that rung's further output, hung from the rung's node (entry/FurtherOutput.h).
// Whether Convert then writes the rung as it is drawn is the trial's to say (entry/RungTrial.h).
struct OutputFeed {
    std::string refusal;                   // why it cannot stand there, for the status bar; empty when it can
    std::optional<FurtherOutput> further;  // where it hangs as a further output of the rung above
};
OutputFeed outputFeed(std::uint16_t code, std::uint32_t x, std::uint32_t y);

// "Line 3, cell 2: what" for the cell at (x, y): lines and cells counted from 1, cell 1 the first right
// of the left bus.
std::string cellReason(std::uint32_t x, std::uint32_t y, const std::string& what);

// If the character at index is P: sets the pulse flag and returns index + 1; else returns index.
std::size_t skipPulseSuffix(std::span<const char> text, std::size_t index);

}  // namespace kestrion
