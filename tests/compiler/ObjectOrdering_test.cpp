#include "compiler/ObjectOrdering.h"

#include <utility>

#include "compiler/PassTestSupport.h"
#include "model/core/ConversionError.h"

namespace kestrion::test {
namespace {

class ObjectOrdering : public PassTest {
protected:
    static void detachAsSource() {
        const std::uint32_t endY = ldrTail->yAddr, endId = ldrTail->objLbc;
        std::swap(ldrList, ldrUndoList);
        initLadderList(1040, endY);
        ldrTail->objLbc = endId;
    }
};

TEST_F(ObjectOrdering, ABranchIsFinishedBeforeTheElementAfterItsJunction) {
    drawLadder({"  X X Y", "   | |", "    X"});
    at(kOut, "OUT Y0", 6, 0);  // placed in editing order
    at(kLd, "X2", 4, 2);
    at(kLd, "X1", 4, 0);
    at(kLd, "X0", 2, 0);
    detachAsSource();
    Modify_ObjectLinkSequence(1, 80, 0);
    EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "X2 160,64", "OUT Y0 240,0"}));
    EXPECT_TRUE(boxes().empty());
}

// Convert walks with the position indexes of both lists on: every object the walk has taken is
// found at its place in the main list and no longer in the source, moved there or, when a command
// snapshot holds it, copied (the source object then goes).
TEST_F(ObjectOrdering, EveryObjectTakenStandsInTheMainListsIndexAndNoLongerInTheSources) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held);
        drawLadder({"  X X Y", "   | |", "    X"});
        at(kOut, "OUT Y0", 6, 0);
        at(kLd, "X2", 4, 2);
        stLadderBlock* x1 = at(kLd, "X1", 4, 0);
        at(kLd, "X0", 2, 0);
        detachAsSource();
        x1->heldBySnapshots = held ? 1 : 0;
        {
            const UndoIndexScope sourceIndex;
            const PositionIndexScope index;
            Modify_ObjectLinkSequence(1, 80, 0);
            for (const auto& [x, y] : {std::pair{80u, 0u}, {160u, 0u}, {160u, 64u}, {240u, 0u}}) {
                EXPECT_TRUE(searchLadderObject(kSearchMain, x, y)) << x << "," << y;
                EXPECT_FALSE(searchLadderObject(kSearchUndo, x, y)) << x << "," << y;
            }
        }
        EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "X2 160,64", "OUT Y0 240,0"}));
        ASSERT_NE(ldrUndoHead, nullptr);  // the source keeps its END alone
        EXPECT_EQ(std::pair(ldrUndoHead, ldrUndoHead->iCode), std::pair(ldrUndoTail, kCodeEnd));
        EXPECT_EQ(ldrHead->next == x1, !held);
    }
}

TEST_F(ObjectOrdering, AfterAnOutputTheWalkGoesOnAtTheBranchOfTheNextOutput) {
    drawLadder({"  X X Y", "   |", "    X Y"});
    at(kOut, "OUT Y1", 6, 2);
    at(kLd, "X2", 4, 2);
    at(kOut, "OUT Y0", 6, 0);
    at(kLd, "X1", 4, 0);
    at(kLd, "X0", 2, 0);
    detachAsSource();
    Modify_ObjectLinkSequence(1, 80, 0);
    EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "OUT Y0 240,0", "X2 160,64", "OUT Y1 240,64"}));
}

TEST_F(ObjectOrdering, ABranchFromTheBusIsWalkedFromItsStartAtTheBus) {
    drawLadder({"  X X Y", "     |", "  X X"});
    at(kLd, "X3", 4, 2);
    at(kLd, "X2", 2, 2);
    at(kOut, "OUT", 6, 0);
    at(kLd, "X1", 4, 0);
    at(kLd, "X0", 2, 0);
    detachAsSource();
    Modify_ObjectLinkSequence(1, 80, 0);
    EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "X2 80,64", "X3 160,64", "OUT 240,0"}));
}

TEST_F(ObjectOrdering, AStrangeCornerCellIsReportedAndPassedOver) {
    drawLadder({"  X X Y", "   #"});
    at(kLd, "X0", 2, 0);
    at(kLd, "X1", 4, 0);
    at(kOut, "OUT", 6, 0);
    detachAsSource();
    Modify_ObjectLinkSequence(1, 80, 0);
    EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "OUT 240,0"}));
    EXPECT_EQ(boxes(), Texts{"Error2015010209 | *Modify_ObjectLinkSequence"});
}

TEST_F(ObjectOrdering, JointsOfTheSourceAreLeftForTheLaterPasses) {
    drawLadder({"  X X Y"});
    at(kLd, "X0", 2, 0);
    at(kCodeAnb, "ANB", 2, 0);
    at(kLd, "X1", 4, 0);
    at(kOut, "OUT", 6, 0);
    detachAsSource();
    Modify_ObjectLinkSequence(1, 80, 0);
    EXPECT_EQ(listed(), (Texts{"X0 80,0", "X1 160,0", "OUT 240,0"}));
}

TEST_F(ObjectOrdering, AnObjectTheWiringCannotReachAbortsTheConversion) {
    drawLadder({"  X X Y", "", "", "", ""});
    at(kLd, "X0", 2, 0);
    at(kLd, "X1", 4, 0);
    at(kOut, "OUT", 6, 0);
    at(kLd, "stray", 6, 4);
    detachAsSource();
    EXPECT_THROW(Modify_ObjectLinkSequence(1, 80, 0), ConversionError);
    EXPECT_EQ(boxes(),
              Texts{"Block 1: 3 of 4 objects are reached by its wiring; the ladder cannot be put in order. | "
                    "*Modify_ObjectLinkSequence"});
}

// The block's row is that of its topmost output, whatever the list's order of its outputs (a line
// typed over a lower output stands in front of those above it): its label goes there.
TEST_F(ObjectOrdering, EveryObjectOfABlockGetsTheRowOfItsTopOutput) {
    drawLadder({"  X Y", "", "  X Y", "", "  X Y"});
    at(kLabel, "P0", 0, 8, 0, 1);
    at(kLd, "X0", 2, 2, 0, 1);
    at(kOut, "OUT", 4, 2, 0, 1);
    at(kOut, "OUT", 4, 0, 0, 1);
    at(0xB805, "I5", 0, 10, 0, 2);
    at(kLd, "X1", 2, 4, 0, 2);
    at(kOut, "OUT", 4, 4, 0, 2);
    setBlockOutputRow();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> rows;  // yAddr, yTopPos
    for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next) rows.emplace_back(o->yAddr, o->yTopPos);
    EXPECT_EQ(rows, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                        {0, 0}, {64, 0}, {64, 0}, {0, 0}, {128, 128}, {128, 128}, {128, 128}}));
}

// A label moved to the row of the output after it no longer heads its own row (the objects behind
// it on that row do), and heads the row it moved to from its place in the list.
TEST_F(ObjectOrdering, ALabelThatMovesHeadsTheRowItMovedToAndNoLongerItsOwn) {
    drawLadder({"  X Y", "", "  X Y", "", "  X Y"});
    at(kLd, "X0", 2, 0, 0, 1);
    at(kOut, "OUT", 4, 0, 0, 1);
    at(kLabel, "P1", 0, 2, 0, 2);
    at(kOut, "OUT", 4, 4, 0, 5);  // heads its own row: the label joins it
    at(kLd, "X1", 2, 2, 0, 3);    // the label is gone: X1 heads the row
    at(kOut, "OUT", 4, 2, 0, 3);
    at(kLd, "X2", 2, 4, 0, 4);
    at(kOut, "OUT", 4, 4, 0, 4);  // the row is headed by the label now: block 2 ends here
    setBlockOutputRow();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> rows;  // yAddr, yTopPos
    for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next) rows.emplace_back(o->yAddr, o->yTopPos);
    EXPECT_EQ(rows, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                        {0, 0}, {0, 0}, {128, 128}, {128, 128}, {64, 64}, {64, 64}, {128, 0}, {128, 0}}));
}

}  // namespace
}  // namespace kestrion::test
