#include "wizards/gateway/GatewayProgram.h"

#include <algorithm>

#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

// One instruction a line: its words, then its step and how the program reads it.
// clang-format off
const std::array<std::uint16_t, kGatewayProgramWordCount> gatewayProgramWords = {
    0x2F01,                                                                   //   0 LD M8001
    0x0028, 0x8201, 0x8014, 0x86DC, 0x8000,                                   //   1 MOV H1401 D8110
    0x2F02,                                                                   //   6 LD M8002
    0x0028, 0x8200, 0x8042, 0x8644, 0x8600,                                   //   7 MOV H4200 D34
    0x2F02,                                                                   //  12 LD M8002
    0x0012, 0x8878, 0x8000,                                                   //  13 CALL P60
    0x2F00,                                                                   //  16 LD M8000
    0x0012, 0x883C, 0x8000,                                                   //  17 CALL P30
    0x29F4,                                                                   //  20 LD M500
    0x002E, 0x8600, 0x8800, 0x86D0, 0x8807, 0x86C4, 0x8600,                   //  21 BMOV D1000 D2000 D98
    0x00B0, 0x86D0, 0x8807, 0x86C4, 0x8600, 0x86A0, 0x880F, 0x86C6, 0x8600,   //  28 RS D2000 D98 D3000 D99
    0x3F7B,                                                                   //  37 LDI M8123
    0x5600,                                                                   //  38 ANI T0
    0x0600, 0x8014, 0x8000,                                                   //  39 OUT T0 K20
    0x01CA, 0x8600,                                                           //  42 LDP T0
    0xD9F4,                                                                   //  44 SET M500
    0x0003, 0x8F7A,                                                           //  45 SET M8122
    0x01CA, 0x8F7B,                                                           //  47 LDP M8123
    0x0004, 0x8F7B,                                                           //  49 RST M8123
    0x0003, 0x8F7A,                                                           //  51 SET M8122
    0x01CA, 0x8F0D,                                                           //  53 LDP M8013
    0x0040, 0x864A, 0x8600,                                                   //  55 INC D37
    0x0040, 0x865A, 0x8600,                                                   //  58 INC D45
    0x01CB, 0x8F0D,                                                           //  61 LDF M8013
    0x0040, 0x864E, 0x8600,                                                   //  63 INC D39
    0x0040, 0x8662, 0x8600,                                                   //  66 INC D49
    0x2F01,                                                                   //  69 LD M8001
    0x0003, 0x8F27,                                                           //  70 SET M8039
    0x0028, 0x8032, 0x8000, 0x864E, 0x8000,                                   //  72 MOV K50 D8039
    0x001C,                                                                   //  77 FEND
    0xB01E,                                                                   //  78 P30
    0x2F00,                                                                   //  79 LD M8000
    0x0028, 0x8201, 0x8000, 0x8600, 0x8800,                                   //  80 MOV H0001 D1000
    0x0028, 0x8206, 0x8000, 0x8602, 0x8800,                                   //  85 MOV H0006 D1001
    0x0028, 0x8200, 0x8000, 0x8604, 0x8800,                                   //  90 MOV H0000 D1002
    0x0028, 0x8204, 0x8000, 0x8606, 0x8800,                                   //  95 MOV H0004 D1003
    0x0028, 0x8200, 0x8000, 0x8608, 0x8800,                                   // 100 MOV H0000 D1004
    0x0028, 0x860A, 0x8600, 0x860A, 0x8800,                                   // 105 MOV D5 D1005
    0x0014,                                                                   // 110 SRET
    0xB03C,                                                                   // 111 P60
    0x2F00,                                                                   // 112 LD M8000
    0x0028, 0x8286, 0x8033, 0x86F0, 0x8000,                                   // 113 MOV H3386 D8120
    0x0028, 0x8000, 0x8000, 0x86F2, 0x8000,                                   // 118 MOV K0 D8121
    0x2F00,                                                                   // 123 LD M8000
    0x0003, 0x8FA1,                                                           // 124 SET M8161
    0x0028, 0x823A, 0x8000, 0x86F8, 0x8000,                                   // 126 MOV H003A D8124
    0x0028, 0x820D, 0x8000, 0x86FA, 0x8000,                                   // 131 MOV H000D D8125
    0x0028, 0x820A, 0x8000, 0x86FC, 0x8000,                                   // 136 MOV H000A D8126
    0x0028, 0x80C8, 0x8000, 0x8602, 0x8001,                                   // 141 MOV K200 D8129
    0x0028, 0x8040, 0x8000, 0x86C4, 0x8600,                                   // 146 MOV K64 D98
    0x0028, 0x8040, 0x8000, 0x86C6, 0x8600,                                   // 151 MOV K64 D99
    0x0014,                                                                   // 156 SRET
    0x000F,                                                                   // 157 END
};
// clang-format on

bool writeGatewayProgramImage(std::int32_t plcType) {
    const std::int32_t n = pmw.memSizeCode();
    if (!initPmwImageForTypeAndSize(plcType, n)) return false;
    const std::uint16_t seed = getSumCheckSeed(n);
    platform::statusBar().setPanelText(0, hexText(seed, 4));
    // The old program's words after the 158 would stand after END, uncounted by the check code.
    std::fill(pmw.program.begin(), pmw.program.end(), kEmptyWord);
    std::copy(gatewayProgramWords.begin(), gatewayProgramWords.end(), pmw.program.begin());
    std::uint16_t check = seed;
    for (const std::uint16_t word : gatewayProgramWords) check = static_cast<std::uint16_t>(check + word + 1);
    pmw.setSumCheck(check);
    platform::statusBar().setPanelText(0, hexText(check, 4));
    return true;
}

}  // namespace kestrion
