// The register view as a technician types into it: values in the format shown are written, others
// are refused by name without holding up the rest, and the format buttons show which is active. A
// text left in a cell is the program's, however the typing ends. The register dialog of the hidden
// menu keeps its labels fixed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>
#include <tuple>

#include "app/FileCommands.h"
#include "app/forms/MainUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "link/forms/Parameter1Form.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/RegisterViewForm.h"
#include "model/core/MainState.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/DmwImage.h"
#include "model/ladder/EditorState.h"
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
                if (QAbstractButton* button = box->button(answer))
                    button->click();
                else
                    box->accept();
            }
        });
        driver.start(10);
        form.show();
        form.action("New1")->trigger();
        form.action("RegisterView1")->trigger();
        grid = form.RegisterViewGroupBox->regStringGrid;
    }
    // Types into the cell of grid row r, column c (register cells from 1) and presses the key that
    // ends the typing (none: the cell stays open); false when the cell takes no typing.
    bool type(int r, int c, const QString& text, Qt::Key end = Qt::Key_Return) {
        const QModelIndex cell = grid->model()->index(r - 1, c - 1);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QLineEdit* edit = nullptr;
        for (auto* open : grid->viewport()->findChildren<QLineEdit*>())
            if (open->isVisible()) edit = open;
        if (edit == nullptr) return false;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (end != Qt::Key_unknown) QTest::keyClick(edit, end);
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

    bool modified() const { return (editModeFlags & kEditModifiedSinceSave) != 0; }
    // The program saved under a name in the installation folder, as Save writes it.
    void saveAsLine() {
        ASSERT_TRUE(setCurrentFileName((home / "Line.PMW").string()));
        fileStateFlags &= static_cast<std::uint8_t>(~kFileNoName);
        form.action("Save1")->trigger();
        ASSERT_FALSE(modified());
    }
    std::vector<std::string> savedFiles() const {
        std::vector<std::string> contents;
        for (const char* ext : {"PMW", "DMW", "COW", "EDM"}) {
            std::ifstream file(home / ("Line." + std::string(ext)), std::ios::binary);
            contents.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        return contents;
    }
    void pressCtrlQ() {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    }
    // Exit (Ctrl+Q) or the close box after the given steps, inside the application's loop as the
    // program runs them (the end of the program ends the loop); the saved files after it.
    std::vector<std::string> exitAfter(const std::function<void()>& steps, bool closeBox = false) {
        QTimer::singleShot(0, &form, [&] {
            steps();
            if (closeBox)
                form.close();
            else
                pressCtrlQ();
        });
        QTimer guard;  // never hang the suite
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(form.isVisible());
        return savedFiles();
    }
    std::vector<std::string> exitWithD0Open(const char* text, bool closeBox = false) {
        return exitAfter([&] { EXPECT_TRUE(type(1, 1, text, Qt::Key_unknown)); }, closeBox);
    }

    QTimer driver;
    QStringList boxes;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
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

// A text left in a cell by Tab, a click on another cell or the close of the view is written as
// Enter writes it, refused with Enter's box; Escape keeps nothing.
TEST_F(RegisterViewWindowTest, ATextLeftInACellIsTakenAsEnterTakesIt) {
    ASSERT_TRUE(type(1, 1, "999", Qt::Key_Tab));  // D0
    EXPECT_EQ(std::make_tuple(dmwRegister(0), modified()), std::make_tuple(std::uint16_t{999}, true));
    ASSERT_TRUE(type(1, 2, "70000", Qt::Key_Tab));  // D1
    EXPECT_EQ(boxes.join("|").toStdString(), "D1: \"70000\" is not written; the cell takes 0 ~ 65535");
    EXPECT_EQ(std::make_pair(dmwRegister(1), shown(1, 2)), std::make_pair(std::uint16_t{0}, QString("0")));

    ASSERT_TRUE(type(1, 3, "12", Qt::Key_unknown));  // D2, then a click on D5
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 5)).center());
    EXPECT_EQ(dmwRegister(2), 12);
    ASSERT_TRUE(type(1, 4, "34", Qt::Key_Escape));  // D3
    EXPECT_EQ(dmwRegister(3), 0);
    ASSERT_TRUE(type(1, 5, "56", Qt::Key_unknown));  // D4, then the view's Close
    press("btnRegViewClose");
    EXPECT_EQ(dmwRegister(4), 56);
    form.action("RegisterView1")->trigger();
    ASSERT_TRUE(type(2, 1, "78", Qt::Key_unknown));  // D10, then View > Ladder view
    form.action("LadderView1")->trigger();
    EXPECT_EQ(dmwRegister(10), 78);
    EXPECT_EQ(boxes.size(), 1);
}

TEST_F(RegisterViewWindowTest, ExitWithACellOpenTakesItsTextThenAsks) {
    saveAsLine();
    const auto files = exitWithD0Open("999");
    EXPECT_EQ(boxes, QStringList{"Do you want to save current file before exit ?"});
    // Yes: D0 is the DMW file's first register, after its 256-byte header.
    EXPECT_EQ(files[1].substr(256, 2), std::string("\xE7\x03"));
}

TEST_F(RegisterViewWindowTest, TheCloseBoxWithACellOpenAsksAndNoWritesNothing) {
    answer = QMessageBox::No;
    saveAsLine();
    const auto saved = savedFiles();
    EXPECT_EQ(exitWithD0Open("999", true), saved);
    EXPECT_EQ(boxes, QStringList{"Do you want to save current file before exit ?"});
}

TEST_F(RegisterViewWindowTest, AValueTypedOverWithItselfAsksNothingAtExit) {
    saveAsLine();
    const auto saved = savedFiles();
    EXPECT_EQ(exitWithD0Open("0"), saved);
    EXPECT_TRUE(boxes.isEmpty());
}

// Option > Type change answered OK with the type and capacity the program has keeps its keyword.
TEST_F(RegisterViewWindowTest, TypeChangeWithNothingChangedAsksNothingAtExit) {
    std::copy_n("ABCD1234", 8, pmw.parameterBlock.begin() + 8);
    saveAsLine();
    const auto saved = savedFiles();
    EXPECT_EQ(exitAfter([this] { form.action("PlcTypeChange1")->trigger(); }), saved);
    EXPECT_EQ(std::string(pmw.parameterBlock.begin() + 8, pmw.parameterBlock.begin() + 16), "ABCD1234");
    EXPECT_TRUE(boxes.isEmpty());
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
