#include "wizards/calculators/AxisControlDialog.h"

#include <algorithm>

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::int64_t kLastAxisM = 1535;
constexpr std::int64_t kLastAxisD = 3999;
constexpr std::int64_t kOutOfBand = 8000;

// '#' stands for the axis number.
constexpr const char* kBitSpin = "bitDeviceNoCSpinEdit#";
constexpr const char* kByteSpin = "byteDeviceNoCSpinEdit#";
constexpr const char* kBitLabel = "MInformationLabel#";
constexpr const char* kByteLabel = "DInformationLabel#";
constexpr const char* kPosition = "Ax#PositionEdit";
constexpr const char* kSpeed = "Ax#SpeedEdit";
constexpr const char* kDogPoint = "Ax#DogPointXnoComboBox";
constexpr const char* kReturnMode = "Ax#ReturnModeComboBox";
constexpr const char* kReturnModes[] = {"Forward-L", "Forward-R", "Reverse-L", "Reverse-R"};

struct Limit {
    const char* pattern;
    std::int64_t cap;  // 0: none
};
constexpr Limit kLimits[] = {
    {"Ax#MaximumSpeedEdit", 200000}, {"Ax#BiasSpeedEdit", 0},      {"Ax#AccTimeEdit", 5000},
    {"Ax#DecTimeEdit", 5000},        {"Ax#ServoZeroCountEdit", 7},
};

// The axis (1 or 2) whose control of this pattern is name, or 0.
int axisOf(const std::string& name, const char* pattern) {
    for (int axis = 1; axis <= 2; ++axis)
        if (name == axisControlName(pattern, axis)) return axis;
    return 0;
}

}  // namespace

std::string axisControlName(const char* pattern, int axis) {
    std::string name(pattern);
    std::replace(name.begin(), name.end(), '#', static_cast<char>('0' + axis));
    return name;
}

std::string pulseSimulationMouseText(int x, int y) {
    return "X=" + std::to_string(x) + " ,Y=" + std::to_string(y);
}

AxisControlDialog::AxisControlDialog() {
    for (int axis = 1; axis <= 2; ++axis) {
        const auto name = [axis](const char* pattern) { return axisControlName(pattern, axis); };
        showText(name("bitDeviceComboBox#"), "M");
        showText(name("byteDeviceComboBox#"), "D");
        for (const char* spin : {kBitSpin, kByteSpin, kPosition, kSpeed}) showText(name(spin), "0");
        showText(name(kBitLabel), "M0000--M0009 be occupied");
        showText(name(kByteLabel), "D0000--D0009 be occupied");
        for (const Limit& limit : kLimits) at(name(limit.pattern));
        makeUpperCase(name("Ax#MaximumSpeedEdit"));
        at(name(kDogPoint));
        at(name(kReturnMode));
        setSpinMaximum(name(kBitSpin), static_cast<std::int32_t>(kLastAxisM));
        // The D box takes the PLC's whole numbering until its first change limits it.
        setSpinMaximum(name(kByteSpin), 7999);
        at(name(kPosition)).enabled = false;
        at(name(kSpeed)).enabled = false;
    }
    at("btnSimu").visible = false;
}

void AxisControlDialog::openAs(int mode) {
    const bool increment = mode == kUsageIncrementControl;
    const std::string kind = increment ? "Increment" : "Absolute";
    caption = kind + " Control";
    record.axisControlMode = increment ? kUsageIncrementControl : kUsageAbsoluteControl;
    for (int axis = 1; axis <= 2; ++axis) {
        const std::string n = std::to_string(axis);
        const auto name = [axis](const char* pattern) { return axisControlName(pattern, axis); };
        showText(name("EnableAx#ControlCheckBox"), "Enable Axis" + n + " " + kind + " Control");
        const std::string outputs = axis == 1 ? "#pls:Y0,dir:Y2" : "#pls:Y1,dir:Y3";
        showText(name("Ax#InstrLabel"), increment ? "DDRVI [S1.] [S2.] [D1.] [D2.] " + outputs
                                                  : "DDRVA [s1.] [s2.] [d1.] [d2.] " + outputs);
        for (const char* label :
             {"Ax#DogPointLabel", "Ax#DogPointXrlyLabel", "Ax#ServoZeroCountLabel", "Ax#ReturnModeLabel"})
            showText(name(label), "");
        for (const char* hidden : {kDogPoint, "Ax#ServoZeroCountEdit", kReturnMode})
            at(name(hidden)).visible = false;
    }
}

void AxisControlDialog::FormShow() {
    const auto write = [this](const char* pattern, const auto& values) {
        for (int axis = 1; axis <= 2; ++axis)
            setText(axisControlName(pattern, axis), std::to_string(values[axis - 1]));
    };
    write("Ax#MaximumSpeedEdit", record.axMaximumSpeed);
    write("Ax#BiasSpeedEdit", record.axBiasSpeed);
    write("Ax#AccTimeEdit", record.axAccTime);
    write("Ax#DecTimeEdit", record.axDecTime);
    write(kPosition, record.axPositionNo);
    write(kSpeed, record.axSpeedNo);
    write("Ax#ServoZeroCountEdit", record.axServoZeroCount);
    write(kBitSpin, record.axBitDeviceNo);
    write(kByteSpin, record.axByteDeviceNo);
    for (int axis = 1; axis <= 2; ++axis) {
        const std::size_t i = static_cast<std::size_t>(axis - 1);
        std::uint16_t& dog = record.axDogPointXno[i];
        if (dog < 2 || dog > 7) dog = static_cast<std::uint16_t>(axis == 1 ? 0 : 1);
        showText(axisControlName(kDogPoint, axis), std::to_string(dog));
        std::uint16_t& mode = record.axReturnMode[i];
        if (mode < 1 || mode > 4) mode = 0;
        showText(axisControlName(kReturnMode, axis), mode == 0 ? "" : kReturnModes[mode - 1]);
    }
}

void AxisControlDialog::limitChanged(const std::string& name) {
    int axis = 0;
    const Limit* limit = nullptr;
    for (const Limit& candidate : kLimits)
        if ((axis = axisOf(name, candidate.pattern)) != 0) {
            limit = &candidate;
            break;
        }
    flag(name, false);
    const std::optional<std::int64_t> value = decimalNumber(control(name).text);
    // Empty, or pasted text that is no number: flagged, the field keeps its value.
    if (!value || *value < 0) return flag(name);
    if (limit->cap != 0 && *value > limit->cap) return setText(name, std::to_string(limit->cap));
    const std::size_t i = static_cast<std::size_t>(axis - 1);
    const std::string pattern(limit->pattern);
    if (pattern == "Ax#MaximumSpeedEdit") record.axMaximumSpeed[i] = static_cast<std::int32_t>(*value);
    if (pattern == "Ax#BiasSpeedEdit")
        record.axBiasSpeed[i] = static_cast<std::int16_t>(std::min<std::int64_t>(*value, 32767));
    if (pattern == "Ax#AccTimeEdit") record.axAccTime[i] = static_cast<std::int16_t>(*value);
    if (pattern == "Ax#DecTimeEdit") record.axDecTime[i] = static_cast<std::int16_t>(*value);
    if (pattern == "Ax#ServoZeroCountEdit") record.axServoZeroCount[i] = static_cast<std::int16_t>(*value);
}

void AxisControlDialog::bitDeviceChanged(int axis) {
    const std::string spin = axisControlName(kBitSpin, axis), label = axisControlName(kBitLabel, axis);
    std::int16_t& field = record.axBitDeviceNo[axis - 1];
    flag(spin, false);
    const std::string text = control(spin).text;
    if (text.empty()) {
        flag(spin);
        showText(label, "");
        field = 0;
        return;
    }
    if (!decimalNumber(text)) return flag(spin);  // pasted: the field keeps its value
    if (control(axisControlName("bitDeviceComboBox#", axis)).text == "M") {
        setSpinMaximum(spin, static_cast<std::int32_t>(kLastAxisM));
        const std::int64_t v = spinValue(spin);
        if (v < 0) {
            field = 0;
        } else if (v > kLastAxisM && v < kOutOfBand) {
            flag(spin);
        } else if (v > kLastAxisM) {
            field = static_cast<std::int16_t>(kLastAxisM);
            setText(spin, std::to_string(kLastAxisM));
            flag(spin);
        } else {
            field = static_cast<std::int16_t>(v);
        }
    }
    const std::int64_t v = spinValue(spin);
    const bool pastTheEnd = v > spinMaximum(spin) - 9;
    flag(spin, pastTheEnd);
    flag(label, pastTheEnd);
    showText(label, "M" + std::to_string(v) + "--M" + std::to_string(v + 9) + " be occupied");
}

void AxisControlDialog::byteDeviceChanged(int axis) {
    const std::string spin = axisControlName(kByteSpin, axis), label = axisControlName(kByteLabel, axis);
    std::int16_t& field = record.axByteDeviceNo[axis - 1];
    flag(spin, false);
    const std::string text = control(spin).text;
    if (text.empty()) {
        flag(spin);
        showText(label, "");
        field = 0;
        return;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        platform::say({"Device no must be 0 - 9 !", "Error Message", platform::MsgIcon::Error});
        return setText(spin, "");
    }
    if (control(axisControlName("byteDeviceComboBox#", axis)).text == "D") {
        setSpinMaximum(spin, static_cast<std::int32_t>(kLastAxisD));
        const std::int64_t v = spinValue(spin);
        if (v > kLastAxisD && v < kOutOfBand) {
            flag(spin);
        } else if (v > kLastAxisD) {
            field = static_cast<std::int16_t>(kLastAxisD);
            setText(spin, std::to_string(kLastAxisD));
            flag(spin);
        } else {
            field = static_cast<std::int16_t>(v);
        }
    }
    const std::int64_t v = spinValue(spin);
    const bool pastTheEnd = v > kLastAxisD - 9;
    flag(spin, pastTheEnd);
    flag(label, pastTheEnd);
    showText(label, "D" + std::to_string(v) + "--D" + std::to_string(v + 9) + " be occupied");
    const std::size_t i = static_cast<std::size_t>(axis - 1);
    record.axPositionNo[i] = static_cast<std::int32_t>(v);
    record.axSpeedNo[i] = static_cast<std::int32_t>(v + 2);
    showText(axisControlName(kPosition, axis), std::to_string(v));
    showText(axisControlName(kSpeed, axis), std::to_string(v + 2));
}

void AxisControlDialog::textChanged(const std::string& name) {
    for (int axis = 1; axis <= 2; ++axis) {
        if (name == axisControlName(kBitSpin, axis)) return bitDeviceChanged(axis);
        if (name == axisControlName(kByteSpin, axis)) return byteDeviceChanged(axis);
    }
    for (const Limit& limit : kLimits)
        if (axisOf(name, limit.pattern) != 0) return limitChanged(name);
}

void AxisControlDialog::picked(const std::string& name) {
    if (const int axis = axisOf(name, kDogPoint)) {
        const std::string text = control(name).text;
        const bool listed = text.size() == 1 && text[0] >= '2' && text[0] <= '7';
        const auto number = static_cast<std::uint16_t>(listed ? text[0] - '0' : (axis == 1 ? 0 : 1));
        record.axDogPointXno[axis - 1] = number;
        if (!listed) showText(name, std::to_string(number));
    }
    if (const int axis = axisOf(name, kReturnMode)) {
        std::uint16_t mode = 0;
        for (std::uint16_t i = 0; i < 4; ++i)
            if (control(name).text == kReturnModes[i]) mode = static_cast<std::uint16_t>(i + 1);
        record.axReturnMode[axis - 1] = mode;
        if (mode == 0) showText(name, "");
    }
}

DeviceUsageReport AxisControlDialog::helpReport() const {
    DeviceUsageReport report;
    report.deviceUsageMode = record.axisControlMode;
    report.caption =
        record.axisControlMode == kUsageAbsoluteControl ? "Absolute control" : "Increment control";
    report.bitDeviceNo1 = static_cast<int>(spinValue("bitDeviceNoCSpinEdit1"));
    report.byteDeviceNo1 = static_cast<int>(spinValue("byteDeviceNoCSpinEdit1"));
    report.bitDeviceNo2 = static_cast<int>(spinValue("bitDeviceNoCSpinEdit2"));
    report.byteDeviceNo2 = static_cast<int>(spinValue("byteDeviceNoCSpinEdit2"));
    return report;
}

KeyFilter AxisControlDialog::keyFilter(const std::string& name) const {
    for (const char* spin : {kBitSpin, kByteSpin})
        if (axisOf(name, spin) != 0) return KeyFilter::Digits;
    for (const Limit& limit : kLimits)
        if (axisOf(name, limit.pattern) != 0) return KeyFilter::Digits;
    return KeyFilter::NoKeys;
}

}  // namespace kestrion
