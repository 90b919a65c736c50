#include "lang/Language.h"

#include "model/ladder/VirtualCanvas.h"
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

TEST_F(LanguageTest, TheCanvasShowsTheDeviceTooMuchTextOfTheLanguage) {
    const std::pair<int, const char*> cases[] = {
        {0, "Device too much error ... "}, {1, "元件數量過多錯誤 ... "},
        {2, "元件数量过多错误 ... "},      {3, "Device too much error ... "},
        {4, "Device too much error ... "}, {5, "Device too much error ... "}};
    for (const auto& [index, text] : cases) {
        selectLanguageFlags(index);
        EXPECT_EQ(getMsgDeviceTooMuch(), text) << index;
    }
    bTurkish = false;  // no language flag at all
    EXPECT_EQ(getMsgDeviceTooMuch(), "DeviceTooMuchError");
}

}  // namespace
}  // namespace kestrion
