// The two-axis positioning dialog (TSubForm1) over AxisControlDialog's rules, the pulse-simulation
// window (TpulseSimulationForm) and the axis panel (TAxisControlForm1).
#pragma once

#include <QDialog>
#include <QWidget>

#include "wizards/calculators/AxisControlDialog.h"

class QLabel;
class QPushButton;

namespace kestrion::forms {

class CalculatorBinder;

class TSubForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TSubForm1(AxisControlDialog& rules, QWidget* parent = nullptr);

    CalculatorBinder* binder = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnSimu = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AxisControlDialog& rules_;
    bool shown_ = false;
};

// The drawing area of the pulse simulation: the two axes are drawn whenever it is painted, so a
// window that is covered, uncovered or resized keeps them.
class SimulationPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit SimulationPaintBox(QWidget* parent);

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

class TpulseSimulationForm : public QDialog {
    Q_OBJECT
public:
    explicit TpulseSimulationForm(QWidget* parent = nullptr);

    SimulationPaintBox* simulationPaintBox = nullptr;
    QLabel* xyLabel = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnClose = nullptr;

public slots:
    void simulationPaintBoxMouseMove(int x, int y);
};

class TAxisControlForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TAxisControlForm1(QWidget* parent = nullptr);
};

void runSubForm1(AxisControlDialog& rules);
void runAxisControlForm1();

}  // namespace kestrion::forms
