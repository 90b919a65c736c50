// The device monitor against the plcsim program over a pseudo-terminal, on real time: each family
// registers its lists, the rows follow the values the PLC changes, and a PLC that goes away stops
// the poll with one box.
#include <chrono>

#include "editor/EditorViewState.h"
#include "link/plc/MonitorFrames.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/DevicePanel.h"
#include "monitor/FakeMonitorDialogs.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorPoll.h"
#include "support/PlcSimLine.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Texts = std::vector<std::string>;

class MonitorSerialTest : public SerialLineTest {
protected:
    void start(const PlcSimProcess& plc, int type, bool expectRunning = true) {
        attachTo(plc, 0);
        clock.bind(platform::TimerId::Timer3, [] { Timer3Timer(); });
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        rs.timeOut = 1000;
        EnterDeviceMonitor1Click();
        dialogs.registerEntries = {{"X0"}, {"Y0"}, {"T1"}, {"D0"}, {"C200"}, {"D100", "1", 1}};
        btnRegisterDevicesClick();
        btnStartMonitor1Click();
        ASSERT_EQ(timer3Running(), expectRunning);
    }
    // Runs the message loop until the rows say what is wanted, two cycles at most.
    bool rowsBecome(const Texts& wanted) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(2 * 200 + 300);
        while (std::chrono::steady_clock::now() < deadline) {
            clock.runMessageLoopOnce();
            if (values() == wanted) return true;
        }
        return false;
    }
    static Texts values() {
        Texts out;
        for (const MonitorRow& row : monitorState.monDeviceRows) {
            std::string text = row.caption;
            for (const std::string& sub : row.subItems) text += "|" + sub;
            out.push_back(text);
        }
        return out;
    }
    FakeMonitorDialogs dialogs;
    InstalledDialogs<MonitorDialogs> installed{dialogs};
};

TEST_F(MonitorSerialTest, EachFamilysRowsFollowThePlcWithinTwoCycles) {
    struct Family {
        int type;
        std::uint32_t x0, y0, d0, t1;
        const char* off;
    };
    for (const Family& f :
         {Family{1, 0x0400, 0x0500, 0x1000, 0x0802, "OFF"}, Family{5, 0x1200, 0x0C00, 0x4000, 0x1002, ""},
          Family{2, 0x6500, 0x5E00, 0x4000, 0x1002, ""}}) {
        resetAllState();
        PlcSimProcess plc({"--type", std::to_string(f.type)});
        start(plc, f.type);
        char line[64];
        for (const auto& [verb, address, value] : {std::tuple{"bit", f.x0, 1u},
                                                   {"word", f.d0, 0x04D2u},
                                                   {"word", f.t1, 7u},
                                                   {"word", 0x0C00u, 0x2345u},
                                                   {"word", 0x0C02u, 1u},
                                                   {"word", f.d0 + 202, 0xFFFFu}}) {
            std::snprintf(line, sizeof line, "%s %04X %X", verb, address, value);
            plc.command(line);
        }
        const std::string off = f.off;
        EXPECT_TRUE(rowsBecome(
            {"X0|||ON", "Y0|||" + off, "T1|7||" + off, "D0|1234", "C200|74565||" + off, "D100L|-65536"}))
            << f.type << ": " << ::testing::PrintToString(values());
        EXPECT_TRUE(shownBoxes(fakes.messages).empty()) << f.type;
        msStopMonitor1Click();
    }
}

// A NAK to the registration is an answer: the start goes on, and the rows show what the PLC holds.
TEST_F(MonitorSerialTest, ANakToTheRegistrationStillStartsThePoll) {
    PlcSimProcess plc({"--type", "1"});
    plc.command("nak-registration 1");
    start(plc, 1, true);
    EXPECT_TRUE(shownBoxes(fakes.messages).empty());
    msStopMonitor1Click();
}

TEST_F(MonitorSerialTest, APlcThatGoesAwayStopsThePollWithOneBox) {
    PlcSimProcess plc({"--type", "5"});
    start(plc, 5);
    ASSERT_TRUE(rowsBecome({"X0|||", "Y0|||", "T1|0||", "D0|0", "C200|0||", "D100L|0"}));
    plc.end();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) clock.runMessageLoopOnce();
    EXPECT_FALSE(timer3Running());
    EXPECT_EQ(shownBoxes(fakes.messages).size(), 1u);
    // The panel shows its poll stopped and can start it again; the line is let go.
    EXPECT_TRUE(menuItem("btnStartMonitor1").enabled);
    EXPECT_FALSE(menuItem("btnStopMonitor1").enabled);
    EXPECT_EQ(monitorMode, kMonitorEntryDevices);
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(fakes.statusBar.panelText(11), "");
}

TEST_F(MonitorSerialTest, ALadderMonitorWhosePlcIsPulledShowsItselfStoppedInMenusToolBarAndStatus) {
    PlcSimProcess plc({"--type", "1"});
    attachTo(plc, 0);
    clock.bind(platform::TimerId::Timer3, [] { Timer3Timer(); });
    pmw.setPlcType(1);
    rs.timeOut = 1000;
    initLadderList(1040, 0);
    for (const char* operand : {"X0", "Y0"}) {
        ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        setText(ldrNew->operands[0], operand);
    }
    ldrDrawHead = ldrHead;
    ldrDrawTail = nullptr;
    msStartMonitor1Click();
    ASSERT_TRUE(timer3Running());
    const auto ran = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
    while (std::chrono::steady_clock::now() < ran) clock.runMessageLoopOnce();
    ASSERT_EQ(fakes.statusBar.panelText(11), "Stop");  // a bit phase has been answered
    ASSERT_FALSE(menuItem("msStartMonitor1").enabled);
    plc.end();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) clock.runMessageLoopOnce();
    EXPECT_EQ(shownBoxes(fakes.messages).size(), 1u);
    EXPECT_FALSE(timer3Running());
    EXPECT_EQ(monitorMode, kMonitorOff);
    EXPECT_EQ(comPortHandle, -1);
    for (const char* on : {"msStartMonitor1", "spbtnStartMonitor1"}) EXPECT_TRUE(menuItem(on).enabled) << on;
    for (const char* off : {"msStopMonitor1", "spbtnStopMonitor1", "Popup4StopMonitor"})
        EXPECT_FALSE(menuItem(off).enabled) << off;
    EXPECT_EQ(fakes.statusBar.panelText(10) + "|" + fakes.statusBar.panelText(11), " |");
}

}  // namespace
}  // namespace kestrion::test
