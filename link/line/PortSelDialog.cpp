#include "link/line/PortSelDialog.h"

#include "link/line/CommRecord.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

std::string detailOf(const platform::ComPortInfo& port) {
    std::string detail;
    for (const std::string& part :
         {port.byIdName, port.environmentVariable, std::string(port.present ? "" : "(no device)")}) {
        if (part.empty()) continue;
        if (!detail.empty()) detail += ", ";
        detail += part;
    }
    return detail;
}

std::string portLine(const platform::ComPortInfo& port) {
    const std::string detail = detailOf(port);
    return "COM" + std::to_string(port.comNumber) + ": " + port.device + (detail.empty() ? "" : " " + detail);
}

}  // namespace

std::vector<PortSelRow> portSelRows() {
    std::vector<PortSelRow> rows;
    for (const platform::ComPortInfo& port : platform::serial().comPorts())
        rows.push_back({"COM" + std::to_string(port.comNumber), port.device, detailOf(port)});
    return rows;
}

std::string comPortTriedText(int comNumber) {
    for (const platform::ComPortInfo& port : platform::serial().comPorts())
        if (port.comNumber == comNumber) return "Tried " + portLine(port);
    return "Tried COM" + std::to_string(comNumber);
}

std::string comPortDeviceText(int comNumber) {
    for (const platform::ComPortInfo& port : platform::serial().comPorts())
        if (port.comNumber == comNumber && !port.environmentVariable.empty())
            return port.device + " (" + port.environmentVariable + ")";
    return platform::serial().deviceName(comNumber);
}

std::string serialDevicesFoundText() {
    std::string text;
    for (const platform::ComPortInfo& port : platform::serial().comPorts())
        if (port.present) text += "\n" + portLine(port);
    return text.empty() ? "No serial device found" : "Serial devices found:" + text;
}

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
