// The whole mutable state of the PLC's commands in one place: the parameter block and program as
// read back, the pending remote RUN/STOP request, the latch ranges the parameter dialog offers and
// the frame texts of the plain types' monitor registration. The names the program uses
// (VirtualProg, remoteRunRequest, defaultLatchRange, comTempArray, ...) are references into
// plcState, declared in the headers of their subjects; the start value of each lives here only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/plc/ParameterDialog.h"
#include "model/image/ProgramImage.h"

namespace kestrion {

constexpr std::size_t kVirtualProgSize = kParameterBlockSize + 2 * kProgramWordCount;

struct PlcState {
    // The PLC's parameter block and program as read back, laid out like the program image's.
    std::vector<std::uint8_t> VirtualProg = std::vector<std::uint8_t>(kVirtualProgSize, 0xFF);
    std::uint8_t remoteRunRequest = 0;
    std::uint8_t remoteStopRequest = 0;
    DefaultLatchRanges defaultLatchRange;
    // The frame texts of the plain types' monitor registration, kept for the developer views.
    std::string comTempArray;   // the word block
    std::string comTemp2Array;  // the first bit-block frame
    std::string comTemp3Array;  // the bit-block continuation
};

extern PlcState plcState;

}  // namespace kestrion
