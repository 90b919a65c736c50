#include "model/image/CommentLists.h"

#include <string>
#include <tuple>
#include <vector>

#include "model/core/CommandTransaction.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class CommentListsTest : public test::CoreTest {
protected:
    CommentListsTest() { initLadderList(0, 0); }
    static std::vector<int> blockSteps() {
        std::vector<int> steps;
        for (const blockCommentNode* n = blockCommentList.head; n != nullptr; n = n->next)
            steps.push_back(n->stepNo);
        return steps;
    }
    static void appendBlocks(int n) {
        for (int i = 1; i <= n; ++i) appendBlockComment(static_cast<std::uint16_t>(10 * i), "b");
    }
};

TEST_F(CommentListsTest, TheWalkersEntryGoesAndTheCountFollows) {
    const std::tuple<int, int, std::vector<int>> cases[] = {
        {1, 0, {}}, {3, 0, {20, 30}}, {3, 2, {10, 20}}, {3, 1, {10, 30}}, {3, -2, {10, 20, 30}}};
    for (const auto& [entries, index, stepsAfter] : cases) {
        test::resetAllState();
        initLadderList(0, 0);
        appendBlocks(entries);
        blockCommentNode stranger;
        blockCommentNode* walker = blockCommentList.head;
        for (int i = 0; i < index; ++i) walker = walker->next;
        blockCommentList.walker = index == -2 ? &stranger : walker;
        EXPECT_EQ(removeBlockComment(), static_cast<int>(stepsAfter.size()) < entries);
        EXPECT_EQ(blockSteps(), stepsAfter) << entries << "/" << index;
        EXPECT_EQ(ModeData.blockCommentCount, stepsAfter.size());
        EXPECT_EQ(blockCommentList.newest == nullptr, index == entries - 1);  // appended last, deleted
        const int lastId = blockCommentList.tail == nullptr ? 0 : blockCommentList.tail->commentId;
        EXPECT_EQ(lastId, stepsAfter.empty() ? 0 : stepsAfter.back() / 10);
        addBlockComment(0, 99);  // the next id follows the tail's
        EXPECT_EQ(blockCommentList.tail->commentId, lastId + 1);
    }
}

TEST_F(CommentListsTest, WithoutLadderObjectsTheIdsAreRefusedWithAMessage) {
    FreeLadderMemory(kListMain);
    updateLadderBlockCommentId(0, 1);
    updateLadderCoilCommentId(0, 1);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    const auto& box = fakes.messages.shown[1];
    EXPECT_TRUE(box.text + " " + box.caption == "Error2015020101 updateLadderBlockCommentId(" &&
                box.icon == platform::MsgIcon::None);
}

TEST_F(CommentListsTest, DeviceNamesCompareOverTheirFirstCharacters) {
    const std::tuple<const char*, const char*, int, bool> cases[] = {{"X10", "X11", 2, true},
                                                                     {"X10", "X11", 3, false},
                                                                     {"D12345", "D12346", 1, false},
                                                                     {"D123456", "D123457", 9, true},
                                                                     // texts that end before n
                                                                     {"X1", "X1", 5, true},
                                                                     {"X1", "X10", 5, false},
                                                                     {"M100", "M10", 4, false}};
    for (const auto& [a, b, n, same] : cases)
        EXPECT_EQ(isSameDeviceName(a, b, n), same) << a << " " << b << " " << n;
}

TEST_F(CommentListsTest, ClearAllEmptiesListsCountsAndTheImagesSections) {
    addDeviceName('D', 1);
    appendDeviceComment('X', 7, "c");
    EXPECT_EQ(textOf(deviceCommentList.head->deviceText) + std::to_string(deviceCommentList.head->textLength),
              "X0074");
    appendBlocks(1);
    appendBlockComment(0, "b");  // END is at step 0: it takes ids 2 and 1
    appendCoilComment(0, "c");
    ReallocLadderMemory(kLinkCopyList, 0);
    copyHead->idBC = 1;
    addDeviceMonitorNode();
    addLadderMonitorNode();
    ModeData.deviceNameCount = ModeData.monitorDeviceCount = 1;
    CowBuffer.fill(0x55);
    ASSERT_EQ(ldrHead->idBC * 10 + ldrHead->idCC, 21);
    ldrBackup = std::make_shared<const PackedLadder>(ldrList);  // an edit-cancel copy with the ids
    ClearAllComment1Click();
    // No object keeps the id of a comment that is gone: the next comment would show on its rung.
    EXPECT_EQ(ldrHead->idBC + ldrHead->idCC + copyHead->idBC, 0);
    int idsInCopy = 0;
    ldrBackup->forEach([&](const stLadderBlock& o) { idsInCopy += o.idBC + o.idCC; });
    EXPECT_EQ(idsInCopy, 0);
    // A copy that holds no id is left as it is.
    const std::shared_ptr<const PackedLadder> withoutIds = ldrBackup;
    ClearAllComment1Click();
    EXPECT_EQ(ldrBackup, withoutIds);
    EXPECT_TRUE(!deviceNameList.head && !deviceCommentList.head && !blockCommentList.head &&
                !coilCommentList.head && !deviceMonitorList.head && !ladderMonitorList.head);
    const std::vector<int> fields = {ModeData.deviceNameCount,    ModeData.deviceCommentCount,
                                     ModeData.blockCommentCount,  ModeData.coilCommentCount,
                                     ModeData.monitorDeviceCount, ModeData.cowNameOffset,
                                     ModeData.cowCommentOffset,   ModeData.cowBlockOffset,
                                     ModeData.cowCoilOffset,      ModeData.cowMonitorOffset};
    EXPECT_EQ(fields, (std::vector<int>{0, 0, 0, 0, 0, 256, 258, 260, 262, 264}));
    EXPECT_EQ(std::count(CowBuffer.begin() + 255, CowBuffer.begin() + 289, 0x55), 2);
    EXPECT_EQ(redrawFlags & (kRedrawLadder | kRedrawObjects), kRedrawLadder | kRedrawObjects);
}

TEST_F(CommentListsTest, AFailedCommandLeavesCommentsImagesAndCountsAsTheyWere) {
    appendBlocks(2);
    blockCommentList.walker = blockCommentList.head;
    addDeviceMonitorNode();
    ModeData.deviceNameCount = 1;
    const std::vector<int> stepsBefore = blockSteps();
    EXPECT_FALSE(runCommand([] {
        removeBlockComment();
        appendBlocks(1);
        ClearAllComment1Click();
        appendDeviceComment('D', 5, "gone");
        CowBuffer[300] = DmwImage[300] = 1;
        return false;
    }));
    EXPECT_EQ(blockSteps(), stepsBefore);
    EXPECT_EQ(blockCommentList.walker, blockCommentList.head);
    EXPECT_EQ(
        std::make_tuple(ModeData.deviceNameCount, ModeData.blockCommentCount, ModeData.deviceCommentCount),
        std::make_tuple(1, 2, 0));
    EXPECT_TRUE(deviceCommentList.head == nullptr && deviceMonitorList.head != nullptr);
    EXPECT_EQ(CowBuffer[300] + DmwImage[300], 0);
}

}  // namespace
}  // namespace kestrion
