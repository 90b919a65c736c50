// The PLC's side of the transfer commands of the PLC menu: each runs as one link command (the
// connection test, the special registers, the type match where the command needs it, the
// transfer, the port closed), shows its outcome and says whether it went through. The refusals
// while a monitor runs, the File > Close before a program read and the ladder built after it are
// the clicks' (link/transfer/TransferCommands).
#pragma once

#include <cstdint>
#include <string>

#include "link/transfer/Transfers.h"

namespace kestrion {

// The PLC's parameter block and program into the project's image: nothing of the project changes
// unless every frame of both arrived and the block's memory size fits the project's type.
bool readProgramFromPlc();
// The project's parameter block and program (the whole capacity, or steps 0 to the END step) to
// the PLC, stopped first; "Completed" and the remote RUN question only after every frame, the
// closing one included, was acknowledged. What it writes, and the keyword it asks about, are the
// project's as the command begins (ProgramAtStart); a failed frame says the PLC stays in STOP with
// its program possibly incomplete.
bool writeProgramToPlc(bool rangeSetting);
// Reads the PLC's program back and shows the first differing step or "Program match", compared
// against the project's program as the command began.
void verifyProgramWithPlc();
// The PLC's D registers into the project's register image and its parameter block into the
// project's (its memory size and program check code stay the project's).
bool readRegistersFromPlc();
// The project's D registers as the command begins, into the PLC stopped first; a failed register
// frame says the PLC stays in STOP with its registers possibly incomplete.
void writeRegistersToPlc();
// Compares the PLC's D registers against the project's as the command began.
void verifyRegistersWithPlc();

// The steps a program write sends (the whole capacity, or steps 0 to END, as taken at its start)
// must fit the memory size of the PLC's parameter block, read into VirtualProg; otherwise the box
// names both sizes and the command ends before anything is written or the PLC is stopped.
void requireProgramFitsPlc(const ProgramAtStart& program);

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
