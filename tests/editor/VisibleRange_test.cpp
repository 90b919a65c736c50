// The first visible object of a long ladder, found through the row index at the first, a middle and
// the last screen, and found anew after the ladder has changed in any of the ways it does.
#include <functional>
#include <utility>
#include <vector>

#include "editor/LadderLayout.h"
#include "model/LadderTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion::test {
namespace {

constexpr std::uint32_t kRow = 64;
constexpr std::uint32_t kScreen = 900;  // fourteen rows and a part
constexpr std::uint16_t kLd = 0x2000, kAnd = 0x4000, kOr = 0x6000, kOut = 0xC000;

class VisibleRangeTest : public LadderTest {
protected:
    // Blocks of LD, AND and OUT on one row, every fourth (the first among them) with an OR on the
    // row below, listed between the LD and the AND: that block's first row comes back after its
    // lower one.
    struct Block {
        stLadderBlock* ld;
        stLadderBlock* orBelow;  // null in a block of one row
        std::uint32_t row;
    };
    std::vector<Block> buildLadder(int count) {
        initLadderList(1040, 0);
        std::vector<Block> blocks;
        std::uint32_t row = 0;
        for (int i = 0; i < count; ++i) {
            const auto id = static_cast<std::uint32_t>(i + 1);
            const std::uint32_t y = row * kRow;
            Block block{addBeforeEnd(80, y, kLd, id), nullptr, row};
            if (i % 4 == 0) block.orBelow = addBeforeEnd(80, y + kRow, kOr, id);
            addBeforeEnd(160, y, kAnd, id);
            addBeforeEnd(960, y, kOut, id)->end = kEndOutput;
            blocks.push_back(block);
            row += block.orBelow != nullptr ? 2 : 1;
        }
        ldrTail->yAddr = row * kRow;
        ldrTail->objLbc = static_cast<std::uint32_t>(count + 1);
        return blocks;
    }
    // What the range is by its meaning: the first object in list order on the row of the top or
    // below, and the first object after it that starts a block and stands wholly below the view.
    static std::pair<const stLadderBlock*, const stLadderBlock*> walked(std::uint32_t scroll) {
        const std::uint32_t firstRow = scroll / kRow * kRow, bottom = scroll + kScreen;
        const stLadderBlock* head = ldrHead;
        while (head != nullptr && head->yAddr < firstRow) head = head->next;
        const stLadderBlock* tail = head;
        while (tail != nullptr &&
               (tail->yAddr < bottom || (tail->prev != nullptr && tail->prev->objLbc == tail->objLbc)))
            tail = tail->next;
        return {head, tail};
    }
    static void expectWalkedRange(std::uint32_t scroll, const char* when) {
        const VisibleRange range = visibleRange(scroll, kScreen);
        EXPECT_EQ(std::make_pair(range.head, range.tail), walked(scroll)) << when << ", scroll " << scroll;
    }
};

TEST_F(VisibleRangeTest, TheFirstMiddleAndLastScreenStartAtTheirFirstObject) {
    const std::vector<Block> blocks = buildLadder(4001);
    const Block& twoRows = blocks[2004];  // rows 2505 and 2506
    ASSERT_NE(twoRows.orBelow, nullptr);
    const Block& last = blocks.back();
    struct Case {
        const char* screen;
        std::uint32_t scroll;
        const stLadderBlock* head;
    };
    const Case cases[] = {
        {"first", 0, blocks[0].ld},
        {"first, within its row", 40, blocks[0].ld},
        {"first, its second row", kRow, blocks[0].orBelow},
        {"middle, a block's first row", twoRows.row * kRow, twoRows.ld},
        // The OR comes before the AND and the OUT of the row above it, which are not drawn.
        {"middle, a block's second row", (twoRows.row + 1) * kRow, twoRows.orBelow},
        {"middle, within the second row", (twoRows.row + 1) * kRow + 63, twoRows.orBelow},
        {"middle, the row after", (twoRows.row + 2) * kRow, blocks[2005].ld},
        {"last, its lowest row", (last.row + 1) * kRow, last.orBelow},
        {"last, END's row", ldrTail->yAddr, ldrTail},
        {"below END", ldrTail->yAddr + kRow, nullptr},
    };
    for (const Case& c : cases) {
        const VisibleRange range = visibleRange(c.scroll, kScreen);
        EXPECT_EQ(range.head, c.head) << c.screen;
        EXPECT_EQ(std::make_pair(range.head, range.tail), walked(c.scroll)) << c.screen;
    }
    // A screen ending on the lower row of a block of two rows runs on to the next block.
    const Block& ending = blocks[1004];
    ASSERT_NE(ending.orBelow, nullptr);
    const VisibleRange range = visibleRange((ending.row + 1) * kRow + 1 - kScreen, kScreen);
    EXPECT_EQ(range.tail, blocks[1005].ld);
    // Every row of the ladder.
    for (std::uint32_t scroll = 0; scroll <= ldrTail->yAddr + kRow; scroll += 5 * kRow + 7)
        expectWalkedRange(scroll, "sweep");
}

TEST_F(VisibleRangeTest, TheRangeFollowsEveryChangeOfTheLadder) {
    std::vector<Block> blocks = buildLadder(300);
    // Each change below is seen on a screen of its own.
    const std::uint32_t scrolls[] = {0, blocks[100].row * kRow, (blocks[152].row + 1) * kRow,
                                     blocks[200].row * kRow, blocks[299].row * kRow};
    const auto expectAll = [&](const char* when) {
        for (const std::uint32_t scroll : scrolls) expectWalkedRange(scroll, when);
    };
    expectAll("made");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"an object freed", [&] { removeLadderObject(ldrList, blocks[100].ld); }},
        {"an object put in", [&] { addBeforeEnd(80, 0, kLd, 1); }},
        // Early in the list, on the row of a screen further on: the objects around that screen's
        // first object are unchanged.
        {"an object linked early in the list, standing far down",
         [&] {
             ldrNow = blocks[60].ld;
             xOldCursor = 80;
             yOldCursor = blocks[200].row * kRow;
             ASSERT_TRUE(ReallocLadderMemory(kLinkAfterNow, 0));
             ASSERT_EQ(ldrNew->yAddr, yOldCursor);
         }},
        // Far down: the first object of a screen further on, the objects around it unchanged.
        {"an object moved in a command",
         [&] { runCommand([&] { blocks[120].ld->yAddr = (blocks[152].row + 1) * kRow; }); }},
        {"the first object of a screen moved up outside a command",
         [&] { blocks[299].ld->yAddr = blocks[299].row * kRow - 3 * kRow; }},
        {"the object before a screen moved down outside a command",
         [&] {
             const std::uint32_t top = blocks[299].row * kRow;
             for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
                 if (o->next != nullptr && o->next->yAddr >= top && o->yAddr < top) {
                     o->yAddr = top;
                     break;
                 }
         }},
        {"a command put back",
         [&] { runCommand([] { return ReallocLadderMemory(kLinkBeforeEnd, 0) && false; }); }},
        // The same positions in other objects, as Undo swaps the lists.
        {"an undo copy taken", [] { copyMainList(ldrUndoList); }},
        {"the main list swapped with its copy outside a command", [] { std::swap(ldrList, ldrUndoList); }},
        {"the ladder replaced", [&] { blocks = buildLadder(50); }},
        {"the ladder emptied", [] { freeAllLadderObjects(); }},
    };
    for (const auto& [what, change] : changes) {
        change();
        expectAll(what);
    }
    EXPECT_EQ(visibleRange(0, kScreen).head, nullptr);
}

}  // namespace
}  // namespace kestrion::test
