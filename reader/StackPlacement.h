// Placement of the stack instructions MPS, MRD and MPP while a program is loaded: the branch
// point on the MpsMrdMpp stack, the row of the next branch in mpStack.yPointer, and the updates of
// that row after each output.
#pragma once

#include <cstdint>

namespace kestrion {

// MPS, MRD and MPP as the load meets them: MRD and MPP only right after an output of their branch
// point's rung, each only where a rung goes on (the load stops at its step otherwise); placed, they
// leave the rung's contacts going on from the branch point.
void placeStackWord(std::uint16_t code);

void newStackInstrObject(std::uint16_t code);
void convMpsToLadder();
void convMrdToLadder();
void convMppToLadder();
// After OUT, SET and RST.
void updateMpYAfterCoil();
// After the timer and counter coils, two-word outputs, application instructions and RET.
void updateMpYAfterOutput();

}  // namespace kestrion
