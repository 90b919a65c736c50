// The auto-link calculator (TautoLinkForm): the communication format word, header and terminator
// codes, station number, time-outs, the first M relay and D register of the auto-link control
// block with the ranges it occupies, the send and receive areas, and the read and write addresses
// of up to 32 stations. A calculator only: nothing it holds leaves it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "wizards/calculators/CalculatorControls.h"
#include "wizards/calculators/DeviceUsageReport.h"

namespace kestrion {

constexpr int kAutoLinkStations = 32;

// The form's own fields, all zero when it is created.
struct AutoLinkRecord {
    std::uint8_t okPressed = 0;
    std::uint16_t formatWord = 0;
    std::uint16_t stationNo = 0;
    std::int16_t headerCode = 0;
    std::int16_t terminator1Code = 0;
    std::int16_t terminator2Code = 0;
    std::int16_t protocolCode = 0;  // 0 None, 8 c-Link, 9 ModbusAscii, 10 ModbusRtu
    std::int32_t dataType = 0;      // 0 "16bits", 1 "8bits"
    std::int16_t timeOutTimer = 0;
    std::int16_t cLinkWaitTime = 0;
    std::int16_t linkControlBitDeviceNo = 0;
    std::int16_t linkControlByteDeviceNo = 0;
    std::int16_t maximumStationNo = 0;
    std::int16_t rsWaitTime = 0;
    std::int16_t txWorkNo1Addr = 0;
    std::int16_t txEach1Alloc = 0;
    std::int16_t sendWordCount = 0;
    std::int16_t rxWorkNo1Addr = 0;
    std::int16_t rxEach1Alloc = 0;
    std::int16_t receiveWordCount = 0;
    std::array<std::uint16_t, kAutoLinkStations> rxStationAddr{};
    std::uint32_t rxHexMask = 0;
    std::array<std::uint16_t, kAutoLinkStations> txStationAddr{};
    std::uint32_t txHexMask = 0;
};

class AutoLinkCalculator : public CalculatorControls {
public:
    AutoLinkCalculator();
    AutoLinkRecord record;

    void FormShow();
    // Writes both station tables from the record.
    void showStationTables();
    // "Fill ALL" of the read table (true) or the write table (false).
    void fillAllClick(bool readTable);
    // OK: true when the dialog closes; a refusal has shown its box.
    bool btnOkClick();
    void btnCancelClick() { record.okPressed = 0; }
    // The report the "Help ..." button opens, from the two spin edits as they stand.
    DeviceUsageReport helpReport() const;

    KeyFilter keyFilter(const std::string& name) const override;

protected:
    void textChanged(const std::string& name) override;
    void picked(const std::string& name) override;

private:
    void applyProtocolPreset();
    void showFormatWord();
    void showCodes();
    void serialSettingChanged(const std::string& name);
    void codeChanged(const std::string& name);
    void numericChanged(const std::string& name);
    void bitDeviceChanged();
    void byteDeviceChanged();
    void stationAddressChanged(const std::string& name);
    void stationModePicked(const std::string& name);
    void showStationRow(bool readTable, int station);
};

// The station controls' names: RxEdit1 .. RxEdit32, TxComboBox1 ..
std::string stationEditName(bool readTable, int station);
std::string stationComboName(bool readTable, int station);

}  // namespace kestrion
