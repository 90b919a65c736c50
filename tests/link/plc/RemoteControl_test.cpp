#include "link/plc/RemoteControl.h"

#include <functional>

#include "link/LinkFixture.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using Frames = std::vector<std::string>;

class RemoteControlTest : public LinkTest {
protected:
    RemoteControlTest() { pmw.setPlcType(1); }
    // The simulated PLC in RUN, its frames forgotten, the port closed.
    void runningPlc() {
        openAt(0);
        ASSERT_TRUE(remoteToRunMode(1));
        closeComPort();
        restart();
    }
    void restart() {
        sim.plc.frames.clear();
        fakes.messages.shown.clear();
    }
    void failFrame(std::size_t n, plcsim::Fault fault = plcsim::Fault::Nak) {
        sim.plc.faultFrame = n;
        sim.plc.frameFault = fault;
    }
    void choose(bool program, bool data, bool bits) {
        linkDialogs.memoryClearScript = [=](MemoryClearDialog& dialog) {
            dialog = {program, data, bits, {}};
            dialog.btnOkClick();
        };
    }
    std::vector<std::string> panel0() const { return fakes.statusBar.history(0); }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(RemoteControlTest, RunAndStopSendTheirRelaysAndSayOkOnlyWhenAllWereAcknowledged) {
    openAt(0);
    const std::uint32_t start = now();
    EXPECT_TRUE(remoteToRunMode(1));
    EXPECT_EQ(sim.plc.frames, (Frames{"8250F", "7240F", "7230F"}));
    EXPECT_GE(now() - start, 1000u);
    const Frames panels = panel0();
    EXPECT_EQ(Frames(panels.end() - 4, panels.end()),
              (Frames{"Remote To Run Mode [Start]", "Remote To Run Mode [#]", "Remote To Run Mode [##]",
                      "Remote To Run Mode [Ok]"}));
    restart();
    EXPECT_TRUE(remoteToStopMode(1));
    EXPECT_EQ(sim.plc.frames, (Frames{"7230F", "7250F"}));
    EXPECT_EQ(panel0().back(), "Remote To Stop Mode [Ok]");

    for (std::size_t k = 1; k <= 5; ++k) {  // frames 1, 2 of STOP, then 1, 2, 3 of RUN
        restart();
        failFrame(k <= 2 ? k : k - 2, k % 2 == 0 ? plcsim::Fault::Silence : plcsim::Fault::Nak);
        EXPECT_FALSE(k > 2 ? remoteToRunMode(1) : remoteToStopMode(1)) << k;
        EXPECT_EQ(sim.plc.frames.size(), k > 2 ? 3u : 2u);  // the sequence still runs to its end
        EXPECT_EQ(panel0().back(), k > 2 ? "Remote To Run Mode [##]" : "Remote To Stop mode [#]");
    }
}

// Panel 11 says whether the PLC runs (the monitor's poll writes it from M8000): a STOP or RUN the
// PLC acknowledged changes it at once, so it no longer says "Run" after a remote STOP made while
// no poll reads M8000; one that was not acknowledged leaves it as it was.
TEST_F(RemoteControlTest, AnAcknowledgedStopOrRunSaysSoInTheRunPanel) {
    openAt(0);
    fakes.statusBar.setPanelText(11, "Run");  // as the last poll left it
    EXPECT_TRUE(remoteToStopMode(1));
    EXPECT_EQ(fakes.statusBar.panelText(11), "Stop");
    EXPECT_TRUE(remoteToRunMode(1));
    EXPECT_EQ(fakes.statusBar.panelText(11), "Run");
    failFrame(sim.plc.frames.size() + 2);  // the STOP's M8037 refused
    EXPECT_FALSE(remoteToStopMode(1));
    EXPECT_EQ(fakes.statusBar.panelText(11), "Run");
    failFrame(sim.plc.frames.size() + 1, plcsim::Fault::Silence);
    EXPECT_FALSE(remoteToRunMode(1));
    EXPECT_EQ(fakes.statusBar.panelText(11), "Run");
}

// What the buttons send when the question is answered OK: tests/link/plc/RunStopCommands_test.cpp.
TEST_F(RemoteControlTest, TheRunButtonAsksAtOnceAndCancelSendsNothing) {
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    remoteRunStopButton(true, false);
    EXPECT_TRUE(linkDialogs.captions.empty());
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"OK to perform remote Run? | Msg2018081060 | question"});
    EXPECT_EQ(fakes.messages.shown[0].buttons, platform::MsgButtons::OkCancel);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Remote To Run Mode [Cancel]");
    EXPECT_TRUE(sim.plc.frames.empty());
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(remoteRunRequest, 0);
    // So does the STOP button, with its own question.
    restart();
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    remoteRunStopButton(false, false);
    EXPECT_TRUE(linkDialogs.captions.empty());
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"OK to perform remote Stop? | Msg2018081061 | question"});
    EXPECT_EQ(fakes.statusBar.panelText(0), "Remote To Stop Mode [Cancel]");
    EXPECT_EQ(remoteStopRequest, 0);
}

TEST_F(RemoteControlTest, TheMenuCommandAsksTheDialogFirstAndAMonitorKeepsThePortOpen) {
    remoteRunStop(false);  // the dialog cancelled: no question, the port closed
    EXPECT_EQ(linkDialogs.captions, Frames{"Remote Run/Stop"});
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(comPortHandle, -1);

    linkDialogs.runStopScript = [](RunStopDialog& dialog) {
        dialog.itemIndex = RunStopDialog::kStopItem;
        dialog.btnOkClick();
    };
    runningPlc();
    openAt(0);  // a monitor holds the port
    fakes.messages.scriptAnswers({MsgAnswer::Cancel});
    remoteRunStop(true);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Remote To Stop Mode [Cancel]");
    EXPECT_NE(comPortHandle, -1);
    remoteRunStop(true);
    EXPECT_EQ(sim.plc.frames, (Frames{"7230F", "7250F"}));
    EXPECT_NE(comPortHandle, -1);
    EXPECT_EQ(remoteRunRequest + remoteStopRequest, 0);
}

const char* const kClearQuestion =
    "Memory Clear erases the checked memories of the PLC for good; a PLC in RUN is switched to STOP first. "
    "Clear the PLC's memory? | Memory Clear | question";
const char* const kClearFailed =
    "Memory Clear failed: the PLC did not confirm the clear. Its memory may be partly cleared. | Memory "
    "clear "
    "| error";

TEST_F(RemoteControlTest, MemoryClearAsksFirstAndNoDefaultLeavesThePlcUntouched) {
    runningPlc();
    choose(true, false, false);
    sim.plc.setWord(0x805C, 0x2400, plcsim::Space::Program);
    MemoryClear1Click();  // the question unanswered: its default, No
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{kClearQuestion});
    EXPECT_EQ(fakes.messages.shown[0].buttons, platform::MsgButtons::YesNoDefaultNo);
    EXPECT_TRUE(sim.plc.frames.empty());
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_TRUE(sim.plc.running());
    EXPECT_EQ(sim.plc.wordAt(0x805C, plcsim::Space::Program), 0x2400);

    // Cancel in the dialog asks nothing.
    restart();
    linkDialogs.memoryClearScript = nullptr;
    MemoryClear1Click();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(sim.plc.frames.empty());
}

TEST_F(RemoteControlTest, MemoryClearStopsARunningPlcAndSaysCompletedOnlyAfterEveryAck) {
    // Nothing ticked: nothing to ask; the status byte read and the STOP, no clear, no "Completed".
    runningPlc();
    choose(false, false, false);
    MemoryClear1Click();
    EXPECT_EQ(sim.plc.frames, (Frames{"001E001", "7230F", "7250F"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(comPortHandle, -1);

    restart();
    choose(false, true, true);
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    MemoryClear1Click();
    EXPECT_EQ(sim.plc.frames, (Frames{"001E001", "63", "64", "62", "64"}));
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{kClearQuestion, "Completed | Memory clear | warning"}));

    // One area alone is asked about as well.
    for (const auto& [program, data, bits, frames] :
         {std::tuple{false, false, true, Frames{"001E001", "62", "64"}},
          std::tuple{false, true, false, Frames{"001E001", "63", "64"}}}) {
        restart();
        choose(program, data, bits);
        fakes.messages.scriptAnswers({MsgAnswer::Yes});
        MemoryClear1Click();
        EXPECT_EQ(sim.plc.frames, frames);
        EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{kClearQuestion, "Completed | Memory clear | warning"}));
    }

    // Types 2, 5 and 7 clear with the 'E' commands.
    restart();
    sim.plc.setPlcType(5);
    pmw.setPlcType(5);
    choose(true, false, false);
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    MemoryClear1Click();
    EXPECT_EQ(sim.plc.frames, (Frames{"001E001", "E60", "E61"}));
    sim.plc.setPlcType(1);
    pmw.setPlcType(1);

    // A NAK or silence to a clear frame, a STOP that is not acknowledged, a status read that fails:
    // each is told as what it is, and none is "Completed".
    const std::string notStopped =
        "Memory Clear stopped: the PLC did not confirm the switch to STOP. Nothing was cleared. | Memory "
        "clear | error";
    const std::tuple<bool, std::size_t, plcsim::Fault, Frames, std::string> cases[] = {
        {false, 2, plcsim::Fault::Nak, {"001E001", "60"}, kClearFailed},
        {false, 3, plcsim::Fault::Silence, {"001E001", "60", "61"}, kClearFailed},
        {false, 4, plcsim::Fault::Nak, {"001E001", "60", "61", "63"}, kClearFailed},
        {true, 3, plcsim::Fault::Nak, {"001E001", "7230F", "7250F"}, notStopped},
        {false, 1, plcsim::Fault::Nak, {"001E001"}, "Error2015030502 | Communication Error | warning"},
    };
    for (const auto& [running, failing, fault, frames, box] : cases) {
        if (running) runningPlc();
        restart();
        choose(true, true, false);
        failFrame(failing, fault);
        fakes.messages.scriptAnswers({MsgAnswer::Yes});
        MemoryClear1Click();
        EXPECT_EQ(sim.plc.frames, frames) << failing;
        EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{kClearQuestion, box})) << failing;
        EXPECT_EQ(comPortHandle, -1) << failing;
    }
}

TEST_F(RemoteControlTest, AMemoryClearWhoseLineGoesBetweenTheAreasSaysItFailed) {
    // The PLC falls silent once the program area is cleared: the probe before the data area finds
    // no PLC. Its own box, then the clear's failure; the port stays open for the next command's
    // connection test.
    choose(true, true, false);
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    std::function<void()> watch = [this, &watch] {
        if (!sim.plc.frames.empty() && sim.plc.frames.back() == "61")
            sim.plc.fault = plcsim::Fault::Silence;
        else
            fakes.clock.at(fakes.clock.tickCount() + 1, watch);
    };
    watch();
    MemoryClear1Click();
    EXPECT_EQ(sim.plc.frames, (Frames{"001E001", "60", "61"}));
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{kClearQuestion, "Error2015030543 | Communication Error | warning", kClearFailed}));
    EXPECT_NE(comPortHandle, -1);
    sim.plc.fault = plcsim::Fault::None;
}

TEST_F(RemoteControlTest, InitialExternalMemorySaysOkOnlyAfterTheAck) {
    const char* const fail = "InitialExternalMemory ..FAIL..";
    const std::tuple<int, std::size_t, const char*, Boxes> cases[] = {
        {1, 0, "InitialExternalMemory ...OK...", {}},
        {1, 5, fail, {}},
        {4, 0, fail, {"Error2018092010 | InitialExternalMemory...Type Error | none"}},
    };
    for (const auto& [projectType, failing, panel, boxes] : cases) {
        restart();
        pmw.setPlcType(static_cast<std::uint16_t>(projectType));
        failFrame(failing);
        InitialControllerMemory1Click();
        EXPECT_EQ(fakes.statusBar.panelText(0), panel);
        EXPECT_EQ(shownBoxes(fakes.messages), boxes);
        EXPECT_EQ(sim.plc.frames.back() == "6F0Init", projectType == 1);
    }
}

TEST_F(RemoteControlTest, VersionWritesTheFamilyAndD8001IntoAVisibleMessageMemo) {
    const std::pair<std::uint16_t, const char*> cases[] = {{16000, "q5Version20100"},
                                                           {16999, "q5Version20100"},
                                                           {17000, "Version20100"},
                                                           {24999, "q3Version20100"}};
    fakes.trace.setVisible(platform::Memo::Msg1, true);
    for (const auto& [d8101, line] : cases) {
        sim.plc.setWord(0x0E00 + 2 * 101, d8101);
        fakes.trace.append(platform::Memo::Msg1, "old");
        Version1Click();
        EXPECT_EQ(fakes.trace.lines(platform::Memo::Msg1), Frames{line});
        EXPECT_EQ(comPortHandle, -1);
    }
    fakes.trace.setVisible(platform::Memo::Msg1, false);
    fakes.trace.clear(platform::Memo::Msg1);
    Version1Click();
    EXPECT_TRUE(fakes.trace.lines(platform::Memo::Msg1).empty());
}

}  // namespace
}  // namespace kestrion::test
