#include "model/ladder/ObjectInsertion.h"

#include <optional>

#include "model/CanvasTestSupport.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion::test {
namespace {

using ObjectInsertion = CanvasTest;

TEST_F(ObjectInsertion, WithOnlyEndEveryInsertIsRefusedWithItsBox) {
    startList();
    insertXnopInstruction(0, 80, 0, 1, 0, 0, "t");
    insertAnbOrbInstruction(0, false, 80, 0, 1, 0, 0, "t");
    insertMpsMrdMppInstruction(0, 80, 0, 1, 0);
    EXPECT_EQ(boxes(),
              (Texts{"Only [End] Can't Insert | *insertXnopInstruction(", "NULL0 | *insertAnbOrbInstruction",
                     "End instruction only | insertMpsMrdMppInstruction"}));
    EXPECT_TRUE(fakes.messages.shown.at(0).icon == platform::MsgIcon::Error && links::holdsOne(ldrList));
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
    for (const int kind : {0, 1, 7})
        insertMpsMrdMppInstruction(kind, 120, 64 * std::uint32_t(kind % 6), 3, 0);
    EXPECT_EQ(ldrNow, second);
    EXPECT_EQ(objects(), (Texts{"400,0 ORB", "80,0 LD", "480,0 ANB", "120,0 MPS", "120,64 MRD", "120,64 MPP",
                                "160,0 AND", "560,0 ORB"}));
    EXPECT_EQ(std::tuple(textOf(ldrHead->traceLabel), ldrHead->Xend, second->prev->objLbc),
              std::tuple("*", 480U, 3U));
    EXPECT_EQ(codes(), (std::vector<std::uint16_t>{kCodeOrb, kLd, kCodeAnb, kCodeMps, kCodeMrd, kCodeMpp,
                                                   kAnd, kCodeOrb, kCodeEnd}));
}

TEST_F(ObjectInsertion, NopsFillTheFreeCellsLeftOfAnOutputRow) {
    using Xs = std::vector<std::uint32_t>;
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, bool, Xs> cases[] = {
        {80, 1, 0, false, {240, 320, 400}},  // up to the contact, each linked in reading order
        {80, 1, 0, true, {320, 400}},        // up to a link
        {80, 2, 0, false, {}},               // the block has no output on the row
        {80, 1, 64, false, {}},              // the row is the first object's top row
    };
    for (const auto& [xStop, outputId, headTop, link, expected] : cases) {
        restart();
        object(kLd, 80, 0, headTop);
        object(kLd, 160, 64);
        object(kOut, 880, 64, 0, outputId)->end = kEndOutput;
        if (link) setCanvasCell(7, 1, '|');
        isNeedInsertNopInstr(xStop, 480, 64, 1, "fill");
        EXPECT_EQ(nops(), expected) << xStop << outputId << headTop;
        EXPECT_EQ(ldrTail->prev->xAddr, 880U);
    }
}

TEST_F(ObjectInsertion, OutputRowsAreWiredLeftwardsAndJoinedLinksGetANopJoint) {
    const std::tuple<std::uint16_t, bool, int, std::string, std::string> cases[] = {
        {kOut, true, 0, "  X ~ ~ ~ ~ ~ ~ Y", "80,64 "},
        {20, false, 0, "  ~ ~ ~ ~ ~ ~ ~ Y", "80,0 "},  // without input condition the first cell too
        {kOut, false, 0, "    ~ ~ ~ ~ ~ ~ Y", "80,0 "},
        {kOut, false, 1, "            # ~ Y", "480,64 #NOP"},
    };
    for (const auto& [code, contact, link, after, before] : cases) {
        restart();
        object(kLd, 80, 0);
        if (contact) object(kLd, 80, 64);
        object(code, 640, 64)->stepNo = 4;
        paint({"", "", std::string(contact ? "  X" : "   ") + std::string(13, ' ') + "Y"});
        setCanvasCell(link == 0 ? -1 : 11, link, '|');
        InsertNopBeforeFncInstr();
        EXPECT_EQ(dump(3).at(2), after);  // END's own row is wired too, further down
        EXPECT_EQ(objects().rbegin()[1], before);
        EXPECT_EQ(ldrTail->prev->prev->stepNo == 4, link != 0) << after;  // the joint takes the output's step
    }
}

// Convert wires the rows with the position index on: the places right of the nearest object on
// the row are then answered without a search. The wiring, the joints and the last search's
// answer (END's row is walked last) are those of the walk without the index.
TEST_F(ObjectInsertion, WithThePositionIndexOnOutputRowsAreWiredAsWithoutIt) {
    const std::tuple<bool, int, int> cases[] = {
        {true, 0, 0},   // stops at the contact
        {false, 0, 0},  // runs to the bus
        {false, 1, 0},  // a joint at a link
        {true, 0, 1},   // an object off the walk's grid is passed over
    };
    for (const auto& [contact, link, offGrid] : cases) {
        std::vector<std::string> seen[2];
        const stLadderBlock* stopped[2] = {};
        for (const bool indexed : {false, true}) {
            restart();
            object(kLd, 80, 0);
            if (contact) object(kLd, 240, 64);
            if (offGrid != 0) object(kLd, 440, 64);
            object(kOut, 640, 64)->stepNo = 4;
            paint({"", "", std::string(contact ? "      X" : "       ") + std::string(9, ' ') + "Y"});
            setCanvasCell(link == 0 ? -1 : 11, link, '|');
            ldrSearch = ldrHead;
            {
                std::optional<PositionIndexScope> index;
                if (indexed) index.emplace();
                InsertNopBeforeFncInstr();
            }
            seen[indexed] = objects();
            seen[indexed].push_back(dump(3).at(2));
            stopped[indexed] = ldrSearch;
        }
        EXPECT_EQ(seen[1], seen[0]) << contact << link << offGrid;
        EXPECT_EQ(stopped[1], stopped[0]) << contact << link << offGrid;
    }
}

TEST_F(ObjectInsertion, NopJointsBeforeOutputsBelowTheirTopRowUntilOneIsThereAlready) {
    startList();
    object(kLd, 80, 0, 0, 1, "H");
    object(kLd, 320, 256, 0, 1, "L");
    const std::uint32_t outputs[][3] = {
        {64, 0, 480}, {128, 0, 600}, {192, 192, 400}, {256, 0, 320}, {320, 0, 400}};
    for (const auto& [y, top, xMaxi] : outputs) {
        stLadderBlock* output = object(kOut, 640, y, top, 1, "OUT");
        std::tie(output->end, output->xMaxi, output->stepNo) = std::tuple(kEndOutput, xMaxi, 9U);
    }
    InsertYNopBeforeEndSymbleB();
    EXPECT_EQ(objects(), (Texts{"80,0 H", "320,256 L", "480,64 #NOP", "640,64 OUT", "640,128 OUT",
                                "640,192 OUT", "640,256 OUT", "640,320 OUT"}));
    EXPECT_EQ(ldrHead->next->next->stepNo, 9U);
    EXPECT_EQ(dump(), (Picture{"", "", "            #"}));
}

TEST_F(ObjectInsertion, FillersBetweenAnAnbAndTheOrbThatFollowsIt) {
    startList();
    object(kCodeAnb, 200, 64, 0, 1, "ANB")->xBlockAddr = 720;
    object(kCodeOrb, 400, 64, 0, 1, "ORB");
    object(kCodeAnb, 160, 128, 0, 1, "ANB");
    object(kCodeOrb, 400, 192, 0, 1, "ORB");  // another row: nothing
    AddHnopBetweenAnbOrb();                   // in rising x between the ANB and the ORB
    EXPECT_EQ(std::tuple(nops(), ldrHead->next->xBlockAddr, ldrHead->next->next->next->next->iCode),
              std::tuple(std::vector<std::uint32_t>{160, 240, 320}, 720U, kCodeOrb));
    EXPECT_EQ(dump(), (Picture{"", "", "    - - -"}));
}

TEST_F(ObjectInsertion, LdFillersFollowTheContactNearestLastAndAndFillersNearestFirst) {
    using Xs = std::vector<std::uint32_t>;
    for (const auto& [code, fill, expected] : {std::tuple{kLd, &AddHnopBehindLD, Xs{240, 160, 960}},
                                               {kAnd, &AddHnopBehindAND, Xs{160, 240, 960}}}) {
        restart();
        object(code, 80, 0, 0, 1, "C")->xBlockAddr = 320;
        object(code, 400, 0, 0, 1, "C")->xBlockAddr = 640;  // an object one cell right: no fillers
        object(kOut, 480, 0, 0, 1, "OUT");
        object(code, 880, 0, 0, 1, "C")->xBlockAddr = 1200;  // the last cell before the bus stays free
        object(code, 880, 128, 0, 1, "C")->flagByte1 = kFlag1CopyMark;
        object(code, 880, 256, 0, 1, "C")->xBlockAddr = 1200;
        setCanvasCell(23, 9, '|');  // below the right side of the last one
        fill();
        EXPECT_EQ(std::pair(nops(), ldrHead->next->xAddr), std::pair(expected, expected[0])) << code;
        EXPECT_EQ(dump(1), Picture{"    - -                 -"}) << code;
    }
}

TEST_F(ObjectInsertion, OrFillersReachTheEdgeOfTheObjectBefore) {
    using Xs = std::vector<std::uint32_t>;
    const std::tuple<std::uint16_t, std::uint32_t, std::uint32_t, bool, Xs> cases[] = {
        {kLd, 80, 400, false, {160, 240, 320}},   // the end of a contact, in rising x after the OR
        {kCodeOrb, 330, 400, false, {160, 240}},  // the start of a joint
        {kLd, 80, 400, true, {}},                 // the cell right of it is taken
    };
    for (const auto& [code, x, end, taken, expected] : cases) {
        restart();
        object(code, x, 0)->Xend = end;
        object(kOr, 80, 64);
        if (taken) setCanvasCell(4, 2, 'X');
        AddHnopBehindOR();
        EXPECT_EQ(nops(), expected) << code << " " << end;
    }
}

}  // namespace
}  // namespace kestrion::test
