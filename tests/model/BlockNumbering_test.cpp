#include "model/BlockNumbering.h"

#include "model/CanvasError.h"
#include "model/CanvasTestSupport.h"
#include "model/EditorState.h"

namespace kestrion::testing {
namespace {

// ---- Block numbers ------------------------------------------------------------------------------

class BlockNumbers : public CanvasTest {
protected:
    // An object on every element cell of the picture (a label at column 0), END on the line below.
    void build(const Picture& picture) {
        startList(1040, static_cast<std::uint32_t>(picture.size() + 1) / 2 * 64);
        for (std::size_t row = 0; row < picture.size(); row += 2)
            for (std::size_t column = 0; column < picture[row].size(); column += 2) {
                const char cell = picture[row][column];
                const std::uint16_t code = cell == 'S' ? kStl : cell == 'Y' ? kOut : cell == 'P' ? kLabel : kLd;
                if (std::string("XYS-#P").find(cell) != std::string::npos)
                    object(code, static_cast<std::uint32_t>(column * 40), static_cast<std::uint32_t>(row * 32), 0, 0);
            }
        paint(picture);
    }

    // The canvas with each element replaced by its object's block number.
    static Picture numbers() {
        Picture out = dump();
        for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next)
            out.at(o->yAddr / 32).at(o->xAddr / 40) = static_cast<char>('0' + o->objLbc);
        return out;
    }
};

TEST_F(BlockNumbers, LinesJoinedByALinkRightOfTheBusLineStartShareABlock) {
    struct Case {
        const char* name;
        Picture picture;
        Picture expected;
    };
    const Case cases[] = {
        {"two rungs", {"  X X Y", "", "  X Y"}, {"  1 1 1", "", "  2 2"}},
        {"a parallel contact joined in column 3",
         {"  X X Y", "   |", "  X", "", "  X Y"},
         {"  1 1 1", "   |", "  1", "", "  2 2"}},
        {"a link in the left-bus column alone joins nothing", {"  X Y", " |", "  X Y"}, {"  1 1", " |", "  2 2"}},
        {"an STL closes its block and moves the bus-line start",
         {"  S X Y", "   |", "  X Y", "", "  X Y", "   |", "  X"},
         {"  1 2 2", "   |", "  3 3", "", "  4 4", "   |", "  4"}},
        {"a link right of a moved bus-line start still joins",
         {"  S X Y", "     |", "  X X"},
         {"  1 2 2", "     |", "  2 2"}},
        {"a label takes the number of its line", {"P X Y", "", "P X Y"}, {"1 1 1", "", "2 2 2"}},
        {"NOP and joint cells without an object are passed over", {"  X - # Y"}, {"  1 - # 1"}},
    };
    for (const Case& c : cases) {
        resetAllState();
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        setupDrawGeometry();
        clearVirtualCanvas();
        build(c.picture);
        if (std::string(c.name).find("passed over") != std::string::npos) {
            // Only the contact and the output are objects.
            for (stLadderBlock* o = ldrHead; o != ldrTail;) {
                stLadderBlock* next = o->next;
                if (o->xAddr == 160 || o->xAddr == 240) removeLadderObject(ldrList, o);
                o = next;
            }
        }
        ReModifyLbcByVirtualArray();
        EXPECT_EQ(numbers(), c.expected) << c.name;
    }
}

TEST_F(BlockNumbers, AnElementWithoutItsObjectShowsTheHaltBoxAndAbortsTheCommand) {
    struct Case {
        char cell;
        const char* text;
    };
    const Case cases[] = {{'X', "Error2014121802...System halt"},
                          {'Y', "Error2014121802...System halt"},
                          {'S', "Error2014121802...System halt"},
                          {'P', "Error2014121801..System halt"}};
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        clearVirtualCanvas();
        build({"  X Y", "", "      X"});
        setCanvasCell(c.cell == 'P' ? 0 : 8, 2, c.cell);
        EXPECT_THROW(ReModifyLbcByVirtualArray(), CanvasError) << c.cell;
        EXPECT_EQ(boxes(), std::vector<std::string>{std::string(c.text) + " | *ReModifyLbcByVirtualArray"});
        EXPECT_EQ(fakes.messages.shown.at(0).icon, platform::MsgIcon::Warning);
        if (c.cell != 'P') {
            EXPECT_EQ(fakes.statusBar.panelText(13), "320,64");
        }
    }
}

TEST_F(BlockNumbers, NothingIsNumberedWithoutAListAndALadderPastTheCanvasIsRefused) {
    paint({"  X"});
    EXPECT_NO_THROW(ReModifyLbcByVirtualArray());
    startList(1040, 4096 * 64);
    EXPECT_THROW(ReModifyLbcByVirtualArray(), CanvasError);
    EXPECT_EQ(boxes(), std::vector<std::string>{std::string(kLadderTooLongText) + " | " + kLadderTooLongCaption});
}

// ---- Vertical links -----------------------------------------------------------------------------

struct Obj {
    std::uint16_t code;
    std::uint32_t x, y, top;
    const char* mnemonic = "";
    bool copyMark = false;
};

struct LinkCase {
    const char* name;
    std::vector<Obj> objects;
    Picture before;
    Picture after;
};

class VerticalLinks : public CanvasTest {
protected:
    static void run(const std::vector<LinkCase>& cases);
};

void VerticalLinks::run(const std::vector<LinkCase>& cases) {
    for (const LinkCase& c : cases) {
        clearVirtualCanvas();
        initLadderList(1040, 4000);  // END far below: its marks stay out of the pictures
        for (const Obj& o : c.objects) {
            stLadderBlock* made = addBeforeEnd(o.x, o.y, o.code, 1);
            made->yTopPos = o.top;
            setText(made->mnemonic, o.mnemonic);
            if (o.copyMark) made->flagByte1 |= kFlag1CopyMark;
        }
        paint(c.before);
        ModifyVLineToVirtualCanvas();
        EXPECT_EQ(dumpAbove(100), c.after) << c.name;  // the rows above END's marks
    }
}

TEST_F(VerticalLinks, ContactRules) {
    run({
        {"LD with a free left cell links up and climbs", {{kLd, 160, 128, 0}}, {"", "", "", "", "    X"},
         {"", "   |", "", "   |", "    X"}},
        {"LD on the top output row gets none", {{kLd, 160, 128, 128}}, {"", "", "", "", "    X"}, {"", "", "", "", "    X"}},
        {"OR links left-up even on the top output row, and right-up beside a free cell",
         {{kOr, 80, 64, 64}}, {"", "", "  X"}, {"", " | |", "  X"}},
        {"OR climbs to the line under the top row and links right to a contact",
         {{kOr, 160, 128, 0}}, {"", "", "", "", "    X X"}, {"", "   |", "", "   | |", "    X X"}},
        {"OR beside a wire links no further right", {{kOr, 160, 64, 0}}, {"  X", "", "    X ~"}, {"  X", "   |", "    X ~"}},
        {"AND with free cells right of it links right-up and climbs",
         {{kAnd, 160, 128, 0}}, {"", "", "", "", "  X X"}, {"", "     |", "", "     |", "  X X"}},
        {"AND with an element right of it", {{kAnd, 160, 64, 0}}, {"", "", "  X X X"}, {"", "", "  X X X"}},
        {"AND with anything in the last cell column",
         {{kAnd, 160, 64, 0}}, {"", "", "  X X                     ~"}, {"", "", "  X X                     ~"}},
        {"AND with a free left cell links left-up",
         {{kAnd, 160, 64, 0}}, {"", "", "    X X"}, {"", "   |", "    X X"}},
        {"copied objects are passed over", {{kOr, 80, 64, 0, "", true}}, {"", "", "  X"}, {"", "", "  X"}},
    });
}

TEST_F(VerticalLinks, LdPairsWithTheNextUnmatchedJoint) {
    const Obj ld{kLd, 160, 64, 0};
    const Obj ldNested{kLd, 400, 640, 0, "", true};  // marked: counted by the pairing, no rule of its own
    const Obj anb{kCodeAnb, 400, 640, 0, "", true};
    const Obj orb{kCodeOrb, 400, 640, 0, "", true};
    const Picture before{"", "", "  X X"};
    const Picture linked{"", "   |", "  X X"};
    run({
        {"ORB", {ld, orb}, before, linked},
        {"ANB", {ld, anb}, before, before},
        {"nested LD ... ANB skipped, then ORB", {ld, ldNested, anb, orb}, before, linked},
        {"nested LD ... ORB skipped, then ANB", {ld, ldNested, orb, anb}, before, before},
        {"no joint", {ld}, before, before},
    });
}

TEST_F(VerticalLinks, NopRules) {
    run({
        {"a plain NOP links right-up and climbs below the top row",
         {{kCodeNop, 160, 192, 0, "NOP"}}, {"", "", "", "", "", "", "    -"}, {"", "     |", "", "     |", "", "     |", "    -"}},
        {"the climb stops at a taken cell", {{kCodeNop, 160, 192, 0, "NOP"}}, {"", "", "    X", "", "", "", "    -"},
         {"", "", "    X", "     |", "", "     |", "    -"}},
        {"the climb stops at a taken right-up cell", {{kCodeNop, 160, 192, 0, "NOP"}},
         {"", "", "", "     ~", "", "", "    -"}, {"", "", "", "     ~", "", "     |", "    -"}},
        {"a NOP on the top row does nothing", {{kCodeNop, 160, 64, 64, "NOP"}}, {"", "", "    -"}, {"", "", "    -"}},
        {"#NOP links left-up only", {{kCodeNop, 160, 64, 0, "#NOP"}}, {"", "", "    #"}, {"", "   |", "    #"}},
        {"NOP before a contact outside its block", {{kCodeNop, 160, 64, 0, "NOP"}, {kOut, 400, 64, 0}},
         {"", "", "    - X"}, {"", "     |", "    - X"}},
        {"NOP before a contact of its block", {{kCodeNop, 160, 64, 0, "NOP"}, {kLd, 240, 64, 0}, {kOut, 400, 64, 0}},
         {"", "", "    - X"}, {"", "", "    - X"}},
    });
}

TEST_F(VerticalLinks, JointRules) {
    run({
        {"MPS, MRD, MPP in one column fill the gaps between their lines",
         {{kCodeMps, 120, 0, 0}, {kCodeMrd, 120, 64, 0}, {kCodeMpp, 120, 128, 0}}, {}, {"", "   |", "", "   |"}},
        {"MRD alone marks only the gap above itself", {{kCodeMrd, 120, 128, 0}}, {}, {"", "", "", "   |"}},
        {"MPP at another x than its MPS", {{kCodeMps, 120, 0, 0}, {kCodeMpp, 200, 128, 0}}, {}, {}},
        {"MPP with no MPS open", {{kCodeMpp, 120, 128, 0}}, {}, {}},
        {"ORB links left-up and climbs", {{kCodeOrb, 160, 128, 0}}, {}, {"", "   |", "", "   |"}},
        {"ANB links nothing", {{kCodeAnb, 160, 128, 0}}, {}, {}},
    });
}

TEST_F(VerticalLinks, EndMarksItsCellAndBlanksTheRowBelow) {
    initLadderList(1040, 128);
    paint({"", "", "", "", "", " |                                     ~|"});
    ModifyVLineToVirtualCanvas();
    EXPECT_EQ(dump(), (Picture{"", "", "", "", "                          Y #", "", "#"}));
}

TEST_F(VerticalLinks, TheFrameEndsOnTheLastObjectSelected) {
    initLadderList(1040, 4000);
    addBeforeEnd(160, 128, kLd, 1);
    addBeforeEnd(400, 128, kAnd, 1);
    ModifyVLineToVirtualCanvas();
    EXPECT_EQ(BlueFrame.x1, 400U);
    EXPECT_EQ(BlueFrame.y1, 128U);
    EXPECT_NE(redrawFlags & kRedrawFrame, 0);
}

TEST(BranchPositionStack, SixteenOpenBranchesAndNoMore) {
    BranchPositionStack stack;
    for (std::uint32_t i = 0; i < 16; ++i) EXPECT_TRUE(stack.push({i, i}));
    EXPECT_FALSE(stack.push({99, 99}));
    BranchPositionStack::Position top;
    ASSERT_TRUE(stack.pop(top));
    EXPECT_EQ(top.x, 15U);
    while (stack.pop(top)) {
    }
    EXPECT_EQ(top.x, 0U);
    EXPECT_EQ(stack.size(), 0U);
}

}  // namespace
}  // namespace kestrion::testing
