#include "lang/Language.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class LanguageTest : public test::CoreTest {};

TEST_F(LanguageTest, ExactlyOneFlagFollowsTheLanguageIndex) {
    struct Case {
        int index;
        Language expected;
    } cases[] = {
        {0, Language::English},           {1, Language::TraditionalChinese},
        {2, Language::SimplifiedChinese}, {3, Language::Japanese},
        {4, Language::Spanish},           {5, Language::Turkish},
        {6, Language::English},           {255, Language::English},
        {-1, Language::English},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(selectLanguageFlags(c.index), c.expected);
        EXPECT_EQ(currentLanguage(), c.expected);
        const bool flags[] = {bEnglish, bTraditionalChinese, bSimplifiedChinese, bJapanese, bSpanish,
                              bTurkish};
        EXPECT_EQ(std::count(std::begin(flags), std::end(flags), true), 1);
        EXPECT_TRUE(flags[static_cast<int>(c.expected)]);
    }
}

TEST_F(LanguageTest, QuestionsInEnglishAndInEveryOtherLanguage) {
    selectLanguageFlags(0);
    EXPECT_EQ(getMsgSaveBeforeClose(), "Do you want to save current file before close ?");
    EXPECT_EQ(getMsgSaveBeforeExit(), "Do you want to save current file before exit ?");
    EXPECT_EQ(getMsgFileExistsOverwrite(), "This file has existed, do you want to overwrite ?");
    for (int index = 1; index <= 5; ++index) {
        SCOPED_TRACE(index);
        selectLanguageFlags(index);
        EXPECT_NE(getMsgSaveBeforeExit(), "Do you want to save current file before exit ?");
        EXPECT_NE(getMsgSaveBeforeClose(), getMsgSaveBeforeExit());
        EXPECT_FALSE(getMsgFileExistsOverwrite().empty());
    }
}

}  // namespace
}  // namespace kestrion
