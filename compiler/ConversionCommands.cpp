#include "compiler/ConversionCommands.h"

#include "compiler/ConvertCommand.h"
#include "lang/MenuState.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "platform/Box.h"

namespace kestrion {

namespace {

void convertLadder() {
    if (refusedWhileMonitoring(
            {"In Device Monitor...Can'tDoConvert...", "Msg2015032002", platform::MsgIcon::None}))
        return;
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
    convertLadder();
}

void spbtnConvertClick() {
    convertLadder();
}

void spbtnF4Click() {
    convertLadder();
}

}  // namespace kestrion
