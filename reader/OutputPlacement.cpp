#include "reader/OutputPlacement.h"

#include <algorithm>
#include <optional>
#include <string>

#include "model/instructions/AppInstructionTable.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/GridEditing.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"
#include "reader/Decoders.h"
#include "reader/LoadState.h"
#include "reader/ObjectPreparation.h"
#include "reader/PlacementSupport.h"
#include "reader/RungRules.h"
#include "reader/StackPlacement.h"

namespace kestrion {

using namespace placement;

namespace {

constexpr std::uint8_t kFlag2Application = 0x40;
constexpr std::uint8_t kFlag2TimerCounter = 0x80;
constexpr std::uint16_t kTimerCode = 0x600;
constexpr std::uint16_t kCounterCode = 0xE00;
constexpr std::uint16_t kLastSixteenBitCounter = 0xEC7;  // C199
constexpr std::uint16_t kMcWord = 0x00A;
constexpr std::uint16_t kMcrWord = 0x00B;
constexpr std::uint16_t kMcPairWord = 0x20A;
constexpr std::uint16_t kAscWord = 0x0A8;

// Where an output goes after what came before it: behind an AND-family contact, on the row of an
// MPS, MRD or MPP, or on the row under a previous output. Every output takes the row of the stack
// object in front of it, which stands below the rows its branch point's earlier branches and
// outputs hold (on the cursor's row an output straight from the branch point, a set or reset
// after MPP included, landed on a row already taken and was drawn as part of another branch).
void followPredecessor() {
    const stLadderBlock* before = predecessor();
    if (before == nullptr) return;
    if (isAndTypeCode(before->iCode)) conv = {before->Xend, before->yAddr};
    if (isStackJoint(before->iCode)) conv.Y = before->yAddr;
    if (before->end == kEndOutput) conv.Y = before->yAddr + cellH();
}

// Right-aligned at the first free place from the cursor whose cells end at the right bus.
void placeFromCursor(std::uint32_t bound, std::uint32_t extra) {
    stLadderBlock& o = *ldrNow;
    while (conv.X <= bound) {
        while (cellTakenAt(conv.X, conv.Y)) conv.X += cellW();
        // Past the taken cells no room is left before the bus: the coil stays unplaced, and the load
        // stops on it rather than draw it over the bus.
        if (conv.X > bound) break;
        placeObjectRightAligned(conv.X, conv.Y, extra);
        conv = {o.xAddr + cellW(), o.yAddr};
    }
}

void wrapCursor() {
    conv.Y = wrapYAtRightBus(conv.X, conv.Y);
    conv.X = wrapXAtRightBus(conv.X, conv.Y);
}

void cursorFromOpenSubBlock() {
    if (nextPointer == 0) return;
    const Pair at = peekNext();
    conv = {at.x, at.y};
}

// An object that stands on END's row in a block of its own.
void takeEndRow(stLadderBlock& o) {
    if (predecessor() == nullptr) return;
    o.yAddr = ldrTail->yAddr;
    o.yTopPos = ldrTail->yTopPos;
    moveEndDown();
}

// A further output whose node stands at its own column has no cell for the joint in front of it:
// its link comes straight down from the node, and contacts on its row would be read as feeding it.
// It takes the first row below that holds none left of the node. Where the node stands right of the
// place that ends the output at the bus, the output begins at the node, narrower, as it does on its
// rung's first row and after a branch point there (from the bus it was drawn left of its node, and a
// program Convert wrote from such a branch would not open).
void passRowsWithContacts(std::uint32_t outputX) {
    const stLadderBlock* before = predecessor();
    const std::uint32_t node = topXMax();
    if (before == nullptr || before->end != kEndOutput || node < outputX) return;
    const auto holdsContacts = [node](std::uint32_t y) {
        for (std::uint32_t x = draw.iBusLineStart; x < node; x += cellW())
            if ((x != ldrTail->xAddr || y != ldrTail->yAddr) && otherObjectStandsAt(x, y)) return true;
        return false;
    };
    while (holdsContacts(conv.Y)) conv.Y += cellH();
    conv.X = std::max(conv.X, node);
}

void coil(std::uint16_t code, std::uint32_t extra) {
    stLadderBlock& o = *ldrNow;
    o.objLbc = largeBlockId;
    o.iCode = code;
    convByteOffset = static_cast<std::int32_t>(
        basicInstrDecodeTable[code >> 12](static_cast<std::size_t>(convByteOffset)));
    cursorFromOpenSubBlock();
    followPredecessor();
    passRowsWithContacts(draw.iBusLineEnd - (extra + 1) * cellW());
    placeFromCursor(draw.iBusLineEnd - (extra + 1) * cellW(), extra);
    o.xMaxi = topXMax();
    o.end = kEndOutput;
    conv.X += (extra + 1) * cellW();
    wrapCursor();
}

void moveAscString(stLadderBlock& o, std::uint16_t word, std::uint16_t ascWord) {
    if (word != ascWord) return;
    setText(o.operands[1], textOf(o.operands[4]));
    setText(o.operands[4], std::string(15, ' '));
}

void application(std::uint16_t word, std::size_t slot, bool plainForm) {
    stLadderBlock& o = createObject(false);
    if (plainForm) o.flagByte2 |= kFlag2Application;
    o.setDFlag(false);
    o.setPFlag(false);
    convSbNo = 0;
    followPredecessor();
    // As every further output does, it passes the rows holding contacts left of its node.
    if (const std::optional<AppCode> app = splitAppCode(word)) {
        if (const AppInstruction* row = findAppInstruction(app->fnc))
            passRowsWithContacts(draw.iBusLineEnd -
                                 (static_cast<std::uint32_t>(extraCells(*row, app->wide)) + 1) * cellW());
    }
    o.end = kEndOutput;
    o.yTopPos = firstRowOfBlock(largeBlockId);
    o.objLbc = largeBlockId;
    o.xMaxi = topXMax();
    o.stepNo = convStepNo;
    o.iCode = word;
    o.mnemonic = {};
    if (slot < fncInstrDecodeTable.size())
        convByteOffset =
            static_cast<std::int32_t>(fncInstrDecodeTable[slot](static_cast<std::size_t>(convByteOffset)));
    conv.Y = o.yAddr + cellH();
    if (plainForm && standsAlone(word)) {
        ++largeBlockId;
        o.objLbc = largeBlockId;
        o.xMaxi = draw.iBusLineStart;
        takeEndRow(o);
        conv.Y = ldrTail->yAddr;
    }
    conv.X = draw.iBusLineStart;
    moveAscString(o, word, plainForm ? kAscWord : kAscWord + 0x1000);
}

// The cell left of and above the cursor, where an OR right after STL or RET would join. On the
// first row or at the bus it is taken on the grid's edge, never at a position that wraps around.
void pushStepBusCorner() {
    pushStart({conv.X >= cellW() ? conv.X - cellW() : 0, conv.Y >= cellH() ? conv.Y - cellH() : 0});
}

void writeLabel(std::uint16_t code, const std::string& text) {
    stLadderBlock& o = *ldrNow;
    o.iCode = code;
    setText(o.mnemonic, text);
    clearNewObjectText(1);
}

}  // namespace

bool standsAlone(std::uint16_t word) {
    switch (word) {
        case 0x014:
        case 0x016:
        case 0x018:
        case 0x01A:
        case 0x01C:
        case 0x020:
        case 0x022: return true;
        default: return false;
    }
}

// ---- Coils ----------------------------------------------------------------------------------------------

void convOutToLadder(std::uint16_t group) {
    stLadderBlock& o = createObject(true);
    o.stepNo = convStepNo;
    o.yTopPos = firstRowOfBlock(largeBlockId);
    convSbNo = 0;
    coil(group, 0);
}

void convSetRstToLadder(std::uint16_t group) {
    stLadderBlock& o = createObject(true);
    o.stepNo = convStepNo;
    o.yTopPos = firstRowOfBlock(largeBlockId);
    coil(group, 1);
}

void convOutTcToLadder(std::uint16_t word) {
    stLadderBlock& o = createObject(true);
    o.flagByte2 |= kFlag2TimerCounter;
    o.stepNo = convStepNo;
    o.yTopPos = firstRowOfBlock(largeBlockId);
    convSbNo = 0;
    o.objLbc = largeBlockId;
    o.end = kEndOutput;
    o.mnemonic = {};
    o.iCode = word < kCounterCode ? kTimerCode : kCounterCode;
    const std::uint32_t width = word > kLastSixteenBitCounter ? 2 : 1;
    followPredecessor();
    passRowsWithContacts(draw.iBusLineEnd - (width + 1) * cellW());
    placeObjectRightAligned(conv.X, conv.Y, width);
    conv.X = draw.iBusLineEnd;
    wrapCursor();
    o.xMaxi = topXMax();
    setText(o.mnemonic, "OUT");
    clearNewObjectText(1);
    convTcOperandText(static_cast<std::size_t>(convByteOffset), width);
    convStepNo += 2 * width + 1;
    convByteOffset += static_cast<std::int32_t>(4 * width);
}

void convTcOperandText(std::size_t offset, std::uint32_t width) {
    if (ldrNow == nullptr) return;
    std::int32_t w[5];
    for (std::size_t k = 0; k < 5; ++k) w[k] = programWordAt(offset + 2 * k);
    const bool timer = (w[0] >> 8) == 0x06 || (w[0] >> 8) == 0x07;
    setText(ldrNow->operands[0],
            timer ? "T" + std::to_string(w[0] - kTimerCode) : "C" + std::to_string(w[0] - kCounterCode));
    std::string value;
    if ((w[1] >> 8) == 0x80) {
        const auto byte = [&](int k) { return static_cast<std::uint32_t>(w[k] - 0x8000); };
        if (width < 2) {
            value = "K" + std::to_string(byte(2) * 256u + byte(1));
        } else {
            const std::uint32_t bits = byte(1) + (byte(2) << 8) + (byte(3) << 16) + (byte(4) << 24);
            value = "K" + std::to_string(static_cast<std::int32_t>(bits));
        }
    } else {
        const std::int32_t high = w[2] >> 8;
        std::int32_t number = 0;
        if (high == 0x80 || high == 0x86) {
            number = (w[1] - 0x8600 + (w[2] & 0xFF) * 256) / 2;
        } else {
            number = (w[1] + (w[2] - 0x8800) * 256 - 0x7E30) / 2;
        }
        value = "D" + std::to_string(number);
    }
    setText(ldrNow->operands[1], value);
}

void convTwoWordOutToLadder(std::uint16_t word) {
    stLadderBlock& o = createObject(true);
    convSbNo = 0;
    if (word == kMcrWord || word == kMcPairWord) ++largeBlockId;
    followPredecessor();
    // The two-word form of a coil goes where its one-word form would (Convert writes some coils so).
    passRowsWithContacts(draw.iBusLineEnd - (multiWordOutputExtra(word) + 1) * cellW());
    o.end = kEndOutput;
    o.Xend = draw.iBusLineEnd;
    o.xMaxi = topXMax();
    o.yTopPos = firstRowOfBlock(largeBlockId);
    o.objLbc = largeBlockId;
    o.stepNo = convStepNo;
    o.iCode = word;
    o.mnemonic = {};
    convByteOffset =
        static_cast<std::int32_t>(fncInstrDecodeTable[word](static_cast<std::size_t>(convByteOffset)));
    if (word == kMcrWord) {
        o.objLbc = largeBlockId;
        o.xMaxi = draw.iBusLineStart;
        takeEndRow(o);
        // The next rung, or a label or step in front of it, begins on the first free row.
        conv = {draw.iBusLineStart, ldrTail->yAddr};
    } else {
        conv = {draw.iBusLineEnd, o.yAddr};
    }
    if (conv.X >= draw.iBusLineEnd) conv = {draw.iBusLineStart, conv.Y + cellH()};
}

void convFncToLadder(std::uint16_t word) {
    application(word, word & 0xFFFEu, true);
}

void convFncPulseToLadder(std::uint16_t word) {
    application(word, (word - 0x1000u) & 0xFFFEu, false);
}

// ---- Step ladder ----------------------------------------------------------------------------------------

void convStlToLadder(std::uint16_t word) {
    convPulseFlag = convDFlag = 0;
    stLadderBlock& o = createObject(true);
    convSbNo = 0;
    const stLadderBlock* before = predecessor();
    if (before == nullptr || before->iCode != kStlStepCode) {
        stlBusOffset = cellW();
        ++largeBlockId;
    } else {
        stlBusOffset += cellW();
    }
    o.end = kEndContact;
    o.yTopPos = 0;
    o.stepNo = convStepNo;
    o.objLbc = largeBlockId;
    conv.Y = std::max(conv.Y, ldrTail->yAddr);
    o.xAddr = conv.X + stlBusOffset - cellW();
    o.yAddr = conv.Y;
    o.Xend = o.xMaxi = o.xAddr + cellW();
    o.iCode = word;
    o.mnemonic = {};
    convByteOffset =
        static_cast<std::int32_t>(basicInstrDecodeTable[0xF](static_cast<std::size_t>(convByteOffset)));
    if (conv.X >= draw.iBusLineEnd) conv = {draw.iBusLineStart, conv.Y + cellH()};
    pushStepBusCorner();
    pushNext({conv.X, conv.Y});
    pushXMax(o.xMaxi);
}

void convRetToLadder(std::uint16_t word) {
    stLadderBlock& o = createObject(true);
    ++largeBlockId;
    convSbNo = 0;
    o.end = kEndOutput;
    o.yTopPos = 0;
    o.stepNo = convStepNo;
    o.objLbc = largeBlockId;
    o.xMaxi = draw.iBusLineStart;
    o.xAddr = conv.X;
    conv.Y = o.yAddr = ldrTail->yAddr;
    moveEndDown();
    o.iCode = word;
    o.mnemonic = {};
    convByteOffset =
        static_cast<std::int32_t>(basicInstrDecodeTable[0xF](static_cast<std::size_t>(convByteOffset)));
    placeObjectRightAligned(conv.X, o.yAddr, 0);
    conv = {draw.iBusLineStart, conv.Y + cellH()};
    pushStepBusCorner();
    pushNext({conv.X, conv.Y});
    pushXMax(conv.X + cellW());
}

// ---- Labels ---------------------------------------------------------------------------------------------

void newLabelObject() {
    stLadderBlock& o = createObject(false);
    o.setDFlag(false);
    o.setPFlag(false);
    o.stepNo = convStepNo;
    o.objLbc = largeBlockId + 1;
    o.xAddr = conv.X - cellW();
    // The label stands on the row of the rung it begins: END's, the first below every row used so far
    // (a rung that went on from an output may have used rows further down than the last one it drew).
    conv.Y = ldrTail->yAddr;
    o.yAddr = conv.Y;
    o.Xend = o.xAddr + cellW();
    o.xMaxi = conv.X;
}

void convLabelIText(std::uint16_t word) {
    writeLabel(0xB000, "I" + std::to_string(word - 0xB800));
}

void convLabelPText(std::uint16_t word) {
    writeLabel(0xB000, "P" + std::to_string(word - 0xB000));
}

void convLabelPHighText(std::uint16_t word, std::int32_t high) {
    writeLabel(0xB100, "P" + std::to_string((word - 0xB100) + high));
}

// ---- The output, step and label families as the load meets them --------------------------------------

namespace {

std::uint16_t groupOf(std::uint16_t code) {
    return static_cast<std::uint16_t>(code & 0xF000u);
}

// An output placed: the rung goes on from its node, which is a branch point of its rung.
void afterOutput(void (*updateMpY)()) {
    markBranchPoint();
    rung() = RungState::AfterOutput;
    readerState.rungHasOutput = true;
    updateMpY();
    requireRowOnCanvas(ldrNow->yAddr);
    setNowOutputCells();
    pushEndObjectDown();
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

void placeLabel(std::uint16_t code) {
    newLabelObject();
    markPlacedCell(kCellLabel);
    if (code >= 0xB800) {
        convLabelIText(code);
    } else if (isTwoWordLabelWord(code)) {
        const std::int32_t second = programWordAt(static_cast<std::size_t>(convByteOffset) + 2);
        convLabelPHighText(code, (second - 0xB200) * 256);
        convStepNo += 1;
        convByteOffset += 2;
    } else {
        convLabelPText(code);
    }
    convStepNo += 1;
}

void placeApplication(std::uint16_t code) {
    convPulseFlag = code & 0x1000u;
    convDFlag = code & 1u;
    if (convPulseFlag != 0)
        convFncPulseToLadder(code);
    else
        convFncToLadder(code);
    afterOutput(updateMpYAfterOutput);
}

}  // namespace

void placeOutWord(std::uint16_t code) {
    requireOutputCondition(code);
    convOutToLadder(groupOf(code));
    afterOutput(updateMpYAfterCoil);
}

void placeSetRstWord(std::uint16_t code) {
    requireOutputCondition(code);
    convSbNo = 0;
    convSetRstToLadder(groupOf(code));
    afterOutput(updateMpYAfterCoil);
}

void placeTimerCounterWord(std::uint16_t code) {
    requireOutputCondition(code);
    convOutTcToLadder(code);
    afterOutput(updateMpYAfterOutput);
}

void placeTwoWordOutputWord(std::uint16_t code) {
    const bool masterControl = code == kMcWord || code == kMcPairWord;
    // A master control stands at the left bus: a step's rungs stand on the step's bus.
    requireRung(code, (!masterControl && code != kMcrWord) || (convBlockFlags & kBlockFlagStlOpen) == 0,
                "a master control inside a step");
    if (code == kMcrWord)
        requireRungEnded(code);
    else
        requireRung(code,
                    rung() == RungState::Contacts || rung() == RungState::AfterOutput ||
                        (!masterControl && rung() == RungState::StepBus),
                    "an output with no contacts in front of it");
    convTwoWordOutToLadder(code);
    afterOutput(updateMpYAfterOutput);
    // MC begins the rungs it controls and MCR ends them: a rung after either begins at the bus.
    if (masterControl || code == kMcrWord) rung() = RungState::None;
}

void placeApplicationWord(std::uint16_t code) {
    // The other forms of those numbers are placed as outputs, but need no contact either.
    if (standsAlone(code))
        requireRungEnded(code);
    else if (!standsAlone(static_cast<std::uint16_t>(code & 0xEFFEu)))
        requireOutputCondition(code);
    placeApplication(code);
    if (standsAlone(code)) rung() = RungState::None;
}

void placeStlWord(std::uint16_t code) {
    requireOutputBeforeBusStart(code);
    requireRungEnded(code);
    convBlockFlags |= kBlockFlagStlOpen;
    convStlToLadder(code);
    rung() = RungState::StepBus;
    readerState.rungHasContact = false;
    markPlacedCell(kCellStl);
}

void placeRetWord(std::uint16_t code) {
    requireOutputBeforeBusStart(code);
    requireRungEnded(code);
    convBlockFlags &= static_cast<std::uint8_t>(~kBlockFlagStlOpen);
    stlBusOffset = 0;
    convRetToLadder(code);
    afterOutput(updateMpYAfterOutput);
    conv.Y = ldrTail->yAddr;
    rung() = RungState::None;
}

void placeLabelWord(std::uint16_t code) {
    // A label begins the rung after it: the one before ends here. Two labels would stand in the
    // one label cell of that rung.
    requireRungEnded(code);
    requireRung(code, ldrTail->prev == nullptr || !isLabelCode(ldrTail->prev->iCode),
                "a label right after a label");
    // The rungs of a step stand on its bus, right of the label column.
    requireRung(code, (convBlockFlags & kBlockFlagStlOpen) == 0, "a label inside a step");
    placeLabel(code);
    rung() = RungState::None;
}

}  // namespace kestrion
