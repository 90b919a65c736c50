// The register view as a technician types into it: values in the format shown are written, others
// are refused by name without holding up the rest, and the format buttons show which is active.
// The register dialog of the hidden menu keeps its labels fixed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "link/forms/Parameter1Form.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/RegisterViewForm.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/DmwImage.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class RegisterViewWindowTest : public kestrion::test::RealServicesTest {
protected:
    RegisterViewWindowTest() : RealServicesTest("regview") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes << box->text();
                box->accept();
            }
        });
        driver.start(10);
        form.show();
        form.action("New1")->trigger();
        form.action("RegisterView1")->trigger();
        grid = form.RegisterViewGroupBox->regStringGrid;
    }
    // Types into the cell of grid row r, column c (register cells from 1) and presses Enter; false
    // when the cell takes no typing.
    bool type(int r, int c, const QString& text) {
        const QModelIndex cell = grid->model()->index(r - 1, c - 1);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QLineEdit* edit = nullptr;
        for (auto* open : grid->viewport()->findChildren<QLineEdit*>())
            if (open->isVisible()) edit = open;
        if (edit == nullptr) return false;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
        return true;
    }
    QString shown(int r, int c) const { return grid->model()->index(r - 1, c - 1).data().toString(); }
    void press(const char* button) { form.findChild<QPushButton*>(button)->click(); }
    QString checkedButtons() const {
        QStringList down;
        for (auto* button : form.RegisterViewGroupBox->findChildren<QPushButton*>())
            if (button->isChecked()) down << button->objectName();
        down.sort();
        return down.join(",");
    }

    QTimer driver;
    QStringList boxes;
    TMainForm form{services};
    QTableView* grid = nullptr;
};

TEST_F(RegisterViewWindowTest, AValueTypedInTheFormatShownIsWrittenAndOthersAreRefusedByName) {
    ASSERT_TRUE(type(1, 3, "65535"));  // D2
    ASSERT_TRUE(type(1, 4, "70000"));  // D3
    ASSERT_TRUE(type(1, 5, "-5"));     // D4
    EXPECT_EQ(std::make_tuple(dmwRegister(2), dmwRegister(3), dmwRegister(4)),
              std::make_tuple(std::uint16_t{65535}, std::uint16_t{0}, std::uint16_t{0}));
    EXPECT_EQ(boxes.join("|").toStdString(),
              "D3: \"70000\" is not written; the cell takes 0 ~ 65535|"
              "D4: \"-5\" is not written; the cell takes 0 ~ 65535");
    EXPECT_EQ(shown(1, 4), "0");  // the refused text gives way to the register

    boxes.clear();
    press("btnRegViewHexadecimal");
    ASSERT_TRUE(type(2, 1, "7fff"));  // D10
    ASSERT_TRUE(type(2, 2, "xyz"));   // D11
    EXPECT_EQ(std::make_pair(dmwRegister(10), dmwRegister(11)),
              std::make_pair(std::uint16_t{0x7FFF}, std::uint16_t{0}));
    EXPECT_EQ(shown(2, 1), "7FFF");
    EXPECT_EQ(boxes.join("|").toStdString(), "D11: \"xyz\" is not written; the cell takes 0000 ~ FFFF");

    // The 32-bit layout: every one of the five cells of a row writes its double word.
    press("btnRegView32bits");
    press("btnRegViewDecimal");
    ASSERT_TRUE(type(3, 5, "-2"));     // D28, D29
    ASSERT_TRUE(type(3, 1, "65536"));  // D20, D21
    EXPECT_EQ(
        std::make_tuple(dmwRegister(28), dmwRegister(29), dmwRegister(20), dmwRegister(21)),
        std::make_tuple(std::uint16_t{0xFFFE}, std::uint16_t{0xFFFF}, std::uint16_t{0}, std::uint16_t{1}));
    EXPECT_EQ(shown(3, 5), "-2");
}

TEST_F(RegisterViewWindowTest, ARefusedCellDoesNotStopTheCellsTypedAfterIt) {
    ASSERT_TRUE(type(1, 1, "abc"));
    ASSERT_TRUE(type(1, 2, "12"));
    ASSERT_TRUE(type(1, 3, "34"));
    EXPECT_EQ(std::make_tuple(dmwRegister(0), dmwRegister(1), dmwRegister(2)),
              std::make_tuple(std::uint16_t{0}, std::uint16_t{12}, std::uint16_t{34}));
    EXPECT_EQ(boxes.join("|").toStdString(), "D0: \"abc\" is not written; the cell takes 0 ~ 65535");
}

TEST_F(RegisterViewWindowTest, CellsOfFormatsThatCannotBeTypedAreReadOnly) {
    for (const char* format : {"btnRegViewBinary", "btnRegViewAscii", "btnRegViewFloating"}) {
        press(format);
        EXPECT_FALSE(type(1, 1, "5")) << format;
    }
    press("btnRegViewDecimal");
    EXPECT_TRUE(type(1, 1, "5"));
    EXPECT_EQ(dmwRegister(0), 5);
}

TEST_F(RegisterViewWindowTest, TheLayoutAndFormatButtonsShowWhichIsActive) {
    EXPECT_EQ(checkedButtons(), "btnRegView16bits,btnRegViewDecimal");
    press("btnRegViewHexadecimal");
    EXPECT_EQ(checkedButtons(), "btnRegView16bits,btnRegViewHexadecimal");
    press("btnRegView32bits");
    press("btnRegView32bits");  // a second press leaves it down
    EXPECT_EQ(checkedButtons(), "btnRegView32bits,btnRegViewHexadecimal");
    press("btnRegViewAscii");
    EXPECT_EQ(checkedButtons(), "btnRegView32bits,btnRegViewAscii");
    form.action("LadderView1")->trigger();
    form.action("RegisterView1")->trigger();  // opened again: 16 bits, decimal
    EXPECT_EQ(checkedButtons(), "btnRegView16bits,btnRegViewDecimal");
}

// 16 bits after 32 bits gives back ten registers a row, in the format shown; Binary and Floating
// stay down like the other formats.
TEST_F(RegisterViewWindowTest, SixteenBitsAfterThirtyTwoGivesBackTenRegistersARow) {
    ASSERT_TRUE(type(1, 3, "1"));  // D2
    ASSERT_TRUE(type(1, 4, "2"));  // D3
    press("btnRegViewHexadecimal");
    press("btnRegView32bits");
    EXPECT_EQ(std::make_tuple(grid->model()->columnCount(), shown(1, 2)),
              std::make_tuple(5, QString("00020001")));
    press("btnRegView16bits");
    EXPECT_EQ(std::make_tuple(grid->model()->columnCount(), shown(1, 3), shown(1, 4)),
              std::make_tuple(10, QString("0001"), QString("0002")));
    EXPECT_EQ(checkedButtons(), "btnRegView16bits,btnRegViewHexadecimal");
    press("btnRegViewBinary");
    EXPECT_EQ(checkedButtons(), "btnRegView16bits,btnRegViewBinary");
    press("btnRegView32bits");
    press("btnRegViewFloating");
    EXPECT_EQ(checkedButtons(), "btnRegView32bits,btnRegViewFloating");
    press("btnRegView16bits");
    press("btnRegViewDecimal");
    EXPECT_EQ(std::make_tuple(grid->model()->columnCount(), shown(1, 3)), std::make_tuple(10, QString("1")));
}

// The register dialog of the hidden View item: its labels are fixed, its cells take typing.
TEST_F(RegisterViewWindowTest, TheRegisterDialogKeepsItsLabelRowAndColumnFixed) {
    RegisterViewDialog dialog;
    dialog.plcType = 5;
    QString flags;
    QTimer::singleShot(0, [&flags] {
        auto* view = qobject_cast<forms::TRegisterViewForm*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        QTableWidget* cells = view->regViewStringGrid;
        for (const auto& [r, c] : {std::pair{0, 0}, {0, 1}, {0, 10}, {1, 0}, {800, 0}, {1, 1}, {800, 10}})
            flags += (cells->item(r, c)->flags() & Qt::ItemIsEditable) != 0 ? '1' : '0';
        view->btnCancel->click();
    });
    forms::QtLinkDialogs().registerView(dialog);
    EXPECT_EQ(flags, "0000011");
}

}  // namespace
}  // namespace kestrion::app
