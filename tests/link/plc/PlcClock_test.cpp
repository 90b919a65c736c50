#include "link/plc/PlcClock.h"

#include <algorithm>

#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class PlcClockTest : public LinkTest {
protected:
    PlcClockTest() {
        pmw.setPlcType(5);
        sim.plc.clockMs = [this] { return simMs; };
    }
    // Second, minute, hour, day, month, year, weekday.
    void setClock(std::array<std::uint16_t, 7> values) {
        for (std::uint32_t i = 0; i < 7; ++i) sim.plc.setWord(0x0E1A + 2 * i, values[i]);
    }
    void enter(SetTimeDialog& dialog, std::array<std::string, 6> edits, const char* weekday) {
        dialog.edits = edits;
        dialog.weekdayText = weekday;
        dialog.ComboBox1Change();
    }
    SimulatedPlc sim{fakes, 5};
    std::uint64_t simMs = 0;  // the simulated PLC's clock runs only when told
    SetTimeDialog dialog;
};

TEST_F(PlcClockTest, SetRtcShowsTheClockOfThePlc) {
    const std::pair<std::uint16_t, const char*> weekdays[] = {{5, "Friday"}, {7, "Sunday"}, {0, "Sunday"}};
    for (const auto& [weekday, shown] : weekdays) {
        setClock({56, 34, 12, 7, 8, 25, weekday});
        linkDialogs.setTimeScript = [&, shown = shown](SetTimeDialog& d) {
            EXPECT_EQ(rsChHex, "0230304531413045033846");
            EXPECT_EQ(d.edits, (std::array<std::string, 6>{"25", "8", "7", "12", "34", "56"}));
            EXPECT_EQ(d.weekdayText, shown);
            EXPECT_EQ(d.values[6], weekday == 0 ? 7u : weekday);
            EXPECT_EQ(d.clockMonitoring, 0);
        };
        SetRTC1Click();
        EXPECT_EQ(comPortHandle, -1);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());

    // A clock that could not be read is not shown as read.
    sim.plc.faultFrame = 5;  // after the four register reads
    sim.plc.frameFault = plcsim::Fault::Nak;
    sim.plc.frames.clear();
    linkDialogs.setTimeScript = [](SetTimeDialog& d) {
        EXPECT_EQ(d.edits, (std::array<std::string, 6>{"00", "00", "00", "00", "00", "00"}));
        EXPECT_EQ(d.weekdayText, "Sunday");
    };
    SetRTC1Click();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Error2015030517 | Communication Error | warning"});
    EXPECT_EQ(linkDialogs.captions.size(), 4u);
}

TEST_F(PlcClockTest, SetupForcesTheRelaysAroundTheClockWrite) {
    ASSERT_EQ(TryToConnection(1), 1);
    sim.plc.frames.clear();
    enter(dialog, {"25", "8", "7", "12", "34", "56"}, "Friday");
    dialog.btnSetupClick();
    const std::vector<std::string> frames = {
        "E8120E", "E70F0E", "00E0040", "00E4040", "00E8040", "00EC040", "10E1A0E380022000C000700080019000500",
        "E80F0E", "E7120E"};
    EXPECT_EQ(sim.plc.frames, frames);
    const std::uint16_t written[] = {56, 34, 12, 7, 8, 25, 5};
    for (std::uint32_t i = 0; i < 7; ++i) EXPECT_EQ(sim.plc.wordAt(0x0E1A + 2 * i), written[i]);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PlcClockTest, AFailureInsideSetupStillLetsTheClockRunAgain) {
    const std::tuple<std::size_t, plcsim::Fault, Boxes> cases[] = {
        {3, plcsim::Fault::Silence, {"Error2015030503 | Communication Message | warning"}},
        {7, plcsim::Fault::Nak, {"Error2015030519 | Communication Error | warning"}},
    };
    for (const auto& [frame, fault, boxes] : cases) {
        ASSERT_EQ(TryToConnection(1), 1);
        sim.plc.frames.clear();
        sim.plc.faultFrame = frame;
        sim.plc.frameFault = fault;
        fakes.messages.shown.clear();
        enter(dialog, {"25", "8", "7", "12", "34", "56"}, "Friday");
        dialog.btnSetupClick();
        ASSERT_GE(sim.plc.frames.size(), 2u);
        EXPECT_EQ(sim.plc.frames[sim.plc.frames.size() - 2], "E80F0E");
        EXPECT_EQ(sim.plc.frames.back(), "E7120E");
        EXPECT_EQ(shownBoxes(fakes.messages), boxes);
    }
}

TEST_F(PlcClockTest, TheEditsAreCheckedBeforeAnythingIsSent) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {5, "60", "Data over range [0 =< range >= 59]"},
        {6, "60", "Data over range [0 =< range >= 59]"},
        {4, "24", "Data over range [0 =< range >= 23]"},
        {3, "32", "Data over range [0 =< range >= 31]"},
        {2, "13", "Data over range [0 =< range >= 12]"},
        {1, "100", "Data over range [0 =< range >= 99]"},
        {1, "123456789012345678901", "Data over range [0 =< range >= 99]"},
        {5, "5x", "Device must be 0 ~ 9"},
        {4, "5x", "Device must be 0~9"},
        {3, "", "Device day isn't setting error"},
        {6, "", "Device second isn't setting error"},
    };
    ASSERT_EQ(TryToConnection(1), 1);
    sim.plc.frames.clear();
    for (const auto& [edit, text, box] : cases) {
        enter(dialog, {"99", "12", "31", "23", "59", "59"}, "Monday");
        ASSERT_TRUE(dialog.EditChange(edit));
        dialog.edits[static_cast<std::size_t>(edit - 1)] = text;
        fakes.messages.shown.clear();
        dialog.btnSetupClick();
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{std::string(box) + " | Error Message | error"});
        EXPECT_EQ(dialog.inputError, 1);
    }
    dialog.weekdayText = "Someday";
    dialog.ComboBox1Change();
    EXPECT_EQ(dialog.weekdayText + std::to_string(dialog.values[6]), "Error0");
    EXPECT_TRUE(sim.plc.frames.empty());
}

TEST_F(PlcClockTest, TheClockMonitorFollowsThePlcAndStopsOnAFailedRead) {
    std::vector<std::uint32_t> intervals;
    dialog.setTimer4Interval = [&](std::uint32_t ms) { intervals.push_back(ms); };
    ASSERT_EQ(TryToConnection(1), 1);
    setClock({58, 59, 23, 31, 12, 99, 7});
    ASSERT_TRUE(readPlcClock());  // the simulated clock runs from its first request
    dialog.btnStartMonitorClockClick();
    enter(dialog, {"25", "8", "7", "12", "34", "56"}, "Friday");
    dialog.btnSetupClick();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Must be at stop monitor status | Error Message | error"});
    simMs += 2000;
    dialog.Timer4Timer();
    EXPECT_EQ(dialog.edits, (std::array<std::string, 6>{"0", "1", "1", "0", "0", "0"}));
    EXPECT_EQ(dialog.weekdayText, "Monday");

    sim.plc.fault = plcsim::Fault::Silence;
    std::size_t nestedFrames = 0;
    fakes.clock.at(now() + 50, [&] {
        const std::size_t before = sim.plc.frames.size();
        dialog.Timer4Timer();  // the request in flight is left alone
        nestedFrames = sim.plc.frames.size() - before;
    });
    dialog.Timer4Timer();
    EXPECT_EQ(nestedFrames, 0u);
    EXPECT_EQ(dialog.edits[0], "0");
    EXPECT_EQ(dialog.clockMonitoring, 0);
    EXPECT_EQ(shownBoxes(fakes.messages).back(), "Error2015030517 | Communication Error | warning");
    EXPECT_EQ(dialog.timer4Ticks, 3u);
    dialog.btnStartMonitorClockClick();
    dialog.btnCancelClick();  // Cancel stops the clock monitor's timer
    EXPECT_EQ(intervals, (std::vector<std::uint32_t>{1000, 0, 1000, 0}));
}

}  // namespace
}  // namespace kestrion::test
