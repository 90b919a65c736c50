// TProgWriteForm: "All range" or "Range setting" for the program write, with the steps it covers.
// Its rules are ProgWriteDialog's.
#pragma once

#include <QDialog>

#include "link/transfer/TransferDialogs.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace kestrion::forms {

class TProgWriteForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgWriteForm(ProgWriteDialog& state, QWidget* parent = nullptr);

    QRadioButton* RadioButtonAllRange = nullptr;
    QRadioButton* RadioButtonRangeSetting = nullptr;
    QLabel* StartStepLabel = nullptr;
    QLabel* EndStepLabel = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProgWriteDialog& state_;
};

void runProgWriteForm(ProgWriteDialog& dialog);

}  // namespace kestrion::forms
