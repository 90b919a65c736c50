#include "monitor/EntryDeviceMonitor.h"

#include "lang/Language.h"
#include "link/plc/MonitorFrames.h"
#include "monitor/MonitorFixture.h"

namespace kestrion::test {
namespace {

class EntryDeviceMonitorTest : public MonitorTest {
protected:
    // The window opened and driven by script while it is open.
    void openWindow(std::function<void(EntryDeviceMonitorDialog&)> script) {
        dialogs.entryScript = std::move(script);
        EntryDeviceMonitor1Click();
    }
};

// The buttons as the window opens, by their design states.
TEST_F(EntryDeviceMonitorTest, TheWindowOpensWithStopDeleteChangeAndForceDisabled) {
    openWindow([](EntryDeviceMonitorDialog&) {
        for (const char* on : {"btnStartMonitor", "btnRegisterDevices", "btnTransferSetup",
                               "btnTryConnection", "btnClose", "btnMoveUp", "btnMoveDown"})
            EXPECT_TRUE(monitorState.entryControls[on].enabled) << on;
        for (const char* off : {"btnStopMonitor", "btnDeleteTheDevice", "btnDeleteAllDevices",
                                "btnChangeValue", "btnForceOnOff"})
            EXPECT_FALSE(monitorState.entryControls[off].enabled) << off;
    });
}

TEST_F(EntryDeviceMonitorTest, ItsRunsCountOnAndItsLimitsAreThePanels) {
    openWindow([this](EntryDeviceMonitorDialog& window) {
        dialogs.registerEntries = {{"X6", "4"}};
        window.btnRegisterDevicesClick();
        dialogs.registerEntries = {{"D100", "3", 1, "Hexadecimal"}};
        window.btnRegisterDevicesClick();
        EXPECT_EQ(captions(monitorState.entryRows),
                  (Texts{"X6", "X7", "X10", "X11", "D100L(h)", "D102L(h)", "D104L(h)"}));
        EXPECT_TRUE(monitorState.entryControls["btnDeleteAllDevices"].enabled);
        window.btnDeleteAllDevicesClick();
        dialogs.registerEntries = {{"M0", "30"}};
        window.btnRegisterDevicesClick();
        dialogs.registerEntries = {{"M100", "30"}};
        window.btnRegisterDevicesClick();
        dialogs.registerEntries = {{"M200", "5"}};
        window.btnRegisterDevicesClick();
        EXPECT_EQ(monitorState.entryRows.size(), 60u);
        EXPECT_EQ(boxes(), (Boxes{"Monitor device can't > 64 | Register Message 02 | warning"}));
        EXPECT_EQ(fakes.statusBar.panelText(13), "MonitorDeviceNo=65");
    });
    EXPECT_EQ(dialogs.captions.front(), "Entry device monitor");
}

TEST_F(EntryDeviceMonitorTest, MoveUpOnTheHeadOfThreeSaysToHeadAndOfTwoDoesNothing) {
    openWindow([this](EntryDeviceMonitorDialog& window) {
        dialogs.registerEntries = {{"D0", "2"}};
        window.btnRegisterDevicesClick();
        deviceMonitorList.selected = deviceMonitorList.head;
        window.btnMoveUpClick();
        EXPECT_EQ(captions(monitorState.entryRows), (Texts{"D0", "D1"}));
        dialogs.registerEntries = {{"D5"}};
        window.btnRegisterDevicesClick();
        deviceMonitorList.selected = deviceMonitorList.head;
        window.btnMoveUpClick();
        EXPECT_EQ(boxes(), (Boxes{"ToHead | MoveUp | none"}));
        window.btnMoveDownClick();
        EXPECT_EQ(captions(monitorState.entryRows), (Texts{"D0", "D1", "D5"}));
    });
}

TEST_F(EntryDeviceMonitorTest, StartPollsInModeTwoWhateverModeItFoundAndCloseEndsIt) {
    registerRuns({{"D3"}});
    btnMonDeviceCloseClick();  // the panel closed: mode 0
    sim.plc.setWord(dataAddress(3), 77);
    openWindow([this](EntryDeviceMonitorDialog& window) {
        EXPECT_EQ(captions(monitorState.entryRows), (Texts{"D3"}));
        EXPECT_EQ(std::make_pair(window.width, window.height),
                  std::make_pair(1536, 864));  // 8/10 of the screen
        window.btnStartMonitorClick();
        EXPECT_EQ(std::make_pair(monitorMode, timer3Running()), std::make_pair(kMonitorEntryDevices, true));
        EXPECT_FALSE(monitorState.entryControls["btnClose"].enabled);
        EXPECT_EQ(monitorListEntries(rs.byteTxBuf), 1u);  // its own list, not added to the panel's
        cycles(1);
        EXPECT_EQ(monitorState.entryRows[0].subItems.at(0), "77");
        EXPECT_EQ(monitorState.monDeviceRows[0].subItems, (Texts{" "}));  // the panel's row stays
        window.btnStopMonitorClick();
        EXPECT_EQ(std::make_pair(monitorMode, timer3Running()), std::make_pair(kMonitorOff, false));
        EXPECT_FALSE(monitorState.entryControls["btnStopMonitor"].enabled);
        window.btnStartMonitorClick();
        window.btnChangeValueClick();  // stops the monitor before its dialog
        EXPECT_EQ(std::make_pair(monitorMode, timer3Running()), std::make_pair(kMonitorOff, false));
        window.btnStartMonitorClick();
        window.btnCloseClick();
    });
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running(), monitorState.entryWindowOpen),
              std::make_tuple(kMonitorOff, false, false));
}

// Another PLC than the project's on the line: Start says so, closes the port and registers nothing.
TEST_F(EntryDeviceMonitorTest, StartRefusesAPlcOfAnotherTypeAndRegistersNothing) {
    openWindow([this](EntryDeviceMonitorDialog& window) {
        dialogs.registerEntries = {{"D3"}};
        window.btnRegisterDevicesClick();
        sim.plc.setPlcType(5);  // the project is for type 1
        sim.plc.writes.clear();
        fakes.messages.shown.clear();
        window.btnStartMonitorClick();
        EXPECT_EQ(boxes(), (Boxes{"Device type Error | *Error2018110720 | warning"}));
        EXPECT_TRUE(sim.plc.writes.empty()) << "registered in a PLC of another type";
        EXPECT_EQ(std::make_tuple(monitorMode, timer3Running(), comPortHandle),
                  std::make_tuple(kMonitorOff, false, -1));
        EXPECT_TRUE(monitorState.entryControls["btnStartMonitor"].enabled);
        EXPECT_FALSE(monitorState.entryControls["btnStopMonitor"].enabled);
        const std::size_t frames = sim.plc.frames.size();
        cycles(2);
        EXPECT_EQ(sim.plc.frames.size(), frames) << "polled";
    });
}

// A registration frame the PLC leaves unanswered stops Start with this window's own box; the
// buttons stay as they were and the port open for another try.
TEST_F(EntryDeviceMonitorTest, AnUnansweredRegistrationFrameStopsStartWithTheWindowsOwnBox) {
    struct Case {
        int type;
        RegisterEntry run;
        std::size_t frame;  // after the four reads of the type check
        const char* box;
    };
    const Case cases[] = {
        {5, {"D0", "28"}, 1, "Error2015030529 | q3 Communication Message | warning"},
        {5, {"D0", "28"}, 2, "Error2015030530 | q3 Communication Message | warning"},
        {2, {"D0", "3"}, 1, "Error2015030529 | q5 Communication Message | warning"},
        {1, {"M0", "31"}, 1, "Error2015030526 | Communication Error... | warning"},
        {1, {"M0", "31"}, 2, "Error2015030527 | Communication Error... | warning"},
        {1, {"M0", "31"}, 3, "Error2015030528 | Communication Error | warning"},
    };
    for (const Case& c : cases) {
        useType(c.type);
        openWindow([&](EntryDeviceMonitorDialog& window) {
            window.btnDeleteAllDevicesClick();
            sim.plc.faultFrame = 0;
            dialogs.registerEntries = {c.run};
            window.btnRegisterDevicesClick();
            fakes.messages.shown.clear();
            sim.plc.frames.clear();
            sim.plc.faultFrame = 4 + c.frame;
            sim.plc.frameFault = plcsim::Fault::Silence;
            window.btnStartMonitorClick();
            EXPECT_EQ(boxes(), (Boxes{c.box})) << c.type << " " << c.frame;
            EXPECT_FALSE(timer3Running()) << c.type << " " << c.frame;
            EXPECT_TRUE(monitorState.entryControls["btnStartMonitor"].enabled);
            EXPECT_NE(comPortHandle, -1);
            window.btnCloseClick();
        });
    }
}

TEST_F(EntryDeviceMonitorTest, TheTraceMemosShowOnlyInTheDeveloperLayout) {
    EntryDeviceMonitorDialog window;
    window.width = 1000;
    window.height = 600;
    EntryMonitorLayout plain = window.layout();
    EXPECT_EQ(std::make_tuple(plain.txMemo.height, plain.listView.top, plain.listView.height,
                              plain.buttons[11].top),
              std::make_tuple(0, 16, 584, 16 + 32 * 11));
    EXPECT_EQ(plain.buttons[0].left, 16 + 864 + 8);
    optionFlags |= kOptionDeveloperViews;
    EntryMonitorLayout developer = window.layout();
    EXPECT_EQ(std::make_tuple(developer.debugMemo.top, developer.rxMemo.top, developer.rxMemo.height),
              std::make_tuple(24, 136, 48));
    EXPECT_EQ(developer.listView.height, 584 - 2 * (48 + 16));
}

}  // namespace
}  // namespace kestrion::test
