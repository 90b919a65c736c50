#include "link/plc/RunStopCommands.h"

#include "link/LinkFixture.h"
#include "model/image/ProgramImage.h"
#include "monitor/MonitorMode.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using Frames = std::vector<std::string>;

class PlcCommandsTest : public LinkTest {
protected:
    PlcCommandsTest() { pmw.setPlcType(1); }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(PlcCommandsTest, RunSendsRunAndStopSendsStopAndARunningMonitorKeepsThePort) {
    // RUN: force OFF M8037, ON M8036, ON M8035; STOP: force ON M8035, ON M8037 (block 0x0F00).
    const Frames run{"8250F", "7240F", "7230F"}, stop{"7230F", "7250F"};
    const char* const runQuestion = "OK to perform remote Run? | Msg2018081060 | question";
    const char* const stopQuestion = "OK to perform remote Stop? | Msg2018081061 | question";
    const std::tuple<void (*)(), int, const char*, Frames> cases[] = {
        {spbtnRemoteRun1Click, kMonitorOff, runQuestion, run},
        {spbtnRemoteRun2Click, kMonitorLadder, runQuestion, run},
        {spbtnRemoteStop1Click, kMonitorOff, stopQuestion, stop},
        {spbtnRemoteStop2Click, kMonitorEntryDevices, stopQuestion, stop},
        {remoteRunStop1Click, kMonitorOff, stopQuestion, stop},
        {remoteRunStop1Click, kMonitorLadder, stopQuestion, stop},
    };
    linkDialogs.runStopScript = [](RunStopDialog& dialog) {
        dialog.itemIndex = RunStopDialog::kStopItem;
        dialog.btnOkClick();
    };
    for (const auto& [command, mode, question, frames] : cases) {
        monitorMode = mode;
        if (mode != kMonitorOff) openAt(0);  // the monitor holds the port
        sim.plc.frames.clear();
        fakes.messages.shown.clear();
        command();
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{question}) << mode;
        EXPECT_EQ(sim.plc.frames, frames) << mode;
        EXPECT_EQ(fakes.serial.isOpen(), mode != kMonitorOff) << mode;
        closeComPort();
    }
}

}  // namespace
}  // namespace kestrion::test
