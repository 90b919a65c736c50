#include "devviews/VirtualArrayDump.h"

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using VirtualArrayDump = CoreTest;

TEST_F(VirtualArrayDump, EachChoiceShowsItsGridOverTheColumnsInUseUpToItsLastUsedRow) {
    virtualArrayColumns = 3;
    CanvasGrid* grids[] = {&VirtualArray, &BkVirtualArray, &bCompileVirtualArray, &CopyVirtualArray};
    for (int choice = 0; choice < 4; ++choice) {
        grids[choice]->fill(3, ' ');
        grids[choice]->put(choice % 3, 1, 'X');
        grids[choice]->put(3, 1, 'Q');  // past the columns in use
        EXPECT_EQ(OpenVirtualArrayMemo(choice), "\n" + std::string(std::size_t(choice % 3), ' ') + "X\n");
    }
    EXPECT_TRUE(virtualArrayDumpRows(4).empty());
    VirtualArray.put(2, 8191, '\0');  // a cell never cleared shows as a dot
    EXPECT_EQ(virtualArrayDumpRows(kDumpVirtualArray).back(), "  .");
}

}  // namespace
}  // namespace kestrion::test
