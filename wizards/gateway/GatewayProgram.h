// The ready gateway program: 158 instruction words that drive the PLC's serial port towards a
// CC-Link gateway module (RS on D2000/D3000 with the format word H3386 in D8120, header 3Ah and
// terminators 0Dh 0Ah in D8124..D8126, a six-word send block in D1000..D1005, and D8110 = H1401 on
// a line that M8001 keeps idle), and the gateway program dialog (TccGateModbusForm) whose
// "P.Generte" button puts it into the editor.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kestrion {

constexpr std::size_t kGatewayProgramWordCount = 158;
extern const std::array<std::uint16_t, kGatewayProgramWordCount> gatewayProgramWords;

// The program words of the image for a PLC type: header, parameter block and tail of the type at
// the image's capacity, the 158 words from step 0, every word after them empty (0xFFFF) and the
// check code over them; status panel 0 shows the check code's seed, then the code (four hex
// digits). A type no PLC has shows "Parameter Error" and leaves the image as it was (false).
[[nodiscard]] bool writeGatewayProgramImage(std::int32_t plcType);

// The rules of TccGateModbusForm. None of its Modbus settings is read by any action: the
// generated program is always the one above.
struct CcGateModbusDialog {
    std::string caption;
    std::uint8_t closeFlag = 0;
    std::uint8_t cancelFlag = 0;
    std::vector<std::string> msgMemo;
    // What "P.Generte" runs; the opener supplies it (the generator lives with the main window).
    std::function<void()> generate;

    void btnCloseClick() {
        closeFlag = 1;
        cancelFlag = 0;
    }
    void btnCancelClick() {
        closeFlag = 0;
        cancelFlag = 1;
    }
    void ProgGenerteClick() {
        if (generate) generate();
    }
};

}  // namespace kestrion
