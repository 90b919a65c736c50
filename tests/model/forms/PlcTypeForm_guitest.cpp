#include "model/forms/PlcTypeForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace kestrion::forms {
namespace {

QRadioButton* item(TPlcTypeForm& form, int index) {
    return qobject_cast<QRadioButton*>(form.FennuButtons->button(index));
}

TEST(PlcTypeFormTest, ClickingItemsClampsAndTheModalShowGivesTheResultFields) {
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TPlcTypeForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        // Six types in rows of three, OK the default button.
        const auto* grid = qobject_cast<QGridLayout*>(form->FennuRadioGroup->layout());
        int row = -1, column = -1, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(item(*form, 4)), &row, &column, &rows, &columns);
        EXPECT_EQ(
            std::make_tuple(form->FennuButtons->buttons().size(), row, column, form->btnOk->isDefault()),
            std::make_tuple(6, 1, 1, true));
        EXPECT_NE(item(*form, 0), nullptr);
        item(*form, 5)->click();
        EXPECT_EQ(std::make_tuple(form->state.plcType, form->state.memSizeCode), std::make_tuple(2, 64));
        item(*form, 3)->click();  // q2
        form->btnHelp->click();   // does nothing
        EXPECT_TRUE(item(*form, 3)->isChecked());
        form->btnOk->click();
    });
    const PlcTypeFormResult ok = showPlcTypeForm(5, 16, nullptr);
    EXPECT_EQ(ok.okFlag, 1);
    EXPECT_EQ(ok.plcType, 7);
    EXPECT_EQ(ok.memSizeCode, 8);
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TPlcTypeForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        item(*form, 5)->click();
        form->btnCancel->click();
    });
    const PlcTypeFormResult cancelled = showPlcTypeForm(5, 16, nullptr);
    EXPECT_EQ(cancelled.okFlag, 0);
}

}  // namespace
}  // namespace kestrion::forms
