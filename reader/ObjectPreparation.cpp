#include "reader/ObjectPreparation.h"

#include <array>

#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "reader/PlacementSupport.h"

namespace kestrion {

namespace {

using OperandText = decltype(stLadderBlock::operands)::value_type;

// An operand text as blanking it with spaces and clearing its first byte leaves it.
constexpr OperandText clearedFirstOperand() {
    OperandText text{};
    for (std::size_t i = 1; i + 1 < text.size(); ++i) text[i] = ' ';
    return text;
}
constexpr OperandText kClearedFirstOperand = clearedFirstOperand();

}  // namespace

void resetNewObject() {
    if (ldrNow == nullptr) return;
    stLadderBlock& object = *ldrNow;
    object.flagByte1 = 0;
    object.flagByte2 = 0;
    object.xAddr = 65535;
    object.yAddr = 65535;
    object.orbXaddr = draw.iBusLineStart;
    object.objLbc = 0;
    object.end = kEndContact;
    object.iCode = 0;
    object.rCode = 0;
    object.objNo = 0;
    object.mnemonic = {};
    object.operands = {};
    object.operand6 = {};
    object.traceLabel = {};
}

void clearNewObjectText(int which) {
    if (ldrNow == nullptr) return;
    if (which == 0) {
        ldrNow->mnemonic = {};
        return;
    }
    // The first text keeps the spaces it was blanked with behind its cleared first byte; the other
    // texts keep their bytes behind theirs. The blanked first text is one copy, made once.
    ldrNow->operands[0] = kClearedFirstOperand;
    for (auto& text : ldrNow->operands) text[0] = '\0';
    ldrNow->operand6[0] = '\0';
}

void placeObjectRightAligned(std::uint32_t x, std::uint32_t y, std::uint32_t extra) {
    if (ldrNow == nullptr) return;
    const std::uint32_t cellW = ModeData.xSizeSymble;
    const std::int64_t target = std::int64_t{draw.iBusLineEnd} - std::int64_t{extra + 1} * cellW;
    // A zero cell width would never move on; such a grid has no cell to look for.
    if (cellW > 0 && x < target) {
        // Taken cells left of the last place before the target cannot move the object: walking
        // past them still ends at that place. Only from there on do taken cells push it right.
        const std::int64_t lastPlace = x + (target - 1 - x) / cellW * cellW;
        x = static_cast<std::uint32_t>(lastPlace);
        while (placement::otherCellTakenAt(x, y)) x += cellW;
        x += cellW;
    }
    ldrNow->xAddr = x;
    ldrNow->yAddr = y;
    ldrNow->Xend = draw.iBusLineEnd;
}

}  // namespace kestrion
