// The device usage list's letter buttons: each shows its own devices, numbered in its own base.
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "monitor/forms/DeviceListForm.h"
#include "monitor/forms/QtMonitorDialogs.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class DeviceListLettersTest : public CoreTest {};

TEST_F(DeviceListLettersTest, EachLetterButtonShowsItsOwnDevices) {
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* form = qobject_cast<forms::TdeviceListForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        const QTableWidget* grid = form->UseDeviceStringGrid1;
        for (const char* button : {"btnYn", "btnMn", "btnXn"}) {
            form->findChild<QPushButton*>(button)->click();
            const int last = grid->columnCount() - 1;
            shown << QString("%1 %2 %3")
                         .arg(grid->verticalHeaderItem(1)->text(), grid->horizontalHeaderItem(last)->text(),
                              QString::number(last + 1));
        }
        form->btnClose->click();
    });
    forms::QtMonitorDialogs().deviceList("Device list");
    EXPECT_EQ(shown.join(", ").toStdString(), "Y10 +7 8, M10 +9 10, X10 +7 8");
}

}  // namespace
}  // namespace kestrion::test
