#include "editor/LineCells.h"

#include <array>
#include <string>
#include <vector>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/BlockNumbering.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kPassCaption = "*Modify_xBlockAddr";

struct LabelLine {
    const stLadderBlock* label;
    std::uint32_t y;
};

std::vector<LabelLine> labelLines() {
    std::vector<LabelLine> labels;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (isLabelCode(o->iCode)) labels.push_back({o, o->yAddr});
    return labels;
}

// A label left alone on its line (a paste put the rung after it below) is moved onto that rung's
// line by the output-row pass; its cell goes with it, as the view draws the label where it is now.
void moveCellsOfMovedLabels(const std::vector<LabelLine>& labels) {
    for (const LabelLine& line : labels) {
        const stLadderBlock& label = *line.label;
        if (label.yAddr == line.y || canvasCellAt(label.xAddr, line.y) != kCellLabel ||
            canvasCellAt(label.xAddr, label.yAddr) != kCellBlank)
            continue;
        putCanvasCellAt(label.xAddr, line.y, kCellBlank);
        putCanvasCellAt(label.xAddr, label.yAddr, kCellLabel);
    }
}

// The open LD objects of a block, the top first: the object the next OR joins.
class OpenLdStack {
public:
    stLadderBlock* top() const { return entries_[0]; }
    // False when the push filled the bottom place (the oldest open LD is dropped next time).
    bool push(stLadderBlock* object) {
        for (std::size_t i = kDepth - 1; i > 0; --i) entries_[i] = entries_[i - 1];
        entries_[0] = object;
        return entries_[kDepth - 1] == nullptr;
    }
    void replaceTop(stLadderBlock* object) { entries_[0] = object; }
    void dropSecond() { removeAt(1); }
    void pop() { removeAt(0); }
    void clear() { entries_ = {}; }

private:
    static constexpr std::size_t kDepth = 16;
    void removeAt(std::size_t at) {
        for (std::size_t i = at; i + 1 < kDepth; ++i) entries_[i] = entries_[i + 1];
        entries_[kDepth - 1] = nullptr;
    }
    std::array<stLadderBlock*, kDepth> entries_{};
};

// The walk of Modify_xBlockAddr over the objects of one block after another: the open LDs of the
// block, how many LDs it has opened, and whether it is a step's (its open LDs end at every output).
class BlockEdgeWalk {
public:
    explicit BlockEdgeWalk(bool stlBlock) : stlBlock_(stlBlock) {}

    void startBlock(const stLadderBlock& first) {
        open_.clear();
        ldCount_ = 0;
        stlBlock_ = isStlPageCode(first.iCode);
    }

    // Sets the edge of o and of the LDs its kind closes; false when the walk stops there (an OR with
    // no open LD under it).
    bool take(stLadderBlock& o, std::uint32_t eighth) {
        if (isLoadTypeCode(o.iCode)) openLd(o);
        if (isAndTypeCode(o.iCode) || isNopCode(o.iCode)) {
            o.xBlockAddr = o.xAddr;
            open_.replaceTop(&o);
        }
        if (isOrTypeCode(o.iCode)) {
            if (open_.top() == nullptr) return false;
            o.xBlockAddr = open_.top()->xAddr;
        }
        // A join with no open LD under it has nothing to set.
        if (o.iCode == kCodeAnb) joinInSeries(o, eighth);
        if (o.iCode == kCodeOrb) joinInParallel(o, eighth);
        if (o.end == kEndOutput) endAtOutput(o);
        return true;
    }

private:
    void openLd(stLadderBlock& o) {
        ++ldCount_;
        o.xBlockAddr = o.xAddr;
        const bool room = open_.push(&o);
        platform::statusBar().setPanelText(
            0, std::to_string(o.stepNo) + "," + textOf(o.mnemonic) + "," + std::to_string(ldCount_));
        if (!room) {
            platform::statusBar().setPanelText(13, "StackOverflow...system halt");
            platform::say({"Error2014122002...[LD]TooMuch...", kPassCaption, platform::MsgIcon::Error});
        }
    }

    void joinInSeries(const stLadderBlock& o, std::uint32_t eighth) {
        --ldCount_;
        if (open_.top() == nullptr) return;
        open_.top()->xBlockAddr = o.xAddr - eighth;
        open_.dropSecond();
    }

    void joinInParallel(const stLadderBlock& o, std::uint32_t eighth) {
        --ldCount_;
        if (open_.top() == nullptr) return;
        open_.top()->xBlockAddr = o.xAddr - 2 * eighth;
        open_.pop();
        if (open_.top() != nullptr) open_.top()->xBlockAddr = o.xAddr - 2 * eighth;
    }

    void endAtOutput(stLadderBlock& o) {
        if (stlBlock_) {
            open_.clear();
            ldCount_ = 0;
        }
        o.xBlockAddr = o.prev != nullptr ? o.prev->xBlockAddr : draw.iBusLineStart;
    }

    OpenLdStack open_;
    int ldCount_ = 0;
    bool stlBlock_;
};

}  // namespace

void ModifyHLineToVirtualCanvas() {
    platform::trace().clear(platform::Memo::Debug3);
    platform::trace().append(platform::Memo::Debug3, "*ModifyHLineToVirtualCanvas");
    platform::trace().append(platform::Memo::Debug3, "**Start**");
    requestLadderRedraw();
    removeEmptyObjects();
    checkFncSymbols();
    const std::vector<LabelLine> labels = labelLines();
    setBlockOutputRow();
    moveCellsOfMovedLabels(labels);
    Modify_xBlockAddr();
    // The passes below only add objects: the searches by position may use the index.
    const PositionIndexScope index;
    AddHnopBetweenAnbOrb();
    AddHnopBehindOR();
    AddHnopBehindAND();
    AddHnopBehindLD();
    InsertYNopBeforeEndSymbleB();
    ModifyVLineToVirtualCanvas();
}

void Modify_xBlockAddr() {
    if ((editModeFlags & kEditPasteRunning) != 0) return;
    if (ldrHead == nullptr) return;
    const bool stlFirst = isStlPageCode(ldrHead->iCode);
    if (stlFirst) platform::say({kStlFirstNotice, kPassCaption, platform::MsgIcon::Error});
    BlockEdgeWalk walk(stlFirst);
    const std::uint32_t eighth = ModeData.xSizeSymble / 8;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->prev != nullptr && o->prev->objLbc != o->objLbc) walk.startBlock(*o);
        if (!walk.take(*o, eighth)) return;
    }
}

}  // namespace kestrion
