// TcvChangeForm: a new current value for one data register; its rules are CvChangeDialog's.
#pragma once

#include <QDialog>

#include "monitor/ChangeValue.h"

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TcvChangeForm : public QDialog {
    Q_OBJECT
public:
    explicit TcvChangeForm(CvChangeDialog& state, QWidget* parent = nullptr);

    QLineEdit* DeviceNoEdit1 = nullptr;
    QLineEdit* CurrentValueEdit1 = nullptr;
    QButtonGroup* cvChangeRadioGroup = nullptr;
    QPlainTextEdit* ChangeCurrentValueMemo1 = nullptr;
    QPushButton* btnExecuteChange = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void showState();
    CvChangeDialog& state_;
};

}  // namespace kestrion::forms
