#include "compiler/AnbOrbInsertion.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "compiler/CompilerState.h"
#include "compiler/GridRows.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/ContactRenamers.h"
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
constexpr std::int32_t kInvCode = 0xFFFD;

std::string num(std::uint32_t value) {
    return std::to_string(value);
}

// The wire cells by character: the wiring reads every cell of a block's lines.
constexpr std::array<bool, 256> kWireCells = [] {
    std::array<bool, 256> wire{};
    for (const char c : {kCellNop, kCellJoint, kCellWire}) wire[static_cast<unsigned char>(c)] = true;
    return wire;
}();

bool isWireCell(char c) {
    return kWireCells[static_cast<unsigned char>(c)];
}

// The nodes of a block's wiring: the points between two element cells of a line (odd columns, even
// rows), joined by the vertical links between lines, by the wire elements of a line (NOP, the #NOP
// filler, the wire in front of an output) and, at the left bus, all into one.
class Wiring {
public:
    // The nodes of the rows firstRow to lastRow, made anew (the memory of the last block's is kept).
    void build(std::int64_t firstRow, std::int64_t lastRow) {
        firstRow_ = firstRow;
        lastRow_ = std::max(firstRow, lastRow);
        columns_ = std::max<std::int64_t>(rightBusColumn(), leftBusColumn()) / 2 + 2;
        const auto rows = static_cast<std::size_t>((lastRow_ - firstRow_) / 2 + 1);
        parent_.resize(rows * static_cast<std::size_t>(columns_) + 1);
        std::iota(parent_.begin(), parent_.end(), 0);
        const std::int64_t bus = leftBusColumn() - 1;
        for (std::int64_t r = firstRow_; r <= lastRow_; r += 2) {
            if (bus >= 1) join(index(bus, r), busNode());
            joinLine(r);
        }
    }

    // The node left and right of the element at (c, r); -1 outside the block's rows.
    int left(std::int64_t c, std::int64_t r) { return node(c - 1, r); }
    int right(std::int64_t c, std::int64_t r) { return node(c + 1, r); }
    // Every node is a number below this.
    std::size_t nodeCount() const { return parent_.size(); }

private:
    int busNode() const { return static_cast<int>(parent_.size()) - 1; }
    int index(std::int64_t c, std::int64_t r) const {
        return static_cast<int>(((r - firstRow_) / 2) * columns_ + (c - 1) / 2);
    }
    int node(std::int64_t c, std::int64_t r) {
        if (c < 1 || (c - 1) / 2 >= columns_ || r < firstRow_ || r > lastRow_ || (r - firstRow_) % 2 != 0)
            return -1;
        return find(index(c, r));
    }
    // The joins of line r: down the links in the gap below it to the next line, and along its wire
    // cells. A set is named by its smallest node whatever the order of the joins (a join keeps the
    // smaller name): along a run of wire the name reached so far is carried to the next node instead
    // of being looked up again. Past the grid every cell is blank.
    void joinLine(std::int64_t r) {
        const char* line = cellsOfRow(VirtualArray, r);
        const char* gap = cellsOfRow(VirtualArray, r + 1);
        const bool linksDown = r + 2 <= lastRow_;
        // the last node; every node before it has a node right of it, its wire cell inside the grid
        const std::int64_t last = std::min<std::int64_t>(2 * columns_ - 1, kCanvasColumns - 1);
        const auto nextLine = static_cast<int>(columns_);  // the same column one line down
        int run = -1;  // the name of the node's set when wire joined it to the node before, else -1
        int here = index(1, r);
        for (std::int64_t c = 1; c < last; c += 2, ++here) {
            if (linksDown && gap[c] == kCellLink) {
                join(here, here + nextLine);
                run = -1;  // the set may have taken the name of the one below
            }
            if (isWireCell(line[c + 1]))
                run = joinRoots(run >= 0 ? run : find(here), find(here + 1));
            else
                run = -1;
        }
        if (linksDown && gap[last] == kCellLink) join(here, here + nextLine);
    }
    int find(int i) {
        while (parent_[static_cast<std::size_t>(i)] != i) {
            parent_[static_cast<std::size_t>(i)] =
                parent_[static_cast<std::size_t>(parent_[static_cast<std::size_t>(i)])];
            i = parent_[static_cast<std::size_t>(i)];
        }
        return i;
    }
    void join(int a, int b) { joinRoots(find(a), find(b)); }
    // Two sets by their names; the name of the joined set.
    int joinRoots(int a, int b) {
        if (a != b) parent_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
        return std::min(a, b);
    }

    std::int64_t firstRow_ = 0;
    std::int64_t lastRow_ = 0;
    std::int64_t columns_ = 0;
    std::vector<int> parent_;
};

// A group of contacts an LD began and no join has closed yet: the node it starts from and the node
// it has reached.
struct Group {
    stLadderBlock* ld = nullptr;
    int start = -1;
    int end = -1;
    int id = -1;  // for what the group's nodes still expect
};

// One call. Contacts are taken in the order the re-link gave them, with the names the naming gave
// them; the two last groups are joined where the wiring joins them: in parallel (ORB) where both
// begin at one node and end at one node, in series (ANB) where the later begins at the node the
// earlier ends at and nothing still to come before the next output leaves from a node of the later
// (an OR around it, a branch inside it). A contact whose name does not fit the wiring (an AND that
// does not go on from the group's end, an OR that does not span it) begins a group of its own.
class AnbOrbPass {
public:
    // One block; the tables of the block before are emptied (their memory is kept: a conversion
    // passes tens of thousands of blocks).
    void run(std::uint32_t blockId) {
        blockId_ = blockId;
        endY_ = 0;
        leftOf_.clear();
        outputAt_.clear();
        segmentEnd_.clear();
        pending_.clear();
        groupParent_.clear();
        expected_.clear();
        afterOutput_ = false;
        if (ldrHead == nullptr) return;
        clearCompileVirtualArray();
        endY_ = getEndObjectY();
        stLadderBlock* first = firstOfBlockOrBelow(blockId_, endY_);
        if (first == nullptr || first->yAddr >= endY_) return;
        collect(first);
        std::size_t index = 0;
        for (stLadderBlock* p = first; p != nullptr && p->objLbc == blockId_ && p->yAddr < endY_;
             p = p->next) {
            if (isBlockJoint(p->iCode)) continue;  // one this pass put in
            visit(p, index++);
        }
    }

private:
    Group& a0() { return pending_[pending_.size() - 1]; }
    Group& a1() { return pending_[pending_.size() - 2]; }

    static bool isElement(const stLadderBlock& o) {
        return isLoadTypeCode(o.iCode) || isAndTypeCode(o.iCode) || isOrTypeCode(o.iCode) ||
               isNopCode(o.iCode);
    }

    // The block's objects in list order with the node each element leaves from, where each output
    // segment ends, and for each node the elements that leave from it.
    void collect(const stLadderBlock* first) {
        std::int64_t lastRow = lastUsedRow(first->xAddr, row(first->yAddr));
        for (const stLadderBlock* o = first; o != nullptr && o->objLbc == blockId_ && o->yAddr < endY_;
             o = o->next)
            lastRow = std::max(lastRow, row(o->yAddr));
        wiring_.build(row(first->yAddr), lastRow);
        const std::size_t nodes = wiring_.nodeCount();
        // only the nodes given users before hold any (their memory is kept)
        for (const int n : usedNodes_) users_[static_cast<std::size_t>(n)].clear();
        usedNodes_.clear();
        if (users_.size() < nodes) users_.resize(nodes);
        // only the nodes claimed before hold a claim (the table keeps its size)
        for (const int n : claimedNodes_) claims_[static_cast<std::size_t>(n)] = Claim{};
        claimedNodes_.clear();
        if (claims_.size() < nodes) claims_.resize(nodes);
        for (const stLadderBlock* o = first; o != nullptr && o->objLbc == blockId_ && o->yAddr < endY_;
             o = o->next) {
            if (isBlockJoint(o->iCode)) continue;
            // A wire stands on its node; only contacts leave one.
            const int node =
                isElement(*o) && !isNopCode(o->iCode) ? wiring_.left(col(o->xAddr), row(o->yAddr)) : -1;
            leftOf_.push_back(node);
            if (node >= 0) addUser(node, static_cast<int>(leftOf_.size() - 1));
            outputAt_.push_back(o->end == kEndOutput ? 1 : 0);
        }
        segmentEnd_.assign(leftOf_.size(), static_cast<int>(leftOf_.size()));
        for (std::size_t i = leftOf_.size(); i-- > 0;)
            segmentEnd_[i] = outputAt_[i] != 0
                                 ? static_cast<int>(i)
                                 : (i + 1 < leftOf_.size() ? segmentEnd_[i + 1] : static_cast<int>(i + 1));
    }

    void addUser(int node, int element) {
        std::vector<int>& users = users_[static_cast<std::size_t>(node)];
        if (users.empty()) usedNodes_.push_back(node);
        users.push_back(element);
    }

    void visit(stLadderBlock* p, std::size_t index) {
        const std::int64_t c = col(p->xAddr), r = row(p->yAddr);
        markCompile(c, r);
        redrawFlags |= kRedrawFrame;
        const char own = cell(c, r);
        if ((own == kCellOutput || own == kCellOutputTail || p->end == kEndOutput) && pending_.size() >= 2)
            stopAtOutput(*p);
        if (p->end == kEndOutput) {
            afterOutput_ = true;
            return;
        }
        if (!isElement(*p)) return;
        const auto i = static_cast<int>(index);
        const int left = leftOf_[index], right = wiring_.right(c, r);
        expectSatisfied(i, left);
        const bool branchStart = afterOutput_ && !isNopCode(p->iCode);
        if (branchStart) afterOutput_ = false;
        // The first contact after an output goes on from the node its branch leaves (the stack pass
        // keeps that node with MPS, MRD and MPP).
        if (branchStart && pending_.size() == 1) a0().end = left;
        if (!branchStart) nameByWiring(*p, i, left, right);
        const std::int32_t code = p->iCode;
        if (isLoadTypeCode(code)) {
            pushGroup(p, left, right);
            claim(left, i);
            return;
        }
        if (pending_.empty()) return;
        // A wire stands on one node (its cells join it): only a contact in series moves the end.
        if (isAndTypeCode(code)) a0().end = right;
        if (isAndTypeCode(code) || isNopCode(code)) a0().ld->orbXaddr = p->Xend;
        claim(left, i);
        joinAfter(p);
    }

    // The name the wiring gives a contact: AND where it goes on from the end of the last group and no
    // other contact still to come before the output leaves from there; OR where it spans that group,
    // from its start to its end; LD, a group of its own, otherwise.
    void nameByWiring(stLadderBlock& p, int index, int left, int right) {
        const std::int32_t code = p.iCode;
        if (isNopCode(code) || code == kInvCode) return;
        ContactFamily family = ContactFamily::Ld;
        if (!pending_.empty() && left >= 0) {
            if (left == a0().end && !leftLater(left, index))
                family = ContactFamily::And;
            else if (left == a0().start && right == a0().end)
                family = ContactFamily::Or;
        }
        const bool is = family == ContactFamily::Ld    ? isLoadTypeCode(code)
                        : family == ContactFamily::And ? isAndTypeCode(code)
                                                       : isOrTypeCode(code);
        if (is) return;
        trace("named by the wiring");
        if (family == ContactFamily::Ld) _RenameInstrToLd(p.xAddr, p.yAddr);
        if (family == ContactFamily::And) _RenameInstrToAnd(p.xAddr, p.yAddr);
        if (family == ContactFamily::Or) _RenameInstrToOr(p.xAddr, p.yAddr);
    }

    // A contact still to come before the next output leaves from the node.
    bool leftLater(int node, int index) {
        const std::vector<int>& users = users_[static_cast<std::size_t>(node)];
        const auto later = std::upper_bound(users.begin(), users.end(), index);
        return later != users.end() && *later < segmentEnd_[static_cast<std::size_t>(index)];
    }

    // ---- what the nodes of each group still expect ----

    int groupOf(int id) {
        while (groupParent_[static_cast<std::size_t>(id)] != id)
            id = groupParent_[static_cast<std::size_t>(id)];
        return id;
    }

    // The node becomes the group's: the elements that leave from it later in the output segment are
    // expected to join the group before it is complete.
    void claim(int node, int index) {
        if (node < 0 || pending_.empty()) return;
        Claim& claim = claims_[static_cast<std::size_t>(node)];
        if (claim.until > index) return;
        const int until = segmentEnd_[static_cast<std::size_t>(index)];
        const std::vector<int>& users = users_[static_cast<std::size_t>(node)];
        const auto later = std::upper_bound(users.begin(), users.end(), index);
        const auto beyond = std::lower_bound(later, users.end(), until);
        if (claim.from == std::numeric_limits<int>::max()) claimedNodes_.push_back(node);
        claim = {groupOf(a0().id), index, until};
        expected_[static_cast<std::size_t>(groupOf(a0().id))] += static_cast<int>(beyond - later);
    }

    void expectSatisfied(int index, int node) {
        if (node < 0) return;
        const Claim& claim = claims_[static_cast<std::size_t>(node)];
        if (index <= claim.from || index >= claim.until) return;
        --expected_[static_cast<std::size_t>(groupOf(claim.group))];
    }

    bool complete(const Group& g) { return expected_[static_cast<std::size_t>(groupOf(g.id))] == 0; }

    // ---- joins ----

    bool parallel() { return a0().start == a1().start && a0().end == a1().end && a0().start >= 0; }
    bool series() { return a1().end == a0().start && a0().start >= 0 && complete(a0()); }

    // The wire that goes on from p on its row, the next object in the list.
    static bool wireFollows(const stLadderBlock& p) {
        const stLadderBlock* next = p.next;
        return next != nullptr && isNopCode(next->iCode) && next->yAddr == p.yAddr && next->xAddr == p.Xend;
    }

    void joinAfter(stLadderBlock* p) {
        // An ORB goes after the wire that brings the lower chain to the join, as the chain is drawn.
        if (pending_.size() >= 2 && parallel() && wireFollows(*p)) return;
        stLadderBlock* after = p;
        bool first = true;
        while (pending_.size() >= 2) {
            const bool parallel = this->parallel();
            const bool series = !parallel && this->series();
            if (!parallel && !series) break;
            const std::uint32_t eighth = ModeData.xSizeSymble / 8;
            const std::uint32_t x = (first ? after->Xend : after->xAddr) + (parallel ? 2 * eighth : eighth);
            const std::uint32_t y = first ? a0().ld->yAddr : after->yAddr;
            insert(after, parallel, x, y);
            after = after->next;
            first = false;
            if (series) {
                a1().end = a0().end;
                a1().ld->orbXaddr = a0().ld->orbXaddr;
                showStatus("iLdNoPointer=" + std::to_string(pending_.size()));
            }
            groupParent_[static_cast<std::size_t>(groupOf(a0().id))] = groupOf(a1().id);
            expected_[static_cast<std::size_t>(groupOf(a1().id))] +=
                expected_[static_cast<std::size_t>(a0().id)];
            pending_.pop_back();
        }
    }

    void insert(stLadderBlock* after, bool isOrb, std::uint32_t x, std::uint32_t y) {
        ldrNow = after;
        insertAnbOrbInstruction(1, isOrb, x, y, after->objLbc, after->yTopPos, after->stepNo,
                                isOrb ? "AddAnbOrbByBlock ORB" : "AddAnbOrbByBlock ANB");
        trace(std::string(isOrb ? "ORB" : "ANB") + " after " + num(after->xAddr) + "," + num(after->yAddr));
    }

    void pushGroup(stLadderBlock* p, int start, int end) {
        p->orbXaddr = p->Xend;
        const int id = static_cast<int>(groupParent_.size());
        groupParent_.push_back(id);
        expected_.push_back(0);
        pending_.push_back({p, start, end, id});
        if (pending_.size() >= kPendingSlots) {
            setBlueFrameObject(p->xAddr, p->yAddr);
            showStatus("StackOverflow error...system halt");
            stopConversion("Error2014121002...", "*AddAnbOrb");
        }
    }

    [[noreturn]] void stopAtOutput(const stLadderBlock& p) {
        setBlueFrameObject(p.xAddr, p.yAddr);
        platform::statusBar().setPanelText(0, "ANB&ORB error...system halt");
        showStatus("LBC=" + num(p.objLbc) + " StepNo=" + num(p.stepNo) + "(X,Y)=" + num(p.xAddr) + "," +
                   num(p.yAddr));
        stopConversion("*ANB&ORB error...system halt", "Error2014121001");
    }

    // A node no element has claimed holds no element between from and until.
    struct Claim {
        int group = -1;
        int from = std::numeric_limits<int>::max();   // the element that made the claim
        int until = std::numeric_limits<int>::min();  // the end of its output segment
    };

    std::uint32_t blockId_ = 0;
    std::uint32_t endY_ = 0;
    Wiring wiring_;
    std::vector<int> leftOf_;              // per element of the block, in list order
    std::vector<char> outputAt_;           // per object: an output (1)
    std::vector<int> segmentEnd_;          // per object: the index of the next output (or the end)
    std::vector<std::vector<int>> users_;  // per node: the elements leaving from it
    std::vector<int> usedNodes_;           // the nodes whose users_ are not empty
    std::vector<Claim> claims_;            // per node
    std::vector<int> claimedNodes_;        // the nodes whose claims_ are not empty
    std::vector<Group> pending_;
    std::vector<int> groupParent_;
    std::vector<int> expected_;
    bool afterOutput_ = false;
};

}  // namespace

void AddAnbOrbByBlock(std::uint32_t blockId) {
    static AnbOrbPass pass;
    pass.run(blockId);
}

}  // namespace kestrion
