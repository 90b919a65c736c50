#include "model/MainCore.h"

#include <algorithm>

#include "editor/DrawGeometry.h"
#include "editor/EditorState.h"
#include "lang/HelpItems.h"
#include "lang/Language.h"
#include "link/CommRecord.h"
#include "link/ConnectedPlc.h"
#include "model/ProgramImage.h"
#include "model/ClipboardBlock.h"
#include "model/ModeData.h"
#include "model/RecentFiles.h"
#include "platform/Services.h"

namespace kestrion {

std::string installDir;
std::string modeDataPath;
std::uint32_t projectTreeDivisor = 10;
std::string traceCaption;

std::uint8_t fileStateFlags = 0;
std::string titleText;
std::array<char, kFileNameSize> FileNameArray{};
std::int32_t startNameLength = 0;
std::int32_t newFileCounter = 0;
std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;

namespace {

// The start-up name carries 41 trailing blanks; the recent-file store takes its length as a limit.
constexpr const char* kStartUpName = "/User/Noname01.PMW                                         ";

}  // namespace

std::string currentFileName() {
    const auto end = std::find(FileNameArray.begin(), FileNameArray.end(), '\0');
    return std::string(FileNameArray.begin(), end);
}

void setFileNameArray(const std::string& text) {
    FileNameArray.fill('\0');
    const std::size_t length = std::min({text.size(), text.find('\0'), kFileNameSize - 1});
    std::copy_n(text.begin(), length, FileNameArray.begin());
}

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

    // A first start on a fresh machine finds no installation folder; the settings need one.
    platform::files().makeDirectory(installDir);
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
    connectedPlcType = kNoPlcDetected;
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNamePreset);
    editModeFlags &= static_cast<std::uint8_t>(~kEditInsertMode);
    traceCaption = "開始";
    optionFlags &= static_cast<std::uint8_t>(~kOptionProgramOpen);
    selectLanguageFlags(static_cast<int>(std::min<std::uint32_t>(ModeData.languageNo, kLanguageCount)));

    setFileNameArray(installDir + kStartUpName);
    startNameLength = static_cast<std::int32_t>(currentFileName().size());

    // After the settings record is read: the port and baud index come from it.
    linkStartUp();
}

CloseDecision mainFormClose(const SaveForExit& saveProgram) {
    // The settings are written before the question, whatever the answer.
    _storeOldFileToModeDat(startNameLength);
    saveModeDatToDisk(installDir + "/" + kModeDataFileName);

    const std::string question = getMsgSaveBeforeExit();
    if ((editModeFlags & kEditModifiedSinceSave) == 0) return CloseDecision::Exit;

    using platform::MsgAnswer;
    const MsgAnswer answer = platform::messages().show(question, "Exit", platform::MsgIcon::Question,
                                                       platform::MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::No) return CloseDecision::Exit;
    if (answer != MsgAnswer::Yes || !saveProgram) return CloseDecision::Stay;
    const bool saveAs = (fileStateFlags & kFileNoName) != 0;
    // A cancelled Save As ends the program without saving: the user chose Yes, then gave no name.
    // A save that failed keeps the window open so the work is not lost.
    switch (saveProgram(saveAs)) {
        case SaveOutcome::Saved: return CloseDecision::Exit;
        case SaveOutcome::Cancelled: return saveAs ? CloseDecision::Exit : CloseDecision::Stay;
        case SaveOutcome::Failed: return CloseDecision::Stay;
    }
    return CloseDecision::Stay;
}

void mainFormDestroy() {
    ModeData.clipboardAddr = 0;
    if (ModeData.instanceCount != 0) {
        --ModeData.instanceCount;
        if (ModeData.clipboardState == 0) ModeData.instanceCount = 0;
    }
    saveModeDatToDisk(installDir + "/" + kModeDataFileName);
}

std::string intToAnsiString(std::int32_t value) { return std::to_string(value); }
std::string intToAnsiString2(std::int32_t value) { return std::to_string(value); }

void resetMainCoreState() {
    installDir.clear();
    modeDataPath.clear();
    projectTreeDivisor = 10;
    traceCaption.clear();
    fileStateFlags = 0;
    titleText.clear();
    FileNameArray.fill('\0');
    startNameLength = 0;
    newFileCounter = 0;
    screenWidth = 0;
    screenHeight = 0;
}

}  // namespace kestrion
