#include "editor/EditorDialogs.h"
#include "editor/Progress.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

class NumberEntryTest : public CoreTest {};

TEST_F(NumberEntryTest, OnlyDigitsAndEditingKeysAreTyped) {
    for (char key : {'0', '9', '\b'}) EXPECT_TRUE(acceptNumberKey(key, "Setup Product ID")) << key;
    EXPECT_TRUE(shownBoxes(fakes.messages).empty());
    for (char key : {'/', ':', 'a', ' '}) EXPECT_FALSE(acceptNumberKey(key, "Setup Product ID")) << key;
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes(4, "Character must be 0 ~ 9 | Setup Product ID | none"));
}

TEST_F(NumberEntryTest, TheOkFlagNeedsOkAndANumber) {
    const std::tuple<bool, const char*, int, int> cases[] = {{true, "123", 1, 123},
                                                             {true, "0", 1, 0},
                                                             {true, "", 0, 0},
                                                             {false, "5", 0, 0},
                                                             {true, "12a", 0, 0},
                                                             {true, "-4", 0, 0},
                                                             {true, "999999999", 1, 999999999},
                                                             {true, "99999999999", 0, 0}};
    for (const auto& [ok, text, flag, number] : cases) {
        const NumberEntryResult result = numberEntryResult(ok, text);
        EXPECT_EQ(std::pair(int{result.okFlag}, result.number), std::pair(flag, number)) << text;
    }
}

TEST_F(NumberEntryTest, ShowProgressCaptionsTheWindowAndStartsTheBarAtZero) {
    fakes.progress.position = 7;
    showProgress(nullptr, 64, "Convert");
    EXPECT_EQ(std::tuple(fakes.progress.caption, fakes.progress.minimum, fakes.progress.maximum,
                         fakes.progress.position, fakes.progress.visible),
              std::tuple(std::string("Convert"), 0, 64, 0, true));
}

}  // namespace
}  // namespace kestrion::test
