#include "reader/ContactPlacement.h"

#include <algorithm>
#include <string>

#include "model/image/ProgramImage.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/ObjectInsertion.h"
#include "platform/Services.h"
#include "reader/Decoders.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/ObjectPreparation.h"
#include "reader/PlacementSupport.h"

namespace kestrion {

using namespace placement;

namespace {

constexpr std::uint32_t kWidestLadderCells = 24;
constexpr std::uint32_t kWarnedCanvasColumns = 40;

// Words of the instruction at offset, its code word included. A word that begins no instruction
// counts as one: the word check refuses such programs before they are loaded.
std::size_t wordsAt(std::size_t offset) {
    return static_cast<std::size_t>(std::max(1, instructionLength(programWordAt(offset))));
}

bool isLabelWord(std::uint16_t w) {
    const std::uint16_t high = w >> 8;
    return high == 0xB0 || (high >= 0xB8 && high <= 0xBF);
}

// Words that end the contacts of a block. The pulse forms of every application instruction
// count, so that an LD in front of one of FNC 256 and up is read like any other.
bool isOutputWord(std::uint16_t w) {
    const std::uint16_t top = w >> 12;
    return top >= 0xC || (w >= 0x600 && w <= 0x7FF) || (w >= 0xE00 && w <= 0xEFF) ||
           (w >= 0x002 && w <= 0x00E) || w == 0x20A || (w >= 0x010 && w <= 0x3FE) ||
           (w >= 0x1010 && w <= 0x13FF);
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
            platform::messages().show("*[AND]SeriesContactDeviceTooMuchError...Can't convert...",
                                      "Error2015032401...", platform::MsgIcon::None,
                                      platform::MsgButtons::Ok);
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
        } else if (isStackJoint(w) || w == kCodeNop || w == kCodeXNop || w == kCodeVNop) {
        } else if ((w >> 12) >= 0x8 && (w >> 12) <= 0xA) {
            stopBlockScan(offset, "Instruction Code Error...system halt", "Error2014122006...");
        } else if (isLabelWord(w)) {
        } else if ((w >> 8) == 0xB1) {
            offset += 2;
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

}  // namespace kestrion
