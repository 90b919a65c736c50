#include "wizards/forms/FirmwareHistoryForm.h"

#include <QPlainTextEdit>

#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

TFirmwareHistoryForm::TFirmwareHistoryForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FirmwareHistoryForm");
    setWindowTitle("Firmware history");
    systemMenuOnly(*this);
    resize(738, 404);
    Memo1 = placed<QPlainTextEdit>(this, "Memo1", 8, 8, 713, 361);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = Memo1->font();
    font.setPixelSize(13);
    Memo1->setFont(font);
}

void TFirmwareHistoryForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TFirmwareHistoryForm::FormShow() {
    QString text;
    for (const std::string& line : deviceUsageLines(report)) text += QString::fromStdString(line) + '\n';
    Memo1->setPlainText(text);
}

void runFirmwareHistoryForm(const DeviceUsageReport& report, QWidget* parent) {
    TFirmwareHistoryForm form(parent);
    form.report = report;
    form.setWindowTitle(QString::fromStdString(report.caption));
    form.exec();
}

}  // namespace kestrion::forms
