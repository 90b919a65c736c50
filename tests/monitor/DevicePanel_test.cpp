#include "monitor/DevicePanel.h"

#include "link/plc/MonitorFrames.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/EntryDeviceMonitor.h"
#include "monitor/MonitorFixture.h"
#include "monitor/RegisterDeviceDialog.h"

namespace kestrion::test {
namespace {

class DevicePanelTest : public MonitorTest {
protected:
    std::size_t entries() const { return monitorListEntries(rs.bitTxBuf) + monitorListEntries(rs.byteTxBuf); }
    static std::vector<std::uint16_t> dataTypes() {
        std::vector<std::uint16_t> types;
        for (const deviceMonitorNode* n = deviceMonitorList.head; n != nullptr; n = n->next)
            types.push_back(nodeDataType(*n));
        return types;
    }
    bool enabled(const char* name) { return menuItem(name).enabled; }
};

TEST_F(DevicePanelTest, ARunCountsOnFromItsFirstDevice) {
    struct Case {
        RegisterEntry run;
        Texts captions;
        std::vector<std::uint16_t> types;
    };
    const Case cases[] = {
        {{"X5", "10"}, {"X5", "X6", "X7", "X10", "X11", "X12", "X13", "X14", "X15", "X16"}, {}},
        {{"Y170", "10"},
         {"Y170", "Y171", "Y172", "Y173", "Y174", "Y175", "Y176", "Y177", "Y177", "Y177"},
         {}},
        {{"C198", "4"}, {"C198", "C199", "C200", "C201"}, {3, 3, 3, 3}},  // the first number decides
        {{"C200", "2"}, {"C200", "C201"}, {4, 4}},
        {{"D100", "3", 1}, {"D100L", "D102L", "D104L"}, {1, 1, 1}},
        {{"D100", "1", 0, "Hexadecimal"}, {"D100(h)"}, {0}},
        {{"D100", "1", 0, "Decimal"}, {"D100"}, {0}},
    };
    for (const Case& c : cases) {
        btnDeleteAllDevicesClick();
        registerRuns({c.run});
        EXPECT_EQ(captions(monitorState.monDeviceRows), c.captions) << c.run.device;
        if (!c.types.empty()) {
            EXPECT_EQ(dataTypes(), c.types) << c.run.device;
        }
        EXPECT_EQ(ModeData.monitorDeviceCount, c.captions.size());
    }
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(DevicePanelTest, TheWindowShowsEachBatchsRowsBeforeTheNextDialogOpens) {
    std::vector<std::size_t> shownRows;
    monitorWindow.onRefresh = [&shownRows] { shownRows.push_back(monitorState.monDeviceRows.size()); };
    registerRuns({{"X0", "2"}, {"D0", "3"}});  // then the dialog that is cancelled
    EXPECT_EQ(shownRows, (std::vector<std::size_t>{0, 2, 5}));
}

TEST_F(DevicePanelTest, TheListsTakeSixtyFourEntriesAndADeviceWholeOrNotAtAll) {
    registerRuns({{"M0", "30"}, {"M100", "40"}});
    EXPECT_EQ(boxes(), (Boxes{"Monitor device can't > 64 | Register Message 02 | warning"}));
    EXPECT_EQ(fakes.statusBar.panelText(13), "");
    registerRuns({{"M100", "34"}});
    EXPECT_EQ(entries(), 64u);
    EXPECT_EQ(monitorState.monDeviceRows.size(), 64u);

    // The plain types' area holds 16 word entries: the 17th device is refused whole.
    fakes.messages.shown.clear();
    btnDeleteAllDevicesClick();
    registerRuns({{"D0", "17"}});
    EXPECT_EQ(boxes(), (Boxes{"Msg2019030862 | Too much device error | warning"}));
    EXPECT_EQ(std::make_tuple(entries(), monitorState.monDeviceRows.size(), ModeData.monitorDeviceCount),
              std::make_tuple(16ul, 16ul, std::uint16_t{16}));

    // Timers take two entries each: 32 fill the lists of a type 5.
    fakes.messages.shown.clear();
    btnDeleteAllDevicesClick();
    useType(5);
    connectedPlcType = 5;
    registerRuns({{"T0", "32"}, {"X0", "1"}});
    EXPECT_EQ(std::make_pair(entries(), monitorState.monDeviceRows.size()), std::make_pair(64ul, 32ul));
    EXPECT_EQ(boxes(), (Boxes{"Monitor device can't > 64 | Register Message 02 | warning"}));
}

TEST_F(DevicePanelTest, DeletingAndMovingRebuildTheRowsAndNumbersFromOne) {
    registerRuns({{"D0", "3"}});
    deviceMonitorList.selected = deviceMonitorList.head;
    btnMonDeviceMoveUpClick();
    EXPECT_EQ(boxes(), (Boxes{"ToHead | MoveUp | none"}));
    deviceMonitorList.selected = deviceMonitorList.tail;
    btnMonDeviceMoveUpClick();
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"D0", "D2", "D1"}));
    EXPECT_EQ(monitorState.focusedRow, 1);
    btnMonDeviceMoveDownClick();
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"D0", "D1", "D2"}));
    btnMonDeviceMoveDownClick();
    EXPECT_EQ(boxes().back(), "Msg2018080240 | Can'tMoveDown | none");

    deviceMonitorList.selected = deviceMonitorList.head;
    btnDeleteTheDeviceClick();
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"D1", "D2"}));
    EXPECT_EQ(std::make_pair(deviceMonitorList.head->deviceIndex, deviceMonitorList.selected),
              std::make_pair(1u, deviceMonitorList.head));
    EXPECT_EQ(monitorListEntries(rs.byteTxBuf), 2u);
    btnDeleteTheDeviceClick();
    btnDeleteTheDeviceClick();
    EXPECT_EQ(std::make_tuple(deviceMonitorList.head, entries(), enabled("btnDeleteTheDevice")),
              std::make_tuple(nullptr, 0ul, false));
    registerRuns({{"X1"}});
    EXPECT_EQ(deviceMonitorList.head->deviceIndex, 1u);
}

TEST_F(DevicePanelTest, StartRegistersTheListsAndRefusesAnotherTypeOrAnUnansweredFrameButNotANak) {
    registerRuns({{"X0"}, {"D0"}});
    btnStartMonitor1Click();
    EXPECT_TRUE(timer3Running());
    EXPECT_FALSE(enabled("btnStartMonitor1") || enabled("btnRegisterDevices") ||
                 enabled("btnMonDeviceClose"));
    EXPECT_TRUE(enabled("btnStopMonitor1"));
    EXPECT_NE(comPortHandle, -1);
    btnStopMonitor1Click();
    EXPECT_FALSE(timer3Running());
    EXPECT_TRUE(enabled("btnStartMonitor1") && enabled("btnRegisterDevices") && !enabled("btnStopMonitor1"));

    // A NAK is an answer: the start goes on.
    sim.plc.nakRegistration = true;
    btnStartMonitor1Click();
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(timer3Running());
    btnStopMonitor1Click();

    sim.plc.nakRegistration = false;
    sim.plc.faultFrame = sim.plc.frames.size() + 5;  // the registration, after the four reads
    sim.plc.frameFault = plcsim::Fault::Silence;
    btnStartMonitor1Click();
    EXPECT_EQ(boxes(), (Boxes{"Error2015030526 | q4 Communication Error | warning"}));
    EXPECT_FALSE(timer3Running());
    EXPECT_TRUE(enabled("spbtnStartMonitor1"));
    sim.plc.faultFrame = 0;

    fakes.messages.shown.clear();
    sim.plc.nakRegistration = false;
    sim.plc.setPlcType(5);
    btnStartMonitor1Click();
    EXPECT_EQ(boxes(), (Boxes{"*Device type Error | Error2015030545 | warning"}));
    EXPECT_FALSE(timer3Running());
    EXPECT_EQ(monitorMode, kMonitorOff);
}

TEST_F(DevicePanelTest, AnUnansweredRegistrationFrameStopsTheStartWithItsOwnBox) {
    struct Case {
        int type;
        RegisterEntry run;
        std::size_t frame;  // after the connection test's four reads
        const char* box;
    };
    const Case cases[] = {
        {5, {"D0", "28"}, 1, "Error2015030529 | q3 Communication Error | warning"},
        {5, {"D0", "28"}, 2, "Error2015030530 | q3 Communication Error | warning"},  // at 1440h
        {2, {"D0", "3"}, 1, "Error2015030529 | q5 Communication Error | warning"},
        {1, {"M0", "31"}, 2, "Error2015030527 | q4 Communication Error | warning"},  // at 1866h
        {1, {"M0", "31"}, 3, "Error2015030528 | q4 Communication Error | warning"},  // at 1800h
    };
    for (const Case& c : cases) {
        btnDeleteAllDevicesClick();
        useType(c.type);
        sim.plc.faultFrame = 0;
        registerRuns({c.run});
        fakes.messages.shown.clear();
        sim.plc.frames.clear();
        sim.plc.faultFrame = 4 + c.frame;
        sim.plc.frameFault = plcsim::Fault::Silence;
        btnStartMonitor1Click();
        EXPECT_EQ(boxes(), (Boxes{c.box})) << c.type << " " << c.frame;
        EXPECT_FALSE(timer3Running()) << c.type << " " << c.frame;
        EXPECT_TRUE(enabled("spbtnStartMonitor1"));
        // The same frame answered with a NAK: the start goes on.
        fakes.messages.shown.clear();
        sim.plc.frames.clear();
        sim.plc.frameFault = plcsim::Fault::Nak;
        btnStartMonitor1Click();
        EXPECT_TRUE(boxes().empty()) << c.type << " " << c.frame;
        EXPECT_TRUE(timer3Running()) << c.type << " " << c.frame;
        btnStopMonitor1Click();
    }
}

// A double-click on a row opens the registration; when the tool bar's stop button is live, the
// poll stops while the dialog is open and starts again afterwards with the new list registered.
TEST_F(DevicePanelTest, ADoubleClickOnARowOpensTheRegistrationAndRestartsAPollTheToolBarCanStop) {
    registerRuns({{"D0"}});
    const std::size_t opened = dialogs.captions.size();
    dialogs.registerEntries = {{"D1"}};
    MonDeviceListViewDblClick();
    EXPECT_EQ(dialogs.captions.size(), opened + 2);  // it comes again until it is cancelled
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"D0", "D1"}));
    EXPECT_FALSE(timer3Running());

    btnStartMonitor1Click();
    ASSERT_TRUE(timer3Running());
    menuItem("spbtnStopMonitor1").enabled = true;
    bool pollingMeanwhile = true;
    dialogs.whileRegistering = [&] { pollingMeanwhile = timer3Running(); };
    dialogs.registerEntries = {{"D2"}};
    sim.plc.frames.clear();
    MonDeviceListViewDblClick();
    EXPECT_FALSE(pollingMeanwhile);
    EXPECT_TRUE(timer3Running());
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"D0", "D1", "D2"}));
    EXPECT_EQ(monitorListEntries(rs.byteTxBuf), 3u);
    // registered again, after the connection test's four reads: D8001, D8010 and the three words
    ASSERT_GE(sim.plc.frames.size(), 6u);
    EXPECT_EQ(sim.plc.frames[4].substr(0, 5), "11826");
    EXPECT_EQ(sim.plc.frames[5].substr(0, 7), "118000C");
    btnStopMonitor1Click();
}

// A row clicked selects its device (the one the change-value dialog takes); closing the panel gives
// the Monitor menu back; deleting every device leaves no row focused.
TEST_F(DevicePanelTest, ARowSelectsItsDeviceAndThePanelsCloseGivesTheMenuBack) {
    registerRuns({{"D0", "3"}});
    ASSERT_NE(deviceMonitorList.head, nullptr);
    MonDeviceListViewSelectItem(1, true);
    EXPECT_EQ(deviceMonitorList.selected, deviceMonitorList.head->next);
    EXPECT_EQ(monitorState.focusedRow, 1);
    EXPECT_FALSE(menuItem("MonitorMenu").enabled);  // while the panel shows
    btnDeleteAllDevicesClick();
    EXPECT_EQ(monitorState.focusedRow, -1);
    btnMonDeviceCloseClick();
    EXPECT_TRUE(menuItem("MonitorMenu").enabled);
    EXPECT_FALSE(monitorState.panelVisible);
}

TEST_F(DevicePanelTest, ARowShowsTheDevicesCommentAndTheWindowsOwnListAddsNoEntries) {
    addDeviceComment();
    setText(deviceCommentList.newest->deviceText, "D100");
    setText(deviceCommentList.newest->text, "Batch count");
    registerRuns({{"D100", "2", 1, "Hexadecimal"}});
    EnterDeviceMonitor1Click();  // the rows rebuilt from the list
    EXPECT_EQ(rowTexts(monitorState.monDeviceRows), (Texts{"D100L(h)|||||Batch count", "D102L(h)||||"}));
    EXPECT_EQ(entries(), 4u);
    EntryDeviceMonitorDialog window;
    window.FormShow();
    EXPECT_EQ(monitorState.entryRows.size(), 2u);
    EXPECT_EQ(entries(), 4u);
}

TEST_F(DevicePanelTest, TheRegistrationDialogChecksNamesByTypeAndCountsByTheConnectedType) {
    struct Case {
        int type;
        const char* device;
        const char* caption;  // of the refusal, "" when accepted
    };
    const Case cases[] = {
        {1, "X18", "Error2018080284"},
        {6, "X18", "Error2018080283"},
        {6, "X77", ""},
        {6, "X100", "Error2018080283"},
        {2, "X177", ""},
        {2, "X200", "Error2018080284"},
        {1, "M512", ""},
        {1, "M513", "Error2018080285"},
        {6, "M8255", ""},
        {7, "M8256", "Error2018080287"},
        {1, "D8000", ""},
        {1, "D1000", "Error2018080292"},
        {6, "D5000", "Error2018080293"},
        {5, "D5000", ""},
        {4, "S9999", ""},
        {2, "Q1", "Error2018080280"},
        {2, "D12345", "Error2018080281"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        RegisterDeviceDialog dialog;
        dialog.plcType = c.type;
        dialog.MonDeviceEdit1Change(c.device);
        const std::string refusal = boxes().empty() ? "" : fakes.messages.shown[0].caption;
        EXPECT_EQ(refusal, c.caption) << c.type << " " << c.device;
        EXPECT_EQ(dialog.inputError, *c.caption == '\0' ? 0 : 1);
    }
    for (const auto& [type, count, error] :
         {std::tuple{1, "41", 1}, {4, "41", 1}, {5, "41", 0}, {5, "0", 0}}) {
        connectedPlcType = static_cast<std::uint16_t>(type);
        RegisterDeviceDialog dialog;
        dialog.MonDeviceNoEdit2Change(count);
        EXPECT_EQ(dialog.inputError + (dialog.countText == "1" ? 2 : 0), error == 1 ? 2 : 0) << type << count;
    }
    // A letter alone names no device.
    fakes.messages.shown.clear();
    RegisterDeviceDialog alone;
    alone.MonDeviceEdit1Change("d");
    alone.btnRegisterClick();
    EXPECT_EQ(alone.registered, 0);
    EXPECT_EQ(boxes(), (Boxes{"Not a correct device or device number error | Error2018080298 | error"}));
}

}  // namespace
}  // namespace kestrion::test
