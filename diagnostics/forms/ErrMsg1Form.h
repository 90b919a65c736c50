// TErrMsg1Form: the diagnostics dialog, one memo and the ErrorCheck, MachineStatus and Close
// buttons; what the buttons do is ErrMsg1Dialog's.
#pragma once

#include <QDialog>

#include "diagnostics/ErrMsg1Dialog.h"

class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TErrMsg1Form : public QDialog {
    Q_OBJECT
public:
    explicit TErrMsg1Form(QWidget* parent = nullptr);

    QPlainTextEdit* msgMemo = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnErrorCheck1 = nullptr;
    QPushButton* btnMachineStatus1 = nullptr;
    ErrMsg1Dialog state;

public slots:
    void FormShow();
    void btnCloseClick();
    void btnErrorCheck1Click();
    void btnMachineStatus1Click();
    // Escape closes the dialog only as the Close button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showMemo();
};

}  // namespace kestrion::forms
