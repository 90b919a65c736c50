#include "reader/WordCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/image/ProgramImage.h"
#include "reader/LoadState.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using Words = std::vector<std::uint16_t>;
constexpr std::uint16_t kNop = 0xFFFF, kEnd = 0x000F, kLd = 0x2000, kOut = 0xC500, kStale = 0x1234;

class WordCheckTest : public test::CoreTest {
protected:
    WordCheckTest() { pmw.setMemSizeCode(2); }
    int check(const Words& words, std::uint16_t fill = kStale) {
        pmw.program.fill(fill);
        std::copy(words.begin(), words.end(), pmw.program.begin());
        return DeleteNopMachineCode(348, "ProgRead");
    }
    Words head(std::size_t n) const { return Words(pmw.program.begin(), pmw.program.begin() + n); }
    bool emptyFrom(std::size_t index) const {
        return std::all_of(pmw.program.begin() + static_cast<std::ptrdiff_t>(index), pmw.program.end(),
                           [](std::uint16_t w) { return w == kNop; });
    }
};

TEST_F(WordCheckTest, NopsCloseUpAndEverythingBehindEndBecomesEmptyExceptAMarker) {
    const std::tuple<Words, Words, bool> cases[] = {
        {{kLd, kNop, kNop, kOut, kEnd}, {kLd, kOut, kEnd}, false},
        {{kLd, kOut, kNop, kEnd, 0x2001}, {kLd, kOut, kEnd}, false},
        {{0x0002, kNop, 0x000A, 0x8002, 0x8864, kEnd}, {0x0002, kNop, 0x000A, 0x8002, 0x8864, kEnd}, false},
        {{kLd, kEnd, 0xB40F, 0x2001}, {kLd, kEnd, 0xB40F}, true},
        {{kLd, kEnd, 0xB40E}, {kLd, kEnd}, false},  // the flag of the check before is cleared
    };
    for (const auto& [words, cleaned, marker] : cases) {
        EXPECT_EQ(check(words), 0);
        EXPECT_EQ(head(cleaned.size()), cleaned);
        EXPECT_TRUE(emptyFrom(cleaned.size()));
        EXPECT_EQ(readerState.endFollowedByB40F, marker);
    }
}

TEST_F(WordCheckTest, TheWalkEndsAtTheAreaEndOrWhereOnlyNopsRemain) {
    EXPECT_EQ(check(Words(2000, kLd)), 0);
    EXPECT_EQ(pmw.program[2000], kStale);  // wiping starts two bytes behind where the walk stopped
    EXPECT_TRUE(emptyFrom(2001));
    Words run(2001, kNop);  // NOPs up to the area end and a word beyond it that is not pulled in
    run.front() = kLd, run.back() = kOut;
    EXPECT_EQ(check(run, kNop), 0);
    EXPECT_EQ(head(2), (Words{kLd, kNop}));
    pmw.setMemSizeCode(0);
    EXPECT_EQ(check({kLd, kNop, kOut}, kNop), 0);
    EXPECT_EQ(head(2), (Words{kLd, kOut}));
}

TEST_F(WordCheckTest, WarnedInstructionsAreOneWordSoTheirOperandsAreRefused) {
    EXPECT_EQ(check({0x0088, 0x8614, 0x8600, kEnd}), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Fnc60 Error");
    EXPECT_EQ(fakes.messages.shown[0].caption, "*DeleteNop");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Warning);
}

TEST_F(WordCheckTest, AWordMetAgainIsJudgedAsTheFirstTimeInTheSameCheckAndInTheNext) {
    const Words program = {0x0088, 0x0600, 0x8005, 0x8000, 0x0088, 0x0600, 0x8005, 0x8000, kEnd};
    for (std::size_t round = 1; round <= 2; ++round) {
        EXPECT_EQ(check(program), 0);
        EXPECT_EQ(head(program.size()), program);
        ASSERT_EQ(fakes.messages.shown.size(), 2 * round);  // a warning every time the word is met
        EXPECT_EQ(fakes.messages.shown.back().text, "Fnc60 Error");
    }
    // The timer's operand words are refused where they stand as code words, again and again.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(check({kLd, 0x8005, kEnd}), 1);
        EXPECT_EQ(fakes.statusBar.panelText(0), "StepNo=1");
    }
}

TEST_F(WordCheckTest, EveryInstructionFormIsSteppedOverByItsLength) {
    EXPECT_EQ(check({0x0600, 0x8005, 0x8000, 0x0EC8, 0x8005, 0x8000, 0x8000, 0x8000, 0x03C2, 0x8400, 0x8030,
                     0xB100, 0xB200, 0xF7FF, 0x1000, 0xFFF8, 0xFFFE, kEnd}),
              0);
    EXPECT_TRUE(emptyFrom(18));
}

TEST_F(WordCheckTest, RefusedWordsAreReportedAndStopTheWalkWithTheRestUnchanged) {
    const std::tuple<std::uint16_t, int, std::string, std::string, std::string> cases[] = {
        {0x0000, 0, "StepNo=1 InstructionCodeError", "InstructionCodeError", "Error2014122290..."},
        {0x8000, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0xAFFF, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0x0162, 13, "Fnc(169) Error...system halt", "InstructionCodeError", "Error2014122004..."},
    };
    for (const auto& [word, panel, status, line1, messageId] : cases) {
        langDialogs.appMessages.clear();
        EXPECT_EQ(check({kLd, kNop, word, kNop, kEnd}), 1);
        EXPECT_EQ(head(5), (Words{kLd, word, kNop, kEnd, kStale}));
        EXPECT_EQ(fakes.statusBar.panelText(panel), status);
        ASSERT_EQ(langDialogs.appMessages.size(), 1u);
        const AppMessage& shown = langDialogs.appMessages[0];
        EXPECT_EQ(shown.caption, "Check instruction code...");
        EXPECT_EQ(shown.line1, line1);
        EXPECT_EQ(shown.line2, messageId);
    }
    for (const std::uint16_t word : {0x0001, 0x000E, 0x00C2, 0x03FF, 0x0205, 0x00F0, 0x10D3, 0x0400, 0x1001,
                                     0x13FF, 0xB200, 0xF800, 0xFFF7}) {
        EXPECT_EQ(check({kLd, kNop, word, kEnd}), 1) << std::hex << word;
        EXPECT_EQ(fakes.statusBar.panelText(0), "i=015E\"ProgRead");
        EXPECT_EQ(langDialogs.appMessages.back().line2, "Error2014122005...");
    }
}

TEST_F(WordCheckTest, AWordThatIsNoOperandWhereAnOperandMustStandIsRefusedAtItsPlace) {
    // OR>= followed by instruction words; a pointer label pair without its 0xB2xx word
    const std::pair<Words, const char*> cases[] = {
        {{kLd, 0x01FC, 0x0244, 0x0344, 0x0444, 0x0544, kOut, kEnd}, "i=0160\"ProgRead"},
        {{kLd, kOut, 0xB10A, kLd, kEnd}, "i=0162\"ProgRead"},
    };
    for (const auto& [words, status] : cases) {
        EXPECT_EQ(check(words), 1);
        EXPECT_EQ(fakes.statusBar.panelText(0), status);
        EXPECT_EQ(langDialogs.appMessages.back().line2, "Error2014122005...");
    }
}

TEST_F(WordCheckTest, WithoutThePopUpARefusalIsAnErrorBox) {
    const std::tuple<std::uint16_t, const char*, const char*> cases[] = {
        {0x0000, "InstructionCodeError", "Error2014122290"},
        {0x8000, "Error2014122003...", "DeleteNopMachineCode"},
        {0x0162, "Error2014122004...", "DeleteNopMachineCode"},
        {0x000E, "InstructionCodeError", "Error2014122005"}};
    DialogSeam<LangDialogs>::uninstall();
    for (const auto& [word, text, caption] : cases) {
        EXPECT_EQ(check({word, kEnd}), 1);
        EXPECT_EQ(fakes.messages.shown.back().text, text);
        EXPECT_EQ(fakes.messages.shown.back().caption, caption);
        EXPECT_EQ(fakes.messages.shown.back().icon, platform::MsgIcon::Error);
    }
    EXPECT_EQ(fakes.messages.shown.size(), 4u);
}

}  // namespace
}  // namespace kestrion
