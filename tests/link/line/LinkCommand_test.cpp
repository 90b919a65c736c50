#include "link/line/LinkCommand.h"

#include <functional>

#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "link/line/LineState.h"
#include "link/line/RegisterReads.h"
#include "link/plc/Keywords.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RemoteControl.h"
#include "model/image/ProgramImage.h"
#include "monitor/ForceOpener.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using Step = std::function<void(LinkSession&)>;

class LinkCommandTest : public LinkTest {
protected:
    SimulatedPlc sim{fakes, 1};
};

TEST_F(LinkCommandTest, EveryExitClosesThePortUnlessTheCommandKeepsIt) {
    const platform::Box box{"Error2015030511", "Communication Message", platform::MsgIcon::Warning};
    const Step done = [](LinkSession&) {};
    const Step failed = [&](LinkSession&) { failCommand(box); };
    const Step keptThenFailed = [&](LinkSession& s) {
        s.keepPortOpen();
        failCommand(box);
    };
    const Step givenUp = [](LinkSession& s) {
        s.closePortAtEnd();
        abandonCommand();
    };
    const std::tuple<PortAfter, const Step*, bool, Boxes, bool> cases[] = {
        {PortAfter::Close, &done, true, {}, false},
        {PortAfter::Close, &failed, false, {"Error2015030511 | Communication Message | warning"}, false},
        {PortAfter::Close,
         &keptThenFailed,
         false,
         {"Error2015030511 | Communication Message | warning"},
         true},
        {PortAfter::KeepOpen, &done, true, {}, true},
        {PortAfter::KeepOpen, &givenUp, false, {}, false},
    };
    for (const auto& [after, step, ran, boxes, openAfter] : cases) {
        openAt(0);
        fakes.messages.shown.clear();
        EXPECT_EQ(runLinkCommand(after, *step), ran);
        EXPECT_EQ(shownBoxes(fakes.messages), boxes);
        EXPECT_EQ(fakes.serial.isOpen(), openAfter);
        EXPECT_EQ(fakes.clock.enabled(platform::TimerId::Timer1), openAfter);
    }
}

TEST_F(LinkCommandTest, ReleasingThePortClosesItAtOnceInsideASessionThatKeepsItAndOutsideAny) {
    const auto closed = [this] {
        return !fakes.serial.isOpen() && comPortHandle == -1 && (comState & kComStateOpen) == 0 &&
               !fakes.clock.enabled(platform::TimerId::Timer1) && fakes.statusBar.panelText(5) == "COMn OFF";
    };
    openAt(0);
    bool closedInside = false;
    EXPECT_TRUE(runLinkCommand(PortAfter::KeepOpen, [&] {
        releasePort();
        closedInside = closed();
    }));
    EXPECT_TRUE(closedInside);
    EXPECT_TRUE(closed());

    openAt(0);
    releasePort();
    EXPECT_TRUE(closed());
}

TEST_F(LinkCommandTest, ACommandStartedWhileARequestWaitsIsRefusedAndLeavesThePortAlone) {
    pmw.setPlcType(1);
    linkDialogs.keywordEntries = {{"", "12345678"}};
    void (*const commands[])() = {
        KeywordSetup1Click,  SetRTC1Click,  TryToConnection1Click, ConnectionTest1Click,
        ForceBitOnOff1Click, Version1Click, selectComPort,         [] {
                                      remoteRunStopButton(true, true); }};
    openAt(0);
    sim.plc.fault = plcsim::Fault::Silence;
    for (void (*command)() : commands) {
        fakes.messages.shown.clear();
        bool portKept = false;
        fakes.clock.at(now() + 50, [&] {
            command();
            portKept = fakes.serial.isOpen();
        });
        readD8004();
        EXPECT_TRUE(portKept);
        EXPECT_EQ(std::string(rs.txChars.data()), "0230304530383032033732");  // the waiting one's frame
        EXPECT_EQ(shownBoxes(fakes.messages),
                  Boxes{"The PLC link is busy with another request | Communication Message | warning"});
    }
    EXPECT_TRUE(linkDialogs.captions.empty());
    EXPECT_EQ(sim.plc.frames.size(), std::size(commands));  // the waiting reads alone
    EXPECT_EQ(remoteRunRequest, 0);

    // A timer tick is refused without a word.
    bool tickRan = true;
    fakes.clock.at(now() + 50, [&] {
        tickRan = runLinkCommand(
            PortAfter::KeepOpen, [] {}, IfBusy::StayQuiet);
    });
    fakes.messages.shown.clear();
    readD8004();
    EXPECT_FALSE(tickRan);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// A command owns the user's input from its session's start to its end, however it ends, an inner
// session with it, and the window shows it busy as long; a poll tick and a session refused as busy
// never do.
TEST_F(LinkCommandTest, ACommandOwnsTheInputWhileItRunsAndAPollTickNever) {
    EXPECT_FALSE(linkCommandOwnsInput());
    bool inside = false;
    bool innerInside = false;
    runLinkCommand(PortAfter::Close, [&] {
        inside = linkCommandOwnsInput() && fakes.system.busy;
        runLinkCommand(PortAfter::KeepOpen, [&] { innerInside = linkCommandOwnsInput(); });
        EXPECT_TRUE(linkCommandOwnsInput() && fakes.system.busy);
        failCommand({"Error2015030511", "Communication Message", platform::MsgIcon::Warning});
    });
    EXPECT_TRUE(inside);
    EXPECT_TRUE(innerInside);
    EXPECT_FALSE(linkCommandOwnsInput());
    {
        const LinkSession tick(PortAfter::KeepOpen, IfBusy::StayQuiet, SessionOf::PollTick);
        EXPECT_FALSE(tick.refused());
        EXPECT_FALSE(linkCommandOwnsInput());
    }
    EXPECT_EQ(fakes.system.busyChanges, (std::vector<bool>{true, false}));  // once, for the outer one
    // Refused while a request waits: it adds no owner of its own, and leaves none behind.
    int ownersBefore = -1;
    int ownersWhileRefused = -1;
    openAt(0);
    sim.plc.fault = plcsim::Fault::Silence;
    fakes.clock.at(now() + 50, [&] {
        ownersBefore = lineState.inputOwningSessions;
        const LinkSession late(PortAfter::KeepOpen, IfBusy::StayQuiet);
        EXPECT_TRUE(late.refused());
        ownersWhileRefused = lineState.inputOwningSessions;
    });
    readD8004();
    EXPECT_NE(ownersBefore, -1);
    EXPECT_EQ(ownersWhileRefused, ownersBefore);
    EXPECT_FALSE(linkCommandOwnsInput());
    EXPECT_EQ(fakes.system.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(LinkCommandTest, AFailedConnectionTestSaysWhyAndTheCommandClosesThePort) {
    sim.plc.fault = plcsim::Fault::Silence;
    EXPECT_FALSE(runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        ADD_FAILURE() << "went on without a PLC";
    }));
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Communication Error... | Error2015032065 | warning"});
    EXPECT_FALSE(fakes.serial.isOpen());
}

TEST_F(LinkCommandTest, TheProgressWindowIsHiddenOnEveryExitAndGivenBackToTheOuterOne) {
    {
        platform::ProgressStep outer("Read program progress...", 100);
        outer.setPosition(40);
        EXPECT_FALSE(runLinkCommand(PortAfter::KeepOpen, [] {
            platform::ProgressStep inner("Write parameter progress...", 2);
            inner.setPosition(1);
            abandonCommand();
        }));
        EXPECT_TRUE(fakes.progress.visible);
        EXPECT_EQ(fakes.progress.caption, "Read program progress...");
        EXPECT_EQ(std::tie(fakes.progress.maximum, fakes.progress.position), std::tuple(100, 40));
    }
    EXPECT_FALSE(fakes.progress.visible);
}

}  // namespace
}  // namespace kestrion::test
