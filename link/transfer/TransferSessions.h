// The PLC's side of the transfer commands of the PLC menu: each runs as one link command (the
// connection test, the special registers, the type match where the command needs it, the
// transfer, the port closed), shows its outcome and says whether it went through. The refusals
// while a monitor runs, the File > Close before a program read and the ladder built after it are
// the clicks' (link/transfer/TransferCommands).
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

// The PLC's parameter block and program into the project's image: nothing of the project changes
// unless every frame of both arrived and the block's memory size fits the project's type.
bool readProgramFromPlc();
// The project's parameter block and program (the whole capacity, or steps 0 to the END step) to
// the PLC, stopped first; "Completed" and the remote RUN question only after every frame, the
// closing one included, was acknowledged.
bool writeProgramToPlc(bool rangeSetting);
// Reads the PLC's program back and shows the first differing step or "Program match".
void verifyProgramWithPlc();
// The PLC's D registers into the project's register image and its parameter block into the
// project's (its memory size and program check code stay the project's).
bool readRegistersFromPlc();
void writeRegistersToPlc();
void verifyRegistersWithPlc();

// The steps a program write would send (the whole capacity, or steps 0 to END) must fit the
// memory size of the PLC's parameter block, read into VirtualProg; otherwise the box names both
// sizes and the command ends before anything is written or the PLC is stopped.
void requireProgramFitsPlc(bool rangeSetting);

// The refusal of a memory size the project's PLC type cannot hold.
std::string memSizeRefusal(std::int32_t n);

// xRS > ReadProgEndStepNo: the END step on status panel 0; the port stays open.
void ReadProgEndStepNo1Click();
// xRS > WriteDregEnd: the register tail cleared in the port that is open.
void WriteDregEnd2Click();
// The hidden Parameter Transfer items: the connection test only.
void parameterRead1Click();
void ParameterWrite1Click();
void ParameterVerify1Click();
// The hidden Protocol setting items: the port reopened with the protocol.
void PlcProtocol1Click();
void cLink1Click();
void ModAsc1Click();
void ModRtu1Click();
void FreeUser1Click();

}  // namespace kestrion
