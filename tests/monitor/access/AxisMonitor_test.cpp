#include "monitor/access/AxisMonitor.h"

#include "link/LinkFixture.h"
#include "model/image/ProgramImage.h"
#include "monitor/access/FakeAccessDialogs.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class AxisMonitorTest : public LinkTest {
protected:
    AxisMonitorTest() {
        pmw.setPlcType(1);
        dialog.setTimer8Interval = [this](std::uint32_t ms) { intervals.push_back(ms); };
    }
    SimulatedPlc sim{fakes, 1};
    AxisMonitorDialog dialog;
    std::vector<std::uint32_t> intervals;
    FakeAccessDialogs access;
    InstalledDialogs<AccessDialogs> accessInstalled{access};
};

TEST_F(AxisMonitorTest, ATickReadsBothBlocksAndShowsEachValueAsSigned32Bits) {
    sim.plc.setAxis(0, 10000);       // D8140: reply characters 10270000
    sim.plc.setAxis(2, -1);          // D8142: eight F
    sim.plc.setAxis(22, 1500);       // D8162: axis 2 current speed
    sim.plc.setAxis(28, -7);         // D8168: axis 1 bias speed
    sim.plc.setAxis(4, 0x12345678);  // D8144: axis 1 increment position
    openAt(0);
    dialog.FormShow();
    EXPECT_EQ(intervals, std::vector<std::uint32_t>{500});
    dialog.Timer8Timer();
    EXPECT_EQ(std::vector<std::string>(sim.plc.frames.end() - 2, sim.plc.frames.end()),
              (std::vector<std::string>{"00F1818", "00F4018"}));
    EXPECT_EQ(std::string(rs.txChars.data()),
              "023030463430313803"
              "3736");  // its check code 76
    EXPECT_EQ(dialog.values[0][1], 10000);
    EXPECT_EQ(dialog.values[1][1], -1);
    EXPECT_EQ(dialog.values[1][0], 1500);
    EXPECT_EQ(dialog.values[0][4], -7);
    EXPECT_EQ(dialog.values[0][2], 0x12345678);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(AxisMonitorTest, AFailedReadStopsThePollAfterOneBoxAndTheSecondBlockIsStillRead) {
    openAt(0);
    dialog.FormShow();
    sim.plc.setAxis(22, 1500);
    sim.plc.faultFrame = 1;  // the first block goes unanswered
    sim.plc.frameFault = plcsim::Fault::Silence;
    dialog.Timer8Timer();
    EXPECT_EQ(sim.plc.frames, (std::vector<std::string>{"00F1818", "00F4018"}));
    EXPECT_EQ(dialog.values[1][0], 1500);
    EXPECT_EQ(intervals.back(), 0u);
    EXPECT_TRUE(dialog.startEnabled && !dialog.stopEnabled);

    sim.plc.faultFrame = 0;
    sim.plc.fault = plcsim::Fault::Nak;  // a NAK is no reply, never values
    dialog.btnAxisStartMonitorClick();
    dialog.Timer8Timer();
    EXPECT_EQ(dialog.values[1][0], 1500);
    sim.plc.fault = plcsim::Fault::Silence;  // both blocks unanswered: still one box
    dialog.btnAxisStartMonitorClick();
    dialog.Timer8Timer();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes(3, "Error2015030520 | Communication Error | warning"));
}

TEST_F(AxisMonitorTest, StopWithoutAPollSwitchesTheButtonsAtOnceAndATickDuringAPollDoesNothing) {
    dialog.FormShow();
    dialog.btnAxisStopMonitorClick();
    EXPECT_TRUE(dialog.startEnabled && !dialog.stopEnabled);
    EXPECT_EQ(intervals.back(), 0u);
    dialog.pollBusy = 1;
    dialog.Timer8Timer();
    EXPECT_TRUE(sim.plc.frames.empty());
    EXPECT_EQ(dialog.ticks, 1u);
}

TEST_F(AxisMonitorTest, TheItemChecksTheTypeAndLeavesThePortOpenAfterTheWindow) {
    AxisMonitor1Click();
    EXPECT_EQ(access.captions, std::vector<std::string>{"Controller Axis Monitor"});
    EXPECT_TRUE(fakes.serial.isOpen());
    pmw.setPlcType(5);
    AxisMonitor1Click();
    EXPECT_EQ(access.captions.size(), 1u);
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Device type Error | AxisMonitor1Click( | warning"});
    EXPECT_FALSE(fakes.serial.isOpen());
}

}  // namespace
}  // namespace kestrion::test
