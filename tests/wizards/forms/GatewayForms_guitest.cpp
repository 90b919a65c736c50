#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>

#include "app/forms/MainUnit.h"
#include "support/gui/RealServicesTest.h"
#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/CcLinkForm.h"
#include "wizards/forms/ParameterListPanel.h"

namespace kestrion::test {
namespace {

class GatewayFormsTest : public RealServicesTest {
protected:
    GatewayFormsTest() : RealServicesTest("gateway") {}
    static bool isYellow(QWidget* widget) { return widget->styleSheet().contains("255, 255, 0"); }
};

TEST_F(GatewayFormsTest, TheSetupWindowShowsTheReadWordFiltersKeysAndIsLeftWithClose) {
    CcLinkDialog rules;
    rules.caption = "Setup ccGate Parameter";
    rules.occupiedStationsCode = 5;
    rules.baudRateCode = 5;
    rules.stationNo = 65;
    rules.msgMemo = explainD8110(0x5541);
    rules.btnUpdate1Click();
    forms::TccLinkForm form(rules);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Setup ccGate Parameter");
    auto* stations = form.findChild<QComboBox*>("OccupiedStationsComboBox");
    auto* rate = form.findChild<QComboBox*>("BaudRateComboBox");
    QLineEdit* station = form.findChild<forms::SpinEdit*>("StationNoCSpinEdit")->edit();
    EXPECT_EQ(stations->currentText() + " " + rate->currentText() + " " + station->text(), "Error Error 65");
    EXPECT_TRUE(isYellow(stations) && isYellow(rate) && isYellow(station));
    EXPECT_TRUE(form.msgMemo->toPlainText().endsWith(" D8110.[nn]=65>64 Station number setting Error..."));
    EXPECT_TRUE(form.btnUpdate1->isHidden() && form.btnCancel->isHidden() && form.Monitor->isHidden());

    station->selectAll();
    QTest::keyClicks(station, "x12");
    EXPECT_EQ(station->text(), "12");
    EXPECT_FALSE(isYellow(station));
    stations->textActivated("3");
    EXPECT_FALSE(isYellow(stations));
    EXPECT_EQ(rules.stationNo * 10 + rules.occupiedStationsCode, 122);
    form.btnClose->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(rules.closeFlags, kCcLinkClosed);
}

TEST_F(GatewayFormsTest, TheProgramWindowKeepsItsGenerateButtonDisabledAndIsLeftWithClose) {
    CcGateModbusDialog rules;
    forms::TccGateModbusForm form(rules);
    form.show();
    EXPECT_FALSE(form.ProgGenerte->isEnabled());
    EXPECT_EQ(form.findChild<QComboBox*>("ComboBox4")->currentText(), "EVEN");
    form.btnClose->click();
    EXPECT_EQ(rules.closeFlag * 10 + rules.cancelFlag, 10);
}

TEST_F(GatewayFormsTest, TheBfmListsShowInTheMainWindowWithoutAProgram) {
    app::TMainForm window(services);
    window.show();
    window.action("ccGateBFM1")->trigger();
    const QTableWidget* list = window.ParameterGroupBox->ParameterListView;
    EXPECT_TRUE(window.ParameterGroupBox->isVisible() && !window.ProjectScrollBox->isVisible());
    ASSERT_EQ(list->rowCount(), 129);
    EXPECT_EQ(list->horizontalHeaderItem(5)->text(), "Comment");
    EXPECT_EQ(list->item(127, 0)->text() + list->item(127, 1)->text() + list->item(127, 5)->text(),
              "D63HBFM#7Fh*...Reserved... ");
    QCoreApplication::processEvents();  // the panels show their last texts
    EXPECT_EQ(window.statusPanels[13]->text(), "129");
    window.action("Link485BFM1")->trigger();
    EXPECT_EQ(list->rowCount(), 100);
    // A double-click names the row in panel 0; Close gives the place back to the views.
    emit window.ParameterGroupBox->ParameterListView->cellDoubleClicked(2, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.statusPanels[0]->text(),
              list->item(2, 0)->text() + "," + list->item(2, 1)->text() + ",2");
    window.ParameterGroupBox->btnParameterViewClose->click();
    EXPECT_FALSE(window.ParameterGroupBox->isVisible());
}

}  // namespace
}  // namespace kestrion::test
