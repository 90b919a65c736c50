#include "model/ladder/BlockNumbering.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

bool BranchPositionStack::push(Position position) {
    if (count_ == kCapacity) return false;
    positions_[count_++] = position;
    return true;
}

bool BranchPositionStack::pop(Position& position) {
    if (count_ == 0) return false;
    position = positions_[--count_];
    return true;
}

namespace {

constexpr int kTracePanel = 13;
constexpr const char* kNumberingCaption = "*ReModifyLbcByVirtualArray";

void noteTrace(std::string_view text) {
    canvasState.canvasTraceText.assign(text);
}

// Numbers joined by commas, written into a buffer: the numbering shows such a text at every gap of
// the ladder, and a string built piece by piece cost more than the rest of the gap's work.
class NumbersText {
public:
    explicit NumbersText(std::int64_t first) { add(first); }
    NumbersText& then(std::int64_t n) {
        *end_++ = ',';
        add(n);
        return *this;
    }
    std::string_view view() const { return {chars_.data(), static_cast<std::size_t>(end_ - chars_.data())}; }

private:
    void add(std::int64_t n) { end_ = std::to_chars(end_, chars_.data() + chars_.size(), n).ptr; }
    std::array<char, 64> chars_;  // three numbers of at most 20 characters and their commas
    char* end_ = chars_.data();
};

void appendPair(std::string& text, std::int64_t a, std::int64_t b) {
    text += NumbersText(a).then(b).view();
}

std::string pair(std::int64_t a, std::int64_t b) {
    std::string text;
    appendPair(text, a, b);
    return text;
}

[[noreturn]] void haltNumbering(const char* text) {
    platform::say({text, kNumberingCaption, platform::MsgIcon::Warning});
    throw CanvasError(text);
}

bool isElementCell(char cell) {
    return cell == kCellContact || cell == kCellOutput || cell == kCellNop || cell == kCellJoint ||
           cell == kCellStl;
}

stLadderBlock* objectAtCell(std::int64_t column, std::int64_t row) {
    const auto x = static_cast<std::uint32_t>(column * symbleHalfWidth);
    const auto y = static_cast<std::uint32_t>(row * symbleHalfHeight);
    return searchLadderObject(kSearchMain, x, y) ? ldrSearch : nullptr;
}

// The walk reads every cell of every line and gap: each row's cells are looked up once, and the
// bus columns (nothing in the walk moves the buses) once for the walk.
struct Numbering {
    std::uint32_t counter = 1;
    std::uint32_t mBusLineStart = draw.iBusLineStart;
    const std::int64_t firstColumn = firstCellColumn();
    const std::int64_t lastColumn = lastCellColumn();
    const std::int64_t busColumn = rightBusColumn();

    void line(std::int64_t row) {
        const char* cells = VirtualArray.rowCells(row);
        if (cellOfRow(cells, 0) == kCellLabel) {
            stLadderBlock* label = objectAtCell(0, row);
            if (label == nullptr) {
                writeElementNote();
                haltNumbering("Error2014121801..System halt");
            }
            label->objLbc = counter;
        }
        for (std::int64_t column = 2; column < busColumn; column += 2) {
            const char cell = cellOfRow(cells, column);
            if (isElementCell(cell)) element(cell, column, row);
        }
    }

    void element(char cell, std::int64_t column, std::int64_t row) {
        stLadderBlock* object = objectAtCell(column, row);
        if (object != nullptr) {
            object->objLbc = counter;
            if (cell == kCellStl) {
                // Whatever follows an STL belongs to the next block, and links at or left of the
                // moved bus-line start no longer join two lines.
                ++counter;
                mBusLineStart += ModeData.xSizeSymble;
                note("*STL物件 mBusLineStart=" + std::to_string(mBusLineStart));
            } else {
                // Every other element leaves its note; only the last one is ever read, so it is
                // written out when another note follows or the numbering ends.
                elementNote = {column, row};
            }
            return;
        }
        if (cell == kCellJoint || cell == kCellNop) {
            note("*#nop物件 mBusLineStart=" + std::to_string(mBusLineStart));
            return;
        }
        platform::statusBar().setPanelText(kTracePanel,
                                           pair(column * symbleHalfWidth, row * symbleHalfHeight));
        note("*Error2014121802..");
        haltNumbering("Error2014121802...System halt");
    }

    void note(std::string_view text) {
        elementNote.reset();
        noteTrace(text);
    }

    void writeElementNote() {
        if (!elementNote) return;
        std::string& text = canvasState.canvasTraceText;
        text.assign("*不是STL物件 (vx,vy)=");
        appendPair(text, elementNote->first, elementNote->second);
        elementNote.reset();
    }

    void gap(std::int64_t row) {
        const char* cells = VirtualArray.rowCells(row);
        std::int64_t column = lastColumn - 1;
        while (column > firstColumn && cellOfRow(cells, column) != kCellLink) column -= 2;
        if (canvasColumnOf(mBusLineStart) >= column) ++counter;
        if (firstColumn >= column) mBusLineStart = draw.iBusLineStart;
        gapText.assign(NumbersText(column).then(row).then(canvasColumnOf(mBusLineStart)).view());
        platform::statusBar().setPanelText(kTracePanel, gapText);
    }

    std::string gapText;  // kept from gap to gap: its room is taken once
    std::optional<std::pair<std::int64_t, std::int64_t>> elementNote;  // column and row, not yet written
};

}  // namespace

void ReModifyLbcByVirtualArray() {
    if (ldrHead == nullptr || !canvasGeometryReady()) return;
    const std::int64_t endRow = canvasRowOf(getEndObjectY());
    if (endRow >= kCanvasRows) {
        showLadderTooLong();
        throw CanvasError(kLadderTooLongText);
    }
    Numbering numbering;
    for (std::int64_t row = 0; row <= endRow; ++row) {
        if (row % 2 == 0) {
            numbering.line(row);
        } else {
            numbering.gap(row);
        }
    }
    numbering.writeElementNote();
}

// ---- Vertical links ---------------------------------------------------------------------------

namespace {

enum class Pairing { None, Anb, Orb };

// The joint that closes the branch an LD opens, skipping the pairs nested inside it.
Pairing pairedJoint(const stLadderBlock& load) {
    int depth = 0;
    for (const stLadderBlock* o = load.next; o != nullptr; o = o->next) {
        if (isLoadTypeCode(o->iCode)) {
            ++depth;
        } else if (o->iCode == kCodeAnb || o->iCode == kCodeOrb) {
            if (depth == 0) return o->iCode == kCodeAnb ? Pairing::Anb : Pairing::Orb;
            --depth;
        }
    }
    return Pairing::None;
}

// The notes of the link pass: every step notes its text, and only the last one is ever read, so
// it is written once when the pass ends. Whether the debug trace shows the steps is asked once.
struct LinkNotes {
    std::optional<std::string_view> last;  // of string literals
    bool shown = platform::trace().visible(platform::Memo::Debug2);

    void write() const {
        if (last) noteTrace(*last);
    }
};

class LinkPass {
public:
    LinkPass(stLadderBlock& object, LinkNotes& notes)
        : notes_(notes),
          o_(object),
          c_(canvasColumnOf(std::int64_t{object.xAddr} / ModeData.xSizeSymble * ModeData.xSizeSymble)),
          r_(canvasRowOf(object.yAddr)),
          topRow_(canvasRowOf(object.yTopPos)) {}

    void apply(BranchPositionStack& stack) {
        const std::uint16_t code = o_.iCode;
        const bool belowTop = o_.yAddr != o_.yTopPos;
        if (isLoadTypeCode(code)) {
            if (belowTop) load();
        } else if (code == kCodeNop) {
            if (belowTop) nop();
        } else if (isAndTypeCode(code)) {
            if (belowTop) andContact();
        } else if (isOrTypeCode(code)) {
            orContact();
        } else if (code == kCodeOrb) {
            linkLeftUp(r_, "*執行[ORB]往左上補線");
            select();
            climbLeft("*執行[ORB]繼續往左上補線 To yBlockStartPos", false);
        } else if (code == kCodeMps) {
            stack.push({o_.xAddr, o_.yAddr});
            trace("*執行[MPS] 不往右上補線 由後面的[AND]執行補線");
            select();
        } else if (code == kCodeMrd) {
            linkRightUp(r_, "*[Mrd]不往右上補線 由後面的[Mpp]執行");
        } else if (code == kCodeMpp) {
            mpp(stack);
        } else if (o_.end == kEndOutput && code != kCodeEnd) {
            if (belowTop) outputAtNode();
        }
    }

private:
    char left() const { return VirtualArray.at(c_ - 2, r_); }
    char right() const { return VirtualArray.at(c_ + 2, r_); }

    void trace(std::string_view text) const {
        notes_.last = text;
        if (!notes_.shown) return;
        platform::trace().append(platform::Memo::Debug2, "(vx,vy)=" + pair(c_, r_) + " " + std::string(text));
    }
    void select() const { setBlueFrameObject(o_.xAddr, o_.yAddr); }
    void linkLeftUp(std::int64_t row, const char* text) const {
        VirtualArray.put(c_ - 1, row - 1, kCellLink);
        trace(text);
    }
    void linkRightUp(std::int64_t row, const char* text) const {
        VirtualArray.put(c_ + 1, row - 1, kCellLink);
        trace(text);
    }
    // Up the lines above, while they stay below the block's top row and this cell is free there.
    void climbLeft(const char* text, bool selectEach) const {
        for (std::int64_t q = r_ - 2; q > topRow_ && VirtualArray.at(c_, q) == kCellBlank; q -= 2) {
            linkLeftUp(q, text);
            if (selectEach) select();
        }
    }
    void climbRight(const char* text) const {
        for (std::int64_t q = r_ - 2; q > topRow_ && VirtualArray.at(c_, q) == kCellBlank; q -= 2)
            linkRightUp(q, text);
    }

    void load() const {
        if (left() == kCellBlank) {
            linkLeftUp(r_, "[LD]-MvL002 左方空白 往左上補線");
            select();
            climbLeft("[LD]-MvL004 左方空白 往左上補線", false);
            return;
        }
        switch (pairedJoint(o_)) {
            case Pairing::Orb:
                // Up to the branch it is joined with, past the lines between that leave this column free
                // (the wire of an OR below may stand on its left).
                linkLeftUp(r_, " 執行配[ORB]的[LD] 往左上補線");
                climbLeft("[LD] 配[ORB] 繼續往左上補線", false);
                break;
            case Pairing::Anb: trace(" 執行配[ANB]的[LD] 不往左上補線"); break;
            case Pairing::None: break;
        }
    }

    void nop() const {
        select();
        trace("*執行[NOP]往左上補線");
        if (o_.yTopPos >= o_.yAddr) return;
        if (o_.mnemonic[0] == '#') {
            // Up to the line it branches from, past the lines between that leave this column free (an
            // output the widened bus moved right of its node, below lines holding contacts).
            if (left() == kCellBlank) {
                linkLeftUp(r_, "[#NOP]-MvL001 執行[#NOP]往左上補線");
                climbLeft("[#NOP] 繼續往左上補線", false);
            }
            return;
        }
        const char cell = right();
        if (cell == kCellBlank) {
            linkRightUp(r_, "[NOP]-MvL003 執行[NOP]往右上補線");
            nopClimb();
        } else if ((cell == kCellJoint || cell == kCellContact) &&
                   isPosOutsideBlock(o_.xAddr, o_.yAddr, o_.xAddr + ModeData.xSizeSymble, o_.yAddr)) {
            linkRightUp(r_, "[NOP]-MvL005 執行[NOP]往右上補線");
        }
    }

    // A NOP's wire rises on its own column until something stands in the way.
    void nopClimb() const {
        const std::int64_t column = canvasColumnOf(o_.xAddr);
        const std::int64_t cellHeight = ModeData.ySizeSymble;
        for (std::int64_t y = std::int64_t{o_.yAddr} - cellHeight; y > std::int64_t{o_.yTopPos};
             y -= cellHeight) {
            const std::int64_t q = canvasRowOf(y);
            if (VirtualArray.at(column, q) != kCellBlank || VirtualArray.at(column + 1, q - 1) != kCellBlank)
                return;
            VirtualArray.put(column + 1, q - 1, kCellLink);
            trace("[NOP]-MvL004 執行[NOP]往右上補線");
        }
    }

    void andContact() const {
        if (left() == kCellBlank) {
            linkLeftUp(r_, "[AND]-MvL001 左邊無指令 往上補線");
            climbLeft("[AND]-MvL002 執行[AND]繼續往左上補線", false);
        }
        if (right() != kCellBlank || VirtualArray.at(lastCellColumn(), r_) != kCellBlank) {
            trace("[AND]指令 若右邊有指令 不往上補線");
            return;
        }
        if (r_ > topRow_) {
            linkRightUp(r_, "[AND]-MvL004 [AND]指令 若右邊無指令 往右上補線");
            select();
        }
        climbRight("[AND]-MvL006 執行[AND] 繼續往右上補線");
    }

    void orContact() const {
        linkLeftUp(r_, "[OR]-MvL01 執行[OR] 往左上補線");
        climbLeft("[OR]-MvL02 執行[OR] 繼續往左上補線", true);
        const char cell = right();
        if (cell == kCellBlank) linkRightUp(r_, "[OR]-MvL04 *1.執行[OR]往右上補線");
        if (cell == kCellJoint) linkRightUp(r_, "[OR]-MvL06 *2.執行[OR]往右上補線");
        if (cell == kCellContact) linkRightUp(r_, "[OR]-MvL07 *3.執行[OR]往右上補線");
    }

    // A further output that stands at its node, with no cell for a joint in front of it (the rung's
    // contacts reach its column, or it is wider than the room right of the node): its link comes
    // straight down from the node, past the lines between that leave its column free.
    void outputAtNode() const {
        if (o_.xAddr > o_.xMaxi || left() != kCellBlank) return;
        linkLeftUp(r_, "[OUT] output at its node: link up on its left");
        climbLeft("[OUT] output at its node: link on up", false);
    }

    // Joins every gap between the line of the MPS and this line, when both stand at the same x.
    void mpp(BranchPositionStack& stack) const {
        BranchPositionStack::Position opened;
        if (!stack.pop(opened)) return;
        const std::int64_t cellHeight = ModeData.ySizeSymble;
        const std::int64_t column = canvasColumnOf(o_.xAddr);
        for (std::int64_t y = o_.yAddr; y > std::int64_t{o_.yTopPos} && opened.x == o_.xAddr && opened.y < y;
             y -= cellHeight) {
            VirtualArray.put(column, canvasRowOf(y) - 1, kCellLink);
            trace("*[Mpp]繼續往右上補線 補到[MPS]");
        }
    }

    LinkNotes& notes_;
    stLadderBlock& o_;
    std::int64_t c_;
    std::int64_t r_;
    std::int64_t topRow_;
};

void markEnd(const stLadderBlock& end) {
    const std::int64_t c =
        canvasColumnOf(std::int64_t{end.xAddr} / ModeData.xSizeSymble * ModeData.xSizeSymble);
    const std::int64_t r = canvasRowOf(end.yAddr);
    VirtualArray.put(c, r, kCellOutput);
    VirtualArray.put(c + 2, r, kCellJoint);
    for (std::int64_t column = 0; column <= virtualArrayColumns; ++column)
        VirtualArray.put(column, r + 1, kCellBlank);
    VirtualArray.put(0, r + 2, kCellJoint);
}

}  // namespace

void ModifyVLineToVirtualCanvas() {
    platform::trace().clear(platform::Memo::Debug2);
    noteTrace("準備執行 _ModifyLineToVirtualCanvas");
    if (!canvasGeometryReady() || ModeData.xSizeSymble == 0) return;
    BranchPositionStack stack;
    LinkNotes notes;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->iCode == kCodeEnd) {
            notes.write();
            markEnd(*o);
            return;
        }
        if ((o->flagByte1 & kFlag1CopyMark) != 0) continue;
        LinkPass(*o, notes).apply(stack);
    }
    notes.write();
}

}  // namespace kestrion
