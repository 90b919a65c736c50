#include "platform/Box.h"

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using Box = CoreTest;

// A box shows its text, caption and icon with the buttons of its kind; a question is true only for
// the answer that says go on.
TEST_F(Box, SayShowsTheBoxWithOkAndTheQuestionsAreTrueOnlyForTheirYes) {
    platform::say({"Completed", "Program write", MsgIcon::Information});
    fakes.messages.scriptAnswers(
        {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::Cancel});
    EXPECT_TRUE(platform::askYesNo({"Stop?", "Write Register", MsgIcon::Question}));
    EXPECT_FALSE(platform::askYesNo({"Run?", "Write Register", MsgIcon::Question}));
    EXPECT_FALSE(
        platform::askYesNo({"Clear?", "Memory clear", MsgIcon::Warning}, MsgButtons::YesNoDefaultNo));
    EXPECT_TRUE(platform::askOkCancel({"Go?", "Remote", MsgIcon::Question}));
    EXPECT_FALSE(platform::askOkCancel({"Go?", "Remote", MsgIcon::Question}));
    ASSERT_EQ(fakes.messages.shown.size(), 6u);
    const auto& shown = fakes.messages.shown;
    EXPECT_TRUE(shown[0].text == "Completed" && shown[0].caption == "Program write" &&
                shown[0].icon == MsgIcon::Information && shown[0].buttons == MsgButtons::Ok);
    EXPECT_TRUE(shown[1].caption == "Write Register" && shown[1].icon == MsgIcon::Question &&
                shown[1].buttons == MsgButtons::YesNo);
    EXPECT_TRUE(shown[3].icon == MsgIcon::Warning && shown[3].buttons == MsgButtons::YesNoDefaultNo);
    EXPECT_TRUE(shown[4].text == "Go?" && shown[4].buttons == MsgButtons::OkCancel);
}

}  // namespace
}  // namespace kestrion::test
