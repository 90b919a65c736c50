#include "compiler/AnbOrbInsertion.h"

#include <array>
#include <string>

#include "compiler/CompilerState.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"

namespace kestrion {

using namespace compile;

namespace {

constexpr std::size_t kPendingSlots = 16;

std::string num(std::uint32_t value) {
    return std::to_string(value);
}

// One call: the pending LD groups, the flags that allow a join after the current object, and
// the reference object of the consecutive ANB test.
class AnbOrbPass {
public:
    explicit AnbOrbPass(std::uint32_t blockId) : blockId_(blockId) {}

    void run() {
        if (ldrHead == nullptr) return;
        clearCompileVirtualArray();
        endY_ = getEndObjectY();
        stLadderBlock* first = firstOfBlockOrBelow(blockId_, endY_);
        if (first == nullptr || first->yAddr >= endY_) return;
        yLimit_ = lastUsedY(first->xAddr, row(first->yAddr));
        for (stLadderBlock* p = first; p != nullptr && p->objLbc == blockId_ && p->yAddr < endY_; p = p->next)
            p = visit(p);
    }

private:
    stLadderBlock* a0() const { return pending_[0]; }
    stLadderBlock* a1() const { return pending_[1]; }

    // Returns the object the visit ended on (an ANB or ORB it inserted, or p).
    stLadderBlock* visit(stLadderBlock* p) {
        consecutive_ = false;
        anbFlag_ = orbFlag_ = false;
        const std::int64_t c = col(p->xAddr), r = row(p->yAddr);
        if (!isBlockJoint(p->iCode)) markCompile(c, r);
        // The frame and panel 13 followed every object here; nothing is drawn before Convert ends
        // and puts the frame back at the cursor, so they are set only where the pass stops.
        redrawFlags |= kRedrawFrame;
        const char own = cell(c, r);
        if ((own == kCellOutput || own == kCellOutputTail) && pendingCount_ >= 2) stopAtOutput(*p);
        const std::int32_t code = p->iCode;
        if (isOrTypeCode(code)) {
            lastOrLd_ = lastContact_ = p;
            setFlags(true, false);
            saveFlags();
        } else if (isAndTypeCode(code)) {
            if (a0() != nullptr) a0()->orbXaddr = p->Xend;
            setFlags(false, true);
            lastContact_ = p;
            saveFlags();
        } else if (isNopCode(code)) {
            visitNop(*p);
        } else if (isLoadTypeCode(code)) {
            lastContact_ = lastOrLd_ = p;
        }
        if (pendingCount_ >= 2 && !isLoadTypeCode(code)) joinTest(p, c, r);
        if (pendingCount_ < 2) bb_ = nullptr;
        p = consecutivePlacements(p);
        if (isLoadTypeCode(p->iCode)) pushGroup(p);
        return p;
    }

    void visitNop(stLadderBlock& p) {
        if (a0() != nullptr) a0()->orbXaddr = p.Xend;
        if (lastContact_ != nullptr &&
            (isOrTypeCode(lastContact_->iCode) || isAndTypeCode(lastContact_->iCode)))
            setFlags(savedAnb_, savedOrb_);
        if (p.prev != nullptr && p.prev->iCode == kCodeAnb) setFlags(false, true);
        if (p.prev != nullptr && p.prev->iCode == kCodeOrb) setFlags(true, false);
        saveFlags();
    }

    void setFlags(bool anb, bool orb) {
        anbFlag_ = anb;
        orbFlag_ = orb;
    }

    void saveFlags() {
        savedAnb_ = anbFlag_;
        savedOrb_ = orbFlag_;
    }

    // Past NOP elements along the rung to the right end, where a link may rise.
    void joinTest(stLadderBlock* p, std::int64_t c, std::int64_t r) {
        std::int64_t k = 0;
        while (cell(c + k + 2, r) == kCellNop && cell(c + k, r) != kCellOutput &&
               cell(c + k + 1, r - 1) != kCellLink)
            k += 2;
        if (cell(c + k + 1, r - 1) != kCellLink) {
            trace("no link rises at the end of the rung");
            return;
        }
        if (a0()->xAddr == a1()->xAddr)
            firstOrb(p);
        else
            firstAnb(p);
    }

    void firstOrb(stLadderBlock* p) {
        if (!orbFlag_ || a0()->orbXaddr != a1()->orbXaddr) {
            trace("ORB refused: not after a series contact, or the chains end apart");
            return;
        }
        insert(p, true, p->Xend + 2 * (ModeData.xSizeSymble / 8), a0()->yAddr);
        setFlags(true, false);
        if (bb_ == nullptr || a0()->yAddr >= bb_->yAddr) bb_ = a0();
        while (bb_->yAddr < yLimit_ && bb_->next != nullptr && isOrTypeCode(bb_->next->iCode))
            bb_ = bb_->next;
        popGroup();
    }

    // The column below an object continues down through a left-down link into an element.
    bool columnContinuesDown(bool freeBelow) const {
        for (std::uint32_t y = lastOrLd_->yAddr; y < yLimit_; y += cellHeight()) {
            const std::int64_t c = col(lastOrLd_->xAddr), r = row(y);
            if (freeBelow) return false;
            if (cell(c, r + 2) == kCellContact && cell(c - 1, r + 1) == kCellLink) return true;
            if (cell(c - 1, r + 1) == kCellBlank) return false;
            if (cellHeight() == 0) break;
        }
        return false;
    }

    bool freeBelowLastOrLd() const {
        const std::uint32_t x = lastOrLd_->xAddr;
        for (std::uint32_t y = lastOrLd_->yAddr; y < yLimit_; y += cellHeight()) {
            const std::int64_t c = col(x), r = row(y);
            if (cell(c - 1, r + 1) == kCellBlank) return true;
            if (cell(c, r + 2) == kCellContact)
                return isPosOutsideBlock(lastOrLd_->xAddr, lastOrLd_->yAddr, x, y + ModeData.ySizeSymble);
            if (cellHeight() == 0) break;
        }
        return false;
    }

    void firstAnb(stLadderBlock* p) {
        showStatus(" A.x=" + num(p->xAddr) + " A.y=" + num(p->yAddr) + " a0.x=" + num(a0()->xAddr) +
                   " a0.y=" + num(a0()->yAddr) + " a1.x=" + num(a1()->xAddr) + " a1.y=" + num(a1()->yAddr));
        if (!anbFlag_ || lastOrLd_ == nullptr) {
            trace("ANB refused: not after a parallel contact");
            return;
        }
        // The column of the last OR or LD is the later group's own only while no group nested in it
        // has been joined since: the later group's column is looked at as well, below the last OR
        // or LD when that stands in it (the elements above it there are passed).
        const bool ownColumn = col(lastOrLd_->xAddr) == col(a0()->xAddr) && lastOrLd_->yAddr >= a0()->yAddr;
        if (columnContinuesDown(freeBelowLastOrLd()) || !anbAllowedBelow(ownColumn ? lastOrLd_ : a0())) {
            trace("ANB refused: the column goes on down into a later element");
            return;
        }
        insert(p, false, p->Xend + ModeData.xSizeSymble / 8, a0()->yAddr);
        a1()->orbXaddr = a0()->orbXaddr;
        setFlags(false, true);
        showStatus("iLdNoPointer=" + std::to_string(pendingCount_));
        bb_ = a1();
        while (bb_->yAddr < yLimit_) {
            const std::int64_t c = col(bb_->xAddr), r = row(bb_->yAddr);
            if (cell(c - 1, r + 1) != kCellLink || cell(c, r + 2) != kCellContact ||
                compileCell(c, r + 2) != '1')
                break;
            if (!searchLadderObject(kSearchMain, static_cast<std::uint32_t>(c) * halfWidth(),
                                    static_cast<std::uint32_t>(r + 2) * halfHeight()))
                break;
            bb_ = ldrSearch;
        }
        popGroup();
    }

    stLadderBlock* consecutivePlacements(stLadderBlock* p) {
        while (consecutive_ && pendingCount_ >= 2) {
            consecutive_ = false;
            p = p->next;
            if (a0()->xAddr == a1()->xAddr) {
                if (!orbFlag_ || a0()->orbXaddr != a1()->orbXaddr) break;
                insert(p, true, p->xAddr + 2 * (ModeData.xSizeSymble / 8), p->yAddr);
                setFlags(true, false);
                popGroup();
            } else {
                if (!anbFlag_ || !anbAllowedBelow(bb_)) break;
                insert(p, false, p->xAddr + ModeData.xSizeSymble / 8, p->yAddr);
                a1()->orbXaddr = a0()->orbXaddr;
                setFlags(false, true);
                popGroup();
            }
        }
        return p;
    }

    // The later group must not go on down its column into a branch still to come before the output:
    // one that rejoins further right belongs to it, and the ANB has to wait for its OR or ORB. An
    // element below that the pass has already passed is a branch of a group already joined into it
    // (an OR behind its own series contacts, a group nested in it): the column goes on below it.
    bool anbAllowedBelow(const stLadderBlock* from) const {
        if (from == nullptr) return true;
        for (std::uint32_t y = from->yAddr; y < yLimit_; y += cellHeight()) {
            const std::int64_t c = col(from->xAddr), r = row(y);
            if (cell(c - 1, r + 1) == kCellLink && cell(c, r + 2) == kCellContact &&
                compileCell(c, r + 2) != '1') {
                // One that comes after the output is no part of what the output reads.
                if (isPosOutsideBlock(from->xAddr, from->yAddr, from->xAddr, y + ModeData.ySizeSymble))
                    return true;
                for (std::uint32_t x = from->xAddr; x < draw.iBusLineEnd && cellWidth() > 0; x += cellWidth())
                    if (cell(col(x) + 1, r + 1) == kCellLink) return false;
                return true;
            }
            if (cell(c - 1, r + 1) == kCellBlank) return true;
            if (cellHeight() == 0) break;
        }
        return true;
    }

    void insert(stLadderBlock* after, bool isOrb, std::uint32_t x, std::uint32_t y) {
        ldrNow = after;
        insertAnbOrbInstruction(1, isOrb, x, y, after->objLbc, after->yTopPos, after->stepNo,
                                isOrb ? "AddAnbOrbByBlock ORB" : "AddAnbOrbByBlock ANB");
        trace(std::string(isOrb ? "ORB" : "ANB") + " after " + num(after->xAddr) + "," + num(after->yAddr));
    }

    void pushGroup(stLadderBlock* p) {
        ++pendingCount_;
        p->orbXaddr = p->Xend;
        for (std::size_t i = kPendingSlots - 1; i > 0; --i) pending_[i] = pending_[i - 1];
        pending_[0] = p;
        if (pendingCount_ >= kPendingSlots) {
            setBlueFrameObject(p->xAddr, p->yAddr);
            showStatus("StackOverflow error...system halt");
            stopConversion("Error2014121002...", "*AddAnbOrb");
        }
    }

    void popGroup() {
        for (std::size_t i = 0; i + 1 < kPendingSlots; ++i) pending_[i] = pending_[i + 1];
        pending_[kPendingSlots - 1] = nullptr;
        --pendingCount_;
        if (pendingCount_ >= 2) consecutive_ = true;
    }

    [[noreturn]] void stopAtOutput(const stLadderBlock& p) {
        setBlueFrameObject(p.xAddr, p.yAddr);
        platform::statusBar().setPanelText(0, "ANB&ORB error...system halt");
        showStatus("LBC=" + num(p.objLbc) + " StepNo=" + num(p.stepNo) + "(X,Y)=" + num(p.xAddr) + "," +
                   num(p.yAddr));
        stopConversion("*ANB&ORB error...system halt", "Error2014121001");
    }

    std::uint32_t blockId_;
    std::uint32_t endY_ = 0;
    std::uint32_t yLimit_ = 0;
    std::array<stLadderBlock*, kPendingSlots> pending_{};
    std::size_t pendingCount_ = 0;
    bool anbFlag_ = false, orbFlag_ = false, savedAnb_ = false, savedOrb_ = false;
    bool consecutive_ = false;
    stLadderBlock* lastContact_ = nullptr;
    stLadderBlock* lastOrLd_ = nullptr;
    stLadderBlock* bb_ = nullptr;
};

}  // namespace

void AddAnbOrbByBlock(std::uint32_t blockId) {
    AnbOrbPass(blockId).run();
}

}  // namespace kestrion
