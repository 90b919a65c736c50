#include "lang/forms/AppMsgForm.h"

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
        form->btnClose->click();
    });
    showAppMsgForm(
        {"Error2015121401", "Can't open communication port COM2", "", "Kestrion Version 2.1.1108"});
    EXPECT_EQ(seen.join("|"),
              "Error2015121401|Can't open communication port COM2\n|Kestrion Version 2.1.1108");
}

}  // namespace
}  // namespace kestrion::forms
