#include "reader/ObjectPreparation.h"

#include <gtest/gtest.h>

#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

constexpr std::uint32_t kCell = 64;

class ObjectPreparationTest : public test::CoreTest {
protected:
    ObjectPreparationTest() {
        ModeData.xSizeSymble = kCell;
        setupDrawGeometry();
        initLadderList(draw.iBusLineStart, 680);
    }
    stLadderBlock& newObject() {
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        return *ldrNow;
    }
};

TEST_F(ObjectPreparationTest, ARightAlignedObjectEndsAtTheRightBusUnlessAnObjectIsInTheWay) {
    const std::uint32_t end = draw.iBusLineEnd;
    stLadderBlock& obstacle = newObject();
    obstacle.xAddr = end - 2 * kCell;
    obstacle.yAddr = 136;
    stLadderBlock& object = newObject();
    placeObjectRightAligned(draw.iBusLineStart, 68, 0);
    EXPECT_EQ(object.xAddr, end - kCell);
    EXPECT_EQ(object.Xend, end);
    placeObjectRightAligned(draw.iBusLineStart, 68, 3);
    EXPECT_EQ(object.xAddr, end - 4 * kCell);
    placeObjectRightAligned(end - 2 * kCell, 136, 0);
    EXPECT_EQ(object.xAddr, end);
}

TEST_F(ObjectPreparationTest, ResetAndClearingEmptyTheTextsTheyAreAskedFor) {
    stLadderBlock& object = newObject();
    setText(object.mnemonic, "MOV");
    for (auto& text : object.operands) setText(text, "D10");
    setText(object.operand6, "K1");
    clearNewObjectText(0);
    EXPECT_EQ(textOf(object.mnemonic), "");
    EXPECT_EQ(textOf(object.operands[4]), "D10");
    setText(object.mnemonic, "MOV");
    clearNewObjectText(1);
    EXPECT_EQ(textOf(object.mnemonic), "MOV");
    for (const auto& text : object.operands) EXPECT_EQ(textOf(text), "");
    EXPECT_EQ(textOf(object.operand6), "");
    object.end = kEndOutput;
    object.objLbc = 4;
    resetNewObject();
    EXPECT_EQ(object.objLbc, 0u);
    EXPECT_EQ(textOf(object.mnemonic), "");
    EXPECT_EQ(object.xAddr, 65535u);
    EXPECT_EQ(object.orbXaddr, draw.iBusLineStart);
    EXPECT_EQ(object.end, kEndContact);
}

}  // namespace
}  // namespace kestrion
