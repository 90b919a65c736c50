#include "compiler/ConversionCommands.h"

#include "compiler/ConvertCommand.h"
#include "lang/MenuState.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// Panel 0 says how the last Convert ended: a refused one must not leave the "Completed" of the one
// before it standing.
constexpr const char* kRefusedText = "...Convert...Refused...";

void convertLadder() {
    if (refusedWhileMonitoring(
            {"In Device Monitor...Can'tDoConvert...", "Msg2015032002", platform::MsgIcon::None})) {
        platform::statusBar().setPanelText(0, kRefusedText);
        return;
    }
    if (!runCommand(LToM)) {
        platform::statusBar().setPanelText(0, kRefusedText);
        return;
    }
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
