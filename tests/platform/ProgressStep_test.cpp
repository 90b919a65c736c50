#include "platform/ProgressStep.h"

#include <stdexcept>
#include <string>
#include <tuple>

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using ProgressStep = CoreTest;

std::tuple<std::string, int, int, bool> window(const FakeProgress& progress) {
    return {progress.caption, progress.maximum, progress.position, progress.visible};
}

// An inner step takes the window over and gives it back as the outer one left it; the outermost
// hides it, also when a failure ends the steps.
TEST_F(ProgressStep, AnInnerStepGivesTheWindowBackAndTheOutermostHidesItOnEveryExit) {
    try {
        platform::ProgressStep outer("Read program progress...", 100);
        outer.setPosition(40);
        {
            platform::ProgressStep inner("Convert Progress...", 10);
            EXPECT_EQ(window(fakes.progress), std::tuple("Convert Progress...", 10, 0, true));
            inner.setCaption("Convert Progress... -");
            EXPECT_EQ(window(fakes.progress), std::tuple("Convert Progress... -", 10, 0, true));
        }
        EXPECT_EQ(window(fakes.progress), std::tuple("Read program progress...", 100, 40, true));
        throw std::runtime_error("the line went");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(fakes.progress.visible);
}

// The first position past the start comes back as well as any other; the start comes back as 0.
TEST_F(ProgressStep, EveryPositionOfTheOuterStepComesBack) {
    for (const int position : {0, 1, 2, 99}) {
        platform::ProgressStep outer("Read program progress...", 100);
        outer.setPosition(position);
        { platform::ProgressStep inner("Convert Progress...", 10); }
        EXPECT_EQ(window(fakes.progress), std::tuple("Read program progress...", 100, position, true));
    }
}

// A step that begins without its window shows it at its first show(); an inner step ending inside
// it leaves the window hidden until then, and a hidden step gives nothing back.
TEST_F(ProgressStep, AStepWithoutItsWindowYetGetsNothingBack) {
    platform::ProgressStep outer;
    EXPECT_FALSE(fakes.progress.visible);
    { platform::ProgressStep inner("Convert Progress...", 100); }
    EXPECT_FALSE(fakes.progress.visible);
    outer.show("15%", 100, 15);
    EXPECT_EQ(window(fakes.progress), std::tuple("15%", 100, 15, true));
    outer.hide();
    { platform::ProgressStep inner("Convert Progress...", 100); }
    EXPECT_FALSE(fakes.progress.visible);
    EXPECT_EQ(fakes.progress.captions,
              (std::vector<std::string>{"Convert Progress...", "15%", "Convert Progress..."}));
}

// A new caption shows the window too, and what the window shows then is what an inner step gives
// back; hide takes the window away at once, before the step ends.
TEST_F(ProgressStep, ACaptionShowsTheWindowAndHideTakesItAwayAtOnce) {
    platform::ProgressStep outer;
    outer.setCaption("68% -");
    EXPECT_TRUE(fakes.progress.visible);
    { platform::ProgressStep inner("Convert Progress...", 100); }
    EXPECT_EQ(window(fakes.progress), std::tuple("68% -", 0, 0, true));
    outer.hide();
    EXPECT_FALSE(fakes.progress.visible);
}

TEST_F(ProgressStep, TheWindowShowsItsCaptionWithTheBarAtZeroANegativeCountAsNone) {
    fakes.progress.position = 7;
    platform::showProgressWindow("Convert", -3);
    EXPECT_EQ(std::tuple(fakes.progress.caption, fakes.progress.minimum, fakes.progress.maximum,
                         fakes.progress.position, fakes.progress.visible),
              std::tuple(std::string("Convert"), 0, 0, 0, true));
}

}  // namespace
}  // namespace kestrion::test
