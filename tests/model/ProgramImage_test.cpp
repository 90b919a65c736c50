#include "model/ProgramImage.h"

#include <string>

#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

class ProgramImageTest : public testing::CoreTest {};

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return byteimage::getU16(bytes, offset);
}

// ---- Header templates ----------------------------------------------------------------------------

TEST_F(ProgramImageTest, HeaderTemplatesHoldTheirWordsAndNothingElse) {
    struct Case {
        std::int32_t type;
        std::uint16_t typeWord;
        std::uint16_t modelCode;
        std::uint16_t size;
        std::uint16_t sizePlus64;
    } cases[] = {
        {1, 1, 10100, 4096, 4160}, {6, 6, 10200, 4096, 4160}, {7, 7, 10200, 16096, 16160},
        {5, 5, 10200, 4096, 4160}, {2, 2, 10200, 4096, 4160}, {4, 4, 10100, 4096, 4160},
        {3, 4, 10100, 4096, 4160}, {0, 4, 10100, 4096, 4160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto pre = pmwPreTemplate(c.type);
        EXPECT_EQ(pre[10], 0);
        for (std::size_t i = 11; i < 70; ++i) EXPECT_EQ(pre[i], ' ') << i;
        EXPECT_EQ(word(pre, 70), c.modelCode);
        EXPECT_EQ(word(pre, 72), 4);
        EXPECT_EQ(word(pre, 78), c.size);
        EXPECT_EQ(word(pre, 82), 2);
        EXPECT_EQ(word(pre, 84), c.size);
        EXPECT_EQ(word(pre, 92), 3);
        EXPECT_EQ(word(pre, 94), c.size);
        EXPECT_EQ(word(pre, 102), 4);
        EXPECT_EQ(word(pre, 104), c.size);
        EXPECT_EQ(word(pre, 108), 64);
        EXPECT_EQ(word(pre, 112), 5);
        EXPECT_EQ(word(pre, 250), c.sizePlus64);
        EXPECT_EQ(word(pre, 254), c.typeWord);
        const std::size_t listed[] = {70, 72, 78, 82, 84, 92, 94, 102, 104, 108, 112, 250, 254};
        for (std::size_t i = 0; i < kPmwPreSize; ++i) {
            if (i >= 10 && i < 70) continue;
            bool inListedWord = false;
            for (std::size_t offset : listed) inListedWord |= i == offset || i == offset + 1;
            if (!inListedWord) {
                EXPECT_EQ(pre[i], 0) << i;
            }
        }
    }
}

// ---- Parameter templates -------------------------------------------------------------------------

TEST_F(ProgramImageTest, ParameterTemplatesPerType) {
    using Words = std::array<std::uint16_t, 10>;
    const Words common = {0x0800, 0x09F3, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE};
    struct Case {
        std::int32_t type;
        std::int16_t n;
        std::uint16_t sumCheck;
        std::uint8_t byte46;
        Words words;
    } cases[] = {
        {1, 2, 0xF840, ' ', common},
        {6, 2, 0xF840, ' ', common},
        {7, 8, 0xE0D0, ' ', common},
        {5, 16, 0xC190, ' ', common},
        {2, 32, 0x8310, 0, {0x0800, 0x09F3, 0x0000, 0x01F3, 0x0E00, 0x0E00, 0x0EDC, 0x0EDC, 0x0000, 0x01FE}},
        {4, 8, 0xE0D0, ' ', {0x09F4, 0x0BFF, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE}},
        {3, 8, 0xE0D0, ' ', {0x09F4, 0x0BFF, 0x01F4, 0x03E7, 0x0E64, 0x0EC7, 0x0EDC, 0x0EFF, 0x0190, 0x03FE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto block = parameterTemplate(c.type);
        EXPECT_EQ(static_cast<std::int16_t>(word(block, 0)), c.n);
        EXPECT_EQ(word(block, 2), c.sumCheck);
        // Each template's check code is that of the empty program at its capacity.
        EXPECT_EQ(c.sumCheck, static_cast<std::uint16_t>(getSumCheckSeed(c.n) + 16));
        for (std::size_t i = 4; i < 8; ++i) EXPECT_EQ(block[i], 0) << i;
        for (std::size_t i = 8; i < 16; ++i) EXPECT_EQ(block[i], ' ') << i;  // no keyword
        for (std::size_t i = 16; i < 46; ++i) EXPECT_EQ(block[i], ' ') << i;
        EXPECT_EQ(block[46], c.byte46);
        EXPECT_EQ(block[47], c.byte46);
        for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(word(block, 48 + 2 * i), c.words[i]) << i;
        for (std::size_t i = 68; i < kParameterBlockSize; ++i) EXPECT_EQ(block[i], 0) << i;
    }
}

// ---- Tail templates ------------------------------------------------------------------------------

TEST_F(ProgramImageTest, TailTemplatesPerType) {
    // Every byte of the six tails, byte 0 first.
    const std::pair<std::int32_t, std::string> cases[] = {
        {1, "0f00fff700007f0000007f000000ff01401f3e2000007f0000003f00ffffffff00001f00eb00fe000000ff00401f3f20"
            "ffffffffffffffff00003f0000008f0100000700"},
        {6, "0f00fff700000f0000000d000000ff01401f3f2000007f0000003f00ffffffff00001f00eb00ff000000ff00401f3f20"
            "ffffffffffffffff00003f000000570200000700"},
        {7, "0f00fff700007f0000007f000000ff05401f3f200000e7030000c700c800ff000000c700c800ff0000003f1f401f3f20"
            "ffffffffffffffff00007f000000570200000700"},
        {5, "0f00fff70000ff000000ff000000ff0b401f3f200000e7030000c700c800ff000000c700c800ff0000003f1f401f3f20"
            "ffffffffffffffff00007f000000830300000700"},
        {2, "0f00fff70000ff000000ff000000ff0b401f3f200000e7030000c700c800ff000000c700c800ff0000003f1f401f3f20"
            "ffffffffffffffff00007f000000830300000700"},
        {4, "0f00fff70000ff000000ff000000ff05401f3e200000e7030000c700c800ff000000c700c800ff000000e703401f3f20"
            "ffffffff70173f1f00007f000000830300000700"},
    };
    for (const auto& [type, hex] : cases) {
        SCOPED_TRACE(type);
        ASSERT_EQ(hex.size(), 2 * kPmwTailSize);
        const auto tail = pmwTailTemplate(type);
        for (std::size_t i = 0; i < kPmwTailSize; ++i)
            EXPECT_EQ(tail[i], std::stoul(hex.substr(2 * i, 2), nullptr, 16)) << "byte " << i;
    }
    // Every other code takes the tail of type 4.
    for (std::int32_t type : {0, 3, 8, 0xFF}) EXPECT_EQ(pmwTailTemplate(type), pmwTailTemplate(4)) << type;
}

// ---- The check code ------------------------------------------------------------------------------

TEST_F(ProgramImageTest, SeedsOfTheSixCapacities) {
    const std::pair<std::int32_t, std::uint16_t> seeds[] = {{2, 63536},  {4, 61536},  {8, 57536},
                                                            {16, 49536}, {32, 33536}, {64, 1536}};
    for (const auto& [n, seed] : seeds) EXPECT_EQ(getSumCheckSeed(n), seed) << n;
}

TEST_F(ProgramImageTest, EmptyProgramGivesTheSeedPlus16) {
    std::array<std::uint16_t, kProgramWordCount> words;
    words.fill(kEmptyWord);
    words[0] = kEndCode;
    for (std::int32_t n : {2, 4, 8, 16, 32, 64})
        EXPECT_EQ(programCheckCode(words, n), static_cast<std::uint16_t>(getSumCheckSeed(n) + 16)) << n;
}

TEST_F(ProgramImageTest, OnlyEmptyWordsGiveTheSeed) {
    std::array<std::uint16_t, kProgramWordCount> words;
    words.fill(kEmptyWord);
    const std::pair<std::int32_t, std::uint16_t> cases[] = {
        {2, 0xF830}, {4, 0xF060}, {8, 0xE0C0}, {16, 0xC180}};
    for (const auto& [n, code] : cases) EXPECT_EQ(programCheckCode(words, n), code) << n;
}

TEST_F(ProgramImageTest, ThreeWordProgram) {
    std::array<std::uint16_t, kProgramWordCount> words;
    words.fill(kEmptyWord);
    words[0] = 0x2400;  // a contact
    words[1] = 0xC500;  // a coil
    words[2] = kEndCode;
    // 57536 + 0x2401 + 0xC501 + 16 = 117202, 51666 in 16 bits.
    EXPECT_EQ(programCheckCode(words, 8), 51666);
    for (std::int32_t n : {2, 4, 16, 32, 64})
        EXPECT_EQ(programCheckCode(words, n),
                  static_cast<std::uint16_t>(getSumCheckSeed(n) + 0x2401 + 0xC501 + 16))
            << n;
}

TEST_F(ProgramImageTest, CheckCodeCountsOnlyTheWordsOfTheCapacity) {
    std::array<std::uint16_t, kProgramWordCount> words;
    words.fill(kEmptyWord);
    words[0] = kEndCode;
    words[1999] = 0x0001;
    words[2000] = 0x1234;  // beyond capacity 2
    EXPECT_EQ(programCheckCode(words, 2), static_cast<std::uint16_t>(63536 + 16 + 2));
    EXPECT_EQ(programCheckCode(words, 4), static_cast<std::uint16_t>(61536 + 16 + 2 + 0x1235));
    // A capacity beyond the program area stops at its end; none at all counts nothing.
    EXPECT_EQ(programCheckCode(words, 100),
              static_cast<std::uint16_t>(getSumCheckSeed(100) + 16 + 2 + 0x1235));
    EXPECT_EQ(programCheckCode(words, 0), 0);
    EXPECT_EQ(programCheckCode(words, -2), 2000);
    EXPECT_EQ(programCheckCode(std::span<const std::uint16_t>(words.data(), 10), 2),
              static_cast<std::uint16_t>(63536 + 16));
}

// ---- Initialisation ------------------------------------------------------------------------------

TEST_F(ProgramImageTest, NewImageOfEachType) {
    const std::pair<std::int32_t, std::int16_t> cases[] = {{1, 2}, {6, 2}, {7, 8}, {5, 16}, {2, 32}, {4, 8}};
    for (const auto& [type, n] : cases) {
        SCOPED_TRACE(type);
        pmw.program.fill(0x1111);
        pmw.setMemSizeCode(64);
        initPmwImageByType(type);
        EXPECT_EQ(pmw.pmwPre, pmwPreTemplate(type));
        EXPECT_EQ(pmw.parameterBlock, parameterTemplate(type));
        EXPECT_EQ(pmw.memSizeCode(), n);
        EXPECT_EQ(pmw.sumCheck(), static_cast<std::uint16_t>(getSumCheckSeed(n) + 16));
        EXPECT_EQ(pmw.plcType(), type);
        for (std::uint16_t w : pmw.program) ASSERT_EQ(w, kEmptyWord);
        EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(type));
        EXPECT_EQ(fakes.statusBar.panelText(0), "");
    }
}

TEST_F(ProgramImageTest, NewImageShowsTheTypeWhileItWorks) {
    std::vector<std::string> shown;
    struct Recorder : testing::FakeStatusBar {
        std::vector<std::string>* seen;
        void setPanelText(int panel, const std::string& text) override {
            if (panel == 0) seen->push_back(text);
            FakeStatusBar::setPanelText(panel, text);
        }
    } recorder;
    recorder.seen = &shown;
    platform::Services services{&fakes.messages, &recorder,    &fakes.trace, &fakes.progress, &fakes.system,
                                &fakes.clock,    &fakes.clock, &fakes.files, &fakes.dialogs, &fakes.serial};
    platform::install(services);
    initPmwImageByType(7);
    EXPECT_EQ(shown, (std::vector<std::string>{"7", ""}));
    services.statusBar = &fakes.statusBar;
    platform::install(services);
}

TEST_F(ProgramImageTest, HeaderSizeWordsFollowTheCapacity) {
    // New for type 7 has its own sizes; type 5 keeps those of capacity 2 although N is 16.
    initPmwImageByType(7);
    EXPECT_EQ(word(pmw.pmwPre, 78), 16096);
    EXPECT_EQ(word(pmw.pmwPre, 250), 16160);
    initPmwImageByType(5);
    EXPECT_EQ(pmw.memSizeCode(), 16);
    EXPECT_EQ(word(pmw.pmwPre, 78), 4096);
    EXPECT_EQ(word(pmw.pmwPre, 250), 4160);

    const std::tuple<std::int32_t, std::uint16_t, std::uint16_t> sizes[] = {
        {2, 4096, 4160},    {4, 8096, 8160},    {8, 16096, 16160},
        {16, 32096, 32160}, {32, 64096, 64160}, {64, 62560, 62624},  // 128096 and 128160 cut to 16 bits
    };
    for (const auto& [n, size, plus64] : sizes) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(loadPmwPreByType(5, n));
        for (std::size_t offset : {78, 84, 94, 104}) EXPECT_EQ(word(pmw.pmwPre, offset), size);
        EXPECT_EQ(word(pmw.pmwPre, 250), plus64);
        EXPECT_EQ(word(pmw.pmwPre, 254), 5);
    }
}

TEST_F(ProgramImageTest, LoadHeaderRefusesATypeThatIsNotAccepted) {
    initPmwImageByType(6);
    const PmwImage before = pmw;
    for (std::int32_t type : {0, 3, 8, 0xFF, -1}) EXPECT_FALSE(loadPmwPreByType(type, 8)) << type;
    EXPECT_EQ(pmw, before);
    EXPECT_TRUE(loadPmwPreByType(4, 8));
    EXPECT_EQ(word(pmw.pmwPre, 254), 4);
    EXPECT_EQ(word(pmw.pmwPre, 70), 10100);
}

TEST_F(ProgramImageTest, ReinitialisingForASmallerCapacityKeepsTheWordsBelowIt) {
    initPmwImageByType(5);  // N = 16
    for (std::size_t i = 0; i < 16000; ++i) pmw.program[i] = static_cast<std::uint16_t>(i);
    pmw.parameterBlock[8] = 'K';  // a keyword, which the template replaces

    ASSERT_TRUE(initPmwImageForTypeAndSize(7, 8));
    for (std::size_t i = 0; i < 8000; ++i) ASSERT_EQ(pmw.program[i], i);
    for (std::size_t i = 8000; i < kProgramWordCount; ++i) ASSERT_EQ(pmw.program[i], kEmptyWord);
    EXPECT_EQ(pmw.memSizeCode(), 8);
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 8));
    std::uint32_t sum = 57536;
    for (std::uint32_t i = 0; i < 8000; ++i) sum += i + 1;
    EXPECT_EQ(pmw.sumCheck(), static_cast<std::uint16_t>(sum));
    EXPECT_EQ(pmw.plcType(), 7);
    EXPECT_EQ(word(pmw.pmwPre, 78), 16096);
    EXPECT_EQ(pmw.parameterBlock[8], ' ');
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(7));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ProgramImageTest, ReinitialisingForALargerCapacityCountsTheEmptyWordsAbove) {
    initPmwImageByType(1);  // N = 2
    pmw.program[0] = 0x2400;
    pmw.program[1] = kEndCode;
    ASSERT_TRUE(initPmwImageForTypeAndSize(2, 64));
    EXPECT_EQ(pmw.memSizeCode(), 64);
    EXPECT_EQ(pmw.sumCheck(), static_cast<std::uint16_t>(1536 + 0x2401 + 16));
    EXPECT_EQ(word(pmw.pmwPre, 78), 62560);
    EXPECT_EQ(pmw.program[0], 0x2400);
    // Type 2 has zero latch flags, type 1 blanks.
    EXPECT_EQ(pmw.parameterBlock[46], 0);
}

TEST_F(ProgramImageTest, ReinitialisingForAnUnknownTypeShowsParameterErrorAndChangesNothing) {
    initPmwImageByType(6);
    pmw.program[0] = 0x2400;
    const PmwImage before = pmw;
    EXPECT_FALSE(initPmwImageForTypeAndSize(3, 8));
    EXPECT_EQ(pmw, before);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error2015110101");
    EXPECT_EQ(fakes.messages.shown[0].caption, "Parameter Error");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Error);
}

TEST_F(ProgramImageTest, TailByTypeAndBackup) {
    initPmwImageByType(1);
    _loadPmwTailByType(7);
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(7));
    _loadPmwTailByType(9);
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(4));

    pmw.program[63999] = 0x1234;
    pmw.setSumCheck(0xABCD);
    backupPmwImage();
    EXPECT_EQ(pmwBackup.parameterBlock, pmw.parameterBlock);
    EXPECT_EQ(pmwBackup.program, pmw.program);
    // Only the parameter block and the program area are kept.
    EXPECT_NE(pmwBackup.pmwPre, pmw.pmwPre);
    EXPECT_NE(pmwBackup.pmwTail, pmw.pmwTail);
}

TEST_F(ProgramImageTest, CapacitiesAndTypes) {
    for (std::int32_t n = -3; n <= 200; ++n)
        EXPECT_EQ(isValidMemSizeCode(n), n == 2 || n == 4 || n == 8 || n == 16 || n == 32 || n == 64) << n;
    for (std::int32_t type = -1; type <= 0x100; ++type)
        EXPECT_EQ(isAcceptedPlcType(type), type == 1 || type == 2 || (type >= 4 && type <= 7)) << type;
    EXPECT_EQ(programWordsFor(64), 64000u);
    EXPECT_EQ(programWordsFor(200), 64000u);
    EXPECT_EQ(programWordsFor(0), 0u);
    EXPECT_EQ(programWordsFor(-8), 0u);
}

}  // namespace
}  // namespace kestrion
