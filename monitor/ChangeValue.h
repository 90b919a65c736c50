// Change current value: a new value written into one data register D of the connected PLC, from
// the modal dialog TcvChangeForm (checked when Execute is pressed) or from the hidden panel
// ChangeCurrentValueGroupBox of the main window (checked on every keystroke). Both derive the
// register's address from the project's PLC type and send the same write frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

// The byte address of D<n> on the project's PLC type; -1 for D8256 upward (no register there).
// D8000 upward lie at 0E00h, on type 2 at 8000h.
std::int32_t cvAddressOf(std::uint32_t n, int plcType);

class CvChangeDialog {
public:
    std::string caption = "Change Current Value";
    std::string deviceText;         // DeviceNoEdit1, upper case, 5 characters at most
    std::string valueText;          // CurrentValueEdit1, upper case
    int sizeIndex = 0;              // cvChangeRadioGroup: "16bits", "32bits"
    std::vector<std::string> memo;  // ChangeCurrentValueMemo1

    std::int32_t dataSize = 0;
    std::int32_t deviceTextLength = 0;
    std::int32_t valueTextLength = 0;
    std::int32_t newValue = 0;
    std::uint8_t monitorRunning = 0;
    std::uint8_t closedByButton = 0;
    std::uint8_t decimalEntry = 0;
    std::uint8_t hexEntry = 0;
    std::uint8_t inputError = 0;

    void FormShow();
    void btnExecuteChangeClick();
    void btnCloseClick() { closedByButton = 1; }
    void CurrentValueEdit1Change(const std::string& text);
    void cvChangeRadioGroupClick(int index);
    // False with the box of the failed check; the device check may empty the edit.
    bool checkCvDevice();
    bool checkCvValue();
};

// The panel's handlers.
void ChangeCurrentDevNoEditChange(const std::string& text);
void ChangeCurrentValueEditChange(const std::string& text);
void ChangeCurrentValueRadioGroupClick(int index);
void btnChangeCurrentValueOkClick();
void btnChangeCurrentValueCloseClick();

// The dialog's openers: PLC > "Change current value", the tool button, the monitor pop-up item and
// the device monitor panel's button.
void ChangeCurrentValue2Click();
void spbtnChangeValueClick();
void Popup4ChangeValueClick();
void btnChangeValueClick();
// The hidden PLC menu item that stops a monitor and shows the panel in place of the ladder.
void ChangeCurrentValue1Click();

}  // namespace kestrion
