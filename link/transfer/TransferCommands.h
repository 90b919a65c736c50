// PLC > Program Transfer and Register Transfer, the transfer tool buttons and View > "Dreg view ...".
// The PLC's side of each runs in link/transfer/TransferSessions; here are the refusals while a
// monitor runs or the ladder is not converted, the File > Close and the PLC type before a program
// read and the program read shown as a new one (the main window's steps,
// link/transfer/WindowSteps.h).
#pragma once

namespace kestrion {

void ProgReadClick();
void ProgWriteClick();
void ProgVerifyClick();
void RegReadClick();
void RegWriteClick();
void RegVerifyClick();
// "Read Prog From PLC" and "Write Rpog To PLC".
void spbtnUploadProgClick();
void spbtnDnloadProgClick();

// View > "Dreg view ...": the register dialog "D register".
void DregView1Click();

}  // namespace kestrion
