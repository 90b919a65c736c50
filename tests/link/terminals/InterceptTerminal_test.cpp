#include "link/terminals/InterceptTerminal.h"

#include "link/LinkFixture.h"
#include "link/terminals/FakeTerminalDialogs.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

class InterceptTerminalTest : public LinkTest {
protected:
    InterceptTerminal terminal;
};

TEST_F(InterceptTerminalTest, ShowRecognisesTheListsAndOpenGivesThePortTheChosenFormat) {
    terminal.baudRateText = "19200";
    terminal.FormShow();
    EXPECT_EQ(std::tie(terminal.parityText, terminal.dataBitText, terminal.stopBitText, terminal.baudRateText,
                       terminal.comPortText, terminal.sendEnabled),
              std::make_tuple(std::string("Even"), std::string("db7Bits"), std::string("StopBit1"),
                              std::string("19200"), std::string("COM1"), false));
    const std::pair<std::string InterceptTerminal::*, void (InterceptTerminal::*)()> lists[] = {
        {&InterceptTerminal::parityText, &InterceptTerminal::parityComboBoxChange},
        {&InterceptTerminal::dataBitText, &InterceptTerminal::dataBitComboBoxChange},
        {&InterceptTerminal::stopBitText, &InterceptTerminal::stopBitComboBoxChange},
        {&InterceptTerminal::baudRateText, &InterceptTerminal::baudRateComboBoxChange},
        {&InterceptTerminal::comPortText, &InterceptTerminal::comPortComboBoxChange}};
    const char* chosen[] = {"Odd", "db8Bits", "stopBit2", "38400", "COM2"};
    for (std::size_t i = 0; i < 5; ++i) {
        terminal.*lists[i].first = chosen[i];
        (terminal.*lists[i].second)();
    }
    terminal.OpenComPortClick();
    EXPECT_EQ(fakes.serial.openedCom, 2);
    EXPECT_EQ(std::tie(fakes.serial.format.baudRate, fakes.serial.format.dataBits, fakes.serial.format.parity,
                       fakes.serial.format.stopBits),
              std::make_tuple(38400u, 8, platform::Parity::Odd, 2));
    EXPECT_EQ(terminal.panels[0], "COM2,38400 Ready ");
    EXPECT_TRUE(terminal.sendEnabled);
    // An unknown text goes back to the list's default; the port chosen stays.
    terminal.baudRateText = "4800";
    terminal.baudRateComboBoxChange();
    terminal.stopBitText = "two";
    terminal.stopBitComboBoxChange();
    EXPECT_EQ(std::tie(terminal.baudRateText, terminal.stopBitText, terminal.speedIndex, terminal.portIndex),
              std::make_tuple(std::string("9600"), std::string("Stop1"), 0, 1));
}

TEST_F(InterceptTerminalTest, SendsTheTextAndShowsWhatArrivesDroppingMoreThanItsBufferTakes) {
    terminal.FormShow();
    terminal.btnSendClick();
    EXPECT_EQ(std::tie(terminal.panels[0], terminal.panels[4]),
              std::make_tuple(std::string("Com Port No Open !!!"), std::string("SendCount=1")));
    terminal.OpenComPortClick();
    terminal.mSend = "AT\r\n";
    terminal.btnSendClick();
    EXPECT_EQ(std::string(fakes.serial.written.begin(), fakes.serial.written.end()), "AT\r\n");
    arrive(std::string("OK\0junk", 7));
    terminal.Timer5Timer();
    EXPECT_EQ(std::tie(terminal.memo1, terminal.panels[1], terminal.panels[2], terminal.panels[3]),
              std::make_tuple(std::string("OK"), std::string("1"), std::string("OK"), std::string("1")));
    arrive(std::string(1500, 'x'));
    const int purges = fakes.serial.purges;
    terminal.Timer5Timer();
    EXPECT_EQ(fakes.serial.purges, purges + 1);
    EXPECT_TRUE(fakes.serial.receiveQueue.empty());
    EXPECT_EQ(fakes.serial.readSizes.size(), 1u);  // the 1500 bytes were not read
    EXPECT_EQ(terminal.memo1, "OK");
}

TEST_F(InterceptTerminalTest, CloseReleasesThePortAndEndsTheDialogOnlyAndFailuresSaySo) {
    fakes.serial.openFailures[1] = platform::SerialOpenStatus::Busy;
    terminal.FormShow();
    terminal.OpenComPortClick();
    fakes.serial.openFailures.clear();
    fakes.serial.refuseFormat = true;  // a device without mark parity
    terminal.parityText = "Mark";
    terminal.parityComboBoxChange();
    terminal.OpenComPortClick();
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Open Communication Port Error !! | Comm Error | none",
                                                 "Comuunication Port Setting Error !! | Set Error | none"}));
    EXPECT_EQ(terminal.panels[0], "Communication port error");
    EXPECT_FALSE(fakes.serial.isOpen());
    fakes.serial.refuseFormat = false;
    terminal.OpenComPortClick();
    terminal.CloseClick();
    EXPECT_FALSE(fakes.serial.isOpen());
    EXPECT_TRUE(terminal.closeRequested);
    EXPECT_EQ(terminal.panels[0], "Close Communication Port");

    FakeTerminalDialogs dialogs;
    InstalledDialogs<TerminalDialogs> installed(dialogs);
    dialogs.interceptScript = [](InterceptTerminal& shown) { shown.OpenComPortClick(); };
    Dataintercept1Click();  // closed with the window's close box
    EXPECT_FALSE(fakes.serial.isOpen());
}

}  // namespace
}  // namespace kestrion::test
