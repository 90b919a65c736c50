#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/TemplateCommands.h"
#include "app/forms/FileTitleForm.h"
#include "app/forms/MainUnit.h"
#include "editor/forms/LadderViewForm.h"
#include "entry/EntryDialogs.h"
#include "entry/EntryState.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"
#include "support/gui/RealServicesTest.h"
#include "wizards/DisplayOptions.h"
#include "wizards/TemplateMenu.h"
#include "wizards/forms/DeclaredForm1.h"
#include "wizards/forms/OscilloscopeForm.h"
#include "wizards/forms/PictureForms.h"
#include "wizards/forms/SystemSetupForm.h"

namespace kestrion::test {
namespace {

class WizardsFormsTest : public RealServicesTest {
protected:
    WizardsFormsTest() : RealServicesTest("wizards") {}

    // Runs the action on the next modal dialog that opens.
    template <typename Form>
    static void onDialog(std::function<void(Form&)> action) {
        QTimer::singleShot(0, [action] {
            auto* form = qobject_cast<Form*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            action(*form);
        });
    }
};

TEST_F(WizardsFormsTest, TheDisclaimerIsLaidOutFromTheScreenAndDoNotShowAgainHoldsAfterDoNotAgree) {
    struct Case {
        int screen;
        QRect memo, doNotAgree, agree;
    };
    for (const Case& c : {Case{1024, {4, 4, 803, 44}, {654, 54, 152, 26}, {152, 54, 487, 26}},
                          Case{1920, {4, 4, 1520, 44}, {1228, 54, 296, 26}, {152, 54, 1060, 26}}}) {
        DeclaredDialog state;
        state.layout = declaredLayout(c.screen);
        state.memoLine = declaredText(0);
        forms::TDeclaredForm1 form(state);
        form.show();
        EXPECT_EQ(form.width(), c.screen * 8 / 10);
        EXPECT_EQ(form.Memo1->geometry(), c.memo);
        EXPECT_EQ(form.btnDoNotAgree->geometry(), c.doNotAgree);
        EXPECT_EQ(form.btnAgree->geometry(), c.agree);
        EXPECT_EQ(form.CheckBox1->geometry().topLeft(), QPoint(4, 54));
        EXPECT_EQ(form.Memo1->toPlainText().toStdString(), declaredText(0));
    }
    screenWidth = 1024;
    onDialog<forms::TDeclaredForm1>([](forms::TDeclaredForm1& form) {
        EXPECT_EQ(form.windowTitle(), "Disclaimer ");
        form.CheckBox1->click();
        form.btnDoNotAgree->click();
    });
    EXPECT_FALSE(showTemplateDeclared());
    EXPECT_EQ(ModeData.viewFlags & kViewTemplateDisclaimerOff, kViewTemplateDisclaimerOff);
}

TEST_F(WizardsFormsTest, AMissingPictureLeavesTheViewEmptyWithoutABox) {
    forms::TImageForm1 form;
    form.setWindowTitle("FlowChart-ZrnFlc150908");
    form.imageTopic = 9;
    form.resize(819, 614);
    form.show();
    EXPECT_TRUE(form.Image1->empty());
    EXPECT_EQ(form.Image1->geometry(), form.rect());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WizardsFormsTest, TheHelpTextOfTopicOneIsItsFiveLines) {
    forms::TProductMemoForm form;
    form.memoCaption = "ccGateModule";
    form.memoTopic = 1;
    form.show();
    EXPECT_EQ(form.windowTitle(), "ccGateModule");
    const QStringList lines = form.msgMemo->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0],
              " *D8110=mSnnH *[m]:OccupyStationNumber(1-4) *[S]:Baudrate(0-4) *[nn]:StationNo.(1-64)");
    EXPECT_EQ(lines[4], "  *[nn]=StationNumber (1 to 64)");
}

TEST_F(WizardsFormsTest, TheScopeRepaintsTheSameGridAndReadsOutTheMouse) {
    forms::TOscilloscopeForm form;
    form.show();
    const QImage first = form.ScreenPaintBox1->grab().toImage();
    form.ScreenPaintBox1->repaint();
    EXPECT_EQ(form.ScreenPaintBox1->grab().toImage(), first);
    EXPECT_EQ(first.pixelColor(500, 0), QColor(Qt::black));  // the frame
    EXPECT_EQ(form.findChild<QLabel*>("pLabel26")->text(), "0600");
    form.ScreenPaintBox1MouseMove(0, 0);
    EXPECT_EQ(form.scopePanel0->text(), "(X,Y)=0,0");
    form.btnClose->click();
    EXPECT_EQ(form.bClosed, 1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(WizardsFormsTest, TheNewMenuItemsOpenTheirDialogsFromTheMainWindowAndClosingChangesNothing) {
    app::TMainForm window(services);
    window.show();
    ModeData.viewFlags = kViewCoilComments;
    onDialog<forms::TSystemSetupForm>([](forms::TSystemSetupForm& form) {
        EXPECT_TRUE(form.ShowCoilComment->isChecked());
        EXPECT_FALSE(form.DisableProgramRead->isEnabled());
        form.close();
    });
    window.action("SystemSetting1")->trigger();
    EXPECT_EQ(ModeData.viewFlags, kViewCoilComments);

    QAction* scope = window.action("Oscilloscope1");
    EXPECT_FALSE(scope->isVisible() || scope->isEnabled());
    scope->setEnabled(true);
    onDialog<forms::TOscilloscopeForm>([](forms::TOscilloscopeForm& form) {
        EXPECT_EQ(form.windowTitle(), "Oscilloscope");
        form.close();
    });
    scope->trigger();
    EXPECT_EQ(ModeData.viewFlags, kViewCoilComments);
}

TEST_F(WizardsFormsTest, AnExampleOpensFromTheFileMenuAfterTheDisclaimerAndIsDrawn) {
    app::TMainForm window(services);
    window.show();
    std::size_t io1 = 0;
    while (std::string(templateEntries()[io1].target.file) != "\\Template\\E\\IO\\1.PMW") ++io1;
    QAction* item = window.action(QString::fromStdString(templateObjectName(io1)));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    QStringList answered;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answered] {
        if (auto* disclaimer = qobject_cast<forms::TDeclaredForm1*>(QApplication::activeModalWidget())) {
            answered << disclaimer->windowTitle();
            disclaimer->btnAgree->click();
        } else if (auto* title = qobject_cast<forms::TFileTitleForm*>(QApplication::activeModalWidget())) {
            answered << title->windowTitle();
            title->btnOk->click();
        }
    });
    answer.start(5);
    item->trigger();
    EXPECT_EQ(answered.first(), "Disclaimer ");
    EXPECT_EQ(currentFileName(),
              (home / "User" / "1.PMW").string());  // unnamed: the example stays as shipped
    QApplication::processEvents();
    const QImage ladder = window.ladderEditScreen->grab().toImage();
    int dark = 0;
    for (int y = 0; y < ladder.height(); y += 2)
        for (int x = 0; x < ladder.width(); x += 2) dark += qGray(ladder.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);  // contacts, coils and their device comments
    EXPECT_FALSE(window.action(QString::fromStdString(templateObjectName(0)))->isEnabled());
}

TEST_F(WizardsFormsTest, TheAccessCodeShowsTheDemonstrationAndFactoryMenusAtOnce) {
    app::TMainForm window(services);
    window.show();
    QAction* demoKit = window.findChild<QMenu*>("DemoKit1")->menuAction();
    EXPECT_FALSE(demoKit->isVisible());
    entryState.demoKitRevealed = true;
    services.entryDialogs.revealHiddenItems(HiddenItems::DemoKit);
    EXPECT_TRUE(demoKit->isVisible() && demoKit->isEnabled());
    EXPECT_TRUE(window.findChild<QMenu*>("Factoryprograms1")->menuAction()->isVisible());
    EXPECT_FALSE(window.findChild<QMenu*>("Moduleprograms1")->menuAction()->isVisible());
}

}  // namespace
}  // namespace kestrion::test
