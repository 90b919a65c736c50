// The program image `pmw`: the program file in memory. A 256-byte header, the 92-byte parameter
// block that mirrors PLC memory 0x8000..0x805B, room for 64000 instruction words and the 68-byte
// tail of the PLC type. Everything else in the program reads and writes the program through it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/core/ByteImage.h"

namespace kestrion {

constexpr std::size_t kPmwPreSize = 256;
constexpr std::size_t kParameterBlockSize = 92;
constexpr std::size_t kProgramWordCount = 64000;
constexpr std::size_t kPmwTailSize = 68;

// Offsets in the image and in the program file.
constexpr std::size_t kParameterBlockOffset = kPmwPreSize;                               // 256
constexpr std::size_t kProgramAreaOffset = kParameterBlockOffset + kParameterBlockSize;  // 348
constexpr std::size_t kPmwTailOffset = kProgramAreaOffset + 2 * kProgramWordCount;       // 128348
constexpr std::size_t kPmwImageSize = kPmwTailOffset + kPmwTailSize;                     // 128416
static_assert(kProgramAreaOffset == 348);
static_assert(kPmwTailOffset == 128348);
static_assert(kPmwImageSize == 128416);

// Header fields (byte offsets in pmwPre).
constexpr std::size_t kPreTitleOffset = 10;
constexpr std::size_t kPreTitleSize = 54;  // at most 53 characters and a NUL
constexpr std::size_t kPreModelCodeOffset = 70;
constexpr std::size_t kPreSizeWordOffsets[] = {78, 84, 94, 104};  // S = 2000 × N + 96
constexpr std::size_t kPreSizeWordPlus64Offset = 250;             // S + 64
constexpr std::size_t jPrePlcType = 127;  // the PLC type word, as an index of the header read as words
constexpr std::size_t kPrePlcTypeOffset = 2 * jPrePlcType;
static_assert(kPrePlcTypeOffset == 254);

// Parameter block fields (offsets from its start; PLC address 0x8000 + offset).
constexpr std::size_t kParamMemSizeCodeOffset = 0;
constexpr std::size_t kParamSumCheckOffset = 2;
constexpr std::size_t kParamKeywordOffset = 8;
constexpr std::size_t kKeywordSize = 8;
constexpr std::size_t kParamLatchFlagsOffset = 46;
constexpr std::size_t kParamLatchWordsOffset = 48;
constexpr std::size_t kParamLatchWordCount = 10;

constexpr std::uint16_t kEndCode = 0x000F;
constexpr std::uint16_t kEmptyWord = 0xFFFF;

struct PmwImage {
    std::array<std::uint8_t, kPmwPreSize> pmwPre{};
    std::array<std::uint8_t, kParameterBlockSize> parameterBlock{};
    std::array<std::uint16_t, kProgramWordCount> program{};  // word i is step i
    std::array<std::uint8_t, kPmwTailSize> pmwTail{};

    std::uint16_t plcType() const { return byteimage::getU16(pmwPre, kPrePlcTypeOffset); }
    void setPlcType(std::uint16_t type) { byteimage::putU16(pmwPre, kPrePlcTypeOffset, type); }
    std::int16_t memSizeCode() const {
        return static_cast<std::int16_t>(byteimage::getU16(parameterBlock, kParamMemSizeCodeOffset));
    }
    void setMemSizeCode(std::int16_t n) {
        byteimage::putU16(parameterBlock, kParamMemSizeCodeOffset, static_cast<std::uint16_t>(n));
    }
    std::uint16_t sumCheck() const { return byteimage::getU16(parameterBlock, kParamSumCheckOffset); }
    void setSumCheck(std::uint16_t code) { byteimage::putU16(parameterBlock, kParamSumCheckOffset, code); }

    // The program words as bytes, as the PLC's memory holds them: step i at byte 2i, low byte first.
    std::uint8_t programByte(std::size_t k) const {
        const std::uint16_t word = program[k / 2];
        return static_cast<std::uint8_t>(k % 2 == 0 ? word & 0xFF : word >> 8);
    }
    void setProgramWord(std::size_t step, std::uint8_t low, std::uint8_t high) {
        program[step] = static_cast<std::uint16_t>(low | high << 8);
    }

    bool operator==(const PmwImage&) const = default;
};

extern PmwImage& pmw;
// The parameter block and program words as they were when the program was last opened or read
// from the PLC; the converter compares a re-converted program against it.
extern PmwImage& pmwBackup;

// ---- PLC types and capacities ------------------------------------------------------------------

// The PLC type codes a program may carry (3 is never used).
[[nodiscard]] bool isAcceptedPlcType(std::int32_t type);
// Memory size codes (thousands of steps) a program may have: 2, 4, 8, 16, 32, 64.
[[nodiscard]] bool isValidMemSizeCode(std::int32_t n);
// Number of program words that capacity n covers, kept within the program area (0 for n <= 0).
std::size_t programWordsFor(std::int32_t n);

// ---- The templates of each PLC type --------------------------------------------------------------

// Types 1, 6, 7, 5 and 2 have their own templates; every other code takes the one of type 4.
std::array<std::uint8_t, kPmwPreSize> pmwPreTemplate(std::int32_t type);
std::array<std::uint8_t, kParameterBlockSize> parameterTemplate(std::int32_t type);
std::array<std::uint8_t, kPmwTailSize> pmwTailTemplate(std::int32_t type);

// ---- The program check code ----------------------------------------------------------------------

// (65536 − 1000 × n) mod 65536: 63536 for n = 2 ... 1536 for n = 64.
std::uint16_t getSumCheckSeed(std::int32_t n);
// The one rule for the check code, used by everything that writes or checks it: the seed of n plus
// (word + 1) for each of the first 1000 × n words, modulo 65536. Words past the end of `words` are
// not counted.
std::uint16_t programCheckCode(std::span<const std::uint16_t> words, std::int32_t n);

// ---- Initialisation ------------------------------------------------------------------------------

// The image of a new program of a PLC type: its templates, with their capacity and check code,
// and an empty program area.
void initPmwImageByType(std::int32_t type);
// Header := the template of an accepted type with its size words set from n; the program's title
// (bytes 10..63) is kept. Any other type leaves the header as it is and gives false.
[[nodiscard]] bool loadPmwPreByType(std::int32_t type, std::int32_t n);
// Re-initialises header, parameter block and tail for a type and capacity, keeping the program
// words below the capacity and emptying those above it. A type that is not accepted shows
// "Parameter Error" and changes nothing; returns false then.
[[nodiscard]] bool initPmwImageForTypeAndSize(std::int32_t type, std::int32_t n);
void _loadPmwTailByType(std::int32_t type);
void backupPmwImage();

// At start-up only the type word (5) and the capacity (8) are set.
void setPmwStartValues();

}  // namespace kestrion
