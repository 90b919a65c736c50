#include "lang/forms/AppMsgForm.h"
#include "lang/forms/QtLangDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace kestrion::forms {
namespace {

TEST(AppMsgFormTest, ShowsCaptionLinesAndVersionModallyUntilClose) {
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* form = qobject_cast<TAppMsgForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen << form->windowTitle() << form->Memo1->toPlainText() << form->VersionLabel->text();
        EXPECT_TRUE(form->Memo1->isReadOnly());
        form->btnClose->click();
    });
    QtLangDialogs().appMessage(
        {"Error2015121401", "Can't open communication port COM2", "", "Kestrion Version 2.1.1108"});
    EXPECT_EQ(seen.join("|"),
              "Error2015121401|Can't open communication port COM2\n|Kestrion Version 2.1.1108");
}

TEST(AppMsgFormTest, ClosesItselfOnTheSecondTickOfTimer6) {
    AppMessage message{"Communication Test...Try Connection Information",
                       "Successfully connected with the -38400bps", "second", "Kestrion"};
    message.selfClose = 1;
    message.timerInterval = 30;
    message.timerEnabled = true;
    TAppMsgForm form(message);
    QStringList afterFirstTick;
    QTimer::singleShot(45, [&] {
        afterFirstTick << QString::number(form.tickCounter()) << (form.isVisible() ? "open" : "closed");
    });
    QTimer::singleShot(2000, &form, &QDialog::accept);  // a form that never closes fails, not hangs
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    EXPECT_EQ(form.tickCounter(), 2);
    EXPECT_EQ(afterFirstTick.join(","), "1,open");
    EXPECT_EQ(form.Memo1->toPlainText().toStdString(), "Successfully connected with the -38400bps\nsecond");
}

}  // namespace
}  // namespace kestrion::forms
