// The rules of the port and rate dialog (TPortSelForm): the COM port and the baud item change the
// link's comPortIndex and baudIndex as the user picks them, OK or not; the window only shows them.
#pragma once

#include <string>

namespace kestrion {

constexpr int kPortSelComCount = 19;
constexpr int kPortSelBaudItems = 5;

struct PortSelView {
    std::string comText;
    int baudItemIndex = 0;
};

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
