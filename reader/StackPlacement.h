// Placement of the stack instructions MPS, MRD and MPP while a program is loaded: the branch
// point on the MpsMrdMpp stack, the row of the next branch in mpStack.yPointer, and the updates of
// that row after each output.
#pragma once

#include <cstdint>

namespace kestrion {

void newStackInstrObject(std::uint16_t code);
void convMpsToLadder();
void convMrdToLadder();
void convMppToLadder();
// After OUT, SET and RST.
void updateMpYAfterCoil();
// After the timer and counter coils, two-word outputs, application instructions and RET.
void updateMpYAfterOutput();

}  // namespace kestrion
