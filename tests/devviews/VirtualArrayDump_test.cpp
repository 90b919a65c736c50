#include "devviews/VirtualArrayDump.h"

#include "model/CanvasState.h"
#include "model/DrawGeometry.h"
#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion::testing {
namespace {

class VirtualArrayDump : public CoreTest {
protected:
    VirtualArrayDump() {
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        setupDrawGeometry();
    }
};

TEST_F(VirtualArrayDump, EachChoiceShowsItsGridUpToItsLastUsedRow) {
    const std::pair<int, CanvasGrid*> grids[] = {{kDumpVirtualArray, &VirtualArray},
                                                 {kDumpBkVirtualArray, &BkVirtualArray},
                                                 {kDumpCompileVirtualArray, &bCompileVirtualArray},
                                                 {kDumpCopyVirtualArray, &CopyVirtualArray}};
    for (const auto& [choice, grid] : grids) {
        grid->fill(virtualArrayColumns, ' ');
        grid->put(2 + choice, 1, 'X');
        grid->put(39, 1, '|');
        grid->put(40, 1, 'Q');  // past the columns in use
        EXPECT_EQ(OpenVirtualArrayMemo(choice), "\n" + std::string(std::size_t(2 + choice), ' ') + "X" +
                                                    std::string(std::size_t(36 - choice), ' ') + "|\n")
            << choice;
    }
    EXPECT_TRUE(virtualArrayDumpRows(4).empty());
}

TEST_F(VirtualArrayDump, ANeverClearedGridShowsItsCellsAsDots) {
    VirtualArray.put(3, 0, 'X');
    const auto rows = virtualArrayDumpRows(kDumpVirtualArray);
    ASSERT_EQ(rows.size(), 8192U);
    EXPECT_EQ(rows.at(0), "...X" + std::string(36, '.'));
}

}  // namespace
}  // namespace kestrion::testing
