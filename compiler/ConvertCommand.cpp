#include "compiler/ConvertCommand.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <utility>
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
#include "model/image/StepCount.h"
#include "model/ladder/BlockNumbering.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/ProgressStep.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"
#include "reader/WordCheck.h"

namespace kestrion {

namespace {

using platform::MsgIcon;

constexpr const char* kCompletedText = "...Convert...Completed...";
constexpr const char* kOtherLogicCaption = "Convert";

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
    platform::say({text, caption, icon});
    throw ConversionError(caption);
}

// A check of the diagram failed and the frame stands on the fault; panel 13 tells, beside the box,
// the line and what is open there in the user's words. Wire left open is what a rung being built
// has: the verdict says so.
[[noreturn]] void refuseDiagram(const std::string& text, const std::string& caption) {
    const std::string& reason = diagramFaultReason();
    platform::statusBar().setPanelText(13, reason);
    platform::say({text, caption, MsgIcon::Warning});
    requestLadderRedraw();
    redrawFlags |= kRedrawMarks;
    throw ConversionError(caption,
                          LadderVerdict::at(LadderVerdict::Kind::Open, BlueFrame.x1, BlueFrame.y1, reason));
}

// The ladder drawn is not what Convert would write (or no program can be what it draws): the reason
// is in panel 13, the frame on the place, and the box says it too.
[[noreturn]] void refuseOtherLogic(ConvertProgress& progress, const LadderVerdict& verdict) {
    progress.hide();
    platform::statusBar().setPanelText(13, verdict.reason);
    if (verdict.placed) {
        setBlueFrameObject(verdict.x, verdict.y);
        requestViewScroll(ViewScroll::toTop(verdict.y));
        redrawFlags |= kRedrawFrame;
    }
    requestLadderRedraw();
    platform::say({verdict.reason, kOtherLogicCaption, MsgIcon::Warning});
    throw ConversionError(kOtherLogicCaption, verdict);
}

// A line holds nothing when its label cell and its element cells up to the right bus are blank or
// carry only a vertical link.
bool isEmptyLine(std::uint32_t y) {
    const std::int64_t r = compile::row(y);
    const std::int64_t busEnd = compile::col(draw.iBusLineEnd);
    for (std::int64_t c = 0; c < busEnd; c += 2) {
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

// ---- The passes ---------------------------------------------------------------------------------------

// What the passes of one Convert share: the progress window, the dash interval of the block loops,
// the cursor the command began at, and the position index of the main list while the passes that read
// it run (it goes before the window does).
struct ConvertRun {
    ConvertProgress progress;
    std::uint32_t dashInterval = 0;
    std::uint32_t savedX = xOldCursor;
    std::uint32_t savedY = yOldCursor;
    std::optional<PositionIndexScope> index;
    // The logic of the ladder as the user saw it at the key, held against the ladder read back.
    ConditionPool conditions;
    DrawnLadder drawn;
};

void readDrawnLadder(ConvertRun& run) {
    run.drawn = drawnLadder(run.conditions);
}

// After the open-wire checks: a rung being built is told as such first.
void refuseDrawnFaults(ConvertRun& run) {
    if (run.drawn.fault) refuseOtherLogic(run.progress, *run.drawn.fault);
}

std::string mnemonicOf(const DrawnItem& item) {
    DrawnName name;
    name.mnemonic = item.name.mnemonic;
    return name.text();
}

// A step runs until its RET: an output drawn after a step whose RET is gone (a deleted line took it)
// is written inside the step. When the logic read back is exactly the drawn one under the step's
// contact, the reason names the step, not only "other contacts".
std::optional<std::string> stepLeftOpen(const DrawnLadder& drawn, const LadderVerdict& verdict,
                                        ConditionPool& pool) {
    if (verdict.kind != LadderVerdict::Kind::OtherLogic || !verdict.placed) return std::nullopt;
    const auto at = std::find_if(drawn.items.begin(), drawn.items.end(), [&](const DrawnItem& item) {
        return item.x == verdict.x && item.y == verdict.y;
    });
    if (at == drawn.items.end()) return std::nullopt;
    // the last step or RET drawn before it
    auto step = std::make_reverse_iterator(at);
    while (step != drawn.items.rend() && mnemonicOf(*step) != "STL" && mnemonicOf(*step) != "RET") ++step;
    if (step == drawn.items.rend() || mnemonicOf(*step) != "STL") return std::nullopt;
    const auto index = static_cast<std::size_t>(at - drawn.items.begin());
    const DrawnLadder back = drawnLadder(pool);
    if (index >= back.items.size() || back.items[index].identity != at->identity) return std::nullopt;
    const Condition stepContact = pool.knownLiteral(step->identity);
    if (stepContact == ConditionPool::kOff) return std::nullopt;
    const Condition inStep = pool.both(at->condition, stepContact);
    if (!pool.sameLogic(inStep, back.items[index].condition)) return std::nullopt;
    DrawnName device = step->name;
    device.contact = true;
    return lineReason(at->y, at->name.text() + " would run inside step " + device.text() +
                                 ": no RET ends the step above it.");
}

void holdDrawnLogic(ConvertRun& run) {
    LadderVerdict verdict = compareWithLadderNow(run.drawn, run.conditions);
    if (verdict.converts()) return;
    if (std::optional<std::string> step = stepLeftOpen(run.drawn, verdict, run.conditions))
        verdict.reason = std::move(*step);
    refuseOtherLogic(run.progress, verdict);
}

void dropEmptyLines(ConvertRun& /*run*/) {
    removeEmptyLines();
    if (grayHead != nullptr) {
        redrawFlags &= static_cast<std::uint8_t>(~kRedrawMarks);
        FreeLadderMemory(kListEditedRows);
    }
}

void findEndBlock(ConvertRun& run) {
    if (deleteObjectBeforeEnd() < 0) refuse("End Missing Error...", "*LToM", MsgIcon::Warning);
    LToI.EndInstrLBC = getEndObjectId();
    run.dashInterval = LToI.EndInstrLBC / 10;
}

void settleOutputEnds(ConvertRun& /*run*/) {
    removeDeletedObjects();
    checkFncSymbols();
    markNopCellsBeforeOutputs();
}

constexpr const char* kOpenWireCaption = "*Error2018031880";
constexpr const char* kDanglingLinkCaption = "*isCorrectLadderDiagramP2";

void checkDiagramBeforeLinking(ConvertRun& /*run*/) {
    compile::trace("*ReDefineAllFncEndSymble");
    if (!isCorrectLadderDiagramP1()) refuseDiagram("P1- Ladder diagram error", kOpenWireCaption);
}

void fixCellsAndOutputRows(ConvertRun& /*run*/) {
    fixEmptyCellsBeforeObjects();
    setBlockOutputRow();
    // The undo copies the passes used to take here and at 55 % and 80 % were freed unread before the
    // end (the re-link takes the undo slot for its source); a failure is put back by the command's
    // transaction. They are not taken: each would copy the whole ladder.
}

void giveEndAndJointsIds(ConvertRun& /*run*/) {
    setEndObjectId();
    LToI.EndInstrLBC = getEndObjectId();
    propagateIdsToLinks();
}

void detachSource(ConvertRun& /*run*/) {
    const std::uint32_t endY = getEndObjectY();
    LToI.EndInstrLBC = getEndObjectId();
    detachSourceList(endY);
}

void relink(ConvertRun& run) {
    relinkBlocks(run.progress, run.dashInterval);
    if (ldrTail->prev != nullptr) ldrTail->objLbc = ldrTail->prev->objLbc + 1;
    renumberObjectIds();
}

void nameContacts(ConvertRun& run) {
    forEveryBlock(run.progress, run.dashInterval, renameInstrByLineSegments);
    platform::statusBar().setPanelText(13, "LToI.LBC=" + std::to_string(LToI.LBC));
}

void checkDiagramOfEachBlock(ConvertRun& /*run*/) {
    for (LToI.LBC = 1; LToI.LBC < LToI.EndInstrLBC; ++LToI.LBC)
        if (!isCorrectLadderDiagramP2(LToI.LBC))
            refuseDiagram("P2- Ladder diagram error", kDanglingLinkCaption);
}

void resetBeforeJoins(ConvertRun& /*run*/) {
    resetObjectsBeforeConvert();
    clearCompileVirtualArray();
}

void insertJoins(ConvertRun& run) {
    forEveryBlock(run.progress, run.dashInterval, AddAnbOrbByBlock);
}

void insertBranchPoints(ConvertRun& run) {
    forEveryBlock(run.progress, run.dashInterval, AddMpsMrdMppByBlock);
}

void carryComments(ConvertRun& /*run*/) {
    updateBlockCommentSteps();
    updateCoilCommentSteps();
    // A packing that does not fit has said so; the comments would be lost by the reload.
    if (!saveCommentToCowBuffer()) throw ConversionError("saveCommentToCowBuffer");
}

void reload(ConvertRun& run) {
    checkReloadedWords("LToM01");
    reloadLadder(run.progress);
}

void restoreCursor(ConvertRun& run) {
    xOldCursor = run.savedX;
    yOldCursor = run.savedY;
    requestViewScroll(ViewScroll::toTop(run.savedY));
    setBlueFrameObject(xOldCursor, yOldCursor);
    requestLadderRedraw();
    redrawFlags |= kRedrawFrame;
}

void finish(ConvertRun& /*run*/) {
    showCompleted();
    showProgramSteps();
    editModeFlags &= static_cast<std::uint8_t>(~kEditLadderNotConverted);
    editModeFlags |= kEditModifiedSinceSave;
    fileStateFlags |= kFileNoName;
    canvasState.undoMenuEnabled = false;
    canvasState.editCancelMenuEnabled = false;
    platform::timers().setEnabled(platform::TimerId::Timer2, true);
    requestLadderRedraw();
}

// One step of Convert: the progress it shows as it begins (the bar stays at kBarStays; 0 is captioned
// "Progress...", every other position by its percentage), whether it runs with the position index of
// the main list, and its work (none for a step that only moves the bar).
constexpr int kBarStays = -1;
struct ConvertPass {
    const char* name;
    int percent;
    bool indexed;
    void (*run)(ConvertRun& run);
};

// From the naming to the stack pass no object of the list moves or goes (the joints put in are noted
// as they come): one index serves them all. The bar passes 15, 75 and 80 % as it always has.
// clang-format off
constexpr ConvertPass kConvertPasses[] = {
    {"drawnLadder",       kBarStays, false, readDrawnLadder},
    {"emptyLines",        kBarStays, false, dropEmptyLines},
    {"endBlock",          kBarStays, false, findEndBlock},
    {"outputEnds",        kBarStays, false, settleOutputEnds},
    {"nopsBeforeBoxes",   kBarStays, true,  [](ConvertRun&) { InsertNopBeforeFncInstr(); }},
    {"diagramCheck",      kBarStays, false, checkDiagramBeforeLinking},
    {"placeholders",      kBarStays, false, [](ConvertRun&) { removeObjects1000h(); }},
    {"emptyCells",        0,         false, fixCellsAndOutputRows},
    {nullptr,             15,        false, nullptr},
    {"blockIds",          20,        true,  [](ConvertRun&) { ReModifyLbcByVirtualArray(); }},
    {"endAndJointIds",    kBarStays, false, giveEndAndJointsIds},
    {"detachSource",      25,        false, detachSource},
    {"relink",            30,        false, relink},
    {"outputNodes",       35,        false, [](ConvertRun&) { setXMaxiOfOutputs(); }},
    {"naming",            40,        true,  nameContacts},
    {"freeSource",        45,        true,  [](ConvertRun&) { FreeLadderMemory(kListUndo); }},
    {"blockChecks",       50,        true,  checkDiagramOfEachBlock},
    {"drawnFaults",       kBarStays, true,  refuseDrawnFaults},
    {"resetBeforeJoins",  55,        true,  resetBeforeJoins},
    {"joins",             56,        true,  insertJoins},
    {"outputNodesAgain",  60,        true,  [](ConvertRun&) { setXMaxiOfOutputs(); }},
    {"clearGrid",         64,        true,  [](ConvertRun&) { clearCompileVirtualArray(); }},
    {"outputRows",        66,        true,  [](ConvertRun&) { setBlockOutputRow(); }},
    {"branchPoints",      68,        true,  insertBranchPoints},
    {"freeEditNew",       70,        false, [](ConvertRun&) { FreeLadderMemory(kListEditNew); }},
    {nullptr,             75,        false, nullptr},
    {nullptr,             80,        false, nullptr},
    {"emission",          85,        false, [](ConvertRun&) { convLadderToMachineCode(); }},
    {"comments",          88,        false, carryComments},
    {"freeLadder",        90,        false, [](ConvertRun&) { FreeLadderMemory(kListMain); }},
    {"reload",            0,         false, reload},
    {"cursor",            kBarStays, false, restoreCursor},
    {"reloadCheck",       kBarStays, false, [](ConvertRun&) { checkReloadedWords("LToM02"); }},
    {"drawnLogic",        kBarStays, false, holdDrawnLogic},
    {"completed",         kBarStays, false, finish},
};
// clang-format on

void showStep(ConvertRun& run, int percent) {
    if (percent == kBarStays) return;
    run.progress.step(percent == 0 ? "Progress..." : std::to_string(percent) + "%", percent);
}

// The passes in their order, each timed: the index opens before the first pass that reads it and
// closes after the last of a run of them.
void runPasses(ConvertRun& run) {
    std::vector<ConvertPassTime>& times = compilerState.passTimes;
    times.clear();
    const std::span<const ConvertPass> passes(kConvertPasses);
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const ConvertPass& pass = passes[i];
        showStep(run, pass.percent);
        if (pass.run == nullptr) continue;
        const auto start = std::chrono::steady_clock::now();
        if (pass.indexed && !run.index) run.index.emplace();
        pass.run(run);
        if (i + 1 == passes.size() || !passes[i + 1].indexed) run.index.reset();
        times.push_back({pass.name, std::chrono::steady_clock::now() - start});
    }
}

void convert() {
    if ((editModeFlags & kEditOutputsToRightBus) != 0)
        refuse("*Error2015010810...", "Can't Convert...", MsgIcon::Error);
    // The ladder is rebuilt from the words at the end: the passes work on the objects themselves,
    // and the snapshot keeps what a failure puts back.
    handMainListToCommand();
    ConvertRun run;
    runPasses(run);
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

const std::vector<ConvertPassTime>& lastConvertPassTimes() {
    return compilerState.passTimes;
}

}  // namespace kestrion
