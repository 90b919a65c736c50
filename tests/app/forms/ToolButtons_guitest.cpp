// Tool-bar buttons and the panels that take the ladder's place, pressed in the main window: each
// button opens its window, and a panel closed gives the function keys and the ladder's symbol
// buttons back and stops the poll.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <set>

#include "app/forms/MainUnit.h"
#include "diagnostics/forms/ErrMsg1Form.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "monitor/forms/MonitorPanels.h"
#include "support/gui/RealServicesTest.h"
#include "wizards/forms/ParameterListPanel.h"

namespace kestrion::app {
namespace {

class ToolButtonsTest : public kestrion::test::RealServicesTest {
protected:
    ToolButtonsTest() : RealServicesTest("toolbuttons") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* errors = qobject_cast<forms::TErrMsg1Form*>(modal)) {
                opened << errors->windowTitle();
                errors->btnClose->click();
            }
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (QAbstractButton* no = box->button(QMessageBox::No))
                    no->click();
                else
                    box->accept();
            }
            if (auto* file = qobject_cast<QFileDialog*>(modal)) {
                opened << file->windowTitle();
                file->reject();
            }
        });
        driver.start(10);
        form.show();
    }
    QTimer driver;
    QStringList opened;
    TMainForm form{services};
};

// The file buttons run their commands: New its boxes, Open and Save (a new program has no name)
// their file dialogs.
TEST_F(ToolButtonsTest, TheFileButtonsRunNewOpenAndSave) {
    form.findChild<QAction*>("spbtnNew")->trigger();
    EXPECT_TRUE(form.action("Save1")->isEnabled());  // a program is open
    for (const char* button : {"spbtnSave", "spbtnOpen"}) form.findChild<QAction*>(button)->trigger();
    EXPECT_EQ(opened.join(",").toStdString(), "Save File As,File Open");
}

// The Machine Status button stays hidden with its menu item as designed; shown, it does what
// Error check does.
TEST_F(ToolButtonsTest, TheErrorCheckAndMachineStatusButtonsOpenTheDiagnosticsWindow) {
    for (const char* button : {"spbtnErrorCheck", "spbtnMachineStatus"}) {
        opened.clear();
        QAction* pressed = form.findChild<QAction*>(button);
        pressed->setVisible(true);
        pressed->setEnabled(true);
        pressed->trigger();
        EXPECT_EQ(opened.size(), 1) << button;
    }
}

TEST_F(ToolButtonsTest, ClosingTheBufferMemoryListGivesTheFunctionKeysBackAndStopsThePoll) {
    form.action("New1")->trigger();
    auto* f5 = form.findChild<QPushButton*>("spbtnF5");
    ASSERT_TRUE(f5->isEnabled());
    form.action("ccGateBFM1")->trigger();
    ASSERT_TRUE(form.ParameterGroupBox->isVisible());
    EXPECT_FALSE(f5->isEnabled());
    QTimer& poll = services.timers.timer(platform::TimerId::Timer3);
    platform::timers().setEnabled(platform::TimerId::Timer3, true);
    ASSERT_TRUE(poll.isActive());
    const char* symbols[] = {"spbtnContact", "spbtnNegated", "spbtnCoil", "spbtnInstruction", "spbtnConvert"};
    for (const char* symbol : symbols) EXPECT_FALSE(form.findChild<QAction*>(symbol)->isEnabled()) << symbol;
    form.ParameterGroupBox->btnParameterViewClose->click();
    EXPECT_FALSE(form.ParameterGroupBox->isVisible());
    EXPECT_FALSE(poll.isActive());
    EXPECT_TRUE(f5->isEnabled());
    for (const char* symbol : symbols) EXPECT_TRUE(form.findChild<QAction*>(symbol)->isEnabled()) << symbol;
}

// The buttons stand in their bars: the file and view buttons, the link and monitor buttons, the
// remote RUN and STOP, and the ladder's symbols.
TEST_F(ToolButtonsTest, TheButtonsStandInTheirBars) {
    form.action("New1")->trigger();
    QStringList bars;
    for (QToolBar* bar : form.findChildren<QToolBar*>()) {
        QStringList names;
        for (QAction* button : bar->actions())
            if (!button->objectName().isEmpty()) names << button->objectName();
        bars << names.join(",");
    }
    EXPECT_EQ(
        bars.join("\n").toStdString(),
        "spbtnNew,spbtnOpen,spbtnSave,spbtnLadderView,spbtnInstructionView,spbtnRegisterView\n"
        "spbtnChangeComPort,spbtnTryToConnection,spbtnUploadProg,spbtnDnloadProg,spbtnStartMonitor1,"
        "spbtnStopMonitor1,spbtnEntryDeviceMonitor,spbtnChangeValue,spbtnErrorCheck,spbtnMachineStatus\n"
        "spbtnRemoteRun1,spbtnRemoteStop1\n"
        "spbtnContact,spbtnContactOr,spbtnNegated,spbtnNegatedOr,spbtnRising,spbtnFalling,spbtnCoil,"
        "spbtnInstruction,spbtnConvert,spbtnForceOnOff");
}

// Short captions in every language: the bars take two rows at most on a 1440-pixel screen, with
// a program open (the ladder's bar of symbols showing too).
TEST_F(ToolButtonsTest, TheToolBarsKeepToTwoRowsAt1440PixelsInEveryLanguage) {
    form.action("New1")->trigger();
    form.setWindowState(Qt::WindowNoState);
    form.resize(1440, 900);
    QApplication::processEvents();
    for (const char* language : {"English1", "TraditionalChinese1", "SimplifiedChinese1", "JapaneseLanguage1",
                                 "Spanish1", "Turkish1"}) {
        form.action(language)->trigger();
        QApplication::processEvents();
        std::set<int> rows;
        for (QToolBar* bar : form.findChildren<QToolBar*>())
            if (bar->isVisible()) rows.insert(bar->geometry().top());
        EXPECT_LE(rows.size(), 2u) << language;
        EXPECT_EQ(form.width(), 1440);
    }
}

TEST_F(ToolButtonsTest, TheChangeValuePanelsAnswerCannotBeTypedInto) {
    EXPECT_TRUE(form.monitorParts->ChangeCurrentValueMemo->isReadOnly());
}

}  // namespace
}  // namespace kestrion::app
