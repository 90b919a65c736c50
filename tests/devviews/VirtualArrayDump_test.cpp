#include "devviews/VirtualArrayDump.h"

#include "model/CanvasState.h"
#include "model/DrawGeometry.h"
#include "support/Fixture.h"

namespace kestrion::testing {
namespace {

class VirtualArrayDump : public CoreTest {
protected:
    VirtualArrayDump() { virtualArrayColumns = 40; }
};

TEST_F(VirtualArrayDump, EachChoiceShowsItsGridOverTheColumnsInUseUpToItsLastUsedRow) {
    for (const auto& [choice, grid] : {std::pair{kDumpVirtualArray, &VirtualArray}, {kDumpBkVirtualArray, &BkVirtualArray},
                                       {kDumpCompileVirtualArray, &bCompileVirtualArray},
                                       {kDumpCopyVirtualArray, &CopyVirtualArray}}) {
        grid->fill(virtualArrayColumns, ' ');
        grid->put(2 + choice, 1, 'X');
        grid->put(39, 1, '|');
        grid->put(40, 1, 'Q');  // past the columns in use
        const auto at = static_cast<std::size_t>(2 + choice);
        EXPECT_EQ(OpenVirtualArrayMemo(choice), "\n" + std::string(at, ' ') + "X" + std::string(38 - at, ' ') + "|\n");
    }
    EXPECT_TRUE(virtualArrayDumpRows(4).empty());
    resetAllState();  // a grid never cleared shows its cells as dots
    virtualArrayColumns = 4;
    EXPECT_EQ(virtualArrayDumpRows(kDumpVirtualArray).at(8191), "....");
}

}  // namespace
}  // namespace kestrion::testing
