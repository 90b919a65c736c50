// Typing a program into the real main window as a technician does: keys reach the window through
// the window system (as a desktop sends them, before and while the instruction box appears), and
// message boxes are real ones, answered as they open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/forms/MainUnit.h"
#include "devviews/ObjectListDump.h"
#include "editor/forms/LadderViewForm.h"
#include "entry/forms/EditKeyForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

using Texts = std::vector<std::string>;

class LadderTypingTest : public kestrion::test::RealServicesTest {
protected:
    LadderTypingTest() : RealServicesTest("typing") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* message = qobject_cast<QMessageBox*>(modal)) {
                messages.push_back(message->windowTitle().toStdString());
                message->button(QMessageBox::Ok)->click();
            }
        });
        driver.start(5);
        form.show();
        form.action("New1")->trigger();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        EXPECT_TRUE(form.ladderEditScreen->hasFocus());
    }

    // A key as the window system delivers it: to the main window, whatever holds the keyboard.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.windowHandle(), static_cast<Qt::Key>(key), modifiers);
    }
    void pressText(const std::string& text) {
        for (const char c : text) press(c == '\r' ? int{Qt::Key_Return} : int{QChar(c).toUpper().unicode()});
    }
    // The first key opens the box; the others arrive once it is on its way, then afterwards runs
    // while the box is still open.
    void typeLine(const std::string& line, const std::function<void()>& afterwards = {}) {
        whileBoxOpens([this, rest = line.substr(1), afterwards] {
            pressText(rest);
            if (afterwards) afterwards();
        });
        pressText(line.substr(0, 1));
    }
    // Runs once the box is on its way; a box still open afterwards is cancelled, so that a failing
    // test ends.
    void whileBoxOpens(const std::function<void()>& keys) {
        QTimer::singleShot(0, [this, keys] {
            keys();
            if (box() != nullptr && box()->isVisible()) box()->btnCancel->click();
        });
    }
    forms::TEditKeyForm* box() const { return form.findChild<forms::TEditKeyForm*>(); }

    QTimer driver;
    TMainForm form{services};
    Texts messages;
};

TEST_F(LadderTypingTest, KeysTypedWhileTheBoxAppearsReachItInOrder) {
    typeLine("LD X0\r");
    typeLine("OUT Y0\r");
    EXPECT_EQ(objectListDumpRows(), (Texts{"LD  80,0", "OUT  1040,0", "END 1040,64"}));
    EXPECT_EQ(messages, Texts{});
}

TEST_F(LadderTypingTest, ARefusedLineStaysInTheBoxToBeCorrected) {
    typeLine("LD X0\r");  // an output may not stand in the first cell
    for (const std::string line : {"OUT Q7", "QWERTY", "LD X9", "MOV D0"}) {
        QString shown;
        bool open = false;
        typeLine(line + "\r", [&] {
            open = box() != nullptr && box()->isVisible();
            shown = open ? box()->EditInstr1->text() : QString();
            if (open) press(Qt::Key_Escape);
        });
        EXPECT_TRUE(open) << line;
        EXPECT_EQ(shown.toStdString(), line);
        EXPECT_FALSE(messages.empty()) << line;
        messages.clear();
    }
    // Corrected in the box (it comes back selected: End keeps it), the line goes in.
    typeLine("OUT Q7\r", [this] {
        press(Qt::Key_End);
        for (int i = 0; i < 2; ++i) press(Qt::Key_Backspace);
        pressText("Y7\r");
    });
    EXPECT_EQ(objectListDumpRows(), (Texts{"LD  80,0", "OUT  1040,0", "END 1040,64"}));
}

TEST_F(LadderTypingTest, UndoIsLiveAfterTypingAndCtrlZTakesTheLineBack) {
    EXPECT_FALSE(form.action("Undo1")->isEnabled());
    typeLine("LD X0\r");
    EXPECT_TRUE(form.action("Undo1")->isEnabled());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(objectListDumpRows(), (Texts{"END 1040,0"}));
}

// The ladder under the box is drawn once for a line typed in, after the box has gone: not also
// inside the box's own loop, nor for the keyboard focus coming back to the view.
TEST_F(LadderTypingTest, ALineTypedInIsDrawnOnceAfterTheBoxHasGone) {
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++paints;
            return false;
        }
        int paints = 0;
    } counter;
    services.timers.timer(platform::TimerId::Timer2).stop();  // the drawing timer's own repaints
    typeLine("LD X0\r");
    QTest::qWait(20);
    form.ladderEditScreen->installEventFilter(&counter);
    int boxGone = -1;
    whileBoxOpens([&] {
        pressText("UT Y0\r");
        boxGone = counter.paints;
    });
    press('O');
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    QTest::qWait(20);
    form.ladderEditScreen->removeEventFilter(&counter);
    EXPECT_EQ(objectListDumpRows(), (Texts{"LD  80,0", "OUT  1040,0", "END 1040,64"}));
    EXPECT_EQ(boxGone, 0);
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(LadderTypingTest, TheOutputKeyAndTheCoilButtonStartTheLineWithOut) {
    typeLine("LD X0\r");
    const std::function<void()> openers[] = {[this] { press(Qt::Key_F7); },
                                             [this] { form.action("spbtnCoil")->trigger(); }};
    for (const auto& open : openers) {
        // An output needs a contact in front of it on its line.
        if (&open != &openers[0]) typeLine("LD X1\r");
        QString shown;
        whileBoxOpens([&] {
            shown = box()->EditInstr1->text();
            pressText("Y4\r");
        });
        open();
        EXPECT_EQ(shown, "OUT ");
    }
    EXPECT_EQ(objectListDumpRows(),
              (Texts{"LD  80,0", "OUT  1040,0", "LD  80,64", "OUT  1040,64", "END 1040,128"}));
    EXPECT_EQ(messages, Texts{});
}

}  // namespace
}  // namespace kestrion::app
