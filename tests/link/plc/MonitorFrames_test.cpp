#include "link/plc/MonitorFrames.h"

#include "link/LinkFixture.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using Frames = std::vector<std::string>;

class MonitorFramesTest : public LinkTest {
protected:
    void lists(std::size_t words, std::size_t bits, std::uint16_t word = 0x4000, std::uint16_t bit = 0x0400) {
        for (std::size_t i = 0; i < words; ++i)
            appendMonitorListEntry(rs.byteTxBuf, static_cast<std::uint16_t>(word + 2 * i));
        for (std::size_t i = 0; i < bits; ++i)
            appendMonitorListEntry(rs.bitTxBuf, static_cast<std::uint16_t>(bit + i));
    }
    void connect(int type) {
        sim.plc.setPlcType(type);
        openAt(0);
    }
    // The address fields of n entries from first, low byte first, each step apart.
    static std::string fields(std::size_t n, std::uint16_t first, std::uint16_t step) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            char field[16];
            const auto value = static_cast<unsigned>((first + step * i) & 0xFFFF);
            std::snprintf(field, sizeof field, "%02X%02X", value & 0xFF, (value >> 8) & 0xFF);
            text += field;
        }
        return text;
    }
    SimulatedPlc sim{fakes, 5};
};

TEST_F(MonitorFramesTest, TheListsHoldTheirCountAndRefuseThe128thEntry) {
    for (std::size_t i = 0; i < kMonitorListCapacity; ++i)
        ASSERT_TRUE(appendMonitorListEntry(rs.bitTxBuf, 7));
    EXPECT_FALSE(appendMonitorListEntry(rs.bitTxBuf, 7));
    EXPECT_EQ(std::make_pair(rs.bitTxBuf[0], rs.bitTxBuf[1]),
              std::make_pair(std::uint8_t{254}, std::uint8_t{0}));
    rs.byteTxBuf[0] = 0xFF;  // a count beyond the room is read as the room
    EXPECT_EQ(monitorListEntries(rs.byteTxBuf), kMonitorListCapacity);
}

TEST_F(MonitorFramesTest, EachFamilyRegistersItsHeadTheWordsM8000AndTheBits) {
    struct Case {
        int type;
        std::size_t words, bits;
        int result;
        Frames frames;
    };
    const Case cases[] = {
        // Only D registers: one frame, the bit count 1 (M8000 alone).
        {5,
         2,
         0,
         kRegisteredAll,
         {"E101400"
          "0E"
          "04"
          "81"
          "01"
          "00"
          "020E140E" +
          fields(2, 0x4000, 2) + "000E"}},
        // 28 words: 64 bytes hold the head and the words; M8000 follows at 1440h.
        {7,
         28,
         0,
         kStoppedInWords,
         {"E101400"
          "40"
          "1E"
          "81"
          "01"
          "00"
          "020E140E" +
              fields(28, 0x4000, 2),
          "E10144002000E"}},
        {2,
         1,
         2,
         kRegisteredAll,
         {"E10140010"
          "03C1030002801480" +
          fields(1, 0x4000, 2) + "0060" + fields(2, 0x0400, 1)}},
        // 31 bits: the first frame takes 30 of them, the 31st goes to 1866h.
        {1,
         0,
         31,
         kStoppedInBits,
         {"11826"
          "40"
          "20"
          "00"
          "000F" +
              fields(30, 0x0400, 1),
          "1186602" + fields(1, 0x041E, 1)}},
        {1,
         1,
         0,
         kRegisteredAll,
         {"11826"
          "04"
          "01"
          "00"
          "000F",
          "11800"
          "08"
          "03"
          "01"
          "020E140E" +
              fields(1, 0x4000, 2)}},
    };
    for (const Case& c : cases) {
        resetAllState();
        fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
        connect(c.type);
        sim.plc.frames.clear();
        lists(c.words, c.bits);
        int result = 0;
        if (c.type == 2) {
            result = registerMonitorBitDeviceToq5TypePlc();
        } else if (c.type == 1) {
            result = registerMonitorBitDeviceToq0TypePlc();
            if (result != kRegisteredAll) registerMonitorBitRest1866(result);
            registerMonitorWordBlock1800();
        } else {
            result = registerMonitorDeviceToq3TypePlc();
            if (result != kRegisteredAll) registerMonitorRest1440(result);
        }
        EXPECT_EQ(result, c.result) << c.type << " " << c.words;
        Frames expected = c.frames;
        if (c.type == 1 && c.words == 0)
            expected.push_back(
                "11800"
                "06"
                "02"
                "01"
                "020E140E");
        EXPECT_EQ(sim.plc.frames, expected) << c.type << " " << c.words;
        EXPECT_EQ(rs.status & (kRsWaiting | kRsNak), 0) << c.type;
    }
    // The developer views keep the plain frames' texts.
    EXPECT_EQ(comTempArray.substr(0, 12), "023131383030");
}

TEST_F(MonitorFramesTest, TypesFiveAndSevenRefuseABlockPast192BytesWithoutAFrame) {
    connect(5);
    sim.plc.frames.clear();
    lists(46, 46);  // 92 entries, 194 bytes
    EXPECT_EQ(registerMonitorDeviceToq3TypePlc(), kRegistrationTooLong);
    EXPECT_TRUE(sim.plc.frames.empty());
}

TEST_F(MonitorFramesTest, TheReadsAskForTheBytesTheirRepliesHold) {
    struct Case {
        std::size_t words, bits;
        std::uint16_t word;
        unsigned plainWords, plainBits, type57, type2;
    };
    const Case cases[] = {
        {0, 0, 0x4000, 4, 1, 5, 37},
        {0, 4, 0x4000, 4, 3, 6, 38},  // B = 8
        {1, 0, 0x0C00, 8, 1, 9, 41},  // C200: four bytes
        {2, 3, 0x1000, 8, 1, 10, 42},
    };
    for (const Case& c : cases) {
        emptyMonitorTxBufs();
        lists(c.words, c.bits, c.word);
        EXPECT_EQ(monitorRead1958Bytes(), c.plainWords);
        EXPECT_EQ(monitorRead19A0Bytes(), c.plainBits);
        EXPECT_EQ(monitorReadE2Bytes(), c.type57);
        EXPECT_EQ(monitorReadEBytes(), c.type2);
    }
    connect(2);
    sim.plc.frames.clear();
    monitorCycleReadE();
    EXPECT_EQ(sim.plc.frames, (Frames{"E0017902A"}));
    EXPECT_EQ(rs.monitorReadCount, 42u);
}

}  // namespace
}  // namespace kestrion::test
