#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/forms/MainUnit.h"
#include "lang/Language.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ProgramImage.h"
#include "monitor/MonitorMode.h"
#include "monitor/forms/AxisMonitorForm.h"
#include "monitor/forms/EntryDeviceMonitorForm.h"
#include "monitor/forms/MonitorPanels.h"
#include "monitor/forms/RegisterDeviceForm.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::test {
namespace {

class MonitorPanelTest : public RealServicesTest {
protected:
    MonitorPanelTest() : RealServicesTest("monitor-panel") {}
    // File > New with its two dialogs answered: the project's type as offered, the parameters kept.
    static void newProgram(app::TMainForm& form) {
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
        });
        driver.start(10);
        form.action("New1")->trigger();
    }
    static QStringList captions(const QTreeWidget& view) {
        QStringList out;
        for (int i = 0; i < view.topLevelItemCount(); ++i) out << view.topLevelItem(i)->text(0);
        return out;
    }
};

TEST_F(MonitorPanelTest, TheDeviceMonitorPanelTakesTheLaddersPlaceAndShowsItsRows) {
    app::TMainForm form(services);
    form.show();
    newProgram(form);
    auto* f5 = form.findChild<QPushButton*>("spbtnF5");
    ASSERT_TRUE(f5->isEnabled());
    form.findChild<QAction*>("spbtnEntryDeviceMonitor")->trigger();
    ASSERT_TRUE(form.monitorParts->UserDeviceMonitorGroupBox->isVisible());
    EXPECT_FALSE(form.ProjectScrollBox->isVisible());
    EXPECT_FALSE(f5->isEnabled());  // the ladder's function keys rest while the panel shows
    EXPECT_FALSE(form.findChild<QPushButton*>("btnStopMonitor1")->isEnabled());

    // Rows the core adds show in the list view.
    monitorState.monDeviceRows = {{"D0", {"12"}}, {"X0", {"", "", "ON"}}, {"C200", {" "}}};
    form.monitorParts->sync();
    EXPECT_EQ(captions(*form.monitorParts->MonDeviceListView), (QStringList{"D0", "X0", "C200"}));
    EXPECT_EQ(form.monitorParts->MonDeviceListView->topLevelItem(1)->text(3), "ON");

    form.findChild<QPushButton*>("btnMonDeviceClose")->click();
    EXPECT_FALSE(form.monitorParts->UserDeviceMonitorGroupBox->isVisible());
    EXPECT_TRUE(form.ProjectScrollBox->isVisible());
    EXPECT_TRUE(f5->isEnabled());
    EXPECT_EQ(monitorMode, kMonitorOff);
}

TEST_F(MonitorPanelTest, TheRegistrationFormTakesTypedDevicesAndEmptiesARefusedName) {
    RegisterDeviceDialog dialog;
    dialog.plcType = 1;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TregisterDeviceForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        QTest::keyClicks(form->MonDeviceEdit1, "q");
        EXPECT_EQ(form->MonDeviceEdit1->text(), "");  // its box said why
        QTest::keyClicks(form->MonDeviceEdit1, "c200");
        form->MonDeviceNoEdit2->selectAll();
        QTest::keyClicks(form->MonDeviceNoEdit2, "2");
        form->btnRegister->click();
    });
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();  // the name's box
    });
    forms::TregisterDeviceForm form(dialog);
    form.exec();
    EXPECT_EQ(std::make_tuple(dialog.registered, dialog.deviceText, dialog.deviceNumber, dialog.deviceCount),
              std::make_tuple(std::uint8_t{1}, std::string("C200"), 200, 2));
}

// The display types show in the language; the one chosen reaches the registration by its meaning.
TEST_F(MonitorPanelTest, TheRegistrationFormListsItsDisplayTypesInTheLanguageAndKeepsTheChoice) {
    selectLanguageFlags(1);  // Traditional Chinese
    RegisterDeviceDialog dialog;
    forms::TregisterDeviceForm form(dialog);
    form.dispTypeComboBox->setCurrentIndex(2);
    EXPECT_EQ(form.dispTypeComboBox->currentText().toStdString(), "十六進位");
    EXPECT_EQ(std::make_pair(dialog.displayType, dialog.displayText),
              std::make_pair(2, std::string("Hexadecimal")));
}

TEST_F(MonitorPanelTest, TheAxisAndEntryDeviceMonitorsShowTheirTextsInTheLanguage) {
    selectLanguageFlags(3);  // Japanese
    AxisMonitorDialog axis;
    forms::TAxisMonitorForm axisForm(axis, "Controller Axis Monitor");
    EntryDeviceMonitorDialog entry;
    entry.caption = "Entry device monitor";
    forms::TEntryDeviceMonitorForm entryForm(entry);
    EXPECT_EQ(axisForm.windowTitle().toStdString(), "コントローラ軸モニタ");
    EXPECT_EQ(axisForm.btnAxisStopMonitor->text().toStdString(), "モニタ停止");
    EXPECT_EQ(entryForm.windowTitle().toStdString(), "登録デバイスモニタ");
    EXPECT_EQ(entryForm.buttons[4]->text().toStdString(), "すべて削除");
}

TEST_F(MonitorPanelTest, TheEntryDeviceMonitorShowsItsTraceMemosInTheDeveloperLayoutOnly) {
    for (const bool developer : {false, true}) {
        optionFlags = developer ? kOptionDeveloperViews : 0;
        EntryDeviceMonitorDialog dialog;
        forms::TEntryDeviceMonitorForm form(dialog);
        form.show();
        for (QWidget* memo : {static_cast<QWidget*>(form.objDebugMemo1), static_cast<QWidget*>(form.TxMemo2),
                              static_cast<QWidget*>(form.RxMemo2)})
            EXPECT_EQ(memo->isVisible(), developer) << memo->objectName().toStdString();
        EXPECT_EQ(form.buttons[11]->geometry(), QRect(911 - 120 + 8, 16 + 32 * 11, 88, 24));
        EXPECT_FALSE(form.btnSetupPanel->isVisible());
    }
}

}  // namespace
}  // namespace kestrion::test
