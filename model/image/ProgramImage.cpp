#include "model/image/ProgramImage.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// One row per template, in the order the templates are kept; every type outside the first five
// takes the last row, which is the one of type 4.
struct TypeTemplate {
    std::uint16_t typeWord;
    std::uint16_t modelCode;
    std::int16_t memSizeCode;
    std::uint16_t sumCheck;  // the check code of the empty program at that capacity
    bool zeroLatchFlags;     // parameter bytes 46..47 hold 0 instead of blanks
    std::array<std::uint16_t, kParamLatchWordCount> latchWords;
    std::string_view tailHex;
};

constexpr std::array<std::uint16_t, kParamLatchWordCount> kCommonLatchWords = {
    0x0800, 0x09F3, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE};

constexpr std::string_view kTailOfType5 =
    "0F00FFF70000FF000000FF000000FF0B401F3F200000E7030000C700C800FF000000C700C800FF0000003F1F401F3F20"
    "FFFFFFFFFFFFFFFF00007F000000830300000700";

constexpr TypeTemplate kTemplates[] = {
    {1, 10100, 2, 0xF840, false, kCommonLatchWords,
     "0F00FFF700007F0000007F000000FF01401F3E2000007F0000003F00FFFFFFFF00001F00EB00FE000000FF00401F3F20"
     "FFFFFFFFFFFFFFFF00003F0000008F0100000700"},
    {6, 10200, 2, 0xF840, false, kCommonLatchWords,
     "0F00FFF700000F0000000D000000FF01401F3F2000007F0000003F00FFFFFFFF00001F00EB00FF000000FF00401F3F20"
     "FFFFFFFFFFFFFFFF00003F000000570200000700"},
    {7, 10200, 8, 0xE0D0, false, kCommonLatchWords,
     "0F00FFF700007F0000007F000000FF05401F3F200000E7030000C700C800FF000000C700C800FF0000003F1F401F3F20"
     "FFFFFFFFFFFFFFFF00007F000000570200000700"},
    // q3 starts at 8K, as the main window's start-up and the type dialog (which turns 16K into 8K
    // for q3) have it, not 16K: a new program's whole capacity then fits a q3 of the start-up size.
    {5, 10200, 8, 0xE0D0, false, kCommonLatchWords, kTailOfType5},
    {2,
     10200,
     32,
     0x8310,
     true,
     {0x0800, 0x09F3, 0x0000, 0x01F3, 0x0E00, 0x0E00, 0x0EDC, 0x0EDC, 0x0000, 0x01FE},
     kTailOfType5},
    {4,
     10100,
     8,
     0xE0D0,
     false,
     {0x09F4, 0x0BFF, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE},
     "0F00FFF70000FF000000FF000000FF05401F3E200000E7030000C700C800FF000000C700C800FF000000E703401F3F20"
     "FFFFFFFF70173F1F00007F000000830300000700"},
};

static_assert(std::all_of(std::begin(kTemplates), std::end(kTemplates), [](const TypeTemplate& t) {
    return t.tailHex.size() == 2 * kPmwTailSize &&
           std::all_of(t.tailHex.begin(), t.tailHex.end(), isHexDigit);
}));

const TypeTemplate& templateOf(std::int32_t type) {
    for (const TypeTemplate& row : kTemplates)
        if (row.typeWord == type) return row;
    return kTemplates[std::size(kTemplates) - 1];
}

// The header templates hold the sizes of their own capacity: N = 8 for type 7, N = 2 otherwise.
constexpr std::int32_t kHeaderTemplateCapacityOfType7 = 8;
constexpr std::int32_t kHeaderTemplateCapacity = 2;

void setHeaderSizeWords(std::array<std::uint8_t, kPmwPreSize>& pre, std::int32_t n) {
    const auto size = static_cast<std::uint16_t>(2000u * static_cast<std::uint32_t>(n) + 96u);
    for (std::size_t offset : kPreSizeWordOffsets) byteimage::putU16(pre, offset, size);
    byteimage::putU16(pre, kPreSizeWordPlus64Offset, static_cast<std::uint16_t>(size + 64));
}

void emptyProgramFrom(PmwImage& image, std::size_t firstWord) {
    std::fill(image.program.begin() + static_cast<std::ptrdiff_t>(std::min(firstWord, kProgramWordCount)),
              image.program.end(), kEmptyWord);
}

}  // namespace

bool isAcceptedPlcType(std::int32_t type) {
    return type == 1 || type == 2 || type == 4 || type == 5 || type == 6 || type == 7;
}

bool isValidMemSizeCode(std::int32_t n) {
    return n == 2 || n == 4 || n == 8 || n == 16 || n == 32 || n == 64;
}

std::size_t programWordsFor(std::int32_t n) {
    if (n <= 0) return 0;
    return std::min(static_cast<std::size_t>(n) * 1000, kProgramWordCount);
}

std::array<std::uint8_t, kPmwPreSize> pmwPreTemplate(std::int32_t type) {
    const TypeTemplate& row = templateOf(type);
    std::array<std::uint8_t, kPmwPreSize> pre{};
    std::fill(pre.begin() + kPreTitleOffset + 1, pre.begin() + 70, ' ');
    byteimage::putU16(pre, kPreModelCodeOffset, row.modelCode);
    byteimage::putU16(pre, 72, 4);
    byteimage::putU16(pre, 82, 2);
    byteimage::putU16(pre, 92, 3);
    byteimage::putU16(pre, 102, 4);
    byteimage::putU16(pre, 108, 64);
    byteimage::putU16(pre, 112, 5);
    setHeaderSizeWords(pre, row.typeWord == 7 ? kHeaderTemplateCapacityOfType7 : kHeaderTemplateCapacity);
    byteimage::putU16(pre, kPrePlcTypeOffset, row.typeWord);
    return pre;
}

std::array<std::uint8_t, kParameterBlockSize> parameterTemplate(std::int32_t type) {
    const TypeTemplate& row = templateOf(type);
    std::array<std::uint8_t, kParameterBlockSize> block{};
    byteimage::putU16(block, kParamMemSizeCodeOffset, static_cast<std::uint16_t>(row.memSizeCode));
    byteimage::putU16(block, kParamSumCheckOffset, row.sumCheck);
    std::fill(block.begin() + kParamKeywordOffset, block.begin() + kParamLatchWordsOffset, ' ');
    if (row.zeroLatchFlags) {
        block[kParamLatchFlagsOffset] = 0;
        block[kParamLatchFlagsOffset + 1] = 0;
    }
    for (std::size_t i = 0; i < kParamLatchWordCount; ++i)
        byteimage::putU16(block, kParamLatchWordsOffset + 2 * i, row.latchWords[i]);
    return block;
}

std::array<std::uint8_t, kPmwTailSize> pmwTailTemplate(std::int32_t type) {
    const std::string_view hex = templateOf(type).tailHex;
    std::array<std::uint8_t, kPmwTailSize> tail{};
    for (std::size_t i = 0; i < kPmwTailSize; ++i)
        tail[i] = static_cast<std::uint8_t>(hexDigitValue(hex[2 * i]) * 16 + hexDigitValue(hex[2 * i + 1]));
    return tail;
}

std::uint16_t getSumCheckSeed(std::int32_t n) {
    return static_cast<std::uint16_t>(0u - 1000u * static_cast<std::uint32_t>(n));
}

std::uint16_t programCheckCode(std::span<const std::uint16_t> words, std::int32_t n) {
    std::uint16_t code = getSumCheckSeed(n);
    const std::size_t count = std::min(programWordsFor(n), words.size());
    for (std::size_t i = 0; i < count; ++i) code = static_cast<std::uint16_t>(code + words[i] + 1);
    return code;
}

void initPmwImageByType(std::int32_t type) {
    platform::statusBar().setPanelText(0, std::to_string(type));
    pmw.pmwPre = pmwPreTemplate(type);
    pmw.parameterBlock = parameterTemplate(type);
    pmw.program.fill(kEmptyWord);
    pmw.pmwTail = pmwTailTemplate(type);
    platform::statusBar().setPanelText(0, "");
}

bool loadPmwPreByType(std::int32_t type, std::int32_t n) {
    if (!isAcceptedPlcType(type)) return false;
    // The title belongs to the program, not to its type: it survives the new template.
    const auto titleFirst = pmw.pmwPre.begin() + kPreTitleOffset;
    std::array<std::uint8_t, kPreTitleSize> title{};
    std::copy_n(titleFirst, kPreTitleSize, title.begin());
    pmw.pmwPre = pmwPreTemplate(type);
    std::copy(title.begin(), title.end(), titleFirst);
    setHeaderSizeWords(pmw.pmwPre, n);
    return true;
}

bool initPmwImageForTypeAndSize(std::int32_t type, std::int32_t n) {
    if (!loadPmwPreByType(type, n)) {
        platform::say({"Error2015110101", "Parameter Error", platform::MsgIcon::Error});
        return false;
    }
    pmw.parameterBlock = parameterTemplate(type);
    pmw.setMemSizeCode(static_cast<std::int16_t>(n));
    pmw.setSumCheck(programCheckCode(pmw.program, n));
    emptyProgramFrom(pmw, programWordsFor(n));
    pmw.pmwTail = pmwTailTemplate(type);
    return true;
}

void _loadPmwTailByType(std::int32_t type) {
    pmw.pmwTail = pmwTailTemplate(type);
}

void backupPmwImage() {
    pmwBackup.parameterBlock = pmw.parameterBlock;
    pmwBackup.program = pmw.program;
}

void setPmwStartValues() {
    pmw.setPlcType(5);
    pmw.setMemSizeCode(8);
}

}  // namespace kestrion
