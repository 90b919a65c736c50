// The rules of TAnyCommandForm, the service terminal of the link: one frame typed as hex digit
// pairs, one of the five link protocols, Send, and the frame and reply shown with control
// characters by name; a second memo lists example frames of the protocol. The window mirrors the
// fields and calls the handlers; the link's port, format and protocol are the link's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

// A control's place in pixels, in the form's client area.
struct WidgetBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WidgetBox&) const = default;
};

// Where btnSetupPanelClick puts the controls.
struct AnyCommandLayout {
    WidgetBox commandLabel, edit1, rxMemo4, memo1, panel2, protocolComboBox, dataTypeComboBox,
        dataLengthComboBox, btnSend, btnClose;
};

// The example frames of a protocol code, one line each; the free user's for any unknown code.
const std::vector<std::string>& anyCommandExamples(std::int32_t protocol);

struct SendRoutine;

class AnyCommandTerminal {
public:
    // The window's size, set by the opener; the layout follows it.
    int width = 1086;
    int height = 367;
    int commandLabelWidth = 64;  // the bold caption "Command" as the window measures it

    std::string edit1 = "02";  // the command line, upper case
    std::vector<std::string> rxMemo4{"Rx"};
    bool rxMemo4Visible = true;
    bool edit1Visible = true;
    bool dataTypeVisible = true;  // DataTypeComboBox1 shows, disabled; DataLengthComboBox1 is hidden
    bool dataLengthVisible = false;
    std::vector<std::string> memo1{"Memo1"};
    std::string parityText;  // the three format boxes, and the two hidden ones
    std::string dataBitText;
    std::string stopBitText;
    std::string baudRateText;
    std::string comPortText;
    std::string protocolText;
    std::string commandText;  // the command line as the last change or Send took it
    AnyCommandLayout layout;

    void FormShow();
    void btnSetupPanelClick();
    // Closes the port, takes the protocol of protocolText, asks for port and rate, opens the port
    // in the protocol's format and shows it all. Refused while a request waits.
    void ProtocolComboBox1Change();
    // Each takes its box's text into the port settings (or puts the first item back), then shows.
    void parityComboBoxChange();
    void dataBitComboBoxChange();
    void stopBitComboBoxChange();
    void baudRateComboBoxChange();
    void comPortComboBoxChange();
    void Edit1Change();
    // The Send routine of the protocol in force; refused while a request waits.
    void btnSendClick();

    void sendSysProtocolCommand();
    void sendComputerLinkCommand();
    void sendModbusAsciiCommand();
    void sendModbusRtuCommand();
    void sendFreeUserCommand();

private:
    void appendLines(const std::string& sentPrefix, const std::string& replyPrefix, bool numberFirst,
                     bool emptyLineFirst);
    void runSend(const SendRoutine& routine);
};

}  // namespace kestrion
