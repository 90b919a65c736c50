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
#include "platform/ProgressStep.h"
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
constexpr std::uint16_t kMcWord = 0x00A;
constexpr std::uint16_t kMcrWord = 0x00B;

// The progress window of one load: shown at its start and given back or hidden at its end, however
// it ends.
class LoadProgress {
public:
    LoadProgress() { readerState.progressShown = 0; }

    // The bar never moves back and stops at 100.
    void follow(std::int32_t byteOffset, std::int32_t memSizeCode) {
        std::uint32_t& shown = readerState.progressShown;
        if (shown >= kProgressEnd) return;
        const auto position = static_cast<std::uint32_t>(loadProgressPercent(byteOffset, memSizeCode));
        if (position <= shown) return;
        shown = position;
        window_.setPosition(static_cast<int>(position));
    }

private:
    platform::ProgressStep window_{"Convert Progress...", kProgressEnd};
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

// ---- What the words before leave for a word to go on from -------------------------------------------------
//
// A ladder draws a rung from a bus: contacts begin with an LD at the left bus or at a step's bus, every
// join joins two blocks of its rung, and every rung ends in an output before the next rung, a label,
// a step, a master control, an instruction that stands alone or END begins. Words that go on from
// nothing, or contacts that lead to no output, have no ladder: the load stops on them.

RungState& rung() {
    return readerState.rung;
}

void requireRung(std::uint16_t code, bool allowed, const char* what) {
    if (!allowed) stopUnplaceable(code, convStepNo, what);
}

// An MPS whose MPP has not come yet: its branch point belongs to the rung, which must end first.
void requireBranchPointsClosed(std::uint16_t code) {
    if (mpsPointer > kFirstBranchPointer)
        stopUnplaceable(code, convStepNo, "a branch point left open where its rung ends");
}

// Where a rung ends: its contacts must have reached an output, and its branch points their MPP.
void requireRungEnded(std::uint16_t code) {
    requireRung(code, rung() != RungState::Contacts, "contacts that lead to no output");
    requireBranchPointsClosed(code);
}

// An output needs a condition: contacts of its rung, the output its rung goes on from, or a step's bus.
void requireOutputCondition(std::uint16_t code) {
    requireRung(code, rung() != RungState::None, "an output with no contacts in front of it");
}

// INV inverts its block, from the LD that opened it. The ladder shows where a block begins only at
// a bus or where a branch leaves: a block joined in series stands on the row of the one before it,
// and INV there would be read as inverting both, unless an OR or ORB after INV puts the block in
// parallel with another (then it is a branch of its own).
bool invertsWhatTheLadderShows() {
    if ((readerState.seriesJoinLevels & branchLevelBit(convSbNo)) == 0) return true;
    const std::size_t limit = programAreaLimit(pmw.memSizeCode());
    int level = 0;
    for (std::size_t offset = static_cast<std::size_t>(convByteOffset) + 2; offset < limit;) {
        const std::uint16_t w = programWordAt(offset);
        if (isLoadTypeCode(w)) {
            ++level;
        } else if (isBlockJoint(w)) {
            if (level == 0) return false;
            if (level == 1 && w == kCodeOrb) return true;
            --level;
        } else if (isOrTypeCode(w)) {
            if (level == 0) return true;
        } else if (!isAndTypeCode(w)) {
            return false;
        }
        offset += 2 * static_cast<std::size_t>(std::max(1, instructionLength(w)));
    }
    return false;
}

void afterOutput(void (*updateMpY)()) {
    markBranchPoint();
    rung() = RungState::AfterOutput;
    readerState.rungHasOutput = true;
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
        const RungState before = rung();
        convLdToLadder(w);
        // An LD in the last column leaves its rung no cell for an output: the ladder wraps the cursor
        // to the next line, and what follows would be drawn at the bus there.
        requireRung(w, ldrNow->Xend < draw.iBusLineEnd, "an LD in the output column");
        const bool newRung = mayOpenBlock && (convBlockFlags & kBlockFlagNewLargeBlock) != 0;
        // An LD whose block the join after it puts behind what stands before it: a rung or a step's
        // bus must stand there, not a label or nothing.
        const bool continues = mayOpenBlock && !newRung;
        requireRung(w, !continues || before != RungState::None, "a join with no block of its rung before it");
        if (continues || readerState.lastLdJoin == LdJoin::Series)
            readerState.seriesJoinLevels |= branchLevelBit(convSbNo);
        else
            readerState.seriesJoinLevels &= ~branchLevelBit(convSbNo);
        rung() = RungState::Contacts;
        readerState.rungHasContact = true;
        if (newRung && ldrNow != nullptr) requireOutputAfterContinuation(ldrNow->prev);
        // A branch point an MPS left open belongs to the rung before: an MRD or MPP in this one
        // would read it across the rung's start, which no ladder shows.
        if (newRung && mpsPointer > kFirstBranchPointer)
            stopUnplaceable(w, convStepNo, "a new rung while a branch point is open");
        if (newRung) {
            readerState.branchPointLevels = 0;
            readerState.rungStart = ldrNow;
            readerState.rungHasOutput = false;
            readerState.rungHasBranchPoint = false;
        }
        readerState.branchPointLevels &= ~branchLevelBit(convSbNo);
        mark(kCellContact);
        pushEndObjectDown();
    } else if (isAndTypeCode(w)) {
        // A contact on a step's bus is the step's first (Convert writes it as an LD); INV there has
        // no contact to invert and would be written in front of one.
        if (w == kInvWord && ldrTail->prev != nullptr && ldrTail->prev->iCode == kStlStepCode)
            stopUnplaceable(w, convStepNo, "INV right after STL");
        requireRung(w, rung() != RungState::None, "a contact with no rung to go on from");
        // INV inverts what the contacts of its rung give: a step's bus, or an output of the step's bus,
        // alone in front of it gives none.
        requireRung(w, w != kInvWord || readerState.rungHasContact, "INV with no contact in front of it");
        requireRung(w, w != kInvWord || invertsWhatTheLadderShows(), "INV in a block joined in series");
        const std::uint32_t bus = draw.iBusLineEnd;
        convAndToLadder(w);
        // The outputs placed before stand at the bus they had; a later branch of a branch point that
        // widens it leaves them where the ladder can no longer link them when they move out.
        requireRung(w,
                    draw.iBusLineEnd == bus || !readerState.rungHasOutput || !readerState.rungHasBranchPoint,
                    "contacts of a branch after an output that reach past the bus");
        rung() = RungState::Contacts;
        readerState.rungHasContact = readerState.rungHasContact || w != kInvWord;
        mark(kCellContact);
    } else if (isOrTypeCode(w)) {
        if (joinTakesInBranchPoint(w)) stopUnplaceable(w, convStepNo, "OR around a branch point");
        requireRung(w, rung() == RungState::Contacts, "an OR with no contacts of its rung before it");
        convOrToLadder(w);
        mark(kCellContact);
        pushEndObjectDown();
    } else if (isBlockJoint(w)) {
        // A join closes the blocks in front of an output; one after it would join across the
        // output (a join with no block left to join stops with its own underflow first).
        const bool afterOutput = rightAfterOutput();
        requireRung(w, rung() == RungState::Contacts || afterOutput, "a join with no contacts before it");
        // A join takes the two last blocks of its rung; only an ANB may take the rung before, or a
        // step's bus, as the first of them (the rung then goes on in series). No ladder draws more.
        requireRung(w, convSbNo >= (w == kCodeOrb ? 2 : 1), "a join with no block of its rung to join");
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
        requireRungEnded(w);
        convBlockFlags |= kBlockFlagStlOpen;
        convStlToLadder(w);
        rung() = RungState::StepBus;
        readerState.rungHasContact = false;
        mark(kCellStl);
    } else if (isStackJoint(w)) {
        // Every branch ends in an output before the next one leaves the branch point: contacts
        // leading to none would be drawn into the next branch.
        if (w != kCodeMps && !rightAfterOutput())
            stopUnplaceable(w, convStepNo, "a branch without an output");
        requireRung(w, rung() == RungState::Contacts || rung() == RungState::AfterOutput,
                    "a branch point with no rung");
        placeStackInstruction(w);
        rung() = RungState::Contacts;
        readerState.rungHasBranchPoint = true;
        markBranchPoint();
    } else if (g >= 0x8000 && g < 0xB000) {
        stopAtOperandWord(w);
    } else if (high == 0xB0 || high == 0xB1 || (high >= 0xB8 && high <= 0xBF)) {
        // A label begins the rung after it: the one before ends here. Two labels would stand in the
        // one label cell of that rung.
        requireRungEnded(w);
        requireRung(w, ldrTail->prev == nullptr || !isLabelCode(ldrTail->prev->iCode),
                    "a label right after a label");
        // The rungs of a step stand on its bus, right of the label column.
        requireRung(w, (convBlockFlags & kBlockFlagStlOpen) == 0, "a label inside a step");
        placeLabel(w);
        rung() = RungState::None;
    } else if (g == 0xC000) {
        requireOutputCondition(w);
        convOutToLadder(g);
        afterOutput(updateMpYAfterCoil);
    } else if (g == 0xD000 || g == 0xE000) {
        requireOutputCondition(w);
        convSbNo = 0;
        convSetRstToLadder(g);
        afterOutput(updateMpYAfterCoil);
    } else if (w == kRetWord) {
        requireOutputBeforeBusStart(w);
        requireRungEnded(w);
        convBlockFlags &= static_cast<std::uint8_t>(~kBlockFlagStlOpen);
        stlBusOffset = 0;
        convRetToLadder(w);
        afterOutput(updateMpYAfterOutput);
        conv.Y = ldrTail->yAddr;
        rung() = RungState::None;
    } else if ((w >= 0x600 && w <= 0x7FF) || (w >= 0xE00 && w <= 0xEFF)) {
        requireOutputCondition(w);
        convOutTcToLadder(w);
        afterOutput(updateMpYAfterOutput);
    } else if ((w >= 0x002 && w <= 0x00E) || w == 0x202 || w == 0x20A) {
        const bool masterControl = w == kMcWord || w == 0x20A;
        // A master control stands at the left bus: a step's rungs stand on the step's bus.
        requireRung(w, (!masterControl && w != kMcrWord) || (convBlockFlags & kBlockFlagStlOpen) == 0,
                    "a master control inside a step");
        if (w == kMcrWord)
            requireRungEnded(w);
        else
            requireRung(w,
                        rung() == RungState::Contacts || rung() == RungState::AfterOutput ||
                            (!masterControl && rung() == RungState::StepBus),
                        "an output with no contacts in front of it");
        convTwoWordOutToLadder(w);
        afterOutput(updateMpYAfterOutput);
        // MC begins the rungs it controls and MCR ends them: a rung after either begins at the bus.
        if (masterControl || w == kMcrWord) rung() = RungState::None;
    } else if ((w >= 0x010 && w <= 0x3FF) || (w >= 0x1010 && w <= 0x13FF)) {
        // The other forms of those numbers are placed as outputs, but need no contact either.
        if (standsAlone(w))
            requireRungEnded(w);
        else if (!standsAlone(static_cast<std::uint16_t>(w & 0xEFFEu)))
            requireOutputCondition(w);
        placeApplication(w);
        if (standsAlone(w)) rung() = RungState::None;
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
        // An output stands right of the node its wire leaves from: one too wide to fit there would
        // stand under the contacts in front of it, with no wire drawn to it.
        const bool leftOfNode = o->end == kEndOutput && o->xAddr < o->xMaxi && !isLabelCode(o->iCode);
        if (inside && !leftOfNode && (o->objLbc != 0 || !needsBlock)) continue;
        stopUnplaceable(o->iCode, o->stepNo, std::to_string(o->xAddr) + "," + std::to_string(o->yAddr));
    }
    const stLadderBlock* last = end.prev;
    while (last != nullptr && isLabelCode(last->iCode)) last = last->prev;
    requireOutputAfterContinuation(last);
}

bool isFurtherOutputAtItsNode(const stLadderBlock& o) {
    return o.end == kEndOutput && o.yAddr > o.yTopPos && o.xMaxi == o.xAddr;
}

// A further output whose node stands at its own column leaves no cell for a joint in front of it, and
// the link from the node passes beside it undrawn. A contact that goes on below it from the same node
// would be read as the start of a new rung, a further output below it that does not stand at the node
// as well as fed by nothing, and the output itself, in a branch that a further branch of its branch
// point follows, as the first of that branch. The load stops instead.
void requireLinkPastOutputs() {
    const stLadderBlock* unlinked = nullptr;  // the first such output of the block so far
    for (const stLadderBlock* o = ldrHead; o != nullptr && o != ldrTail; o = o->next) {
        const stLadderBlock* before = o->prev;
        if (before != nullptr && before->objLbc != o->objLbc) unlinked = nullptr;
        // The MRD or MPP of a branch below stands beside the node, not in front of the contact.
        const stLadderBlock* above = before;
        while (above != nullptr && isStackJoint(above->iCode)) above = above->prev;
        // A rung of its own (a step's next rung) begins left of the node.
        if (unlinked != nullptr && isLoadTypeCode(o->iCode) && o->xAddr < unlinked->xMaxi) unlinked = nullptr;
        if (unlinked != nullptr && o->end == kEndOutput &&
            !(isFurtherOutputAtItsNode(*o) && o->xMaxi == unlinked->xMaxi))
            stopUnplaceable(o->iCode, o->stepNo, "an output under an output that stands at its node");
        if (above != nullptr && (isAndTypeCode(o->iCode) || isLoadTypeCode(o->iCode)) &&
            isFurtherOutputAtItsNode(*above) && above->xAddr == o->xAddr)
            stopUnplaceable(o->iCode, o->stepNo, "a contact under an output that stands at its node");
        if (unlinked != nullptr && (o->iCode == kCodeMrd || o->iCode == kCodeMpp))
            stopUnplaceable(unlinked->iCode, unlinked->stepNo,
                            "an output at its node before a further branch");
        if (unlinked == nullptr && above != nullptr && above->end == kEndOutput &&
            isFurtherOutputAtItsNode(*o))
            unlinked = o;
    }
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
        requireRungEnded(kCodeEnd);
        readerState.sumCursor = convByteOffset + 2;  // END is summed too
        completeEndObject();
        requireFaithfulPlacement();
        // Where the outputs stand as placed, before a widened bus moves them out.
        requireLinkPastOutputs();
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

namespace {

// The columns a widened bus reaches past those the load cleared hold nothing yet; they read blank as
// the others do (Convert read them as something drawn there and refused the rungs below a long one).
void clearWidenedColumns() {
    if (ldrTail == nullptr) return;
    const std::int64_t columns =
        std::min<std::int64_t>(std::int64_t{virtualArrayColumns} + 1, kCanvasColumns);
    const std::int64_t last = canvasRowOf(ldrTail->yAddr) + 2;                // END's line and the gap below
    const std::int64_t below = std::max(VirtualArray.rowsInUse(), last + 1);  // reads as each column's fill
    for (std::int64_t column = 0; column < columns; ++column) {
        if (VirtualArray.at(column, below) != '\0') continue;
        for (std::int64_t row = 0; row <= last; ++row)
            if (VirtualArray.at(column, row) == '\0') VirtualArray.put(column, row, kCellBlank);
    }
}

}  // namespace

void followWidenedBus() {
    if ((editModeFlags & kEditOutputsToRightBus) == 0) return;
    editModeFlags &= static_cast<std::uint8_t>(~kEditOutputsToRightBus);
    clearWidenedColumns();
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

void finishLoadedLadder() {
    removeEmptyObjectsChecked();
    moveEndToRightEdge();
    ModifyHLineToVirtualCanvas();
    lineUpMainListInMemory();
    backupLadderDiagramMemory(0);
    backupVirtualCanvas(0);
}

void loadLadderFromImage(const std::string& caption, const std::function<void()>& beforeFinish) {
    startLadderLoad();
    convMachineCodeToLadder(caption);
    followWidenedBus();
    if (beforeFinish) beforeFinish();
    finishLoadedLadder();
}

void showLoadedLadderFromTop(FirstCellFrame frame) {
    xOldCursor = draw.iBusLineStart;
    yOldCursor = 0;
    requestViewScroll(ViewScroll::toTop(0));
    if (frame == FirstCellFrame::OnObject)
        setBlueFrameObject(xOldCursor, yOldCursor);
    else
        initBlueFrame(zoomPercent);
}

}  // namespace kestrion
