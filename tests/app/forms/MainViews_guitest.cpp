// The main window's views, tool buttons and function-key panel, driven as a technician would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "app/forms/MainUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "editor/forms/InstructionViewForm.h"
#include "editor/forms/LadderViewForm.h"
#include "entry/forms/EditKeyForm.h"
#include "lang/forms/AppMsgForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/DmwImage.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

using Texts = std::vector<std::string>;

class MainViewsTest : public kestrion::test::RealServicesTest {
protected:
    MainViewsTest() : RealServicesTest("views") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* done = qobject_cast<forms::TAppMsgForm*>(modal)) done->reject();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown << "box: " + box->text();
                if (QAbstractButton* no = box->button(QMessageBox::No))
                    no->click();
                else
                    box->accept();
            }
            if (auto* printer = qobject_cast<QPrintDialog*>(modal)) {
                shown << printer->windowTitle();
                printer->reject();
            }
        });
        driver.start(10);
    }
    // A function-key button (or a key typed on the ladder), with the instruction box it opens
    // answered by the keys.
    void fncKey(const char* button, const QString& keys) {
        answerBox(keys);
        form.findChild<QPushButton*>(button)->click();
    }
    void answerBox(const QString& keys) {
        QTimer::singleShot(0, [this, keys] {
            auto* box = form.findChild<forms::TEditKeyForm*>();
            if (box == nullptr) return;
            shown << box->EditKeyComboBox->currentText();
            QTest::keyClicks(box->EditInstr1, keys);
            QTest::keyClick(box->EditInstr1, Qt::Key_Return);
        });
    }
    Texts rows() const {
        Texts texts;
        const QAbstractItemModel* lines = form.InstructionMemo->model();
        for (int r = 0; r < lines->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c) cells << lines->index(r, c).data().toString();
            texts.push_back(cells.join('|').toStdString());
        }
        return texts;
    }
    void button(const char* name) { form.findChild<QAction*>(name)->trigger(); }

    QTimer driver;
    QStringList shown;
    TMainForm form{services};
};

TEST_F(MainViewsTest, TheInstructionViewFollowsConvertAndADoubleClickFramesTheInstruction) {
    form.show();
    form.action("New1")->trigger();
    fncKey("spbtnF5", "X0");
    fncKey("spbtnF8", "MOV K10 D0");
    form.findChild<QPushButton*>("spbtnF4")->click();
    button("spbtnInstructionView");
    EXPECT_TRUE(form.ProjectGroupBox1->isVisible() && !form.ProjectScrollBox->isVisible());
    EXPECT_FALSE(form.findChild<QPushButton*>("spbtnF5")->isEnabled());
    EXPECT_EQ(rows(), (Texts{"0|LD|X000|", "1|MOV|K10 D0|", "6|END||"}));

    form.action("LadderView1")->trigger();
    QTest::mouseClick(form.ladderEditScreen, Qt::LeftButton, {}, QPoint(100, 100));  // the second line
    fncKey("spbtnF5", "X1");
    answerBox("UT Y0");
    QTest::keyClick(form.ladderEditScreen, Qt::Key_O);
    form.findChild<QPushButton*>("spbtnF4")->click();
    EXPECT_EQ(shown.join(",").toStdString(), "--| |--,--[ ]--,--| |--,--NOP--");
    form.action("InstructionView1")->trigger();
    EXPECT_EQ(rows(), (Texts{"0|LD|X000|", "1|MOV|K10 D0|", "6|LD|X001|", "7|OUT|Y000|", "8|END||"}));

    const QModelIndex coil = form.InstructionMemo->model()->index(3, 1);
    QApplication::processEvents();  // the list laid out once it shows
    const QPoint at = form.InstructionMemo->visualRect(coil).center();
    QTest::mouseClick(form.InstructionMemo->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(form.InstructionMemo->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(form.ProjectScrollBox->isVisible() && !form.ProjectGroupBox1->isVisible());
    const stLadderBlock* out = ldrHead;
    while (out != nullptr && textOf(out->mnemonic) != "OUT") out = out->next;
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::make_pair(BlueFrame.x1, BlueFrame.y1), std::make_pair(out->xAddr, out->yAddr));
}

TEST_F(MainViewsTest, ToolButtonsFollowTheirMenuItemsInEveryState) {
    const char* const names[] = {"spbtnNew",           "spbtnSave",       "spbtnInstructionView",
                                 "spbtnChangeComPort", "spbtnErrorCheck", "spbtnUploadProg"};
    // Enabled in: no program, the ladder view, the instruction view, the register view, closed.
    // A program is read from the PLC with or without one open.
    const std::pair<std::function<void()>, std::string> states[] = {
        {[] {}, "100111"},
        {[this] { form.action("New1")->trigger(); }, "111111"},
        {[this] { button("spbtnInstructionView"); }, "111111"},
        {[this] { button("spbtnRegisterView"); }, "111111"},
        {[this] { form.action("Close1")->trigger(); }, "100111"},
    };
    form.show();
    for (const auto& [enter, expected] : states) {
        enter();
        std::string enabled;
        for (const char* name : names) {
            const QAction* tool = form.findChild<QAction*>(name);
            enabled += tool->isEnabled() ? '1' : '0';
            const QAction* item = form.menuItemAction(tool->property("menuItem").toByteArray().constData());
            if (item != nullptr) {
                EXPECT_EQ(tool->isEnabled(), item->isEnabled()) << name;
            }
        }
        EXPECT_EQ(enabled, expected);
        EXPECT_EQ(form.FncKeyPanel->isVisible(), expected[1] == '1');
    }
    const QAction* status = form.findChild<QAction*>("spbtnMachineStatus");
    EXPECT_EQ(form.findChild<QAction*>("spbtnChangeComPort")->toolTip() + " " +
                  form.findChild<QAction*>("spbtnErrorCheck")->toolTip() + " " + status->toolTip(),
              "ChangeComPort ErrorCheck MachineStatus");
    EXPECT_FALSE(status->isVisible());
}

TEST_F(MainViewsTest, PrinterSetupShowsTheDesktopDialogAndPrintingStaysDisabled) {
    form.show();
    form.action("PrinterSetup1")->trigger();
    EXPECT_EQ(shown.join(",").toStdString(), "Printer setup");
    form.action("New1")->trigger();
    EXPECT_FALSE(form.action("Print1")->isEnabled() || form.action("GcodeConvert1")->isEnabled());
}

TEST_F(MainViewsTest, TheRegisterViewShowsTheRegistersAndEnterWritesATypedValue) {
    form.show();
    form.action("New1")->trigger();
    setDmwRegister(11, 42);
    form.action("RegisterView1")->trigger();
    EXPECT_TRUE(form.RegisterViewGroupBox->isVisible() && !form.ProjectScrollBox->isVisible());
    QTableView* grid = form.RegisterViewGroupBox->regStringGrid;
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), "42");  // D11
    EXPECT_EQ(grid->model()->headerData(1, Qt::Vertical).toString(), "D10");
    grid->edit(grid->model()->index(1, 2));  // D12
    auto* cell = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    cell->selectAll();
    QTest::keyClicks(cell, "123");
    QTest::keyClick(cell, Qt::Key_Return);
    QApplication::processEvents();  // the cell is handed over after the key
    EXPECT_EQ(dmwRegister(12), 123);
    form.findChild<QPushButton*>("btnRegViewHexadecimal")->click();
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), "002A");
    form.findChild<QPushButton*>("btnRegView32bits")->click();
    EXPECT_EQ(grid->horizontalHeader()->count(), 5);  // five double words a row
    form.findChild<QPushButton*>("btnRegViewClose")->click();
    EXPECT_TRUE(form.ProjectScrollBox->isVisible() && !form.RegisterViewGroupBox->isVisible());
}

}  // namespace
}  // namespace kestrion::app
