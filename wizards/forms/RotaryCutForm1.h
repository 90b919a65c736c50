// TRotaryCutForm1: the rotary cutter calculator's window over RotaryCutCalculator's rules.
#pragma once

#include <QDialog>

#include "wizards/calculators/RotaryCutCalculator.h"

class QPushButton;

namespace kestrion::forms {

class CalculatorBinder;

class TRotaryCutForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TRotaryCutForm1(RotaryCutCalculator& rules, QWidget* parent = nullptr);

    CalculatorBinder* binder = nullptr;
    QPushButton* btnOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    RotaryCutCalculator& rules_;
    bool shown_ = false;
};

void runRotaryCutForm1(RotaryCutCalculator& rules);

}  // namespace kestrion::forms
