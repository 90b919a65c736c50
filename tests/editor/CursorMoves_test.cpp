#include "editor/CursorMoves.h"

#include "editor/EditorViewState.h"
#include "editor/ViewTestSupport.h"
#include "entry/EntryDriver.h"
#include "model/core/MainState.h"
#include "model/ladder/EditMarks.h"

namespace kestrion::test {
namespace {

class CursorMovesTest : public ViewTest {
protected:
    CursorMovesTest() {
        typeLines({"LD X0", "OUT Y0", "LD X1", "MOV K10 D0"});  // END on the third line, y 128
        entryDialogs.opened.clear();
        editorView.viewportHeight = 128;  // two lines a page
    }
    static void at(std::uint32_t x, std::uint32_t y) {
        std::tie(xOldCursor, yOldCursor) = std::pair{x, y};
        setBlueFrameObject(x, y);
    }
    static std::string where() {
        return std::to_string(xOldCursor) + "," + std::to_string(yOldCursor) + " frame " +
               std::to_string(BlueFrame.x1) + "," + std::to_string(BlueFrame.y1) + "-" +
               std::to_string(BlueFrame.x2) + "," + std::to_string(BlueFrame.y2);
    }
};

TEST_F(CursorMovesTest, MovesStopAtTheLabelCellTheLastCellTheFirstLineAndEndsLine) {
    using M = CursorMove;
    const std::tuple<std::uint32_t, std::uint32_t, CursorMove, const char*> cases[] = {
        {80, 0, M::Left, "0,0 frame 0,0-79,63"},
        {0, 0, M::Left, "0,0 frame 0,0-79,63"},
        {960, 0, M::Right, "1040,0 frame 1040,0-1119,63"},
        {1040, 0, M::Right, "1040,0 frame 1040,0-1119,63"},
        {80, 64, M::Right, "160,64 frame 160,64-239,127"},
        {880, 64, M::Right, "1040,64 frame 880,64-1119,127"},
        {960, 64, M::Left, "800,64 frame 800,64-879,127"},
        {80, 0, M::Up, "80,0 frame 80,0-159,63"},
        {80, 64, M::Up, "80,0 frame 80,0-159,63"},
        {80, 64, M::Down, "80,128 frame 80,128-159,191"},
        {80, 128, M::Down, "80,128 frame 80,128-159,191"},
        {400, 64, M::LineStart, "80,64 frame 80,64-159,127"},
        {400, 0, M::LineEnd, "1040,0 frame 1040,0-1119,63"},
        {80, 0, M::PageDown, "80,128 frame 80,128-159,191"},
        {80, 128, M::PageUp, "80,0 frame 80,0-159,63"},
        {80, 64, M::PageUp, "80,0 frame 80,0-159,63"},
    };
    for (const auto& [x, y, move, expected] : cases) {
        at(x, y);
        moveCursor(move);
        EXPECT_EQ(where(), expected) << x << "," << y << " move " << static_cast<int>(move);
    }
}

TEST_F(CursorMovesTest, AClickFramesTheCellUnderTheMouseAtAnyZoom) {
    const std::tuple<std::uint32_t, int, int, const char*, const char*> cases[] = {
        {100, 100, 40, "80,0 frame 80,0-159,63", "X0"},
        {50, 45, 20, "80,0 frame 80,0-159,63", "X0"},
        {150, 1400, 100, "880,64 frame 880,64-1119,127", "K10"},
        {100, 5000, 5000, "1040,128 frame 1040,128-1119,191", ""},
        {100, 300, 0, "240,0 frame 240,0-319,63", ""},
    };
    for (const auto& [zoom, x, y, expected, operand] : cases) {
        zoomPercent = zoom;
        clickLadderAt(x, y);
        EXPECT_EQ(where(), expected) << x;
        EXPECT_EQ(std::pair(xMouseCell, yMouseCell), std::pair(xOldCursor, yOldCursor));
        EXPECT_EQ(textOf(clickedOperandText), operand) << x;
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

TEST_F(CursorMovesTest, EnterOffersTheFramedObjectAgainButNotWireOrAnEmptyCell) {
    at(960, 64);  // the frame covers MOV from x 880
    openBoxOnFrame();
    EXPECT_EQ(entryDialogs.opened, Texts{"MOV K10 D0"});
    EXPECT_EQ(where(), "880,64 frame 880,64-1119,127");
    at(400, 0);
    openBoxOnFrame();
    ldrHead->iCode = kCodeNop;
    at(80, 0);
    openBoxOnFrame();
    EXPECT_EQ(entryDialogs.opened.size(), 1u);
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
    EXPECT_EQ(textOf(ldrUndoTail->prev->mnemonic), "MOV ");
    EXPECT_EQ(BkVirtualArray.at(22, 2), 'Y');
    ASSERT_NE(grayMarks.head, nullptr);
    EXPECT_EQ(grayMarks.head->Y, 64u);
    EXPECT_EQ(editModeFlags, kEditLadderNotConverted | kEditModifiedSinceSave);
    EXPECT_TRUE(canvasState.editCancelMenuEnabled);
}

TEST_F(CursorMovesTest, DeleteLeavesEndWireEmptyCellsAndAMonitoredLadderAlone) {
    for (const auto& [x, y] : {std::pair{1040u, 128u}, {400u, 0u}}) {
        at(x, y);
        EXPECT_FALSE(deleteFramedObject()) << x;
    }
    at(880, 64);
    monitorMode = kMonitorLadder;
    EXPECT_FALSE(deleteFramedObject());
    monitorMode = kMonitorOff;
    EXPECT_EQ(boxes(), Boxes{"In monitor mode...Can'tDoEdit... | Msg2015032002 | none"});
    ASSERT_TRUE(deleteFramedObject());
    ldrUndoHead->iCode = 0x1234;  // a second delete would make a new undo copy
    EXPECT_FALSE(deleteFramedObject());
    EXPECT_EQ(ldrUndoHead->iCode, 0x1234);
}

}  // namespace
}  // namespace kestrion::test
