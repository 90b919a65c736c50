#include "reader/MachineCodeLoader.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"
#include "reader/ContactPlacement.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/OutputPlacement.h"
#include "reader/PlacementSupport.h"
#include "reader/StackPlacement.h"

namespace kestrion {

using namespace placement;

std::uint32_t& loaderStartX = readerState.loaderStartX;

namespace {

constexpr int kProgressEnd = 100;
constexpr std::int32_t kFirstBranchPointer = 2;  // the pair every load starts MpsMrdMpp with
constexpr std::uint16_t kInvWord = 0xFFFD;

// The progress window of one load: shown at its start and hidden at its end, however it ends.
class LoadProgress {
public:
    LoadProgress() {
        platform::progress().show("Convert Progress...", 0, kProgressEnd);
        platform::progress().setPosition(0);
        readerState.progressShown = 0;
    }
    ~LoadProgress() { platform::progress().hide(); }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    // The bar never moves back and stops at 100.
    void follow(std::int32_t byteOffset, std::int32_t memSizeCode) {
        std::uint32_t& shown = readerState.progressShown;
        if (shown >= kProgressEnd) return;
        const auto position = static_cast<std::uint32_t>(loadProgressPercent(byteOffset, memSizeCode));
        if (position <= shown) return;
        shown = position;
        platform::progress().setPosition(static_cast<int>(position));
    }
};

void status(int panel, const std::string& text) {
    platform::statusBar().setPanelText(panel, text);
}

void mark(char cell) {
    requireRowOnCanvas(ldrNow->yAddr);
    putCanvasCellAt(ldrNow->xAddr, ldrNow->yAddr, cell);
}

std::size_t wordIndex(std::int32_t byteOffset) {
    return static_cast<std::size_t>(byteOffset - static_cast<std::int32_t>(kProgramAreaOffset)) / 2;
}

// The check code over the words the walk has summed (the one rule of the program).
void storeCheckCode(std::size_t words) {
    const std::span<const std::uint16_t> program(pmw.program);
    iCheckSum = programCheckCode(program.first(std::min(words, program.size())), pmw.memSizeCode());
    pmw.setSumCheck(iCheckSum);
}

[[noreturn]] void stopAtOperandWord(std::uint16_t w) {
    status(0, "ErrorStepNo.=" + std::to_string(convStepNo));
    status(13, hexText(w & 0xF000u, 4) + " machine code error..." + hexText(w, 4));
    stopLoad("Error2015092809", "Instruction Code Error", platform::MsgIcon::Information);
}

[[noreturn]] void stopAtUndefinedWord() {
    status(0, "StepNo" + std::to_string(convStepNo) + "," +
                  hexText(static_cast<std::uint32_t>(convByteOffset), 4));
    stopLoad("Error2018051090...", "NoThisInstructionError...Ladder Conversion...",
             platform::MsgIcon::Information);
}

// A word the ladder cannot show where the program puts it: the load stops at its step.
[[noreturn]] void stopUnplaceable(std::uint16_t code, std::uint32_t step, const std::string& where) {
    status(0, "ErrorStepNo.=" + std::to_string(step));
    status(13, hexText(code, 4) + " ladder position error..." + where);
    stopLoad("Error2015092809", "Instruction Code Error", platform::MsgIcon::Information);
}

// Right after an output the rung goes on from the output's node (an AND there goes on from it).
bool rightAfterOutput() {
    const stLadderBlock* before = ldrTail->prev;
    return before != nullptr && before->end == kEndOutput;
}

// Contacts that go on from an output must lead to another one: where a new block or END comes
// first, the ladder would draw them into the rungs around them (contacts of a block of their own
// are drawn as such, for Convert to show).
void requireOutputAfterContinuation(const stLadderBlock* last) {
    if (last == nullptr || last->end == kEndOutput || isLabelCode(last->iCode)) return;
    for (const stLadderBlock* o = last->prev; o != nullptr && o->objLbc == last->objLbc; o = o->prev)
        if (o->end == kEndOutput)
            stopUnplaceable(last->iCode, last->stepNo, "contacts after an output lead to none");
}

// STL and RET start at the bus (a step's own bus, or the left bus again): contacts right before
// them lead to no output, and the ladder would draw the step or RET's wire behind them (Convert then
// wrote them as another contact, or refused its own words).
void requireOutputBeforeBusStart(std::uint16_t code) {
    const stLadderBlock* last = ldrTail->prev;
    while (last != nullptr && isLabelCode(last->iCode)) last = last->prev;
    if (last != nullptr &&
        (isLoadTypeCode(last->iCode) || isAndTypeCode(last->iCode) || isOrTypeCode(last->iCode) ||
         isBlockJoint(last->iCode) || isStackJoint(last->iCode)))
        stopUnplaceable(
            last->iCode, last->stepNo,
            std::string("contacts before ") + (code == kRetWord ? "RET" : "STL") + " lead to no output");
}

// A branch leaves the rung at the node where its point was taken. An OR or ORB puts the whole block it
// closes in parallel with another, so a branch point inside it would be wrapped (the ladder has no
// node of that value); an ANB puts a block in series after another, so a branch point inside the
// later block would be read with what stands before it. The load stops on both.
std::uint64_t branchLevelBit(std::int32_t level) {
    return std::uint64_t{1} << std::clamp(level, 0, 63);
}

void markBranchPoint() {
    readerState.branchPointLevels |= branchLevelBit(convSbNo);
}

bool joinTakesInBranchPoint(std::uint16_t code) {
    const std::uint64_t levels = readerState.branchPointLevels;
    const bool top = (levels & branchLevelBit(convSbNo)) != 0;
    const bool below = convSbNo > 0 && (levels & branchLevelBit(convSbNo - 1)) != 0;
    return top || (code == kCodeOrb && below);
}

void afterOutput(void (*updateMpY)()) {
    markBranchPoint();
    updateMpY();
    requireRowOnCanvas(ldrNow->yAddr);
    setNowOutputCells();
    pushEndObjectDown();
}

void placeLabel(std::uint16_t w) {
    newLabelObject();
    mark(kCellLabel);
    const std::uint16_t high = w >> 8;
    if (high >= 0xB8) {
        convLabelIText(w);
    } else if (high == 0xB1) {
        const std::int32_t second = programWordAt(static_cast<std::size_t>(convByteOffset) + 2);
        convLabelPHighText(w, (second - 0xB200) * 256);
        convStepNo += 1;
        convByteOffset += 2;
    } else {
        convLabelPText(w);
    }
    convStepNo += 1;
}

void placeStackInstruction(std::uint16_t w) {
    newStackInstrObject(w);
    if (w == kCodeMps) {
        mpOpen = 1;
        mppOpen = 0;
        convMpsToLadder();
    } else if (w == kCodeMrd) {
        mpOpen = 1;
        mpOutputDone = 0;
        mppOpen = 0;
        convMrdToLadder();
    } else {
        mpOpen = 0;
        mpOutputDone = 0;
        mppOpen = 1;
        convMppToLadder();
    }
    pushEndObjectDown();
}

void placeApplication(std::uint16_t w) {
    convPulseFlag = w & 0x1000u;
    convDFlag = w & 1u;
    if (convPulseFlag != 0)
        convFncPulseToLadder(w);
    else
        convFncToLadder(w);
    afterOutput(updateMpYAfterOutput);
}

// One instruction by its code word; the first matching row wins.
void dispatch(std::uint16_t w) {
    const std::uint16_t g = w & 0xF000;
    const std::uint16_t high = w >> 8;
    if (w == kCodeXNop || w == kCodeVNop || w == kCodeNop) return;
    // A code of no form the tables carry has no decoder that could show it.
    if ((g < 0x8000 || g >= 0xB000) && instructionLength(w) == 0) stopAtUndefinedWord();
    if (isLoadTypeCode(w)) {
        const bool mayOpenBlock = convSbNo == 0;
        convLdToLadder(w);
        const bool newRung = mayOpenBlock && (convBlockFlags & kBlockFlagNewLargeBlock) != 0;
        if (newRung && ldrNow != nullptr) requireOutputAfterContinuation(ldrNow->prev);
        // A branch point an MPS left open belongs to the rung before: an MRD or MPP in this one
        // would read it across the rung's start, which no ladder shows.
        if (newRung && mpsPointer > kFirstBranchPointer)
            stopUnplaceable(w, convStepNo, "a new rung while a branch point is open");
        if (newRung) readerState.branchPointLevels = 0;
        readerState.branchPointLevels &= ~branchLevelBit(convSbNo);
        mark(kCellContact);
        pushEndObjectDown();
    } else if (isAndTypeCode(w)) {
        // A contact on a step's bus is the step's first (Convert writes it as an LD); INV there has
        // no contact to invert and would be written in front of one.
        if (w == kInvWord && ldrTail->prev != nullptr && ldrTail->prev->iCode == kStlStepCode)
            stopUnplaceable(w, convStepNo, "INV right after STL");
        convAndToLadder(w);
        mark(kCellContact);
    } else if (isOrTypeCode(w)) {
        if (joinTakesInBranchPoint(w)) stopUnplaceable(w, convStepNo, "OR around a branch point");
        convOrToLadder(w);
        mark(kCellContact);
        pushEndObjectDown();
    } else if (isBlockJoint(w)) {
        // A join closes the blocks in front of an output; one after it would join across the
        // output (a join with no block left to join stops with its own underflow first).
        const bool afterOutput = rightAfterOutput();
        newAnbOrbObject(w);
        const bool aroundBranchPoint = joinTakesInBranchPoint(w);
        readerState.branchPointLevels &= ~branchLevelBit(convSbNo);
        convSbNo -= 1;
        if (w == kCodeAnb)
            convAnbToLadder();
        else
            convOrbToLadder();
        if (afterOutput) stopUnplaceable(w, convStepNo, "ANB/ORB after an output");
        if (aroundBranchPoint) stopUnplaceable(w, convStepNo, "ANB/ORB around a branch point");
    } else if (g == kStlStepCode && w < kRetWord) {
        requireOutputBeforeBusStart(w);
        convBlockFlags |= kBlockFlagStlOpen;
        convStlToLadder(w);
        mark(kCellStl);
    } else if (isStackJoint(w)) {
        // Every branch ends in an output before the next one leaves the branch point: contacts
        // leading to none would be drawn into the next branch.
        if (w != kCodeMps && !rightAfterOutput())
            stopUnplaceable(w, convStepNo, "a branch without an output");
        placeStackInstruction(w);
        markBranchPoint();
    } else if (g >= 0x8000 && g < 0xB000) {
        stopAtOperandWord(w);
    } else if (high == 0xB0 || high == 0xB1 || (high >= 0xB8 && high <= 0xBF)) {
        placeLabel(w);
    } else if (g == 0xC000) {
        convOutToLadder(g);
        afterOutput(updateMpYAfterCoil);
    } else if (g == 0xD000 || g == 0xE000) {
        convSbNo = 0;
        convSetRstToLadder(g);
        afterOutput(updateMpYAfterCoil);
    } else if (w == kRetWord) {
        requireOutputBeforeBusStart(w);
        convBlockFlags &= static_cast<std::uint8_t>(~kBlockFlagStlOpen);
        stlBusOffset = 0;
        convRetToLadder(w);
        afterOutput(updateMpYAfterOutput);
        conv.Y = ldrTail->yAddr;
    } else if ((w >= 0x600 && w <= 0x7FF) || (w >= 0xE00 && w <= 0xEFF)) {
        convOutTcToLadder(w);
        afterOutput(updateMpYAfterOutput);
    } else if ((w >= 0x002 && w <= 0x00E) || w == 0x202 || w == 0x20A) {
        convTwoWordOutToLadder(w);
        afterOutput(updateMpYAfterOutput);
    } else if ((w >= 0x010 && w <= 0x3FF) || (w >= 0x1010 && w <= 0x13FF)) {
        placeApplication(w);
    } else {
        stopAtUndefinedWord();
    }
}

void completeEndObject() {
    stLadderBlock& end = *ldrTail;
    // END keeps a line of its own: a label right before it (the target of a jump to the end)
    // would otherwise share END's line and be taken for a stray object there by Convert.
    if (end.prev != nullptr && isLabelCode(end.prev->iCode)) {
        ldrNow = end.prev;
        pushEndObjectDown();
    }
    ldrNow = &end;
    end.stepNo = convStepNo;
    end.end = kEndOutput;
    end.iCode = kCodeEnd;
    largeBlockId += 1;
    end.objLbc = largeBlockId;
    if (end.yAddr >= ladderBottomY) ladderBottomY = end.yAddr;
    ladderBottomY += cellH();
}

// Every object of a ladder stands between the buses on a line above END, a label in the cell left of the
// left bus; contacts, joins and stack points belong to a block an LD opened. A program whose words
// put an object anywhere else is not one the ladder can show: the load stops at its step.
void requireFaithfulPlacement() {
    const stLadderBlock& end = *ldrTail;
    for (const stLadderBlock* o = ldrHead; o != &end; o = o->next) {
        // A label stands in the label column; one whose word comes in the middle of a rung would
        // land on the rung's own cells and be lost by Convert.
        const bool inside = isLabelCode(o->iCode)
                                ? o->xAddr == draw.iBusLineStart - cellW() && o->yAddr < end.yAddr
                                : o->xAddr >= draw.iBusLineStart && o->xAddr < draw.iBusLineEnd &&
                                      o->Xend <= draw.iBusLineEnd && o->yAddr < end.yAddr;
        const bool needsBlock = isAndTypeCode(o->iCode) || isOrTypeCode(o->iCode) || isBlockJoint(o->iCode) ||
                                isStackJoint(o->iCode);
        if (inside && (o->objLbc != 0 || !needsBlock)) continue;
        stopUnplaceable(o->iCode, o->stepNo, std::to_string(o->xAddr) + "," + std::to_string(o->yAddr));
    }
    const stLadderBlock* last = end.prev;
    while (last != nullptr && isLabelCode(last->iCode)) last = last->prev;
    requireOutputAfterContinuation(last);
}

// Nothing of a program without END can be shown: the list starts again from END alone.
void reportNoEnd() {
    status(13, "i,jm=" + std::to_string(convByteOffset) + "," + std::to_string(jm) + ",68");
    platform::messages().show("Step00 isn't endInstr...Ladder Conversion...", "Error2018031060",
                              platform::MsgIcon::Information, platform::MsgButtons::Ok);
    FreeLadderMemory(kListMain);
    convStepNo = 0;
    initLadderList(draw.iBusLineEnd - cellW(), 0);
    clearVirtualCanvas();
}

}  // namespace

bool isOnlyNopUntilEnd(std::size_t byteOffset) {
    const std::size_t limit = programAreaLimit(pmw.memSizeCode());
    for (;; byteOffset += 2) {
        const std::uint16_t w = programWordAt(byteOffset);
        if (w == kEndCode || byteOffset >= limit) return true;
        if (w != kEmptyWord) return false;
    }
}

void convMachineCodeToLadder(const std::string& /*caption*/) {
    FreeLadderMemory(kListEditNew);
    // Without a cell size no position can be found; start-up always sets one.
    if (cellW() == 0 || cellH() == 0 || ldrTail == nullptr) return;
    platform::trace().clear(platform::Memo::Debug1);
    platform::trace().append(platform::Memo::Debug1, "Debug");
    LoadProgress progress;
    const std::int32_t memSizeCode = pmw.memSizeCode();
    startLoadState(memSizeCode);
    ladderBottomY = 0;
    PlacementIndexScope index;
    status(0, "jm=" + std::to_string(jm) + "iCheckSum" + hexText(iCheckSum, 4) + "," +
                  hexText(pmw.sumCheck(), 1));
    convBlockFlags &= static_cast<std::uint8_t>(~kBlockFlagStlOpen);
    stlBusOffset = 0;
    readerState.sumCursor = convByteOffset = static_cast<std::int32_t>(kProgramAreaOffset);
    clearVirtualCanvas();

    const auto limit = static_cast<std::int32_t>(jm - 68);
    while (programWordAt(static_cast<std::size_t>(convByteOffset)) != kEndCode && convByteOffset < limit) {
        progress.follow(convByteOffset, memSizeCode);
        readerState.sumCursor = std::max(readerState.sumCursor, convByteOffset);
        if (static_cast<std::int32_t>(ladderBottomY) < 0) ladderBottomY = 0;
        convPulseFlag = convDFlag = 0;
        convInstrCode = programWordAt(static_cast<std::size_t>(convByteOffset));
        status(0, "Step" + std::to_string(convStepNo) + ":" + hexText(convInstrCode, 4));
        dispatch(convInstrCode);
        notePlaced(ldrNow);
        convByteOffset += 2;
    }
    if (convByteOffset < limit) {
        readerState.sumCursor = convByteOffset + 2;  // END is summed too
        completeEndObject();
        requireFaithfulPlacement();
    } else {
        reportNoEnd();
    }
    storeCheckCode(wordIndex(readerState.sumCursor));
}

void startLadderLoad() {
    // The bus a wide rung of the program before pushed out comes back: the load widens it again
    // where this program needs it, and a rung that fits stays as the ladder draws it.
    setupDrawGeometry();
    initLadderList(draw.iBusLineEnd - ModeData.xSizeSymble, 0);
    setBlueFrameObject(draw.iBusLineStart, 0);
}

void followWidenedBus() {
    if ((editModeFlags & kEditOutputsToRightBus) == 0) return;
    editModeFlags &= static_cast<std::uint8_t>(~kEditOutputsToRightBus);
    std::vector<std::pair<stLadderBlock*, std::uint32_t>> outputs;
    for (stLadderBlock* o = ldrHead; o != nullptr && o != ldrTail; o = o->next)
        if (o->end == kEndOutput) outputs.emplace_back(o, o->xAddr);
    shiftOutputObjectsToRightBus();
    // An output placed before a later branch widened the bus moves out to it, and its cells with it:
    // left where it stood, Convert would read a contact there that no object holds.
    for (const auto& [o, x] : outputs) {
        if (o->xAddr == x) continue;
        eraseCanvasCell(x, o->yAddr);
        setOutputCells(o->xAddr, o->yAddr);
    }
}

bool isFurtherOutputAtItsNode(const stLadderBlock& o) {
    return o.end == kEndOutput && o.yAddr > o.yTopPos && o.xMaxi == o.xAddr;
}

// A further output whose node stands at its own column leaves no cell for a joint in front of it, and
// the link from the node passes beside it undrawn. A contact that goes on below it from the same node
// would be read as the start of a new rung, and the output itself, in a branch that a further branch
// of its branch point follows, as the first of that branch. The load stops instead.
void requireLinkPastOutputs() {
    const stLadderBlock* unlinked = nullptr;  // the first such output of the block so far
    for (const stLadderBlock* o = ldrHead; o != nullptr && o != ldrTail; o = o->next) {
        const stLadderBlock* before = o->prev;
        if (before != nullptr && before->objLbc != o->objLbc) unlinked = nullptr;
        if (before != nullptr && isAndTypeCode(o->iCode) && isFurtherOutputAtItsNode(*before) &&
            before->xAddr == o->xAddr)
            stopUnplaceable(o->iCode, o->stepNo, "a contact under an output that stands at its node");
        if (unlinked != nullptr && (o->iCode == kCodeMrd || o->iCode == kCodeMpp))
            stopUnplaceable(unlinked->iCode, unlinked->stepNo,
                            "an output at its node before a further branch");
        if (unlinked == nullptr && before != nullptr && before->end == kEndOutput &&
            isFurtherOutputAtItsNode(*o))
            unlinked = o;
    }
}

void finishLoadedLadder() {
    requireLinkPastOutputs();
    removeEmptyObjectsChecked();
    moveEndToRightEdge();
    ModifyHLineToVirtualCanvas();
    backupLadderDiagramMemory(0);
    backupVirtualCanvas(0);
}

}  // namespace kestrion
