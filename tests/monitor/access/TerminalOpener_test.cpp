#include "monitor/access/TerminalOpener.h"

#include "link/LinkFixture.h"
#include "link/line/LineState.h"
#include "link/line/PortSelDialog.h"
#include "link/terminals/FakeTerminalDialogs.h"
#include "link/terminals/TerminalFraming.h"
#include "model/image/ModeData.h"
#include "monitor/MonitorMode.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class TerminalOpenerTest : public LinkTest {
protected:
    TerminalOpenerTest() { linkStartUp(); }
    FakeTerminalDialogs terminals;
    InstalledDialogs<TerminalDialogs> installed{terminals};
};

TEST_F(TerminalOpenerTest, TheTerminalStartsOnTheFreeUserAndLeavesTheLinkAsItFoundIt) {
    comPortIndex = 1;
    linkDialogs.portSelectionScript = [](PortSelDialog& dialog) {
        dialog.comPortComboBoxChange("COM3");
        dialog.baudRateRadioGroupClick(2);
        dialog.btnOkClick();
    };
    terminals.anyCommandScript = [this](AnyCommandTerminal& terminal) {
        EXPECT_EQ(std::tie(terminal.protocolText, terminal.width, terminal.height),
                  std::make_tuple(std::string("FreeUser"), 1536, 432));
        EXPECT_EQ(terminal.layout.edit1.width, 1536 - terminal.layout.edit1.left - 136);
        terminal.dataBitText = "db8Bits";
        terminal.dataBitComboBoxChange();
        terminal.comPortText = "COM12";
        terminal.comPortComboBoxChange();
        EXPECT_EQ(std::tie(comDcb.dataBits, comPortIndex, terminal.dataBitText, terminal.comPortText),
                  std::make_tuple(8, 11u, std::string("db8Bits"), std::string("COM12")));
        terminal.stopBitText = "StopBit2";
        terminal.stopBitComboBoxChange();
        EXPECT_EQ(comDcb.stopBits, 2);  // stored
        terminal.protocolText = "ModbusRtu";
        terminal.ProtocolComboBox1Change();
        EXPECT_EQ(std::tie(fakes.serial.format.dataBits, fakes.serial.format.parity,
                           fakes.serial.format.stopBits, fakes.serial.openedCom),
                  std::make_tuple(8, platform::Parity::Even, 1, 3));  // the protocol's format, one stop bit
        EXPECT_EQ(std::tie(terminal.stopBitText, terminal.edit1),
                  std::make_tuple(std::string("StopBit1"), std::string("010134000020")));
    };
    WriteAnyCommand1Click();
    EXPECT_EQ(terminals.captions, std::vector<std::string>{"Write any command"});
    EXPECT_EQ(commProtocol, sysProtocol);
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_EQ(std::tie(comDcb.dataBits, comDcb.parity, comDcb.stopBits, comPortIndex, baudIndex, baudText),
              std::make_tuple(7, platform::Parity::Even, 1, 1u, 0u, std::string("9600")));
    EXPECT_EQ(std::tie(ModeData.comPortNo, ModeData.baudRate), std::make_tuple(2u, 2u));
}

TEST_F(TerminalOpenerTest, SendsShowTheirFramesAndRepliesNumberedByProtocol) {
    SimulatedPlc sim(fakes);
    terminals.anyCommandScript = [&sim](AnyCommandTerminal& terminal) {
        terminal.btnSendClick();  // the free user opens the port, 8 bits no parity, and sends "02"
        commProtocol = sysProtocol;
        terminal.FormShow();
        terminal.btnSendClick();
        sim.plc.fault = plcsim::Fault::Silence;
        terminal.btnSendClick();
        EXPECT_EQ(terminal.rxMemo4, (std::vector<std::string>{"=>0:<STX>00E0202<ETX>6C", "<=1:844E<Etx>E8",
                                                              "=>2:<STX>00E0202<ETX>6C", "<=3:"}));
        commProtocol = ModbusAsc;
        terminal.FormShow();
        terminal.btnSendClick();
        EXPECT_EQ(terminal.rxMemo4, (std::vector<std::string>{"", "1=>:010134000020AA<CR><LF>", "2<="}));
    };
    WriteAnyCommand1Click();
    EXPECT_EQ(std::string(fakes.serial.written.begin(), fakes.serial.written.begin() + 1), "\x02");
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Error2015091398 | Timeout error... | warning"});
}

TEST_F(TerminalOpenerTest, TheLayoutPlacesTheControlsByTheWindowsSize) {
    AnyCommandTerminal terminal;  // the window's design size, the caption "Command" 64 wide
    terminal.btnSetupPanelClick();
    const AnyCommandLayout& l = terminal.layout;
    EXPECT_EQ((std::vector<WidgetBox>{l.edit1, l.rxMemo4, l.memo1, l.panel2, l.protocolComboBox, l.btnSend,
                                      l.btnClose}),
              (std::vector<WidgetBox>{{88, 16, 862, 24},
                                      {16, 56, 934, 96},
                                      {16, 160, 934, 191},
                                      {958, 16, 88, 120},
                                      {958, 144, 88, 24},
                                      {958, 208, 88, 24},
                                      {958, 240, 88, 24}}));
}

TEST_F(TerminalOpenerTest, NeitherOpensWhileAMonitorRunsNorSendsWhileARequestWaits) {
    monitorMode = kMonitorLadder;
    WriteAnyCommand1Click();
    EXPECT_TRUE(terminals.captions.empty());
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"In monitor mode...Stop the monitor first... | Write any command | warning"});
    monitorMode = kMonitorOff;
    fakes.messages.shown.clear();

    terminals.anyCommandScript = [this](AnyCommandTerminal& terminal) {
        ++lineState.waitDepth;  // as while another request waits for its reply
        terminal.btnSendClick();
        terminal.protocolText = "cLink";
        terminal.ProtocolComboBox1Change();
        EXPECT_EQ(terminal.protocolText, "FreeUser");
        --lineState.waitDepth;
        EXPECT_TRUE(fakes.serial.written.empty());
        EXPECT_TRUE(linkDialogs.captions.empty());
    };
    WriteAnyCommand1Click();
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
}

}  // namespace
}  // namespace kestrion::test
