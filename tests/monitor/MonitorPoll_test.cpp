#include "monitor/MonitorPoll.h"

#include "link/line/LineHold.h"
#include "link/line/LinkCommand.h"
#include "link/plc/MonitorFrames.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/MonitorFixture.h"

namespace kestrion::test {
namespace {

using platform::TimerId;

class MonitorPollTest : public MonitorTest {
protected:
    std::string firstSubItem(std::size_t row) const {
        const MonitorRow& r = monitorState.monDeviceRows.at(row);
        return r.subItems.empty() ? "<none>" : r.subItems[0];
    }
    std::string panel(int n) const { return fakes.statusBar.panelText(n); }
};

TEST_F(MonitorPollTest, ValuesShowInTheFormatOfTheirDevice) {
    struct Case {
        std::uint32_t value;
        std::uint16_t dataType, format;
        const char* text;
    };
    const Case cases[] = {
        {0xFFFF, kDataWord, kFormatDecimal, "-1"},
        {0xFFFF, kDataWord, kFormatHex, "FFFF"},
        {0xFFFF0000, kDataDoubleWord, kFormatDecimal, "-65536"},
        {0x0001ABCD, kDataLongCounter, kFormatHex, "0001ABCD"},
        {0x0041, kDataWord, kFormatAscii, "A"},
        {0x0020, kDataWord, kFormatAscii, ".."},
        {0x007B, kDataTimerCounter, kFormatAscii, ".."},
        {0x3F800000, kDataDoubleWord, kFormatFloat, "1.0000000"},
        {0x0005, kDataWord, kFormatBinary, "0000000000000101"},
        {0x80000001, kDataDoubleWord, kFormatBinary, "10000000000000000000000000000001"},
        {0x0005, kDataTimerCounter, kFormatBinary, ""},
        {0x0005, kDataLongCounter, kFormatBinary, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(monitorValueText(c.value, c.dataType, c.format), c.text) << c.value;
}

TEST_F(MonitorPollTest, EdgeContactsAreLitForOnePollAfterTheirEdge) {
    struct Case {
        bool rising, falling, bit, seen;
        bool lit;
    };
    const Case cases[] = {
        {true, false, true, false, true},   {true, false, true, true, false},
        {true, false, false, true, false},  {false, true, false, true, true},
        {false, true, false, false, false}, {false, true, true, false, false},
        {false, false, true, true, true},   {false, false, false, true, false},
    };
    for (const Case& c : cases) {
        stLadderBlock o;
        o.setPFlag(c.rising);
        if (c.falling) o.flagByte2 |= kFlag2Falling;
        o.monState = c.seen ? 1 : 0;
        applyEdgeRules(o, c.bit);
        EXPECT_EQ(std::make_pair(o.monMark == kMonMarkConducting, o.monState),
                  std::make_pair(c.lit, std::uint8_t(c.bit)))
            << c.rising << c.falling << c.bit << c.seen;
    }
}

TEST_F(MonitorPollTest, ACycleFillsTheRowsThePanelsAndTheTables) {
    monitorDevices({{"X0"}, {"D0", "1", 0, "Hexadecimal"}, {"D100", "1", 1, "Decimal"}, {"C200"}, {"T1"}});
    ASSERT_EQ(captions(monitorState.monDeviceRows), (Texts{"X0", "D0(h)", "D100L", "C200", "T1"}));
    sim.plc.setWord(dataAddress(0), 0xFFFF);
    sim.plc.setWord(dataAddress(101), 0xFFFF);  // D100L = FFFF0000h
    sim.plc.setWord(0x0C00, 0x2345);
    sim.plc.setWord(0x0C02, 0x0001);  // C200 = 74565 in four bytes
    sim.plc.setWord(0x0802, 7);       // T1
    sim.plc.setBit(0x0400, true);
    sim.plc.setBit(0x0601, true);
    cycles(2);
    EXPECT_EQ(rowTexts(monitorState.monDeviceRows),
              (Texts{"X0|||ON", "D0(h)|FFFF", "D100L|-65536", "C200|74565||OFF", "T1|7||ON"}));
    EXPECT_EQ(panel(0) + " " + panel(12) + " " + panel(11), "Ver20100 2ms Stop");
    EXPECT_EQ(MonitorValue[1], -1);
    EXPECT_EQ(ByteMonitor[0], 12);  // the word values' bytes of the cycle
    // D0's bytes, first of the cycle, each recorded sign-extended.
    EXPECT_EQ(std::make_pair(ByteMonitor[1], ByteMonitor[2]),
              std::make_pair(std::int16_t{-1}, std::int16_t{-1}));
    sim.plc.setBit(0x0F00, true);  // M8000
    sim.plc.setBit(0x0400, false);
    cycles(1);
    EXPECT_EQ(panel(11) + " " + rowTexts(monitorState.monDeviceRows)[0], "Run X0|||OFF");
    // The machine-code view shows the tables as they stand: the word values by device index (X0
    // has none, D100L its low word), the bit byte of M8000 and T1's contact (bits 0 and 3).
    const Texts tables = monitorTableRows();
    ASSERT_EQ(tables.size(), 1 + 8 + 1 + 4 + 1 + 2u);
    EXPECT_EQ(tables[1].substr(0, 16), "0 -1 0 9029 7 0 ");
    EXPECT_EQ(tables[9] + "|" + tables[14] + "|" + tables[15],
              "ByteMonitor|BitMonitor|09 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST_F(MonitorPollTest, TheThirtySecondBitIsTheLowestOfTheFifthByte) {
    useType(5);
    monitorDevices({{"X0", "32"}});  // X0 .. X37
    sim.plc.setBit(0x1200 + 31, true);
    cycles(2);
    const MonitorRows& rows = monitorState.monDeviceRows;
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[31].caption + "|" + rows[31].subItems.at(2), "X37|ON");
    EXPECT_EQ(rows[30].subItems.at(2), "");  // types 5 and 7 leave OFF blank
}

TEST_F(MonitorPollTest, ANakIsClearedOnTheNextTickAndTheReadRetriedOnTheThird) {
    monitorDevices({{"D0"}});
    sim.plc.frames.clear();
    sim.plc.fault = plcsim::Fault::Nak;
    fakes.clock.advance(100);
    ASSERT_EQ(sim.plc.frames.size(), 1u);
    sim.plc.fault = plcsim::Fault::None;
    std::vector<std::size_t> sent;
    for (int tick = 0; tick < 3; ++tick) {
        fakes.clock.advance(100);
        sent.push_back(sim.plc.frames.size());
    }
    EXPECT_EQ(sent, (std::vector<std::size_t>{1, 1, 2}));
    EXPECT_EQ(sim.plc.frames[0], sim.plc.frames[1]);  // the same word read again
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MonitorPollTest, AShortReplyIsPassedOverAsANak) {
    monitorDevices({{"D0"}});
    sim.plc.setWord(dataAddress(0), 5);
    fakes.serial.device = nullptr;  // what answers now is the test
    fakes.clock.at(now() + 150, [this] {
        arrive(
            "\x02"
            "00000000\x03"
            "F3");
    });  // 4 bytes, not 6
    fakes.clock.advance(300);
    EXPECT_EQ(monitorState.pollPhase, 0);
    EXPECT_EQ(firstSubItem(0), " ");
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(timer3Running());
}

TEST_F(MonitorPollTest, ATimeOutStopsThePollWithOneBoxByPhaseAndType) {
    // Whatever the phase and the type, the panel's poll stops as its Stop button stops it: the
    // port closed, Start enabled again, no star and no RUN/STOP of a PLC that is not heard.
    struct Case {
        int type;
        bool wordPhase;
        const char* box;
    };
    const Case cases[] = {
        {1, true, "Error2015030536"},  {2, true, "Error2015030536"},  {5, true, "Error2015030536"},
        {2, false, "Error2015030538"}, {1, false, "Error2015030537"}, {6, false, "Error2015030537"},
        {7, false, "Error2015030548"},
    };
    for (const Case& c : cases) {
        resetAllState();
        fakes.messages.shown.clear();
        fakes.clock.bind(TimerId::Timer1, [] { Timer1Timer(); });
        fakes.clock.bind(TimerId::Timer3, [] { Timer3Timer(); });
        sim.plc.fault = plcsim::Fault::None;
        useType(c.type);
        monitorDevices({{"X0"}, {"D0"}});
        fakes.clock.advance(300);  // a bit phase has shown RUN or STOP
        // The line goes silent just before the request of the phase of the case.
        const int phase = c.wordPhase ? 0 : 1;
        for (int ms = 0; ms < 1000 && monitorState.pollPhase != phase; ++ms) fakes.clock.advance(1);
        ASSERT_EQ(monitorState.pollPhase, phase) << c.type;
        sim.plc.fault = plcsim::Fault::Silence;
        fakes.clock.advance(rs.timeOut + 1000);
        EXPECT_EQ(boxes(), (Boxes{std::string(c.box) + " | Communication Error | warning"})) << c.type;
        EXPECT_FALSE(timer3Running());
        EXPECT_EQ(monitorMode, kMonitorEntryDevices) << c.type;  // the panel stays, ready to start
        EXPECT_EQ(comPortHandle, -1) << c.type;
        EXPECT_TRUE(menuItem("btnStartMonitor1").enabled) << c.type;
        EXPECT_FALSE(menuItem("btnStopMonitor1").enabled) << c.type;
        EXPECT_TRUE(menuItem("btnRegisterDevices").enabled) << c.type;
        EXPECT_EQ(panel(10) + "|" + panel(11), " |") << c.type;
        // The PLC back on the line: the panel's Start polls it again.
        sim.plc.fault = plcsim::Fault::None;
        fakes.messages.shown.clear();
        btnStartMonitor1Click();
        ASSERT_TRUE(timer3Running()) << c.type;
        cycles(2);
        EXPECT_FALSE(panel(11).empty()) << c.type;
        EXPECT_TRUE(boxes().empty()) << c.type;
        msStopMonitor1Click();
    }
}

TEST_F(MonitorPollTest, AStopDuringTheReadEndsTheTickUntouched) {
    // The stop alone, and the stop followed at once by the device monitor panel (mode 2 again).
    for (const bool enterAgain : {false, true}) {
        resetAllState();
        fakes.clock.bind(TimerId::Timer1, [] { Timer1Timer(); });
        fakes.clock.bind(TimerId::Timer3, [] { Timer3Timer(); });
        fakes.messages.shown.clear();
        useType(1);
        monitorDevices({{"D0"}});
        sim.plc.replyDelayMs = 60;
        fakes.clock.at(now() + 130, [enterAgain] {
            spbtnStopMonitor1Click();
            if (enterAgain) EnterDeviceMonitor1Click();
        });
        fakes.clock.advance(400);
        EXPECT_EQ(monitorMode, enterAgain ? kMonitorEntryDevices : kMonitorOff);
        EXPECT_EQ(monitorState.pollPhase, 0);
        EXPECT_EQ(firstSubItem(0), enterAgain ? "" : " ") << enterAgain;  // the panel rebuilt its rows
        EXPECT_TRUE(boxes().empty()) << enterAgain;
        sim.plc.replyDelayMs = 0;
    }
}

TEST_F(MonitorPollTest, AClickDuringThePollsReadWaitsForItAndThePollWaitsForTheClick) {
    // Through the link's hold, as the link's own dialogs ask for it.
    monitorDevices({{"D0"}});
    EXPECT_FALSE(holdLineForClick());  // no read under way: the click runs at once
    sim.plc.replyDelayMs = 60;
    bool held = false;
    fakes.clock.at(now() + 130, [&held] { held = holdLineForClick(); });
    fakes.clock.advance(150);
    ASSERT_TRUE(held);
    const std::size_t sent = sim.plc.frames.size();
    fakes.clock.advance(500);
    EXPECT_EQ(sim.plc.frames.size(), sent);  // the line is the click's
    releaseLineHold();
    fakes.clock.advance(200);
    EXPECT_GT(sim.plc.frames.size(), sent);
    // A click that never comes back gives the line back after a second.
    fakes.clock.at(now() + 130, [] { holdLineForClick(); });
    fakes.clock.advance(200);
    const std::size_t before = sim.plc.frames.size();
    fakes.clock.advance(1200);
    EXPECT_GT(sim.plc.frames.size(), before);
}

}  // namespace
}  // namespace kestrion::test
