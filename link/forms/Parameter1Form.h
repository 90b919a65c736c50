// TParameter1Form: the memory capacity and the latch ranges; its rules are ParameterDialog's, the
// window shows their control states after every event.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "link/plc/ParameterDialog.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrion::forms {

class TParameter1Form : public QDialog {
    Q_OBJECT
public:
    // The rules object is the caller's, preset before the show.
    explicit TParameter1Form(ParameterDialog& state, QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    // Per device in the order M, S, D, C16, C32 (mLabel, sLabel, dLabel, cLabel, hscLabel, ...).
    std::array<QLabel*, kLatchDeviceCount> labels{};
    std::array<QLineEdit*, kLatchDeviceCount> firstEdits{};
    std::array<QLineEdit*, kLatchDeviceCount> lastEdits{};
    std::array<QCheckBox*, kLatchDeviceCount> latchCheckBoxes{};
    QGroupBox* RadioGroupBox = nullptr;
    QButtonGroup* capacityButtons = nullptr;
    std::array<QRadioButton*, ParameterDialog::kCapacityButtons> capacityRadios{};
    QCheckBox* DeviceLatchCheckBox1 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showState();
    ParameterDialog& state_;
};

// Shows the dialog modally on the preset rules object; true when accepted.
bool runParameter1Form(const std::string& caption, ParameterDialog& state);

}  // namespace kestrion::forms
