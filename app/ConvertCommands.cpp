#include "app/ConvertCommands.h"

#include "app/MainView.h"
#include "compiler/ConvertCommand.h"
#include "model/core/CommandTransaction.h"
#include "monitor/MonitorMode.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

bool monitorRefusesConvert() {
    if (monitorMode != kMonitorLadder && monitorMode != kMonitorEntryDevices) return false;
    platform::messages().show("In Device Monitor...Can'tDoConvert...", "Msg2015032002",
                              platform::MsgIcon::None, platform::MsgButtons::Ok);
    return true;
}

void convertLadder() {
    if (monitorRefusesConvert()) return;
    if (!runCommand(LToM)) return;
    menuItem("EditCancel1").enabled = false;
}

}  // namespace

void LadderToInstruction1Click() {
    convertLadder();
}

void Convert4Click() {
    convertLadder();
}

void Convert2Click() {
    LadderToInstruction1Click();
}

void spbtnConvertClick() {
    LadderToInstruction1Click();
}

void spbtnF4Click() {
    LadderToInstruction1Click();
}

}  // namespace kestrion
