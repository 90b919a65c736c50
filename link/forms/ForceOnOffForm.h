// TForceOnOffForm: force one bit device ON or OFF; its rules are ForceOnOffDialog's.
#pragma once

#include <QDialog>

#include "link/plc/ForceBits.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TForceOnOffForm : public QDialog {
    Q_OBJECT
public:
    explicit TForceOnOffForm(ForceOnOffDialog& state, QWidget* parent = nullptr);

    QLabel* ForceOnOffDeviceLabel = nullptr;
    QLineEdit* ForceOnOffEdit = nullptr;
    QButtonGroup* ForceOnOffRadioGroup = nullptr;
    QPlainTextEdit* ForceOnOffMemo = nullptr;
    QLabel* ForceOnOffStringLabel = nullptr;
    QPushButton* btnExecuteForceOnOff = nullptr;
    QPushButton* btnForceClose = nullptr;

public slots:
    void ForceOnOffEditChange(const QString& text);
    void btnExecuteForceOnOffClick();

private:
    void showState();
    ForceOnOffDialog& state_;
};

void runForceOnOffForm(ForceOnOffDialog& state);

}  // namespace kestrion::forms
