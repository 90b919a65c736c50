#include "link/plc/RemoteControl.h"

#include <string>

#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "link/line/Requests.h"
#include "link/plc/PlcDialogs.h"
#include "link/plc/RelayForces.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kRunSettleMs = 1000;
constexpr std::uint8_t kStatusRunning = 9;

void panel0(const std::string& text) {
    platform::statusBar().setPanelText(0, text);
}

// Panel 11 tells whether the PLC runs, as the monitor's poll last read M8000; a RUN or STOP the
// PLC acknowledged changes that at once, so the panel never goes on saying the opposite (the poll
// may not run, or not read again before the next command).
void showRunState(bool running) {
    platform::statusBar().setPanelText(11, running ? "Run" : "Stop");
}

int projectType() {
    return pmw.plcType();
}

bool extendedCommands(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

// While a monitor runs, the command uses the port the monitor holds and leaves it open.
PortAfter portAfter(bool monitorRuns) {
    return monitorRuns ? PortAfter::KeepOpen : PortAfter::Close;
}

const platform::Box kCommunicationError{"Error2015030502", "Communication Error", platform::MsgIcon::Warning};

// A command of the PLC's own protocol without address or data, 'E' in front for the extended
// families, acknowledged within ms.
bool sendControl(const std::string& command, int plcType, std::uint32_t ms) {
    makeCommandFrame(extendedCommands(plcType) ? "E" + command : command);
    return sendAckedFrame(ms) == LinkOutcome::Done;
}

struct ClearArea {
    const char* first;
    const char* second;
};
constexpr ClearArea kProgramArea{"60", "61"};
constexpr ClearArea kDataArea{"63", "64"};
constexpr ClearArea kBitsArea{"62", "64"};

enum class ClearStep { Done, ProbeFailed, NotAcked };

ClearStep clearArea(const ClearArea& area, int plcType) {
    sendEnq(1);
    if ((rs.status & kRsWaiting) != 0) return ClearStep::ProbeFailed;
    if (!sendControl(area.first, plcType, 2 * rs.timeOut)) return ClearStep::NotAcked;
    return sendControl(area.second, plcType, 2 * rs.timeOut) ? ClearStep::Done : ClearStep::NotAcked;
}

}  // namespace

bool remoteToRunMode(int plcType) {
    panel0("Remote To Run Mode [Start]");
    bool acked = forceOffM8037(plcType) == LinkOutcome::Done;
    panel0("Remote To Run Mode [#]");
    acked = forceOnM8036(plcType) == LinkOutcome::Done && acked;
    panel0("Remote To Run Mode [##]");
    acked = forceOnM8035(plcType) == LinkOutcome::Done && acked;
    pause(kRunSettleMs);
    if (acked) {
        panel0("Remote To Run Mode [Ok]");
        showRunState(true);
    }
    return acked;
}

bool remoteToStopMode(int plcType) {
    panel0("Remote To Stop mode [Start]");
    bool acked = forceOnM8035(plcType) == LinkOutcome::Done;
    panel0("Remote To Stop mode [#]");
    acked = forceOnM8037(plcType) == LinkOutcome::Done && acked;
    if (acked) {
        panel0("Remote To Stop Mode [Ok]");
        showRunState(false);
    }
    return acked;
}

void remoteRunStop(bool monitorRuns) {
    runLinkCommand(portAfter(monitorRuns), [monitorRuns] {
        if (!monitorRuns) requireConnection();
        if (remoteRunRequest == 0 && remoteStopRequest == 0) {
            const RunStopResult chosen = plcDialogs().runStop("Remote Run/Stop");
            requestLadderRedraw();
            if (chosen.okPressed == 0) return;
            remoteRunRequest = chosen.runRequest == 1 ? 1 : 0;
            remoteStopRequest = chosen.runRequest == 1 ? 0 : 1;
        }
        const bool run = remoteRunRequest != 0;
        const bool confirmed = run ? platform::askOkCancel({"OK to perform remote Run?", "Msg2018081060",
                                                            platform::MsgIcon::Question})
                                   : platform::askOkCancel({"OK to perform remote Stop?", "Msg2018081061",
                                                            platform::MsgIcon::Question});
        if (!confirmed) {
            panel0(run ? "Remote To Run Mode [Cancel]" : "Remote To Stop Mode [Cancel]");
            return;
        }
        if (run) {
            requestLadderRedraw();
            remoteToRunMode(projectType());
        } else {
            remoteToStopMode(projectType());
        }
    });
    // A request left pending would skip the dialog of the next command.
    remoteRunRequest = remoteStopRequest = 0;
}

void remoteRunStopButton(bool run, bool monitorRuns) {
    runLinkCommand(portAfter(monitorRuns), [run, monitorRuns] {
        if (!monitorRuns) requireConnection();
        remoteRunRequest = run ? 1 : 0;
        remoteStopRequest = run ? 0 : 1;
        remoteRunStop(monitorRuns);
    });
}

void MemoryClear1Click() {
    const MemoryClearResult chosen = plcDialogs().memoryClear("Memory Clear");
    if (chosen.okPressed == 0) return;
    const bool any = chosen.clearProgram != 0 || chosen.clearData != 0 || chosen.clearBits != 0;
    // What is cleared cannot be had back: the PLC is not touched unless the user says so.
    if (any && !platform::askYesNo({getMsgMemoryClearConfirm(), "Memory Clear", platform::MsgIcon::Question},
                                   platform::MsgButtons::YesNoDefaultNo))
        return;
    runLinkCommand(PortAfter::Close, [&chosen, any](LinkSession& session) {
        requireConnection();
        const int type = projectType();
        readStatusByte(type);
        if (!expectReplyBytes(1)) failCommand(kCommunicationError);
        // Nothing is cleared in a running PLC: a STOP that was not acknowledged ends the command.
        if (hexPairToByte(rs.RxBkBuf[0], rs.RxBkBuf[1]) == kStatusRunning && !remoteToStopMode(type))
            failCommand({getMsgMemoryClearNotStopped(), "Memory clear", platform::MsgIcon::Error});
        const std::pair<std::uint8_t, const ClearArea*> areas[] = {{chosen.clearProgram, &kProgramArea},
                                                                   {chosen.clearData, &kDataArea},
                                                                   {chosen.clearBits, &kBitsArea}};
        const platform::Box failed{getMsgMemoryClearFailed(), "Memory clear", platform::MsgIcon::Error};
        for (const auto& [checked, area] : areas) {
            if (checked == 0) continue;
            const ClearStep step = clearArea(*area, type);
            // The port is left open for the next command's connection test after a failed probe.
            if (step == ClearStep::ProbeFailed) session.keepPortOpen();
            if (step != ClearStep::Done) failCommand(failed);
        }
        if (any) platform::say({"Completed", "Memory clear", platform::MsgIcon::Warning});
    });
}

int InitialExternalMemory() {
    const bool acked = runLinkCommand(PortAfter::Close, [] {
        if (TryToConnection(1) != 1 || comPortHandle == -1) abandonCommand();
        if ((rs.status & kRsWaiting) != 0)
            failCommand({"Error2015091396...", "TimeoutError...", platform::MsgIcon::Warning});
        requireSystemBlock();
        requireTypeMatch({"Error2018092010", "InitialExternalMemory...Type Error", platform::MsgIcon::None});
        makeCommandFrame("6F0Init");
        return sendAckedFrame(rs.timeOut) == LinkOutcome::Done;
    });
    return acked ? 0 : 1;
}

void InitialControllerMemory1Click() {
    panel0(InitialExternalMemory() == 0 ? "InitialExternalMemory ...OK..."
                                        : "InitialExternalMemory ..FAIL..");
}

void Version1Click() {
    runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        if (TryToConnection(1) != 1) abandonCommand();
        requireSystemBlock();
        const auto d8101 = static_cast<std::int16_t>(D8Kreg[101]);
        const char* title = "Version";
        if (d8101 >= 16000 && d8101 <= 16999)
            title = "q5Version";
        else if (d8101 >= 24000 && d8101 <= 24999)
            title = "q3Version";
        auto& memos = platform::trace();
        if (memos.visible(platform::Memo::Msg1)) {
            memos.clear(platform::Memo::Msg1);
            memos.append(platform::Memo::Msg1, title + std::to_string(static_cast<std::int16_t>(D8Kreg[1])));
        }
    });
}

void SerialSettingD81201Click() {}
void RuntimeProgramChanges1Click() {}

}  // namespace kestrion
