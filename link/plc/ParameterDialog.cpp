#include "link/plc/ParameterDialog.h"

#include <charconv>

#include "model/core/ByteImage.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

struct DeviceRule {
    std::uint8_t bit;
    std::size_t wordOffset;  // of the first word in the parameter block; the last follows
    std::uint16_t base;      // encoded = base + number (D: twice the number)
    const char* boxCaption;
    const char* handlerCaption;
    bool initiallyChecked;
    const char* firstText;
    const char* lastText;
    const char* labelType1;
    const char* label;
    std::uint16_t minimum, maximum;
    std::uint32_t maxCount;  // 0: no limit
    const char* errorText;
    const char* errorCaption;
};

constexpr DeviceRule kRules[kLatchDeviceCount] = {
    {0x01, 48, 0x800, "M", "M", true, "0", "499", "M(000~511)", "M(0000~1023)", 0, 1023, 528, "M Range Error",
     "Error2019042020"},
    {0x02, 52, 0, "S", "S", true, "0", "499", "S(000~127)", "S(000~999)", 0, 999, 512, "S Range Error",
     "Error2019042021"},
    {0x10, 64, 0, "D", "D", true, "0", "255", "D(000~255)", "D(000~511)", 0, 511, 0, "D Range Error",
     "Error2019042022"},
    {0x04, 56, 0xE00, "C16bits", "C16", false, "0", "31", "C16(00~31)", "C16(000~199)", 0, 199, 32,
     "C Range Error", "Error2019042023"},
    {0x08, 60, 0xE00, "C32bits", "C32", false, "220", "255", "C32(200~234)", "C32(200~234)", 200, 255, 36,
     "HSC Range Error", "Error2019042024"},
};

constexpr std::int32_t kCapacities[ParameterDialog::kCapacityButtons] = {2, 4, 8, 16, 32, 64};

std::uint16_t decode(LatchDevice device, std::uint16_t word) {
    if (device == kLatchD) return static_cast<std::uint16_t>(word / 2);
    return static_cast<std::uint16_t>(word - kRules[device].base);
}

std::uint16_t encode(LatchDevice device, std::uint16_t value) {
    if (device == kLatchD) return static_cast<std::uint16_t>(2 * value);
    return static_cast<std::uint16_t>(value + kRules[device].base);
}

LatchPair defaultPair(LatchDevice device) {
    switch (device) {
        case kLatchM: return defaultLatchRange.m;
        case kLatchS: return defaultLatchRange.s;
        case kLatchD: return defaultLatchRange.d;
        case kLatchC16: return defaultLatchRange.c16;
        default: return defaultLatchRange.c32;
    }
}

constexpr LatchDevice kDevices[] = {kLatchM, kLatchS, kLatchD, kLatchC16, kLatchC32};

}  // namespace

std::size_t capacityButtonsOf(std::uint16_t plcType) {
    switch (plcType) {
        case 2: return 6;
        case 5: return 4;
        case 4:
        case 7: return 3;
        default: return 1;
    }
}

std::int32_t capacityOfButton(int item) {
    return item >= 0 && item < static_cast<int>(ParameterDialog::kCapacityButtons) ? kCapacities[item] : 0;
}

void setDefaultLatchRange(int plcType) {
    const bool ownRanges = (pmw.parameterBlock[kParamLatchFlagsOffset] & kLatchOwnRanges) != 0;
    defaultLatchRange.m = {2048, 2547};
    defaultLatchRange.s = {0, static_cast<std::uint16_t>(plcType == 1 ? 127 : 499)};
    defaultLatchRange.c16 = {3584, 3615};
    defaultLatchRange.c32 = {static_cast<std::uint16_t>(plcType == 2 && ownRanges ? 3839 : 3800), 3839};
    defaultLatchRange.d = {0, 510};
}

std::array<ParameterDialog::LatchControls, kLatchDeviceCount> ParameterDialog::initialLatchControls() {
    std::array<LatchControls, kLatchDeviceCount> controls;
    for (LatchDevice device : kDevices) {
        const DeviceRule& rule = kRules[device];
        controls[device] = {
            rule.initiallyChecked, false, rule.boxCaption, rule.handlerCaption, rule.firstText,
            rule.lastText,         false};
    }
    controls[kLatchC16].label = "C(16bits)";
    controls[kLatchC32].label = "C(32bits)";
    return controls;
}

void ParameterDialog::setDeviceLatchChecked(bool checked) {
    if (deviceLatchChecked == checked) return;
    deviceLatchChecked = checked;
    DeviceLatchCheckBox1Click();
}

void ParameterDialog::setLatchChecked(LatchDevice device, bool checked) {
    if (latch[device].checked == checked) return;
    latch[device].checked = checked;
    latchCheckBoxClick(device);
}

void ParameterDialog::FormShow() {
    deviceLatchEnabled = false;
    setDeviceLatchChecked(plcType == 2);

    const std::size_t buttons = capacityButtonsOf(plcType);
    for (std::size_t i = 0; i < kCapacityButtons; ++i) capacityEnabled[i] = i < buttons;
    for (LatchDevice device : kDevices)
        latch[device].label = plcType == 1 ? kRules[device].labelType1 : kRules[device].label;

    capacityItem = -1;
    for (int i = 0; i < static_cast<int>(kCapacityButtons); ++i)
        if (kCapacities[i] == capacity) capacityItem = i;
    // The 2K button is ticked for a capacity of no button, and OK then gives what it shows.
    if (capacityItem < 0) {
        capacityItem = 0;
        capacity = kCapacities[0];
    }

    const bool ownRanges = (latchFlags() & kLatchOwnRanges) != 0;
    for (LatchDevice device : kDevices) {
        const std::size_t offset = kRules[device].wordOffset;
        const LatchPair encoded =
            ownRanges ? LatchPair{byteimage::getU16(block, offset), byteimage::getU16(block, offset + 2)}
                      : defaultPair(device);
        first[device] = decode(device, encoded.first);
        last[device] = decode(device, encoded.last);
        showFormValues(device);
    }
}

void ParameterDialog::showFormValues(LatchDevice device) {
    latch[device].firstText = std::to_string(first[device]);
    latch[device].lastText = std::to_string(last[device]);
}

void ParameterDialog::capacityButtonClick(int item) {
    const std::int32_t chosen = capacityOfButton(item);
    if (chosen == 0) return;
    if (stepCount > chosen * 1000) {
        platform::say({"Program step > " + std::to_string(chosen) + "K, Memory capacity can't change",
                       "Parameter", platform::MsgIcon::Information});
        FormShow();
        return;
    }
    capacity = chosen;
    capacityItem = item;
}

void ParameterDialog::DeviceLatchCheckBox1Click() {
    if (deviceLatchChecked) {
        setLatchFlags(static_cast<std::uint8_t>(latchFlags() | kLatchOwnRanges));
        deviceLatchCaption = "Device latch range can change";
        for (LatchDevice device : kDevices) {
            latch[device].enabled = false;
            setLatchChecked(device, true);
            showFormValues(device);
            latch[device].editsEnabled = (latchFlags() & kRules[device].bit) != 0;
        }
        return;
    }
    setLatchFlags(static_cast<std::uint8_t>(latchFlags() & ~kLatchOwnRanges));
    deviceLatchCaption = "Device latch range can't change";
    for (LatchDevice device : kDevices) {
        latch[device].enabled = false;
        latch[device].editsEnabled = false;
        showFormValues(device);
    }
}

void ParameterDialog::latchCheckBoxClick(LatchDevice device) {
    LatchControls& controls = latch[device];
    controls.caption = kRules[device].handlerCaption;
    const std::uint8_t bit = kRules[device].bit;
    setLatchFlags(static_cast<std::uint8_t>(controls.checked ? latchFlags() | bit : latchFlags() & ~bit));
    controls.editsEnabled = controls.checked;
}

void ParameterDialog::latchEditChange(LatchDevice device, bool lastEdit, const std::string& text) {
    (lastEdit ? latch[device].lastText : latch[device].firstText) = text;
    if (text.empty()) return;
    // Only a whole number that a range word can hold is taken; anything else keeps the old value.
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > 0xFFFF) return;
    (lastEdit ? last : first)[device] = static_cast<std::uint16_t>(value);
}

bool ParameterDialog::rangeAccepted(LatchDevice device) const {
    const DeviceRule& rule = kRules[device];
    const std::uint32_t low = first[device];
    const std::uint32_t high = last[device];
    const bool refused = high < low || low < rule.minimum || high > rule.maximum ||
                         (rule.maxCount != 0 && high - low + 1 > rule.maxCount);
    if (refused) platform::say({rule.errorText, rule.errorCaption, platform::MsgIcon::Warning});
    return !refused;
}

bool ParameterDialog::btnOkClick() {
    accepted = 0;
    bool passed = true;
    if ((latchFlags() & kLatchOwnRanges) != 0) {
        for (LatchDevice device : kDevices)
            if (latch[device].checked) passed = rangeAccepted(device) && passed;
    }
    if (!passed) return false;
    for (LatchDevice device : kDevices) {
        const std::size_t offset = kRules[device].wordOffset;
        const bool counter = device == kLatchC16 || device == kLatchC32;
        // Counter ranges not in use, or not changeable, are written as the empty range 0xE00.
        const bool written = !counter || (deviceLatchChecked && (latchFlags() & kRules[device].bit) != 0);
        byteimage::putU16(block, offset, written ? encode(device, first[device]) : kRules[device].base);
        byteimage::putU16(block, offset + 2, written ? encode(device, last[device]) : kRules[device].base);
    }
    accepted = 1;
    return true;
}

}  // namespace kestrion
