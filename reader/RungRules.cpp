#include "reader/RungRules.h"

#include <algorithm>

#include "model/instructions/InstructionCodes.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/LadderObject.h"
#include "reader/PlacementSupport.h"

namespace kestrion::placement {

namespace {

constexpr std::int32_t kFirstBranchPointer = 2;  // the pair every load starts MpsMrdMpp with

// A branch point belongs to its rung, which must end after its MPP.
void requireBranchPointsClosed(std::uint16_t code) {
    if (branchPointOpen()) stopUnplaceable(code, convStepNo, "a branch point left open where its rung ends");
}

}  // namespace

bool branchPointOpen() {
    return mpsPointer > kFirstBranchPointer;
}

RungState& rung() {
    return readerState.rung;
}

void requireRung(std::uint16_t code, bool allowed, const char* what) {
    if (!allowed) stopUnplaceable(code, convStepNo, what);
}

void requireRungEnded(std::uint16_t code) {
    requireRung(code, rung() != RungState::Contacts, "contacts that lead to no output");
    requireBranchPointsClosed(code);
}

void requireOutputCondition(std::uint16_t code) {
    requireRung(code, rung() != RungState::None, "an output with no contacts in front of it");
}

bool rightAfterOutput() {
    const stLadderBlock* before = ldrTail->prev;
    return before != nullptr && before->end == kEndOutput;
}

void requireOutputAfterContinuation(const stLadderBlock* last) {
    if (last == nullptr || last->end == kEndOutput || isLabelCode(last->iCode)) return;
    for (const stLadderBlock* o = last->prev; o != nullptr && o->objLbc == last->objLbc; o = o->prev)
        if (o->end == kEndOutput)
            stopUnplaceable(last->iCode, last->stepNo, "contacts after an output lead to none");
}

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

}  // namespace kestrion::placement
