#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/forms/LogoUnit.h"
#include "app/forms/MainUnit.h"
#include "editor/forms/LadderViewForm.h"
#include "entry/InstructionBox.h"
#include "entry/forms/EditKeyForm.h"
#include "model/core/MainState.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/PosixFiles.h"
#include "support/Fixture.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public kestrion::test::RealServicesTest {
protected:
    MainWindowTest() : RealServicesTest("gui") {}
};

TEST_F(MainWindowTest, TheLinkItemsOpenTheirOwnDialogs) {
    const std::pair<const char*, const char*> cases[] = {
        {"ChangeComPort1", "Communication Ports and BaudRate Selection"},
        {"TimeOutTimer1", "Communication TimeOut Timer Setting"},
    };
    TMainForm form(services);
    form.show();
    for (const auto& [item, caption] : cases) {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = dialog->windowTitle();
                dialog->close();
            }
        });
        form.action(item)->trigger();
        EXPECT_EQ(shown.toStdString(), caption) << item;
    }
}

TEST_F(MainWindowTest, TypeChangeItemShowsTheTypeDialogAndTakesItsChoice) {
    TMainForm form(services);
    form.show();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<forms::TPlcTypeForm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->FennuButtons->button(4)->isChecked());
        dialog->FennuButtons->button(3)->click();  // q2
        dialog->btnOk->click();
    });
    form.action("PlcTypeChange1")->trigger();
    EXPECT_EQ(pmw.plcType(), 7);
    EXPECT_EQ(pmw.memSizeCode(), 8);
    EXPECT_EQ(connectedPlcType, 7);
}

TEST_F(MainWindowTest, TheCloseBoxStaysOnCancelWithChangesAndEndsTheLoopWithZeroWithout) {
    TMainForm form(services);
    form.show();
    editModeFlags |= kEditModifiedSinceSave;
    QTimer::singleShot(50, [] {  // answer the question box with Cancel as soon as it is up
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    editModeFlags = 0;
    QTimer::singleShot(0, &form, [&] { form.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // never hang the suite
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindowTest, TheDemonstrationAccessCodeRevealsHarewareCheckAndItsItems) {
    TMainForm form(services);
    form.show();
    QAction* check = form.menu("HarewareCheck")->menuAction();
    ASSERT_FALSE(check->isEnabled());
    initLadderList(draw.iBusLineEnd - ModeData.xSizeSymble, 0);
    QTimer::singleShot(0, [&form] {
        auto* box = form.ladderEditScreen->findChild<forms::TEditKeyForm*>();
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box->EditInstr1, "!KESTRION-MV7");  // the other code reveals nothing here
        QTest::keyClick(box->EditInstr1, Qt::Key_Return);
    });
    openInstructionBoxOnKey('#');
    EXPECT_FALSE(check->isEnabled());
    QTimer::singleShot(0, [&form] {
        auto* box = form.ladderEditScreen->findChild<forms::TEditKeyForm*>();
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box->EditInstr1, "!KESTRION-DK3");
        QTest::keyClick(box->EditInstr1, Qt::Key_Return);
    });
    openInstructionBoxOnKey('#');
    EXPECT_TRUE(check->isEnabled() && check->isVisible());
    QAction* item = form.action("InitialControllerMemory1");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled() && item->isVisible());
    EXPECT_EQ(item->parent(), form.menu("HarewareCheck"));
}

TEST_F(MainWindowTest, TheProjectPanelTheBarsAndTheCheckItemsAsBuilt) {
    TMainForm form(services);
    form.show();
    EXPECT_EQ(form.FramePanel1->width(), (screenWidth - 4) / 10);
    EXPECT_NE(form.findChild<QToolBar*>("LadderToolBar"), nullptr);
    EXPECT_TRUE(form.action("Y601")->isCheckable() && form.action("CoilComment2")->isCheckable());
    EXPECT_FALSE(form.action("New1")->isCheckable());
}

TEST_F(MainWindowTest, TheFirstTimer0TickRemovesTheSplash) {
    LogoForm = new TLogoForm(QString::fromStdString(files.dataDirectory() + "/splash.png"));
    LogoForm->show();
    TMainForm form(services);
    EXPECT_TRUE(platform::timers().enabled(platform::TimerId::Timer0));
    EXPECT_EQ(platform::timers().interval(platform::TimerId::Timer0), 1000u);
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (LogoForm.isNull()) QCoreApplication::exit(0);
    });
    poll.start(20);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(LogoForm.isNull());
    EXPECT_FALSE(platform::timers().enabled(platform::TimerId::Timer0));
}

TEST_F(MainWindowTest, AStartUpErrorBoxShowsAboveTheSplashAndTheWindowFollows) {
    std::ofstream(home) << "a file where the installation folder should be";  // no settings can be written
    LogoForm = new TLogoForm(QString::fromStdString(files.dataDirectory() + "/splash.png"));
    LogoForm->show();
    QStringList boxes;
    bool splashOverABox = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            splashOverABox = splashOverABox || (LogoForm && LogoForm->isVisible());
            box->close();
        }
    });
    answer.start(10);
    TMainForm form(services);
    form.show();
    EXPECT_EQ(boxes, QStringList{"Error2014121612..."});
    EXPECT_FALSE(splashOverABox);
    EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace kestrion::app
