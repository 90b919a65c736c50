#include "compiler/MpsInsertion.h"

#include "compiler/PassTestSupport.h"
#include "model/core/ConversionError.h"

namespace kestrion::test {
namespace {

class MpsPass : public PassTest {
protected:
    static void threeBranches(bool withThird) {
        at(kLd, "LD", 2, 0);
        at(kAnd, "AND", 4, 0);
        at(kOut, "OUT", 6, 0);
        at(kAnd, "AND", 4, 2);
        at(kOut, "OUT", 6, 2);
        if (!withThird) return;
        at(kAnd, "AND", 4, 4);
        at(kOut, "OUT", 6, 4);
    }
};

TEST_F(MpsPass, OneContactFeedingThreeOutputsGetsMpsMrdAndMpp) {
    drawLadder({"  X X Y", "   |", "    X Y", "   |", "    X Y"});
    threeBranches(true);
    AddMpsMrdMppByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "MPS 120,0", "AND 160,0", "OUT 240,0", "MRD 120,64", "AND 160,64",
                               "OUT 240,64", "MPP 120,128", "AND 160,128", "OUT 240,128"}));
    EXPECT_EQ(compileDump(5), (Picture{"1   1", "", "    1", "", "    1"}));
    AddMpsMrdMppByBlock(1);
    EXPECT_EQ(listed().size(), 10u);
}

TEST_F(MpsPass, EveryMiddleBranchGetsItsMrd) {
    drawLadder({"  X X Y", "   |", "    X Y", "   |", "    X Y", "   |", "    X Y"});
    threeBranches(true);
    at(kAnd, "AND", 4, 6);
    at(kOut, "OUT", 6, 6);
    AddMpsMrdMppByBlock(1);
    Texts stack;
    for (const std::string& row : listed())
        if (row[0] == 'M') stack.push_back(row);
    EXPECT_EQ(stack, (Texts{"MPS 120,0", "MRD 120,64", "MRD 120,128", "MPP 120,192"}));
}

TEST_F(MpsPass, OutputsThatFollowStraightOnNeedNoStack) {
    drawLadder({"  X X Y", "", "  X X Y"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 4, 0);
    at(kOut, "OUT", 6, 0);
    at(kLd, "LD", 2, 2);
    at(kAnd, "AND", 4, 2);
    at(kOut, "OUT", 6, 2);
    EXPECT_LE(countDiscontinuousOutputs(1, getEndObjectY()), 1);
    AddMpsMrdMppByBlock(1);
    EXPECT_EQ(listed().size(), 6u);
}

TEST_F(MpsPass, LayerZeroMarksItsCornerCellAndNeverTheLastOutput) {
    drawLadder({"  X X Y", "   |", "    X Y"});
    threeBranches(false);
    _presetMpsConditionByBlock(1, getEndObjectY());
    EXPECT_EQ(compileDump(3), (Picture{"o", "", ""}));
}

TEST_F(MpsPass, TenNestedBranchPointsAreKeptAndAnEleventhIsRefused) {
    std::vector<stLadderBlock> anchors(MpsAnchorStack::kDepth + 1);
    MpsAnchorStack stack;
    for (std::size_t i = 0; i < MpsAnchorStack::kDepth; ++i) stack.push(&anchors[i]);
    EXPECT_EQ(stack.top(), &anchors[MpsAnchorStack::kDepth - 1]);
    EXPECT_TRUE(boxes().empty());
    EXPECT_THROW(stack.push(&anchors.back()), ConversionError);
    EXPECT_EQ(
        boxes(),
        Texts{"MPS nesting deeper than 10 levels: the ladder cannot be converted. | *AddMpsMrdMppByBlock"});
    EXPECT_EQ(stack.top(), &anchors[MpsAnchorStack::kDepth - 1]);  // nothing lost
    for (std::size_t i = 0; i < MpsAnchorStack::kDepth; ++i) stack.pop();
    EXPECT_EQ(stack.top(), nullptr);
    stack.pop();  // an MPP without its MPS pops nothing
    EXPECT_EQ(stack.size(), 0u);
}

}  // namespace
}  // namespace kestrion::test
