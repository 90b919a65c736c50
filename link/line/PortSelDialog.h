// The rules of the port and rate dialog (TPortSelForm): the COM port and the baud item change the
// link's comPortIndex and baudIndex as the user picks them, OK or not; the window only shows them.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

constexpr int kPortSelComCount = 19;
constexpr int kPortSelBaudItems = 5;

struct PortSelView {
    std::string comText;
    int baudItemIndex = 0;
};

// One row of the dialog's port list: "COM1", the device it opens, and what is there: a USB
// adapter's by-id name, the environment variable that named the device, or "(no device)".
struct PortSelRow {
    std::string com;
    std::string device;
    std::string detail;
};

// COM1..COM19 as the machine has them now.
std::vector<PortSelRow> portSelRows();

// For the messages of a port that would not open or answer: the device COMn tried, and the
// serial devices found with their COM numbers, one a line.
std::string comPortTriedText(int comNumber);
// The device COMn opens, with the environment variable that named it ("/dev/ttyUSB7 (KESTRION_COM1)").
std::string comPortDeviceText(int comNumber);
std::string serialDevicesFoundText();

class PortSelDialog {
public:
    // True after OK.
    bool confirmed = false;

    // Brings the indexes into the dialog's range and gives what it shows.
    PortSelView FormShow();
    // Returns the text the combo box shows afterwards: "COM1".."COM19", anything else is COM1.
    std::string comPortComboBoxChange(const std::string& text);
    // Returns the item the radio group shows afterwards.
    int baudRateRadioGroupClick(int itemIndex);
    void btnOkClick() { confirmed = true; }
};

}  // namespace kestrion
