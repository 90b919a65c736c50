// The port and rate dialog and the reply time-out dialog as Qt windows, with the fakes installed.
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "link/CommRecord.h"
#include "link/forms/PortSelUnit.h"
#include "link/forms/RsTimOutUnit.h"
#include "support/Fixture.h"

namespace kestrion::testing {
namespace {

class LinkFormsTest : public CoreTest {};

TEST_F(LinkFormsTest, ThePortDialogShowsTheSelectionAndTheDeviceAndWritesTheIndexes) {
    comPortIndex = 2;
    baudIndex = 3;
    TPortSelForm form;
    form.show();
    EXPECT_EQ(form.comPortComboBox->currentText(), "COM3");
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS2");
    EXPECT_TRUE(form.baudRateRadioGroup->button(3)->isChecked());
    EXPECT_EQ(form.comPortComboBox->count(), 8);
    const QPoint offCentre =
        form.frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);

    form.comPortComboBoxChange("COM20");
    EXPECT_EQ(form.comPortComboBox->currentText(), "COM1");
    EXPECT_EQ(comPortIndex, 0u);
    form.comPortComboBoxChange("COM12");
    EXPECT_EQ(comPortIndex, 11u);
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS11");
    form.baudRateRadioGroup->button(1)->click();
    EXPECT_EQ(baudIndex, 1u);
    EXPECT_FALSE(form.confirmed);
    form.btnOk->click();
    EXPECT_TRUE(form.confirmed);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(LinkFormsTest, TheTimeOutDialogShowsAndCorrectsItsTexts) {
    TrsTimOutForm form;
    form.timeOutIndex = 4;
    form.retryIndex = 9;
    form.show();
    EXPECT_EQ(form.TimeOutComboBox->currentText(), "5");
    EXPECT_EQ(form.TimeOutComboBox->itemText(form.TimeOutComboBox->currentIndex()), "5");  // what the list marks
    EXPECT_EQ(form.RetryComboBox->currentText(), "1");
    EXPECT_EQ(form.RetryComboBox->currentIndex(), 0);
    form.TimeOutComboBoxChange("12");
    EXPECT_EQ(form.TimeOutComboBox->currentText(), "1");
    EXPECT_EQ(form.TimeOutComboBox->currentIndex(), -1);  // "1" is not in the list
    EXPECT_EQ(form.timeOutIndex, 0);
    form.RetryComboBoxChange("4");
    EXPECT_EQ(form.retryIndex, 3);
    form.btnCancel->click();
    EXPECT_FALSE(form.confirmed);
    EXPECT_EQ(form.windowTitle(), "Communication Time Out Setting");
}

TEST_F(LinkFormsTest, BothDialogsAreWideEnoughForTheCaptionsTheyAreOpenedWith) {
    TPortSelForm ports;
    TrsTimOutForm timeOut;
    const std::pair<QDialog*, QString> cases[] = {{&ports, "Communication Ports and BaudRate Selection"},
                                                  {&timeOut, "Communication TimeOut Timer Setting"}};
    for (const auto& [dialog, caption] : cases) {
        dialog->setWindowTitle(caption);
        dialog->show();
        EXPECT_GE(dialog->width(), QFontMetrics(dialog->font()).horizontalAdvance(caption) + 100) << caption.toStdString();
    }
}

}  // namespace
}  // namespace kestrion::testing
