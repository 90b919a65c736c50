#include "compiler/MpsInsertion.h"

#include <algorithm>
#include <string>

#include "compiler/CompilerState.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

using namespace compile;

namespace {

constexpr const char* kMpsCaption = "*AddMpsMrdMppByBlock";

bool isOutput(const stLadderBlock* o) {
    return o != nullptr && o->end == kEndOutput;
}

bool isFree(std::int64_t c, std::int64_t r) {
    return compileCell(c, r) == kCellBlank;
}

bool isElementOrJoint(char value) {
    return value == kCellContact || value == kCellJoint;
}

std::int64_t colOf(const stLadderBlock* o) {
    return col(o->xAddr);
}

std::int64_t rowOf(const stLadderBlock* o) {
    return row(o->yAddr);
}

std::uint32_t xOfColumn(std::int64_t c) {
    return static_cast<std::uint32_t>(std::max<std::int64_t>(c, 0)) * halfWidth();
}

stLadderBlock* headOfBlock(std::uint32_t jLbc, std::uint32_t endY) {
    return firstOfBlockOrBelow(jLbc, endY);
}

stLadderBlock* objectAt(std::int64_t c, std::int64_t r) {
    if (c < 0 || r < 0) return nullptr;
    return objectStandingAt(xOfColumn(c), static_cast<std::uint32_t>(r) * halfHeight());
}

// In list order the object at (c1, r1) comes before the object at (c2, r2).
bool comesBefore(std::int64_t c1, std::int64_t r1, std::int64_t c2, std::int64_t r2) {
    const stLadderBlock* first = objectAt(c1, r1);
    if (first == nullptr) return false;
    const stLadderBlock* second = objectAt(c2, r2);
    for (const stLadderBlock* o = first->next; o != nullptr && second != nullptr; o = o->next)
        if (o == second) return true;
    return false;
}

}  // namespace

void MpsAnchorStack::push(stLadderBlock* anchor) {
    if (size_ == kDepth)
        stopConversion(
            "MPS nesting deeper than " + std::to_string(kDepth) + " levels: the ladder cannot be converted.",
            kMpsCaption);
    anchors_[size_++] = anchor;
}

void MpsAnchorStack::pop() {
    if (size_ > 0) anchors_[--size_] = nullptr;
}

std::int32_t countDiscontinuousOutputs(std::uint32_t jLbc, std::uint32_t endYpos) {
    const std::int64_t bus = leftBusColumn();
    const stLadderBlock* a = headOfBlock(jLbc, endYpos);
    if (a == nullptr) return 0;
    std::int32_t count = 0;
    std::int64_t remembered = bus;
    const stLadderBlock* previous = nullptr;
    for (const stLadderBlock* o = a; o != nullptr && o->objLbc == a->objLbc; o = o->next) {
        if (!isOutput(o)) continue;
        const std::int64_t c = colOf(o), r = rowOf(o);
        if (o->yAddr == a->yAddr) {
            for (std::int64_t v = c; v > bus; v -= 2)
                if (cell(v - 1, r + 1) == kCellLink) {
                    remembered = v;
                    ++count;
                    trace("case 1-0");
                    break;
                }
            previous = o;
            continue;
        }
        for (std::int64_t v = c; v > bus; v -= 2) {
            showStatus("QBusLineStart=" + std::to_string(draw.iBusLineStart));
            if (cell(v - 1, r - 1) != kCellLink) continue;
            if (v > remembered) {
                for (std::int64_t above = r - 2; above > rowOf(a); above -= 2)
                    if (cell(v, above) == kCellContact && cell(v - 1, above + 1) == kCellLink) {
                        ++count;
                        break;
                    }
                trace("case 2-2/2-3");
                remembered = v;
                break;
            }
            if (v < remembered) {
                trace("case 2-6");
                ++count;
                remembered = v;
                break;
            }
            // the output above on this column: after a contact or straight from the branch ('#')
            if (previous != nullptr && isElementOrJoint(cell(v, rowOf(previous)))) {
                trace("case 2-4");
                ++count;
                markCompile(colOf(previous), rowOf(previous), kCellBlank);
                break;
            }
            if (cell(v, r) == kCellContact) {
                trace("case 2-5-1");
                if (previous != nullptr) markCompile(c, rowOf(previous));
                continue;
            }
            trace("case 2-5-2");
            markCompile(c, r);
            break;
        }
        previous = o;
    }
    return count;
}

void _presetMpsConditionByBlock(std::uint32_t jLbc, std::uint32_t endYpos) {
    const std::int64_t bus = leftBusColumn();
    const stLadderBlock* a = headOfBlock(jLbc, endYpos);
    if (a == nullptr) return;
    markCompile(0, 0, 'o');
    for (const stLadderBlock* b = a->next; b != nullptr && b->prev->objLbc == a->objLbc; b = b->next) {
        if (!isOutput(b)) continue;
        if (b->next == nullptr || b->next->objLbc != a->objLbc) return;
        const stLadderBlock* next = b->next;
        while (next != nullptr && next->objLbc == a->objLbc &&
               !(isOutput(next) && isFree(colOf(next), rowOf(next))))
            next = next->next;
        const std::int64_t nextRow = next != nullptr ? rowOf(next) : row(endYpos);
        const std::int64_t r = rowOf(b);
        for (std::int64_t v = colOf(b); v > bus; v -= 2) {
            if (cell(v - 1, r + 1) != kCellLink || cell(v, r) != kCellContact || !isFree(v, r)) continue;
            if (cell(v, nextRow) == kCellBlank) continue;
            for (std::int64_t t = nextRow - 1;; t += 2) {
                if (cell(v - 1, t) == kCellBlank) {
                    trace("case 0-1-1");
                    markCompile(v, r);
                    break;
                }
                if (cell(v + 1, t) != kCellLink) break;
            }
        }
    }
}

namespace {

// One call of the MPS pass over one block, in its five layers.
class MpsPass {
public:
    explicit MpsPass(std::uint32_t jLbc) : jLbc_(jLbc) {}

    void run() {
        if (ldrHead == nullptr) return;
        endY_ = getEndObjectY();
        stLadderBlock* head = headOfBlock(jLbc_, endY_);
        if (head == nullptr || head->next == nullptr || head->next->objLbc != head->objLbc ||
            head->yAddr >= endY_)
            return;
        startX_ = std::max(head->xAddr, draw.iBusLineStart);
        lastRow_ = lastUsedRow(startX_, rowOf(head));
        bottomY_ = lastUsedY(startX_, rowOf(head));
        const std::int32_t discontinuous = countDiscontinuousOutputs(jLbc_, endY_);
        if (discontinuous <= 1) return;
        showStatus("Block高度 Z,jLbc=" + std::to_string(bottomY_) + "," + std::to_string(jLbc_));
        need_ = discontinuous - 1;
        _presetMpsConditionByBlock(jLbc_, endY_);
        if (isStlPageCode(head->iCode)) {
            startX_ = draw.iBusLineStart + cellWidth();
            showStatus("draw.iBusLineStart=" + std::to_string(startX_));
        } else if (isRetCode(head->iCode)) {
            startX_ = draw.iBusLineStart;
        }
        startCol_ = col(startX_);
        first_ = head->next;
        outerLoop();
    }

private:
    void outerLoop() {
        // Every iteration marks a cell or inserts an object; a structure that does neither for
        // this long would go round for ever.
        std::int64_t iterations = 0;
        const std::int64_t limit = 64 * (countBlockObjects() + 4) * (countBlockObjects() + 4);
        stLadderBlock* walker = first_;
        while (branchCount_ == 0 && walker != nullptr && walker->prev != nullptr && walker->objLbc == jLbc_ &&
               walker->yAddr <= bottomY_) {
            if (++iterations > limit)
                stopConversion("The branches of block " + std::to_string(jLbc_) +
                                   " cannot be resolved into MPS, MRD and MPP.",
                               kMpsCaption);
            if (!isStackJoint(walker->iCode)) iterate(walker);
            if (done_ >= need_) return;
            walker = restart_ ? first_ : walker->next;
            restart_ = false;
        }
    }

    std::int64_t countBlockObjects() const {
        std::int64_t n = 0;
        for (const stLadderBlock* o = first_; o != nullptr && o->objLbc == jLbc_; o = o->next) ++n;
        return n;
    }

    void iterate(stLadderBlock* walker) {
        branchCount_ = 0;
        anchors_.clear();
        mpsFlag_ = mppFlag_ = restart_ = tempFlag_ = false;
        walker->flagByte2 = static_cast<std::uint8_t>(walker->flagByte2 & ~kFlag2MppMark);
        mpsX_ = startX_;
        for (stLadderBlock* b = first_; b != nullptr && b->prev != nullptr && b->prev->objLbc == jLbc_;
             b = b->next) {
            if (!isOutput(b)) continue;
            remembered_ = b;
            if (!mpsFlag_ && !tempFlag_) layer1(b);
            if ((tempFlag_ && !mpsFlag_) || (mpsFlag_ && !mppFlag_)) layer2(b);
            if (mpsFlag_ && branchCount_ >= 1 && mppFlag_) layer3(b);
            if (mppFlag_) break;
        }
        if (mppFlag_ && branchCount_ >= 2) layer4();
    }

    // Layer 1: the first column left of output b whose element opens a branch downward that
    // leads to a later object.
    void layer1(stLadderBlock*& b) {
        const std::int64_t r = rowOf(b);
        for (std::int64_t c = colOf(b); c > startCol_; c -= 2) {
            if (cell(c - 1, r + 1) != kCellLink || cell(c, r) != kCellContact || !isFree(c, r)) continue;
            std::int64_t found = -1;
            for (std::int64_t s = r + 2; s <= lastRow_; s += 2) {
                if (cell(c - 1, s - 1) == kCellBlank) break;
                const char below = cell(c, s);
                if (below == kCellJoint ||
                    ((below == kCellContact || below == kCellNop) && comesBefore(c, r, c, s))) {
                    found = s;
                    break;
                }
            }
            if (found < 0) {
                trace("layer 1: no branch below");
                markCompile(c, r);
                continue;
            }
            if (!comesBefore(c, r, c, found)) {
                markCompile(c, r);
                return;
            }
            tempFlag_ = true;
            branchCount_ = 0;
            mpsX_ = xOfColumn(c);
            mpsY_ = static_cast<std::uint32_t>(r) * halfHeight();
            remembered_ = b;
            if (stLadderBlock* next = nextOutputBelow(b)) {
                b = remembered_ = next;
                showStatus("=" + std::to_string(b->xAddr) + "," + std::to_string(b->yAddr));
            }
            trace("layer 1: tentative branch point");
            return;
        }
    }

    // Moves b to the next output and the column scan to its column; false when there is none.
    bool advance(stLadderBlock*& b, std::int64_t& c, std::int64_t& r) {
        stLadderBlock* next = nextOutputBelow(b);
        if (next == nullptr) return false;
        b = remembered_ = next;
        c = colOf(b) + 2;
        r = rowOf(b);
        return true;
    }

    // The next output of the block below b whose cell is not marked yet.
    stLadderBlock* nextOutputBelow(const stLadderBlock* b) const {
        return isBlockOutputBetweenRows(b->yAddr, bottomY_, jLbc_) ? ldrSearch : nullptr;
    }

    void markGroupCell() { markCompile(markC_, markR_); }

    // Layer 2: confirms the branch point and finds the branch that closes the group.
    void layer2(stLadderBlock*& b) {
        b = remembered_;
        std::int64_t r = rowOf(b);
        for (std::int64_t c = colOf(b); c > startCol_; c -= 2) {
            const char leftUp = cell(c - 1, r - 1), leftDown = cell(c - 1, r + 1), own = cell(c, r);
            const char rightUp = cell(c + 1, r - 1);
            const bool here = xOfColumn(c) == mpsX_;
            if (leftDown == kCellLink &&
                (leftUp == kCellBlank ||
                 (leftUp == kCellLink && cell(c, r - 2) == kCellJoint && own == kCellContact))) {
                if (own != kCellContact || !isFree(c, r) || xOfColumn(c) < mpsX_) continue;
                tempFlag_ = true;
                branchCount_ = 0;
                markC_ = c;
                markR_ = r;
                sideBranch_ = false;
                mpsX_ = xOfColumn(c);
                mpsY_ = static_cast<std::uint32_t>(r) * halfHeight();
                remembered_ = b;
                showStatus("mpsXaddr=" + std::to_string(mpsX_));
                if (!advance(b, c, r)) {
                    markCompile(c, r);
                    return;
                }
            } else if (leftUp == kCellLink && leftDown == kCellLink) {
                sideBranch_ = false;
                if (isElementOrJoint(own) && rightUp == kCellBlank) {
                    if (!here) continue;
                    mpsFlag_ = true;
                    ++branchCount_;
                    mppFlag_ = true;
                    markGroupCell();
                    showStatus(std::to_string(branchCount_));
                    followBranchDown(c, r, b);
                    remembered_ = b;  // the next layer resumes at the branch found
                    return;
                }
                if (!advance(b, c, r)) return;
            } else if (leftDown == kCellBlank && leftUp == kCellLink && own != kCellBlank) {
                if (here && !sideBranch_) {
                    mpsFlag_ = true;
                    ++branchCount_;
                    mppFlag_ = true;
                    markGroupCell();
                    remembered_ = b;
                    return;
                }
                if (sideBranch_) {
                    mpsFlag_ = false;
                    if (markC_ != 0 || markR_ != 0) markGroupCell();
                    restart_ = true;
                    sideBranch_ = false;
                    return;
                }
            } else if (rightUp == kCellLink && !here && tempFlag_) {
                sideBranch_ = true;
                markGroupCell();
            }
        }
    }

    void followBranchDown(std::int64_t c, std::int64_t t, const stLadderBlock* b) {
        while (cell(c - 1, t + 1) == kCellLink) {
            // Nothing below, or a group below already given its own MPS: this branch is the last.
            if (cell(c, t + 2) == kCellBlank || !isFree(c, t + 2)) return;
            bool linkDown = false, emptyRange = true;
            for (std::int64_t cc = c; cc <= colOf(b) - 2; cc += 2) {
                emptyRange = false;
                if (cell(cc + 1, t + 1) == kCellLink) linkDown = true;
            }
            if (!linkDown && !emptyRange) {
                mppFlag_ = false;
                return;
            }
            t += 2;
        }
    }

    // Layer 3: counts the branches that leave the branch point and finds the last one.
    void layer3(stLadderBlock*& b) {
        b = remembered_;
        mppFlag_ = false;
        std::int64_t r = rowOf(b);
        for (std::int64_t c = colOf(b); c > startCol_ && !mppFlag_; c -= 2) {
            const char leftUp = cell(c - 1, r - 1), leftDown = cell(c - 1, r + 1), own = cell(c, r);
            const bool here = xOfColumn(c) == mpsX_;
            if (leftUp == kCellLink && leftDown == kCellLink) {
                if (isElementOrJoint(own) && here) {
                    ++branchCount_;
                    if (own == kCellJoint) mppFlag_ = true;
                    if (!advance(b, c, r)) {
                        mppFlag_ = true;
                        return;
                    }
                    if (lastBranchReached(b)) {
                        mppFlag_ = true;
                        return;
                    }
                } else if (isElementOrJoint(own) && !isFree(c, r)) {
                    continue;
                } else if (!advance(b, c, r)) {
                    mppFlag_ = true;
                    return;
                }
            } else if (leftUp == kCellLink && leftDown == kCellBlank) {
                if (isElementOrJoint(own) && isFree(c, r) && here) {
                    ++branchCount_;
                    mppFlag_ = true;
                    b->flagByte2 |= kFlag2MppMark;
                    if (cell(c + 1, r - 1) == kCellLink) --branchCount_;
                    return;
                }
            }
        }
    }

    // The new output hangs on the group's last branch, or joins left of the branch point.
    bool lastBranchReached(const stLadderBlock* b) const {
        const std::int64_t r = rowOf(b);
        for (std::int64_t c = colOf(b); c > startCol_; c -= 2) {
            if (cell(c - 1, r - 1) != kCellLink || xOfColumn(c) > mpsX_) continue;
            return xOfColumn(c) < mpsX_ || cell(c - 1, r + 1) == kCellBlank;
        }
        return false;
    }

    std::uint32_t insertX(const stLadderBlock* d) const {
        const std::uint32_t shift = 8 * (cellWidth() / 16);
        return d->xAddr >= shift ? d->xAddr - shift : 0;
    }

    stLadderBlock* outputAtOrAfter(stLadderBlock* d) const {
        for (stLadderBlock* q = d; q != nullptr && q->objLbc == jLbc_; q = q->next)
            if (isOutput(q)) return q;
        return d;
    }

    void insert(int kind, stLadderBlock* d) {
        ldrNow = d;
        insertMpsMrdMppInstruction(kind, insertX(d), d->yAddr, d->objLbc, d->yTopPos);
        markCompile(colOf(d), rowOf(d));
        trace(std::string(kind == 0   ? "MPS"
                          : kind == 1 ? "MRD"
                                      : "MPP") +
              " before " + std::to_string(d->xAddr) + "," + std::to_string(d->yAddr));
    }

    // Layer 4: MPS before the branch point's contact, MRD before each middle branch, MPP before
    // the last one.
    void layer4() {
        stLadderBlock* d = first_;
        restart_ = false;
        while (d != nullptr && branchCount_ != 0) {
            const stLadderBlock* anchor = anchors_.top();
            const bool onAnchorColumn = anchor != nullptr && d->xAddr == anchor->xAddr;
            if (branchCount_ > 1 && mpsFlag_) {
                if (d->xAddr == mpsX_ && d->yAddr == mpsY_) {
                    ++need_;
                    ++done_;
                    --branchCount_;
                    mpsFlag_ = false;
                    anchors_.push(d);
                    insert(0, d);
                    d = outputAtOrAfter(d);
                }
            } else if (branchCount_ > 1) {
                if (onAnchorColumn) {
                    --branchCount_;
                    ++done_;
                    insert(1, d);
                    d = outputAtOrAfter(d);
                }
            } else if (branchCount_ == 1 && !mpsFlag_) {
                const bool wiredFromAnchor =
                    (d->flagByte2 & kFlag2MppMark) != 0 && anchor != nullptr && d->xMaxi == anchor->xAddr;
                if (onAnchorColumn || wiredFromAnchor) {
                    if (onAnchorColumn)
                        ++done_;
                    else
                        d->flagByte2 = static_cast<std::uint8_t>(d->flagByte2 & ~kFlag2MppMark);
                    branchCount_ = 0;
                    insert(2, d);
                    anchors_.pop();
                    restart_ = true;
                    mpsX_ = startX_;
                    return;
                }
            }
            d = d->next;
        }
    }

    std::uint32_t jLbc_;
    std::uint32_t endY_ = 0;
    std::uint32_t startX_ = 0;
    std::int64_t startCol_ = 0;
    std::int64_t lastRow_ = 0;
    std::uint32_t bottomY_ = 0;
    std::int32_t need_ = 0;
    std::int32_t done_ = 0;
    std::int32_t branchCount_ = 0;
    std::uint32_t mpsX_ = 0;
    std::uint32_t mpsY_ = 0;
    bool tempFlag_ = false, mpsFlag_ = false, mppFlag_ = false, sideBranch_ = false, restart_ = false;
    std::int64_t markC_ = 0, markR_ = 0;
    MpsAnchorStack anchors_;
    stLadderBlock* first_ = nullptr;
    stLadderBlock* remembered_ = nullptr;
};

}  // namespace

void AddMpsMrdMppByBlock(std::uint32_t jLbc) {
    MpsPass(jLbc).run();
}

}  // namespace kestrion
