#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/gui/RealServicesTest.h"
#include "wizards/forms/AutoLinkForm.h"
#include "wizards/forms/AxisForms.h"
#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/FirmwareHistoryForm.h"
#include "wizards/forms/RotaryCutForm1.h"

namespace kestrion::test {
namespace {

class CalculatorFormsTest : public RealServicesTest {
protected:
    CalculatorFormsTest() : RealServicesTest("calculators") {}
    template <typename Widget = QLineEdit>
    static Widget* child(QWidget& form, const char* name) {
        auto* found = form.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static bool isYellow(QWidget* widget) { return widget->styleSheet().contains("255, 255, 0"); }
};

TEST_F(CalculatorFormsTest, TheAutoLinkWindowFiltersKeysFlagsBadEntriesAndOpensItsReport) {
    AutoLinkCalculator rules;
    forms::TautoLinkForm form(rules);
    form.show();
    EXPECT_EQ(child<QComboBox>(form, "baudRateComboBox")->currentText(), "1200");
    EXPECT_EQ(child<QLabel>(form, "linkInformationLabel1")->text(), "M0--M39 be occupied");
    QLineEdit* stations = child(form, "MaximumStationNoEdit");
    stations->selectAll();
    QTest::keyClicks(stations, "9x9");
    EXPECT_EQ(stations->text(), "32");
    QLineEdit* spacing = child(form, "TxEach1AllocEdit");
    spacing->selectAll();
    QTest::keyClicks(spacing, "2");
    QLineEdit* count = child(form, "sendWordCountEdit");
    count->selectAll();
    QTest::keyClicks(count, "5");
    EXPECT_TRUE(isYellow(spacing));
    QLineEdit* hexRow = child(form, "RxEdit1");
    child<QComboBox>(form, "RxComboBox1")->textActivated("Hex");
    hexRow->selectAll();
    QTest::keyClicks(hexRow, "1a2b");
    EXPECT_EQ(hexRow->text(), "1A2B");
    form.btnRxFillAll->click();
    EXPECT_EQ(child(form, "RxEdit32")->text(), "6699");
    QLineEdit* m = form.findChild<forms::SpinEdit*>("LinkControlBitDeviceNoCSpinEdit")->edit();
    m->selectAll();
    QTest::keyClicks(m, "1497");
    EXPECT_TRUE(isYellow(m) && isYellow(child<QLabel>(form, "linkInformationLabel1")));
    m->selectAll();
    QTest::keyClicks(m, "12");
    EXPECT_FALSE(isYellow(m) || isYellow(child<QLabel>(form, "linkInformationLabel1")));
    m->selectAll();
    QTest::keyClicks(m, "1497");
    QString report;
    QTimer::singleShot(0, [&report] {
        auto* help = qobject_cast<forms::TFirmwareHistoryForm*>(QApplication::activeModalWidget());
        ASSERT_NE(help, nullptr);
        report = help->windowTitle() + "|" + help->Memo1->toPlainText().section('\n', 1, 1);
        help->close();
    });
    form.Button1->click();
    EXPECT_EQ(report, "Auto link control|M1497 --- M1536 be occupied");
    form.btnCancel->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(CalculatorFormsTest, TheTwoAxisWindowClampsAndFlagsAndHidesTheZeroReturnGroup) {
    AxisControlDialog rules;
    rules.openAs(kUsageAbsoluteControl);
    forms::TSubForm1 form(rules);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Absolute Control");
    EXPECT_FALSE(child<QComboBox>(form, "Ax1ReturnModeComboBox")->isVisible());
    EXPECT_FALSE(form.btnSimu->isVisible());
    QLineEdit* d = form.findChild<forms::SpinEdit*>("byteDeviceNoCSpinEdit1")->edit();
    d->selectAll();
    QTest::keyClicks(d, "9000");
    EXPECT_EQ(d->text(), "3999");
    EXPECT_EQ(child(form, "Ax1SpeedEdit")->text(), "4001");
    EXPECT_TRUE(isYellow(d));
    QLineEdit* acc = child(form, "Ax2AccTimeEdit");
    acc->selectAll();
    QTest::keyClicks(acc, "6a000");
    EXPECT_EQ(acc->text(), "5000");
    acc->setText("");
    acc->textEdited("");
    EXPECT_TRUE(isYellow(acc));
    EXPECT_EQ(rules.record.axAccTime[1], 5000);
}

TEST_F(CalculatorFormsTest, ThePulseSimulationKeepsItsAxesThroughARepaintAndAResize) {
    forms::TpulseSimulationForm form;
    form.show();
    const auto axesDrawn = [&form] {
        const QImage picture = form.simulationPaintBox->grab().toImage();
        return picture.pixelColor(10, 100) == QColor(0, 0, 255) &&
               picture.pixelColor(100, 10) == QColor(0, 0, 255) &&
               picture.pixelColor(100, 100) != QColor(0, 0, 255);
    };
    EXPECT_TRUE(axesDrawn());
    form.simulationPaintBox->repaint();
    EXPECT_TRUE(axesDrawn());
    form.resize(800, 400);
    form.btnOk->click();
    EXPECT_TRUE(axesDrawn());
    form.simulationPaintBoxMouseMove(0, 0);
    EXPECT_EQ(form.xyLabel->text(), "X=0 ,Y=0");
}

TEST_F(CalculatorFormsTest, TheRotaryCutterShowsItsResultsAndFlagsALetter) {
    RotaryCutCalculator rules;
    rules.presetExample();
    forms::TRotaryCutForm1 form(rules);
    form.show();
    EXPECT_EQ(child(form, "umPerPulseEdit")->text(), "5");
    EXPECT_EQ(child(form, "ToolCircumferenceEdit")->text(), "314159");
    QLineEdit* radius = child(form, "ToolRadiusEdit");
    radius->selectAll();
    QTest::keyClicks(radius, "100");
    EXPECT_EQ(child(form, "ToolCircumferenceEdit")->text(), "628");
    EXPECT_EQ(platform::statusBar().panelText(13), "ToolCircumference(um)=628.318420410156");
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    QLineEdit* resolution = child(form, "MotorResolutionEdit");
    resolution->selectAll();
    QTest::keyClicks(resolution, "x");
    EXPECT_TRUE(isYellow(resolution));
    EXPECT_EQ(child(form, "umPerPulseEdit")->text(), "5");
}

}  // namespace
}  // namespace kestrion::test
