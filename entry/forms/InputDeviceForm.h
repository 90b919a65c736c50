// TInputDeviceForm: asks for one device text for a ladder symbol and shows the symbol beside it.
#pragma once

#include <QDialog>

#include "entry/InputDeviceDialog.h"

class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TInputDeviceForm : public QDialog {
    Q_OBJECT
public:
    explicit TInputDeviceForm(InputDeviceDialog& dialog, QWidget* parent = nullptr);

    QLineEdit* InputDeviceEdit = nullptr;
    QPushButton* InputDeviceOk = nullptr;
    QPushButton* InputDeviceCancel = nullptr;
    QPushButton* InputDeviceHelp = nullptr;

public slots:
    void InputDeviceOkClick();
    void InputDeviceCancelClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();
    InputDeviceDialog& dialog_;
};

void runInputDeviceForm(InputDeviceDialog& dialog);

}  // namespace kestrion::forms
