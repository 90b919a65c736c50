#include <termios.h>
#include <unistd.h>

#include <algorithm>

#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "link/line/RegisterReads.h"
#include "link/line/Requests.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RelayForces.h"
#include "link/plc/RemoteControl.h"
#include "model/image/ProgramImage.h"
#include "platform/PosixSerial.h"
#include "support/PlcSimLine.h"

namespace kestrion::test {
namespace {

TEST_F(SerialLineTest, TheTermiosPortOpensThePseudoTerminalAtTheRateAndExclusively) {
    PlcSimProcess plc({"--type", "1"});
    connectTo(plc);
    termios settings{};
    ASSERT_EQ(tcgetattr(comPortHandle, &settings), 0);
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_FALSE(settings.c_lflag & ECHO);
    if (geteuid() != 0) {
        EXPECT_EQ(platform::PosixSerialPorts::openDevice(plc.slavePath()).status,
                  platform::SerialOpenStatus::Busy);
    }
}

TEST_F(SerialLineTest, APlcAt9600IsSwitchedToTheChosenRate) {
    const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {{2, 2,
                                                                            "\x02"
                                                                            "A2\x03"
                                                                            "76"},
                                                                           {4, 5,
                                                                            "\x02"
                                                                            "A4\x03"
                                                                            "78"}};
    for (const auto& [chosen, finalIndex, rateFrame] : cases) {
        PlcSimProcess plc({"--type", "1"});
        attachTo(plc, chosen);
        fakes.trace.setVisible(platform::Memo::Rx, true);
        EXPECT_EQ(TryToConnection(1), 1);
        EXPECT_EQ(baudIndex, finalIndex);
        const auto& lines = fakes.trace.lines(platform::Memo::Rx);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind("-->", 0) == 0 && line.substr(line.find(':') + 1) == rateFrame;
        })) << chosen;
        EXPECT_FALSE(bit(kRsWaiting));  // the last probe, at the new rate, was answered
        EXPECT_TRUE(fakes.messages.shown.empty());
        closeComPort();
    }
}

TEST_F(SerialLineTest, ThePortReopenedAtTheRateItWasClosedAtOrAtAnotherIsAnswered) {
    PlcSimProcess plc({"--type", "1"});
    for (const std::uint32_t index : {0, 0, 2, 2}) {  // the PLC is switched to 19200 on the way
        attachTo(plc, index);
        EXPECT_EQ(TryToConnection(1), 1) << index;
        EXPECT_FALSE(bit(kRsWaiting) || !fakes.messages.shown.empty()) << index;
        closeComPort();
    }
}

TEST_F(SerialLineTest, AKeywordSetOnType5LandsAt0x8008AndAClockSetReadsBack) {
    PlcSimProcess plc({"--type", "5"});
    attachTo(plc, 0);
    pmw.setPlcType(5);
    linkDialogs.keywordEntries = {{"", "0123ABCD"}};
    KeywordSetup1Click();
    ASSERT_EQ(TryToConnection(1), 1);
    ASSERT_NO_THROW(readParameterBlock(false));
    EXPECT_EQ(std::string(VirtualProg.begin() + 8, VirtualProg.begin() + 16), "0123ABCD");

    SetTimeDialog dialog;
    dialog.edits = {"25", "8", "7", "12", "34", "56"};
    dialog.weekdayText = "Friday";
    dialog.ComboBox1Change();
    dialog.btnSetupClick();
    dialog.edits = {};
    ASSERT_TRUE(readPlcClock());
    showPlcClock(dialog);
    EXPECT_EQ(std::vector<std::string>(dialog.edits.begin(), dialog.edits.end() - 1),
              (std::vector<std::string>{"25", "8", "7", "12", "34"}));
    EXPECT_TRUE(dialog.edits[5] == "56" || dialog.edits[5] == "57") << dialog.edits[5];
    EXPECT_EQ(dialog.weekdayText, "Friday");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(SerialLineTest, StopAndRunSwitchThePlcAndAProgramClearEmptiesItsProgramArea) {
    PlcSimProcess plc({"--type", "1"});
    connectTo(plc);
    const auto statusByte = [] {
        readStatusByte(1);
        return expectReplyBytes(1) ? std::string(rs.RxBkBuf.data(), 2) : "none";
    };
    for (bool run : {false, true, false}) {
        EXPECT_TRUE(run ? remoteToRunMode(1) : remoteToStopMode(1));
        EXPECT_EQ(statusByte(), run ? "09" : "00");
    }
    EXPECT_EQ(sendRequest("1805E023412"), LinkOutcome::Done);  // step 1 := 0x1234
    linkDialogs.memoryClearScript = [](MemoryClearDialog& dialog) {
        dialog = {true, false, false, {}};
        dialog.btnOkClick();
    };
    fakes.messages.scriptAnswers({platform::MsgAnswer::Yes});  // the question before the clear
    MemoryClear1Click();                                       // closes the port, reopened at the same rate
    ASSERT_EQ(TryToConnection(1), 1);
    sendRequest("0805C04");
    ASSERT_TRUE(expectReplyBytes(4));
    EXPECT_EQ(std::string(rs.RxBkBuf.data(), 8), "0F00FFFF");  // END alone
}

}  // namespace
}  // namespace kestrion::test
