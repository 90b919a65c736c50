#include "model/image/MonitorLists.h"

#include <cstring>

#include "model/image/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class MonitorListsTest : public test::CoreTest {
protected:
    static std::vector<std::uint32_t> indices(const MonitorList& list) {
        std::vector<std::uint32_t> out;
        for (const deviceMonitorNode* node = list.head; node != nullptr; node = node->next) {
            out.push_back(node->deviceIndex);
            if (node->next != nullptr) {
                EXPECT_EQ(node->next->prev, node);
            }
        }
        return out;
    }
};

TEST_F(MonitorListsTest, NewEntriesAreAppendedUnreadAndNewestAndFreeingEmptiesEveryPointer) {
    for (std::uint32_t index = 1; index <= 3; ++index) {
        addDeviceMonitorNode();
        deviceMonitorList.newest->deviceIndex = index;
        addLadderMonitorNode();
        ladderMonitorList.newest->deviceIndex = 10 + index;
    }
    EXPECT_EQ(indices(deviceMonitorList), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(indices(ladderMonitorList), (std::vector<std::uint32_t>{11, 12, 13}));
    EXPECT_EQ(std::make_tuple(deviceMonitorList.newest, deviceMonitorList.head->value, deviceMonitorBytes),
              std::make_tuple(deviceMonitorList.tail, kMonitorValueUnread, 3 * 64u));
    ModeData.monitorDeviceCount = 3;
    for (MonitorList* list : {&deviceMonitorList, &ladderMonitorList}) {
        list->selected = list->head->next;
        list->walker = list->tail;
    }
    const auto pointers = [](const MonitorList& l) {
        return std::make_tuple(l.head, l.selected, l.newest, l.tail, l.walker);
    };
    const auto none = std::make_tuple(nullptr, nullptr, nullptr, nullptr, nullptr);
    freeLadderMonitorList();
    EXPECT_EQ(pointers(ladderMonitorList), none);
    EXPECT_EQ(ModeData.monitorDeviceCount, 3);  // the ladder list is not counted
    freeDeviceMonitorList();
    EXPECT_EQ(pointers(deviceMonitorList), none);
    EXPECT_EQ(std::make_tuple(ModeData.monitorDeviceCount, deviceMonitorBytes),
              std::make_tuple(std::uint16_t{0}, 0u));
}

TEST_F(MonitorListsTest, EntryImageIsSixtyFourBytesWithZeroLinks) {
    addDeviceMonitorNode();
    addDeviceMonitorNode();
    deviceMonitorNode& node = *deviceMonitorList.head;
    std::memcpy(node.deviceText.data(), "D100", 5);
    node.textLength = 4;
    node.deviceNo = 100;
    node.deviceIndex = 1;
    node.deviceCode = {0x64, 0x10, 0x00, 0x00};
    node.value = 1.5;  // 0x3FF8000000000000
    node.monitorFields[0] = 0xAB;
    const MonitorNodeImage image = deviceMonitorNodeImage(node);
    const std::uint8_t expected[40] = {'D', '1', '0',  '0',  0, 0, 0,    0,    4, 0, 0, 0, 100, 0,
                                       0,   0,   1,    0,    0, 0, 0x64, 0x10, 0, 0, 0, 0, 0,   0,
                                       0,   0,   0xF8, 0x3F, 0, 0, 0,    0,    0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), image.begin()));
    EXPECT_EQ(image[40] + image[63], 0xAB);
}

}  // namespace
}  // namespace kestrion
