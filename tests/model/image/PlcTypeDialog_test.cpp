#include "model/image/PlcTypeDialog.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class PlcTypeDialogTest : public test::CoreTest {};

TEST_F(PlcTypeDialogTest, ClickingAnItemSetsItsTypeAndClampsTheSize) {
    const std::array<int, 4> cases[] = {{0, 4, 1, 2}, {1, 8, 4, 8},  {1, 16, 4, 8}, {2, 4, 6, 2},
                                        {3, 4, 7, 4}, {3, 16, 7, 8}, {4, 16, 5, 8}, {4, 32, 5, 32},
                                        {4, 2, 5, 2}, {5, 16, 2, 64}};
    for (const auto& [item, before, type, after] : cases) {
        PlcTypeDialog dialog;
        dialog.plcType = 3;
        dialog.memSizeCode = before;
        dialog.FennuRadioGroupClick(item);
        EXPECT_EQ(std::make_tuple(dialog.itemIndex, dialog.plcType, dialog.memSizeCode),
                  std::make_tuple(item, type, after));
    }
    for (int index : {-1, 6}) {  // an index outside the items selects the first again
        PlcTypeDialog dialog;
        dialog.plcType = 7;
        dialog.memSizeCode = 8;
        dialog.FennuRadioGroupClick(index);
        EXPECT_EQ(std::make_tuple(dialog.itemIndex, dialog.plcType, dialog.memSizeCode),
                  std::make_tuple(0, 1, 2));
    }
    PlcTypeDialog dialog;
    dialog.btnOkClick();
    EXPECT_EQ(dialog.okFlag, 1);
    dialog.btnCancelClick();
    EXPECT_EQ(dialog.okFlag, 0);
}

}  // namespace
}  // namespace kestrion
