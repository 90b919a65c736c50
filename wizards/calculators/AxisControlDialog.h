// The two-axis positioning dialog (TSubForm1): for each axis the first M relay and D register of
// its block of ten, the ranges they occupy, the D registers of the drive instruction's position
// and speed operands, and the speed and time limits. "Ok" and "Cancel" only close it.
#pragma once

#include <cstdint>
#include <string>

#include "wizards/calculators/CalculatorControls.h"
#include "wizards/calculators/DeviceUsageReport.h"

namespace kestrion {

// The dialog's own fields, all zero when it is created; the opener sets only the mode.
struct AxisControlRecord {
    std::int32_t axisControlMode = 0;  // kUsageAbsoluteControl or kUsageIncrementControl
    std::int16_t axBitDeviceNo[2] = {};
    std::int16_t axByteDeviceNo[2] = {};
    std::int32_t axMaximumSpeed[2] = {};
    std::int16_t axBiasSpeed[2] = {};
    std::int16_t axAccTime[2] = {};
    std::int16_t axDecTime[2] = {};
    std::int32_t axPositionNo[2] = {};
    std::int32_t axSpeedNo[2] = {};
    std::uint16_t axDogPointXno[2] = {};
    std::int16_t axServoZeroCount[2] = {};
    std::uint16_t axReturnMode[2] = {};
};

class AxisControlDialog : public CalculatorControls {
public:
    AxisControlDialog();
    AxisControlRecord record;
    std::string caption;

    // What IncrementControl1Click (kUsageIncrementControl) and AbsoluteControl1Click set before the
    // show: captions, the instruction labels, the mode; the zero-return group hidden.
    void openAs(int mode);
    void FormShow();
    // The report the "Help ..." button opens, from the number boxes as they stand.
    DeviceUsageReport helpReport() const;

    KeyFilter keyFilter(const std::string& name) const override;

protected:
    void textChanged(const std::string& name) override;
    void picked(const std::string& name) override;

private:
    void limitChanged(const std::string& name);
    void bitDeviceChanged(int axis);
    void byteDeviceChanged(int axis);
};

// The control names of an axis (1 or 2): "Ax1MaximumSpeedEdit", "bitDeviceNoCSpinEdit2", ...
std::string axisControlName(const char* pattern, int axis);

// The pulse-simulation window's read-out of the mouse over its drawing area.
std::string pulseSimulationMouseText(int x, int y);

}  // namespace kestrion
