// The main window's find, zoom, help and developer items as a technician reaches them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "devviews/forms/MathTestForm.h"
#include "editor/forms/UpDnSearchForm.h"
#include "lang/forms/AboutForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/core/MainState.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/Services.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class SearchMenuTest : public kestrion::test::RealServicesTest {
protected:
    SearchMenuTest() : RealServicesTest("searchmenu") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxTexts.push_back(box->text().toStdString());
                box->accept();
            }
        });
        driver.start(10);
    }
    QTimer driver;
    std::vector<std::string> boxTexts;
};

TEST_F(SearchMenuTest, FindMovesTheFrameAndNamesTheStep) {
    TMainForm form(services);
    form.show();
    form.action("New1")->trigger();
    EXPECT_EQ(form.action("Find1")->shortcut(), QKeySequence("Ctrl+F"));
    EXPECT_EQ(form.action("FindNext1")->shortcut(), QKeySequence("Ctrl+F3"));
    EXPECT_EQ(form.action("GoToStep1")->shortcut(), QKeySequence("Ctrl+G"));
    kestrion::test::putContactOnFirstLine("X7");
    BlueFrame = {ldrTail->xAddr, ldrTail->yAddr, ldrTail->xAddr + 10, ldrTail->yAddr + 10};
    QTimer::singleShot(0, [] {
        auto* find = qobject_cast<forms::TUpDnSearchForm*>(QApplication::activeModalWidget());
        ASSERT_NE(find, nullptr);
        find->FindEdit->setText("x007");
        find->btnFindNext->click();
    });
    // The key itself is tried in a real window (offscreen windows take no shortcuts).
    form.action("Find1")->trigger();
    EXPECT_EQ(std::pair(BlueFrame.x1, BlueFrame.y1), std::pair(draw.iBusLineStart, 0u));
    EXPECT_EQ(
        boxTexts,
        (std::vector<std::string>{"The search reached the end of the program and went on from its start."}));
    EXPECT_EQ(platform::statusBar().panelText(0), "Found at step 0: LD X7");
}

TEST_F(SearchMenuTest, AutoZoomFollowsTheWindowWidth) {
    TMainForm form(services);
    form.show();
    form.action("New1")->trigger();
    ASSERT_TRUE(form.action("ZoomAuto1")->isCheckable());
    form.setWindowState(Qt::WindowNoState);
    form.resize(1400, 800);
    QApplication::processEvents();
    form.action("ZoomAuto1")->trigger();
    EXPECT_TRUE(form.action("ZoomAuto1")->isChecked());
    EXPECT_FALSE(form.action("Np1001")->isChecked());
    const std::uint32_t wide = zoomPercent;
    form.resize(900, 800);
    QApplication::processEvents();
    EXPECT_LT(zoomPercent, wide);
    // The ladder's bus to bus fits: the view is as wide as the room it has, give or take the margin.
    auto* area = form.findChild<QScrollArea*>("ProjectScrollBox");
    EXPECT_LE(area->widget()->width() * 1160 / (1120 + 4 * 80), area->viewport()->width() + 2);
    form.action("Np1001")->trigger();
    EXPECT_FALSE(form.action("ZoomAuto1")->isChecked());
    EXPECT_EQ(zoomPercent, 100u);
}

TEST_F(SearchMenuTest, TheSecondBrandShowsItsOwnAboutBox) {
    TMainForm form(services);
    form.show();
    titleText = "Dulvamer Version 2.1.1108";
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<forms::TAboutMarboForm*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->objectName() + "|" + box->TitleLabel->text() + "|" + box->MakerLabel->text();
        box->btnOk->click();
    });
    form.action("About1")->trigger();
    EXPECT_EQ(shown.toStdString(), "AboutMarboForm|Dulvamer Version 2.1.1108|Made by Marbo");
}

TEST_F(SearchMenuTest, TheMathTestFollowsTheTypedValue) {
    TMainForm form(services);
    form.show();
    QString shown, afterTyping;
    QTimer::singleShot(0, [&shown, &afterTyping] {
        auto* view = qobject_cast<forms::TMathTestForm*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        view->ValueEdit->clear();
        QTest::keyClicks(view->ValueEdit, "-5");
        shown = view->ResultMemo->toPlainText().section('\n', 1, 1);
        // The result is the view's to write: typing into it changes nothing.
        const QString before = view->ResultMemo->toPlainText();
        QTest::keyClicks(view->ResultMemo, "7");
        afterTyping = view->ResultMemo->toPlainText() == before ? "unchanged" : "changed";
        view->btnClose->click();
    });
    form.action("MathTest1")->trigger();
    EXPECT_EQ(shown.toStdString(), "Hexadecimal (32 bits): HFFFFFFFB");
    EXPECT_EQ(afterTyping.toStdString(), "unchanged");
}

// Enter takes the value, as the view follows every key, and leaves the view open with the value
// selected: the next value typed replaces it there and never reaches the ladder.
TEST_F(SearchMenuTest, EnterInTheMathTestComputesAndKeepsTheViewOpen) {
    TMainForm form(services);
    form.show();
    std::vector<QString> shown;
    bool openAfterEnter = false;
    QTimer::singleShot(0, [&] {
        auto* view = qobject_cast<forms::TMathTestForm*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        for (const char* typed : {"70000", "H4D2"}) {
            QTest::keyClicks(view->ValueEdit, typed);
            QTest::keyClick(view->ValueEdit, Qt::Key_Return);
            shown.push_back(view->ResultMemo->toPlainText().section('\n', 2, 2));
        }
        QTest::keyClick(view->ValueEdit, Qt::Key_Enter);
        openAfterEnter = view->isVisible() && view->ValueEdit->selectedText() == "H4D2";
        view->btnClose->click();
    });
    form.action("MathTest1")->trigger();
    EXPECT_EQ(shown, (std::vector<QString>{
                         "16-bit register (low word): 70000 does not fit 16 bits (-32768 to 65535)",
                         "16-bit register (low word): H04D2 = 1234, signed 1234"}));
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(boxTexts.empty());
}

}  // namespace
}  // namespace kestrion::app
