#include "platform/Box.h"

#include <filesystem>
#include <fstream>

#include "model/core/Floors.h"
#include "support/Fixture.h"
#include "support/SourceTree.h"

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

// The three-way question hands back the answer itself: the caller tells No (go on without saving)
// from Cancel (stay).
TEST_F(Box, YesNoCancelShowsTheThreeButtonsAndGivesTheAnswerAsChosen) {
    fakes.messages.scriptAnswers({MsgAnswer::Cancel, MsgAnswer::No});
    EXPECT_EQ(platform::askYesNoCancel({"Save?", "Exit", MsgIcon::Question}), MsgAnswer::Cancel);
    EXPECT_EQ(platform::askYesNoCancel({"Save?", "File Close", MsgIcon::Question}), MsgAnswer::No);
    EXPECT_EQ(platform::askYesNoCancel({"Save?", "Exit", MsgIcon::Question}), MsgAnswer::Yes);
    ASSERT_EQ(fakes.messages.shown.size(), 3u);
    for (const auto& shown : fakes.messages.shown) {
        EXPECT_EQ(shown.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(shown.text, "Save?");
        EXPECT_EQ(shown.icon, MsgIcon::Question);
    }
    EXPECT_EQ(fakes.messages.shown[1].caption, "File Close");
}

// Every box of the program goes through the words above; the message service itself is called in
// platform/ alone, so a new box cannot slip past them.
std::vector<std::string> directBoxCalls() {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    for (const std::string_view floor : kFloors) {
        if (floor == "platform") continue;
        for (const auto& entry : fs::recursive_directory_iterator(sourceTree() / floor)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
            std::ifstream file(entry.path());
            std::string line;
            for (int number = 1; std::getline(file, line); ++number)
                if (line.find("messages().show") != std::string::npos)
                    found.push_back(fs::relative(entry.path(), sourceTree()).string() + ":" +
                                    std::to_string(number));
        }
    }
    return found;
}

TEST(BoxVocabulary, NoFloorAboveThePlatformCallsTheMessageServiceDirectly) {
    const std::vector<std::string> found = directBoxCalls();
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

TEST(BoxVocabulary, TheSearchSeesTheTree) {
    // A moved tree would make the search above pass on nothing.
    EXPECT_TRUE(std::filesystem::exists(sourceTree() / "platform" / "Box.cpp"));
    EXPECT_TRUE(std::filesystem::exists(sourceTree() / "app" / "MainCore.cpp"));
}

}  // namespace
}  // namespace kestrion::test
