#include "model/ladder/GridEditing.h"

#include "model/CanvasTestSupport.h"

namespace kestrion::test {
namespace {

using GridEditing = CanvasTest;

TEST_F(GridEditing, DeletingALineMovesTheLinesBelowUpToEnd) {
    restart(192);  // END on line 3
    paint({"  X Y", "   |", "  X", "", "  X X", "     |", "  Z"});
    deleteGridLine(64);
    EXPECT_EQ(dump(), (Picture{"  X Y", "   |", "  X X", "     |", "  Z"}));
}

TEST_F(GridEditing, ObjectsBelowALineMoveUpOneCell) {
    restart(192);
    stLadderBlock* above = object(kLd, 80, 64, 64);
    stLadderBlock* below = object(kLd, 80, 128, 128);
    shiftObjectsUp(64);
    EXPECT_EQ(std::tie(above->yAddr, below->yAddr, below->yTopPos, ldrTail->yAddr),
              std::make_tuple(64u, 64u, 64u, 128u));
}

TEST_F(GridEditing, EndMovesDownOnlyFromTheCurrentObjectsLine) {
    restart(128);
    ldrNow = nullptr;
    pushEndObjectDown();
    EXPECT_EQ(ldrTail->yAddr, 128u);
    ldrNow = object(kLd, 80, 64);
    pushEndObjectDown();
    EXPECT_EQ(ldrTail->yAddr, 128u);
    ldrNow = object(kLd, 80, 128);
    pushEndObjectDown();
    EXPECT_EQ(ldrTail->yAddr, 192u);
}

TEST_F(GridEditing, APositionAtTheRightBusWrapsToTheNextLine) {
    EXPECT_EQ(std::make_pair(wrapXAtRightBus(1040, 64), wrapYAtRightBus(1040, 64)),
              std::make_pair(1040u, 64u));
    EXPECT_EQ(std::make_pair(wrapXAtRightBus(1120, 64), wrapYAtRightBus(1120, 64)),
              std::make_pair(80u, 128u));
}

}  // namespace
}  // namespace kestrion::test
