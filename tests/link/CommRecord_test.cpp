// The port settings, opening and closing the port, the port and rate dialog, the reply time-out
// dialog and the link's status panels.
#include "link/LinkFixture.h"
#include "model/MainState.h"
#include "model/ModeData.h"
#include "model/EditorState.h"
#include "lang/HelpItems.h"
#include "lang/Language.h"

namespace kestrion::testing {
namespace {

using platform::Parity;
using platform::SerialOpenStatus;
using platform::TimerId;

class CommRecordTest : public LinkTest {};

TEST_F(CommRecordTest, TheBaudTableGivesRateTextAndPollPeriod) {
    struct Case {
        std::uint32_t index;
        std::uint32_t rate;
        const char* text;
        std::uint32_t period;
        std::uint32_t indexAfter;
    };
    const Case cases[] = {
        {0, 9600, "9600", 180, 0},      {1, 19200, "19200", 120, 1},    {2, 38400, "38400", 100, 2},
        {3, 57600, "57600", 100, 3},    {4, 115200, "115200", 100, 4},  {5, 115200, "115200", 100, 5},
        {6, 9600, "9600", 100, 0},
    };
    for (const Case& c : cases) {
        baudIndex = c.index;
        setBaudRate(c.index);
        setBaudRateString(c.index);
        setTimer1Interval(c.index);
        EXPECT_EQ(comDcb.baudRate, c.rate) << c.index;
        EXPECT_EQ(baudText, c.text) << c.index;
        EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), c.period) << c.index;
        EXPECT_EQ(baudIndex, c.indexAfter) << c.index;
    }
}

TEST_F(CommRecordTest, OpeningSetsTheFormatOfTheProtocolAndStartsThePoller) {
    struct Case {
        std::int32_t protocol;
        int dataBits;
        Parity parity;
    };
    const Case cases[] = {{sysProtocol, 7, Parity::Even}, {cLink, 7, Parity::Even}, {ModbusAsc, 7, Parity::Even},
                          {ModbusRtu, 8, Parity::Even},   {FreeUser, 8, Parity::None}, {9, 8, Parity::None}};
    for (const Case& c : cases) {
        closeComPort();
        EXPECT_EQ(_OpenComPort(c.protocol), 1);
        EXPECT_EQ(fakes.serial.format.dataBits, c.dataBits) << c.protocol;
        EXPECT_EQ(fakes.serial.format.parity, c.parity) << c.protocol;
        EXPECT_EQ(fakes.serial.format.stopBits, 1);
        EXPECT_EQ(fakes.serial.format.baudRate, 9600u);
        EXPECT_TRUE(comState & kComStateOpen);
        EXPECT_TRUE(fakes.clock.enabled(TimerId::Timer1));
    }
}

TEST_F(CommRecordTest, OpeningShowsThePortAndRateAndOpensTheComOfTheIndex) {
    comPortIndex = 2;
    baudIndex = 5;
    setBaudRateString(5);
    ASSERT_EQ(_OpenComPort(sysProtocol), 1);
    EXPECT_EQ(fakes.serial.openedCom, 3);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Open COM3 and setting baudrate to 115200");
    EXPECT_EQ(fakes.statusBar.panelText(5), " ");
    EXPECT_EQ(fakes.serial.format.baudRate, 115200u);
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 100u);
}

TEST_F(CommRecordTest, ABaudIndexOf6OpensAt9600) {
    baudIndex = 6;
    setBaudRateString(baudIndex);
    ASSERT_EQ(_OpenComPort(sysProtocol), 1);
    EXPECT_EQ(baudIndex, 0u);
    EXPECT_EQ(baudText, "9600");
    EXPECT_EQ(fakes.serial.format.baudRate, 9600u);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Open COM1 and setting baudrate to 9600");
}

TEST_F(CommRecordTest, APortThatWillNotOpenShowsThePopUpAndStaysClosed) {
    struct Case {
        SerialOpenStatus status;
        bool chinese;
        const char* line1;
        const char* line2;
    };
    const Case cases[] = {
        {SerialOpenStatus::NotFound, false, "Can't open communication port COM2", ""},
        {SerialOpenStatus::Busy, false, "Can't open communication port COM2", ""},
        {SerialOpenStatus::AccessDenied, false, "Can't open communication port COM2",
         "No permission to open /dev/ttyS1: your account must be in the dialout group"},
        {SerialOpenStatus::NotFound, true, "無法開啟通訊口 COM2", ""},
    };
    setSoftwareVersion(kSoftwareVersion);
    comPortIndex = 1;
    for (const Case& c : cases) {
        selectLanguageFlags(c.chinese ? 1 : 0);
        fakes.dialogs.appMessages.clear();
        redrawFlags = 0;
        fakes.serial.openFailures[2] = c.status;
        EXPECT_EQ(_OpenComPort(sysProtocol), 0);
        EXPECT_EQ(comPortHandle, -1);
        EXPECT_FALSE(comState & kComStateOpen);
        ASSERT_EQ(fakes.dialogs.appMessages.size(), 1u);
        EXPECT_EQ(fakes.dialogs.appMessages[0].caption, "Error2015121401");
        EXPECT_EQ(fakes.dialogs.appMessages[0].line1, c.line1);
        EXPECT_EQ(fakes.dialogs.appMessages[0].line2, c.line2);
        EXPECT_EQ(fakes.dialogs.appMessages[0].versionText, "Kestrion Version 2.1.1108");
        EXPECT_EQ(redrawFlags, 0x07);
    }
    selectLanguageFlags(2);
    _OpenComPort(sysProtocol);
    EXPECT_EQ(fakes.dialogs.appMessages.back().line1, "无法开启通讯口 COM2");
}

TEST_F(CommRecordTest, OpeningAnOpenPortAgainReleasesTheFirstAndAFailureLeavesItClosed) {
    openAt(0);
    EXPECT_EQ(_OpenComPort(sysProtocol), 1);
    EXPECT_EQ(fakes.serial.opens, 2);
    fakes.serial.openFailures[1] = SerialOpenStatus::Busy;
    EXPECT_EQ(_OpenComPort(sysProtocol), 0);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(comState & kComStateOpen);
    EXPECT_EQ(comPortHandle, -1);
}

TEST_F(CommRecordTest, RefusedSettingsCloseThePortAgain) {
    fakes.serial.refuseFormat = true;
    EXPECT_EQ(_OpenComPort(sysProtocol), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Comuunication Port Setting Error...");
    EXPECT_EQ(fakes.messages.shown[0].caption, "Set Error");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(comState & kComStateOpen);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Can't open this com port ...");
}

TEST_F(CommRecordTest, ClosingReleasesThePortStopsThePollerAndSaysSo) {
    openAt(0);
    closeComPort();
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_FALSE(comState & kComStateOpen);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_FALSE(fakes.clock.enabled(TimerId::Timer1));
    EXPECT_EQ(fakes.statusBar.panelText(5), "COMn OFF");
    fakes.statusBar.setPanelText(5, "");
    closeComPort();
    EXPECT_EQ(fakes.statusBar.panelText(5), "COMn OFF");
    EXPECT_EQ(_OpenComPort(sysProtocol), 1);  // and it opens again
}

TEST_F(CommRecordTest, TheRefreshShowsProtocolPortAndRate) {
    struct Case {
        std::int32_t protocol;
        bool open;
        const char* panel4;
        const char* panel5;
    };
    const Case cases[] = {{sysProtocol, false, "", "COM1 Br9600"},   {sysProtocol, true, "", "COM1&Br9600"},
                          {cLink, false, "cLink", "COM1 Br9600"},    {ModbusAsc, false, "ModbusAsc", "COM1 Br9600"},
                          {ModbusRtu, false, "ModbusRtu", "COM1 Br9600"}, {FreeUser, false, "User", "COM1 Br9600"}};
    for (const Case& c : cases) {
        commProtocol = c.protocol;
        comState = c.open ? kComStateOpen : 0;
        refreshLinkPanels();
        EXPECT_EQ(fakes.statusBar.panelText(4), c.panel4);
        EXPECT_EQ(fakes.statusBar.panelText(5), c.panel5);
    }
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
    EXPECT_EQ(comPortIndex, 4u);
    EXPECT_EQ(baudIndex, 2u);
    EXPECT_EQ(baudText, "38400");
    EXPECT_EQ(rs.timeOut, 5000u);
    EXPECT_EQ(rs.retryCount, 1u);
    EXPECT_EQ(comDcb.dataBits, 7);
    EXPECT_EQ(comDcb.parity, Parity::Even);
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(D8Kreg[0], 200);
    EXPECT_EQ(D8Kreg[1], 24300);
    EXPECT_EQ(D8Kreg[2], 8);
    EXPECT_EQ(D8Kreg[3], 2);
    EXPECT_EQ(rs.bitTxBuf[5], 0);
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 0u);
    ModeData = ModeDataRecord{};
}

TEST_F(CommRecordTest, ClearMonitorTxBufEmptiesBothRequestLists) {
    rs.bitTxBuf.fill(0x11);
    rs.byteTxBuf.fill(0x22);
    clearMonitorTxBuf();
    for (std::size_t i = 0; i < kMonitorTxBufSize; ++i) {
        EXPECT_EQ(rs.bitTxBuf[i], 0);
        EXPECT_EQ(rs.byteTxBuf[i], 0);
    }
}

TEST_F(CommRecordTest, ThePortDialogRulesKeepIndexesInRange) {
    comPortIndex = 30;
    baudIndex = 9;
    const PortSelView view = portSelFormShow();
    EXPECT_EQ(view.comText, "COM1");
    EXPECT_EQ(view.baudItemIndex, 0);
    EXPECT_EQ(comPortIndex, 0u);
    EXPECT_EQ(baudIndex, 0u);

    struct Case {
        const char* typed;
        const char* shown;
        std::uint32_t index;
    };
    for (const Case& c : {Case{"COM12", "COM12", 11}, Case{"COM19", "COM19", 18}, Case{"COM20", "COM1", 0},
                          Case{"com3", "COM1", 0}, Case{"COM3 ", "COM1", 0}}) {
        comPortIndex = 7;
        EXPECT_EQ(portSelComboChange(c.typed), c.shown) << c.typed;
        EXPECT_EQ(comPortIndex, c.index) << c.typed;
    }
    EXPECT_EQ(portSelRadioClick(4), 4);
    EXPECT_EQ(baudIndex, 4u);
    EXPECT_EQ(portSelRadioClick(7), 0);
    EXPECT_EQ(baudIndex, 0u);
    baudIndex = 5;
    EXPECT_EQ(portSelFormShow().baudItemIndex, 5);
}

TEST_F(CommRecordTest, ConfirmingThePortDialogStoresTheChoiceInTheSettings) {
    openAt(0);
    fakes.dialogs.portSelectionScript = [] {
        portSelComboChange("COM12");
        portSelRadioClick(2);
        return true;
    };
    selectComPort();
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_EQ(fakes.dialogs.captions.back(), "Communication Ports and BaudRate Selection");
    EXPECT_EQ(ModeData.comPortNo, 11u);
    EXPECT_EQ(ModeData.baudRate, 2u);
    EXPECT_EQ(baudText, "38400");
    EXPECT_EQ(comDcb.baudRate, 38400u);
    EXPECT_EQ(fakes.clock.interval(TimerId::Timer1), 100u);
    EXPECT_EQ(redrawFlags & 0x07, 0x07);
    ModeData = ModeDataRecord{};
}

TEST_F(CommRecordTest, CancellingThePortDialogKeepsTheChoiceOnlyInMemory) {
    ModeData.comPortNo = 0;
    ModeData.baudRate = 0;
    fakes.dialogs.portSelectionScript = [] {
        portSelComboChange("COM4");
        portSelRadioClick(1);
        return false;
    };
    selectComPort();
    EXPECT_EQ(comPortIndex, 3u);
    EXPECT_EQ(baudIndex, 1u);
    EXPECT_EQ(ModeData.comPortNo, 0u);
    EXPECT_EQ(ModeData.baudRate, 0u);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Cancel Communication Port Setting ...");
}

TEST_F(CommRecordTest, TheTimeOutDialogRules) {
    int index = 12;
    EXPECT_EQ(rsTimOutTimeOutText(index), "10");
    EXPECT_EQ(index, 9);
    index = 3;
    EXPECT_EQ(rsTimOutTimeOutText(index), "4");
    int retry = 7;
    EXPECT_EQ(rsTimOutRetryText(retry), "1");
    EXPECT_EQ(retry, 0);

    struct Case {
        const char* typed;
        const char* shown;
        int index;
    };
    for (const Case& c : {Case{"1", "1", 0}, Case{"10", "10", 9}, Case{"11", "1", 0}, Case{"x", "1", 0}}) {
        EXPECT_EQ(rsTimOutTimeOutChange(c.typed, index), c.shown) << c.typed;
        EXPECT_EQ(index, c.index) << c.typed;
    }
    for (const Case& c : {Case{"5", "5", 4}, Case{"6", "1", 0}, Case{"", "1", 0}}) {
        EXPECT_EQ(rsTimOutRetryChange(c.typed, retry), c.shown) << c.typed;
        EXPECT_EQ(retry, c.index) << c.typed;
    }
}

TEST_F(CommRecordTest, TheTimeOutMenuItemStoresTheConfirmedChoice) {
    int shownTimeOut = -1;
    int shownRetry = -1;
    fakes.dialogs.replyTimeOutScript = [&](int& timeOut, int& retry) {
        shownTimeOut = timeOut;
        shownRetry = retry;
        rsTimOutTimeOutChange("1", timeOut);  // "1" gives 1000 ms though the list starts at "2"
        rsTimOutRetryChange("3", retry);
        return true;
    };
    TimeOutTimer1Click();
    EXPECT_EQ(fakes.dialogs.captions.back(), "Communication TimeOut Timer Setting");
    EXPECT_EQ(shownTimeOut, 4);
    EXPECT_EQ(shownRetry, 0);
    EXPECT_EQ(rs.timeOut, 1000u);
    EXPECT_EQ(rs.retryCount, 3u);

    fakes.dialogs.replyTimeOutScript = [](int& timeOut, int&) {
        timeOut = 8;
        return false;
    };
    TimeOutTimer1Click();
    EXPECT_EQ(rs.timeOut, 1000u);
}

}  // namespace
}  // namespace kestrion::testing
