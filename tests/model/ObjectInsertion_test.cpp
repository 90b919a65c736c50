#include "model/ObjectInsertion.h"

#include "model/CanvasTestSupport.h"

namespace kestrion::testing {
namespace {

class ObjectInsertion : public CanvasTest {
protected:
    ObjectInsertion() { startList(1040, 640); }

    // (x, y, mnemonic) of every main-list object before END.
    static std::vector<std::string> objects() {
        std::vector<std::string> out;
        for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next)
            out.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " + textOf(o->mnemonic));
        return out;
    }

    static stLadderBlock* named(std::uint16_t code, std::uint32_t x, std::uint32_t y, const char* mnemonic,
                                std::uint32_t top = 0, std::uint32_t id = 1) {
        stLadderBlock* o = object(code, x, y, top, id);
        setText(o->mnemonic, mnemonic);
        return o;
    }
};

// ---- The joints and pseudo objects ----------------------------------------------------------------

TEST_F(ObjectInsertion, WithOnlyEndEveryInsertIsRefusedWithItsBox) {
    insertXnopInstruction(0, 80, 0, 1, 0, 0, "t");
    insertAnbOrbInstruction(0, false, 80, 0, 1, 0, 0, "t");
    insertMpsMrdMppInstruction(0, 80, 0, 1, 0);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Only [End] Can't Insert | *insertXnopInstruction(",
                                                 "NULL0 | *insertAnbOrbInstruction",
                                                 "End instruction only | insertMpsMrdMppInstruction"}));
    EXPECT_EQ(fakes.messages.shown.at(0).icon, platform::MsgIcon::Error);
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(ObjectInsertion, PseudoObjectsByKind) {
    struct Case {
        int kind;
        std::uint16_t code;
        const char* mnemonic;
        std::uint32_t stepNo;
    };
    const Case cases[] = {{0, kCodeNop, "NOP", 33}, {1, kCodeNull, "NULL", 33}, {2, kCodeXNop, "xNOP", 0xFFFF},
                          {3, kCodeVNop, "vNOP", 33}};
    for (const Case& c : cases) {
        ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        insertXnopInstruction(c.kind, 240, 128, 5, 64, 33, "label");
        const stLadderBlock& o = *ldrNew;
        EXPECT_EQ(o.iCode, c.code);
        EXPECT_EQ(textOf(o.mnemonic), c.mnemonic);
        EXPECT_EQ(o.stepNo, c.stepNo);
        EXPECT_EQ(std::vector<std::uint32_t>({o.xAddr, o.yAddr, o.Xend, o.xMaxi, o.yTopPos, o.objLbc, o.end}),
                  std::vector<std::uint32_t>({240, 128, 320, 320, 64, 5, 10}));
        EXPECT_EQ(textOf(o.traceLabel), "label");
        EXPECT_EQ(textOf(o.ID), "$##");
    }
}

TEST_F(ObjectInsertion, BlockJointsGoBesideTheCurrentObjectWhichStays) {
    stLadderBlock* first = named(kLd, 80, 0, "LD");
    stLadderBlock* second = named(kAnd, 160, 0, "AND");
    ldrNow = first;
    insertAnbOrbInstruction(1, true, 400, 0, 2, 0, 7, "");  // at the head: always in front
    ldrNow = second;
    insertAnbOrbInstruction(0, false, 480, 0, 2, 0, 7, "a");
    insertAnbOrbInstruction(1, true, 560, 0, 2, 0, 7, "b");
    insertMpsMrdMppInstruction(0, 120, 0, 3, 0);
    insertMpsMrdMppInstruction(1, 120, 64, 3, 0);
    insertMpsMrdMppInstruction(7, 120, 128, 3, 0);
    EXPECT_EQ(ldrNow, second);
    EXPECT_EQ(objects(), (std::vector<std::string>{"400,0 ORB", "80,0 LD", "480,0 ANB", "120,0 MPS", "120,64 MRD",
                                                   "120,128 MPP", "160,0 AND", "560,0 ORB"}));
    EXPECT_EQ(textOf(ldrHead->traceLabel), "*");
    EXPECT_EQ(ldrHead->stepNo, 7U);
    EXPECT_EQ(ldrHead->Xend, 480U);
    EXPECT_EQ(second->prev->stepNo, 0U);  // MPP: no step number
    EXPECT_EQ(second->prev->objLbc, 3U);
    expectConsistentLinks(ldrList);
}

// ---- NOP objects left of an output ---------------------------------------------------------------

TEST_F(ObjectInsertion, NopsFillTheFreeCellsLeftOfAnOutputRow) {
    struct Case {
        const char* name;
        std::uint32_t xStop;
        std::uint32_t outputId;
        std::uint32_t headTop;
        Picture canvas;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> none{"80,0 LD", "160,64 LD", "880,64 OUT"};
    const Case cases[] = {
        {"down to the contact", 80, 1, 0, {}, {"80,0 LD", "160,64 LD", "240,64 NOP", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},
        {"not left of xStop", 320, 1, 0, {}, {"80,0 LD", "160,64 LD", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},
        {"stopped by a link", 80, 1, 0, {"", "       |"}, {"80,0 LD", "160,64 LD", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},
        {"no output of the block on the row", 80, 2, 0, {}, none},
        {"the row is the first object's top row", 80, 1, 64, {}, none},
    };
    for (const Case& c : cases) {
        startList(1040, 640);
        clearVirtualCanvas();
        named(kLd, 80, 0, "LD", c.headTop);
        named(kLd, 160, 64, "LD");
        named(kOut, 880, 64, "OUT", 0, c.outputId)->end = kEndOutput;
        paint(c.canvas);
        isNeedInsertNopInstr(c.xStop, 480, 64, 1, "fill");
        EXPECT_EQ(objects(), c.expected) << c.name;
    }
}

TEST_F(ObjectInsertion, OutputRowsAreWiredLeftwardsAndJoinedLinksGetANopJoint) {
    struct Case {
        const char* name;
        std::uint16_t code;
        bool contact;
        Picture before, after;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"up to the contact", kOut, true, {"", "", "  X             Y"}, {"", "", "  X ~ ~ ~ ~ ~ ~ Y"}, {"80,0 H", "80,64 LD", "640,64 OUT"}},
        {"no input condition: the first cell too", 20, false, {"", "", "                Y"}, {"", "", "  ~ ~ ~ ~ ~ ~ ~ Y"}, {"80,0 H", "640,64 OUT"}},
        {"with an input condition the first cell stays", kOut, false, {"", "", "                Y"}, {"", "", "    ~ ~ ~ ~ ~ ~ Y"}, {"80,0 H", "640,64 OUT"}},
        {"a link joining the wire", kOut, false, {"", "           |", "                Y"}, {"", "           |", "            # ~ Y"}, {"80,0 H", "480,64 #NOP", "640,64 OUT"}},
        {"a link below the output's left side stops at once", kOut, false, {"", "", "                Y", "               |"}, {"", "", "                Y", "               |"}, {"80,0 H", "640,64 OUT"}},
    };
    for (const Case& c : cases) {
        startList(1040, 640);
        clearVirtualCanvas();
        named(kLd, 80, 0, "H");
        if (c.contact) named(kLd, 80, 64, "LD");
        named(c.code, 640, 64, "OUT")->stepNo = 4;
        paint(c.before);
        InsertNopBeforeFncInstr();
        EXPECT_EQ(dumpAbove(10), c.after) << c.name;  // END's own row is wired too, further down
        EXPECT_EQ(objects(), c.expected) << c.name;
        if (c.expected.size() == 3 && !c.contact) {
            EXPECT_EQ(ldrHead->next->stepNo, 4U);
        }
    }
}

TEST_F(ObjectInsertion, JointCellsBeforeOutputsUnderALink) {
    named(kOut, 640, 128, "OUT", 0);
    named(kOut, 640, 192, "OUT", 192);  // on its block's top row: left alone
    paint({"", "", "", " | |   | | |", "  ~ X ~ - ~ ~ ~ Y", "   |   | | |", "  ~ X ~ - ~ ~ ~ Y"});
    markNopCellsBeforeOutputs();
    EXPECT_EQ(dump(), (Picture{"", "", "", " | |   | | |", "  ~ X ~ # # # ~ Y", "   |   | | |", "  ~ X ~ - ~ ~ ~ Y"}));
}

TEST_F(ObjectInsertion, NopJointsBeforeOutputsBelowTheirTopRow) {
    named(kLd, 80, 0, "H");
    stLadderBlock* first = named(kOut, 640, 64, "OUT", 0);
    first->end = kEndOutput;
    first->xMaxi = 480;
    first->stepNo = 9;
    stLadderBlock* tooClose = named(kOut, 640, 128, "OUT", 0);
    tooClose->end = kEndOutput;
    tooClose->xMaxi = 600;
    stLadderBlock* top = named(kOut, 640, 192, "OUT", 192);
    top->end = kEndOutput;
    top->xMaxi = 400;
    InsertYNopBeforeEndSymbleB();
    EXPECT_EQ(objects(), (std::vector<std::string>{"80,0 H", "480,64 #NOP", "640,64 OUT", "640,128 OUT", "640,192 OUT"}));
    EXPECT_EQ(ldrHead->next->stepNo, 9U);
    EXPECT_EQ(dump(), (Picture{"", "", "            #"}));
}

TEST_F(ObjectInsertion, AnOccupiedJointPlaceEndsTheWholePass) {
    named(kLd, 480, 64, "LD");
    for (std::uint32_t y : {64U, 128U}) {
        stLadderBlock* output = named(kOut, 640, y, "OUT");
        output->end = kEndOutput;
        output->xMaxi = 480;
    }
    InsertYNopBeforeEndSymbleB();
    EXPECT_EQ(objects(), (std::vector<std::string>{"480,64 LD", "640,64 OUT", "640,128 OUT"}));
}

// ---- Horizontal fillers ------------------------------------------------------------------------

TEST_F(ObjectInsertion, FillersBetweenAnAnbAndTheOrbThatFollowsIt) {
    named(kCodeAnb, 200, 64, "ANB")->xBlockAddr = 720;
    named(kCodeOrb, 400, 64, "ORB");
    named(kCodeAnb, 160, 128, "ANB");
    named(kCodeOrb, 400, 192, "ORB");  // another row: nothing
    named(kCodeAnb, 160, 256, "ANB")->flagByte1 |= kFlag1CopyMark;
    named(kCodeOrb, 400, 256, "ORB");
    AddHnopBetweenAnbOrb();
    EXPECT_EQ(objects(), (std::vector<std::string>{"200,64 ANB", "160,64 NOP", "240,64 NOP", "320,64 NOP", "400,64 ORB",
                                                   "160,128 ANB", "400,192 ORB", "160,256 ANB", "400,256 ORB"}));
    EXPECT_EQ(ldrHead->next->xBlockAddr, 720U);
    EXPECT_EQ(dump(), (Picture{"", "", "    - - -"}));
}

TEST_F(ObjectInsertion, LdFillersFollowTheContactNearestLastAndAndFillersNearestFirst) {
    struct Case {
        std::uint16_t code;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {kLd, {"80,0 C", "240,0 NOP", "160,0 NOP", "400,0 C"}},
        {kAnd, {"80,0 C", "160,0 NOP", "240,0 NOP", "400,0 C"}},
    };
    for (const Case& c : cases) {
        startList(1040, 640);
        clearVirtualCanvas();
        named(c.code, 80, 0, "C")->xBlockAddr = 320;
        named(c.code, 400, 0, "C")->xBlockAddr = 640;  // an object one cell right: no fillers
        named(kOut, 480, 0, "OUT");
        if (c.code == kLd) {
            AddHnopBehindLD();
        } else {
            AddHnopBehindAND();
        }
        std::vector<std::string> all = objects();
        all.pop_back();
        EXPECT_EQ(all, c.expected) << c.code;
        EXPECT_EQ(dump(), Picture{"    - -"}) << c.code;
    }
}

TEST_F(ObjectInsertion, ContactFillersStopShort) {
    struct Case {
        const char* name;
        std::uint32_t blockEdge;
        Picture canvas;
        std::size_t fillers;
    };
    const Case cases[] = {
        {"a link below the contact's right side", 480, {"  X", "   |"}, 0},
        {"the last cell before the bus stays free", 1200, {}, 11},
        {"a copied contact", 480, {}, 0},
    };
    for (const Case& c : cases) {
        startList(1040, 640);
        clearVirtualCanvas();
        stLadderBlock* contact = named(kLd, 80, 0, "LD");
        contact->xBlockAddr = c.blockEdge;
        if (std::string(c.name) == "a copied contact") contact->flagByte1 |= kFlag1CopyMark;
        paint(c.canvas);
        AddHnopBehindLD();
        EXPECT_EQ(objects().size() - 1, c.fillers) << c.name;
    }
}

TEST_F(ObjectInsertion, OrFillersReachTheEdgeOfTheObjectBefore) {
    struct Case {
        const char* name;
        std::uint16_t beforeCode;
        std::uint32_t beforeX, beforeEnd;
        Picture canvas;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"to the end of a contact", kLd, 80, 400, {}, {"B", "80,64 OR", "160,64 NOP", "240,64 NOP", "320,64 NOP"}},
        {"to the start of a joint", kCodeOrb, 330, 400, {}, {"B", "80,64 OR", "160,64 NOP", "240,64 NOP"}},
        {"not when the cell right of it is taken", kLd, 80, 400, {"", "", "    X"}, {"B", "80,64 OR"}},
        {"not when it reaches that edge already", kLd, 80, 160, {}, {"B", "80,64 OR"}},
    };
    for (const Case& c : cases) {
        startList(1040, 640);
        clearVirtualCanvas();
        named(c.beforeCode, c.beforeX, 0, "B")->Xend = c.beforeEnd;
        named(kOr, 80, 64, "OR");
        paint(c.canvas);
        AddHnopBehindOR();
        std::vector<std::string> all = objects();
        all.front() = "B";
        EXPECT_EQ(all, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace kestrion::testing
