// What the monitor asks of the main window: the ladder's buttons laid out as its panels take the
// ladder's place and give it back, and the window shown in the middle of a command.
#include "monitor/MonitorWindow.h"

#include "monitor/ChangeValue.h"
#include "monitor/MonitorFixture.h"

namespace kestrion::test {
namespace {

class MonitorWindowTest : public MonitorTest {
protected:
    using Layouts = std::vector<int>;
};

// Either panel shows in the ladder's place: the ladder's tool bar and function keys rest while it
// shows and come back when it closes.
TEST_F(MonitorWindowTest, EachPanelTakesTheLaddersButtonsAndGivesThemBack) {
    EnterDeviceMonitor1Click();
    EXPECT_EQ(monitorWindow.layouts, Layouts{0});
    btnMonDeviceCloseClick();
    EXPECT_EQ(monitorWindow.layouts, (Layouts{0, 1}));
    ChangeCurrentValue1Click();
    EXPECT_EQ(monitorWindow.layouts, (Layouts{0, 1, 0}));
    btnChangeCurrentValueCloseClick();
    EXPECT_EQ(monitorWindow.layouts, (Layouts{0, 1, 0, 1}));
}

// The device monitor refused while the ladder is monitored leaves the ladder its buttons.
TEST_F(MonitorWindowTest, ARefusedDeviceMonitorLeavesTheLadderItsButtons) {
    monitorMode = kMonitorLadder;
    EnterDeviceMonitor1Click();
    EXPECT_EQ(boxes(), Boxes{"Can'tDoEnterDeviceMonitor... | Msg2018080810 | warning"});
    EXPECT_EQ(monitorWindow.layouts, Layouts{});
    EXPECT_FALSE(monitorState.panelVisible);
}

// A poll whose line goes silent stops, and the window shows the stopped monitor before the box
// that says why.
TEST_F(MonitorWindowTest, ASilentLineShowsTheStoppedMonitorBeforeItsBox) {
    monitorDevices({{"D0", "2"}});
    std::vector<std::pair<bool, std::size_t>> shown;  // the poll running and the boxes, at each refresh
    monitorWindow.onRefresh = [this, &shown] {
        shown.emplace_back(timer3Running(), fakes.messages.shown.size());
    };
    fakes.messages.shown.clear();
    sim.plc.fault = plcsim::Fault::Silence;
    fakes.clock.advance(rs.timeOut + 1000);
    sim.plc.fault = plcsim::Fault::None;
    EXPECT_EQ(shown, (std::vector<std::pair<bool, std::size_t>>{{false, 0}}));
    EXPECT_EQ(boxes().size(), 1u);
}

}  // namespace
}  // namespace kestrion::test
