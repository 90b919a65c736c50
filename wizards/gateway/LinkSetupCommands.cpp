#include "wizards/gateway/LinkSetupCommands.h"

#include <map>

#include "lang/Language.h"
#include "lang/MenuState.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/transfer/WindowSteps.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "platform/Services.h"
#include "wizards/HelpViews.h"
#include "wizards/SettingCommands.h"
#include "wizards/WizardsDialogs.h"
#include "wizards/calculators/CalculatorCommands.h"
#include "wizards/gateway/BfmLists.h"
#include "wizards/gateway/CcLinkDialog.h"
#include "wizards/gateway/GatewayProgram.h"

namespace kestrion {

namespace {

bool programOpen() {
    return windowSteps().programShown();
}

bool generateGatewayProgram(bool closeFirst) {
    const std::int32_t type = connectedPlcType == kNoPlcDetected ? pmw.plcType() : connectedPlcType;
    // A type no PLC has is refused with its box before anything is closed.
    if (!isAcceptedPlcType(type)) return writeGatewayProgramImage(type);
    if (closeFirst && programOpen() && !windowSteps().closeProgram()) return true;
    showPlcTypeAndMemorySize(pmw.plcType());
    if (!writeGatewayProgramImage(type)) return false;
    // The load's traces write over the check code; it is what the generator leaves shown.
    if (!windowSteps().showCommandBuiltProgram("Template", hexText(pmw.sumCheck(), 4))) return false;
    setMainCaptionWithFile(currentFileName());
    windowSteps().clearProgramMemos();
    // The read items rest while the generated program shows; it counts as unchanged.
    for (const char* item : {"ProgRead", "RegRead"}) menuItem(item).enabled = false;
    editModeFlags &= static_cast<std::uint8_t>(~kEditModifiedSinceSave);
    return true;
}

void showConnectionPicture(const char* caption, int topic) {
    wizardsDialogs().imageView(caption, topic, eightTenths(screenWidth), eightTenths(screenHeight));
}

}  // namespace

void ccGate1Click() {
    runCommand([] { return generateGatewayProgram(true); });
}

void ccGate2Click() {
    ccGate1Click();
}

void ProgGenerteClick() {
    if (!programOpen()) {
        windowSteps().newProgram();
        if (!programOpen()) return;
        runCommand([] { return generateGatewayProgram(false); });
        return;
    }
    ccGate1Click();
}

void Template1Click() {
    CcGateModbusDialog dialog;
    dialog.caption = "Setup ccGate Program";
    dialog.generate = ProgGenerteClick;
    wizardsDialogs().ccGateModbus(dialog);
    requestLadderRedraw();
    if (dialog.closeFlag == 0) {
        platform::statusBar().setPanelText(0, "Cancel setting ccGateModule data ...");
        return;
    }
    platform::statusBar().setPanelText(0, "Finish setup ccGateModule ...");
    if ((comState & kComStateOpen) != 0) releasePort();
}

void Link485BFM1Click() {
    parameterListView().showRows(rs485BfmRows(rs485BfmDescriptions(bTraditionalChinese)));
}

void ccGateBFM1Click() {
    std::vector<ParameterRow> rows = gatewayBfmRows(gatewayBfmDescriptions());
    const std::size_t count = rows.size();
    parameterListView().showRows(std::move(rows));
    platform::statusBar().setPanelText(13, std::to_string(count));
}

void AutoLink2Click() {
    showAutoLinkCalculator();
}

void Link485Image1Click() {
    showConnectionPicture("RS-485 link module: connection", 1);
}

void ccGateImage1Click() {
    showConnectionPicture("CC-Link gateway module: connection", 0);
}

bool linkSetupItemClick(const std::string& objectName) {
    static const std::map<std::string, void (*)()> kCommands = {
        {"ccGate1", ccGate1Click},
        {"ccGate2", ccGate2Click},
        {"AutoLink2", AutoLink2Click},
        {"Link485BFM1", Link485BFM1Click},
        {"Link485Image1", Link485Image1Click},
        {"ccLinkProtocol1", ccLinkProtocol1Click},
        {"ccLinkProtocol2", ccLinkProtocol2Click},
        {"Template1", Template1Click},
        {"ccGateBFM1", ccGateBFM1Click},
        {"ccGateImage1", ccGateImage1Click},
    };
    const auto found = kCommands.find(objectName);
    if (found == kCommands.end()) return false;
    found->second();
    return true;
}

}  // namespace kestrion
