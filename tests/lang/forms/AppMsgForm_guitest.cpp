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
    struct Seen {
        QString caption;
        QString memo;
        QString version;
    } seen;
    bool closed = false;
    QObject guard;  // the fallback below ends with the test
    QTimer::singleShot(0, [&seen] {
        auto* form = qobject_cast<TAppMsgForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen = {form->windowTitle(), form->Memo1->toPlainText(), form->VersionLabel->text()};
        form->btnClose->click();
    });
    QTimer::singleShot(3000, &guard, [&closed] {
        if (QWidget* left = QApplication::activeModalWidget()) left->close();
        closed = true;
    });
    showAppMsgForm({"Error2015121401", "Can't open communication port COM2", "", "Kestrion Version 2.1.1108"});
    EXPECT_FALSE(closed) << "Close did not end the pop-up";
    EXPECT_EQ(seen.caption, "Error2015121401");
    EXPECT_EQ(seen.memo, "Can't open communication port COM2\n");
    EXPECT_EQ(seen.version, "Kestrion Version 2.1.1108");
}

}  // namespace
}  // namespace kestrion::forms
