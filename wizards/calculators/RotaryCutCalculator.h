// The rotary cutter calculator (TRotaryCutForm1): travel per pulse from the motor's pulses and
// travel per revolution, and the tool's circumference from its radius, with the example
// application's cut data, sampling time and gear shown beside them.
#pragma once

#include <cstdint>
#include <string>

#include "wizards/calculators/CalculatorControls.h"

namespace kestrion {

class RotaryCutCalculator : public CalculatorControls {
public:
    RotaryCutCalculator();

    std::uint32_t motorResolution = 0;
    std::uint32_t motorMovement = 0;
    float umPerPulse = 0;
    std::uint32_t toolRadius = 0;
    float toolCircumference = 0;
    std::uint32_t cutLength = 0;
    std::uint32_t synchronizeStart = 0;
    std::uint32_t synchronizeEnd = 0;
    std::uint32_t interruptTime = 0;

    // RcutForm1Click's start values and description.
    void presetExample();
    void FormShow();

    KeyFilter keyFilter(const std::string& name) const override;

protected:
    void textChanged(const std::string& name) override;
    void picked(const std::string&) override {}

private:
    void motorChanged(const std::string& name);
    void radiusChanged();
    void showCircumference();
};

// A number in the general format of 15 significant digits: fixed notation without trailing zeros
// from 0.00001 up to 10^15, scientific with "E" otherwise. The value's exact decimal expansion is
// rounded half up at the 15th digit (3333.333251953125 gives 3333.33325195313).
std::string generalText15(double value);

// PLC factory menu > "Form": the calculator with the example's start values.
void RcutForm1Click();

}  // namespace kestrion
