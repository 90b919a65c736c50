#include "devviews/VirtualArrayDump.h"

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "reader/LoaderTestSupport.h"

namespace kestrion::test {
namespace {

using platform::Memo;
using VirtualArrayDump = LoaderTest;
using Texts = std::vector<std::string>;

TEST_F(VirtualArrayDump, EachChoiceShowsItsGridOverTheColumnsInUseUpToItsLastUsedRow) {
    virtualArrayColumns = 3;
    CanvasGrid* grids[] = {&VirtualArray, &BkVirtualArray, &bCompileVirtualArray, &CopyVirtualArray};
    for (int choice = 0; choice < 4; ++choice) {
        grids[choice]->fill(3, ' ');
        grids[choice]->put(choice % 3, 1, 'X');
        grids[choice]->put(3, 1, 'Q');  // past the columns in use
        grids[choice]->put(0, 4, 'Z');
        grids[choice]->put(0, 4, ' ');  // blank rows at the end are cut
        OpenVirtualArrayMemo(choice);
        EXPECT_TRUE(fakes.trace.visible(Memo::VirtualArray));
        EXPECT_EQ(fakes.trace.lines(Memo::VirtualArray),
                  (Texts{"", std::string(std::size_t(choice % 3), ' ') + "X"}));
    }
    OpenVirtualArrayMemo(4);  // no such grid: the memo stays as it is
    EXPECT_EQ(fakes.trace.lineCount(Memo::VirtualArray), 2);
    VirtualArray.put(2, 8191, '\0');  // a cell never cleared shows as a dot
    EXPECT_EQ(virtualArrayDumpRows(kDumpVirtualArray).back(), "  .");
}

TEST_F(VirtualArrayDump, TheGridViewOfASmallLadderIsTheGridOfTheLoadTests) {
    ASSERT_TRUE(load({0x2400, 0x6401, 0x7402, 0xC500, 0x000F}));  // LD X0, OR X1, ORI X2, OUT Y0
    OpenVirtualArrayMemo(kDumpVirtualArray);
    const Texts grid = {"  X                       Y",   " | |", "  X", " | |", "  X", "",
                        "                          Y #", "",     "#"};
    EXPECT_EQ(fakes.trace.lines(Memo::VirtualArray), grid);
    EXPECT_EQ(canvas(), grid);
}

}  // namespace
}  // namespace kestrion::test
