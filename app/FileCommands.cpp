#include "app/FileCommands.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/AppDialogs.h"
#include "app/FileTitle.h"
#include "app/MainView.h"
#include "editor/CommentCommands.h"
#include "lang/Language.h"
#include "lang/Texts.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/core/TextBuffers.h"
#include "model/image/CommentLists.h"
#include "model/image/CompanionFiles.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/CowImage.h"
#include "model/image/DmwImage.h"
#include "model/image/FileExtensions.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/image/StepCount.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"
#include "reader/WordCheck.h"
#include "wizards/DataFiles.h"
#include "wizards/SettingCommands.h"

namespace kestrion {

namespace {

using platform::MsgAnswer;
using platform::MsgIcon;

constexpr std::size_t kRecentCaptionLimit = 80;

void clearBits(std::uint8_t& flags, std::uint8_t bits) {
    flags &= static_cast<std::uint8_t>(~bits);
}

std::string modeDataFile() {
    return installDir + "/" + kModeDataFileName;
}

void showNeedConvert() {
    platform::say({"Need Convert Edit Program", "Convert Message", MsgIcon::Warning});
}

void showNameTooLong(const std::string& caption) {
    platform::say({"Filename Too Long...", caption, MsgIcon::None});
}

std::string trimmed(std::string name) {
    rtrimCString(name);
    return name;
}

// Nothing is written into the program's own data folder: the examples shipped there are never
// written over, and no new file joins them.
bool refusedAsShipped(const std::string& name) {
    if (!isInDataFolder(name)) return false;
    const bool shipped = platform::files().exists(std::filesystem::path(name).lexically_normal().string());
    const char* id = shipped ? "DataFolderNotWritten" : "DataFolderNotAdded";
    platform::say({textOf(id) + "\n" + name, "PMW", MsgIcon::Error});
    return true;
}

// A program opened from the data folder becomes an unnamed one of the same content, named after
// its file in the User folder: Save asks where to keep it.
void unnameShippedProgram(const std::string& name) {
    const std::string userDir = installDir + "/User";
    platform::files().makeDirectory(userDir);
    const std::size_t slash = name.find_last_of('/');
    const std::string unnamed = userDir + "/" + name.substr(slash == std::string::npos ? 0 : slash + 1);
    if (setCurrentFileName(unnamed)) setMainCaptionWithFile(unnamed);
    fileStateFlags |= kFileNoName;
}

bool needsCloseFirst() {
    return (fileStateFlags & kFileNoName) != 0 ||
           (editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted)) != 0;
}

void enableRecentItems(bool enabled) {
    for (const char* item : kRecentFileItemNames) menuItem(item).enabled = enabled;
}

void freeOldProgramLists() {
    for (int list : {kListMain, kListUndo, kListInsertedRows, kListDeletedRows, kListEditedRows, kListDelete,
                     kListEditNew})
        FreeLadderMemory(list);
}

void runningProgram() {
    requestLadderRedraw();
    platform::timers().setEnabled(platform::TimerId::Timer2, true);
    platform::system().beep();
}

// The type box, then the parameter box: Cancel on either ends New with the program as it was (a
// close the user has answered stays done). The type and capacity chosen reach the program image
// only when both boxes are closed with OK.
enum class NewChoice { Cancelled, TypeCancelled, Chosen };

NewChoice chooseNewProgramType() {
    NewChoice choice = NewChoice::Cancelled;
    runCommand([&choice] {
        askPlcTypeAndCapacity();
        if ((fileStateFlags & kFileLastChoiceWentThrough) == 0) {
            choice = NewChoice::TypeCancelled;
            return true;
        }
        initPmwImageByType(pmw.plcType());
        std::fill(pmw.program.begin(), pmw.program.end(), kEmptyWord);
        pmw.program[0] = kEndCode;
        if (!parameterSettingChosen()) return false;
        choice = NewChoice::Chosen;
        return true;
    });
    return choice;
}

bool newProgram() {
    if (needsCloseFirst() && !closeProgram()) return true;
    switch (chooseNewProgramType()) {
        case NewChoice::Cancelled: return true;
        case NewChoice::TypeCancelled:
            fileStateFlags |= kFileLastChoiceWentThrough;
            clearBits(fileStateFlags, kFileNoName);
            clearBits(editModeFlags, kEditModifiedSinceSave);
            return true;
        case NewChoice::Chosen: break;
    }
    clearAllObjects();
    platform::statusBar().setPanelText(0, "iType=" + intToAnsiString(connectedPlcType));
    platform::statusBar().setPanelText(13, "pmw.un.ST.PRE.i[jPrePlcType]=" + intToAnsiString(pmw.plcType()));

    for (std::uint32_t k = 0; k < kDmwSpecialFirst; ++k) setDmwRegister(k, 0);
    newCowImage();
    if (!prepareNewFileName()) return false;
    setMainCaptionWithFile(currentFileName());

    showProgramOpen();
    freeOldProgramLists();
    for (int kind = kCommentListNames; kind <= kCommentListMonitor; ++kind) freeCommentList(kind);
    freeLadderMonitorList();
    freeDeviceMonitorList();
    fileStateFlags |= kFileLastChoiceWentThrough | kFileNoName;
    editModeFlags |= kEditModifiedSinceSave;
    resetCommentCounts();

    platform::trace().clear(platform::Memo::Debug1);
    DeleteNopMachineCode(kProgramAreaOffset, "New");
    loadLadderFromImage("New1C");

    ladderBottomY = 0;
    showLoadedLadderFromTop(FirstCellFrame::Bare);
    runningProgram();
    return true;
}

// The name the open dialog gives, or nothing after Cancel or a name that does not fit.
std::optional<std::string> askOpenName() {
    const FileDialogResult chosen =
        appDialogs().openFile({"File Open", "*.PMW|*.PMW|*.*|*.*", "PMW", currentFileName()});
    if (!chosen.accepted) return std::nullopt;
    return chosen.fileName;
}

}  // namespace

void showProgramOpen() {
    setupAllPanels();
    const int rows =
        ModeData.ySizeSymble == 0 ? 0 : appState.editPanelHeight / static_cast<int>(ModeData.ySizeSymble);
    appState.visibleRowCount = static_cast<std::uint32_t>(std::max(rows - 1, 0));
    setMenuProgramOpen();
    setMenuOpened();
    setupToolBarButtons(1);
    setupFncKeyButtons(1);
    LadderView1Click();
}

bool showCommandBuiltProgram(const std::string& loadName, const std::string& statusText) {
    // A name of its own: a Save must not put it over the file that was open before.
    if (!prepareNewFileName()) return false;
    fileStateFlags |= kFileNoName;
    showProgramOpen();
    loadLadderFromImage(loadName);
    // The view opens on the program's first line, as after Open.
    showLoadedLadderFromTop();
    platform::statusBar().setPanelText(0, statusText);
    enableRecentItems(false);
    editModeFlags |= kEditFileOpen;
    requestLadderRedraw();
    platform::timers().setEnabled(platform::TimerId::Timer2, true);
    return true;
}

// ---- Names ----------------------------------------------------------------------------------------

bool setCurrentFileName(const std::string& name) {
    const std::string text = name.substr(0, name.find('\0'));
    if (text.size() >= kFileNameSize) return false;
    setFileNameArray(text);
    return true;
}

bool prepareNewFileName() {
    if ((fileStateFlags & kFileNoName) != 0) return true;
    const std::string userDir = installDir + "/User";
    // Without the folder the name still stands: Save As lets the user choose another.
    if (!platform::files().makeDirectory(userDir) && platform::files().makeDirectory(userDir))
        platform::say({"Create Directory " + userDir, "File New", MsgIcon::None});
    const std::string name = currentFileName();
    const std::size_t slash = name.find_last_of('/');
    const std::size_t stemStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = name.find('.', stemStart + 1);
    if (dot == std::string::npos) dot = name.size();
    const std::size_t keep = std::max(stemStart, dot >= 2 ? dot - 2 : 0);

    ++newFileCounter;
    const std::string digits = hexText(static_cast<std::uint32_t>(newFileCounter), 2).substr(0, 2);
    const std::string renamed = name.substr(0, keep) + digits + ".PMW";
    if (!setCurrentFileName(renamed)) {
        --newFileCounter;
        showNameTooLong("File New");
        return false;
    }
    return true;
}

// ---- Commands -------------------------------------------------------------------------------------

void New1Click() {
    runCommand(newProgram);
}

bool openProgram(std::optional<std::string> presetName) {
    if (needsCloseFirst()) {
        if (!closeProgram()) return true;
        presetName.reset();  // the close took back the preset name: the dialog asks
    }
    if (!presetName) presetName = askOpenName();
    if (!presetName) return true;
    const std::string name = withFileExt(trimmed(*presetName), "PMW");
    if (name.size() >= kFileNameSize) {
        showNameTooLong("File Open");
        return true;
    }

    // Read aside: the program in use changes only once the open goes on.
    auto image = std::make_unique<PmwImage>();
    if (readPmwFile(name, *image) != PmwReadResult::Ok) return true;
    const std::string heldName = currentFileName();
    if (!setCurrentFileName(name)) return true;
    const auto fileHeader = image->pmwPre;
    if (!editFileTitle("Open", *image)) {
        static_cast<void>(setCurrentFileName(heldName));
        return true;
    }
    const bool retitled = image->pmwPre != fileHeader;
    pmw = *image;
    backupPmwImage();
    appState.fileTitleMemo = programTitle(pmw);

    const CompanionReadResult companions = readCompanionFiles(name, pmw.plcType());
    if (companions.dcnRead)
        optionFlags |= kOptionDcnFileRead;
    else
        clearBits(optionFlags, kOptionDcnFileRead);
    appState.dcnMemo = companions.description.value_or("");
    // Beside a COW file, whose description the program shows, the DCN file is left alone.
    appState.dcnKeptUntilSaved = companions.dcnRead && !companions.cowRead ? withFileExt(name, "DCN") : "";

    showProgramOpen();
    freeOldProgramLists();
    platform::trace().clear(platform::Memo::Debug1);
    platform::statusBar().setPanelText(13, std::string(35, '-'));
    if (isOnlyNopUntilEnd(kProgramAreaOffset)) pmw.program[0] = kEndCode;
    // A faulty instruction word has been shown by the check: the previous program comes back.
    if (DeleteNopMachineCode(kProgramAreaOffset, "Open") != 0) return false;

    loadLadderFromImage("Open1C", [] {
        if (!loadCommentFromCowBuffer()) ClearAllComment1Click();
        chooseCellHeight(deviceCommentList.head != nullptr ? 64 : 56);
    });
    showLoadedLadderFromTop();
    setMainCaptionWithFile(name);
    showProgramSteps();
    enableRecentItems(false);
    clearBits(fileStateFlags, kFileNoName | kFileNamePreset);
    clearBits(editModeFlags, kEditModifiedSinceSave);
    // A title typed in the box, or a description taken from a DCN file, is in no file yet.
    if (retitled || !appState.dcnKeptUntilSaved.empty()) editModeFlags |= kEditModifiedSinceSave;
    editModeFlags |= kEditFileOpen;
    if (isInDataFolder(name)) unnameShippedProgram(name);
    platform::statusBar().setPanelText(0, "End of Open File...");
    platform::statusBar().setPanelText(13, "");
    runningProgram();
    return true;
}

void Open1Click() {
    std::optional<std::string> preset;
    if ((fileStateFlags & kFileNamePreset) != 0) preset = currentFileName();
    runCommand([&preset] { return openProgram(preset); });
    clearBits(fileStateFlags, kFileNamePreset);
}

bool closeProgram() {
    const bool changed = (editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted)) != 0;
    if (changed) {
        clearBits(fileStateFlags, kFileLastChoiceWentThrough);
        const MsgAnswer answer =
            platform::askYesNoCancel({getMsgSaveBeforeClose(), "File Close", MsgIcon::Question});
        if (answer == MsgAnswer::Cancel) return false;
        if (answer == MsgAnswer::Yes) {
            if ((editModeFlags & kEditLadderNotConverted) != 0) {
                showNeedConvert();
                return false;
            }
            // The close goes on only when the program is safe on disk.
            if (saveProgram() != SaveOutcome::Saved) return false;
        }
    }
    fileStateFlags |= kFileLastChoiceWentThrough;

    clearBits(editModeFlags, kEditFileOpen | kEditOutputsToRightBus);
    platform::timers().setEnabled(platform::TimerId::Timer3, false);
    platform::statusBar().setPanelText(10, " ");
    appState.fileTitleMemo.clear();
    appState.dcnMemo.clear();
    appState.dcnKeptUntilSaved.clear();
    appState.frameTreeVisible = false;
    requestViewScroll(ViewScroll::toTop(0));
    for (int list : {kListInsertedRows, kListDeletedRows, kListCopy, kListEditNew}) FreeLadderMemory(list);
    ClearAllComment1Click();
    freeProjectLists();
    clearBits(fileStateFlags, kFileNamePreset);
    platform::statusBar().setPanelText(2, "");
    platform::statusBar().setPanelText(3, "");
    platform::timers().setEnabled(platform::TimerId::Timer2, false);

    if (changed) FreeLadderMemory(kListEditedRows);

    setMenuClosed();
    appState.programPanelsVisible = false;
    appState.instructionViewVisible = false;
    if (appState.registerViewVisible) {
        appState.registerViewVisible = false;
        menuItem("RegisterView1").checked = false;
    }
    // A list left shown would come back with the next program before the ladder has its width
    // again, and take all of it.
    hideCommentList();
    setupToolBarButtons(0);
    setupFncKeyButtons(0);
    if (!changed) AllOffView1Click();
    platform::system().setMainCaption(titleText);
    clearBits(optionFlags, kOptionProgramOpen);

    enableRecentItems(true);
    if (changed) {
        clearBits(fileStateFlags, kFileNoName);
        clearBits(editModeFlags, kEditModifiedSinceSave | kEditLadderNotConverted);
    }
    _storeOldFileToModeDat(startNameLength);
    saveModeDatToDisk(modeDataFile());
    return true;
}

void Close1Click() {
    runCommand([] {
        closeProgram();
        return true;
    });
}

SaveOutcome saveProgram() {
    if ((editModeFlags & kEditLadderNotConverted) != 0) {
        showNeedConvert();
        return SaveOutcome::Failed;
    }
    if ((fileStateFlags & kFileNoName) != 0) return saveProgramAs();
    static_cast<void>(setFileExtPmw(FileNameArray));
    return SaveToDisk();
}

SaveOutcome saveProgramAs() {
    if ((editModeFlags & kEditLadderNotConverted) != 0) {
        showNeedConvert();
        return SaveOutcome::Failed;
    }
    const FileDialogResult chosen =
        appDialogs().saveFile({"Save File As", "*.PMW|*.PMW", "PMW", currentFileName()});
    if (!chosen.accepted) return SaveOutcome::Cancelled;
    const std::string name = trimmed(chosen.fileName);
    if (name.size() >= kFileNameSize) {
        showNameTooLong("Save File As");
        return SaveOutcome::Cancelled;
    }
    if (refusedAsShipped(name)) return SaveOutcome::Cancelled;
    if (platform::files().exists(name) &&
        !platform::askYesNo({getMsgFileExistsOverwrite(), "Save File As", MsgIcon::Question}))
        return SaveOutcome::Cancelled;

    // The name and the title change together, and only when the file is written.
    const std::string heldName = currentFileName();
    const auto heldHeader = pmw.pmwPre;
    static_cast<void>(setCurrentFileName(name));
    SaveOutcome outcome = editFileTitle("Save as", pmw) ? SaveToDisk() : SaveOutcome::Cancelled;
    if (outcome != SaveOutcome::Saved) {
        static_cast<void>(setCurrentFileName(heldName));
        pmw.pmwPre = heldHeader;
        return outcome;
    }
    setMainCaptionWithFile(currentFileName());
    return outcome;
}

SaveOutcome SaveToDisk() {
    const std::string name = currentFileName();
    platform::statusBar().setPanelText(0, std::to_string(name.size()) + "," + name);
    traceCaption = "**SaveToDisk";
    if (refusedAsShipped(name)) return SaveOutcome::Failed;

    // Every file is made before any is written: comments that do not fit stop the save with all
    // files as they were.
    const std::optional<ProgramFileSet> files = programFileSet(name, pmw);
    if (!files) return SaveOutcome::Failed;
    warnRegistersNotKept(pmw.plcType());
    traceCaption = "*執行 4.SaveToDisk";
    if (!writeProgramFiles(*files)) return SaveOutcome::Failed;
    // The description the program took from the DCN file beside it is in the COW file beside it
    // now. Saved under another name, the program leaves that DCN file to the file it came with.
    if (appState.dcnKeptUntilSaved == withFileExt(name, "DCN"))
        platform::files().remove(appState.dcnKeptUntilSaved);
    appState.dcnKeptUntilSaved.clear();
    static_cast<void>(storeCurrentFileName(name));
    updateRecentFileList(name);

    platform::statusBar().setPanelText(13, "");
    clearBits(fileStateFlags, kFileNoName);
    clearBits(editModeFlags, kEditModifiedSinceSave);
    setMainCaptionWithFile(name);
    return SaveOutcome::Saved;
}

void Save1Click() {
    runCommand([] { return saveProgram() == SaveOutcome::Saved; });
}

void SaveAs1Click() {
    runCommand([] { return saveProgramAs() == SaveOutcome::Saved; });
}

void recentFileClick(int item) {
    const RecentFileItem& recent = recentFileItems[static_cast<std::size_t>(item)];
    if (recent.caption.size() >= kRecentCaptionLimit) {
        platform::statusBar().setPanelText(13, std::to_string(recent.caption.size()) + "," + recent.caption);
        platform::say(
            {std::string(kRecentFileItemNames[item]) + " Filename Too Long...", "Open File", MsgIcon::None});
    }
    // The item's path goes to Open as it stands; the current name changes only when the file opens.
    const std::string path = recent.path;
    runCommand([&path] { return openProgram(path); });
    clearBits(fileStateFlags, kFileNamePreset);
}

void File11Click() {
    recentFileClick(kFile11);
}
void File21Click() {
    recentFileClick(kFile21);
}
void File31Click() {
    recentFileClick(kFile31);
}
void File41Click() {
    recentFileClick(kFile41);
}

void Exit1Click() {
    _storeOldFileToModeDat(startNameLength);
    ModeData.clipboardAddr = 0;
    if (ModeData.instanceCount > 0) --ModeData.instanceCount;
    saveModeDatToDisk(modeDataFile());
    if ((editModeFlags & kEditModifiedSinceSave) == 0) {
        freeProjectLists();
        appState.exitRequested = true;
        settingsWrittenAtClose = true;
        return;
    }
    const MsgAnswer answer = platform::askYesNoCancel({getMsgSaveBeforeExit(), "Exit", MsgIcon::Question});
    if (answer == MsgAnswer::Cancel) return;
    if (answer == MsgAnswer::Yes) {
        if ((editModeFlags & kEditLadderNotConverted) != 0) {
            showNeedConvert();
            return;
        }
        platform::timers().setEnabled(platform::TimerId::Timer2, false);
        if (!runCommand([] { return saveProgram() == SaveOutcome::Saved; })) return;
    }
    freeProjectLists();
    appState.exitRequested = true;
    settingsWrittenAtClose = true;
}

void PrinterSetup1Click() {
    appDialogs().printerSetup();
}
void Print1Click() {}
void GcodeConvert1Click() {}

void freeProjectLists() {
    platform::timers().setEnabled(platform::TimerId::Timer2, false);
    for (int kind = kCommentListNames; kind <= kCommentListMonitor; ++kind) freeCommentList(kind);
    freeLadderMonitorList();
    freeDeviceMonitorList();
    FreeLadderMemory(kListMain);
    FreeLadderMemory(kListUndo);
}

}  // namespace kestrion
