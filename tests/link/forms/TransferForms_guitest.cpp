#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include "link/forms/ProgWriteForm.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/RegisterViewForm.h"
#include "model/image/DmwImage.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class TransferFormsTest : public CoreTest {
protected:
    forms::QtLinkDialogs qtDialogs;
};

TEST_F(TransferFormsTest, TheProgramWriteDialogShowsTheRangeAndTakesTheChoice) {
    ProgWriteDialog dialog;
    dialog.endStep = 99;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TProgWriteForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->RadioButtonAllRange->isChecked());
        EXPECT_EQ(form->StartStepLabel->text() + "-" + form->EndStepLabel->text(), "0-99");
        EXPECT_EQ(form->windowTitle(), "Program write");
        form->RadioButtonRangeSetting->click();
        form->btnOk->click();
    });
    qtDialogs.progWrite(dialog);
    EXPECT_EQ(dialog.accepted, 1);
    EXPECT_EQ(dialog.rangeMode, ProgWriteDialog::kRangeSetting);

    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TProgWriteForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->RadioButtonRangeSetting->isChecked());
        form->btnCancel->click();
    });
    qtDialogs.progWrite(dialog);
    EXPECT_EQ(dialog.accepted, 0);
}

TEST_F(TransferFormsTest, TheRegisterDialogShowsTheRegistersOfItsType) {
    setDmwRegister(255, 65535);
    RegisterViewDialog dialog;
    dialog.plcType = 6;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TRegisterViewForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        QTableWidget* grid = form->regViewStringGrid;
        EXPECT_EQ(grid->rowCount(), 27);
        EXPECT_EQ(grid->item(26, 0)->text() + " " + grid->item(26, 6)->text(), "D250 65535");
        EXPECT_EQ(form->windowTitle(), "D register");
        form->btnOk->click();
    });
    qtDialogs.registerView(dialog);
    EXPECT_EQ(dialog.updated, 1);
}

}  // namespace
}  // namespace kestrion::test
