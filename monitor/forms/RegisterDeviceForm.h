// TregisterDeviceForm: one run of devices for the registered monitor list; its rules are
// RegisterDeviceDialog's.
#pragma once

#include <QDialog>

#include "monitor/RegisterDeviceDialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TregisterDeviceForm : public QDialog {
    Q_OBJECT
public:
    explicit TregisterDeviceForm(RegisterDeviceDialog& state, QWidget* parent = nullptr);

    QLineEdit* MonDeviceEdit1 = nullptr;
    QLineEdit* MonDeviceNoEdit2 = nullptr;
    QButtonGroup* registerDeviceRadioGroup = nullptr;
    QComboBox* dispTypeComboBox = nullptr;
    QPushButton* btnRegister = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void showState();
    RegisterDeviceDialog& state_;
};

}  // namespace kestrion::forms
