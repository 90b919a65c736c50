// TSetTimeForm: the PLC clock dialog; its rules are SetTimeDialog's. It owns the QTimer of Timer4.
#pragma once

#include <QDialog>
#include <array>

#include "link/plc/PlcClock.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kestrion::forms {

class TSetTimeForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetTimeForm(SetTimeDialog& state, QWidget* parent = nullptr);

    // Edit1..Edit6 at 0..5: year, month, day, hour, minute, second.
    std::array<QLineEdit*, SetTimeDialog::kEdits> edits{};
    QComboBox* ComboBox1 = nullptr;
    QPushButton* btnSetup = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnStartMonitorClock = nullptr;
    QPushButton* btnStopMonitorClock = nullptr;
    QTimer* Timer4 = nullptr;

public slots:
    void Timer4Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The controls from the rules' state, without running the change handlers.
    void showState();
    SetTimeDialog& state_;
};

void runSetTimeForm(SetTimeDialog& state);

}  // namespace kestrion::forms
