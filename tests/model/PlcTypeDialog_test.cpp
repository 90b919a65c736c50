#include "model/PlcTypeDialog.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class PlcTypeDialogTest : public test::CoreTest {};

TEST_F(PlcTypeDialogTest, ShowSelectsTheItemOfThePresetType) {
    const std::tuple<std::int32_t, int, std::int32_t> cases[] = {
        // Any other code than the six becomes type 1 with the first item.
        {1, 0, 1}, {4, 1, 4}, {6, 2, 6}, {7, 3, 7},    {5, 4, 5}, {2, 5, 2},
        {3, 0, 1}, {0, 0, 1}, {8, 0, 1}, {0xFF, 0, 1}, {-1, 0, 1}};
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
        {0, 2, 1, 2},  {0, 4, 1, 2},   {0, 64, 1, 2},                                  // q0
        {1, 2, 4, 2},  {1, 4, 4, 4},   {1, 8, 4, 8},   {1, 16, 4, 8},  {1, 64, 4, 8},  // q4
        {2, 2, 6, 2},  {2, 4, 6, 2},   {2, 32, 6, 2},                                  // q1
        {3, 8, 7, 8},  {3, 4, 7, 4},   {3, 16, 7, 8},  {3, 64, 7, 8},                  // q2
        {4, 16, 5, 8}, {4, 8, 5, 8},   {4, 32, 5, 32}, {4, 64, 5, 64}, {4, 2, 5, 2},   // q3
        {5, 2, 2, 64}, {5, 64, 2, 64}, {5, 16, 2, 64},                                 // W3
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
    for (int index : {-1, 6, 100}) {  // an index outside the items selects the first again
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
