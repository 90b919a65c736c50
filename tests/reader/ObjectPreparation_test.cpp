#include "reader/ObjectPreparation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

struct RightAlignedCase {
    const char* name;
    std::uint32_t fromCellsLeftOfBus;       // where the walk starts, in cells left of the right bus
    std::uint32_t offset;                   // pixels right of that cell's left edge
    std::vector<std::uint32_t> takenCells;  // obstacles on the row, in cells left of the right bus
    std::int64_t endsCellsPastBus;          // where the object lands: its left edge, bus + n cells
    std::int64_t extraPixels;
};

TEST_F(ObjectPreparationTest, OnlyTakenCellsFromTheLastPlaceBeforeTheTargetMoveARightAlignedObject) {
    const std::vector<RightAlignedCase> cases = {
        {"free row", 8, 0, {}, -1, 0},
        {"obstacles well left of the target", 8, 0, {7, 4, 3}, -1, 0},
        {"an obstacle on the last place", 8, 0, {2}, 0, 0},
        {"a run of obstacles from the last place", 8, 0, {2, 1}, 1, 0},
        {"a start off the target's grid keeps its grid", 3, 10, {}, -1, 10},
        {"off the grid, an obstacle on its last place", 3, 10, {2}, 0, 10},
        {"a start on the target", 1, 0, {1}, -1, 0},
        {"a start past the target stays", 0, 5, {}, 0, 5},
    };
    const std::int64_t end = draw.iBusLineEnd;
    std::uint32_t row = 136;
    for (const RightAlignedCase& c : cases) {
        for (const std::uint32_t cells : c.takenCells) {
            stLadderBlock& obstacle = newObject();
            obstacle.xAddr = draw.iBusLineEnd - cells * kCell + c.offset;
            obstacle.yAddr = row;
        }
        stLadderBlock& object = newObject();
        placeObjectRightAligned(draw.iBusLineEnd - c.fromCellsLeftOfBus * kCell + c.offset, row, 0);
        EXPECT_EQ(std::int64_t{object.xAddr}, end + c.endsCellsPastBus * kCell + c.extraPixels) << c.name;
        EXPECT_EQ(object.yAddr, row) << c.name;
        row += 68;
    }
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
