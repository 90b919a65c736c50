// TFirmwareHistoryForm: the device-usage report in a memo.
#pragma once

#include <QDialog>

#include "wizards/calculators/DeviceUsageReport.h"

class QPlainTextEdit;

namespace kestrion::forms {

class TFirmwareHistoryForm : public QDialog {
    Q_OBJECT
public:
    explicit TFirmwareHistoryForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    DeviceUsageReport report;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};

// Shows the report modally over the calling dialog.
void runFirmwareHistoryForm(const DeviceUsageReport& report, QWidget* parent);

}  // namespace kestrion::forms
