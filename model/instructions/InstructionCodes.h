// Families of instruction-code words: which codes are contacts of the LD, AND and OR kinds,
// outputs, block and stack codes, STL and RET. Each takes the code as a signed 32-bit integer.
#pragma once

#include <cstdint>

namespace kestrion {

bool isOutputTypeCode(std::int32_t code);
bool isUnconditionalInstrCode(std::int32_t code);
bool isStlPageCode(std::int32_t code);
bool isRetCode(std::int32_t code);
bool isLoadTypeCode(std::int32_t code);
bool isAndTypeCode(std::int32_t code);
bool isOrTypeCode(std::int32_t code);
bool isAnbCode(std::int32_t code);
bool isOrbCode(std::int32_t code);
bool isMppCode(std::int32_t code);
bool isNopCode(std::int32_t code);
// The codes of an OUT coil as the entry places it: 0xC000, 0x0002, 0x0005, 0x0202, 0x0600, 0x0700
// and 0x0E00.
bool isOutCoilCode(std::int32_t code);
// Pointer and interrupt labels as the ladder objects carry them (0xB000, 0xB100, 0xB800-0xBFFF).
bool isLabelCode(std::int32_t code);

// The tool-bar symbol (0 to 18) whose button or function key enters an instruction of this code;
// 0 when no symbol enters it. The same numbers the buttons put into iconSymbleCode.
std::int32_t getIconSymbleCode(std::int32_t code);

}  // namespace kestrion
