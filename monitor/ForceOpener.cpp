#include "monitor/ForceOpener.h"

#include "editor/EditorViewState.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/plc/ForceBits.h"
#include "link/plc/PlcDialogs.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/MonitorMode.h"

namespace kestrion {

void ForceBitOnOff1Click() {
    runLinkCommand(PortAfter::Close, [](LinkSession& session) {
        ForceOnOffDialog dialog;
        dialog.monitorRunning = monitorMode != kMonitorOff ? 1 : 0;
        dialog.caption = "Force Bit On/Off";
        dialog.ForceOnOffEditChange(textOf(clickedOperandText));
        plcDialogs().forceOnOff(dialog);
        // A running monitor keeps the port.
        if (monitorMode != kMonitorOff) session.keepPortOpen();
    });
}

void spbtnForceOnOffClick() {
    ForceBitOnOff1Click();
}

}  // namespace kestrion
