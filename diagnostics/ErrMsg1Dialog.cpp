#include "diagnostics/ErrMsg1Dialog.h"

#include "diagnostics/DiagnosticsState.h"
#include "diagnostics/ErrorCheck.h"
#include "diagnostics/MachineStatus.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "model/image/ProgramImage.h"

namespace kestrion {

namespace {

// Runs one button's request unless another one is running; the mark falls however it ends. The
// port stays open for the next button (the dialog's opener closes it) unless the request failed.
template <typename Request>
void runAlone(Request request) {
    if (diagnosticsState.requestRunning) return;
    diagnosticsState.requestRunning = true;
    struct Release {
        ~Release() { diagnosticsState.requestRunning = false; }
    } release;
    runLinkCommand(PortAfter::Close, [&](LinkSession& session) {
        request();
        session.keepPortOpen();
    });
}

}  // namespace

void ErrMsg1Dialog::FormShow() {
    msgMemo = {"*** Push Button ***"};
}

void ErrMsg1Dialog::btnErrorCheck1Click() {
    runAlone([this] { readPlcErrorRegisters(*this, pmw.plcType()); });
}

void ErrMsg1Dialog::btnMachineStatus1Click() {
    runAlone([this] {
        if (TryToConnection(1) == 0 || comPortHandle == -1) return;
        if ((rs.status & kRsWaiting) != 0)
            failCommand({"Error2018102010...", "TimeoutError...", platform::MsgIcon::Warning});
        readMachineStatus(*this);
    });
}

bool ErrMsg1Dialog::btnCloseClick() const {
    return !diagnosticsState.requestRunning;
}

}  // namespace kestrion
