// The keyboard after a command's boxes: when a box closes, the window under it takes the activation
// back, so the next key (F4, Ctrl+Z, a field's typing) reaches it without a click. On the offscreen
// platform, as for a window manager that learns of the close too late, nothing hands the activation
// back unless the program asks for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "editor/forms/ObjMaskForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class FocusReturnTest : public kestrion::test::RealServicesTest {
protected:
    FocusReturnTest() : RealServicesTest("focusreturn") {
        QObject::connect(&driver, &QTimer::timeout, [this] { answer(); });
        driver.start(10);
        form.show();
        form.action("New1")->trigger();
        test::putContactOnFirstLine("X0");
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // As a user answers: the window that has the keyboard, once it has it. The replace dialog takes
    // the next of the typed pairs (From, To); without one left it is cancelled. Whether the dialog
    // had the keyboard again after a box (within about a second) is kept.
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        const bool active = QApplication::activeWindow() == modal;
        if (!active && ++waited < 100) return;
        waited = 0;
        if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
        if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
        if (auto* replace = qobject_cast<forms::TobjMaskForm*>(modal)) {
            if (afterBox) activeAfterBox.push_back(active ? "replace" : "other");
            afterBox = false;
            if (typed.empty()) return replace->reject();
            replace->FromEdit->setText(typed.front().first);
            replace->ToEdit->setText(typed.front().second);
            typed.erase(typed.begin());
            // Queued: the box it opens is answered by this timer's next tick.
            QMetaObject::invokeMethod(replace->btnOk, &QPushButton::click, Qt::QueuedConnection);
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxTexts.push_back(box->text().toStdString());
            QTest::keyClick(box, Qt::Key_Return);
            afterBox = true;
        }
    }

    QTimer driver;
    TMainForm form{services};
    std::vector<std::pair<QString, QString>> typed;
    std::vector<std::string> boxTexts;
    std::vector<std::string> activeAfterBox;
    bool afterBox = false;
    int waited = 0;  // ticks the modal window has been without the keyboard
};

TEST_F(FocusReturnTest, TheMainWindowTakesTheKeyboardBackWhenTheReplaceBoxCloses) {
    typed = {{"X0", "X20"}};
    form.action("Replace1")->trigger();
    ASSERT_EQ(boxTexts, std::vector<std::string>{
                            "1 operand replaced in 1 instruction. Convert the ladder to write it into "
                            "the program."});
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form; }, 2000));
}

// A box that leaves its dialog open gives the keyboard back to the dialog, for the field to be
// corrected; the main window has it again once the dialog is closed.
TEST_F(FocusReturnTest, ABoxOverADialogThatStaysOpenGivesTheKeyboardBackToTheDialog) {
    typed = {{"", "X20"}, {"X0", "X0"}};
    form.action("Replace1")->trigger();
    EXPECT_EQ(boxTexts.size(), 2u);
    EXPECT_EQ(activeAfterBox, (std::vector<std::string>{"replace", "replace"}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form; }, 2000));
}

}  // namespace
}  // namespace kestrion::app
