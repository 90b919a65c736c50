#include "reader/MachineCodeLoader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>
#include <utility>
#include <vector>

#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/instructions/Conversions.h"
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
#include "platform/Box.h"
#include "platform/ProgressStep.h"
#include "platform/Services.h"
#include "reader/ContactPlacement.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/OutputPlacement.h"
#include "reader/PlacementSupport.h"
#include "reader/RungRules.h"
#include "reader/StackPlacement.h"

namespace kestrion {

using namespace placement;

std::uint32_t& loaderStartX = readerState.loaderStartX;

namespace {

constexpr int kProgressEnd = 100;

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

[[noreturn]] void stopAtUndefinedWord(std::uint16_t /*w*/) {
    status(0, "StepNo" + std::to_string(convStepNo) + "," +
                  hexText(static_cast<std::uint32_t>(convByteOffset), 4));
    stopLoad("Error2018051090...", "NoThisInstructionError...Ladder Conversion...",
             platform::MsgIcon::Information);
}

// "Step<n>:<code>" (the code in four hexadecimal digits) on panel 0, made in place: the load shows
// it at every word it reads.
void showStepStatus(std::uint32_t step, std::uint16_t code) {
    std::array<char, 24> text{'S', 't', 'e', 'p'};
    char* at = std::to_chars(text.data() + 4, text.data() + text.size(), step).ptr;
    *at++ = ':';
    for (int shift = 12; shift >= 0; shift -= 4) *at++ = hexDigit(static_cast<unsigned>(code >> shift));
    status(0, std::string(text.data(), at));
}

// A code of no form the tables carry has no decoder that could show it (an operand word has a
// message of its own).
bool beginsNoInstruction(std::uint16_t w) {
    return !isOperandWord(w) && instructionLength(w) == 0;
}

void passOver(std::uint16_t /*w*/) {}

// ---- The families of a program word ----------------------------------------------------------------
//
// Each word goes to the first family whose test takes it; the family refuses it where the words
// before leave no place for it, or places it. A word no family takes has no instruction.

struct Family {
    bool (*takes)(std::uint16_t w);
    void (*place)(std::uint16_t w);
};

// A family test as a row holds it, whatever type of code it is declared with.
template <auto test>
bool takes(std::uint16_t w) {
    return test(w);
}

// The order matters where ranges overlap: the contact forms 0x1C2-0x1FD and 0x11D0-0x11FD lie among
// the application codes, and a code of no form the tables carry must not reach a placer.
constexpr Family kFamilies[] = {
    {takes<isPlaceholderWord>, passOver},  // no object, no step
    {beginsNoInstruction, stopAtUndefinedWord},
    {takes<isLoadTypeCode>, placeLdWord},
    {takes<isAndTypeCode>, placeAndWord},
    {takes<isOrTypeCode>, placeOrWord},
    {takes<isBlockJoint>, placeJoinWord},
    {takes<isStlWord>, placeStlWord},
    {takes<isStackJoint>, placeStackWord},
    {takes<isOperandWord>, stopAtOperandWord},
    {takes<isLabelWord>, placeLabelWord},
    {takes<isOutWord>, placeOutWord},
    {takes<isSetRstWord>, placeSetRstWord},
    {takes<isRetCode>, placeRetWord},
    {takes<isTimerCounterOutput>, placeTimerCounterWord},
    {takes<isTwoWordOutput>, placeTwoWordOutputWord},
    {takes<isApplicationCode>, placeApplicationWord},
};

constexpr std::size_t kNoFamily = std::size(kFamilies);
constexpr std::uint8_t kNotYet = 0xFF;  // a word no load has met yet
static_assert(kNoFamily < kNotYet, "a family index fits a byte beside the mark of one not yet known");

std::uint8_t firstFamilyTaking(std::uint16_t w) {
    std::size_t family = 0;
    while (family < kNoFamily && !kFamilies[family].takes(w)) ++family;
    return static_cast<std::uint8_t>(family);
}

// The family of a 16-bit word, worked out from the list the first time a load meets the word (a load
// asks it for every word of the program; a program holds few different words).
std::size_t familyOf(std::uint16_t w) {
    static std::array<std::uint8_t, 0x10000> families = [] {
        std::array<std::uint8_t, 0x10000> none{};
        none.fill(kNotYet);
        return none;
    }();
    std::uint8_t& family = families[w];
    if (family == kNotYet) family = firstFamilyTaking(w);
    return family;
}

void dispatch(std::uint16_t w) {
    const std::size_t family = familyOf(w);
    if (family == kNoFamily) stopAtUndefinedWord(w);
    kFamilies[family].place(w);
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
    platform::say(
        {"Step00 isn't endInstr...Ladder Conversion...", "Error2018031060", platform::MsgIcon::Information});
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
        showStepStatus(convStepNo, convInstrCode);
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
