#include "link/line/Connection.h"

#include "link/LinkFixture.h"
#include "model/core/MainState.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using plcsim::Fault;

class ConnectionTest : public LinkTest {
protected:
    void choose(std::uint32_t index, Fault fault = Fault::None) {
        closeComPort();
        fakes.messages.shown.clear();
        sim.plc.setBaudRate(9600);
        sim.plc.fault = fault;
        baudIndex = index;
        setBaudRateString(index);
    }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(ConnectionTest, EachFailedNegotiationStepSaysSoOnce) {
    // clang-format off
    const std::tuple<std::uint32_t, int, Fault, Boxes> cases[] = {
        {1, 2, Fault::None, {"(2)Can't open communication port | Communication Error | warning", "Communication Error... | Error2015032065 | warning"}},
        {1, 0, Fault::Silence, {"Communication Error... | Error2015032065 | warning"}},
        {2, 0, Fault::SilentRate, {"(3)Communication Error 9600 | Communication Message | warning"}},
        {2, 2, Fault::None, {"(3)Can't open communication port | Communication Message | warning"}},
        {2, 0, Fault::Silence, {"Communication Error... | Error2015032065 | warning"}},
        {3, 0, Fault::Silence, {}},  // a silent PLC at 9600 says nothing for 57600
        {3, 3, Fault::None, {"(4)Can't open communication port - 57600bps | Communication Message | warning"}},
        {3, 2, Fault::None, {"(4)Can't open communication port - 9600bps | Communication Message | warning"}},
        {5, 0, Fault::SilentRate, {"Error2015030540 | Communication Error | warning"}},  // 115200's second code
    };
    // clang-format on
    for (const auto& [chosen, failingOpen, fault, boxes] : cases) {
        choose(chosen, fault);
        fakes.serial.attempts = 0;
        fakes.serial.failingAttempts = {failingOpen};
        EXPECT_EQ(TryToConnection(1), 0) << chosen << " " << failingOpen;
        EXPECT_EQ(shownBoxes(fakes.messages), boxes) << chosen << " " << failingOpen;
    }
}

TEST_F(ConnectionTest, AnUnansweredLastProbeStillGives1) {
    choose(2);
    sim.plc.replyDelayMs = 200;  // a poller tick comes inside each wait
    fakes.clock.bind(platform::TimerId::Timer1, [this] {
        Timer1Timer();
        if (sim.plc.baudRate() == 38400) sim.plc.fault = Fault::Silence;  // silent once switched
    });
    EXPECT_EQ(TryToConnection(1), 1);
    EXPECT_TRUE(bit(kRsWaiting));
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Error2015030543 | Communication Error | warning"});
}

TEST_F(ConnectionTest, TheTypeIsDetectedFromD8001D8002AndD8101) {
    const std::array<std::int16_t, 4> cases[] = {
        {24500, 8, 16500, 2}, {24500, 8, 17000, 5}, {20500, 2, 0, 1},   {20500, 3, 0, 4}, {19999, 2, 0, 4},
        {20999, 2, 0, 1},     {22000, 8, 0, 6},     {22999, 8, 0, 6},   {24000, 8, 0, 5}, {25000, 8, 0, 4},
        {26999, 8, 0, 7},     {30000, 8, 0, 4},     {-100, 8, 16000, 2}};
    for (const auto& c : cases) {
        std::tie(D8Kreg[1], D8Kreg[2], D8Kreg[101]) =
            std::tuple<std::uint16_t, std::uint16_t, std::uint16_t>(c[0], c[1], c[2]);
        detectPlcType();
        EXPECT_EQ(connectedPlcType, c[3]) << c[0] << " " << c[1] << " " << c[2];
    }
}

TEST_F(ConnectionTest, AFailedBlockReadShowsThatReadsBoxAndKeepsTheType) {
    openAt(0);
    ASSERT_EQ(TryToConnection(1), 1);
    EXPECT_EQ(fakes.serial.opens, 1);  // an open port is used as it is
    sim.plc.setPlcType(7);
    EXPECT_EQ(readPlcSystemBlock(1, 0), 1);
    EXPECT_EQ(D8Kreg[1], 26100);
    EXPECT_EQ(sim.plc.frames.back(), "00EC040");  // the fourth read is the last
    EXPECT_EQ(connectedPlcType, kNoPlcDetected);
    const std::tuple<Fault, std::size_t, const char*> cases[] = {
        {Fault::Nak, 0, "Error2015030503 | Communication Message | warning"},
        {Fault::WrongCheckCode, 1, "Error2015030504 | Communication Message | none"},
        {Fault::ShortReply, 3, "Error2015030506 | Communication Message | warning"},
    };
    sim.plc.replyDelayMs = 200;  // a poller tick comes inside each wait
    for (const auto& [fault, failingRead, box] : cases) {
        sim.plc.frames.clear();
        fakes.clock.bind(platform::TimerId::Timer1, [this, fault = fault, failingRead = failingRead] {
            Timer1Timer();
            if (sim.plc.frames.size() == failingRead) sim.plc.fault = fault;  // as that read goes out
        });
        sim.plc.fault = failingRead == 0 ? fault : Fault::None;
        EXPECT_EQ(readPlcSystemBlock(1, 1), 0);
        EXPECT_EQ(connectedPlcType, kNoPlcDetected);
        EXPECT_EQ(shownBoxes(fakes.messages).back(), box);
    }
}

// A port that will not open: the opening's pop-up, then the test's own box; no probe goes out.
TEST_F(ConnectionTest, APortThatWillNotOpenIsReportedAndNothingIsSent) {
    choose(0);
    fakes.serial.openFailures[1] = platform::SerialOpenStatus::Busy;
    const std::size_t written = fakes.serial.written.size();
    EXPECT_EQ(TryToConnection(1), 0);
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Can't open communication port ... | Error2015122001 | warning"}));
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    EXPECT_EQ(langDialogs.appMessages[0].caption, "Error2015121401");
    EXPECT_EQ(fakes.serial.written.size(), written);
    EXPECT_EQ(comPortHandle, -1);
}

TEST_F(ConnectionTest, TheUserTestShowsItsOutcomeInThePopUp) {
    const char* const tried = "Tried COM1: /dev/ttyS0 (no device)\nNo serial device found";
    const std::tuple<void (*)(), std::uint32_t, Fault, const char*, const char*, std::uint16_t> cases[] = {
        {TryToConnection1Click, 2, Fault::None, "Successfully connected with the -38400bps", "", 5},
        {TryToConnection2Click, 0, Fault::Nak, "Communication error ... -9600bps", tried, kNoPlcDetected},
        {spbtnTryToConnectionClick, 0, Fault::Silence, "Can't connected with the device", tried,
         kNoPlcDetected},
    };
    titleText = "Kestrion Version 2.1.1108";
    sim.plc.setPlcType(5);
    for (const auto& [handler, chosen, fault, line1, line2, type] : cases) {
        choose(chosen, fault);
        connectedPlcType = kNoPlcDetected;
        handler();
        const AppMessage shown =
            langDialogs.appMessages.empty() ? AppMessage{} : langDialogs.appMessages.back();
        EXPECT_EQ(shown.caption + "|" + shown.line1 + "|" + shown.line2 + "|" + shown.versionText,
                  std::string("Communication Test...Try Connection Information|") + line1 + "|" + line2 +
                      "|Kestrion Version 2.1.1108");
        EXPECT_EQ(connectedPlcType, type);
        EXPECT_FALSE(fakes.serial.isOpen());
    }
    EXPECT_EQ(fakes.system.beeps, 3);
}

// Option > "Connection test" keeps the port open; an adapter pulled out meanwhile, or during the
// next test, is let go, and found again once it is back.
TEST_F(ConnectionTest, AnUnpluggedAdapterEndsTheTestClosesThePortAndIsFoundAgain) {
    choose(0);
    sim.plc.replyDelayMs = 200;  // a poller tick comes inside each wait
    ConnectionTest1Click();
    ASSERT_TRUE(fakes.serial.isOpen());
    const std::tuple<int, const char*, bool> steps[] = {
        {0, "Can't connected with the device", false},           // pulled out while the port was open
        {1, "Can't connected with the device", false},           // pulled out after the first probe
        {-1, "Successfully connected with the -9600bps", true},  // plugged in again
    };
    for (const auto& [unplugAfterFrames, line1, open] : steps) {
        fakes.serial.unplugged = unplugAfterFrames == 0;
        if (unplugAfterFrames == 0) fakes.serial.openFailures[1] = platform::SerialOpenStatus::NotFound;
        const std::size_t sent = fakes.serial.written.size();
        fakes.clock.bind(platform::TimerId::Timer1, [this, sent, after = unplugAfterFrames] {
            Timer1Timer();
            if (after > 0 && fakes.serial.written.size() > sent) fakes.serial.unplugged = true;
        });
        ConnectionTest1Click();
        EXPECT_EQ(langDialogs.appMessages.back().line1, line1);
        EXPECT_EQ(fakes.serial.isOpen(), open) << line1;
        fakes.serial.unplugged = false;
        fakes.serial.openFailures.clear();
    }
    EXPECT_EQ(fakes.serial.openedCom, 1);
}

}  // namespace
}  // namespace kestrion::test
