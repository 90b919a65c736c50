#include "reader/WordCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/ProgramImage.h"
#include "reader/LoadState.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using Words = std::vector<std::uint16_t>;

constexpr std::uint16_t kNop = 0xFFFF;
constexpr std::uint16_t kEnd = 0x000F;
constexpr std::uint16_t kLd = 0x2000;
constexpr std::uint16_t kOut = 0xC500;

class WordCheckTest : public test::CoreTest {
protected:
    WordCheckTest() {
        pmw.setMemSizeCode(2);
        pmw.program.fill(0x1234);  // stale words that must be wiped behind END
    }
    void load(const Words& words) { std::copy(words.begin(), words.end(), pmw.program.begin()); }
    Words head(std::size_t n) const { return Words(pmw.program.begin(), pmw.program.begin() + n); }
    bool allNopFrom(std::size_t index) const {
        return std::all_of(pmw.program.begin() + static_cast<std::ptrdiff_t>(index), pmw.program.end(),
                           [](std::uint16_t w) { return w == kNop; });
    }
};

TEST_F(WordCheckTest, NopsCloseUpAndEverythingBehindEndBecomesEmpty) {
    load({kLd, kNop, kNop, kOut, kEnd});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(head(3), (Words{kLd, kOut, kEnd}));
    EXPECT_TRUE(allNopFrom(3));
    EXPECT_FALSE(readerState.endFollowedByB40F);
}

TEST_F(WordCheckTest, ANopInFrontOfEndMovesEndForward) {
    load({kLd, kOut, kNop, kEnd, 0x2001});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(head(3), (Words{kLd, kOut, kEnd}));
    EXPECT_TRUE(allNopFrom(3));
}

TEST_F(WordCheckTest, OperandWordsAreSteppedOverNotTakenForNops) {
    load({0x0002, kNop, 0x000A, 0x8002, 0x8864, kEnd});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(head(6), (Words{0x0002, kNop, 0x000A, 0x8002, 0x8864, kEnd}));
}

TEST_F(WordCheckTest, AMarkerBehindEndStaysAndSetsTheExtraWordFlagUntilTheNextCheck) {
    load({kLd, kEnd, 0xB40F, 0x2001});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(head(3), (Words{kLd, kEnd, 0xB40F}));
    EXPECT_TRUE(allNopFrom(3));
    EXPECT_TRUE(readerState.endFollowedByB40F);

    load({kLd, kEnd, 0xB40E});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_TRUE(allNopFrom(2));
    EXPECT_FALSE(readerState.endFollowedByB40F);
}

TEST_F(WordCheckTest, AWalkThatReachesTheAreaEndWipesFromTwoBytesBehindWhereItStopped) {
    std::fill(pmw.program.begin(), pmw.program.begin() + 2000, kLd);
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(pmw.program[1999], kLd);
    EXPECT_EQ(pmw.program[2000], 0x1234);
    EXPECT_TRUE(allNopFrom(2001));
}

TEST_F(WordCheckTest, OnlyNopsLeftWithoutEndEndsTheWalk) {
    for (const std::int16_t code : {2, 0}) {
        pmw.setMemSizeCode(code);
        pmw.program.fill(kNop);
        load({kLd, kNop, kOut, kNop});
        EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0) << code;
        EXPECT_EQ(head(2), (Words{kLd, kOut}));
        EXPECT_TRUE(allNopFrom(2));
    }
}

TEST_F(WordCheckTest, TheWarnedInstructionsAreSteppedOverAsOneWordSoTheirOperandsAreRefused) {
    load({0x0088, 0x8614, 0x8000, kEnd});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Fnc60 Error");
    EXPECT_EQ(fakes.messages.shown[0].caption, "*DeleteNop");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Warning);
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    EXPECT_EQ(langDialogs.appMessages[0].line2, "Error2014122003...");
    EXPECT_EQ(fakes.statusBar.panelText(0), "StepNo=1");
}

struct Refusal {
    std::uint16_t word;
    int panel;
    const char* status;
    const char* line1;
    const char* messageId;
};

TEST_F(WordCheckTest, RefusedWordsAreReportedInThePopUpAndStopTheWalk) {
    // clang-format off
    const Refusal cases[] = {
        {0x0000, 0, "StepNo=1 InstructionCodeError", "InstructionCodeError", "Error2014122290..."},
        {0x8000, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0xAFFF, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0x0162, 13, "Fnc(169) Error...system halt", "InstructionCodeError", "Error2014122004..."},
        {0x1163, 13, "Fnc(169) Error...system halt", "InstructionCodeError", "Error2014122004..."},
        {0x0001, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x000E, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x00C2, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x03FF, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x0205, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x11D0, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x0400, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0x1001, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0xB200, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0xF800, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
        {0xFFF7, 0, "i=015E\"ProgRead", "InstructionCodeError", "Error2014122005..."},
    };
    // clang-format on
    for (const Refusal& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.word);
        pmw.program.fill(0x1234);
        load({kLd, kNop, c.word, kNop, kEnd});
        langDialogs.appMessages.clear();
        EXPECT_EQ(DeleteNopMachineCode(348, "ProgRead"), 1);
        EXPECT_EQ(head(5), (Words{kLd, c.word, kNop, kEnd, 0x1234}));
        EXPECT_EQ(pmw.program[5], 0x1234);
        EXPECT_EQ(fakes.statusBar.panelText(c.panel), c.status);
        ASSERT_EQ(langDialogs.appMessages.size(), 1u);
        EXPECT_EQ(langDialogs.appMessages[0].caption, "Check instruction code...");
        EXPECT_EQ(langDialogs.appMessages[0].line1, c.line1);
        EXPECT_EQ(langDialogs.appMessages[0].line2, c.messageId);
    }
}

TEST_F(WordCheckTest, WithoutThePopUpARefusalIsAnErrorBox) {
    const struct {
        std::uint16_t word;
        const char* text;
        const char* caption;
    } cases[] = {
        {0x0000, "InstructionCodeError", "Error2014122290"},
        {0x8000, "Error2014122003...", "DeleteNopMachineCode"},
        {0x0162, "Error2014122004...", "DeleteNopMachineCode"},
        {0x000E, "InstructionCodeError", "Error2014122005"},
    };
    DialogSeam<LangDialogs>::uninstall();
    for (const auto& c : cases) {
        load({c.word, kEnd});
        fakes.messages.shown.clear();
        EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 1);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, c.text);
        EXPECT_EQ(fakes.messages.shown[0].caption, c.caption);
        EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Error);
    }
}

TEST_F(WordCheckTest, EveryInstructionFormIsSteppedOverByItsLength) {
    // Each instruction is followed by 0xFFFF operand-looking filler only where its length ends.
    load({0x0029, 0x8614, 0x8000, 0x8000, 0x8000, 0x8616, 0x8000, 0x8000, 0x8000,  // DMOV
          0x0600, 0x8005, 0x8000,                                                  // OUT T0 K5
          0x0EC8, 0x8005, 0x8000, 0x8000, 0x8000,                                  // OUT C200 K5
          0x03C2, 0x8400, 0x8030, 0x01CB, 0xA800, 0x020A, 0x8001, 0x8400, 0x8030,  // pair forms
          0xB100, 0xB200, 0xF001, 0x1000, 0xFFFE, 0xFFFD, kEnd});
    EXPECT_EQ(DeleteNopMachineCode(348, "Open"), 0);
    EXPECT_EQ(pmw.program[32], kEnd);
    EXPECT_TRUE(allNopFrom(33));
    EXPECT_TRUE(langDialogs.appMessages.empty());
}

}  // namespace
}  // namespace kestrion
