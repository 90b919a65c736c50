#include "reader/StackPlacement.h"

#include "model/ladder/DrawGeometry.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "reader/Decoders.h"
#include "reader/LoadState.h"
#include "reader/ObjectPreparation.h"
#include "reader/PlacementSupport.h"
#include "reader/RungRules.h"

namespace kestrion {

using namespace placement;

namespace {

// A stack object stands left of the cell where its branch's first contact goes.
void placeStackObject(stLadderBlock& o) {
    o.xAddr = conv.X - cellW() / 16 * 8;
    o.yAddr = conv.Y;
    o.Xend = conv.X - 3 * (cellW() / 4);
}

// MRD and MPP: below an output the branch takes the next row; the object itself moves down past
// occupied cells while the cursor keeps its row.
void settleBranchRow(stLadderBlock& o) {
    const stLadderBlock* before = predecessor();
    if (before != nullptr && before->end == kEndOutput)
        mpStack.yPointer = o.yAddr = conv.Y = before->yAddr + cellH();
    while (cellTakenAt(conv.X, o.yAddr)) o.yAddr += cellH();
    o.end = kEndContact;
}

// The branch point leaves or stays on MpsMrdMpp; the joined sub-block goes on from it.
void takeBranchPoint() {
    conv = {mpStack.xPointer, mpStack.yPointer};
    popBranch();
    conv.X = popBranch();
    ldrNow->xMaxi = conv.X;
    replaceXMax(conv.X);
    replaceNext({conv.X, conv.Y});
}

void placeStackInstruction(std::uint16_t code) {
    newStackInstrObject(code);
    if (code == kCodeMps) {
        mpOpen = 1;
        mppOpen = 0;
        convMpsToLadder();
    } else if (code == kCodeMrd) {
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

}  // namespace

void placeStackWord(std::uint16_t code) {
    // Every branch ends in an output before the next one leaves the branch point: contacts
    // leading to none would be drawn into the next branch.
    if (code != kCodeMps && !rightAfterOutput())
        stopUnplaceable(code, convStepNo, "a branch without an output");
    requireRung(code, rung() == RungState::Contacts || rung() == RungState::AfterOutput,
                "a branch point with no rung");
    placeStackInstruction(code);
    rung() = RungState::Contacts;
    readerState.rungHasBranchPoint = true;
    markBranchPoint();
}

void newStackInstrObject(std::uint16_t code) {
    stLadderBlock& o = createObject(true);
    o.stepNo = convStepNo;
    convStepNo += 1;
    o.yTopPos = predecessor() != nullptr ? predecessor()->yTopPos : 0;
    o.objLbc = largeBlockId;
    o.iCode = code;
    convByteOffset = static_cast<std::int32_t>(
        blockInstrDecodeTable[code - kCodeAnb](static_cast<std::size_t>(convByteOffset)));
}

void convMpsToLadder() {
    stLadderBlock& o = *ldrNow;
    const Pair cursor = peekNext();
    conv = {cursor.x, cursor.y};
    // Back to the start of the rung: the rungs of a step share its block, and an output of an earlier
    // one says nothing about this one's rows.
    for (const stLadderBlock* p = o.prev; p != nullptr && p->objLbc == largeBlockId; p = p->prev) {
        if (p->end == kEndOutput) {
            conv.Y = p->yAddr + cellH();
            break;
        }
        if (isStackJoint(p->iCode)) {
            conv.Y = p->yAddr;
            break;
        }
        if (p == readerState.rungStart) break;
    }
    mpStack = {conv.X, conv.Y};
    o.xMaxi = conv.X;
    pushBranch(conv.X);
    pushBranch(conv.Y);
    placeStackObject(o);
    o.Xend = o.xAddr - 3 * (cellW() / 4);
    o.end = kEndContact;
}

void convMrdToLadder() {
    stLadderBlock& o = *ldrNow;
    takeBranchPoint();
    // The pair goes back as (branch x, row of the next branch).
    pushBranch(conv.X);
    pushBranch(conv.Y);
    mpStack = {conv.X, conv.Y};
    placeStackObject(o);
    settleBranchRow(o);
}

void convMppToLadder() {
    stLadderBlock& o = *ldrNow;
    takeBranchPoint();
    mpStack = {conv.X, conv.Y};
    placeStackObject(o);
    settleBranchRow(o);
}

void updateMpYAfterCoil() {
    if (mpOpen != 0) {
        mpOutputDone = 1;
        if (mpStack.yPointer < conv.Y)
            mpStack.yPointer = conv.Y;
        else if (mpStack.yPointer == conv.Y)
            mpStack.yPointer = conv.Y > ladderBottomY ? conv.Y : conv.Y + cellH();
    }
    if (mppOpen != 0 || mppOutputDone != 0) {
        mppOutputDone = 1;
        mppOpen = 0;
        if (mpStack.yPointer < conv.Y)
            mpStack.yPointer = conv.Y;
        else if (mpStack.yPointer == conv.Y)
            mpStack.yPointer += cellH();
    }
}

void updateMpYAfterOutput() {
    if (mpOpen != 0) {
        mpOutputDone = 1;
        mpStack.yPointer += cellH();
    }
    if (mppOpen != 0) {
        mppOutputDone = 1;
        mppOpen = 0;
        mpStack.yPointer += cellH();
    }
}

}  // namespace kestrion
