// The error check: the PLC's error registers read over the link and explained in the memo of the
// diagnostics dialog.
#pragma once

#include "diagnostics/ErrMsg1Dialog.h"

namespace kestrion {

// Reads D8004, the error register it flags, D8068 and D8069 into D8Kreg and writes their meaning
// into the memo. A reply is used only when it came whole with a good check code. Runs inside a link
// session: a failed read ends the command with a LinkError after its box.
void readPlcErrorRegisters(ErrMsg1Dialog& form, int plcType);

}  // namespace kestrion
