#include "plcsim/PlcSimErrors.h"

#include <cstdio>

namespace kestrion::plcsim {

namespace {

constexpr std::size_t kErrorCountOffset = 2;
constexpr std::size_t kRunTimeOffset = 4;
constexpr std::size_t kFirstRecordOffset = 8;
constexpr std::size_t kRecordSpacing = 4;
constexpr std::size_t kRecords = 7;

void putReportWord(PlcSimulator& plc, std::size_t offset, std::uint16_t value) {
    plc.errorReport[offset] = static_cast<std::uint8_t>(value & 0xFF);
    plc.errorReport[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t reportWord(const PlcSimulator& plc, std::size_t offset) {
    return static_cast<std::uint16_t>(plc.errorReport[offset] | plc.errorReport[offset + 1] << 8);
}

}  // namespace

void setSpecialRegister(PlcSimulator& plc, int registerNo, std::uint16_t value) {
    plc.setWord(kSpecialRegisterBase + 2 * static_cast<std::uint32_t>(registerNo - 8000), value);
}

void raiseError(PlcSimulator& plc, const RaisedError& error) {
    setSpecialRegister(plc, 8004, static_cast<std::uint16_t>(error.registerNo));
    setSpecialRegister(plc, 8068, error.d8068);
    setSpecialRegister(plc, 8069, error.d8069);
    setSpecialRegister(plc, error.registerNo, error.code);

    for (std::size_t record = kRecords - 1; record > 0; --record) {
        const std::size_t offset = kFirstRecordOffset + kRecordSpacing * record;
        putReportWord(plc, offset, reportWord(plc, offset - kRecordSpacing));
    }
    putReportWord(plc, kFirstRecordOffset, error.code);
    putReportWord(plc, kErrorCountOffset, static_cast<std::uint16_t>(reportWord(plc, kErrorCountOffset) + 1));
}

void setPowerOnCount(PlcSimulator& plc, std::uint16_t count) {
    putReportWord(plc, 0, count);
}

void setRunTime(PlcSimulator& plc, std::uint32_t seconds) {
    putReportWord(plc, kRunTimeOffset, static_cast<std::uint16_t>(seconds & 0xFFFF));
    putReportWord(plc, kRunTimeOffset + 2, static_cast<std::uint16_t>(seconds >> 16));
}

bool raiseErrorOption(PlcSimulator& plc, const std::string& text) {
    RaisedError error;
    unsigned code = 0;
    unsigned d8068 = 0;
    unsigned d8069 = 0;
    char end = 0;
    const int fields =
        std::sscanf(text.c_str(), "%d=%u,%u,%u%c", &error.registerNo, &code, &d8068, &d8069, &end);
    if (fields < 2 || fields > 4 || error.registerNo < 8060 || error.registerNo > 8069 || code > 0xFFFF ||
        d8068 > 0xFFFF || d8069 > 0xFFFF)
        return false;
    error.code = static_cast<std::uint16_t>(code);
    error.d8068 = static_cast<std::uint16_t>(d8068);
    error.d8069 = static_cast<std::uint16_t>(d8069);
    raiseError(plc, error);
    return true;
}

}  // namespace kestrion::plcsim
