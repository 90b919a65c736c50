#include "wizards/calculators/RotaryCutCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Box.h"
#include "platform/Services.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

constexpr float kPi = 3.141592f;
constexpr const char* kResolution = "MotorResolutionEdit";
constexpr const char* kMovement = "MotorMovementEdit";
constexpr const char* kRadius = "ToolRadiusEdit";
constexpr const char* kCircumference = "ToolCircumferenceEdit";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number of the text's leading digits, held at the largest 32-bit value.
std::uint32_t leadingNumber(const std::string& text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

void showError(const std::string& text, const std::string& caption) {
    platform::say({text, caption, platform::MsgIcon::Error});
}

}  // namespace

std::string generalText15(double value) {
    if (value == 0) return "0";
    if (!std::isfinite(value)) return value > 0 ? "INF" : value < 0 ? "-INF" : "NAN";
    // The exact expansion (a double has at most 1074 fraction digits; glibc prints them all).
    char exact[1600];
    std::snprintf(exact, sizeof exact, "%.1100e", std::fabs(value));
    std::string digits;
    const char* at = exact;
    for (; *at != 'e'; ++at)
        if (isDigit(*at)) digits += *at;
    int exponent = std::atoi(at + 1);
    // Round half up at the 15th significant digit.
    std::string kept = digits.substr(0, 15);
    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            kept.pop_back();
            ++exponent;
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
    std::string text = value < 0 ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
        text += kept.substr(0, 1);
        if (kept.size() > 1) text += "." + kept.substr(1);
        char power[16];
        std::snprintf(power, sizeof power, "E%d", exponent);
        return text + power;
    }
    if (exponent < 0) return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (kept.size() <= whole) return text + kept + std::string(whole - kept.size(), '0');
    return text + kept.substr(0, whole) + "." + kept.substr(whole);
}

RotaryCutCalculator::RotaryCutCalculator() {
    const std::pair<const char*, const char*> design[] = {
        {kResolution, "2500"},
        {kMovement, "10000"},
        {"umPerPulseEdit", "10000"},
        {kRadius, "50000"},
        {kCircumference, ""},
        {"pulseToolLengthEdit", ""},
        {"CutLengthEdit", "100"},
        {"SynchronizeStartEdit", "0"},
        {"SynchronizeEndEdit", "50"},
        {"NumeratorEdit1", "100"},
        {"DenominatorEdit1", "100"},
        {"InterruptTimeEdit", "1"},
        {"Description", "UserManualDescription"},
    };
    for (const auto& [name, text] : design) showText(name, text);
    for (const char* readOnly : {"umPerPulseEdit", kCircumference, "pulseToolLengthEdit"})
        at(readOnly).enabled = false;
}

void RotaryCutCalculator::presetExample() {
    motorResolution = 2000;
    motorMovement = 10000;
    toolRadius = 50000;
    cutLength = 100000;
    synchronizeStart = 0;
    synchronizeEnd = 50000;
    interruptTime = 1;
    showText("Description", "Source pulse input to C251, output pulse feedback to C242");
}

void RotaryCutCalculator::FormShow() {
    setText(kResolution, std::to_string(motorResolution));
    setText(kMovement, std::to_string(motorMovement));
    setText(kRadius, std::to_string(toolRadius));
    showCircumference();
    setText("CutLengthEdit", std::to_string(cutLength));
    setText("SynchronizeStartEdit", std::to_string(synchronizeStart));
    setText("SynchronizeEndEdit", std::to_string(synchronizeEnd));
    setText("InterruptTimeEdit", std::to_string(interruptTime));
}

void RotaryCutCalculator::showCircumference() {
    toolCircumference = static_cast<float>(static_cast<double>(toolRadius) * static_cast<double>(kPi) * 2.0);
    setText(kCircumference, generalText15(static_cast<double>(toolCircumference)));
}

void RotaryCutCalculator::motorChanged(const std::string& name) {
    const std::string text = control(name).text;
    if (text.empty() || text == "0") return setText(name, "1");
    flag(name, false);
    if (!std::all_of(text.begin(), text.end(), isDigit)) {
        flag(name);
        return showError("Character must be 0 ~ 9", "Error Message");
    }
    // A text of zeros only would divide by zero: it is refused and the results stay.
    const std::uint32_t value = leadingNumber(text);
    if (value == 0 && name == kResolution) return flag(name);
    (name == kResolution ? motorResolution : motorMovement) = value;
    umPerPulse =
        static_cast<float>(static_cast<double>(motorMovement) / static_cast<double>(motorResolution));
    setText("umPerPulseEdit", generalText15(static_cast<double>(umPerPulse)));
}

void RotaryCutCalculator::radiusChanged() {
    const std::string text = control(kRadius).text;
    if (text.empty() || text == "0") return setText(kRadius, "1");
    flag(kRadius, false);
    if (!std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; })) {
        flag(kRadius);
        return showError("Character must be 0~9 or . ", "ToolRadiusErrorMessage");
    }
    toolRadius = leadingNumber(text);
    showCircumference();
    platform::statusBar().setPanelText(0, "ToolRadius(um)=" + std::to_string(toolRadius));
    platform::statusBar().setPanelText(
        13, "ToolCircumference(um)=" + generalText15(static_cast<double>(toolCircumference)));
}

void RotaryCutCalculator::textChanged(const std::string& name) {
    const std::string text = control(name).text;
    if (name == kResolution || name == kMovement) return motorChanged(name);
    if (name == kRadius) return radiusChanged();
    if (name == kCircumference && text.find('.') != std::string::npos)
        return setText(name, text.substr(0, text.find('.')));
    if ((name == "NumeratorEdit1" || name == "DenominatorEdit1") && text.empty()) setText(name, "1");
}

KeyFilter RotaryCutCalculator::keyFilter(const std::string&) const {
    // The boxes take every key; their rules say what is wrong.
    return KeyFilter::AllKeys;
}

void RcutForm1Click() {
    RotaryCutCalculator calculator;
    calculator.presetExample();
    wizardsDialogs().rotaryCut(calculator);
}

}  // namespace kestrion
