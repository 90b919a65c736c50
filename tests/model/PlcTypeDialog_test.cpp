#include "model/PlcTypeDialog.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class PlcTypeDialogTest : public test::CoreTest {};

TEST_F(PlcTypeDialogTest, ShowSelectsTheItemOfThePresetType) {
    const std::tuple<std::int32_t, int, std::int32_t> cases[] = {
        {1, 0, 1}, {4, 1, 4}, {6, 2, 6}, {7, 3, 7}, {5, 4, 5},
        {2, 5, 2}, {3, 0, 1}, {8, 0, 1}, {-1, 0, 1}};  // any other code: type 1 with the first item
    for (const auto& [preset, item, type] : cases) {
        PlcTypeDialog dialog;
        dialog.plcType = preset;
        dialog.memSizeCode = 8;
        dialog.itemIndex = 3;
        dialog.FormShow();
        EXPECT_EQ(dialog.itemIndex, item) << preset;
        EXPECT_EQ(dialog.plcType, type) << preset;
        EXPECT_EQ(dialog.memSizeCode, 8) << preset;
    }
}

TEST_F(PlcTypeDialogTest, ClickingAnItemSetsItsTypeAndClampsTheSize) {
    struct Case {
        int item;
        std::int32_t before;
        std::int32_t type;
        std::int32_t after;
    } cases[] = {
        {0, 4, 1, 2},  {1, 8, 4, 8},  {1, 16, 4, 8},  {2, 4, 6, 2}, {3, 4, 7, 4},    // q0 q4 q1 q2
        {3, 16, 7, 8}, {4, 16, 5, 8}, {4, 32, 5, 32}, {4, 2, 5, 2}, {5, 16, 2, 64},  // q2 q3 W3
    };
    for (const Case& c : cases) {
        PlcTypeDialog dialog;
        dialog.plcType = 3;
        dialog.memSizeCode = c.before;
        dialog.FennuRadioGroupClick(c.item);
        EXPECT_EQ(dialog.itemIndex, c.item);
        EXPECT_EQ(dialog.plcType, c.type) << c.item << " " << c.before;
        EXPECT_EQ(dialog.memSizeCode, c.after) << c.item << " " << c.before;
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
