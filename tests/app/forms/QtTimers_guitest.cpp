#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/forms/QtPlatform.h"

namespace kestrion::app {
namespace {

using platform::TimerId;

TEST(QtTimersTest, ADisabledTimerFiresNoMore) {
    QtTimers timers;
    int fired = 0;
    QObject::connect(&timers.timer(TimerId::Timer1), &QTimer::timeout, [&] {
        if (++fired == 2) timers.setEnabled(TimerId::Timer1, false);
    });
    timers.setInterval(TimerId::Timer1, 1);
    timers.setEnabled(TimerId::Timer1, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 2; }, 5000));
    QTest::qWait(30);
    EXPECT_EQ(fired, 2);
    timers.setEnabled(TimerId::Timer1, true);
    timers.setEnabled(TimerId::Timer1, false);
    timers.setInterval(TimerId::Timer1, 2);
    QTest::qWait(30);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(timers.enabled(TimerId::Timer1));
}

TEST(QtServicesTest, PanelsKeepTheirTextsMemosTakeLinesWhileShownAndWaitsAreKnown) {
    QtStatusBar statusBar;
    statusBar.setPanelText(0, "before the window");
    statusBar.setPanelText(14, "no such panel");
    std::array<QLabel*, platform::StatusBar::panelCount> labels{};
    std::vector<std::unique_ptr<QLabel>> owned;
    for (QLabel*& label : labels) label = owned.emplace_back(std::make_unique<QLabel>()).get();
    statusBar.attach(labels);
    for (int step = 0; step <= 13; ++step) statusBar.setPanelText(13, std::to_string(step));
    EXPECT_EQ(labels[0]->text(), "before the window");
    QCoreApplication::processEvents();  // the label shows the last text set
    EXPECT_EQ(labels[13]->text(), "13");
    EXPECT_EQ(statusBar.panelText(0) + statusBar.panelText(13) + statusBar.panelText(14),
              "before the window13");

    QtTraceMemos trace;
    EXPECT_FALSE(trace.visible(platform::Memo::Rx));  // none attached yet
    trace.append(platform::Memo::Rx, "lost");
    std::array<QPlainTextEdit*, platform::memoCount> memos{};
    std::vector<std::unique_ptr<QPlainTextEdit>> edits;
    for (QPlainTextEdit*& memo : memos) memo = edits.emplace_back(std::make_unique<QPlainTextEdit>()).get();
    trace.attach(memos);
    trace.setVisible(platform::Memo::Rx, true);
    trace.append(platform::Memo::Rx, "shown");
    trace.append(platform::Memo::Debug1, "hidden memo: not kept");
    EXPECT_EQ(memos[static_cast<int>(platform::Memo::Rx)]->toPlainText(), "shown");
    EXPECT_EQ(trace.lineCount(platform::Memo::Debug1), 0);

    QtClock clock;
    bool waitingInside = false;
    QTimer::singleShot(0, [&] { waitingInside = clock.commandWaiting(); });
    for (int turn = 0; turn < 100 && !waitingInside; ++turn) clock.runMessageLoopOnce();
    EXPECT_TRUE(waitingInside);
    EXPECT_FALSE(clock.commandWaiting());
}

TEST(QtServicesTest, AMessageBoxIsWideEnoughForItsCaptionAndAnswersWithTheButtonPressed) {
    const std::string caption = "Error2018030211 a caption much longer than the text of its box";
    int width = 0;
    int needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        needed = QFontMetrics(box->font()).horizontalAdvance(box->windowTitle());
        box->button(QMessageBox::No)->click();
    });
    QtMessages messages;
    EXPECT_EQ(messages.show("Short", caption, platform::MsgIcon::Question, platform::MsgButtons::YesNo),
              platform::MsgAnswer::No);
    EXPECT_GE(width, needed + 4 * 25);  // and the title bar's icon and three buttons beside it
}

TEST(QtServicesTest, AQuestionWhoseYesCannotBeTakenBackHasNoAsItsDefault) {
    QtMessages messages;
    for (const auto& [buttons, answer] :
         {std::pair{platform::MsgButtons::YesNoDefaultNo, platform::MsgAnswer::No},
          std::pair{platform::MsgButtons::YesNo, platform::MsgAnswer::Yes}}) {
        QString pressedByEnter;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ASSERT_EQ(box->buttons().size(), 2);
            pressedByEnter = box->defaultButton() != nullptr ? box->defaultButton()->text() : "";
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(messages.show("Clear it?", "Memory Clear", platform::MsgIcon::Question, buttons), answer);
        if (answer == platform::MsgAnswer::No) {
            EXPECT_EQ(pressedByEnter, "&No");
        }
    }
    // Escape answers No as well.
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(messages.show("Clear it?", "Memory Clear", platform::MsgIcon::Question,
                            platform::MsgButtons::YesNoDefaultNo),
              platform::MsgAnswer::No);
}

TEST(QtServicesTest, ABoxOpensAboveTheProgressWindowWhileItShowsAndAboveTheModalWindowOtherwise) {
    forms::QtProgress progress;
    QtMessages messages;
    messages.attachProgress(&progress);
    QWidget* parent = nullptr;
    bool onTop = false;
    const auto look = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        box->button(QMessageBox::Ok)->click();
    };
    progress.show("Write Program", 0, 10);
    QTimer::singleShot(0, look);
    messages.show("Error2015091387...Timeout Error", "Download", platform::MsgIcon::Warning,
                  platform::MsgButtons::Ok);
    EXPECT_EQ(parent, progress.form());
    EXPECT_TRUE(onTop);

    progress.hide();
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QTimer::singleShot(0, look);
    messages.show("Completed", "Program write", platform::MsgIcon::Information, platform::MsgButtons::Ok);
    EXPECT_EQ(parent, &dialog);
    EXPECT_FALSE(onTop);
}

}  // namespace
}  // namespace kestrion::app
