#include "model/ladder/BlockNumbering.h"

#include <algorithm>

#include "model/CanvasTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/EditorState.h"

namespace kestrion::test {
namespace {

class BlockNumbers : public CanvasTest {
protected:
    void build(const Picture& picture) {
        restart(static_cast<std::uint32_t>(picture.size() + 1) / 2 * 64);
        for (std::uint32_t row = 0; row < picture.size(); row += 2)
            for (std::uint32_t column = 0; column < picture[row].size(); column += 2) {
                const std::size_t kind = std::string("XYSP").find(picture[row][column]);
                if (kind != std::string::npos)
                    object(std::array{kLd, kOut, kStl, kLabel}[kind], column * 40, row * 32, 0, 0);
            }
        paint(picture);
    }
    static Picture numbers() {
        Picture out = dump();
        for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next)
            out.at(o->yAddr / 32).at(o->xAddr / 40) = static_cast<char>('0' + o->objLbc);
        return out;
    }
};

TEST_F(BlockNumbers, LinesJoinedByALinkRightOfTheBusLineStartShareABlock) {
    const std::pair<Picture, Picture> cases[] = {
        {{"  X X Y", "", "  X Y"}, {"  1 1 1", "", "  2 2"}},                            // two rungs
        {{"  X Y", "   |", "  X", "", "  X Y"}, {"  1 1", "   |", "  1", "", "  2 2"}},  // parallel
        {{"  S X Y", "   |", "  X Y", "", "  X Y", "   |", "  X"},                       // STL
         {"  1 2 2", "   |", "  3 3", "", "  4 4", "   |", "  4"}},
        {{"  S X Y", "     |", "  X X"}, {"  1 2 2", "     |", "  2 2"}},  // right of the moved start
        {{"  X - # Y"}, {"  1 - # 1"}},  // NOP and joint cells without objects are passed over
    };
    for (const auto& [picture, expected] : cases) {
        build(picture);
        ReModifyLbcByVirtualArray();
        EXPECT_EQ(numbers(), expected) << picture.front();
    }
}

// The developer view shows the last note the numbering left: of the last element, an STL or a
// joint without its object; a halt at a label leaves the note of the element before it.
TEST_F(BlockNumbers, TheNumberingLeavesTheNoteOfItsLastCase) {
    const std::pair<Picture, const char*> cases[] = {
        {{"  X X Y", "", "  X Y"}, "*不是STL物件 (vx,vy)=4,2"},
        {{"  X Y", "", "  S"}, "*STL物件 mBusLineStart=160"},
        {{"  X Y #"}, "*#nop物件 mBusLineStart=80"},
        {{"  X # Y"}, "*不是STL物件 (vx,vy)=6,0"},
    };
    for (const auto& [picture, note] : cases) {
        build(picture);
        ReModifyLbcByVirtualArray();
        EXPECT_EQ(canvasState.canvasTraceText, note) << picture.front();
    }
    build({"  X Y", "", "  X"});
    setCanvasCell(0, 2, 'P');
    EXPECT_THROW(ReModifyLbcByVirtualArray(), CanvasError);
    EXPECT_EQ(canvasState.canvasTraceText, "*不是STL物件 (vx,vy)=4,0");
}

// The trace panel shows the gap the numbering passed last, its link column, its row and the bus
// line start, each gap's text in place of the one before: here the gap under the last line, row
// 7, with no link in it (column 1).
TEST_F(BlockNumbers, TheTracePanelShowsTheLastGapOnly) {
    build({"  X Y", "", "  X Y", "", "  X Y", "   |", "  X"});
    ReModifyLbcByVirtualArray();
    EXPECT_EQ(fakes.statusBar.panelText(13), "1,7,2");
}

TEST_F(BlockNumbers, AnElementWithoutItsObjectShowsTheHaltBoxAndAbortsTheCommand) {
    for (const char cell : {'X', 'Y', 'S', 'P'}) {
        build({"  X Y", "", "  X"});
        setCanvasCell(cell == 'P' ? 0 : 8, 2, cell);
        EXPECT_THROW(ReModifyLbcByVirtualArray(), CanvasError) << cell;
        EXPECT_EQ(boxes(), Texts{cell == 'P' ? "Error2014121801..System halt | *ReModifyLbcByVirtualArray"
                                             : "Error2014121802...System halt | *ReModifyLbcByVirtualArray"});
        EXPECT_EQ(fakes.statusBar.panelText(13), cell == 'P' ? "1,1,2" : "320,64");
        EXPECT_EQ(canvasState.canvasTraceText,
                  cell == 'P' ? "*不是STL物件 (vx,vy)=4,0" : "*Error2014121802..");
    }
    restart(kCanvasRows / 2 * 64);  // a ladder past the canvas is refused too
    EXPECT_THROW(ReModifyLbcByVirtualArray(), CanvasError);
    EXPECT_EQ(boxes(), Texts{std::string(kLadderTooLongText) + " | " + kLadderTooLongCaption});
    FreeLadderMemory(kListMain);  // and without a list nothing is numbered
    ReModifyLbcByVirtualArray();
}

TEST_F(BlockNumbers, AFailedNumberingLeavesTheModelAsBeforeTheCommand) {
    build({"  X Y", "", ""});  // END on line 2
    const CanvasGrid before = VirtualArray, undo = BkVirtualArray, cancel = cancelVirtualArray;
    EXPECT_FALSE(runCommand([] {
        object(kLd, 160, 64);
        setNowObjectCell();
        object(kLd, 1120, 128);
        setNowObjectCell();  // widens the bus
        setCanvasCell(8, 4, 'X');
        for (const int slot : {0, 1}) backupVirtualCanvas(slot);
        ReModifyLbcByVirtualArray();
    }));
    EXPECT_TRUE(VirtualArray == before && BkVirtualArray == undo && cancelVirtualArray == cancel);
    EXPECT_EQ(std::pair(draw.iBusLineEnd, virtualArrayColumns), std::pair(1120U, 40U));
    EXPECT_EQ(objects(), (Texts{"80,0 ", "160,0 "}));
}

struct Obj {
    std::uint16_t code;
    std::uint32_t x, y, top;
    const char* mnemonic = "";
    bool copyMark = false;  // passed over by the rules, still counted by an LD's pairing
};
using LinkCase = std::pair<std::vector<Obj>, Picture>;

class VerticalLinks : public CanvasTest {
protected:
    void run(const std::vector<LinkCase>& cases) {
        for (const auto& [objects, after] : cases) {
            restart(4000);  // END far below: its marks stay out of the pictures
            for (const Obj& o : objects)
                object(o.code, o.x, o.y, o.top, 1, o.mnemonic)->flagByte1 = o.copyMark ? kFlag1CopyMark : 0;
            Picture before = after;
            for (std::string& row : before) std::replace(row.begin(), row.end(), '|', ' ');
            paint(before);
            ModifyVLineToVirtualCanvas();
            EXPECT_EQ(dump(100), after) << objects.front().code << " " << after.back();
        }
    }
};

// clang-format off
TEST_F(VerticalLinks, ContactRules) {
    const std::string lastTaken = "  X X" + std::string(21, ' ') + "~";
    run({
        {{{kLd, 160, 128, 0}}, {"", "   |", "", "   |", "    X"}},  // a free left cell: up to the top row
        {{{kOr, 80, 64, 64}}, {"", " | |", "  X"}},                 // OR on the top row too
        {{{kAnd, 160, 128, 0}}, {"", "     |", "", "     |", "  X X"}},
        {{{kAnd, 160, 64, 0}}, {"", "", "  X X X"}},  // an element right of it
        {{{kAnd, 160, 64, 0}}, {"", "", lastTaken}},  // anything in the last cell column
    });
    const Obj ld{kLd, 160, 64, 0}, nested{kLd, 400, 640, 0, "", true};
    const Obj anb{kCodeAnb, 400, 640, 0, "", true}, orb{kCodeOrb, 400, 640, 0, "", true};
    const Picture unlinked{"", "", "  X X"}, linked{"", "   |", "  X X"};
    run({{{ld, orb}, linked}, {{ld, anb}, unlinked}, {{ld, nested, anb, orb}, linked},
         {{ld, nested, orb, anb}, unlinked}, {{ld}, unlinked}});
    // Joined by ORB lines further down, beside the wire of an OR: up the free lines to the branch.
    const Obj lower{kLd, 160, 192, 0};
    run({{{lower, orb}, {"", "   |", "", "   |", "", "   |", "  - X"}},
         {{lower, orb}, {"", "", "    X", "   |", "", "   |", "  - X"}}});
}

TEST_F(VerticalLinks, NopAndJointRules) {
    run({
        {{{kCodeNop, 160, 192, 0, "NOP"}}, {"", "     |", "", "     |", "", "     |", "    -"}},
        {{{kCodeNop, 160, 192, 0, "NOP"}}, {"", "", "    X", "     |", "", "     |", "    -"}},  // stops
        {{{kCodeNop, 160, 64, 0, "#NOP"}}, {"", "   |", "    #"}},
        // a joint lines further down climbs the free lines to its branch, and stops where its column is taken
        {{{kCodeNop, 160, 128, 0, "#NOP"}}, {"", "   |", "", "   |", "    #"}},
        {{{kCodeNop, 160, 192, 0, "#NOP"}}, {"", "", "    X", "   |", "", "   |", "    #"}},
        {{{kCodeNop, 160, 64, 0, "NOP"}, {kOut, 400, 64, 0}}, {"", "     |", "    - X"}},
        {{{kCodeNop, 160, 64, 0, "NOP"}, {kLd, 240, 64, 0}, {kOut, 400, 64, 0}}, {"", "", "    - X"}},
        {{{kCodeMps, 120, 0, 0}, {kCodeMrd, 120, 64, 0}, {kCodeMpp, 120, 128, 0}}, {"", "   |", "", "   |"}},
        {{{kCodeMpp, 120, 128, 0}}, {}},  // MPP with no MPS open
        {{{kCodeOrb, 160, 128, 0}}, {"", "   |", "", "   |"}},
    });
}
// clang-format on

TEST(BranchPositionStack, SixteenOpenBranchesAndNoMore) {
    BranchPositionStack stack;
    for (std::uint32_t i = 0; i <= 16; ++i) EXPECT_EQ(stack.push({i, i}), i < 16);
    BranchPositionStack::Position top{99, 99};
    for (std::uint32_t i = 16; i-- > 0;) EXPECT_TRUE(stack.pop(top) && top.x == i);
    EXPECT_FALSE(stack.pop(top));
}

}  // namespace
}  // namespace kestrion::test
