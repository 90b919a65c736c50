#include "link/line/Requests.h"

#include "link/LinkFixture.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using plcsim::Fault;

class RequestsTest : public LinkTest {
protected:
    SimulatedPlc sim{fakes, 1};
};

TEST_F(RequestsTest, ACommandIsFramedAsItsCharactersBetweenStxAndEtx) {
    const std::pair<const char*, const char*> cases[] = {
        {"A1", "02413103"},                    // STX 'A' '1' ETX
        {"B", "024203"},                       // the closing command
        {"00E0802", "023030453038303203"},     // read D8004
        {"6F5Error", "023646354572726F7203"},  // the machine-status request
        {"", "0203"},                          // no command characters
    };
    for (const auto& [command, frame] : cases) {
        makeCommandFrame(command);
        EXPECT_EQ(rsChHex, frame) << command;
    }
}

TEST_F(RequestsTest, AReadCommandNamesFourAddressDigitsAndTwoCountDigits) {
    EXPECT_EQ(readCommand(0x0E08, 2), "00E0802");  // D8004
    EXPECT_EQ(readCommand(0x0E74, 4), "00E7404");  // D8058 and D8059
    EXPECT_EQ(readCommand(0x805C, 0x40), "0805C40");
    // Only the low 16 bits of the address and the low 8 of the count are written.
    EXPECT_EQ(readCommand(0x1805C, 0x140), "0805C40");
    EXPECT_EQ(hex4(0x0E08), "0E08");
    EXPECT_EQ(hex4(0xABCDE), "BCDE");
    EXPECT_EQ(hex4(0), "0000");
}

TEST_F(RequestsTest, ARequestGoesClosedWithItsCheckCodeAndTakesItsReply) {
    openAt(0);
    sim.plc.setWord(0x0E08, 0x1234);
    EXPECT_EQ(sendRequest(readCommand(0x0E08, 2)), LinkOutcome::Done);
    EXPECT_EQ(rsChHex, "0230304530383032033732");  // check code 0x72
    EXPECT_EQ(sim.plc.frames.back(), "00E0802");
    EXPECT_EQ(std::string(rs.RxBkBuf.data()).substr(0, 4), "3412");  // low byte first
    EXPECT_EQ(rs.status & kRsWaiting, 0);

    // A frame whose bytes sum past 255 keeps the low byte of the sum.
    EXPECT_EQ(sendCommandFrame("pppP"), LinkOutcome::Done);
    EXPECT_EQ(rsChHex, "0270707050034133");
}

TEST_F(RequestsTest, AFrameThatDidNotGoLeavesTheTimeOutBitAndIsNotAwaited) {
    // The port is closed: the send is refused with its box, and no wait follows.
    const std::uint32_t before = now();
    EXPECT_EQ(sendRequest("00E0802"), LinkOutcome::NotSent);
    EXPECT_NE(rs.status & kRsWaiting, 0);
    EXPECT_EQ(now(), before);
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Com port not open... | Communication Message | warning"});

    openAt(0);
    rs.status = 0;
    EXPECT_EQ(sendCommandFrame("00E0802"), LinkOutcome::Done);
    EXPECT_EQ(rs.status & kRsWaiting, 0);
}

TEST_F(RequestsTest, ARequestMadeWhileAnotherWaitsIsRefusedWithTheBusyBox) {
    openAt(0);
    EXPECT_FALSE(refusedAsBusy());
    EXPECT_TRUE(fakes.messages.shown.empty());

    sim.plc.fault = Fault::Silence;
    bool refused = false;
    fakes.clock.at(now() + 50, [&] { refused = refusedAsBusy(); });
    EXPECT_EQ(sendRequest("00E0802"), LinkOutcome::TimeOut);
    EXPECT_TRUE(refused);
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"The PLC link is busy with another request | Communication Message | warning"});
    EXPECT_FALSE(refusedAsBusy());  // the wait has ended
}

}  // namespace
}  // namespace kestrion::test
