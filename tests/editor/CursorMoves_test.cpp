#include "editor/CursorMoves.h"

#include "editor/EditorViewState.h"
#include "editor/ViewTestSupport.h"
#include "model/EditMarks.h"

namespace kestrion::test {
namespace {

class CursorMovesTest : public ViewTest {
protected:
    CursorMovesTest() {
        typeLines({"LD X0", "OUT Y0", "LD X1", "MOV K10 D0"});  // END on the third line, y 128
        editorView.viewportHeight = 128;                        // two lines a page
    }
    static void at(std::uint32_t x, std::uint32_t y) {
        xOldCursor = x;
        yOldCursor = y;
        setBlueFrameObject(x, y);
    }
};

TEST_F(CursorMovesTest, MovesStopAtTheLabelCellTheLastCellTheFirstLineAndEndsLine) {
    using M = CursorMove;
    struct Case {
        std::uint32_t x, y;
        CursorMove move;
        std::uint32_t toX, toY;
    };
    const Case cases[] = {
        {80, 0, M::Left, 0, 0},          {0, 0, M::Left, 0, 0},         {960, 0, M::Right, 1040, 0},
        {1040, 0, M::Right, 1040, 0},    {80, 64, M::Right, 160, 64},   {880, 64, M::Right, 1040, 64},
        {960, 64, M::Left, 800, 64},     {80, 0, M::Up, 80, 0},         {80, 64, M::Up, 80, 0},
        {80, 64, M::Down, 80, 128},      {80, 128, M::Down, 80, 128},   {400, 64, M::LineStart, 80, 64},
        {400, 64, M::LineEnd, 1040, 64}, {80, 0, M::PageDown, 80, 128}, {80, 128, M::PageUp, 80, 0},
        {80, 64, M::PageUp, 80, 0},
    };
    for (const Case& c : cases) {
        at(c.x, c.y);
        moveCursor(c.move);
        EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(c.toX, c.toY))
            << c.x << "," << c.y << " move " << static_cast<int>(c.move);
        EXPECT_EQ(std::make_pair(BlueFrame.y1, BlueFrame.y2), std::make_pair(c.toY, c.toY + 63));
    }
}

TEST_F(CursorMovesTest, AClickFramesTheCellUnderTheMouseAtAnyZoom) {
    struct Case {
        std::uint32_t zoom;
        int x, y;
        std::uint32_t cellX, cellY;
        const char* operand;
        BlueFrameRect frame;
    };
    const Case cases[] = {
        {100, 100, 40, 80, 0, "X0", {80, 0, 159, 63}},
        {50, 45, 20, 80, 0, "X0", {80, 0, 159, 63}},
        {150, 1400, 100, 880, 64, "K10", {880, 64, 1119, 127}},
        {100, 5000, 5000, 1040, 128, "", {1040, 128, 1119, 191}},
        {100, 300, 0, 240, 0, "", {240, 0, 319, 63}},
    };
    for (const Case& c : cases) {
        zoomPercent = c.zoom;
        clickLadderAt(c.x, c.y);
        EXPECT_EQ(std::make_pair(xMouseCell, yMouseCell), std::make_pair(c.cellX, c.cellY)) << c.x;
        EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(c.cellX, c.cellY)) << c.x;
        EXPECT_EQ(textOf(clickedOperandText), c.operand) << c.x;
        EXPECT_EQ(std::vector<std::uint32_t>({BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2}),
                  std::vector<std::uint32_t>({c.frame.x1, c.frame.y1, c.frame.x2, c.frame.y2}));
    }
}

TEST_F(CursorMovesTest, FunctionKeysGiveTheirSymbols) {
    const std::tuple<int, bool, std::optional<std::uint32_t>> cases[] = {
        {2, false, 2},  {3, false, 3}, {5, false, 5},  {6, false, 6},  {7, false, 7},
        {8, false, 8},  {5, true, 11}, {6, true, 12},  {2, true, 13},  {3, true, 14},
        {4, false, {}}, {7, true, {}}, {1, false, {}}, {9, false, {}},
    };
    for (const auto& [key, shift, symbol] : cases) EXPECT_EQ(functionKeySymbol(key, shift), symbol) << key;
}

TEST_F(CursorMovesTest, InsertTogglesTheInsertModeOnly) {
    editModeFlags = kEditModifiedSinceSave;
    toggleInsertMode();
    EXPECT_EQ(editModeFlags, kEditModifiedSinceSave | kEditInsertMode);
    toggleInsertMode();
    EXPECT_EQ(editModeFlags, kEditModifiedSinceSave);
}

TEST_F(CursorMovesTest, DeleteTurnsTheFramedObjectIntoWireWithAnUndoCopy) {
    at(880, 64);
    editModeFlags = 0;
    freeAllEditMarks();
    ASSERT_TRUE(deleteFramedObject());
    EXPECT_EQ(objects(), (Texts{"80,0 LD ", "1040,0 OUT ", "80,64 LD ", "880,64 NOP"}));
    EXPECT_EQ(textOf(ldrTail->prev->operands[0]), "");
    EXPECT_EQ(dump(3), (Picture{"  X                       Y", "", "  X                   -"}));
    ASSERT_NE(ldrUndoHead, nullptr);
    EXPECT_EQ(textOf(ldrUndoTail->prev->mnemonic), "MOV ");
    EXPECT_EQ(BkVirtualArray.at(22, 2), 'Y');
    ASSERT_NE(grayMarks.head, nullptr);
    EXPECT_EQ(grayMarks.head->Y, 64u);
    EXPECT_EQ(editModeFlags, kEditLadderNotConverted | kEditModifiedSinceSave);
}

TEST_F(CursorMovesTest, DeleteLeavesEndWireAndEmptyCellsAlone) {
    for (const auto& [x, y] : {std::pair{1040u, 128u}, {400u, 0u}}) {
        at(x, y);
        EXPECT_FALSE(deleteFramedObject()) << x;
    }
    at(880, 64);
    ASSERT_TRUE(deleteFramedObject());
    ldrUndoHead->iCode = 0x1234;  // a second delete would make a new undo copy
    EXPECT_FALSE(deleteFramedObject());
    EXPECT_EQ(ldrUndoHead->iCode, 0x1234);
    EXPECT_EQ(objects().size(), 4u);
}

}  // namespace
}  // namespace kestrion::test
