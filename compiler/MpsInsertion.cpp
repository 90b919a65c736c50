#include "compiler/MpsInsertion.h"

#include <algorithm>
#include <compare>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "compiler/CompilerState.h"
#include "compiler/GridRows.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
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

std::int64_t colOf(const stLadderBlock* o) {
    return col(o->xAddr);
}

std::int64_t rowOf(const stLadderBlock* o) {
    return row(o->yAddr);
}

stLadderBlock* headOfBlock(std::uint32_t jLbc, std::uint32_t endY) {
    return firstOfBlockOrBelow(jLbc, endY);
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

namespace {

// A node of the wiring: the whole of what links and wire elements join, named by its topmost and
// then leftmost point; row -1 is the bus the block starts from.
struct Node {
    std::int64_t row = -1, column = 0;
    auto operator<=>(const Node&) const = default;
};

// The name found for each point of the wiring looked at in one block, by the point's key (row
// times kCanvasColumns plus column). Open addressing over one table kept from block to block: a
// block's entries carry its mark, and a new block moves on to a new mark instead of emptying the
// table (a conversion passes tens of thousands of blocks, each looking at a few dozen points).
class PointNames {
public:
    void clear() {
        used_ = 0;
        if (++mark_ != 0) return;
        for (Slot& slot : slots_) slot.mark = 0;  // the marks wrapped: no old entry may match
        mark_ = 1;
    }
    // The entry of key, and whether it is new (a new one holds Node{}).
    std::pair<Node*, bool> emplace(std::int64_t key) {
        if (2 * (used_ + 1) > slots_.size()) grow();
        Slot& slot = slotOf(key);
        if (slot.mark == mark_) return {&slot.name, false};
        slot = {key, mark_, Node{}};
        ++used_;
        return {&slot.name, true};
    }
    // The entry of key, null when the block has none.
    Node* find(std::int64_t key) {
        Slot& slot = slotOf(key);
        return slot.mark == mark_ ? &slot.name : nullptr;
    }

private:
    struct Slot {
        std::int64_t key = 0;
        std::uint32_t mark = 0;  // the block the entry belongs to; never 0 for a live one
        Node name;
    };
    // The slot holding key, or the free one (of an earlier mark) where it would go. The table is
    // never more than half full: a free slot always ends the probe.
    Slot& slotOf(std::int64_t key) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i =
            static_cast<std::size_t>(static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ULL >> 32) & mask;
        while (slots_[i].mark == mark_ && slots_[i].key != key) i = (i + 1) & mask;
        return slots_[i];
    }
    // Twice the slots, the block's entries put in again.
    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.mark == mark_) slotOf(slot.key) = slot;
    }

    std::vector<Slot> slots_ = std::vector<Slot>(16);  // a power of two
    std::uint32_t mark_ = 1;
    std::size_t used_ = 0;
};

// One branch that needs the stack: its first object, and the node its wire leaves from.
struct Branch {
    std::size_t first = 0;
    Node node;
};

// One call of the pass over one block.
//
// Every branch that follows an output leaves from a node of the wiring. When the result standing
// after the output above is the value of that node (the branch above left from the same node and
// changed nothing, or ended right at it), the branch simply follows on. Otherwise the node's value
// is kept with an MPS before the first object that leaves the node on the rung that passed it,
// read back with an MRD before each such branch and taken with an MPP before the last one. A
// branch from the left bus (or from the bus of a step) starts a new rung and needs nothing. The
// value can only be kept where the rung stands whole, outside any parallel group; a branch that
// leaves from inside one cannot be written with the stack and is refused, as is nesting deeper
// than the anchor stack.
class MpsPass {
public:
    // One block; the tables of the block before are emptied (their memory is kept).
    void run(std::uint32_t jLbc) {
        jLbc_ = jLbc;
        busColumn_ = 0;
        objects_.clear();
        open_.clear();
        nodes_.clear();
        branches_.clear();
        planned_.clear();
        if (ldrHead == nullptr) return;
        const std::uint32_t endY = getEndObjectY();
        stLadderBlock* head = headOfBlock(jLbc_, endY);
        if (head == nullptr || head->next == nullptr || head->next->objLbc != head->objLbc ||
            head->yAddr >= endY)
            return;
        std::uint32_t startX = std::max(head->xAddr, draw.iBusLineStart);
        if (isStlPageCode(head->iCode))
            startX = draw.iBusLineStart + cellWidth();
        else if (isRetCode(head->iCode))
            startX = draw.iBusLineStart;
        busColumn_ = col(startX) - 1;
        for (stLadderBlock* o = head; o != nullptr && o->objLbc == jLbc_ && o->yAddr < endY; o = o->next) {
            if (isStackJoint(o->iCode)) return;  // its stack is written already
            objects_.push_back(o);
        }
        findBranches();
        if (branches_.empty()) return;
        plan();
        insertAll();
    }

private:
    [[noreturn]] void refuse(const stLadderBlock* at, const std::string& why) const {
        setBlueFrameObject(at->xAddr, at->yAddr);
        stopConversion("Block " + std::to_string(jLbc_) + " at " + std::to_string(at->xAddr) + "," +
                           std::to_string(at->yAddr) + ": " + why +
                           "; the ladder cannot be written with MPS, MRD and MPP.",
                       kMpsCaption);
    }

    // Objects that leave the result as it stands: outputs, NOP points and fillers, labels.
    static bool keepsResult(const stLadderBlock* o) {
        return isOutput(o) || o->iCode == kCodeNop || o->iCode == kCodeXNop || o->iCode == kCodeVNop ||
               isLabelCode(o->iCode);
    }

    static bool isJoint(const stLadderBlock* o) { return isBlockJoint(o->iCode) || isStackJoint(o->iCode); }

    // Cells an element of no logic of its own fills: wire, NOP elements and NOP points.
    static bool isWire(char c) { return c == kCellNop || c == kCellJoint; }

    // Column c of a row read with cellsOfRow; past the grid every cell is blank.
    static char cellAt(const char* cells, std::int64_t c) { return CanvasGrid::cellOfRow(cells, c); }

    // The node of link column n, row r: all points joined to it by links and wire.
    Node nodeAt(std::int64_t n, std::int64_t r) {
        if (n <= busColumn_) return Node{};
        const auto key = [](std::int64_t rr, std::int64_t nn) { return rr * kCanvasColumns + nn; };
        if (const Node* known = nodes_.find(key(r, n)); known != nullptr) return *known;
        points_.clear();
        points_.emplace_back(r, n);
        nodes_.emplace(key(r, n));
        Node name{r, n};
        bool bus = false;
        const auto reach = [&](std::int64_t rr, std::int64_t nn) {
            if (nn <= busColumn_) {
                bus = true;
                return;
            }
            if (rr < 0 || nn >= kCanvasColumns || !nodes_.emplace(key(rr, nn)).second) return;
            points_.emplace_back(rr, nn);
            name = std::min(name, Node{rr, nn});
        };
        for (std::size_t next = 0; next < points_.size(); ++next) {
            const auto [rr, nn] = points_[next];
            const char* line = cellsOfRow(VirtualArray, rr);
            if (cellAt(cellsOfRow(VirtualArray, rr - 1), nn) == kCellLink) reach(rr - 2, nn);
            if (cellAt(cellsOfRow(VirtualArray, rr + 1), nn) == kCellLink) reach(rr + 2, nn);
            if (isWire(cellAt(line, nn - 1))) reach(rr, nn - 2);
            if (isWire(cellAt(line, nn + 1))) reach(rr, nn + 2);
        }
        if (bus) name = Node{};
        for (const auto& [rr, nn] : points_) *nodes_.find(key(rr, nn)) = name;
        return name;
    }

    Node leftNode(const stLadderBlock* o) { return nodeAt(colOf(o) - 1, rowOf(o)); }
    Node rightNode(const stLadderBlock* o) {
        return nodeAt(col(std::max(o->Xend, o->xAddr + cellWidth())) - 1, rowOf(o));
    }

    // One pass in list order: the branches after each output, each with the node it leaves from
    // when the result standing after the output is not that node's value, and the parallel groups
    // open in front of each object. The nodes are looked at only where a branch begins.
    void findBranches() {
        Node start;               // the node the current branch left from: the bus at first
        std::size_t changed = 0;  // the last object that changed the result, + 1; 0 none yet
        std::size_t from = 0;     // where the current branch began
        int open = 0;             // groups begun by an LD and not yet joined
        for (std::size_t i = 0; i < objects_.size(); ++i) {
            const stLadderBlock* o = objects_[i];
            if (i > 0 && isOutput(objects_[i - 1])) {
                // the result stands right of the last object that changed it, or where its
                // group joins the rung; where the branch above left from when nothing did
                Node standing = start;
                if (changed > from) {
                    std::size_t k = changed - 1;
                    while (k > from && isJoint(objects_[k])) --k;
                    standing = rightNode(objects_[k]);
                }
                start = leftNode(o);
                from = i;
                if (start == Node{})
                    open = 0;  // a new rung
                else if (!(start == standing))
                    branches_.push_back({i, start});
            }
            open_.push_back(open);
            if (isLoadTypeCode(o->iCode)) ++open;
            if (isBlockJoint(o->iCode)) --open;
            if (!keepsResult(o)) changed = i + 1;
        }
    }

    // MPS, MRD and MPP in list order; they must nest as the stack does.
    void plan() {
        std::map<Node, std::vector<std::size_t>> byNode;
        for (const Branch& b : branches_) byNode[b.node].push_back(b.first);
        struct Event {
            std::size_t at;
            int order;  // before the same object: reads and takes first, then keeps
            Node node;
            int kind;  // 0 MPS, 1 MRD, 2 MPP
        };
        std::vector<Event> events;
        // The first object that leaves each node. A NOP element is wire: it stands inside the node
        // (on the row of a parallel group that joins there it comes before the group is joined).
        std::map<Node, std::size_t> firstLeaving;
        for (std::size_t i = 0; i < objects_.size(); ++i)
            if (!isJoint(objects_[i]) && !keepsResult(objects_[i]))
                firstLeaving.emplace(leftNode(objects_[i]), i);
        for (const auto& [node, firsts] : byNode) {
            const auto leaving = firstLeaving.find(node);
            if (leaving == firstLeaving.end() || leaving->second >= firsts.front())
                refuse(objects_[firsts.front()], "no rung above passes the node its branch leaves from");
            if (open_[leaving->second] != 1)
                refuse(objects_[firsts.front()], "its branch leaves from inside a parallel group");
            events.push_back({leaving->second, 1, node, 0});
            for (std::size_t j = 0; j < firsts.size(); ++j)
                events.push_back({firsts[j], 0, node, j + 1 == firsts.size() ? 2 : 1});
        }
        std::sort(events.begin(), events.end(), [](const Event& x, const Event& y) {
            return x.at != y.at ? x.at < y.at : x.order < y.order;
        });
        std::vector<Node> kept;
        MpsAnchorStack depth;
        for (const Event& e : events) {
            stLadderBlock* at = objects_[e.at];
            if (e.kind == 0) {
                depth.push(at);
                kept.push_back(e.node);
            } else {
                if (kept.empty() || !(kept.back() == e.node))
                    refuse(at, "its branch leaves from a node kept before the innermost one is taken");
                if (e.kind == 2) {
                    kept.pop_back();
                    depth.pop();
                }
            }
            planned_.emplace_back(at, e.kind);
        }
    }

    void insertAll() {
        const std::uint32_t shift = 8 * (cellWidth() / 16);
        for (const auto& [at, kind] : planned_) {
            ldrNow = at;
            insertMpsMrdMppInstruction(kind, at->xAddr >= shift ? at->xAddr - shift : 0, at->yAddr,
                                       at->objLbc, at->yTopPos);
            markCompile(colOf(at), rowOf(at));
            trace(std::string(kind == 0   ? "MPS"
                              : kind == 1 ? "MRD"
                                          : "MPP") +
                  " before " + std::to_string(at->xAddr) + "," + std::to_string(at->yAddr));
        }
    }

    std::uint32_t jLbc_ = 0;
    std::int64_t busColumn_ = 0;
    std::vector<stLadderBlock*> objects_;
    std::vector<int> open_;  // parallel groups open in front of each object
    PointNames nodes_;       // every point looked at
    std::vector<std::pair<std::int64_t, std::int64_t>> points_;  // the points of the node being named
    std::vector<Branch> branches_;
    std::vector<std::pair<stLadderBlock*, int>> planned_;
};

}  // namespace

void AddMpsMrdMppByBlock(std::uint32_t jLbc) {
    static MpsPass pass;
    pass.run(jLbc);
}

}  // namespace kestrion
