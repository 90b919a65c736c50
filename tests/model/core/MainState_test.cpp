#include "model/core/MainState.h"

#include "platform/Box.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

class MainStateTest : public CoreTest {};

// Either monitor refuses the act with the act's own box, shown once with OK; with none the act goes
// on and nothing is shown.
TEST_F(MainStateTest, AnActIsRefusedWithItsOwnBoxWhileEitherMonitorPolls) {
    const platform::Box refusal{"Can'tDoRegisterWrite...", "Error2015032005", platform::MsgIcon::Warning};
    struct Case {
        int mode;
        bool refused;
    };
    for (const Case c :
         {Case{kMonitorOff, false}, Case{kMonitorLadder, true}, Case{kMonitorEntryDevices, true}}) {
        fakes.messages.shown.clear();
        monitorMode = c.mode;
        EXPECT_EQ(refusedWhileMonitoring(refusal), c.refused) << c.mode;
        EXPECT_EQ(shownBoxes(fakes.messages),
                  c.refused ? Boxes{"Can'tDoRegisterWrite... | Error2015032005 | warning"} : Boxes{})
            << c.mode;
        if (c.refused) {
            EXPECT_EQ(fakes.messages.shown[0].buttons, platform::MsgButtons::Ok);
        }
    }
}

TEST_F(MainStateTest, NoMonitorPollsAtStartUp) {
    monitorMode = kMonitorLadder;
    resetAllState();
    EXPECT_EQ(monitorMode, kMonitorOff);
}

}  // namespace
}  // namespace kestrion::test
