#include "model/ObjectInsertion.h"

#include "model/CanvasTestSupport.h"

namespace kestrion::testing {
namespace {

using ObjectInsertion = CanvasTest;

TEST_F(ObjectInsertion, WithOnlyEndEveryInsertIsRefusedWithItsBox) {
    startList();
    insertXnopInstruction(0, 80, 0, 1, 0, 0, "t");
    insertAnbOrbInstruction(0, false, 80, 0, 1, 0, 0, "t");
    insertMpsMrdMppInstruction(0, 80, 0, 1, 0);
    EXPECT_EQ(boxes(), (Texts{"Only [End] Can't Insert | *insertXnopInstruction(", "NULL0 | *insertAnbOrbInstruction",
                              "End instruction only | insertMpsMrdMppInstruction"}));
    EXPECT_EQ(fakes.messages.shown.at(0).icon, platform::MsgIcon::Error);
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(ObjectInsertion, JointsGoBesideTheCurrentObjectWhichStays) {
    startList();
    stLadderBlock* first = object(kLd, 80, 0, 0, 1, "LD");
    stLadderBlock* second = object(kAnd, 160, 0, 0, 1, "AND");
    ldrNow = first;
    insertAnbOrbInstruction(1, true, 400, 0, 2, 0, 7, "");  // at the head: always in front
    ldrNow = second;
    insertAnbOrbInstruction(0, false, 480, 0, 2, 0, 7, "a");
    insertAnbOrbInstruction(1, true, 560, 0, 2, 0, 7, "b");
    insertMpsMrdMppInstruction(0, 120, 0, 3, 0);
    insertMpsMrdMppInstruction(1, 120, 64, 3, 0);
    insertMpsMrdMppInstruction(7, 120, 128, 3, 0);
    EXPECT_EQ(ldrNow, second);
    EXPECT_EQ(objects(), (Texts{"400,0 ORB", "80,0 LD", "480,0 ANB", "120,0 MPS", "120,64 MRD", "120,128 MPP",
                                "160,0 AND", "560,0 ORB"}));
    EXPECT_EQ(std::tuple(textOf(ldrHead->traceLabel), ldrHead->stepNo, ldrHead->Xend), std::tuple("*", 7U, 480U));
    EXPECT_EQ(std::tuple(second->prev->stepNo, second->prev->objLbc), std::tuple(0U, 3U));  // MPP: no step
}

TEST_F(ObjectInsertion, NopsFillTheFreeCellsLeftOfAnOutputRow) {
    const Texts none{"80,0 LD", "160,64 LD", "880,64 OUT"};
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, Picture, Texts> cases[] = {
        {80, 1, 0, {}, {"80,0 LD", "160,64 LD", "240,64 NOP", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},
        {320, 1, 0, {}, {"80,0 LD", "160,64 LD", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},  // xStop
        {80, 1, 0, {"", "       |"}, {"80,0 LD", "160,64 LD", "320,64 NOP", "400,64 NOP", "880,64 OUT"}},
        {80, 2, 0, {}, none},   // the block has no output on the row
        {80, 1, 64, {}, none},  // the row is the first object's top row
    };
    for (const auto& [xStop, outputId, headTop, canvas, expected] : cases) {
        restart();
        object(kLd, 80, 0, headTop, 1, "LD");
        object(kLd, 160, 64, 0, 1, "LD");
        object(kOut, 880, 64, 0, outputId, "OUT")->end = kEndOutput;
        paint(canvas);
        isNeedInsertNopInstr(xStop, 480, 64, 1, "fill");
        EXPECT_EQ(objects(), expected) << xStop << outputId << headTop;
    }
}

TEST_F(ObjectInsertion, OutputRowsAreWiredLeftwardsAndJoinedLinksGetANopJoint) {
    const std::string out(16, ' ');
    const std::tuple<std::uint16_t, bool, Picture, Picture, Texts> cases[] = {
        {kOut, true, {"", "", "  X" + out.substr(3) + "Y"}, {"", "", "  X ~ ~ ~ ~ ~ ~ Y"}, {"80,64 LD", "640,64 OUT"}},
        {20, false, {"", "", out + "Y"}, {"", "", "  ~ ~ ~ ~ ~ ~ ~ Y"}, {"640,64 OUT"}},  // unconditional
        {kOut, false, {"", "", out + "Y"}, {"", "", "    ~ ~ ~ ~ ~ ~ Y"}, {"640,64 OUT"}},
        {kOut, false, {"", "           |", out + "Y"}, {"", "           |", "            # ~ Y"},
         {"480,64 #NOP", "640,64 OUT"}},
    };
    for (const auto& [code, contact, before, after, expected] : cases) {
        restart();
        object(kLd, 80, 0, 0, 1, "H");
        if (contact) object(kLd, 80, 64, 0, 1, "LD");
        object(code, 640, 64, 0, 1, "OUT")->stepNo = 4;
        paint(before);
        InsertNopBeforeFncInstr();
        EXPECT_EQ(dump(10), after) << after.back();  // END's own row is wired too, further down
        Texts all = objects();
        EXPECT_EQ(Texts(all.begin() + 1, all.end()), expected) << after.back();
        EXPECT_EQ(ldrHead->next->stepNo, contact ? kStepNoUnassigned : 4U);  // a joint takes the output's
    }
}

TEST_F(ObjectInsertion, JointCellsBeforeOutputsUnderALink) {
    startList();
    object(kOut, 640, 128, 0);
    object(kOut, 640, 192, 192);  // on its block's top row: left alone
    paint({"", "", "", " | |   | | |", "  ~ X ~ - ~ ~ ~ Y", "   |   | | |", "  ~ X ~ - ~ ~ ~ Y"});
    markNopCellsBeforeOutputs();
    EXPECT_EQ(dump(), (Picture{"", "", "", " | |   | | |", "  ~ X ~ # # # ~ Y", "   |   | | |", "  ~ X ~ - ~ ~ ~ Y"}));
}

TEST_F(ObjectInsertion, NopJointsBeforeOutputsBelowTheirTopRowUntilOneIsThereAlready) {
    startList();
    object(kLd, 80, 0, 0, 1, "H");
    object(kLd, 320, 256, 0, 1, "L");
    for (const auto& [y, top, xMaxi] : {std::tuple{64U, 0U, 480U}, {128U, 0U, 600U}, {192U, 192U, 400U},
                                        {256U, 0U, 320U}, {320U, 0U, 400U}}) {
        stLadderBlock* output = object(kOut, 640, y, top, 1, "OUT");
        std::tie(output->end, output->xMaxi, output->stepNo) = std::tuple(kEndOutput, xMaxi, 9U);
    }
    InsertYNopBeforeEndSymbleB();  // the one at 256 finds L in its place: the pass ends there
    EXPECT_EQ(objects(), (Texts{"80,0 H", "320,256 L", "480,64 #NOP", "640,64 OUT", "640,128 OUT", "640,192 OUT", "640,256 OUT",
                                "640,320 OUT"}));
    EXPECT_EQ(ldrHead->next->next->stepNo, 9U);
    EXPECT_EQ(dump(), (Picture{"", "", "            #"}));
}

TEST_F(ObjectInsertion, FillersBetweenAnAnbAndTheOrbThatFollowsIt) {
    startList();
    object(kCodeAnb, 200, 64, 0, 1, "ANB")->xBlockAddr = 720;
    object(kCodeOrb, 400, 64, 0, 1, "ORB");
    object(kCodeAnb, 160, 128, 0, 1, "ANB");
    object(kCodeOrb, 400, 192, 0, 1, "ORB");  // another row: nothing
    AddHnopBetweenAnbOrb();
    EXPECT_EQ(objects(), (Texts{"200,64 ANB", "160,64 NOP", "240,64 NOP", "320,64 NOP", "400,64 ORB", "160,128 ANB",
                                "400,192 ORB"}));
    EXPECT_EQ(ldrHead->next->xBlockAddr, 720U);
    EXPECT_EQ(dump(), (Picture{"", "", "    - - -"}));
}

TEST_F(ObjectInsertion, LdFillersFollowTheContactNearestLastAndAndFillersNearestFirst) {
    for (const auto& [code, fill, expected] :
         {std::tuple{kLd, &AddHnopBehindLD, Texts{"80,0 C", "240,0 NOP", "160,0 NOP", "400,0 C", "480,0 OUT", "880,0 C",
                                                  "960,0 NOP"}},
          {kAnd, &AddHnopBehindAND,
           Texts{"80,0 C", "160,0 NOP", "240,0 NOP", "400,0 C", "480,0 OUT", "880,0 C", "960,0 NOP"}}}) {
        restart();
        object(code, 80, 0, 0, 1, "C")->xBlockAddr = 320;
        object(code, 400, 0, 0, 1, "C")->xBlockAddr = 640;  // an object one cell right: no fillers
        object(kOut, 480, 0, 0, 1, "OUT");
        object(code, 880, 0, 0, 1, "C")->xBlockAddr = 1200;  // the last cell before the bus stays free
        object(code, 880, 128, 0, 1, "C")->flagByte1 = kFlag1CopyMark;
        object(code, 880, 256, 0, 1, "C")->xBlockAddr = 1200;
        setCanvasCell(23, 9, '|');  // below the right side of the last one
        fill();
        Texts all = objects();
        EXPECT_EQ(Texts(all.begin(), all.end() - 2), expected) << code;
        EXPECT_EQ(dump(1), Picture{"    - -                 -"}) << code;
    }
}

TEST_F(ObjectInsertion, OrFillersReachTheEdgeOfTheObjectBefore) {
    const std::tuple<std::uint16_t, std::uint32_t, std::uint32_t, Picture, Texts> cases[] = {
        {kLd, 80, 400, {}, {"80,0 B", "80,64 OR", "160,64 NOP", "240,64 NOP", "320,64 NOP"}},  // a contact's end
        {kCodeOrb, 330, 400, {}, {"330,0 B", "80,64 OR", "160,64 NOP", "240,64 NOP"}},     // a joint's start
        {kLd, 80, 400, {"", "", "    X"}, {"80,0 B", "80,64 OR"}},  // the cell right of it is taken
        {kLd, 80, 160, {}, {"80,0 B", "80,64 OR"}},                 // it reaches that edge already
    };
    for (const auto& [code, x, end, canvas, expected] : cases) {
        restart();
        object(code, x, 0, 0, 1, "B")->Xend = end;
        object(kOr, 80, 64, 0, 1, "OR");
        paint(canvas);
        AddHnopBehindOR();
        EXPECT_EQ(objects(), expected) << code << " " << end;
    }
}

}  // namespace
}  // namespace kestrion::testing
