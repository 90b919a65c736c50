// TautoLinkForm: the auto-link calculator's window over AutoLinkCalculator's rules.
#pragma once

#include <QDialog>

#include "wizards/calculators/AutoLinkCalculator.h"

class QPushButton;

namespace kestrion::forms {

class CalculatorBinder;

class TautoLinkForm : public QDialog {
    Q_OBJECT
public:
    explicit TautoLinkForm(AutoLinkCalculator& rules, QWidget* parent = nullptr);

    CalculatorBinder* binder = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnRxFillAll = nullptr;
    QPushButton* btnTxFillAll = nullptr;
    QPushButton* Button1 = nullptr;  // "Help ..."

protected:
    void showEvent(QShowEvent* event) override;

private:
    AutoLinkCalculator& rules_;
    bool shown_ = false;
};

void runAutoLinkForm(AutoLinkCalculator& rules);

}  // namespace kestrion::forms
