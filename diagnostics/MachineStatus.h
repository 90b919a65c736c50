// The machine status: the PLC's record of power-ons, errors, run time and the last seven error
// codes, asked for with the service request "6F5Error", and the memo lines that show it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics/DiagnosticsState.h"
#include "diagnostics/ErrMsg1Dialog.h"
#include "diagnostics/ErrorHistoryTexts.h"

namespace kestrion {

// The shown fields of machineStatus.
std::int16_t PowerOnCount();
std::int16_t ErrorCount();
std::int32_t RunTime();
// The error code of history record 1..7.
std::int16_t ErrorRecord(int record);

// Lines 1 to 13 of the memo, in the interface language: the counts, the run time, the history
// records with their descriptions (left in errorCodeText one after the other) and the version code.
std::vector<std::string> machineStatusLines(ErrorCodeText& errorCodeText, std::int16_t d8001);
// Line 14: whether D8004 flags an error now.
std::string currentStatusLine(std::int16_t d8004);

// Reads the PLC's machine-status record into machineStatus and writes it into the memo. Only a
// reply of all 124 digits with a good check code is used; a refusal (NAK) shows dashes in status
// panel 0 and leaves the memo as it was. Runs inside a link session: a failed step ends the command
// with a LinkError after its box.
void readMachineStatus(ErrMsg1Dialog& form);

}  // namespace kestrion
