#include "reader/ContactPlacement.h"

#include <algorithm>
#include <string>

#include "model/image/ProgramImage.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/ObjectInsertion.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/Decoders.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/ObjectPreparation.h"
#include "reader/PlacementSupport.h"
#include "reader/RungRules.h"

namespace kestrion {

using namespace placement;

namespace {

constexpr std::uint32_t kWidestLadderCells = 24;
constexpr std::uint32_t kWarnedCanvasColumns = 40;
constexpr std::uint16_t kInvWord = 0xFFFD;

// Words of the instruction at offset, its code word included. A word that begins no instruction
// counts as one: the word check refuses such programs before they are loaded.
std::size_t wordsAt(std::size_t offset) {
    return static_cast<std::size_t>(std::max(1, instructionLength(programWordAt(offset))));
}

// Words that end the contacts of a block: every word from 0xC000 up (the outputs of one-word
// devices, STL, RET), the other basic outputs and the application instructions but 0x3FF. The pulse
// forms of every application instruction count, so that an LD in front of one of FNC 256 and up is
// read like any other.
bool isOutputWord(std::uint16_t w) {
    return w >= 0xC000 || isTimerCounterOutput(w) || isTwoWordOutput(w) ||
           (isApplicationCode(w) && w != 0x3FF);
}

[[noreturn]] void stopBlockScan(std::size_t offset, const char* statusText, const char* text) {
    platform::statusBar().setPanelText(
        0, std::to_string(offset) + "," + std::to_string((offset - kProgramAreaOffset) / 2) + " Error");
    platform::statusBar().setPanelText(13, statusText);
    stopLoad(text, "*SubConvMachineCodeToLadderDiagram", platform::MsgIcon::Error);
}

// An LD whose sub-block no join closes has no place in a ladder: the load stops rather than
// show a ladder that is not the program.
[[noreturn]] void stopAtUnjoinedLd(int level, std::size_t offset, std::size_t start) {
    platform::statusBar().setPanelText(
        0, std::to_string(level) + "," + std::to_string(offset) + "," + std::to_string(start));
    stopLoad("AnbOrb Error", "*backwordAnbOrbInstrCheck", platform::MsgIcon::Information);
}

void setFlagsOfEdgeForm(stLadderBlock& object, std::uint16_t code, std::uint16_t rising) {
    if (code == rising) object.setPFlag(true);
    if (code == rising + 1) object.flagByte2 |= kFlag2Falling;
}

// NULL objects in the free cells left of (x, y), down to the left bus or the first taken cell. END
// takes no cell: on a bus widened past its column it may stand on this row left of the contact, and
// the row goes on past it (it moves down below the row right after), or a branch later drawn on the
// unfilled cells would be wired through this one.
void fillLeftWithNull(std::uint32_t x, std::uint32_t y, std::uint32_t top, std::uint32_t step,
                      const char* label, bool takeRightNeighbour) {
    stLadderBlock* const placing = ldrNow;
    // Cells right of the right bus are no part of the ladder; a damaged program may put x there.
    x = std::min(x, draw.iBusLineEnd);
    while (x >= draw.iBusLineStart + cellW()) {
        x -= cellW();
        if (cellTakenAt(x, y)) break;
        setBlueFrameObject(x, y);
        if (!ReallocLadderMemory(kLinkReadingOrder, 0)) break;
        stLadderBlock* filler = ldrNew;
        insertXnopInstruction(static_cast<int>(PseudoKind::Null), x, y, largeBlockId, top, step, label);
        if (takeRightNeighbour) {
            filler->xMaxi = filler->next != nullptr ? filler->next->xMaxi : filler->xMaxi;
            filler->xBlockAddr = 0;
            filler->end = kEndContact;
        }
        ldrNow = placing;
        notePlaced(filler);
    }
    ldrNow = placing;
}

void clearMpFlags() {
    mpOpen = mpOutputDone = mppOpen = mppOutputDone = 0;
}

// The AND placer widens the right bus instead of wrapping to the next row.
void applyRightLimit() {
    while (conv.X >= draw.iBusLineEnd) {
        draw.iBusLineEnd += cellW();
        virtualArrayColumns += cellW() / symbleHalfWidth;
        if (virtualArrayColumns > kWarnedCanvasColumns) {
            editModeFlags |= kEditOutputsToRightBus;
            platform::statusBar().setPanelText(
                13, "...ErrorDeviceNo=" + std::to_string(draw.iBusLineEnd / symbleHalfWidth / 2));
            platform::say({"*[AND]SeriesContactDeviceTooMuchError...Can't convert...", "Error2015032401...",
                           platform::MsgIcon::None});
        }
        // The load stops below anyway; a cursor far past the bus must not widen it step by step.
        if (draw.iBusLineEnd > kWidestLadderCells * cellW()) break;
    }
    if (draw.iBusLineEnd > kWidestLadderCells * cellW())
        stopLoad("*[AND]SeriesContactDeviceTooMuchError...SystemExit", "*Error2018031202...",
                 platform::MsgIcon::Error);
}

bool followsStackJoint(const stLadderBlock* before) {
    return before != nullptr && isStackJoint(before->iCode);
}

// One cell right of the cell of a stack object: where its branch's first contact goes.
std::uint32_t branchColumnRightOf(const stLadderBlock& joint) {
    return joint.xAddr / cellW() * cellW() + cellW();
}

}  // namespace

// ---- Look-ahead scans -------------------------------------------------------------------------------

bool SubConvMachineCodeToLadderDiagram(std::size_t offset, std::size_t endOffset, int count) {
    for (;; offset += 2) {
        const std::uint16_t w = programWordAt(offset);
        if (w == kCodeEnd || offset + 68 >= endOffset) return true;
        if (isLoadTypeCode(w)) {
            ++count;
            offset += 2 * (wordsAt(offset) - 1);
        } else if (isAndTypeCode(w) || isOrTypeCode(w)) {
            offset += 2 * (wordsAt(offset) - 1);
        } else if (isBlockJoint(w)) {
            --count;
        } else if (isStackJoint(w) || isPlaceholderWord(w)) {
        } else if (isOperandWord(w)) {
            stopBlockScan(offset, "Instruction Code Error...system halt", "Error2014122006...");
        } else if (isLabelWord(w)) {
            if (isTwoWordLabelWord(w)) offset += 2;
        } else if (isOutputWord(w)) {
            return count > 0;
        } else {
            stopBlockScan(offset, "0x0000 Instruction Code Error...system halt", "Error2014122007...");
        }
    }
}

bool backwordAnbOrbInstrCheck(std::size_t offset, int level) {
    // Steps by whole instructions, so an operand word is never taken for a join, and stops at
    // every LD form (the three-word ones too): each opens a sub-block that a later join closes
    // first. The program ends the scan; a sub-block cannot nest deeper than the stacks hold.
    const std::size_t start = offset;
    const std::size_t limit = programAreaLimit(pmw.memSizeCode());
    for (; offset < limit && level <= kConverterStackSize; offset += 2 * wordsAt(offset)) {
        const std::uint16_t w = programWordAt(offset);
        if (w == kCodeEnd) break;
        if (isBlockJoint(w)) {
            if (--level == 0) return w == kCodeOrb;
        } else if (isLoadTypeCode(w)) {
            ++level;
        }
    }
    stopAtUnjoinedLd(level, offset, start);
}

// ---- Contacts -------------------------------------------------------------------------------------------

void convLdToLadder(std::uint16_t code) {
    stLadderBlock& o = createObject(true);
    setFlagsOfEdgeForm(o, code, 0x1CA);
    o.stepNo = convStepNo;
    if (mppOpen != 0) mppOpen = mppOutputDone = 0;
    if (convSbNo == 0) {
        const bool newBlock =
            SubConvMachineCodeToLadderDiagram(static_cast<std::size_t>(convByteOffset), jm, 0);
        convBlockFlags = newBlock ? (convBlockFlags | kBlockFlagNewLargeBlock)
                                  : static_cast<std::uint8_t>(convBlockFlags & ~kBlockFlagNewLargeBlock);
        if (newBlock) {
            startBlockAt(o);
            if ((convBlockFlags & kBlockFlagStlOpen) == 0) ++largeBlockId;
            o.objLbc = largeBlockId;
            startPointer = nextPointer = xMaxiPointer = 0;
            blockRightX = draw.iBusLineStart + cellW();
            clearMpFlags();
        } else {
            o.objLbc = largeBlockId;
            conv.X = (predecessor() != nullptr ? predecessor()->xMaxi : conv.X) - stlBusOffset;
        }
    }
    ++convSbNo;
    readerState.lastLdJoin = LdJoin::First;
    if (convSbNo < 2 || (predecessor() != nullptr && predecessor()->iCode == kStlStepCode)) {
        if (mppOpen != 0 || mppOutputDone != 0) clearMpFlags();
        if (conv.X == draw.iBusLineStart) conv.Y = ldrTail->yAddr;
        conv.X += stlBusOffset;
        o.xAddr = conv.X;
        o.yAddr = o.yTopPos = ladderBottomY = conv.Y;
        pushStart({conv.X, conv.Y});
    } else if (backwordAnbOrbInstrCheck(static_cast<std::size_t>(convByteOffset) + 2, 1)) {
        readerState.lastLdJoin = LdJoin::Parallel;
        Pair at = peekStart();
        while (cellTakenAt(at.x, at.y)) at.y += cellH();
        ladderBottomY = std::max(ladderBottomY, at.y);
        fillLeftWithNull(at.x, at.y, 0, o.stepNo, "[LD]convMachineCodeToLadder", false);
        o.xAddr = at.x;
        o.yAddr = o.yTopPos = at.y;
        conv = {at.x, at.y};
        pushStart(at);
    } else {
        readerState.lastLdJoin = LdJoin::Series;
        const Pair at = peekNext();
        o.xAddr = at.x;
        o.yAddr = at.y;
        o.yTopPos = 0;
        o.objLbc = largeBlockId;
        conv = {at.x, at.y};
        pushStart(at);
    }
    const stLadderBlock* before = predecessor();
    if (followsStackJoint(before) ||
        (before != nullptr && isAndTypeCode(before->iCode) && before->xAddr < o.xAddr)) {
        o.yAddr = conv.Y = before->yAddr;
        popStart();
        pushStart({conv.X, conv.Y});
    }
    o.Xend = o.xAddr + cellW();
    o.objLbc = largeBlockId;
    conv.X += cellW();
    conv.Y = wrapYAtRightBus(conv.X, conv.Y);
    conv.X = wrapXAtRightBus(conv.X, conv.Y);
    if (ldrTail->yAddr <= conv.Y) moveEndDown();
    if ((mpOpen != 0 || mpOutputDone != 0) && mpStack.yPointer < o.yAddr) mpStack.yPointer = o.yAddr;
    clearNewObjectText(1);
    convByteOffset = static_cast<std::int32_t>(decodeInstructionAt(static_cast<std::size_t>(convByteOffset)));
    o.xBlockAddr = 0;
    o.xMaxi = blockRightX = conv.X;
    pushNext({conv.X, conv.Y});
    pushXMax(blockRightX);
}

void convAndToLadder(std::uint16_t code) {
    stLadderBlock& o = createObject(true);
    setFlagsOfEdgeForm(o, code, 0x1CC);
    o.objLbc = largeBlockId;
    const stLadderBlock* before = predecessor();
    o.yTopPos = before != nullptr ? before->yTopPos : 0;
    o.stepNo = convStepNo;
    const bool outputBefore = before != nullptr && before->end == kEndOutput;
    if ((mpOpen != 0 && mpOutputDone == 0) || (mppOpen != 0 && mppOutputDone == 0)) {
        if (followsStackJoint(before)) {
            conv = {branchColumnRightOf(*before), before->yAddr};
        } else {
            const Pair at = peekNext();
            conv = {at.x, at.y};
        }
    } else if (nextPointer != 0 && (mpOutputDone != 0 || mppOutputDone != 0)) {
        conv.X = topXMax();
        if (outputBefore) conv.Y = before->yAddr + cellH();
        o.end = kEndContact;
    }
    if (mpOpen == 0 && mppOpen == 0 && mppOutputDone == 0) {
        if (!outputBefore) {
            const Pair at = peekNext();
            conv = {at.x, at.y};
        } else {
            conv = {topXMax(), before->yAddr + cellH()};
        }
        o.end = kEndContact;
    }
    if (conv.X == draw.iBusLineStart) conv.X += cellW();
    while (cellTakenAt(conv.X, conv.Y)) conv.X += cellW();
    if (followsStackJoint(before)) conv = {branchColumnRightOf(*before), before->yAddr};
    o.xAddr = conv.X;
    o.yAddr = conv.Y;
    o.Xend = o.xBlockAddr = conv.X + cellW();
    if (mpOpen != 0 && mpStack.yPointer < o.yAddr) mpStack.yPointer = o.yAddr;
    clearNewObjectText(1);
    convByteOffset = static_cast<std::int32_t>(decodeInstructionAt(static_cast<std::size_t>(convByteOffset)));
    conv.X += cellW();
    applyRightLimit();
    blockRightX = o.xMaxi = conv.X;
    replaceNext({conv.X, conv.Y});
    replaceXMax(o.xMaxi);
}

void convOrToLadder(std::uint16_t code) {
    stLadderBlock& o = createObject(true);
    setFlagsOfEdgeForm(o, code, 0x1CE);
    o.objLbc = largeBlockId;
    o.stepNo = convStepNo;
    const stLadderBlock* before = predecessor();
    if (before != nullptr) {
        o.xMaxi = before->xMaxi;
        o.yTopPos = before->yTopPos;
    }
    const Pair start = peekStart();
    conv = {start.x, start.y};
    while (cellTakenAt(conv.X, conv.Y)) conv.Y += cellH();
    o.xAddr = conv.X;
    o.yAddr = conv.Y;
    o.Xend = conv.X + cellW();
    o.end = before != nullptr && o.Xend < before->xMaxi ? kEndContact : kEndTwoLine;
    if ((mpOpen != 0 || mpOutputDone != 0) && mpStack.yPointer < o.yAddr) mpStack.yPointer = o.yAddr;
    clearNewObjectText(1);
    convByteOffset = static_cast<std::int32_t>(decodeInstructionAt(static_cast<std::size_t>(convByteOffset)));
    blockRightX = std::max({blockRightX, o.Xend, conv.X});
    fillLeftWithNull(o.xAddr, o.yAddr, o.yTopPos, o.stepNo, "[OR]convMachineCodeToLadder", true);
    ladderBottomY = std::max(ladderBottomY, conv.Y);
    if (ldrTail->yAddr <= o.yAddr) moveEndDown();
    const Pair next = peekNext();
    conv = {next.x, next.y};
    if (conv.X < blockRightX) {
        conv.X = blockRightX;
        replaceNext({conv.X, conv.Y});
    }
}

// ---- Joins ----------------------------------------------------------------------------------------------

void newAnbOrbObject(std::uint16_t code) {
    stLadderBlock& o = createObject(true);
    o.stepNo = convStepNo;
    convStepNo += 1;
    o.xAddr = o.Xend = conv.X + 2 * (cellW() / 8);
    o.yAddr = conv.Y;
    o.xBlockAddr = o.xMaxi = conv.X;
    o.iCode = code;
    convByteOffset = static_cast<std::int32_t>(
        blockInstrDecodeTable[code - kCodeAnb](static_cast<std::size_t>(convByteOffset)));
    o.yTopPos = predecessor() != nullptr ? predecessor()->yTopPos : 0;
    o.objLbc = largeBlockId;
}

void convAnbToLadder() {
    stLadderBlock& o = *ldrNow;
    popStart();
    const Pair second = popNext();
    conv = {second.x, second.y};
    if (conv.X < blockRightX) conv.X = blockRightX = topXMax();
    replaceNext({conv.X, conv.Y});
    o.end = kEndContact;
    o.xAddr = o.Xend = conv.X + cellW() / 8;
    o.yAddr = conv.Y;
}

void convOrbToLadder() {
    stLadderBlock& o = *ldrNow;
    popStart();
    popNext();
    blockRightX = popXMax();
    const Pair upper = popNext();
    conv.Y = upper.y;
    conv.X = std::max(conv.X, upper.x);
    o.xAddr = conv.X + 2 * (cellW() / 8);
    pushNext({conv.X, conv.Y});
    o.xMaxi = predecessor() != nullptr ? predecessor()->xMaxi : o.xMaxi;
    pushXMax(o.xMaxi);
    const std::uint32_t s = conv.X;
    if (conv.X < blockRightX) {
        const std::uint32_t cells = (blockRightX - conv.X + cellW() - 1) / cellW();
        conv.X += cells * cellW();
        o.xMaxi = conv.X;
    }
    blockRightX = conv.X;
    replaceXMax(conv.X);
    if (s < blockRightX) {
        replaceNext({blockRightX, upper.y});
        conv.X = blockRightX;
    } else {
        conv.X = s;
    }
}

// ---- The contact families as the load meets them ---------------------------------------------------

namespace {

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

// A contact on a step's bus is the step's first (Convert writes it as an LD); INV there has no contact
// to invert and would be written in front of one. INV inverts what the contacts of its rung give: a
// step's bus, or an output of the step's bus, alone in front of it gives none.
void requireInvertible() {
    if (ldrTail->prev != nullptr && ldrTail->prev->iCode == kStlStepCode)
        stopUnplaceable(kInvWord, convStepNo, "INV right after STL");
    requireRung(kInvWord, rung() != RungState::None, "a contact with no rung to go on from");
    requireRung(kInvWord, readerState.rungHasContact, "INV with no contact in front of it");
    requireRung(kInvWord, invertsWhatTheLadderShows(), "INV in a block joined in series");
}

// How the sub-block the LD opened is joined, for an INV in it to read.
void noteSeriesJoin(bool continues) {
    if (continues || readerState.lastLdJoin == LdJoin::Series)
        readerState.seriesJoinLevels |= branchLevelBit(convSbNo);
    else
        readerState.seriesJoinLevels &= ~branchLevelBit(convSbNo);
}

// An LD that opens a new rung. A branch point an MPS left open belongs to the rung before: an MRD or
// MPP in this one would read it across the rung's start, which no ladder shows.
void startRung(std::uint16_t code) {
    if (ldrNow != nullptr) requireOutputAfterContinuation(ldrNow->prev);
    if (branchPointOpen()) stopUnplaceable(code, convStepNo, "a new rung while a branch point is open");
    readerState.branchPointLevels = 0;
    readerState.rungStart = ldrNow;
    readerState.rungHasOutput = false;
    readerState.rungHasBranchPoint = false;
}

}  // namespace

void placeLdWord(std::uint16_t code) {
    const bool mayOpenBlock = convSbNo == 0;
    const RungState before = rung();
    convLdToLadder(code);
    // An LD in the last column leaves its rung no cell for an output: the ladder wraps the cursor
    // to the next line, and what follows would be drawn at the bus there.
    requireRung(code, ldrNow->Xend < draw.iBusLineEnd, "an LD in the output column");
    const bool newRung = mayOpenBlock && (convBlockFlags & kBlockFlagNewLargeBlock) != 0;
    // An LD whose block the join after it puts behind what stands before it: a rung or a step's
    // bus must stand there, not a label or nothing.
    const bool continues = mayOpenBlock && !newRung;
    requireRung(code, !continues || before != RungState::None, "a join with no block of its rung before it");
    noteSeriesJoin(continues);
    rung() = RungState::Contacts;
    readerState.rungHasContact = true;
    if (newRung) startRung(code);
    readerState.branchPointLevels &= ~branchLevelBit(convSbNo);
    markPlacedCell(kCellContact);
    pushEndObjectDown();
}

void placeAndWord(std::uint16_t code) {
    if (code == kInvWord)
        requireInvertible();
    else
        requireRung(code, rung() != RungState::None, "a contact with no rung to go on from");
    const std::uint32_t bus = draw.iBusLineEnd;
    convAndToLadder(code);
    // The outputs placed before stand at the bus they had; a later branch of a branch point that
    // widens it leaves them where the ladder can no longer link them when they move out.
    requireRung(code,
                draw.iBusLineEnd == bus || !readerState.rungHasOutput || !readerState.rungHasBranchPoint,
                "contacts of a branch after an output that reach past the bus");
    rung() = RungState::Contacts;
    readerState.rungHasContact = readerState.rungHasContact || code != kInvWord;
    markPlacedCell(kCellContact);
}

void placeOrWord(std::uint16_t code) {
    if (joinTakesInBranchPoint(code)) stopUnplaceable(code, convStepNo, "OR around a branch point");
    requireRung(code, rung() == RungState::Contacts, "an OR with no contacts of its rung before it");
    convOrToLadder(code);
    markPlacedCell(kCellContact);
    pushEndObjectDown();
}

void placeJoinWord(std::uint16_t code) {
    // A join closes the blocks in front of an output; one after it would join across the
    // output (a join with no block left to join stops with its own underflow first).
    const bool afterOutput = rightAfterOutput();
    requireRung(code, rung() == RungState::Contacts || afterOutput, "a join with no contacts before it");
    // A join takes the two last blocks of its rung; only an ANB may take the rung before, or a
    // step's bus, as the first of them (the rung then goes on in series). No ladder draws more.
    requireRung(code, convSbNo >= (code == kCodeOrb ? 2 : 1), "a join with no block of its rung to join");
    newAnbOrbObject(code);
    const bool aroundBranchPoint = joinTakesInBranchPoint(code);
    readerState.branchPointLevels &= ~branchLevelBit(convSbNo);
    convSbNo -= 1;
    if (code == kCodeAnb)
        convAnbToLadder();
    else
        convOrbToLadder();
    if (afterOutput) stopUnplaceable(code, convStepNo, "ANB/ORB after an output");
    if (aroundBranchPoint) stopUnplaceable(code, convStepNo, "ANB/ORB around a branch point");
}

}  // namespace kestrion
