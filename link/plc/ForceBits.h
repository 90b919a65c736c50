// Forcing one bit device of the PLC ON or OFF: Y (octal numbers), M with the special relays M8000
// upward where the PLC type has them, and S. The rules of the dialog TForceOnOffForm.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

// What a device number becomes on a PLC type: its bit address, a number no PLC has (refused with
// a message), or one this type lacks (Execute disabled, no message).
struct ForceTarget {
    enum class Kind { Address, Refused, NotOnType };
    Kind kind = Kind::Refused;
    std::uint32_t address = 0;
};
ForceTarget forceTargetOf(char letter, std::uint32_t number, int plcType);

class ForceOnOffDialog {
public:
    std::string caption = "ForceOnOff";
    std::uint8_t monitorRunning = 0;
    std::uint8_t forceOn = 0;
    std::uint8_t yDevice = 0;
    std::uint8_t mDevice = 0;
    std::uint8_t sDevice = 0;
    std::uint32_t forceAddress = 0;
    std::uint8_t closeFlag = 0;

    std::string editText;  // ForceOnOffEdit, upper case only
    bool executeEnabled = false;
    std::string addressText;        // ForceOnOffStringLabel
    std::vector<std::string> memo;  // ForceOnOffMemo: one line per executed request

    // The check of a new edit text; it may empty the edit or put the device letter back.
    void ForceOnOffEditChange(const std::string& text);
    void ForceOnOffRadioGroupClick(int index);  // 0 OFF, 1 ON
    void btnExecuteForceOnOffClick();
    void btnForceCloseClick() { closeFlag = 1; }
};

}  // namespace kestrion
