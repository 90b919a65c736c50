// The row of the next branch after an output of a stack group: after a coil it follows the cursor
// down, and one that already stands on the cursor's row moves one row further (a branch point's
// branches never share a row); after any other output it moves one row.
#include "reader/StackPlacement.h"

#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "reader/LoadState.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using StackPlacementTest = test::CoreTest;

struct RowCase {
    const char* what;
    std::uint8_t mpOpen, mppOpen, mppOutputDone;
    std::uint32_t pointer, cursorY, bottom;
    std::uint32_t expected;
};

TEST_F(StackPlacementTest, TheNextBranchRowAfterACoilFollowsTheCursor) {
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    setupDrawGeometry();
    // clang-format off
    const RowCase cases[] = {
        {"MPS branch, pointer above the cursor", 1, 0, 0, 64, 128, 128, 128},
        {"MPS branch, on the cursor's row at the bottom", 1, 0, 0, 128, 128, 128, 192},
        {"MPS branch, on the cursor's row below the bottom", 1, 0, 0, 128, 128, 64, 128},
        {"MPS branch, pointer below the cursor", 1, 0, 0, 256, 128, 128, 256},
        {"MPP branch, pointer above the cursor", 0, 1, 0, 64, 128, 0, 128},
        {"MPP branch, on the cursor's row", 0, 1, 0, 128, 128, 0, 192},
        {"MPP branch, pointer below the cursor", 0, 1, 0, 256, 128, 0, 256},
        {"after the MPP branch's output", 0, 0, 1, 128, 128, 0, 192},
        {"no stack group open", 0, 0, 0, 128, 128, 0, 128},
    };
    // clang-format on
    for (const RowCase& c : cases) {
        mpOpen = c.mpOpen;
        mpOutputDone = 0;
        mppOpen = c.mppOpen;
        mppOutputDone = c.mppOutputDone;
        mpStack.yPointer = c.pointer;
        conv.Y = c.cursorY;
        ladderBottomY = c.bottom;
        updateMpYAfterCoil();
        EXPECT_EQ(mpStack.yPointer, c.expected) << c.what;
        EXPECT_EQ(mpOutputDone, c.mpOpen) << c.what;
        EXPECT_EQ(mppOpen, 0) << c.what;
        EXPECT_EQ(mppOutputDone, c.mppOpen | c.mppOutputDone) << c.what;
    }
}

TEST_F(StackPlacementTest, TheNextBranchRowAfterAnyOtherOutputMovesOneRow) {
    ModeData.ySizeSymble = 64;
    setupDrawGeometry();
    for (const auto& [mp, mpp, expected] :
         {std::tuple{1, 0, 192u}, {0, 1, 192u}, {1, 1, 256u}, {0, 0, 128u}}) {
        mpOpen = static_cast<std::uint8_t>(mp);
        mppOpen = static_cast<std::uint8_t>(mpp);
        mpOutputDone = mppOutputDone = 0;
        mpStack.yPointer = 128;
        updateMpYAfterOutput();
        EXPECT_EQ(mpStack.yPointer, expected) << mp << mpp;
        EXPECT_EQ(mppOpen, 0);
    }
}

}  // namespace
}  // namespace kestrion
