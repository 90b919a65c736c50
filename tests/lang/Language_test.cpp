#include "lang/Language.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class LanguageTest : public test::CoreTest {};

TEST_F(LanguageTest, ExactlyOneFlagFollowsTheLanguageIndex) {
    using L = Language;
    const std::pair<int, L> cases[] = {{0, L::English},           {1, L::TraditionalChinese},
                                       {2, L::SimplifiedChinese}, {3, L::Japanese},
                                       {4, L::Spanish},           {5, L::Turkish},
                                       {6, L::English},           {255, L::English},
                                       {-1, L::English}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(selectLanguageFlags(index), expected) << index;
        EXPECT_EQ(currentLanguage(), expected);
        const bool flags[] = {bEnglish, bTraditionalChinese, bSimplifiedChinese, bJapanese, bSpanish,
                              bTurkish};
        EXPECT_EQ(std::count(std::begin(flags), std::end(flags), true), 1);
        EXPECT_TRUE(flags[static_cast<int>(expected)]);
    }
}

TEST_F(LanguageTest, QuestionsInEnglishAndInEveryOtherLanguage) {
    // The English texts are checked with the boxes of the file commands.
    for (int index = 1; index <= 5; ++index) {
        selectLanguageFlags(index);
        EXPECT_NE(getMsgSaveBeforeExit(), "Do you want to save current file before exit ?") << index;
        EXPECT_NE(getMsgSaveBeforeClose(), getMsgSaveBeforeExit());
        EXPECT_FALSE(getMsgFileExistsOverwrite().empty());
    }
}

}  // namespace
}  // namespace kestrion
