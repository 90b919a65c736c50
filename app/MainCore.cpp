#include "app/MainCore.h"

#include <algorithm>

#include "app/FileCommands.h"
#include "app/MainView.h"
#include "editor/DrawTimer.h"
#include "editor/EditorViewState.h"
#include "editor/LadderLayout.h"
#include "entry/EntryDriver.h"
#include "lang/HelpCommands.h"
#include "lang/Language.h"
#include "lang/LanguageCommands.h"
#include "link/line/CommRecord.h"
#include "link/plc/ParameterDialog.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorMode.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"
#include "wizards/SettingCommands.h"
#include "wizards/gateway/LinkSetupCommands.h"

namespace kestrion {

namespace {

// The start-up name carries 41 trailing blanks; the recent-file store takes its length as a limit.
constexpr const char* kStartUpName = "/User/Noname01.PMW                                         ";

}  // namespace

void mainFormStartUp() {
    installDir = platform::files().installDirectory();
    setSoftwareVersion(kSoftwareVersion);

    optionFlags &= static_cast<std::uint8_t>(~(kOptionMoreView | kOptionDeveloperViews | kOptionReserved20));
    editModeFlags &= static_cast<std::uint8_t>(~(0x80 | 0x40 | 0x20));
    fileStateFlags |= kFileLastChoiceWentThrough;
    editModeFlags |= 0x02;

    screenResolution1Click();
    projectTreeDivisor = 10;
    redrawFlags &= static_cast<std::uint8_t>(~0x80);
    platform::system().setMainCaption(titleText);

    // A first start on a fresh machine finds no installation folder: the settings need it, and the
    // programs its User folder (making that makes the installation folder too).
    platform::files().makeDirectory(installDir + "/User");
    modeDataPath = installDir + "/" + kModeDataFileName;
    loadModeDat(modeDataPath);

    // Whatever cell size the settings hold, every start draws 80 x 64.
    ModeData.xSizeSymble = kStartCellWidth;
    ModeData.ySizeSymble = kStartCellHeight;
    zoomPercent = 100;
    deviceColumns = 14;
    setupDrawGeometry();
    xOldCursor = draw.iBusLineStart;
    yOldCursor = 0;
    ladderBottomY = 0;

    // Every process takes a block of its own, whatever an earlier one left in the settings.
    releaseClipboardMemory();
    ++ModeData.instanceCount;
    initClipboardMemory(kLadderObjectRecordSize);
    loadRecentFilesFromModeDat();

    setPmwStartValues();
    setDefaultLatchRange(pmw.plcType());
    connectedPlcType = kNoPlcDetected;
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNamePreset);
    appState.LineArray = {};
    editModeFlags &= static_cast<std::uint8_t>(~kEditInsertMode);
    traceCaption = "開始";
    optionFlags &= static_cast<std::uint8_t>(~kOptionProgramOpen);
    languageClick(static_cast<int>(std::min<std::uint32_t>(ModeData.languageNo, kLanguageCount)));

    mainViewStartUp();
    loaderStartX = draw.iBusLineStart;

    setFileNameArray(installDir + kStartUpName);
    startNameLength = static_cast<std::int32_t>(currentFileName().size());
    for (auto& buffer : appState.mouseTextBuffers) buffer[0] = '\0';

    // After the settings record is read: the port and baud index come from it.
    linkStartUp();
}

namespace {

// The question about unsaved work, and the save it may lead to. Whatever keeps the work unsaved
// but a plain No (Cancel, a failed save, a Save As the user cancelled) keeps the window open.
CloseDecision askBeforeClose(const SaveForExit& saveProgram) {
    const std::string question = getMsgSaveBeforeExit();
    if ((editModeFlags & kEditModifiedSinceSave) == 0) {
        if (appState.programPanelsVisible) freeProjectLists();
        return CloseDecision::Exit;
    }

    using platform::MsgAnswer;
    const MsgAnswer answer = platform::askYesNoCancel({question, "Exit", platform::MsgIcon::Question});
    if (answer == MsgAnswer::Cancel) return CloseDecision::Stay;
    if (answer == MsgAnswer::Yes) {
        if ((editModeFlags & kEditLadderNotConverted) != 0) {
            platform::say({"Need Convert Edit Program", "Convert Message", platform::MsgIcon::Warning});
            return CloseDecision::Stay;
        }
        const bool saveAs = (fileStateFlags & kFileNoName) != 0;
        if (!saveProgram || saveProgram(saveAs) != SaveOutcome::Saved) return CloseDecision::Stay;
    }
    freeProjectLists();
    return CloseDecision::Exit;
}

}  // namespace

CloseDecision mainFormClose(const SaveForExit& saveProgram) {
    // The settings are written before the question, whatever the answer.
    _storeOldFileToModeDat(startNameLength);
    saveModeDatToDisk(installDir + "/" + kModeDataFileName);

    const CloseDecision decision = askBeforeClose(saveProgram);
    // The settings of an ending program are on disk now, as they stand: its destruction leaves
    // them there.
    settingsWrittenAtClose = decision == CloseDecision::Exit;
    return decision;
}

void mainFormDestroy() {
    ModeData.clipboardAddr = 0;
    if (ModeData.instanceCount != 0) {
        --ModeData.instanceCount;
        if (ModeData.clipboardState == 0) ModeData.instanceCount = 0;
    }
    if (!settingsWrittenAtClose) saveModeDatToDisk(installDir + "/" + kModeDataFileName);
}

void pmw1Click() {
    runCommand([] { return initPmwImageForTypeAndSize(connectedPlcType, pmw.memSizeCode()); });
}

bool MainWindowSteps::programShown() {
    return appState.programPanelsVisible;
}

bool MainWindowSteps::closeProgram() {
    return kestrion::closeProgram();
}

void MainWindowSteps::newProgram() {
    New1Click();
}

void MainWindowSteps::choosePlcType() {
    askPlcTypeAndCapacity();
}

void MainWindowSteps::clearProgramMemos() {
    appState.fileTitleMemo.clear();
    appState.dcnMemo.clear();
}

void MainWindowSteps::refreshRegisterView() {
    kestrion::refreshRegisterView();
}

bool MainWindowSteps::showCommandBuiltProgram(const std::string& loadName, const std::string& statusText) {
    return kestrion::showCommandBuiltProgram(loadName, statusText);
}

void MainWindowSteps::showRows(std::vector<ParameterRow> rows) {
    showParameterList(std::move(rows));
}

void Timer2Timer() {
    monitorRestartTick();
    editorView.monitorMarksShown = monitorMode == kMonitorLadder;
    ladderDrawTick();
    showFramedObjectComment();
    refreshLinkPanels();
    countTimer3Ticks();
}

}  // namespace kestrion
