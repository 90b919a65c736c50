// PLC > Program Transfer and Register Transfer, the transfer tool buttons and the parameter view's
// handlers. The PLC's side of each runs in link/transfer/TransferCommands; here are the refusals
// while a monitor runs or the ladder is not converted, the File > Close and the PLC type before a
// program read, and the ladder built from the program read.
#pragma once

#include <string>

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

// The parameter view panel's "Close": the ladder's buttons back, the monitor's timer stopped and
// the port closed.
void btnParameterViewCloseClick();
// A double click on an item of the parameter list: its caption, value and index on panel 0.
void ParameterListViewDblClick(const std::string& caption, const std::string& value, int index);

}  // namespace kestrion
