// The rules of TregisterDeviceForm: one run of devices to add to the registered monitor list, its
// name checked against the project type's device ranges and its count against a limit of the
// connected PLC type. The opener reads the plain fields after the modal run.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

class RegisterDeviceDialog {
public:
    std::string caption = "register Device";
    // The edits, the radio group and the combo box as they show.
    std::string deviceText;               // MonDeviceEdit1, upper case
    std::string countText = "1";          // MonDeviceNoEdit2
    int sizeIndex = 0;                    // registerDeviceRadioGroup: "16bits ", "32bits"
    std::string displayText = "Decimal";  // dispTypeComboBox
    bool closed = false;

    std::uint8_t registered = 0;
    std::uint8_t inputError = 0;
    std::int32_t nameLength = 0;
    std::int32_t countTextLength = 0;
    std::int32_t displayType = 1;
    std::int32_t deviceNumber = 0;
    std::int32_t deviceCount = 1;
    std::int32_t dataSize = 0;
    std::int32_t plcType = 0;

    void FormShow();
    void MonDeviceEdit1Change(const std::string& text);
    void MonDeviceNoEdit2Change(const std::string& text);
    void registerDeviceRadioGroupClick(int index);
    void dispTypeComboBoxChange(const std::string& text);
    void btnRegisterClick();
    void btnCancelClick();
};

// The largest run the connected PLC type takes at once.
int registerCountLimit(int connectedType);

}  // namespace kestrion
