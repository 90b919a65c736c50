#include "link/terminals/AnyCommandTerminal.h"

#include <algorithm>
#include <array>

#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/terminals/TerminalFraming.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kLinesBeforeClear = 10;
constexpr int kMargin = 16;
constexpr int kGap = 8;
constexpr int kRowHeight = 24;
constexpr int kRowPitch = 32;
constexpr int kColumnWidth = 88;
constexpr int kEditRightRoom = 136;
constexpr int kRxMemoHeight = 96;
constexpr int kPanel2Height = 120;

constexpr std::array<const char*, 5> kProtocolNames = {"sysProtocol", "cLink", "ModbusAsc", "ModbusRtu",
                                                       "FreeUser"};
constexpr std::array<const char*, 5> kBaudTexts = {"9600", "19200", "38400", "57600", "115200"};

// The protocol's frame in the command line when it is chosen.
constexpr std::array<const char*, 4> kDefaultFrames = {"023030453032303203", "05",
                                                       "3A303130313334303030303230", "010134000020"};

struct ParityName {
    const char* text;
    platform::Parity parity;
};
constexpr std::array<ParityName, 5> kParities = {{{"Even", platform::Parity::Even},
                                                  {"Odd", platform::Parity::Odd},
                                                  {"None", platform::Parity::None},
                                                  {"Mark", platform::Parity::Mark},
                                                  {"Space", platform::Parity::Space}}};

const char* parityText(platform::Parity parity) {
    for (const ParityName& name : kParities)
        if (name.parity == parity) return name.text;
    return "Even";
}

std::string comText(std::uint32_t index) {
    return "COM" + std::to_string(index + 1);
}

// The index of text among "COM1" .. "COM19"; -1 for any other text.
int comIndex(const std::string& text) {
    for (std::uint32_t i = 0; i < 19; ++i)
        if (text == comText(i)) return static_cast<int>(i);
    return -1;
}

template <std::size_t N>
int indexOf(const std::array<const char*, N>& texts, const std::string& text) {
    const auto found = std::find_if(texts.begin(), texts.end(), [&text](const char* t) { return text == t; });
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

}  // namespace

void AnyCommandTerminal::btnSetupPanelClick() {
    AnyCommandLayout& l = layout;
    l.commandLabel = {kMargin, kMargin, commandLabelWidth, kRowHeight};
    const int editLeft = l.commandLabel.left + commandLabelWidth + kGap;
    l.edit1 = {editLeft, l.commandLabel.top, width - editLeft - kEditRightRoom, kRowHeight};
    const int textWidth = commandLabelWidth + kGap + l.edit1.width;
    int below = l.edit1.top + l.edit1.height + kMargin;
    if (rxMemo4Visible) {
        l.rxMemo4 = {kMargin, below, textWidth, kRxMemoHeight};
        below = l.rxMemo4.top + kRxMemoHeight + kGap;
    }
    l.memo1 = {kMargin, below, textWidth, std::max(0, height - below - kMargin)};

    const int column = l.edit1.left + l.edit1.width + kGap;
    l.panel2 = {column, l.edit1.top, kColumnWidth, kPanel2Height};
    int top = l.panel2.top + kPanel2Height + kGap;
    l.protocolComboBox = {column, top, kColumnWidth, kRowHeight};
    for (auto [box, visible] : {std::pair{&l.dataTypeComboBox, dataTypeVisible},
                                std::pair{&l.dataLengthComboBox, dataLengthVisible},
                                std::pair{&l.btnSend, true}, std::pair{&l.btnClose, true}}) {
        if (!visible) continue;
        top += kRowPitch;
        *box = {column, top, kColumnWidth, kRowHeight};
    }
}

void AnyCommandTerminal::FormShow() {
    btnSetupPanelClick();
    parityText = kestrion::parityText(comDcb.parity);
    if (comDcb.dataBits != 7 && comDcb.dataBits != 8) comDcb.dataBits = 7;
    dataBitText = comDcb.dataBits == 8 ? "db8Bits" : "db7Bits";
    if (comDcb.stopBits != 1 && comDcb.stopBits != 2) comDcb.stopBits = 1;
    stopBitText = comDcb.stopBits == 2 ? "StopBit2" : "StopBit1";
    if (baudIndex > 5) baudIndex = 0;
    baudRateText = kBaudTexts[std::min<std::size_t>(baudIndex, kBaudTexts.size() - 1)];
    if (comPortIndex > 18) comPortIndex = 0;
    comPortText = comText(comPortIndex);

    const bool known = commProtocol >= sysProtocol && commProtocol < FreeUser;
    protocolText = kProtocolNames[known ? static_cast<std::size_t>(commProtocol) : 4];
    memo1 = anyCommandExamples(commProtocol);
    if (known) {
        edit1 = kDefaultFrames[static_cast<std::size_t>(commProtocol)];
        Edit1Change();
    }
}

void AnyCommandTerminal::ProtocolComboBox1Change() {
    const bool ran = runLinkCommand(PortAfter::KeepOpen, [this] {
        releasePort();
        if (const int chosen = indexOf(kProtocolNames, protocolText); chosen >= 0) commProtocol = chosen;
        selectComPort();
        _OpenComPort(commProtocol);
        FormShow();
    });
    // Refused while a request waited: the box shows the protocol still in force.
    if (!ran) {
        const bool known = commProtocol >= sysProtocol && commProtocol <= FreeUser;
        protocolText = kProtocolNames[known ? static_cast<std::size_t>(commProtocol) : 4];
    }
}

void AnyCommandTerminal::parityComboBoxChange() {
    const auto found = std::find_if(kParities.begin(), kParities.end(),
                                    [this](const ParityName& name) { return parityText == name.text; });
    comDcb.parity = found != kParities.end() ? found->parity : kParities[0].parity;
    FormShow();
}

void AnyCommandTerminal::dataBitComboBoxChange() {
    comDcb.dataBits = dataBitText == "db8Bits" ? 8 : 7;
    FormShow();
}

void AnyCommandTerminal::stopBitComboBoxChange() {
    comDcb.stopBits = stopBitText == "StopBit2" ? 2 : 1;
    FormShow();
}

void AnyCommandTerminal::baudRateComboBoxChange() {
    baudIndex = static_cast<std::uint32_t>(std::max(0, indexOf(kBaudTexts, baudRateText)));
    setBaudRate(baudIndex);
    setBaudRateString(baudIndex);
    FormShow();
}

void AnyCommandTerminal::comPortComboBoxChange() {
    comPortIndex = static_cast<std::uint32_t>(std::max(0, comIndex(comPortText)));
    FormShow();
}

void AnyCommandTerminal::Edit1Change() {
    commandText = edit1;
    rxMemo4.clear();
}

void AnyCommandTerminal::btnSendClick() {
    runLinkCommand(PortAfter::KeepOpen, [this] {
        switch (commProtocol) {
            case cLink: sendComputerLinkCommand(); break;
            case ModbusAsc: sendModbusAsciiCommand(); break;
            case ModbusRtu: sendModbusRtuCommand(); break;
            case FreeUser: sendFreeUserCommand(); break;
            case sysProtocol: sendSysProtocolCommand(); break;
            default:
                commProtocol = sysProtocol;
                sendSysProtocolCommand();
                break;
        }
    });
}

// What sets the Send routines of the framed protocols apart: the box of a port that will not open
// (the PLC's own protocol and the computer link still build and show their frame), the framing, and
// how the two lines are written.
struct SendRoutine {
    std::int32_t protocol;
    const char* closedText;
    const char* closedCaption;
    void (*framing)(const std::string&);
    const char* sentPrefix;
    const char* replyPrefix;
    bool numberFirst = false;     // a line starts with its number, the arrow after it
    bool emptyLineFirst = false;  // an empty line goes before the two lines
};

constexpr SendRoutine kSysProtocolSend{.protocol = sysProtocol,
                                       .closedText = "Error2018122810...",
                                       .closedCaption = "*SysProtocol",
                                       .framing = sendAnyCommandHex,
                                       .sentPrefix = "=>",
                                       .replyPrefix = "<="};
constexpr SendRoutine kComputerLinkSend{.protocol = cLink,
                                        .closedText = "Error2018122810...",
                                        .closedCaption = "*ComputerLink",
                                        .framing = sendAnyCommandAscii,
                                        .sentPrefix = "=> ",
                                        .replyPrefix = "<= ",
                                        .emptyLineFirst = true};
constexpr SendRoutine kModbusAsciiSend{.protocol = ModbusAsc,
                                       .closedText = "Error2015121601",
                                       .closedCaption = "*ModbusAscii",
                                       .framing = sendAnyCommandModbusAscii,
                                       .sentPrefix = "=>",
                                       .replyPrefix = "<=",
                                       .numberFirst = true,
                                       .emptyLineFirst = true};
constexpr SendRoutine kModbusRtuSend{.protocol = ModbusRtu,
                                     .closedText = "Error2015121601",
                                     .closedCaption = "*ComPortNotOpen",
                                     .framing = sendAnyCommandModbusRtu,
                                     .sentPrefix = "=>",
                                     .replyPrefix = "<="};

void AnyCommandTerminal::runSend(const SendRoutine& routine) {
    if ((comState & kComStateOpen) == 0) _OpenComPort(routine.protocol);
    if (comPortHandle == -1) {
        platform::say({routine.closedText, routine.closedCaption, platform::MsgIcon::Warning});
        if (routine.protocol != sysProtocol && routine.protocol != cLink) return;
    }
    commandText = edit1;
    rs.status &= static_cast<std::uint8_t>(~kRsLineComplete);
    routine.framing(commandText);
    appendLines(routine.sentPrefix, routine.replyPrefix, routine.numberFirst, routine.emptyLineFirst);
}

void AnyCommandTerminal::appendLines(const std::string& sentPrefix, const std::string& replyPrefix,
                                     bool numberFirst, bool emptyLineFirst) {
    if (rxMemo4Visible && rxMemo4.size() >= kLinesBeforeClear) rxMemo4.clear();
    if (emptyLineFirst) rxMemo4.emplace_back();
    const auto line = [this, numberFirst](const std::string& prefix, const std::string& text) {
        const std::string number = std::to_string(rxMemo4.size());
        rxMemo4.push_back(numberFirst ? number + prefix + text : prefix + number + ":" + text);
    };
    line(sentPrefix, anyCommandTxText);
    line(replyPrefix, anyCommandRxText);
}

void AnyCommandTerminal::sendSysProtocolCommand() {
    runSend(kSysProtocolSend);
}

void AnyCommandTerminal::sendComputerLinkCommand() {
    runSend(kComputerLinkSend);
}

void AnyCommandTerminal::sendModbusAsciiCommand() {
    runSend(kModbusAsciiSend);
}

void AnyCommandTerminal::sendModbusRtuCommand() {
    runSend(kModbusRtuSend);
}

void AnyCommandTerminal::sendFreeUserCommand() {
    if ((comState & kComStateOpen) == 0) _OpenComPort(FreeUser);
    if (comPortHandle == -1) {
        platform::statusBar().setPanelText(0, "Can't open communication port ...");
        platform::say({"Error2015121601", "*ComPortNotOpen", platform::MsgIcon::Warning});
        return;
    }
    commandText = edit1;
    sendAnyCommandFreeUser(commandText);
    appendLines("=>", "<=", false, false);
}

}  // namespace kestrion
