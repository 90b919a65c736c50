// The whole mutable state of the model in one place. The names the rest of the program uses
// (pmw, ModeData, ldrHead, editModeFlags, ...) are references into modelState, declared in the
// headers of their subjects; the start value of each lives here only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion {

struct ModelState {
    // The main form's fields.
    std::string installDir;
    std::string modeDataPath;
    std::uint32_t projectTreeDivisor = 10;
    std::string traceCaption;
    std::string activityText;
    std::uint8_t fileStateFlags = 0;
    std::string titleText;
    std::array<char, kFileNameSize> FileNameArray{};
    std::int32_t startNameLength = 0;
    std::int32_t newFileCounter = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    bool settingsWrittenAtClose = false;
    int monitorMode = kMonitorOff;

    // The settings record, the program image and the PLC on the line.
    ModeDataRecord ModeData;
    // False after a start-up that found the settings file but could not read it: the file is
    // then the user's and no write of this session replaces it.
    bool modeDataFileOurs = true;
    PmwImage pmw;
    PmwImage pmwBackup;
    std::uint16_t connectedPlcType = kNoPlcDetected;
    PlcClockReading lastPlcClock;
    std::uint32_t convStepNo = 0;

    // Editing flags and the drawing geometry.
    std::uint8_t editModeFlags = 0;
    std::uint8_t redrawFlags = 0;
    BlueFrameRect BlueFrame;
    DrawLines draw;
    std::uint32_t deviceColumns = 14;
    std::uint32_t symbleHalfWidth = 0;
    std::uint32_t symbleHalfHeight = 0;
    std::uint32_t twoSymbleWidth = 0;
    std::uint32_t virtualArrayColumns = 0;
    std::uint32_t zoomPercent = 100;
    std::uint32_t xOldCursor = 0;
    std::uint32_t yOldCursor = 0;
    std::uint32_t ladderBottomY = 0;

    // The converters' stacks.
    std::array<std::uint32_t, kConverterStackSize> stack0Code{};
    std::array<std::uint32_t, kConverterStackSize> stack1Code{};
    std::array<std::uint32_t, kConverterStackSize> Xmaximum{};
    std::array<std::uint32_t, kConverterStackSize> MpsMrdMpp{};
    std::int32_t startPointer = 0;
    std::int32_t nextPointer = 0;
    std::int32_t xMaxiPointer = 0;
    std::int32_t mpsPointer = 0;

    // The ladder object lists; the objects are owned through them (freeAllLadderObjects).
    LadderList ldrList;
    stLadderBlock* ldrNew = nullptr;
    stLadderBlock* ldrAlloc = nullptr;
    stLadderBlock* ldrSearch = nullptr;
    LadderList ldrUndoList;
    std::shared_ptr<const PackedLadder> ldrBackup;
    LadderList deleteList;
    LadderList copyList;
    stLadderBlock* editNew = nullptr;
    std::uint32_t curObjLbc = 0;
    ReadingOrderStart readingOrderStart;
    // Objects freed while a command runs: kept until it has ended, so that a command put back
    // finds the objects of its snapshot where they were.
    std::vector<stLadderBlock*> freedInCommand;
    // The journal that notes changes now; the undo copy held as the records of the objects
    // changed since it was taken (null when ldrUndoList holds it, or there is none); whether the
    // command about to run notes its changes.
    ChangeJournal* recordingJournal = nullptr;
    std::shared_ptr<ChangeJournal> undoJournal;
    bool changesNoted = false;
    LadderPositionIndex positionIndex;  // on only inside a PositionIndexScope

    // The edit marks; owned through their lists (freeAllEditMarks).
    GrayMarkList grayMarks;
    GrayMarkList insGrayMarks;
    GrayMarkList delGrayMarks;
    DeleteStepList deleteStepNoList;

    // The File menu's recent-file items.
    std::array<RecentFileItem, kRecentFileItems> recentFileItems{};
    bool FileBar1Visible = true;

    // The comment lists and the monitor lists; each list owns its entries, so a copy of the state
    // holds lists of its own.
    DeviceCommentList deviceNameList;
    DeviceCommentList deviceCommentList;
    BlockCommentList blockCommentList;
    CoilCommentList coilCommentList;
    MonitorList deviceMonitorList;
    MonitorList ladderMonitorList;
    std::uint32_t deviceMonitorBytes = 0;

    // The images of the comment file, the register file and the older description file.
    CowImage CowBuffer{};
    std::uint16_t cowDataLength = 0;
    RegisterImage DmwImage{};
    DcnTableSet DcnTables{};

    // The clipboard block and the size of its object records.
    std::vector<std::uint8_t> clipboardBlock;
    std::size_t clipboardRecordSize = 0;

    // The virtual canvas and what the canvas passes share with the editor.
    CanvasState canvas;
};

extern ModelState modelState;

// Frees every ladder object and edit mark, then gives the model its start values.
void resetModelState();

}  // namespace kestrion
