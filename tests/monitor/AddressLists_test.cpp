#include "monitor/AddressLists.h"

#include "link/plc/MonitorFrames.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Entries = std::vector<std::uint16_t>;

class AddressListsTest : public CoreTest {
protected:
    static Entries entries(const MonitorTxBuf& list) {
        Entries out;
        for (std::size_t i = 1; i <= monitorListEntries(list); ++i) out.push_back(monitorListEntry(list, i));
        return out;
    }
};

TEST_F(AddressListsTest, EachDeviceMapsToItsFamilysAddress) {
    struct Case {
        const char* name;
        std::uint32_t number;
        std::uint16_t dataType;
        int type;
        Entries bits, words;
    };
    const Case cases[] = {
        {"X177", 177, kDataBit, 1, {0x0400 + 127}, {}},
        {"X100", 100, kDataBit, 5, {0x1200 + 64}, {}},
        {"Y17", 17, kDataBit, 2, {0x5E00 + 15}, {}},
        {"M8000", 8000, kDataBit, 2, {0x6000}, {}},
        {"M8000", 8000, kDataBit, 7, {0x0E00}, {}},
        {"M8000", 8000, kDataBit, 4, {0x0F00}, {}},
        {"M12", 12, kDataBit, 6, {0x080C}, {}},
        {"S3", 3, kDataBit, 1, {0x0003}, {}},
        {"T1", 1, kDataTimerCounter, 1, {0x0601}, {0x0802}},  // a timer in both lists
        {"T1", 1, kDataTimerCounter, 5, {0x1001}, {0x1002}},
        {"C199", 199, kDataTimerCounter, 6, {0x0EC7}, {0x0B8E}},
        {"C200", 200, kDataLongCounter, 1, {0x0EC8}, {0x0C00}},
        {"C255", 255, kDataLongCounter, 2, {0x62FF}, {0x0CDC}},
        {"D8255", 8255, kDataWord, 2, {}, {0x81FE}},
        {"D8255", 8255, kDataWord, 1, {}, {0x0FFE}},
        {"D0", 0, kDataWord, 7, {}, {0x4000}},
        {"D100L", 100, kDataDoubleWord, 1, {}, {0x10C8, 0x10CA}},
        {"D80(h)", 80, kDataWord, 4, {}, {0x1000 + 160}},
        {"K10", 10, kDataWord, 1, {}, {}},
    };
    for (const Case& c : cases) {
        emptyMonitorTxBufs();
        addMonitorDevice(c.name, c.number, c.dataType, c.type);
        EXPECT_EQ(entries(rs.bitTxBuf), c.bits) << c.name << " on " << c.type;
        EXPECT_EQ(entries(rs.byteTxBuf), c.words) << c.name << " on " << c.type;
    }
    addMonitorDevice("D0", 0, kDataWord, 0xFF);
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Error2018080250 | *PLC type error | warning"}));
    EXPECT_EQ(monitorListEntries(rs.byteTxBuf), 0u);
}

TEST_F(AddressListsTest, RoomCountsEveryEntryAndThePlainTypesSixteenWords) {
    for (int i = 0; i < 31; ++i) addMonitorDevice("T", static_cast<std::uint32_t>(i), kDataTimerCounter, 5);
    EXPECT_TRUE(monitorListsHaveRoom('X', kDataBit, 5));           // 62 + 1
    EXPECT_TRUE(monitorListsHaveRoom('T', kDataTimerCounter, 5));  // 62 + 2 = 64
    addMonitorDevice("X0", 0, kDataBit, 5);
    EXPECT_FALSE(monitorListsHaveRoom('T', kDataTimerCounter, 5));
    EXPECT_FALSE(monitorListsHaveRoom('D', kDataDoubleWord, 5));
    EXPECT_TRUE(monitorListsHaveRoom('Y', kDataBit, 5));
    EXPECT_TRUE(monitorListsHaveRoom('R', kDataWord, 5));  // no entries at all

    emptyMonitorTxBufs();
    for (int i = 0; i < 15; ++i) addMonitorDevice("D", static_cast<std::uint32_t>(i), kDataWord, 1);
    EXPECT_TRUE(monitorListsHaveRoom('D', kDataWord, 1));
    EXPECT_FALSE(monitorListsHaveRoom('D', kDataDoubleWord, 1));
    EXPECT_TRUE(monitorListsHaveRoom('D', kDataDoubleWord, 2));
    EXPECT_TRUE(monitorListsHaveRoom('M', kDataBit, 1));
}

}  // namespace
}  // namespace kestrion::test
