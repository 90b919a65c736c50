#include "model/image/ProgramImage.h"

#include <string>
#include <utility>

#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

class ProgramImageTest : public test::CoreTest {};

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return byteimage::getU16(bytes, offset);
}

TEST_F(ProgramImageTest, ParameterTemplatesPerType) {
    using Words = std::array<std::uint16_t, 10>;
    const Words common = {0x0800, 0x09F3, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE};
    const std::tuple<std::int32_t, std::int16_t, std::uint16_t, std::uint8_t, Words> cases[] = {
        {1, 2, 0xF840, ' ', common},
        {2, 32, 0x8310, 0, {0x0800, 0x09F3, 0x0000, 0x01F3, 0x0E00, 0x0E00, 0x0EDC, 0x0EDC, 0x0000, 0x01FE}},
        {4,
         8,
         0xE0D0,
         ' ',
         {0x09F4, 0x0BFF, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE}}};
    for (const auto& [type, n, sumCheck, latch, words] : cases) {
        const auto block = parameterTemplate(type);
        EXPECT_EQ(
            std::make_tuple(static_cast<std::int16_t>(word(block, 0)), word(block, 2), block[46], block[47]),
            std::make_tuple(n, sumCheck, latch, latch));
        EXPECT_EQ(sumCheck, static_cast<std::uint16_t>(getSumCheckSeed(n) + 16));
        for (std::size_t i = 4; i < 46; ++i) EXPECT_EQ(block[i], i < 8 ? 0 : ' ') << i;  // no keyword
        for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(word(block, 48 + 2 * i), words[i]) << i;
        for (std::size_t i = 68; i < kParameterBlockSize; ++i) EXPECT_EQ(block[i], 0) << i;
    }
}

// The PLC's memory holds step i's word at bytes 2i and 2i + 1, low byte first, both ways.
TEST_F(ProgramImageTest, ProgramWordsAreBytesLowByteFirst) {
    PmwImage image;
    image.program[0] = 0x1234;
    image.program[1] = 0xB40F;
    image.program[kProgramWordCount - 1] = 0x00FF;
    const std::pair<std::size_t, std::uint8_t> bytes[] = {{0, 0x34},
                                                          {1, 0x12},
                                                          {2, 0x0F},
                                                          {3, 0xB4},
                                                          {2 * kProgramWordCount - 2, 0xFF},
                                                          {2 * kProgramWordCount - 1, 0x00}};
    for (const auto& [k, expected] : bytes) EXPECT_EQ(image.programByte(k), expected) << k;
    image.setProgramWord(7, 0x0F, 0xB4);
    image.setProgramWord(kProgramWordCount - 1, 0x00, 0xFF);
    EXPECT_EQ(image.program[7], 0xB40F);
    EXPECT_EQ(image.program[kProgramWordCount - 1], 0xFF00);
    EXPECT_EQ(image.program[6], 0);
    EXPECT_EQ(image.program[8], 0);
}

TEST_F(ProgramImageTest, CheckCodeIsTheSeedPlusEachWordPlusOneOverTheCapacity) {
    const std::pair<std::int32_t, std::uint16_t> seeds[] = {{2, 63536},  {4, 61536},  {8, 57536},
                                                            {16, 49536}, {32, 33536}, {64, 1536}};
    std::array<std::uint16_t, kProgramWordCount> words;
    words.fill(0xFFFF);
    words[0] = 0x000F;
    for (const auto& [n, seed] : seeds) {
        EXPECT_EQ(getSumCheckSeed(n), seed) << n;
        EXPECT_EQ(programCheckCode(words, n), static_cast<std::uint16_t>(seed + 16)) << n;  // END alone
    }
    words[0] = 0x2400;  // a contact, a coil, END: 57536 + 0x2401 + 0xC501 + 16 = 51666 in 16 bits
    words[1] = 0xC500;
    words[2] = 0x000F;
    EXPECT_EQ(programCheckCode(words, 8), 51666);
    words[1999] = 0x0001;
    words[2000] = 0x1234;  // beyond capacity 2
    const std::uint16_t start = 0x2401 + 0xC501 + 16 + 2;
    EXPECT_EQ(programCheckCode(words, 2), static_cast<std::uint16_t>(63536 + start));
    EXPECT_EQ(programCheckCode(words, 4), static_cast<std::uint16_t>(61536 + start + 0x1235));
    EXPECT_EQ(programCheckCode(words, 100),
              static_cast<std::uint16_t>(getSumCheckSeed(100) + start + 0x1235));
    EXPECT_EQ(programCheckCode(words, 0) + programCheckCode(words, -2), 2000);
    EXPECT_EQ(programCheckCode(std::span<const std::uint16_t>(words.data(), 10), 2),
              static_cast<std::uint16_t>(63536 + 0x2401 + 0xC501 + 16));
}

TEST_F(ProgramImageTest, NewImageOfEachTypeAndTheHeaderSizesOfEachCapacity) {
    // q3 (type 5) at 8K, the size of the start-up and of the type dialog, not 16K.
    const std::pair<std::int32_t, std::int16_t> cases[] = {{1, 2}, {7, 8}, {5, 8}, {2, 32}};
    for (const auto& [type, n] : cases) {
        pmw.program.fill(0x1111);
        pmw.setMemSizeCode(64);
        initPmwImageByType(type);
        EXPECT_TRUE(pmw.pmwPre == pmwPreTemplate(type) && pmw.parameterBlock == parameterTemplate(type) &&
                    pmw.pmwTail == pmwTailTemplate(type));
        EXPECT_EQ(std::make_tuple(pmw.memSizeCode(), pmw.plcType(), pmw.sumCheck()),
                  std::make_tuple(n, type, static_cast<std::uint16_t>(getSumCheckSeed(n) + 16)));
        for (std::uint16_t w : pmw.program) ASSERT_EQ(w, 0xFFFF);
    }
    EXPECT_EQ(std::make_tuple(word(pmw.pmwPre, 78), word(pmw.pmwPre, 250)), std::make_tuple(4096, 4160));
    initPmwImageByType(5);
    EXPECT_EQ(std::make_tuple(word(pmw.pmwPre, 78), word(pmw.pmwPre, 250)), std::make_tuple(4096, 4160));
    const std::tuple<std::int32_t, std::uint16_t, std::uint16_t> sizes[] = {
        {2, 4096, 4160}, {32, 64096, 64160}, {64, 62560, 62624}};  // 128096 and 128160 cut to 16 bits
    for (const auto& [n, size, plus64] : sizes) {
        ASSERT_TRUE(loadPmwPreByType(5, n));
        for (std::size_t offset : {78, 84, 94, 104}) EXPECT_EQ(word(pmw.pmwPre, offset), size);
        EXPECT_EQ(std::make_tuple(word(pmw.pmwPre, 250), word(pmw.pmwPre, 254)), std::make_tuple(plus64, 5));
    }
    const PmwImage before = pmw;
    for (std::int32_t type : {0, 3, 8}) EXPECT_FALSE(loadPmwPreByType(type, 8)) << type;
    EXPECT_EQ(pmw, before);
    EXPECT_TRUE(loadPmwPreByType(4, 8));
    EXPECT_EQ(std::make_tuple(word(pmw.pmwPre, 254), word(pmw.pmwPre, 70)), std::make_tuple(4, 10100));
}

TEST_F(ProgramImageTest, ReinitialisingForATypeAndSizeKeepsTheWordsBelowTheCapacity) {
    initPmwImageByType(5);  // N = 16
    for (std::size_t i = 0; i < 16000; ++i) pmw.program[i] = static_cast<std::uint16_t>(i);
    pmw.parameterBlock[8] = 'K';  // a keyword, which the template replaces
    ASSERT_TRUE(initPmwImageForTypeAndSize(7, 8));
    for (std::size_t i = 0; i < 8000; ++i) ASSERT_EQ(pmw.program[i], i);
    for (std::size_t i = 8000; i < kProgramWordCount; ++i) ASSERT_EQ(pmw.program[i], 0xFFFF);
    std::uint32_t sum = 57536;
    for (std::uint32_t i = 0; i < 8000; ++i) sum += i + 1;
    EXPECT_EQ(std::make_tuple(pmw.memSizeCode(), pmw.sumCheck(), pmw.plcType(), word(pmw.pmwPre, 78)),
              std::make_tuple(std::int16_t{8}, static_cast<std::uint16_t>(sum), 7, 16096));
    EXPECT_EQ(pmw.parameterBlock[8], ' ');
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(7));
    initPmwImageByType(1);  // N = 2, to a larger capacity: the empty words above count
    pmw.program[0] = 0x2400;
    pmw.program[1] = 0x000F;
    ASSERT_TRUE(initPmwImageForTypeAndSize(2, 64));
    EXPECT_EQ(
        std::make_tuple(pmw.memSizeCode(), pmw.sumCheck(), word(pmw.pmwPre, 78), pmw.program[0]),
        std::make_tuple(std::int16_t{64}, static_cast<std::uint16_t>(1536 + 0x2401 + 16), 62560, 0x2400));
    EXPECT_EQ(pmw.parameterBlock[46], 0);  // type 2 has zero latch flags, type 1 blanks
    EXPECT_TRUE(fakes.messages.shown.empty());
    const PmwImage before = pmw;
    EXPECT_FALSE(initPmwImageForTypeAndSize(3, 8));
    EXPECT_EQ(pmw, before);
    EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{"Error2015110101 | Parameter Error | error"});
}

TEST_F(ProgramImageTest, TailByTypeAndBackup) {
    const auto tail = pmwTailTemplate(1);  // 0f00fff700007f0000007f000000ff01401f3e20...8f0100000700
    EXPECT_EQ(std::vector<int>(tail.begin(), tail.begin() + 16),
              (std::vector<int>{0x0f, 0, 0xff, 0xf7, 0, 0, 0x7f, 0, 0, 0, 0x7f, 0, 0, 0, 0xff, 0x01}));
    EXPECT_EQ(std::vector<int>(tail.end() - 8, tail.end()),
              (std::vector<int>{0, 0, 0x8f, 0x01, 0, 0, 0x07, 0}));
    initPmwImageByType(1);
    _loadPmwTailByType(9);
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(4));
    pmw.program[63999] = 0x1234;
    pmw.setSumCheck(0xABCD);
    backupPmwImage();
    EXPECT_TRUE(pmwBackup.parameterBlock == pmw.parameterBlock && pmwBackup.program == pmw.program);
    EXPECT_TRUE(pmwBackup.pmwPre != pmw.pmwPre && pmwBackup.pmwTail != pmw.pmwTail);
}

TEST_F(ProgramImageTest, CapacitiesAndTypes) {
    for (std::int32_t n = -3; n <= 70; ++n)
        EXPECT_EQ(isValidMemSizeCode(n), n == 2 || n == 4 || n == 8 || n == 16 || n == 32 || n == 64) << n;
    for (std::int32_t type = -1; type <= 9; ++type)
        EXPECT_EQ(isAcceptedPlcType(type), type == 1 || type == 2 || (type >= 4 && type <= 7)) << type;
    EXPECT_EQ(std::make_tuple(programWordsFor(200), programWordsFor(-8)), std::make_tuple(64000u, 0u));
}

}  // namespace
}  // namespace kestrion
