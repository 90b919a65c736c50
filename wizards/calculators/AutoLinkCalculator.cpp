#include "wizards/calculators/AutoLinkCalculator.h"

#include <algorithm>

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kProtocol = "protocolComboBox";
constexpr const char* kBitSpin = "LinkControlBitDeviceNoCSpinEdit";
constexpr const char* kByteSpin = "LinkControlByteDeviceNoCSpinEdit";
constexpr const char* kBitLabel = "linkInformationLabel1";
constexpr const char* kByteLabel = "linkInformationLabel2";
constexpr const char* kFormatEdit = "D8120Edit";
constexpr std::int64_t kLastLinkM = 1535;
constexpr std::int64_t kLastLinkD = 3999;
constexpr std::int64_t kOutOfBand = 8000;  // from here a base number is replaced by the last one

constexpr const char* kBaudTexts[] = {"2400", "4800", "9600", "19200", "38400", "57600", "115200"};
constexpr unsigned kFirstBaudCode = 6;

void showError(const std::string& text) {
    platform::say({text, "Error Message", platform::MsgIcon::Error});
}

std::string stationName(const char* kind, bool readTable, int station) {
    return std::string(readTable ? "Rx" : "Tx") + kind + std::to_string(station);
}

bool isStationControl(const std::string& name, const char* kind) {
    const std::string middle(kind);
    return name.size() > 2 + middle.size() && (name.rfind("Rx", 0) == 0 || name.rfind("Tx", 0) == 0) &&
           name.compare(2, middle.size(), middle) == 0 &&
           std::all_of(name.begin() + 2 + static_cast<std::ptrdiff_t>(middle.size()), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

int stationOf(const std::string& name, const char* kind) {
    return std::stoi(name.substr(2 + std::string(kind).size()));
}

struct NumericField {
    const char* name;
    std::int64_t limit;
    bool zeroBecomesOne;
    std::int16_t AutoLinkRecord::*field;
};
constexpr NumericField kNumericFields[] = {
    {"TimeOutTimerEdit", 32767, false, &AutoLinkRecord::timeOutTimer},
    {"cLinkWaitTimeEdit", 32767, false, &AutoLinkRecord::cLinkWaitTime},
    {"rsWaitTimeEdit", 32767, false, &AutoLinkRecord::rsWaitTime},
    {"MaximumStationNoEdit", 32, true, &AutoLinkRecord::maximumStationNo},
    {"TxWorkNo1AddrEdit", 7999, false, &AutoLinkRecord::txWorkNo1Addr},
    {"RxWorkNo1AddrEdit", 7999, false, &AutoLinkRecord::rxWorkNo1Addr},
    {"TxEach1AllocEdit", 10, true, &AutoLinkRecord::txEach1Alloc},
    {"RxEach1AllocEdit", 10, true, &AutoLinkRecord::rxEach1Alloc},
    {"sendWordCountEdit", 10, false, &AutoLinkRecord::sendWordCount},
    {"receiveWordCountEdit", 10, false, &AutoLinkRecord::receiveWordCount},
};

const NumericField* numericField(const std::string& name) {
    for (const NumericField& field : kNumericFields)
        if (name == field.name) return &field;
    return nullptr;
}

}  // namespace

std::string stationEditName(bool readTable, int station) {
    return stationName("Edit", readTable, station);
}

std::string stationComboName(bool readTable, int station) {
    return stationName("ComboBox", readTable, station);
}

AutoLinkCalculator::AutoLinkCalculator() {
    // Design texts: the show step writes every field, and each write that changes a text runs its rule.
    for (const char* combo : {"dataBitsComboBox", "parityComboBox", "stopBitsComboBox", "baudRateComboBox",
                              "Format14ComboBox", "DataTypeComboBox"})
        at(combo);
    showText(kProtocol, "None");
    for (const char* code : {"HeaderComboBox", "Terminator1ComboBox", "Terminator2ComboBox"})
        showText(code, "ON");
    for (const char* edit : {"HeaderEdit", "Terminator1Edit", "Terminator2Edit", kFormatEdit})
        showText(edit, "0000");
    showText("HarewareComboBox", "RS485");
    showText("ControlModeComboBox", "None");
    showText("SumCheckComboBox", "Yes");
    showText("LinkControlBitDeviceComboBox", "M");
    showText("AutoLinkDeviceComboBox", "D");
    showText("StationNoEdit", "00");
    makeUpperCase("StationNoEdit");
    for (const NumericField& field : kNumericFields) at(field.name);
    for (const char* spin : {kBitSpin, kByteSpin}) at(spin);
    for (const char* label : {kBitLabel, kByteLabel}) at(label);
    setSpinMaximum(kBitSpin, static_cast<std::int32_t>(kLastLinkM));
    setSpinMaximum(kByteSpin, static_cast<std::int32_t>(kLastLinkD));
    for (bool readTable : {true, false})
        for (int n = 1; n <= kAutoLinkStations; ++n) {
            at(stationEditName(readTable, n));
            makeUpperCase(stationEditName(readTable, n));
            showText(stationComboName(readTable, n), "Dec");
        }
}

void AutoLinkCalculator::FormShow() {
    at(kFormatEdit).enabled = false;
    record.protocolCode = 0;
    showText(kProtocol, "None");
    at("dataBitsComboBox").enabled = true;
    at("Format14ComboBox").enabled = true;
    for (const char* code : {"HeaderComboBox", "Terminator1ComboBox", "Terminator2ComboBox"}) {
        showText(code, "ON");
        at(code).enabled = true;
    }
    for (const char* edit : {"HeaderEdit", "Terminator1Edit", "Terminator2Edit"}) at(edit).enabled = true;
    showText("HarewareComboBox", "RS485");
    at("HarewareComboBox").enabled = false;
    at("ControlModeComboBox").enabled = false;
    at("cLinkWaitTimeEdit").enabled = false;

    const std::uint16_t word = record.formatWord;
    showText("dataBitsComboBox", (word & 0x0001) != 0 ? "8" : "7");
    const unsigned parity = (word >> 1) & 3u;
    showText("parityComboBox", parity == 1 ? "Odd" : parity == 3 ? "Even" : "None");
    showText("stopBitsComboBox", (word & 0x0008) != 0 ? "2" : "1");
    const unsigned baud = (word >> 4) & 0xFu;
    showText("baudRateComboBox", baud >= kFirstBaudCode && baud < kFirstBaudCode + 7
                                     ? kBaudTexts[baud - kFirstBaudCode]
                                     : "1200");
    showText("Format14ComboBox", (word & 0x8000) != 0 ? "4" : "1");
    showText("DataTypeComboBox", record.dataType != 0 ? "8bits" : "16bits");

    const std::pair<const char*, std::int16_t> decimals[] = {
        {kBitSpin, record.linkControlBitDeviceNo},         {kByteSpin, record.linkControlByteDeviceNo},
        {"MaximumStationNoEdit", record.maximumStationNo}, {"TxWorkNo1AddrEdit", record.txWorkNo1Addr},
        {"TxEach1AllocEdit", record.txEach1Alloc},         {"sendWordCountEdit", record.sendWordCount},
        {"RxWorkNo1AddrEdit", record.rxWorkNo1Addr},       {"RxEach1AllocEdit", record.rxEach1Alloc},
        {"receiveWordCountEdit", record.receiveWordCount}, {"TimeOutTimerEdit", record.timeOutTimer},
        {"cLinkWaitTimeEdit", record.cLinkWaitTime},       {"rsWaitTimeEdit", record.rsWaitTime},
    };
    // Each write runs its rule before the next field is read: a rule may change the record.
    for (const auto& [name, value] : decimals) setText(name, std::to_string(value));
    setText("StationNoEdit", hexText(record.stationNo, 2));
    showFormatWord();
    showCodes();
    showStationTables();
}

void AutoLinkCalculator::showFormatWord() {
    showText(kFormatEdit, hexText(record.formatWord, 4));
}

void AutoLinkCalculator::showCodes() {
    showText("HeaderEdit", hexText(static_cast<std::uint16_t>(record.headerCode), 4));
    showText("Terminator1Edit", hexText(static_cast<std::uint16_t>(record.terminator1Code), 4));
    showText("Terminator2Edit", hexText(static_cast<std::uint16_t>(record.terminator2Code), 4));
}

void AutoLinkCalculator::applyProtocolPreset() {
    const std::string protocol = control(kProtocol).text;
    const std::uint16_t low = record.formatWord & 0x00FF;
    const auto codeBoxes = [this](const char* text, bool enabled) {
        for (const char* code : {"HeaderComboBox", "Terminator1ComboBox", "Terminator2ComboBox"}) {
            showText(code, text);
            at(code).enabled = enabled;
        }
    };
    const auto codeEdits = [this](bool enabled) {
        for (const char* edit : {"HeaderEdit", "Terminator1Edit", "Terminator2Edit"})
            at(edit).enabled = enabled;
    };
    const auto dataBits = [this](const char* text, bool enabled) {
        showText("dataBitsComboBox", text);
        at("dataBitsComboBox").enabled = enabled;
    };
    const auto codes = [this](std::int16_t header, std::int16_t first, std::int16_t second) {
        record.headerCode = header;
        record.terminator1Code = first;
        record.terminator2Code = second;
    };
    const bool none = protocol != "c-Link" && protocol != "ModbusAscii" && protocol != "ModbusRtu";
    if (protocol == "c-Link") {
        record.protocolCode = 8;
        record.formatWord = static_cast<std::uint16_t>(low | 0xE000);
        codes(5, 13, 10);
        at("cLinkWaitTimeEdit").enabled = true;
        at("Format14ComboBox").enabled = true;
        codeBoxes("ON", true);
        dataBits("7", false);
    } else if (protocol == "ModbusAscii") {
        record.protocolCode = 9;
        record.formatWord = static_cast<std::uint16_t>(low | 0x3300);
        codes(0x3A, 13, 10);
        codeEdits(false);
        codeBoxes("ON", false);
        dataBits("7", false);
    } else if (protocol == "ModbusRtu") {
        record.protocolCode = 10;
        record.formatWord = static_cast<std::uint16_t>(low | 0x6001);
        codes(0, 0, 0);
        codeEdits(false);
        codeBoxes("OFF", false);
        dataBits("8", false);
    } else {
        record.protocolCode = 0;
        record.formatWord = static_cast<std::uint16_t>(low | 0x0301);
        showText(kProtocol, "None");
        codeEdits(true);
        dataBits("8", true);
    }
    if (protocol == "ModbusAscii" || protocol == "ModbusRtu") {
        at("cLinkWaitTimeEdit").enabled = false;
        at("Format14ComboBox").enabled = false;
    }
    if (protocol == "c-Link" || protocol == "ModbusAscii") record.formatWord &= 0xFFFE;
    if (none) at("Format14ComboBox").enabled = false;
    at("HarewareComboBox").enabled = false;
    at("SumCheckComboBox").enabled = false;
    showText("SumCheckComboBox", none ? "No" : "Yes");
    showFormatWord();
    showCodes();
}

void AutoLinkCalculator::serialSettingChanged(const std::string& name) {
    const std::string text = control(name).text;
    std::uint16_t word = record.formatWord;
    if (name == "dataBitsComboBox")
        word = static_cast<std::uint16_t>(text == "7" ? word & ~0x0001u : word | 0x0001u);
    if (name == "parityComboBox") {
        const unsigned bits = text == "Odd" ? 1u : text == "Even" ? 3u : 0u;
        word = static_cast<std::uint16_t>((word & ~0x0006u) | (bits << 1));
    }
    if (name == "stopBitsComboBox")
        word = static_cast<std::uint16_t>(text == "1" ? word & ~0x0008u : word | 0x0008u);
    if (name == "baudRateComboBox") {
        unsigned code = 5;
        for (unsigned i = 0; i < 7; ++i)
            if (text == kBaudTexts[i]) code = kFirstBaudCode + i;
        word = static_cast<std::uint16_t>((word & ~0x00F0u) | (code << 4));
    }
    if (name == "Format14ComboBox")
        word = static_cast<std::uint16_t>(text == "4" ? word | 0x8000u : word & ~0x8000u);
    record.formatWord = word;
    showFormatWord();
}

void AutoLinkCalculator::codeChanged(const std::string& name) {
    const bool on = control(name).text == "ON";
    const std::string protocol = control(kProtocol).text;
    const bool framed = protocol == "c-Link" || protocol == "ModbusAscii";
    if (name == "HeaderComboBox")
        record.headerCode = static_cast<std::int16_t>(!on                         ? 0
                                                      : protocol == "c-Link"      ? 5
                                                      : protocol == "ModbusAscii" ? 0x3A
                                                                                  : 0);
    if (name == "Terminator1ComboBox") record.terminator1Code = on && framed ? 13 : 0;
    if (name == "Terminator2ComboBox") record.terminator2Code = on && framed ? 10 : 0;
    showCodes();
}

void AutoLinkCalculator::numericChanged(const std::string& name) {
    const NumericField& numeric = *numericField(name);
    flag(name, false);
    const std::string text = control(name).text;
    const std::optional<std::int64_t> value = decimalNumber(text);
    // Empty, or pasted text that is no number (or below zero): flagged, the field keeps its value.
    if (!value || *value < 0) return flag(name);
    if (*value > numeric.limit) return setText(name, std::to_string(numeric.limit));
    if (*value == 0 && numeric.zeroBecomesOne) return setText(name, "1");
    record.*numeric.field = static_cast<std::int16_t>(*value);
    if (name == "TxEach1AllocEdit" && record.txEach1Alloc < record.sendWordCount) flag(name);
    if (name == "RxEach1AllocEdit" && record.rxEach1Alloc < record.receiveWordCount) flag(name);
    const auto checkSpacing = [this](const char* spacing, std::int16_t count, std::int16_t each) {
        if (!control(spacing).text.empty()) flag(spacing, false);
        if (count > each) flag(spacing);
    };
    if (name == "sendWordCountEdit")
        checkSpacing("TxEach1AllocEdit", record.sendWordCount, record.txEach1Alloc);
    if (name == "receiveWordCountEdit")
        checkSpacing("RxEach1AllocEdit", record.receiveWordCount, record.rxEach1Alloc);
}

void AutoLinkCalculator::bitDeviceChanged() {
    flag(kBitSpin, false);
    const std::string text = control(kBitSpin).text;
    if (text.empty()) {
        flag(kBitSpin);
        showText(kBitLabel, "");
        record.linkControlBitDeviceNo = 0;
        return;
    }
    if (!decimalNumber(text)) return flag(kBitSpin);  // pasted: the field keeps its value
    std::int64_t v = spinValue(kBitSpin);
    if (v < 0) {
        record.linkControlBitDeviceNo = 0;
    } else if (v > kLastLinkM && v < kOutOfBand) {
        flag(kBitSpin);
    } else if (v > kLastLinkM) {
        record.linkControlBitDeviceNo = static_cast<std::int16_t>(kLastLinkM);
        setText(kBitSpin, std::to_string(kLastLinkM));
        flag(kBitSpin);
    } else {
        record.linkControlBitDeviceNo = static_cast<std::int16_t>(v);
    }
    v = spinValue(kBitSpin);
    const bool pastTheEnd = v + 39 > kLastLinkM;
    flag(kBitSpin, pastTheEnd);
    flag(kBitLabel, pastTheEnd);
    showText(kBitLabel, "M" + std::to_string(v) + "--M" + std::to_string(v + 39) + " be occupied");
}

void AutoLinkCalculator::byteDeviceChanged() {
    flag(kByteSpin, false);
    const std::string text = control(kByteSpin).text;
    if (text.empty()) {
        flag(kByteSpin);
        showText(kByteLabel, "");
        record.linkControlByteDeviceNo = 0;
        return;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        showError("Device no must be 0 - 9 !");
        return setText(kByteSpin, "");
    }
    std::int64_t v = spinValue(kByteSpin);
    if (v > kLastLinkD && v < kOutOfBand) {
        flag(kByteSpin);
    } else if (v > kLastLinkD) {
        record.linkControlByteDeviceNo = static_cast<std::int16_t>(kLastLinkD);
        setText(kByteSpin, std::to_string(kLastLinkD));
        flag(kByteSpin);
    } else {
        record.linkControlByteDeviceNo = static_cast<std::int16_t>(v);
    }
    v = spinValue(kByteSpin);
    const bool pastTheEnd = v + 99 > kLastLinkD;
    flag(kByteSpin, pastTheEnd);
    flag(kByteLabel, pastTheEnd);
    showText(kByteLabel, "D" + std::to_string(v) + "--D" + std::to_string(v + 99) + " be occupied");
}

void AutoLinkCalculator::stationAddressChanged(const std::string& name) {
    const bool readTable = name[0] == 'R';
    const int station = stationOf(name, "Edit");
    const std::string text = control(name).text;
    if (text.empty()) return flag(name);
    const bool hexDigitsOnly = std::all_of(
        text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
    if (!hexDigitsOnly) {
        showError("Character must be '0'--'9'or'A'--'F'");
        return setText(name, "");
    }
    flag(name, false);
    const bool decimal = control(stationComboName(readTable, station)).text == "Dec";
    const std::optional<std::int64_t> value = decimal ? decimalNumber(text) : hexNumber(text);
    if (!value) return flag(name);  // letters pasted into a decimal row: the address keeps its value
    auto& addresses = readTable ? record.rxStationAddr : record.txStationAddr;
    addresses[static_cast<std::size_t>(station - 1)] = static_cast<std::uint16_t>(*value & 0xFFFF);
}

void AutoLinkCalculator::stationModePicked(const std::string& name) {
    const bool readTable = name[0] == 'R';
    const int station = stationOf(name, "ComboBox");
    std::uint32_t& mask = readTable ? record.rxHexMask : record.txHexMask;
    const std::uint32_t bit = 1u << (station - 1);
    if (control(name).text == "Dec")
        mask &= ~bit;
    else
        mask |= bit;
    showStationRow(readTable, station);
}

void AutoLinkCalculator::showStationRow(bool readTable, int station) {
    const std::uint32_t mask = readTable ? record.rxHexMask : record.txHexMask;
    const bool hex = (mask & (1u << (station - 1))) != 0;
    const std::uint16_t address =
        (readTable ? record.rxStationAddr : record.txStationAddr)[static_cast<std::size_t>(station - 1)];
    showText(stationComboName(readTable, station), hex ? "Hex" : "Dec");
    setText(stationEditName(readTable, station), hex ? hexText(address, 4) : std::to_string(address));
}

void AutoLinkCalculator::showStationTables() {
    for (int n = 1; n <= kAutoLinkStations; ++n) {
        showStationRow(true, n);
        showStationRow(false, n);
    }
}

void AutoLinkCalculator::fillAllClick(bool readTable) {
    auto& addresses = readTable ? record.rxStationAddr : record.txStationAddr;
    std::fill(addresses.begin() + 1, addresses.end(), addresses[0]);
    showStationTables();
}

bool AutoLinkCalculator::btnOkClick() {
    if (control(kBitSpin).text == " ") {
        showError("enableMregisterNo Error");
        setText(kBitSpin, "0");
        return false;
    }
    if (control(kByteSpin).text.empty()) {
        showError("startDregisterNo Error");
        return false;
    }
    record.okPressed = 1;
    return true;
}

DeviceUsageReport AutoLinkCalculator::helpReport() const {
    DeviceUsageReport report;
    report.deviceUsageMode = kUsageAutoLink;
    report.bitDeviceNo1 = static_cast<int>(spinValue(kBitSpin));
    report.byteDeviceNo1 = static_cast<int>(spinValue(kByteSpin));
    report.caption = "Auto link control";
    return report;
}

KeyFilter AutoLinkCalculator::keyFilter(const std::string& name) const {
    if (name.find("ComboBox") != std::string::npos) return KeyFilter::NoKeys;
    if (name == "StationNoEdit") return KeyFilter::HexDigits;
    if (isStationControl(name, "Edit")) {
        const bool decimal = control(stationComboName(name[0] == 'R', stationOf(name, "Edit"))).text == "Dec";
        return decimal ? KeyFilter::Digits : KeyFilter::HexDigits;
    }
    if (name == kBitSpin || name == kByteSpin || numericField(name) != nullptr) return KeyFilter::Digits;
    return KeyFilter::NoKeys;
}

void AutoLinkCalculator::textChanged(const std::string& name) {
    if (name == "StationNoEdit") {
        if (const auto value = hexNumber(control(name).text))
            record.stationNo = static_cast<std::uint16_t>(*value);
    } else if (numericField(name) != nullptr) {
        numericChanged(name);
    } else if (name == kBitSpin) {
        bitDeviceChanged();
    } else if (name == kByteSpin) {
        byteDeviceChanged();
    } else if (isStationControl(name, "Edit")) {
        stationAddressChanged(name);
    }
}

void AutoLinkCalculator::picked(const std::string& name) {
    if (name == kProtocol) return applyProtocolPreset();
    if (name == "dataBitsComboBox" || name == "parityComboBox" || name == "stopBitsComboBox" ||
        name == "baudRateComboBox" || name == "Format14ComboBox")
        return serialSettingChanged(name);
    if (name == "HeaderComboBox" || name == "Terminator1ComboBox" || name == "Terminator2ComboBox")
        return codeChanged(name);
    if (name == "DataTypeComboBox") record.dataType = control(name).text == "16bits" ? 0 : 1;
    if (isStationControl(name, "ComboBox")) stationModePicked(name);
}

}  // namespace kestrion
