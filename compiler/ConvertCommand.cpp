#include "compiler/ConvertCommand.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "compiler/AnbOrbInsertion.h"
#include "compiler/CommentStepCarry.h"
#include "compiler/CompilerState.h"
#include "compiler/ContactNaming.h"
#include "compiler/DiagramChecks.h"
#include "compiler/MachineCodeEmission.h"
#include "compiler/MpsInsertion.h"
#include "compiler/ObjectOrdering.h"
#include "lang/LangDialogs.h"
#include "model/core/ConversionError.h"
#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/BlockNumbering.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/ProgressStep.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"
#include "reader/WordCheck.h"

namespace kestrion {

namespace {

using platform::MsgButtons;
using platform::MsgIcon;

constexpr const char* kCompletedText = "...Convert...Completed...";

// The progress window: its caption carries the step's text and the dashes of the block loops.
class ConvertProgress {
public:
    void step(const std::string& caption, int position) {
        caption_ = caption;
        window_.show(caption_, 100, position);
    }
    void dash() {
        caption_ += " -";
        window_.setCaption(caption_);
    }
    void hide() { window_.hide(); }

private:
    std::string caption_;
    platform::ProgressStep window_;
};

// Runs pass(LBC) for every block but END's, with the progress dashes.
template <class Pass>
void forEveryBlock(ConvertProgress& progress, std::uint32_t dashInterval, Pass pass) {
    ProgressDash dashes(dashInterval);
    for (LToI.LBC = 1; LToI.LBC < LToI.EndInstrLBC; ++LToI.LBC) {
        pass(LToI.LBC);
        if (dashes.afterBlock()) progress.dash();
    }
}

// A refusal the user is shown; the transaction puts everything back.
[[noreturn]] void refuse(const std::string& text, const std::string& caption, MsgIcon icon) {
    platform::messages().show(text, caption, icon, MsgButtons::Ok);
    throw ConversionError(caption);
}

// A check of the diagram failed: its own text is in panel 13 and the frame stands on the fault.
[[noreturn]] void refuseDiagram(const std::string& text, const std::string& caption) {
    platform::messages().show(text, caption, MsgIcon::Warning, MsgButtons::Ok);
    redrawFlags |= kRedrawObjects | kRedrawLadder | kRedrawMarks;
    throw ConversionError(caption);
}

// A line holds nothing when its element cells from the left bus to the right bus are blank or
// carry only a vertical link.
bool isEmptyLine(std::uint32_t y) {
    const std::int64_t r = compile::row(y);
    const std::int64_t busEnd = compile::col(draw.iBusLineEnd);
    for (std::int64_t c = 2; c < busEnd; c += 2) {
        const char ch = compile::cell(c, r);
        if (ch != kCellBlank && ch != kCellLink) return false;
    }
    return true;
}

// A line no mark names goes only when nothing is drawn on it and no link comes down into it from
// the line above: the lines left blank between rungs. (A line between two rows of a parallel
// group carries its links and stays; a link ending on a blank line would join the line that
// moves up, so that line stays too, and the checks show the link.)
bool isBlankLine(std::size_t line) {
    const auto r = 2 * static_cast<std::int64_t>(line);
    for (std::int64_t c = 0; c < kCanvasColumns; ++c)
        if (VirtualArray.at(c, r) != kCellBlank || VirtualArray.at(c, r + 1) != kCellBlank ||
            (r > 0 && VirtualArray.at(c, r - 1) == kCellLink))
            return false;
    return true;
}

}  // namespace

// Each mark names the line it was put on, and each empty one of those lines goes, as does every
// blank line above END that no mark names. The lines are found first and then taken out together,
// in one pass over the grid and the objects: thousands of lines cost no more than one, and a run
// of empty lines goes whole (taken out one by one, each removal moved the next line up under a
// mark that had been tested already, and every second empty line stayed, which Convert could then
// not put in order; an unmarked blank line made the block below it unreachable the same way).
void removeEmptyLines() {
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0) return;
    const std::size_t endLine = getEndObjectY() / h;
    std::vector<std::size_t> removed;
    for (const stGrayMark* marks : {insGrayHead, delHead})
        for (const stGrayMark* mark = marks; mark != nullptr; mark = mark->next)
            if (mark->Y % h == 0 && mark->Y / h < endLine && isEmptyLine(mark->Y))
                removed.push_back(mark->Y / h);
    // only the lines no object stands on are looked at
    std::vector<bool> used(endLine, false);
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr / h < endLine) used[o->yAddr / h] = true;
    for (std::size_t line = 0; line < endLine; ++line)
        if (!used[line] && isBlankLine(line)) removed.push_back(line);
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    if (removed.empty()) return;
    std::int64_t to = 2 * static_cast<std::int64_t>(removed.front());
    for (std::size_t line = removed.front(); line <= endLine; ++line) {
        if (std::binary_search(removed.begin(), removed.end(), line)) continue;
        for (std::int64_t half = 0; half < 2; ++half)
            for (std::int64_t c = 0; c < kCanvasColumns; ++c)
                VirtualArray.put(c, to + half,
                                 VirtualArray.at(c, 2 * static_cast<std::int64_t>(line) + half));
        to += 2;
    }
    for (; to <= 2 * static_cast<std::int64_t>(endLine) + 1; ++to)
        for (std::int64_t c = 0; c < kCanvasColumns; ++c) VirtualArray.put(c, to, kCellBlank);
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        // every removed line above the object, and the object's own line when it lies below its top
        const auto above = static_cast<std::uint32_t>(
            std::lower_bound(removed.begin(), removed.end(), (std::size_t{o->yAddr} + h - 1) / h) -
            removed.begin());
        const std::uint32_t up = above * h;
        o->yAddr = o->yAddr >= up ? o->yAddr - up : 0;
        o->yTopPos = o->yTopPos >= up ? o->yTopPos - up : 0;
    }
}

namespace {

// The main list becomes the source of the re-link (held in the undo slot); a new main list holds
// only END at endY.
void detachSourceList(std::uint32_t endY) {
    FreeLadderMemory(kListUndo);
    ldrUndoList = ldrList;
    ldrUndoList.now = nullptr;
    ldrList = {};
    initLadderList(draw.iBusLineEnd - ModeData.xSizeSymble, endY);
}

// Copies the blocks of the source list, each in execution order, in front of END. The source
// stays as it is; the copies are noted in the main list's index as they are placed.
void relinkBlocks(ConvertProgress& progress, std::uint32_t dashInterval) {
    const UndoIndexScope sourceIndex;
    const PositionIndexScope index;
    // The walk takes the objects out of the source as it copies them: where each block starts is
    // read beforehand.
    struct Start {
        std::uint32_t lbc, x, y;
    };
    std::vector<Start> starts;
    for (const stLadderBlock* o = ldrUndoHead; o != nullptr; o = o->next)
        starts.push_back({o->objLbc, o->xAddr, o->yAddr});
    std::size_t source = 0;
    std::uint32_t x = starts.empty() ? 0 : starts.front().x;
    std::uint32_t y = starts.empty() ? 0 : starts.front().y;
    forEveryBlock(progress, dashInterval, [&](std::uint32_t lbc) {
        while (source < starts.size() && starts[source].lbc != lbc) ++source;
        if (source < starts.size()) {
            x = starts[source].x;
            y = starts[source].y;
        }
        compile::trace("*Modify_ObjectLinkSequence LBC=" + std::to_string(lbc));
        Modify_ObjectLinkSequence(lbc, x, y);
    });
}

// A refused word has been shown by the check; the command is undone instead of closing the program.
void checkReloadedWords(const char* label) {
    if (DeleteNopMachineCode(kProgramAreaOffset, label) != 0) throw ConversionError(label);
}

// The ladder rebuilt from the program words, with the comments and the Edit Cancel copies.
void reloadLadder(ConvertProgress& progress) {
    loadLadderFromImage("Convert", [&progress] {
        progress.hide();
        if (!loadCommentFromCowBuffer()) ClearAllComment1Click();
    });
    for (int list : {kListUndo, kListInsertedRows, kListDeletedRows, kListEditedRows}) FreeLadderMemory(list);
}

void showCompleted() {
    platform::statusBar().setPanelText(0, "Convert...");
    AppMessage message;
    message.caption = "Convert ";
    message.line1 = kCompletedText;
    message.versionText = titleText;
    message.selfClose = 1;
    message.timerInterval = 500;
    message.timerEnabled = true;
    langDialogs().appMessage(message);
    platform::statusBar().setPanelText(0, kCompletedText);
    // The canvas view showed the grids of the conversion; they are stale now.
    platform::trace().setVisible(platform::Memo::VirtualArray, false);
}

void convert() {
    if ((editModeFlags & kEditOutputsToRightBus) != 0)
        refuse("*Error2015010810...", "Can't Convert...", MsgIcon::Error);
    // The ladder is rebuilt from the words at the end: the passes work on the objects themselves,
    // and the snapshot keeps what a failure puts back.
    handMainListToCommand();
    ConvertProgress progress;
    const std::uint32_t savedX = xOldCursor;
    const std::uint32_t savedY = yOldCursor;

    removeEmptyLines();
    if (grayHead != nullptr) {
        redrawFlags &= static_cast<std::uint8_t>(~kRedrawMarks);
        FreeLadderMemory(kListEditedRows);
    }
    if (deleteObjectBeforeEnd() < 0) refuse("End Missing Error...", "*LToM", MsgIcon::Warning);
    LToI.EndInstrLBC = getEndObjectId();
    const std::uint32_t dashInterval = LToI.EndInstrLBC / 10;

    removeDeletedObjects();
    checkFncSymbols();
    markNopCellsBeforeOutputs();
    {
        const PositionIndexScope index;
        InsertNopBeforeFncInstr();
    }
    compile::trace("*ReDefineAllFncEndSymble");
    if (!isCorrectLadderDiagramP1()) refuseDiagram("P1- Ladder diagram error", "*Error2018031880");

    removeObjects1000h();
    progress.step("Progress...", 0);
    fixEmptyCellsBeforeObjects();
    setBlockOutputRow();
    // The undo copies the passes used to take here and at 55 % and 80 % were freed unread before the
    // end (the re-link below takes the undo slot for its source); a failure is put back by the
    // command's transaction. They are not taken: each would copy the whole ladder.

    progress.step("15%", 15);
    progress.step("20%", 20);
    {
        const PositionIndexScope index;
        ReModifyLbcByVirtualArray();
    }
    setEndObjectId();
    LToI.EndInstrLBC = getEndObjectId();
    propagateIdsToLinks();

    progress.step("25%", 25);
    const std::uint32_t endY = getEndObjectY();
    LToI.EndInstrLBC = getEndObjectId();
    detachSourceList(endY);
    progress.step("30%", 30);
    relinkBlocks(progress, dashInterval);

    if (ldrTail->prev != nullptr) ldrTail->objLbc = ldrTail->prev->objLbc + 1;
    renumberObjectIds();
    progress.step("35%", 35);
    setXMaxiOfOutputs();

    progress.step("40%", 40);
    // From the naming to the stack pass no object of the list moves or goes (the joints put in are
    // noted as they come): one index serves them all.
    auto passes = std::make_unique<PositionIndexScope>();
    forEveryBlock(progress, dashInterval, renameInstrByLineSegments);
    platform::statusBar().setPanelText(13, "LToI.LBC=" + std::to_string(LToI.LBC));

    progress.step("45%", 45);
    FreeLadderMemory(kListUndo);
    progress.step("50%", 50);
    for (LToI.LBC = 1; LToI.LBC < LToI.EndInstrLBC; ++LToI.LBC)
        if (!isCorrectLadderDiagramP2(LToI.LBC))
            refuseDiagram("P2- Ladder diagram error", "*isCorrectLadderDiagramP2");

    progress.step("55%", 55);
    resetObjectsBeforeConvert();
    clearCompileVirtualArray();
    progress.step("56%", 56);
    forEveryBlock(progress, dashInterval, AddAnbOrbByBlock);
    progress.step("60%", 60);
    setXMaxiOfOutputs();
    progress.step("64%", 64);
    clearCompileVirtualArray();
    progress.step("66%", 66);
    setBlockOutputRow();
    progress.step("68%", 68);
    forEveryBlock(progress, dashInterval, AddMpsMrdMppByBlock);
    passes.reset();

    progress.step("70%", 70);
    FreeLadderMemory(kListEditNew);
    progress.step("75%", 75);
    progress.step("80%", 80);
    progress.step("85%", 85);
    convLadderToMachineCode();
    progress.step("88%", 88);
    updateBlockCommentSteps();
    updateCoilCommentSteps();
    // A packing that does not fit has said so; the comments would be lost by the reload.
    if (!saveCommentToCowBuffer()) throw ConversionError("saveCommentToCowBuffer");
    progress.step("90%", 90);
    FreeLadderMemory(kListMain);

    progress.step("Progress...", 0);
    checkReloadedWords("LToM01");
    reloadLadder(progress);

    xOldCursor = savedX;
    yOldCursor = savedY;
    requestViewScroll(ViewScroll::toTop(savedY));
    setBlueFrameObject(xOldCursor, yOldCursor);
    redrawFlags |= kRedrawFrame | kRedrawObjects | kRedrawLadder;
    checkReloadedWords("LToM02");
    showCompleted();

    editModeFlags &= static_cast<std::uint8_t>(~kEditLadderNotConverted);
    editModeFlags |= kEditModifiedSinceSave;
    fileStateFlags |= kFileNoName;
    canvasState.undoMenuEnabled = false;
    canvasState.editCancelMenuEnabled = false;
    platform::timers().setEnabled(platform::TimerId::Timer2, true);
    redrawFlags |= kRedrawLadder | kRedrawObjects;
}

}  // namespace

bool ProgressDash::afterBlock() {
    const bool due = counter_ > interval_;
    if (due) counter_ = 0;
    ++counter_;
    return due;
}

void resetObjectsBeforeConvert() {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) o->orbXaddr = 0;
}

void LToM() {
    convert();
}

}  // namespace kestrion
