// The instruction view's lines: the program of the image as instruction lines (step, mnemonic,
// operands) as the loader's decoders write them, with the device comments of the operands beside
// them while the Comment menu shows device comments. The list only knows where each instruction
// starts; a line is decoded when the view asks for it, so a program of 64,000 steps lists at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrion {

struct InstructionLine {
    std::uint32_t step = 0;
    std::string mnemonic;
    std::string operands;  // separated by one blank
    std::string comment;   // the operands' device comments, when shown
};

// Takes the program as the image holds it now, up to END; true when its words differ from those
// listed before (the view then reads its lines again).
bool refreshInstructionList();
std::size_t instructionLineCount();
// The line of a row; an empty line past the end.
InstructionLine instructionLine(std::size_t row);
// The row of the instruction that holds a step.
std::size_t instructionRowOfStep(std::uint32_t step);

// The ladder's frame to the symbol of a line's instruction (the next one drawn when the
// instruction has none of its own, as ANB and MPS); false when there is none (nothing moves).
bool frameInstructionLine(std::size_t row);

}  // namespace kestrion
