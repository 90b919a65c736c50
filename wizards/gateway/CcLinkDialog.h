// The CC-Link gateway setup dialog (TccLinkForm) without its window. The PLC configures a CC-Link
// gateway module through one special register, D8110, holding four hex digits "mSnnH": m the
// occupied stations less one (0..3), S the CC-Link baud rate code (0..4), nn the station number
// (1..64, binary). The dialog reads the word, explains it in msgMemo, and writes the three
// settings back with Setup. Check and Setup leave the port open for the next button; the menu
// item that opened the dialog closes it after Close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizards/calculators/CalculatorControls.h"

namespace kestrion {

// closeFlags bits.
constexpr std::uint8_t kCcLinkClosed = 0x01;     // left with Close
constexpr std::uint8_t kCcLinkCancelled = 0x02;  // left with Cancel

// The memo's lines for a D8110 word, an empty line before each group.
std::vector<std::string> explainD8110(std::uint16_t value);
// The word Setup writes: ((m << 12) AND 0xF000) + (S << 8) + nn, 16 bits.
std::uint16_t composeD8110(std::int16_t occupiedStationsCode, std::int16_t baudRateCode,
                           std::int16_t stationNo);

class CcLinkDialog : public CalculatorControls {
public:
    CcLinkDialog();

    std::string caption;
    std::uint8_t closeFlags = 0;
    std::uint16_t d8110Value = 0;
    std::int16_t occupiedStationsCode = 0;  // 4 marks an entry that is none of the items
    std::int16_t baudRateCode = 0;          // 5 likewise
    std::int16_t stationNo = 0;             // 0 for an entry of 0 or less
    std::vector<std::string> msgMemo;

    // What the form does while it is created: the connection test, Check, then Update.
    void create();
    void btnCheckClick();
    // Writes the word of the three entries. While an entry is invalid (yellow) nothing is sent:
    // a box says which values are wanted.
    void btnSetupClick();
    void btnUpdate1Click();
    void btnCloseClick();
    void btnCancelClick();
    void btnPinfoClick();
    // Rebuilds the device monitor's rows and request lists from its registered list.
    void MonitorClick();

    KeyFilter keyFilter(const std::string& name) const override;

protected:
    void textChanged(const std::string& name) override;
    void picked(const std::string& name) override;

private:
    void occupiedStationsChange();
    void baudRateChange();
    void stationNoChange();
};

// The link-setup menu's "ccLinkProtocol..." items: the dialog, then status panel 0 says how it was
// left; after Close the port is closed, otherwise it keeps the state the dialog left.
void ccLinkProtocol1Click();
void ccLinkProtocol2Click();

}  // namespace kestrion
