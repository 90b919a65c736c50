#include "diagnostics/forms/ErrMsg1Form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "diagnostics/DiagnosticsState.h"
#include "diagnostics/forms/QtDiagnosticsDialogs.h"
#include "support/Fixture.h"

namespace kestrion::forms {
namespace {

TEST(ErrMsg1FormTest, TheDialogShowsItsMemoAndClosesOnlyWhenNoRequestWaits) {
    test::resetAllState();
    QStringList seen;
    bool stayedWhileWaiting = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TErrMsg1Form*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen << form->windowTitle() << form->msgMemo->toPlainText() << form->btnErrorCheck1->text()
             << form->btnMachineStatus1->text() << form->btnClose->text();
        // The design's places: the form 823 x 332, the memo and the buttons at their left and top;
        // the buttons as wide as the longest text needs, the form wider by as much.
        const int buttons = std::max(96, form->btnMachineStatus1->minimumSizeHint().width());
        EXPECT_EQ(form->size(), QSize(823 + buttons - 96, 332));
        EXPECT_EQ(form->msgMemo->geometry(), QRect(8, 8, 689, 281));
        EXPECT_EQ(form->btnErrorCheck1->geometry(), QRect(704, 8, buttons, 25));
        EXPECT_EQ(form->btnClose->geometry(), QRect(704, 72, buttons, 25));
        diagnosticsState.requestRunning = true;  // a click while a request waits for the PLC
        form->btnClose->click();
        form->reject();  // Escape
        stayedWhileWaiting = form->isVisible();
        diagnosticsState.requestRunning = false;
        form->btnClose->click();
    });
    QtDiagnosticsDialogs().errMsg1("Error Check");
    EXPECT_EQ(seen.join("|").toStdString(), "Error Check|*** Push Button ***|ErrorCheck|MachineStatus|Close");
    EXPECT_TRUE(stayedWhileWaiting);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kestrion::forms
