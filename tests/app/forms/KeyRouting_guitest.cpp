// Where the function-key buttons and Enter go: each button of the bar opens the instruction box with
// its own symbol, and an Enter the register grid takes for its cells goes no further.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "entry/forms/EditKeyForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/DmwImage.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

// Counts the Enter presses that reach the object.
class EnterCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

class KeyRoutingTest : public kestrion::test::RealServicesTest {
protected:
    KeyRoutingTest() : RealServicesTest("keyrouting") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) box->accept();
        });
        driver.start(10);
        form.show();
        form.action("New1")->trigger();
    }
    QTimer driver;
    TMainForm form{services};
};

TEST_F(KeyRoutingTest, EachFunctionKeyButtonOpensTheBoxWithItsOwnSymbol) {
    // F7 is the output key: the box opens with "OUT " typed, as after a typed key.
    const std::pair<const char*, const char*> cases[] = {
        {"spbtnF2", "--|P|--|"}, {"spbtnF3", "--|F|--|"},     {"spbtnF5", "--| |--|"},
        {"spbtnF6", "--|/|--|"}, {"spbtnF7", "--NOP--|OUT "}, {"spbtnF8", "--[ ]--|"},
    };
    for (const auto& [button, symbol] : cases) {
        QString shown = "no box";
        QTimer::singleShot(0, [this, &shown] {
            auto* box = form.findChild<forms::TEditKeyForm*>();
            if (box == nullptr) return;
            shown = box->EditKeyComboBox->currentText() + "|" + box->EditInstr1->text();
            QTest::keyClick(box->EditInstr1, Qt::Key_Escape);
        });
        form.findChild<QPushButton*>(button)->click();
        EXPECT_EQ(shown.toStdString(), symbol) << button;
    }
}

TEST_F(KeyRoutingTest, AnEnterTheRegisterGridTakesGoesNoFurther) {
    form.action("RegisterView1")->trigger();
    QTableView* grid = form.RegisterViewGroupBox->regStringGrid;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EnterCounter window;
    form.installEventFilter(&window);
    EnterCounter panel;
    form.RegisterViewGroupBox->installEventFilter(&panel);
    grid->model()->setData(grid->model()->index(0, 1), "123");  // D1 typed, not yet written
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(dmwRegister(1), 123);  // the grid wrote its cells
    EXPECT_EQ(panel.count + window.count, 0);
}

}  // namespace
}  // namespace kestrion::app
