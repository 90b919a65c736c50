#include "editor/forms/GoToStepForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::forms {
namespace {

class GoToStepFormTest : public test::CoreTest {};

TEST_F(GoToStepFormTest, DigitsGoInOtherKeysAreRefusedWithTheirMessageAndOkGivesTheNumber) {
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* form = qobject_cast<TGoToStepForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        QTest::keyClicks(form->Edit1, "1x2");
        seen << form->windowTitle() << form->StepNoLabel->text() << form->StringLabel->text()
             << form->Edit1->text();
        form->btnOk->click();
    });
    const NumberEntryResult entered = QtEditorDialogs().goToStep({"Go to step", "7", "Step No.", "of 12"});
    EXPECT_EQ(seen.join("|").toStdString(), "Go to step|Step No.|of 12|712");
    EXPECT_EQ(std::make_pair(entered.okFlag, entered.number), std::make_pair(std::uint8_t{1}, 712));
    EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{"Character must be 0 ~ 9 | Go to step | none"});
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TGoToStepForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->btnCancel->click();
    });
    EXPECT_EQ(QtEditorDialogs().goToStep({"Go to step", "7", "", ""}).okFlag, 0);
}

}  // namespace
}  // namespace kestrion::forms
