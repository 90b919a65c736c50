// The rules of the parameter dialog (TParameter1Form): the memory capacity and the latch ranges of
// the parameter block, the device ranges that keep their values through a power failure. The
// dialog works on a copy of the parameter block; the caller takes the latch flag byte and the
// ranges from it only when the dialog was accepted. The window only shows the controls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/image/ProgramImage.h"

namespace kestrion {

// A latch range as the parameter block encodes it.
struct LatchPair {
    std::uint16_t first = 0;
    std::uint16_t last = 0;
};
struct DefaultLatchRanges {
    LatchPair m, s, c16, c32, d;
};
extern DefaultLatchRanges& defaultLatchRange;

// The defaults the dialog shows while the block holds no ranges of its own (bit 7 of the latch
// flag byte of the program clear).
void setDefaultLatchRange(int plcType);

// Bits of the latch flag byte.
constexpr std::uint8_t kLatchOwnRanges = 0x80;

// The devices in the order of the dialog's handlers.
enum LatchDevice : std::size_t { kLatchM, kLatchS, kLatchD, kLatchC16, kLatchC32, kLatchDeviceCount };

class ParameterDialog {
public:
    struct LatchControls {
        bool checked = false;  // the device's latch check box
        bool enabled = false;
        std::string caption;
        std::string label;  // the range label beside the edits
        std::string firstText, lastText;
        bool editsEnabled = false;
    };
    static constexpr std::size_t kCapacityButtons = 6;

    // Set by the caller before the dialog is shown.
    std::uint16_t plcType = 0;
    std::int32_t capacity = 0;  // thousands of steps; read back after OK
    std::int32_t capacityAtOpening = 0;
    std::int32_t stepCount = 0;  // the program's end step
    std::array<std::uint8_t, kParameterBlockSize> block{};
    // Read by the caller afterwards.
    std::uint8_t accepted = 0;

    // The form values, plain numbers, per device.
    std::array<std::uint16_t, kLatchDeviceCount> first{};
    std::array<std::uint16_t, kLatchDeviceCount> last{};

    // The controls.
    std::array<LatchControls, kLatchDeviceCount> latch = initialLatchControls();
    std::array<bool, kCapacityButtons> capacityEnabled{true, true, true, true, false, false};
    int capacityItem = 0;  // the ticked capacity button, 0 = 2K
    bool deviceLatchChecked = false;
    bool deviceLatchEnabled = false;
    std::string deviceLatchCaption = "Change device latch range";

    // Setting a check box from code runs its click handler when the state changes, as a click does.
    void setDeviceLatchChecked(bool checked);
    void setLatchChecked(LatchDevice device, bool checked);

    void FormShow();
    // RadioButton2KClick .. RadioButton64KClick as item 0 .. 5.
    void capacityButtonClick(int item);
    void DeviceLatchCheckBox1Click();
    // mLatchCheckBoxClick, sLatchCheckBoxClick, dLatchCheckBoxClick, c16LatchCheckBoxClick,
    // c32LatchCheckBoxClick.
    void latchCheckBoxClick(LatchDevice device);
    // The OnChange handlers of the ten edits.
    void latchEditChange(LatchDevice device, bool lastEdit, const std::string& text);
    // True when accepted; a refused range has shown its message and the dialog stays open.
    bool btnOkClick();
    void btnCancelClick() { accepted = 0; }

    std::uint8_t latchFlags() const { return block[kParamLatchFlagsOffset]; }

private:
    static std::array<LatchControls, kLatchDeviceCount> initialLatchControls();
    void setLatchFlags(std::uint8_t flags) { block[kParamLatchFlagsOffset] = flags; }
    void showFormValues(LatchDevice device);
    bool rangeAccepted(LatchDevice device) const;
};

// The capacity of capacity button i (0 = 2K .. 5 = 64K), thousands of steps.
std::int32_t capacityOfButton(int item);
// How many capacity buttons, from 2K upward, a PLC type may choose.
std::size_t capacityButtonsOf(std::uint16_t plcType);

}  // namespace kestrion
