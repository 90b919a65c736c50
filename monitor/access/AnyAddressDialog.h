// The rules of TAnyAddressForm: read, write and force bits at any address, watch an address, and
// show the bytes read in one of five formats. The window mirrors the fields and calls the handlers;
// its buttons keep the link's port open, the opening item closes it afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/terminals/AnyCommandTerminal.h"

namespace kestrion {

struct AnyAddressRow {
    std::string address;  // "H" and four digits
    std::string value;
    std::string comment;  // always empty
    bool operator==(const AnyAddressRow&) const = default;
};

struct AnyAddressLayout {
    WidgetBox inputPanel, anyTxMemo, anyRxMemo, listView;
    // DataTypeComboBox1, DataLengthComboBox1, btnClose, btnRead, btnWrite, btnForceOn, btnForceOff,
    // btnStartMonitor, btnStopMonitor, btnWhichAddress, btnMachineCode.
    std::vector<WidgetBox> column;
};

class AnyAddressDialog {
public:
    std::string caption = "Read any address";
    int width = 800;
    int height = 600;
    int inputPanelHeight = 96;  // as the window's panel needs it

    std::uint8_t stopMonitorFlag = 0;
    int iCommand = 2;
    int iAddress = 0x09E0;
    int iData = 0;
    int iByteNo = 2;
    int iPageNo = 0;
    int iDataType = 1;
    int iDataLength = 32;

    std::string addressEdit = "H09E0";
    std::string byteNoEdit = "2";
    std::string dataEdit = "H0000";
    std::string commandEdit;
    std::string pageNoText = "0";
    std::string dataLengthText = "32";
    std::string dataTypeText = "Decimal";
    std::string label5;
    std::string label6;
    std::string anyTxMemo = "Tx";
    std::string anyRxMemo = "Rx";
    std::vector<std::string> columns;  // "Address", "(H)Current value", "Comment"
    std::vector<int> columnWidths;
    std::vector<AnyAddressRow> rows;
    bool dataEnabled = true;    // DataLabel and DataEdit
    bool byteNoEnabled = true;  // ByteNoLabel and ByteNoEdit
    bool readEnabled = true;
    bool writeEnabled = true;
    bool forceOnEnabled = true;
    bool forceOffEnabled = true;
    bool monitoring = false;  // the watch loop runs
    // The address and byte-count edits hold a number in range (or held one at their last change).
    bool addressTextGood = true;
    bool byteNoTextGood = true;
    AnyAddressLayout layout;
    // Called after each pass of the watch loop, so the window shows it.
    std::function<void()> changed;

    void FormShow();
    void AddressEditChange();
    void DataEditChange();
    void ByteNoEditChange();
    void PageNoComboBoxChange();
    void DataLengthComboBox1Change();
    void DataTypeComboBox1Change();
    void btnReadClick();
    void btnWriteClick();
    void btnForceOnClick();
    void btnForceOffClick();
    void btnWhichAddressClick();
    // Runs until Stop, Close or a failed read; the reply waits let those clicks in.
    void btnStartMonitorClick();
    void btnStopMonitorClick();
    void btnMachineCodeClick();
    // Ends a running watch loop too; the window closes once it has.
    void btnCloseClick();
    void btnReflashListViewClick();
    void btnSetupPanelClick();
    void btnSetupListViewPcolumnClick();

private:
    bool addressTaken(const char* text, const char* boxCaption);
    bool byteNoTaken();
    bool connected(bool plainTimeOutBox);
    void readAndList();
    void forceBit(bool on);
    std::vector<std::uint8_t> bytes_;  // the checked reply the list shows
};

}  // namespace kestrion
