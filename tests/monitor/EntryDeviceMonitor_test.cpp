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
