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
constexpr std::uint16_t kNop = 0xFFFF, kEnd = 0x000F, kLd = 0x2000, kOut = 0xC500, kStale = 0x1234;

class WordCheckTest : public test::CoreTest {
protected:
    WordCheckTest() { pmw.setMemSizeCode(2); }
    // Loads words at step 0 over stale words and runs the check.
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
    EXPECT_EQ(fakes.statusBar.panelText(0), "StepNo=1");
}

TEST_F(WordCheckTest, EveryInstructionFormIsSteppedOverByItsLength) {
    EXPECT_EQ(check({0x0029, 0x8614, 0x8600, 0x8000, 0x8000, 0x8616, 0x8600, 0x8000, 0x8000,  // DMOV
                     0x0600, 0x8005, 0x8000, 0x0EC8, 0x8005, 0x8000, 0x8000, 0x8000,          // OUT T, C
                     0x03C2, 0x8400, 0x8030, 0x01CB, 0xA800, 0x020A, 0x8001, 0x8400, 0x8030,
                     0xB100, 0xB200, 0xF001, 0x1000, 0xFFFE, 0xFFFD, kEnd}),
              0);
    EXPECT_TRUE(emptyFrom(33));
}

TEST_F(WordCheckTest, RefusedWordsAreReportedAndStopTheWalkWithTheRestUnchanged) {
    const struct {
        std::uint16_t word;
        int panel;
        std::string status, line1, messageId;
    } cases[] = {
        {0x0000, 0, "StepNo=1 InstructionCodeError", "InstructionCodeError", "Error2014122290..."},
        {0x8000, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0xAFFF, 0, "StepNo=1", "StepNo=1 InstructionCodeError", "Error2014122003..."},
        {0x0162, 13, "Fnc(169) Error...system halt", "InstructionCodeError", "Error2014122004..."},
    };
    for (const auto& c : cases) {
        langDialogs.appMessages.clear();
        EXPECT_EQ(check({kLd, kNop, c.word, kNop, kEnd}), 1);
        EXPECT_EQ(head(5), (Words{kLd, c.word, kNop, kEnd, kStale}));
        EXPECT_EQ(fakes.statusBar.panelText(c.panel), c.status);
        ASSERT_EQ(langDialogs.appMessages.size(), 1u);
        const AppMessage& shown = langDialogs.appMessages[0];
        EXPECT_EQ(shown.caption, "Check instruction code...");
        EXPECT_EQ(shown.line1, c.line1);
        EXPECT_EQ(shown.line2, c.messageId);
    }
    for (const std::uint16_t word :
         {0x0001, 0x000E, 0x00C2, 0x03FF, 0x0205, 0x11D0, 0x0400, 0x1001, 0x13FF, 0xB200, 0xF800, 0xFFF7}) {
        EXPECT_EQ(check({kLd, kNop, word, kEnd}), 1) << std::hex << word;
        EXPECT_EQ(fakes.statusBar.panelText(0), "i=015E\"ProgRead");
        EXPECT_EQ(langDialogs.appMessages.back().line2, "Error2014122005...");
    }
}

TEST_F(WordCheckTest, WithoutThePopUpARefusalIsAnErrorBox) {
    DialogSeam<LangDialogs>::uninstall();
    EXPECT_EQ(check({0x000E, kEnd}), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "InstructionCodeError");
    EXPECT_EQ(fakes.messages.shown[0].caption, "Error2014122005");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Error);
}

}  // namespace
}  // namespace kestrion
