#include "monitor/LadderMonitor.h"

#include "app/MainCore.h"
#include "diagnostics/DiagnosticsDialogs.h"
#include "diagnostics/DiagnosticsMenu.h"
#include "editor/EditorViewState.h"
#include "link/plc/MonitorFrames.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/MonitorFixture.h"

namespace kestrion::test {
namespace {

using platform::TimerId;

class LadderMonitorTest : public MonitorTest {
protected:
    LadderMonitorTest() { initLadderList(1040, 0); }
    // An object before END with its mnemonic and operand texts.
    static stLadderBlock* add(const char* mnemonic, std::initializer_list<const char*> operands,
                              bool dFlag = false) {
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        stLadderBlock* o = ldrNew;
        setText(o->mnemonic, mnemonic);
        std::size_t p = 0;
        for (const char* operand : operands) setText(o->operands[p++], operand);
        o->setDFlag(dFlag);
        return o;
    }
    static void drawAll() {
        ldrDrawHead = ldrHead;
        ldrDrawTail = nullptr;
    }
    static Texts nodes() {
        Texts out;
        for (const deviceMonitorNode* n = ladderMonitorList.head; n != nullptr; n = n->next)
            out.push_back(nodeName(*n) + ":" + std::to_string(nodeDataType(*n)) + ":" +
                          std::to_string(n->deviceIndex));
        return out;
    }
};

TEST_F(LadderMonitorTest, AMonitorWhoseLineGoesSilentShowsItselfStoppedInMenusToolBarAndStatus) {
    fakes.clock.bind(TimerId::Timer1, [] { Timer1Timer(); });
    add("LD", {"X0"});
    add("OUT", {"D0"});
    drawAll();
    for (const bool wordPhase : {true, false}) {
        fakes.messages.shown.clear();
        sim.plc.fault = plcsim::Fault::None;
        msStartMonitor1Click();
        ASSERT_TRUE(timer3Running());
        ASSERT_FALSE(menuItem("spbtnStartMonitor1").enabled);
        fakes.clock.advance(300);  // a whole cycle: the bit phase has shown RUN or STOP
        for (int wait = 0; wait < 50 && monitorState.pollPhase != (wordPhase ? 0 : 1); ++wait)
            fakes.clock.advance(10);
        ASSERT_EQ(monitorState.pollPhase, wordPhase ? 0 : 1);
        ASSERT_EQ(fakes.statusBar.panelText(11), "Stop");
        sim.plc.fault = plcsim::Fault::Silence;
        fakes.clock.advance(rs.timeOut + 1000);
        EXPECT_EQ(shownBoxes(fakes.messages).size(), 1u) << wordPhase;
        EXPECT_EQ(monitorMode, kMonitorOff) << wordPhase;
        EXPECT_FALSE(timer3Running());
        EXPECT_EQ(comPortHandle, -1);
        for (const char* on : {"msStartMonitor1", "spbtnStartMonitor1", "spbtnEntryDeviceMonitor"})
            EXPECT_TRUE(menuItem(on).enabled) << on << wordPhase;
        for (const char* off :
             {"msStopMonitor1", "spbtnStopMonitor1", "Popup4StopMonitor", "Popup4ChangeValue"})
            EXPECT_FALSE(menuItem(off).enabled) << off << wordPhase;
        EXPECT_TRUE(menuItem("WriteMode1").checked);
        EXPECT_EQ(fakes.statusBar.panelText(10) + "|" + fakes.statusBar.panelText(11), " |") << wordPhase;
    }
    sim.plc.fault = plcsim::Fault::None;
}

TEST_F(LadderMonitorTest, TheDrawnOperandsBecomeOneDeviceEachWithTheirIndexes) {
    stLadderBlock* ld = add("LD", {"X0"});
    stLadderBlock* out = add("OUT", {"Y0"});
    stLadderBlock* mov = add("MOV", {"K10", "D0"});
    stLadderBlock* again = add("LD", {"X0"});
    stLadderBlock* dmov = add("DMOV", {"D10", "D20"}, true);
    add("OUT", {"C250", "K5"});
    add("MOV", {"D5Z2", "D0Z1"});
    add("MOV", {"E1.5", "R3"});  // letters the lists have no address for
    drawAll();
    collectLadderDevices();
    EXPECT_EQ(nodes(),
              (Texts{"X0:2:1", "Y0:2:2", "D0:0:3", "D10:1:4", "D20:1:5", "C250:4:6", "D5:0:7", "D0:0:8"}));
    EXPECT_EQ(captions(monitorState.monDeviceRows),
              (Texts{"X0", "Y0", "D0", "D10", "D20", "C250", "D5Z2", "D0Z1"}));
    EXPECT_EQ(
        std::make_tuple(ld->ItemNo[1], out->ItemNo[1], mov->ItemNo[1], mov->ItemNo[2], again->ItemNo[1]),
        std::make_tuple(1, 2, 0, 3, 1));
    EXPECT_EQ(std::make_pair(dmov->ItemNo[1], dmov->ItemNo[2]),
              std::make_pair(std::int16_t{4}, std::int16_t{5}));
    // D10 and D20 as double words take two entries each; C250 a bit and a word.
    EXPECT_EQ(monitorListEntries(rs.byteTxBuf), 1u + 4 + 1 + 2);
    EXPECT_EQ(monitorListEntries(rs.bitTxBuf), 3u);
}

// An operand used again shares its row wherever that row stands; the objects after the drawn
// range (a ladder longer than the view) get no row, and the poll leaves them alone.
TEST_F(LadderMonitorTest, AnOperandUsedAgainSharesItsRowAndOnlyTheDrawnRangeIsPolled) {
    add("LD", {"X0"});
    stLadderBlock* y0 = add("OUT", {"Y0"});
    stLadderBlock* x1 = add("LD", {"X1"});
    add("OUT", {"Y1"});
    stLadderBlock* x1Again = add("LD", {"X1"});
    stLadderBlock* y0Again = add("AND", {"Y0"});
    add("OUT", {"Y2"});
    stLadderBlock* beyond = add("LD", {"X2"});
    stLadderBlock* beyondCoil = add("OUT", {"Y3"});
    ldrDrawHead = ldrHead;
    ldrDrawTail = beyond;  // the view ends before LD X2
    collectLadderDevices();
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"X0", "Y0", "X1", "Y1", "Y2"}));
    EXPECT_EQ(std::make_tuple(x1->ItemNo[1], x1Again->ItemNo[1], y0->ItemNo[1], y0Again->ItemNo[1]),
              std::make_tuple(3, 3, 2, 2));
    EXPECT_EQ(beyond->ItemNo[1] + beyondCoil->ItemNo[1], 0);

    msStartMonitor1Click();
    ASSERT_TRUE(timer3Running());
    for (std::uint32_t bit : {0x0401u, 0x0402u, 0x0503u}) sim.plc.setBit(bit, true);  // X1, X2, Y3
    cycles(2);
    EXPECT_EQ(x1->monMark, kMonMarkConducting);
    EXPECT_EQ(x1Again->monMark, kMonMarkConducting);
    EXPECT_EQ(beyond->monMark + beyondCoil->monMark, 0);
    msStopMonitor1Click();
}

TEST_F(LadderMonitorTest, StartPollsTheLadderOrTheRegisteredListAndNothingDrawnIsRefused) {
    msStartMonitor1Click();
    EXPECT_EQ(boxes(), (Boxes{"*Msg2018110730 | NoDevice | warning"}));
    EXPECT_TRUE(menuItem("msStartMonitor1").enabled);

    stLadderBlock* contact = add("LD", {"X0"});
    stLadderBlock* coil = add("OUT", {"Y0"});
    stLadderBlock* mov = add("MOV", {"K10", "D0"});
    drawAll();
    msStartMonitor1Click();
    ASSERT_TRUE(timer3Running());
    EXPECT_EQ(monitorMode, kMonitorLadder);
    EXPECT_FALSE(menuItem("spbtnStartMonitor1").enabled);
    sim.plc.setBit(0x0400, true);
    sim.plc.setBit(0x0500, true);
    sim.plc.setWord(dataAddress(0), 1234);
    cycles(2);
    EXPECT_EQ(std::make_tuple(contact->monMark, coil->monMark, mov->monValue[1]),
              std::make_tuple(kMonMarkConducting, kMonMarkConducting, std::uint64_t{1234}));
    EXPECT_EQ(redrawFlags & (kRedrawLadder | kRedrawObjects), kRedrawLadder | kRedrawObjects);
    EXPECT_FALSE(menuItem("WriteMode1").checked || menuItem("msStartMonitor1").enabled);
    EXPECT_TRUE(menuItem("msStopMonitor1").enabled && menuItem("Popup4ChangeValue").enabled);
    msStopMonitor1Click();
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running(), comPortHandle),
              std::make_tuple(kMonitorOff, false, -1));
    EXPECT_TRUE(menuItem("WriteMode1").checked && menuItem("msStartMonitor1").enabled);
    EXPECT_FALSE(menuItem("msStopMonitor1").enabled || menuItem("Popup4ChangeValue").enabled);

    // In mode 2 the start polls the registered list instead.
    registerRuns({{"D7"}});
    msStartMonitor1Click();
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running()), std::make_tuple(kMonitorEntryDevices, true));
    EXPECT_EQ(monitorListEntry(rs.byteTxBuf, 1), 0x1000 + 14);
}

TEST_F(LadderMonitorTest, AStartThatLeavesTimer3OffFallsBackToAStoppedMonitor) {
    add("LD", {"X0"});
    drawAll();
    sim.plc.faultFrame = 5;  // the registration, after the four reads of the connection test
    sim.plc.frameFault = plcsim::Fault::Silence;
    msStartMonitor1Click();
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running()), std::make_tuple(kMonitorOff, false));
    EXPECT_TRUE(menuItem("msStartMonitor1").enabled && menuItem("spbtnStartMonitor1").enabled);
    EXPECT_FALSE(menuItem("msStopMonitor1").enabled || menuItem("spbtnStopMonitor1").enabled);
    EXPECT_EQ(boxes(), (Boxes{"Error2015030526 | q4 Communication Error | warning"}));
}

// A NAK is an answer: the start goes on and the poll reads whatever the PLC holds.
TEST_F(LadderMonitorTest, ANakToTheRegistrationStillStartsTheMonitor) {
    add("LD", {"X0"});
    drawAll();
    sim.plc.nakRegistration = true;
    msStartMonitor1Click();
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running()), std::make_tuple(kMonitorLadder, true));
    EXPECT_TRUE(menuItem("msStopMonitor1").enabled && menuItem("spbtnStopMonitor1").enabled);
    EXPECT_TRUE(boxes().empty());
    EXPECT_NE(comPortHandle, -1);
}

TEST_F(LadderMonitorTest, AnOpenMenuSlowsThePollUntilTheTwentyFirstDrawingTick) {
    mmPLCClick();
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer3), 1000u);  // Timer3 off: unchanged
    add("LD", {"X0"});
    drawAll();
    msStartMonitor1Click();
    for (void (*opens)() : {mmPLCClick, mmMonitorClick, PopupMenu4Popup}) {
        fakes.clock.setInterval(TimerId::Timer3, 100);
        opens();
        EXPECT_EQ(fakes.clock.interval(TimerId::Timer3), 2000u);
    }
    for (int tick = 1; tick <= 20; ++tick) Timer2Timer();
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer3), 2000u);
    Timer2Timer();
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer3), 100u);
}

TEST_F(LadderMonitorTest, ScrollingRestartsTheLadderMonitorOnTheNewRange) {
    add("LD", {"X0"});
    stLadderBlock* lower = add("LD", {"X1"});
    drawAll();
    msStartMonitor1Click();
    ASSERT_TRUE(timer3Running());
    ldrDrawHead = lower;  // the view scrolled
    monitorRestartTick();
    EXPECT_EQ(std::make_tuple(monitorMode, timer3Running()), std::make_tuple(kMonitorLadder, false));
    for (int tick = 0; tick < 11; ++tick) monitorRestartTick();
    EXPECT_TRUE(timer3Running());
    EXPECT_EQ(monitorRangeHead, lower);
    EXPECT_EQ(captions(monitorState.monDeviceRows), (Texts{"X1"}));
}

TEST_F(LadderMonitorTest, TheMachineStatusStopsTheMonitorOfEitherModeFirst) {
    struct SeenMode : DiagnosticsDialogs {
        void errMsg1(const std::string&) override { modes.push_back(monitorMode); }
        std::vector<int> modes;
    } status;
    InstalledDialogs<DiagnosticsDialogs> installed{status};
    add("LD", {"X0"});
    drawAll();
    msStartMonitor1Click();
    MachineStatus1Click();
    monitorDevices({{"D0"}});
    MachineStatus1Click();
    EXPECT_EQ(status.modes, (std::vector<int>{kMonitorOff, kMonitorEntryDevices}));
    EXPECT_FALSE(timer3Running());
    EXPECT_TRUE(menuItem("btnStartMonitor1").enabled);
}

TEST_F(LadderMonitorTest, EnteringTheDeviceMonitorIsRefusedWhileTheLadderIsMonitored) {
    add("LD", {"X0"});
    drawAll();
    msStartMonitor1Click();
    EnterDeviceMonitor1Click();
    EXPECT_EQ(boxes(), (Boxes{"Can'tDoEnterDeviceMonitor... | Msg2018080810 | warning"}));
    EXPECT_FALSE(monitorState.panelVisible);
}

}  // namespace
}  // namespace kestrion::test
