// What the monitor's windows show, read from the windows themselves: the device usage list's grid,
// the any-address list's column widths and its input panel's rows, the registration form's two
// columns of boxes.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include "monitor/access/AnyAddressDialog.h"
#include "monitor/forms/AnyAddressForm.h"
#include "monitor/forms/DeviceListForm.h"
#include "monitor/forms/QtMonitorDialogs.h"
#include "monitor/forms/RegisterDeviceForm.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class MonitorWindowContentsTest : public CoreTest {};

TEST_F(MonitorWindowContentsTest, TheDeviceUsageListFillsItsGridWhenItOpens) {
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* form = qobject_cast<forms::TdeviceListForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        const QTableWidget* grid = form->UseDeviceStringGrid1;
        shown << QString::number(grid->rowCount()) << QString::number(grid->columnCount())
              << grid->verticalHeaderItem(1)->text() << grid->horizontalHeaderItem(7)->text();
        form->btnClose->click();
    });
    forms::QtMonitorDialogs().deviceList("Device list");
    ASSERT_EQ(shown.size(), 4);
    EXPECT_NE(shown[0], "0");
    EXPECT_EQ(shown[1], "8");  // X is numbered in octal: +0 .. +7
    EXPECT_EQ(shown[2] + " " + shown[3], "X10 +7");
}

TEST_F(MonitorWindowContentsTest, TheAnyAddressListTakesEveryColumnWidthAndTheNotesOneRowEach) {
    AnyAddressDialog state;
    state.columns = {"Address", "(H)Current value", "Comment"};
    state.columnWidths = {90, 140, 230};
    forms::TAnyAddressForm form(state);
    form.show();
    QApplication::processEvents();
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(form.AnyAddressListView->columnWidth(c), state.columnWidths[static_cast<std::size_t>(c)])
            << c;
    // The two notes share one row of the input panel, side by side.
    EXPECT_EQ(form.Label6->geometry().top(), form.Label5->geometry().top());
    EXPECT_EQ(form.Label6->height(), form.Label5->height());
    EXPECT_GT(form.Label6->geometry().left(), form.Label5->geometry().left());
}

// Device and count above, size and display type below, in two columns.
TEST_F(MonitorWindowContentsTest, TheRegistrationFormStandsInTwoColumns) {
    RegisterDeviceDialog state;
    forms::TregisterDeviceForm form(state);
    form.show();
    QApplication::processEvents();
    const QList<QGroupBox*> boxes = form.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(boxes.size(), 4);  // device, count, size, display type
    const auto at = [&boxes](int i) { return boxes[i]->geometry(); };
    EXPECT_EQ(at(0).left(), at(2).left());
    EXPECT_EQ(at(1).left(), at(3).left());
    EXPECT_EQ(at(0).top(), at(1).top());
    EXPECT_EQ(at(2).top(), at(3).top());
    EXPECT_GT(at(1).left(), at(0).right());
    EXPECT_GT(at(2).top(), at(0).bottom());
}

}  // namespace
}  // namespace kestrion::test
