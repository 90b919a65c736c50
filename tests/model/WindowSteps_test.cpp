#include "model/WindowSteps.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

// Until the main window installs its steps, a command of a lower floor that needs one stops
// before it changes the program: nothing is closed, named or shown.
TEST(WindowStepsTest, StepsNotInstalledReportNothingDone) {
    const WindowSteps none;
    EXPECT_FALSE(none.programShown());
    EXPECT_FALSE(none.closeProgram());
    EXPECT_FALSE(none.prepareNewFileName());
    none.newProgram();
    none.showProgramOpen();
    none.clearProgramMemos();
    none.choosePlcType();
    none.refreshRegisterView();
}

int closeCalls = 0;

TEST(WindowStepsTest, TheInstalledStepsAreTheOnesTheCommandsCall) {
    const WindowSteps previous = windowSteps();
    WindowSteps steps;
    steps.closeProgram = [] {
        ++closeCalls;
        return true;
    };
    steps.programShown = [] { return true; };
    setWindowSteps(steps);

    closeCalls = 0;
    EXPECT_TRUE(windowSteps().closeProgram());
    EXPECT_EQ(closeCalls, 1);
    EXPECT_TRUE(windowSteps().programShown());
    // A step left out of what was installed still reports nothing done.
    EXPECT_FALSE(windowSteps().prepareNewFileName());

    setWindowSteps(previous);
    EXPECT_EQ(windowSteps().closeProgram, previous.closeProgram);
}

}  // namespace
}  // namespace kestrion
