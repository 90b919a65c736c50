#include "model/ModelState.h"

#include <memory>

#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ClipboardBlock.h"
#include "model/ladder/ChangeJournal.h"
#include "model/ladder/LadderObjectPool.h"

namespace kestrion {

ModelState modelState;

std::string& installDir = modelState.installDir;
std::string& modeDataPath = modelState.modeDataPath;
std::uint32_t& projectTreeDivisor = modelState.projectTreeDivisor;
std::string& traceCaption = modelState.traceCaption;
std::string& activityText = modelState.activityText;
std::uint8_t& fileStateFlags = modelState.fileStateFlags;
std::string& titleText = modelState.titleText;
std::array<char, kFileNameSize>& FileNameArray = modelState.FileNameArray;
std::int32_t& startNameLength = modelState.startNameLength;
std::int32_t& newFileCounter = modelState.newFileCounter;
std::int32_t& screenWidth = modelState.screenWidth;
std::int32_t& screenHeight = modelState.screenHeight;
bool& settingsWrittenAtClose = modelState.settingsWrittenAtClose;
int& monitorMode = modelState.monitorMode;
ModeDataRecord& ModeData = modelState.ModeData;
PmwImage& pmw = modelState.pmw;
PmwImage& pmwBackup = modelState.pmwBackup;
std::uint16_t& connectedPlcType = modelState.connectedPlcType;
PlcClockReading& lastPlcClock = modelState.lastPlcClock;
std::uint32_t& convStepNo = modelState.convStepNo;
std::uint8_t& editModeFlags = modelState.editModeFlags;
std::uint8_t& redrawFlags = modelState.redrawFlags;
BlueFrameRect& BlueFrame = modelState.BlueFrame;
DrawLines& draw = modelState.draw;
std::uint32_t& deviceColumns = modelState.deviceColumns;
std::uint32_t& symbleHalfWidth = modelState.symbleHalfWidth;
std::uint32_t& symbleHalfHeight = modelState.symbleHalfHeight;
std::uint32_t& twoSymbleWidth = modelState.twoSymbleWidth;
std::uint32_t& virtualArrayColumns = modelState.virtualArrayColumns;
std::uint32_t& zoomPercent = modelState.zoomPercent;
std::uint32_t& xOldCursor = modelState.xOldCursor;
std::uint32_t& yOldCursor = modelState.yOldCursor;
std::uint32_t& ladderBottomY = modelState.ladderBottomY;
std::array<std::uint32_t, kConverterStackSize>& stack0Code = modelState.stack0Code;
std::array<std::uint32_t, kConverterStackSize>& stack1Code = modelState.stack1Code;
std::array<std::uint32_t, kConverterStackSize>& Xmaximum = modelState.Xmaximum;
std::array<std::uint32_t, kConverterStackSize>& MpsMrdMpp = modelState.MpsMrdMpp;
std::int32_t& startPointer = modelState.startPointer;
std::int32_t& nextPointer = modelState.nextPointer;
std::int32_t& xMaxiPointer = modelState.xMaxiPointer;
std::int32_t& mpsPointer = modelState.mpsPointer;
LadderList& ldrList = modelState.ldrList;
stLadderBlock*& ldrNew = modelState.ldrNew;
stLadderBlock*& ldrAlloc = modelState.ldrAlloc;
stLadderBlock*& ldrSearch = modelState.ldrSearch;
LadderList& ldrUndoList = modelState.ldrUndoList;
std::shared_ptr<const PackedLadder>& ldrBackup = modelState.ldrBackup;
LadderList& deleteList = modelState.deleteList;
LadderList& copyList = modelState.copyList;
stLadderBlock*& editNew = modelState.editNew;
std::uint32_t& curObjLbc = modelState.curObjLbc;
ReadingOrderStart& readingOrderStart = modelState.readingOrderStart;
GrayMarkList& grayMarks = modelState.grayMarks;
GrayMarkList& insGrayMarks = modelState.insGrayMarks;
GrayMarkList& delGrayMarks = modelState.delGrayMarks;
DeleteStepList& deleteStepNoList = modelState.deleteStepNoList;
std::array<RecentFileItem, kRecentFileItems>& recentFileItems = modelState.recentFileItems;
bool& FileBar1Visible = modelState.FileBar1Visible;
DeviceCommentList& deviceNameList = modelState.deviceNameList;
DeviceCommentList& deviceCommentList = modelState.deviceCommentList;
BlockCommentList& blockCommentList = modelState.blockCommentList;
CoilCommentList& coilCommentList = modelState.coilCommentList;
MonitorList& deviceMonitorList = modelState.deviceMonitorList;
MonitorList& ladderMonitorList = modelState.ladderMonitorList;
std::uint32_t& deviceMonitorBytes = modelState.deviceMonitorBytes;
CowImage& CowBuffer = modelState.CowBuffer;
std::uint16_t& cowDataLength = modelState.cowDataLength;
RegisterImage& DmwImage = modelState.DmwImage;
DcnTableSet& DcnTables = modelState.DcnTables;
bool& modeDataFileOurs = modelState.modeDataFileOurs;
std::vector<std::uint8_t>& clipboardBlock = modelState.clipboardBlock;
std::size_t& clipboardRecordSize = modelState.clipboardRecordSize;
std::vector<stLadderBlock*>& freedInCommand = modelState.freedInCommand;
ChangeJournal*& recordingJournal = modelState.recordingJournal;
std::shared_ptr<ChangeJournal>& undoJournal = modelState.undoJournal;
bool& changesNotedNow = modelState.changesNoted;
LadderPositionIndex& positionIndex = modelState.positionIndex;
CanvasState& canvasState = modelState.canvas;
CanvasGrid& VirtualArray = modelState.canvas.VirtualArray;
CanvasGrid& bCompileVirtualArray = modelState.canvas.bCompileVirtualArray;
CanvasGrid& BkVirtualArray = modelState.canvas.BkVirtualArray;
CanvasGrid& cancelVirtualArray = modelState.canvas.cancelVirtualArray;
CanvasGrid& CopyVirtualArray = modelState.canvas.CopyVirtualArray;
std::uint32_t& viewTopY = modelState.canvas.viewTopY;
const stLadderBlock*& ldrDrawHead = modelState.canvas.ldrDrawHead;

stLadderBlock*& ldrHead = modelState.ldrList.head;
stLadderBlock*& ldrNow = modelState.ldrList.now;
stLadderBlock*& ldrTail = modelState.ldrList.tail;
stLadderBlock*& ldrUndoHead = modelState.ldrUndoList.head;
stLadderBlock*& ldrUndoNow = modelState.ldrUndoList.now;
stLadderBlock*& ldrUndoTail = modelState.ldrUndoList.tail;
stLadderBlock*& deleteHead = modelState.deleteList.head;
stLadderBlock*& deleteNow = modelState.deleteList.now;
stLadderBlock*& deleteTail = modelState.deleteList.tail;
stLadderBlock*& copyHead = modelState.copyList.head;
stLadderBlock*& copyNow = modelState.copyList.now;
stLadderBlock*& copyTail = modelState.copyList.tail;
stGrayMark*& grayHead = modelState.grayMarks.head;
stGrayMark*& grayTemp = modelState.grayMarks.walker;
stGrayMark*& insGrayHead = modelState.insGrayMarks.head;
stGrayMark*& insTemp = modelState.insGrayMarks.walker;
stGrayMark*& delHead = modelState.delGrayMarks.head;
stGrayMark*& delTemp = modelState.delGrayMarks.walker;

void resetModelState() {
    // The objects and marks live outside the struct: let them go before the pointers are cleared.
    freeAllLadderObjects();
    freeAllEditMarks();
    modelState = {};
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("model", resetModelState);

// The program image with its check code, and what the program's type and length decide.
transaction::Restore snapshotProgramImage() {
    struct Saved {
        PmwImage pmw;
        PmwImage pmwBackup;
        std::uint32_t convStepNo;
        std::uint16_t connectedPlcType;
    };
    auto saved = std::make_shared<const Saved>(Saved{pmw, pmwBackup, convStepNo, connectedPlcType});
    return [saved] {
        pmw = saved->pmw;
        pmwBackup = saved->pmwBackup;
        convStepNo = saved->convStepNo;
        connectedPlcType = saved->connectedPlcType;
    };
}

transaction::Restore snapshotEditAndFileFlags() {
    return [edit = editModeFlags, file = fileStateFlags, name = FileNameArray] {
        editModeFlags = edit;
        fileStateFlags = file;
        FileNameArray = name;
    };
}

// The editor cursor and the extent of the diagram, which a rebuilt ladder moves.
transaction::Restore snapshotCursorAndExtent() {
    return [x = xOldCursor, y = yOldCursor, bottom = ladderBottomY] {
        xOldCursor = x;
        yOldCursor = y;
        ladderBottomY = bottom;
    };
}

[[maybe_unused]] const bool programImagePart =
    transaction::registerPart("program image", snapshotProgramImage);
[[maybe_unused]] const bool flagsPart =
    transaction::registerPart("edit and file flags", snapshotEditAndFileFlags);
[[maybe_unused]] const bool cursorPart =
    transaction::registerPart("cursor and extent", snapshotCursorAndExtent);

}  // namespace

}  // namespace kestrion
