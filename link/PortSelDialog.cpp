#include "link/PortSelDialog.h"

#include "link/CommRecord.h"

namespace kestrion {

PortSelView PortSelDialog::FormShow() {
    confirmed = false;
    if (comPortIndex >= static_cast<std::uint32_t>(kPortSelComCount)) comPortIndex = 0;
    if (baudIndex >= kBaudTableSize) baudIndex = 0;
    return {comPortName(), static_cast<int>(baudIndex)};
}

std::string PortSelDialog::comPortComboBoxChange(const std::string& text) {
    for (int i = 0; i < kPortSelComCount; ++i) {
        if (text == "COM" + std::to_string(i + 1)) {
            comPortIndex = static_cast<std::uint32_t>(i);
            return text;
        }
    }
    comPortIndex = 0;
    return "COM1";
}

int PortSelDialog::baudRateRadioGroupClick(int itemIndex) {
    if (itemIndex >= 0 && itemIndex < static_cast<int>(kBaudTableSize)) {
        baudIndex = static_cast<std::uint32_t>(itemIndex);
        return itemIndex;
    }
    baudIndex = 0;
    return 0;
}

}  // namespace kestrion
