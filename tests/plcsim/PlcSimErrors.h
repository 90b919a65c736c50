// The errors a simulated PLC records: D8004 flags the error register that holds the code, D8068
// and D8069 carry the details, and the history that the machine-status request "6F5Error" reports
// (power-on count, error count, run time, the last seven codes) keeps the code as its newest record.
#pragma once

#include <cstdint>
#include <string>

#include "plcsim/PlcSimulator.h"

namespace kestrion::plcsim {

struct RaisedError {
    int registerNo = 8060;  // 8060 to 8069
    std::uint16_t code = 0;
    std::uint16_t d8068 = 0;
    std::uint16_t d8069 = 0;
};

// Sets the special register given by its number, 8000 to 8255.
void setSpecialRegister(PlcSimulator& plc, int registerNo, std::uint16_t value);

// The PLC stops on the error: the registers as above, the code recorded first in the history and
// the error count raised by one.
void raiseError(PlcSimulator& plc, const RaisedError& error);

// The fields of the machine-status record that are not errors.
void setPowerOnCount(PlcSimulator& plc, std::uint16_t count);
void setRunTime(PlcSimulator& plc, std::uint32_t seconds);

// The option "--error REGISTER=CODE[,D8068[,D8069]]" of the program plcsim; false when the text is
// not of that form.
bool raiseErrorOption(PlcSimulator& plc, const std::string& text);

}  // namespace kestrion::plcsim
