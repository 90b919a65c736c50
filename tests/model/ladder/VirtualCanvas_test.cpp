#include "model/ladder/VirtualCanvas.h"

#include "model/CanvasTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/EditorState.h"

namespace kestrion::test {
namespace {

using CanvasMarking = CanvasTest;
using CanvasCells = CanvasTest;  // erase, searches, copies and drawing

const std::string kTooWide = "Device too much error ... ";
const std::string kTooLong = std::string(kLadderTooLongText) + " | " + kLadderTooLongCaption;

TEST_F(CanvasMarking, StartUpHalfCellsPlaceAnElementAtPixel160x128InColumn4Row4AndTheGridIsBounded) {
    startList();
    object(kLd, 160, 128);
    EXPECT_EQ(setNowObjectCell(), 1U);
    EXPECT_EQ(dump(), (Picture{"", "", "", "", "    X"}));
    EXPECT_EQ(std::vector<std::int64_t>({firstCellColumn(), lastCellColumn(), rightBusColumn()}),
              std::vector<std::int64_t>({2, 26, 28}));
    EXPECT_EQ(std::pair(VirtualArray.at(39, kCanvasRows - 1), VirtualArray.at(40, 0)), std::pair(' ', '\0'));
    for (const auto& [code, cell] : {std::pair{kStl, 'S'}, {kCodeNop, '-'}, {kOut, 'X'}}) {
        object(code, 80, 0);
        setNowObjectCell();
        EXPECT_EQ(dump().at(0), std::string("  ") + cell) << code;
    }
    const CanvasGrid before = VirtualArray;
    for (auto [column, row] : {std::pair{-1, 0}, {0, -1}, {48, 0}, {0, kCanvasRows}})
        EXPECT_TRUE(!VirtualArray.put(column, row, 'X') && VirtualArray.at(column, row) == ' ') << column;
    EXPECT_TRUE(VirtualArray == before);
    EXPECT_TRUE(VirtualArray.put(47, kCanvasRows - 1, 'X'));
}

TEST_F(CanvasMarking, ContactAtOrPastTheRightBusWidensOneCellPerStepUntilTheGridIsFull) {
    // clang-format off
    const std::array<std::uint32_t, 6> cases[] = {
        {1040, 1, 1120, 40, 0, 26}, {1120, 0, 1200, 42, 1, 28}, {1360, 0, 1440, 48, 4, 34}, {1440, 0, 1120, 40, 1, 0}};
    // clang-format on
    for (const auto& [x, result, busEnd, columns, count, column] : cases) {
        restart();
        VirtualArray.fill(kCanvasColumns, ' ');  // the columns a widening takes into use
        object(kLd, x, 0)->stepNo = 7;
        EXPECT_EQ(setNowObjectCell(), result) << x;
        EXPECT_EQ(std::pair(draw.iBusLineEnd, virtualArrayColumns), std::pair(busEnd, columns)) << x;
        EXPECT_EQ(boxes(), Texts(count, kTooWide + " | Error2014122001...")) << x;
        const bool widened = busEnd != 1120;
        EXPECT_EQ(std::pair((editModeFlags & kEditOutputsToRightBus) != 0, fakes.statusBar.panelText(13)),
                  std::pair(widened, std::string(widened ? "InstructionTooMuch...Error..7" : "")));
        EXPECT_EQ(dump(), column == 0 ? Picture{} : Picture{std::string(column, ' ') + "X"}) << x;
    }
}

TEST_F(CanvasMarking, OutputsWriteUpToTheBusOrWidenItAndWriteNothing) {
    EXPECT_EQ(setOutputCells(960, 64) + setOutputCells(1040, 128), 2U);
    EXPECT_EQ(dump(), (Picture{"", "", std::string(24, ' ') + "Y y", "", std::string(26, ' ') + "Y"}));
    startList();
    object(kOut, 1200, 0)->stepNo = 12;
    EXPECT_EQ(setOutputCells(1120, 0), 0U);
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuch...Error..");
    EXPECT_EQ(setNowOutputCells(), 0U);
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuchError..12");
    EXPECT_EQ(boxes(), (Texts{kTooWide + " | Error2014122011...", kTooWide + " | Error2014122021..."}));
    EXPECT_EQ(std::pair(draw.iBusLineEnd, virtualArrayColumns), std::pair(1280U, 40U));
    EXPECT_EQ(std::pair(dump().size(), editModeFlags & kEditOutputsToRightBus), std::pair(5UL, 0x80));
    draw.iBusLineEnd = 1760;  // column 44: one more cell fits, column 48 would not
    EXPECT_EQ(setOutputCells(1760, 0) + setOutputCells(1840, 0), 0U);
    EXPECT_EQ(draw.iBusLineEnd, 1840U);
    EXPECT_EQ(fakes.messages.shown.size(), 4U);
}

TEST_F(CanvasMarking, NothingIsWrittenPastTheLastLineNorWithoutADrawingGeometry) {
    constexpr std::uint32_t kLastLineY = (kCanvasRows / 2 - 1) * 64;
    object(kLd, 80, kLastLineY);
    EXPECT_EQ(setNowObjectCell(), 1U);
    requireRowOnCanvas(kLastLineY);
    object(kLd, 80, kLastLineY + 64);
    EXPECT_EQ(setNowObjectCell() + setNowOutputCells() + setOutputCells(960, kLastLineY + 64), 0U);
    EXPECT_EQ(boxes(), Texts(3, kTooLong));
    EXPECT_THROW(requireRowOnCanvas(kLastLineY + 64), CanvasError);  // the load stops at the first
    EXPECT_EQ(boxes(), Texts(4, kTooLong));
    EXPECT_EQ(dump().size(), static_cast<std::size_t>(kCanvasRows - 1));
    symbleHalfWidth = symbleHalfHeight = 0;  // no division by a zero cell size
    object(kLd, 160, 128);
    eraseCanvasCell(160, 128);
    EXPECT_EQ(setNowObjectCell() + setOutputCells(160, 0) + isBlockOutputBetweenRows(0, 64, 1), 0U);
    EXPECT_EQ(searchLastUsedRow(5), 5U);
    EXPECT_EQ(canvasColumnOf(160), -1);
    EXPECT_FALSE(putCanvasCellAt(160, 128, 'X'));
    setupDrawGeometry();
    EXPECT_EQ(dump().size(), static_cast<std::size_t>(kCanvasRows - 1));
}

TEST_F(CanvasCells, EraseRemovesTheCellsAndRepairsTheLinksBeside) {
    const std::tuple<Picture, std::uint32_t, Picture> cases[] = {
        {{"", "   |", "    X", "   |"}, 160, {"", "   |", "   |", "   |"}},  // links above and below join
        {{"", "     |", "    X"}, 160, {}},                                  // right-up, nothing right: goes
        {{"", "     |", "    X X"}, 160, {"", "     |", "      X"}},         // beside an element it stays
        {{"", "", "  X ~ ~ Y y y"}, 320, {"", "", "  X"}},                   // output, tail and wire
    };
    for (const auto& [before, x, after] : cases) {
        clearVirtualCanvas();
        paint(before);
        eraseCanvasCell(x, 64);
        EXPECT_EQ(dump(), after) << before.back();
    }
}

TEST_F(CanvasCells, LastUsedRow) {
    const std::tuple<Picture, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t> cases[] = {
        {{"  X"}, 320, 0, 2, 1},                              // blank start row: start - 1
        {{"  X", "   |", "  X", "   |"}, 128, 0, 0, 2},       // down to END: E - 2
        {{"  X X", "   |", "  X"}, 384, 160, 0, 0},           // from column 4 the link row is blank
        {{"  X", std::string(31, ' ') + "|"}, 384, 0, 0, 1},  // column 31 counts
        {{"  X", std::string(32, ' ') + "|"}, 384, 0, 0, 0},  // column 32 does not
        {{"X", "P"}, 96, 0, 0, 1},                            // from x 0, column 0 counts
        {{"  X", std::string(31, ' ') + "|", std::string(31, ' ') + "|", std::string(31, ' ') + "|"},
         384,
         1240,
         1,
         3},                         // from column 31 that column alone is looked at
        {{"  X"}, 384, 1320, 2, 1},  // right of column 31 every row is blank
    };
    for (const auto& [picture, endY, x, start, expected] : cases) {
        clearVirtualCanvas();
        paint(picture);
        startList(endY);
        EXPECT_EQ(x == 0 ? searchLastUsedRow(start) : searchLastUsedRowFrom(x, start), expected) << start;
    }
    // Where a long rung widened the bus, the columns up to it count too.
    const std::uint32_t bus = draw.iBusLineEnd;
    draw.iBusLineEnd = 1440;  // column 36
    for (const auto& [column, expected] : {std::pair{33, 1U}, {37, 1U}, {38, 0U}}) {
        clearVirtualCanvas();
        paint({"  X", std::string(static_cast<std::size_t>(column), ' ') + "|"});
        startList(384);
        EXPECT_EQ(searchLastUsedRow(0), expected) << column;
    }
    draw.iBusLineEnd = bus;
}

TEST_F(CanvasCells, BlockOutputBetweenRows) {
    startList();
    for (const auto& [x, y, id] :
         {std::tuple{1040U, 64U, 2U}, {960U, 64U, 2U}, {1040U, 128U, 1U}, {960U, 128U, 1U}})
        object(kOut, x, y, 0, id);
    clearCompileVirtualArray();
    const std::string last = std::string(26, ' ') + "Y", tail = std::string(24, ' ') + "Y y";
    const std::tuple<Picture, std::uint32_t, std::uint32_t, bool> cases[] = {
        {{"", "", last, "", last}, 0, 128, false},  // another block's output decides
        {{"", "", tail, "", last}, 0, 128, true},   // behind another block's tail the scan goes on
        {{"", "", "", "", tail}, 0, 128, true},     // y2's line is
        {{"", "", "", "", last}, 0, 127, false},    // the line below y2 is not
    };
    for (const auto& [picture, y1, y2, expected] : cases) {
        clearVirtualCanvas();
        paint(picture);
        EXPECT_EQ(isBlockOutputBetweenRows(y1, y2, 1), expected) << picture.size() << " " << y1 << " " << y2;
    }
    bCompileVirtualArray.put(26, 2, '1');  // placed by Convert already: passed over
    paint({"", "", last, "", last});
    EXPECT_TRUE(isBlockOutputBetweenRows(0, 128, 1));
}

TEST_F(CanvasCells, LinkTestsAndTheUpwardLinksDrawnFromTheFirstDrawnLineDown) {
    startList();
    stLadderBlock* head = object(kLd, 80, 64);  // row 2
    for (const auto& [x, y] : {std::pair{160U, 128U}, {240U, 64U}, {160U, 256U}}) object(kAnd, x, y);
    paint({"", "   |", "", "     |", "", "     |", "", "   |"});
    setCanvasCell(39, 1, '|');
    setCanvasCell(39, 3, '|');
    EXPECT_EQ((std::vector<bool>{hasLineLeftUp(160, 256), hasLineRightUp(80, 64), hasLineLeftDown(240, 64),
                                 hasLineRightDown(160, 128), hasLineLeftUp(80, 64), hasLineRightUp(400, 64),
                                 hasLineLeftDown(80, 64), hasLineRightDown(80, 64)}),
              (std::vector<bool>{true, true, true, true, false, false, false, false}));
    RecordingView view;
    drawVerticalLinesOfRows(2);  // no view installed, and then no line drawn yet: nothing happens
    installLadderView(&view);
    drawVerticalLinesOfRows(2);
    ldrDrawHead = head;
    for (const std::uint32_t top : {0U, 64U}) {
        viewTopY = top;  // scrolled: the first line's own links too
        drawVerticalLinesOfRows(2);
    }
    installLadderView(nullptr);
    EXPECT_EQ(view.segments, (Texts{"1 240,128 32 100", "1 240,192 32 100", "1 160,64 32 100",
                                    "1 1600,64 32 100", "1 240,128 32 100", "1 240,192 32 100"}));
}

TEST(CanvasGridRows, ClearingKeepsWhatTheFillLeavesOutAndCopiesReadAsTheirSource) {
    CanvasGrid grid, copy;
    EXPECT_TRUE(grid.put(3, 9000, 'X') && grid.put(45, 5, 'Y'));
    grid.fill(40, ' ');  // column 45 was written: it keeps its cell, the rest reads blank
    EXPECT_EQ(std::string({grid.at(3, 9000), grid.at(45, 5), grid.at(45, 6), grid.at(39, kCanvasRows - 1)}),
              std::string({' ', 'Y', '\0', ' '}));
    copy.put(2, 70000, 'Z');
    copy.copyColumnsFrom(grid, 40);  // columns 0..39 from the grid, 40.. its own
    EXPECT_EQ(std::string({copy.at(2, 70000), copy.at(45, 5), copy.at(39, 0)}),
              std::string({' ', '\0', ' '}));
    copy.fill(48, ' ');
    grid.fill(48, ' ');
    EXPECT_TRUE(copy == grid);  // whatever rows each stores
    grid.put(0, 0, 'X');
    EXPECT_FALSE(copy == grid);
}

// A row reads as its cells do one by one, also just past a whole chunk of stored rows; a cell
// written there is stored.
TEST(CanvasGridRows, ARowReadsAsItsCellsAndACellPastTheStoredRowsIsStored) {
    CanvasGrid grid;
    grid.fill(48, ' ');
    EXPECT_TRUE(grid.put(7, 255, 'X'));  // rows 0 to 255 stored: one whole chunk
    for (const std::int64_t row : {std::int64_t{255}, std::int64_t{256}, kCanvasRows - 1}) {
        const char* cells = grid.rowCells(row);
        ASSERT_NE(cells, nullptr);
        for (std::int64_t column = 0; column < kCanvasColumns; ++column)
            EXPECT_EQ(cells[column], grid.at(column, row)) << row << "," << column;
    }
    EXPECT_EQ(grid.rowCells(-1), nullptr);
    EXPECT_EQ(grid.rowCells(kCanvasRows), nullptr);
    EXPECT_TRUE(grid.put(7, 256, 'Y'));
    EXPECT_EQ(std::string({grid.at(7, 255), grid.at(7, 256), grid.at(7, 257)}), "XY ");
    // Columns written one after the other are all kept by a fill that leaves the last one out.
    CanvasGrid next;
    EXPECT_TRUE(next.put(4, 0, 'A') && next.put(5, 0, 'B'));
    next.fill(5, ' ');
    EXPECT_EQ(std::string({next.at(4, 0), next.at(5, 0)}), " B");
}

// The copy of the columns in use shares the source's rows: it reads as the source there and as
// itself beyond, taken once or again after a few cells changed, and a cell written in either grid
// afterwards is that grid's alone.
TEST(CanvasGridRows, ACopyOfTheColumnsInUseReadsAsTheSourceThereAndAsItselfBeyond) {
    CanvasGrid grid, copy;
    grid.fill(40, ' ');
    copy.fill(40, ' ');
    for (const std::int64_t row : {std::int64_t{0}, std::int64_t{300}, std::int64_t{9000}})
        EXPECT_TRUE(grid.put(row % 37, row, 'X'));
    EXPECT_TRUE(grid.put(45, 300, 'Y'));  // beyond the copied columns: not copied
    EXPECT_TRUE(grid.put(40, 301, ' '));  // a blank there too: the copy keeps its '\0'
    EXPECT_TRUE(copy.put(41, 9000, 'Z') && copy.put(3, 5, 'Q') && copy.put(47, 20000, 'W'));
    const auto expectCopied = [&](const CanvasGrid& before, const char* when) {
        for (std::int64_t row = 0; row <= 20001; ++row)
            for (std::int64_t column = 0; column < kCanvasColumns; ++column)
                ASSERT_EQ(copy.at(column, row), (column < 40 ? grid : before).at(column, row))
                    << when << " " << column << "," << row;
    };
    CanvasGrid before = copy;
    copy.copyColumnsFrom(grid, 40);
    expectCopied(before, "first");
    EXPECT_TRUE(grid.put(7, 300, 'S') && grid.put(39, 19999, 'T'));
    before = copy;
    copy.copyColumnsFrom(grid, 40);
    expectCopied(before, "again");
    EXPECT_TRUE(copy.put(0, 0, '#') && grid.put(1, 9000, '|'));
    EXPECT_EQ(std::string({grid.at(0, 0), copy.at(1, 9000), copy.at(45, 300)}),
              std::string({'X', ' ', '\0'}));
}

// What is asked of the view while a hold stands (the instruction box is up) reaches it once, when
// the last hold has gone, commands inside included.
TEST_F(CanvasCells, WhileAHoldStandsTheViewScrollsOnceWhenTheLastHoldHasGone) {
    struct ScrollingView : LadderView {
        void drawVerticalLineSegment(int, std::uint32_t, std::uint32_t, std::uint32_t,
                                     std::uint32_t) override {}
        void scrollTo(const ViewScroll& scroll) override { scrolls.push_back(scroll); }
        std::vector<ViewScroll> scrolls;
    } view;
    installLadderView(&view);
    requestViewScroll(ViewScroll::toFrame());
    EXPECT_EQ(view.scrolls.size(), 1u);
    {
        const ViewScrollHold box;
        requestViewScroll(ViewScroll::toTop(64));
        {
            const ViewScrollHold inner;
            EXPECT_TRUE(runCommand([] { requestViewScroll(ViewScroll::toFrame()); }));
        }
        EXPECT_EQ(view.scrolls.size(), 1u);
    }
    installLadderView(nullptr);
    ASSERT_EQ(view.scrolls.size(), 2u);
    EXPECT_EQ(view.scrolls[1].topY, std::optional<std::uint32_t>(64));
    EXPECT_TRUE(view.scrolls[1].frame);
}

}  // namespace
}  // namespace kestrion::test
