#include "lang/HelpCommands.h"
#include "lang/Language.h"
#include "link/LinkFixture.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using platform::Parity;
using platform::SerialOpenStatus;
using platform::TimerId;

class CommRecordTest : public LinkTest {};

TEST_F(CommRecordTest, ABaudIndexPastTheTableFallsBackTo9600) {
    baudIndex = 6;
    setBaudRate(6);
    setBaudRateString(6);
    setTimer1Interval(6);
    EXPECT_EQ(std::make_tuple(comDcb.baudRate, baudText, fakes.clock.interval(TimerId::Timer1), baudIndex),
              std::make_tuple(9600u, std::string("9600"), 100u, 0u));
}

TEST_F(CommRecordTest, OpeningSetsTheFormatOfTheProtocolShowsPortAndRateAndStartsThePoller) {
    const std::tuple<std::int32_t, int, Parity> cases[] = {
        {sysProtocol, 7, Parity::Even}, {cLink, 7, Parity::Even},    {ModbusAsc, 7, Parity::Even},
        {ModbusRtu, 8, Parity::Even},   {FreeUser, 8, Parity::None}, {9, 8, Parity::None}};
    for (const auto& [protocol, dataBits, parity] : cases) {
        closeComPort();
        EXPECT_EQ(_OpenComPort(protocol), 1);
        const platform::SerialFormat& f = fakes.serial.format;
        EXPECT_EQ(std::tie(f.dataBits, f.parity, f.stopBits, f.baudRate),
                  std::make_tuple(dataBits, parity, 1, 9600u))
            << protocol;
        EXPECT_TRUE(comState & kComStateOpen);
        EXPECT_TRUE(fakes.clock.enabled(TimerId::Timer1));
    }
    comPortIndex = 2;
    baudIndex = 5;
    setBaudRateString(5);
    ASSERT_EQ(_OpenComPort(sysProtocol), 1);
    EXPECT_EQ(fakes.serial.opens, 7);  // opening an open port releases it first
    EXPECT_EQ(fakes.serial.openedCom, 3);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Open COM3 and setting baudrate to 115200");
    EXPECT_EQ(fakes.statusBar.panelText(5), " ");
    EXPECT_EQ(fakes.serial.format.baudRate, 115200u);
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 100u);
}

TEST_F(CommRecordTest, APortThatWillNotOpenShowsThePopUpAndStaysClosed) {
    struct Case {
        SerialOpenStatus status;
        bool chinese;
        const char* line1;
        const char* line2;
    };
    const Case cases[] = {
        {SerialOpenStatus::NotFound, false, "Can't open communication port COM2",
         "There is no device /dev/ttyS1\nNo serial device found"},
        {SerialOpenStatus::Busy, false, "Can't open communication port COM2",
         "/dev/ttyS1 is in use by another program\nNo serial device found"},
        {SerialOpenStatus::AccessDenied, false, "Can't open communication port COM2",
         "No permission to open /dev/ttyS1: your account must be in the uucp group\nNo serial device found"},
        {SerialOpenStatus::Failed, true, "無法開啟通訊口 COM2",
         "/dev/ttyS1 cannot be opened\nNo serial device found"},
    };
    setSoftwareVersion(kSoftwareVersion);
    comPortIndex = 1;
    fakes.serial.deniedGroup = "uucp";  // the group that owns the device, not always dialout
    for (const Case& c : cases) {
        selectLanguageFlags(c.chinese ? 1 : 0);
        langDialogs.appMessages.clear();
        redrawFlags = 0;
        fakes.serial.openFailures[2] = c.status;
        EXPECT_EQ(_OpenComPort(sysProtocol), 0);
        EXPECT_EQ(comPortHandle, -1);
        EXPECT_FALSE(comState & kComStateOpen);
        ASSERT_EQ(langDialogs.appMessages.size(), 1u);
        EXPECT_EQ(langDialogs.appMessages[0].caption, "Error2015121401");
        EXPECT_EQ(langDialogs.appMessages[0].line1, c.line1);
        EXPECT_EQ(langDialogs.appMessages[0].line2, c.line2);
        EXPECT_EQ(langDialogs.appMessages[0].versionText, "Kestrion Version 2.1.1108");
        EXPECT_EQ(redrawFlags, 0x07);
    }
    selectLanguageFlags(2);
    _OpenComPort(sysProtocol);
    EXPECT_EQ(langDialogs.appMessages.back().line1, "无法开启通讯口 COM2");
}

TEST_F(CommRecordTest, ADeviceNamedByTheEnvironmentThatIsNotThereIsNamedWithTheDevicesFound) {
    fakes.serial.listed = {{1, "/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "", true},
                           {2, "/dev/ttyUSB7", "", "KESTRION_COM2", false},
                           {3, "/dev/ttyS0", "", "", true},
                           {4, "/dev/ttyS3", "", "", false}};
    comPortIndex = 1;
    fakes.serial.openFailures[2] = SerialOpenStatus::NotFound;
    EXPECT_EQ(_OpenComPort(sysProtocol), 0);
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    EXPECT_EQ(langDialogs.appMessages[0].line2,
              "There is no device /dev/ttyUSB7 (KESTRION_COM2)\nSerial devices found:\n"
              "COM1: /dev/ttyUSB0 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\nCOM3: /dev/ttyS0");
}

TEST_F(CommRecordTest, RefusedSettingsCloseThePortAgain) {
    fakes.serial.refuseFormat = true;
    EXPECT_EQ(_OpenComPort(sysProtocol), 1);
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes{"Comuunication Port Setting Error... | Set Error | none"});
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(comState & kComStateOpen);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Can't open this com port ...");
    fakes.serial.refuseFormat = false;
    openAt(0);
    fakes.serial.openFailures[1] = SerialOpenStatus::Busy;  // a failed reopen leaves the port closed
    EXPECT_EQ(_OpenComPort(sysProtocol), 0);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(comState & kComStateOpen);
}

TEST_F(CommRecordTest, ClosingReleasesThePortStopsThePollerAndSaysSo) {
    openAt(0);
    closeComPort();
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_FALSE(comState & kComStateOpen);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(fakes.clock.enabled(TimerId::Timer1));
    EXPECT_EQ(fakes.statusBar.panelText(5), "COMn OFF");
    EXPECT_EQ(_OpenComPort(sysProtocol), 1);  // and it opens again
}

TEST_F(CommRecordTest, StartUpTakesPortAndBaudIndexFromTheSettings) {
    ModeData.comPortNo = 4;
    ModeData.baudRate = 2;
    rs.timeOut = 1;
    rs.retryCount = 4;
    rs.bitTxBuf[5] = 1;
    fakes.statusBar.setPanelText(2, "old");
    linkStartUp();
    EXPECT_EQ(fakes.statusBar.panelText(5), "COM5 Br38400");
    EXPECT_EQ(fakes.statusBar.panelText(2), "");
    EXPECT_EQ(std::tie(comPortIndex, baudIndex, rs.timeOut, rs.retryCount),
              std::make_tuple(4u, 2u, 5000u, 1u));
    EXPECT_EQ(baudText, "38400");
    EXPECT_EQ(std::tie(comDcb.dataBits, comDcb.parity, comPortHandle), std::make_tuple(7, Parity::Even, -1));
    EXPECT_EQ(std::vector<std::uint16_t>(D8Kreg.begin(), D8Kreg.begin() + 4),
              (std::vector<std::uint16_t>{200, 24300, 8, 2}));
    EXPECT_EQ(rs.bitTxBuf[5], 0);
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 0u);
    ModeData = ModeDataRecord{};
}

TEST_F(CommRecordTest, ThePortDialogRulesKeepIndexesInRange) {
    struct Shown {
        std::uint32_t comPort;
        std::uint32_t baud;
        const char* comText;
        int baudItem;
    };
    PortSelDialog dialog;
    for (const Shown& c : {Shown{18, 5, "COM19", 5}, Shown{19, 6, "COM1", 0}, Shown{30, 9, "COM1", 0}}) {
        comPortIndex = c.comPort;
        baudIndex = c.baud;
        const PortSelView view = dialog.FormShow();
        EXPECT_EQ(view.comText, c.comText) << c.comPort;
        EXPECT_EQ(view.baudItemIndex, c.baudItem) << c.baud;
        EXPECT_EQ(baudIndex, static_cast<std::uint32_t>(c.baudItem)) << c.baud;
    }
    struct Case {
        const char* typed;
        const char* shown;
        std::uint32_t index;
    };
    for (const Case& c : {Case{"COM12", "COM12", 11}, Case{"COM19", "COM19", 18}, Case{"COM20", "COM1", 0},
                          Case{"com3", "COM1", 0}, Case{"COM3 ", "COM1", 0}}) {
        comPortIndex = 7;
        EXPECT_EQ(dialog.comPortComboBoxChange(c.typed), c.shown) << c.typed;
        EXPECT_EQ(comPortIndex, c.index) << c.typed;
    }
    for (const auto& [clicked, shown] :
         {std::pair{4, 4}, std::pair{5, 5}, std::pair{6, 0}, std::pair{-1, 0}}) {
        baudIndex = 3;
        EXPECT_EQ(dialog.baudRateRadioGroupClick(clicked), shown) << clicked;
        EXPECT_EQ(baudIndex, static_cast<std::uint32_t>(shown)) << clicked;
    }
}

TEST_F(CommRecordTest, ConfirmingThePortDialogStoresTheChoiceInTheSettings) {
    openAt(0);
    linkDialogs.portSelectionScript = [](PortSelDialog& dialog) {
        dialog.comPortComboBoxChange("COM12");
        dialog.baudRateRadioGroupClick(2);
        dialog.btnOkClick();
    };
    selectComPort();
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_EQ(linkDialogs.captions.back(), "Communication Ports and BaudRate Selection");
    EXPECT_EQ(std::tie(ModeData.comPortNo, ModeData.baudRate, comDcb.baudRate),
              std::make_tuple(11u, 2u, 38400u));
    EXPECT_EQ(baudText, "38400");
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 100u);
    EXPECT_EQ(redrawFlags & 0x07, 0x07);
    linkDialogs.portSelectionScript = [](PortSelDialog& dialog) {  // cancelled: kept in memory only
        dialog.comPortComboBoxChange("COM4");
        dialog.baudRateRadioGroupClick(1);
    };
    selectComPort();
    EXPECT_EQ(std::tie(comPortIndex, baudIndex, ModeData.comPortNo, ModeData.baudRate),
              std::make_tuple(3u, 1u, 11u, 2u));
    EXPECT_EQ(fakes.statusBar.panelText(0), "Cancel Communication Port Setting ...");
}

TEST_F(CommRecordTest, TheTimeOutDialogRules) {
    RsTimOutDialog dialog;
    dialog.timeOutIndex = -1;
    EXPECT_EQ(dialog.timeOutText(), "10");
    EXPECT_EQ(dialog.timeOutIndex, 9);
    struct Case {
        const char* typed;
        const char* shown;
        int index;
    };
    for (const Case& c : {Case{"1", "1", 0}, Case{"10", "10", 9}, Case{"11", "1", 0}, Case{"x", "1", 0}}) {
        EXPECT_EQ(dialog.TimeOutComboBoxChange(c.typed), c.shown) << c.typed;
        EXPECT_EQ(dialog.timeOutIndex, c.index) << c.typed;
    }
    for (const Case& c : {Case{"5", "5", 4}, Case{"6", "1", 0}, Case{"", "1", 0}}) {
        EXPECT_EQ(dialog.RetryComboBoxChange(c.typed), c.shown) << c.typed;
        EXPECT_EQ(dialog.retryIndex, c.index) << c.typed;
    }
    int shownTimeOut = -1;
    int shownRetry = -1;
    linkDialogs.replyTimeOutScript = [&](RsTimOutDialog& dialog) {
        shownTimeOut = dialog.timeOutIndex;
        shownRetry = dialog.retryIndex;
        dialog.TimeOutComboBoxChange("1");  // "1" gives 1000 ms though the list starts at "2"
        dialog.RetryComboBoxChange("3");
        dialog.btnOkClick();
    };
    TimeOutTimer1Click();
    EXPECT_EQ(linkDialogs.captions.back(), "Communication TimeOut Timer Setting");
    EXPECT_EQ(shownTimeOut, 4);
    EXPECT_EQ(shownRetry, 0);
    EXPECT_EQ(rs.timeOut, 1000u);
    EXPECT_EQ(rs.retryCount, 3u);
    linkDialogs.replyTimeOutScript = [](RsTimOutDialog& dialog) { dialog.TimeOutComboBoxChange("9"); };
    TimeOutTimer1Click();
    EXPECT_EQ(rs.timeOut, 1000u);
}

}  // namespace
}  // namespace kestrion::test
