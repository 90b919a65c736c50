#include "monitor/MonitorMode.h"

#include <vector>

namespace kestrion::test {
namespace {

std::vector<int> laidOut;
void recordLayout(int viewMode) {
    laidOut.push_back(viewMode);
}

// The window's layout of the ladder's buttons runs when one is installed, and nothing runs without.
TEST(MonitorModeTest, TheInstalledViewLayoutGetsEachViewMode) {
    laidOut.clear();
    layOutLadderButtons(1);
    EXPECT_TRUE(laidOut.empty());
    setMonitorViewLayout(recordLayout);
    layOutLadderButtons(1);
    layOutLadderButtons(0);
    setMonitorViewLayout(nullptr);
    layOutLadderButtons(1);
    EXPECT_EQ(laidOut, (std::vector<int>{1, 0}));
}

}  // namespace
}  // namespace kestrion::test
