#include "reader/ObjectPreparation.h"

#include <gtest/gtest.h>

#include "model/DrawGeometry.h"
#include "model/LadderObject.h"
#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

constexpr std::uint32_t kCell = 64;

class ObjectPreparationTest : public test::CoreTest {
protected:
    ObjectPreparationTest() {
        ModeData.xSizeSymble = kCell;
        ModeData.ySizeSymble = 68;
        setupDrawGeometry();
        initLadderList(draw.iBusLineStart, 680);
    }
    // A new object in front of END, made current.
    stLadderBlock& newObject() {
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        return *ldrNow;
    }
};

TEST_F(ObjectPreparationTest, ARightAlignedObjectEndsAtTheRightBus) {
    stLadderBlock& object = newObject();
    object.xAddr = 65535;
    placeObjectRightAligned(draw.iBusLineStart, 68, 0);
    EXPECT_EQ(object.xAddr, draw.iBusLineEnd - kCell);
    EXPECT_EQ(object.yAddr, 68u);
    EXPECT_EQ(object.Xend, draw.iBusLineEnd);
    placeObjectRightAligned(draw.iBusLineStart, 68, 3);
    EXPECT_EQ(object.xAddr, draw.iBusLineEnd - 4 * kCell);
}

TEST_F(ObjectPreparationTest, AnObjectInTheWayIsSteppedOver) {
    const std::uint32_t target = draw.iBusLineEnd - kCell;
    stLadderBlock& obstacle = newObject();
    obstacle.xAddr = target - kCell;
    obstacle.yAddr = 136;
    stLadderBlock& object = newObject();
    object.xAddr = 65535;
    placeObjectRightAligned(target - kCell, 136, 0);
    EXPECT_EQ(object.xAddr, target + kCell);
    placeObjectRightAligned(target - kCell, 204, 0);
    EXPECT_EQ(object.xAddr, target);
}

TEST_F(ObjectPreparationTest, ClearingTextsTouchesEitherTheMnemonicOrTheOperands) {
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
}

TEST_F(ObjectPreparationTest, ResetPutsANewObjectOffTheGridAsAContact) {
    stLadderBlock& object = newObject();
    object.flagByte1 = 0xFF;
    object.flagByte2 = 0xFF;
    object.objLbc = 4;
    object.end = kEndOutput;
    object.iCode = 0x2000;
    object.rCode = 5;
    object.objNo = 9;
    setText(object.mnemonic, "LD ");
    setText(object.operands[2], "X1");
    setText(object.traceLabel, "A");
    resetNewObject();
    EXPECT_EQ(object.flagByte1, 0);
    EXPECT_EQ(object.flagByte2, 0);
    EXPECT_EQ(object.xAddr, 65535u);
    EXPECT_EQ(object.yAddr, 65535u);
    EXPECT_EQ(object.orbXaddr, draw.iBusLineStart);
    EXPECT_EQ(object.objLbc, 0u);
    EXPECT_EQ(object.end, kEndContact);
    EXPECT_EQ(object.iCode, 0);
    EXPECT_EQ(object.rCode, 0);
    EXPECT_EQ(object.objNo, 0u);
    EXPECT_EQ(textOf(object.mnemonic), "");
    EXPECT_EQ(textOf(object.operands[2]), "");
    EXPECT_EQ(textOf(object.traceLabel), "");
}

}  // namespace
}  // namespace kestrion
