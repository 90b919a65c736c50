// Placement of the objects that end a rung or stand beside the bus while a program is loaded:
// OUT, SET and RST, the timer and counter coils, the two-word basic outputs, the application
// instructions, STL and RET, and the pointer and interrupt labels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrion {

// The families as the load meets their words: each refuses a word the ladder cannot show where the
// words before leave it (the load stops at its step), places it, marks its cells and notes what it
// leaves for the next word. OUT, SET/RST, OUT T/C, the two-word basic outputs (MC and MCR among
// them) and the application instructions need a condition in front of them (MCR, and an instruction
// that stands alone, the end of the rung instead); STL and RET end the rung before them and start at
// a bus; a label ends the rung before it and begins the next.
void placeOutWord(std::uint16_t code);
void placeSetRstWord(std::uint16_t code);
void placeTimerCounterWord(std::uint16_t code);
void placeTwoWordOutputWord(std::uint16_t code);
void placeApplicationWord(std::uint16_t code);
void placeStlWord(std::uint16_t code);
void placeRetWord(std::uint16_t code);
void placeLabelWord(std::uint16_t code);

// FNC 2, 3, 4, 5, 6, 8 and 9 (SRET, IRET, EI, DI, FEND, FOR, NEXT): words that stand on a line of their
// own, in a block of their own, with no contact in front of them.
bool standsAlone(std::uint16_t word);

void convOutToLadder(std::uint16_t group);
void convSetRstToLadder(std::uint16_t group);
void convOutTcToLadder(std::uint16_t word);
// The operand texts of a timer or counter coil from its words at offset; width 2 for C200 and up.
void convTcOperandText(std::size_t offset, std::uint32_t width);
void convTwoWordOutToLadder(std::uint16_t word);
void convFncToLadder(std::uint16_t word);
void convFncPulseToLadder(std::uint16_t word);
void convStlToLadder(std::uint16_t word);
void convRetToLadder(std::uint16_t word);

void newLabelObject();
void convLabelIText(std::uint16_t word);
void convLabelPText(std::uint16_t word);
void convLabelPHighText(std::uint16_t word, std::int32_t high);

}  // namespace kestrion
