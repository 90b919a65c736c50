#include "model/VirtualCanvas.h"

#include "model/CanvasTestSupport.h"
#include "model/EditorServices.h"
#include "model/EditorState.h"

namespace kestrion::testing {
namespace {

using CanvasGeometry = CanvasTest;
using CanvasMarking = CanvasTest;
using CanvasCells = CanvasTest;

const std::string kTooWide = "Device too much error ... ";
const std::string kTooLong = std::string(kLadderTooLongText) + " | " + kLadderTooLongCaption;

// ---- Start-up geometry and the bounded grid -------------------------------------------------------

TEST_F(CanvasGeometry, StartUpHalfCellsPlaceAnElementAtPixel160x128InColumn4Row4) {
    startList();
    object(kLd, 160, 128);
    EXPECT_EQ(setNowObjectCell(), 1U);
    EXPECT_EQ(dump(), (Picture{"", "", "", "", "    X"}));
    EXPECT_EQ(std::vector<std::int64_t>({firstCellColumn(), lastCellColumn(), rightBusColumn()}),
              std::vector<std::int64_t>({2, 26, 28}));
    EXPECT_EQ(VirtualArray.at(39, 8191), ' ');  // cleared: the 40 columns in use only
    EXPECT_EQ(VirtualArray.at(40, 0), '\0');
}

TEST_F(CanvasGeometry, CellsOutsideTheGridReadBlankAndRefuseWrites) {
    const CanvasGrid before = VirtualArray;
    for (auto [column, row] : {std::pair{-1, 0}, {0, -1}, {48, 0}, {0, 8192}}) {
        EXPECT_FALSE(VirtualArray.put(column, row, 'X')) << column << "," << row;
        EXPECT_EQ(VirtualArray.at(column, row), ' ');
    }
    EXPECT_TRUE(VirtualArray == before);
    EXPECT_TRUE(VirtualArray.put(47, 8191, 'X'));
}

TEST_F(CanvasGeometry, WithoutDrawingGeometryNothingIsMarkedAndNothingFails) {
    symbleHalfWidth = 0;
    symbleHalfHeight = 0;
    startList();
    object(kLd, 160, 128);
    EXPECT_EQ(setNowObjectCell() + setOutputCells(160, 0), 0U);
    eraseCanvasCell(160, 128);
    EXPECT_EQ(searchLastUsedRow(5), 5U);
    EXPECT_FALSE(isBlockOutputBetweenRows(0, 640, 1));
    setupDrawGeometry();
    EXPECT_EQ(dump(), Picture{});
}

// ---- Marking objects and outputs --------------------------------------------------------------------

TEST_F(CanvasMarking, ObjectCellsByCode) {
    startList();
    for (const auto& [code, cell] : {std::pair{kLd, 'X'}, {kStl, 'S'}, {kCodeNop, '-'}, {kOut, 'X'}}) {
        clearVirtualCanvas();
        object(code, 80, 0);
        EXPECT_EQ(setNowObjectCell(), 1U);
        EXPECT_EQ(dump(), Picture{std::string("  ") + cell}) << code;
    }
}

TEST_F(CanvasMarking, ContactAtOrPastTheRightBusWidensOneCellPerStepUntilTheGridIsFull) {
    struct Case {
        std::uint32_t x, result, busEnd, columns;
        std::size_t boxes;
        std::int64_t column;  // where the cell lands, -1 nowhere
    } const cases[] = {
        {1040, 1, 1120, 40, 0, 26}, {1120, 0, 1200, 42, 1, 28}, {1200, 0, 1280, 44, 2, 30},
        {1360, 0, 1440, 48, 4, 34},  // the last widening the grid holds
        {1440, 0, 1120, 40, 1, -1},  // would need 50 columns: refused, nothing written
    };
    for (const Case& c : cases) {
        restart();
        object(kLd, c.x, 0)->stepNo = 7;
        EXPECT_EQ(setNowObjectCell(), c.result) << c.x;
        EXPECT_EQ(std::vector<std::uint32_t>({draw.iBusLineEnd, virtualArrayColumns}),
                  std::vector<std::uint32_t>({c.busEnd, c.columns}))
            << c.x;
        EXPECT_EQ(boxes(), Texts(c.boxes, kTooWide + " | Error2014122001...")) << c.x;
        const bool widened = c.busEnd != 1120;
        EXPECT_EQ((editModeFlags & kEditOutputsToRightBus) != 0, widened) << c.x;
        EXPECT_EQ(fakes.statusBar.panelText(13), widened ? "InstructionTooMuch...Error..7" : "") << c.x;
        for (std::int64_t column = 0; column < 48; ++column)
            EXPECT_EQ(VirtualArray.at(column, 0) == 'X', column == c.column) << c.x << " column " << column;
    }
}

TEST_F(CanvasMarking, OutputsWriteUpToTheBusOrWidenItAndWriteNothing) {
    EXPECT_EQ(setOutputCells(960, 64) + setOutputCells(1040, 128), 2U);
    EXPECT_EQ(dump(), (Picture{"", "", "                        Y y", "", "                          Y"}));
    startList();
    object(kOut, 1200, 0)->stepNo = 12;
    EXPECT_EQ(setOutputCells(1120, 0), 0U);
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuch...Error..");
    EXPECT_EQ(setNowOutputCells(), 0U);
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuchError..12");
    EXPECT_EQ(boxes(), (Texts{kTooWide + " | Error2014122011...",
                                                 kTooWide + " | Error2014122021..."}));
    EXPECT_EQ(std::vector<std::uint32_t>({draw.iBusLineEnd, virtualArrayColumns}),
              std::vector<std::uint32_t>({1280, 40}));
    EXPECT_NE(editModeFlags & kEditOutputsToRightBus, 0);
    EXPECT_EQ(dump().size(), 5U);  // nothing on line 0
    draw.iBusLineEnd = 1760;      // column 44: one more cell fits, column 48 would not
    EXPECT_EQ(setOutputCells(1760, 0) + setOutputCells(1840, 0), 0U);
    EXPECT_EQ(draw.iBusLineEnd, 1840U);
    EXPECT_EQ(fakes.messages.shown.size(), 4U);
}

TEST_F(CanvasMarking, ALadderPastTheLastLineIsRefusedWithAMessage) {
    startList();
    object(kLd, 80, 4095 * 64);
    EXPECT_EQ(setNowObjectCell(), 1U);
    object(kLd, 80, 4096 * 64);
    EXPECT_EQ(setNowObjectCell() + setNowOutputCells() + setOutputCells(960, 4096 * 64), 0U);
    EXPECT_EQ(boxes(), Texts(3, kTooLong));
    EXPECT_EQ(dump().size(), 8191U);
}

TEST_F(CanvasMarking, TheLanguageLayerSuppliesTheTooWideText) {
    setDeviceTooMuchSource([] { return std::string("DeviceTooMuchError"); });
    setOutputCells(1120, 0);
    setDeviceTooMuchSource(nullptr);
    setOutputCells(1200, 0);
    EXPECT_EQ(fakes.messages.shown.at(0).text, "DeviceTooMuchError");
    EXPECT_EQ(fakes.messages.shown.at(1).text, kTooWide);
}

// ---- Erasing, searches and tests --------------------------------------------------------------------

TEST_F(CanvasCells, EraseRemovesTheCellsAndRepairsTheLinksBeside) {
    struct Case {
        const char* name;
        Picture before;
        std::uint32_t x, y;
        Picture after;
    } const cases[] = {
        {"links above and below stay joined", {"", "   |", "    X", "   |"}, 160, 64, {"", "   |", "   |", "   |"}},
        {"a link above alone goes", {"", "   |", "    X"}, 160, 64, {}},
        {"right-up link with nothing right goes", {"", "     |", "    X"}, 160, 64, {}},
        {"right-up link beside an element stays", {"", "     |", "    X X"}, 160, 64, {"", "     |", "      X"}},
        {"output, tail and wire", {"  X ~ ~ Y y y"}, 320, 0, {"  X"}},
        {"the wire stops at another cell", {"  ~ X ~ ~ Y y"}, 400, 0, {"  ~ X"}},
        {"a blank cell drops a dangling right-up link", {"  X", "     |"}, 160, 64, {"  X"}},
        {"a label on line 0", {"P X"}, 0, 0, {"  X"}},
    };
    for (const Case& c : cases) {
        clearVirtualCanvas();
        paint(c.before);
        eraseCanvasCell(c.x, c.y);
        EXPECT_EQ(dump(), c.after) << c.name;
    }
}

TEST_F(CanvasCells, LastUsedRow) {
    struct Case {
        Picture picture;
        std::uint32_t endY, x, start, expected;
    } const cases[] = {
        {{"  X"}, 320, 0, 2, 1},                           // blank start row: start - 1
        {{"  X"}, 320, 0, 10, 10},                         // start row at END's row
        {{"  X", "   |", "  X", "   |"}, 128, 0, 0, 2},  // down to END: E - 2
        {{"  X X", "   |", "  X"}, 384, 0, 0, 2},         // up to the first blank row
        {{"  X X", "   |", "  X"}, 384, 160, 0, 0},       // from column 4 the link row is blank
        {{"  X", std::string(31, ' ') + "|"}, 384, 0, 0, 1},  // column 31 counts
        {{"  X", std::string(32, ' ') + "|"}, 384, 0, 0, 0},  // column 32 does not
    };
    for (const Case& c : cases) {
        clearVirtualCanvas();
        paint(c.picture);
        startList(1040, c.endY);
        EXPECT_EQ(c.x == 0 ? searchLastUsedRow(c.start) : searchLastUsedRowFrom(c.x, c.start), c.expected)
            << c.picture.size() << " start " << c.start << " x " << c.x;
    }
}

TEST_F(CanvasCells, LinkTestsLookAtTheirOwnCornerOfAnObject) {
    startList();
    object(kAnd, 160, 128);
    using Test = bool (*)(std::uint32_t, std::uint32_t);
    const std::pair<Test, std::pair<int, int>> tests[] = {
        {hasLineLeftUp, {3, 3}}, {hasLineRightUp, {5, 3}}, {hasLineLeftDown, {3, 5}}, {hasLineRightDown, {5, 5}}};
    for (const auto& [painted, cell] : tests) {
        clearVirtualCanvas();
        setCanvasCell(cell.first, cell.second, '|');
        for (const auto& [test, other] : tests) EXPECT_EQ(test(160, 128), other == cell);
        EXPECT_FALSE(painted(240, 128));  // no object there
        EXPECT_EQ(ldrSearch, nullptr);
    }
}

TEST_F(CanvasCells, BlockOutputBetweenRows) {
    startList();
    for (std::uint32_t x : {1040U, 960U}) {
        object(kOut, x, 64, 0, 2);
        object(kOut, x, 128, 0, 1);
    }
    clearCompileVirtualArray();
    const std::string last(26, ' ');
    const std::string tail(24, ' ');
    struct Case {
        const char* name;
        Picture picture;
        std::uint32_t y1, y2;
        bool expected;
    } const cases[] = {
        {"another block's output decides", {"", "", last + "Y", "", last + "Y"}, 0, 128, false},
        {"behind its tail the scan goes on", {"", "", tail + "Y y", "", last + "Y"}, 0, 128, true},
        {"a tail leads to its own output", {"", "", "", "", tail + "Y y"}, 0, 128, true},
        {"y1's line is not looked at", {"", "", last + "Y"}, 64, 128, false},
        {"y2's line is", {"", "", "", "", last + "Y"}, 0, 128, true},
        {"the line below y2 is not", {"", "", "", "", last + "Y"}, 0, 127, false},
    };
    for (const Case& c : cases) {
        clearVirtualCanvas();
        paint(c.picture);
        EXPECT_EQ(isBlockOutputBetweenRows(c.y1, c.y2, 1), c.expected) << c.name;
    }
    bCompileVirtualArray.put(26, 2, '1');  // placed by Convert already: passed over
    paint({"", "", last + "Y"});
    EXPECT_TRUE(isBlockOutputBetweenRows(0, 128, 1));
}

// ---- Copies and the drawing of links ----------------------------------------------------------------

TEST_F(CanvasCells, SaveAndRestoreBySlot) {
    paint({"  X Y", "   |"});
    VirtualArray.put(45, 0, 'Q');  // outside the columns in use
    backupVirtualCanvas(1);
    const CanvasGrid saved = VirtualArray;
    paint({"      X"});
    backupVirtualCanvas(0);
    backupVirtualCanvas(2);
    clearVirtualCanvas();
    restoreVirtualCanvas(2);
    EXPECT_EQ(dump(), Picture{});
    restoreVirtualCanvas(1);
    EXPECT_TRUE(VirtualArray == saved);
    EXPECT_EQ(BkVirtualArray.at(45, 0), '\0');
    restoreVirtualCanvas(0);
    EXPECT_EQ(dump(), (Picture{"  X Y X", "   |"}));
}

TEST_F(CanvasCells, UpwardLinksAreDrawnFromTheFirstDrawnLineDown) {
    startList();
    ldrDrawHead = object(kLd, 80, 64);  // row 2
    // Above row 2 at columns 4 and 40, above rows 4 and 6 at column 6, above row 8 (past n) at 4.
    paint({"", "   |", "", "     |", "", "     |", "", "   |"});
    setCanvasCell(39, 1, '|');
    setCanvasCell(39, 3, '|');
    drawVerticalLinesOfRows(2);  // no view installed: nothing happens
    RecordingView view;
    installLadderView(&view);
    drawVerticalLinesOfRows(2);
    viewTopY = 64;
    drawVerticalLinesOfRows(2);
    installLadderView(nullptr);
    EXPECT_EQ(view.segments, (Texts{"1 240,128 32 100", "1 240,192 32 100", "1 160,64 32 100",
                                                       "1 1600,64 32 100", "1 240,128 32 100", "1 240,192 32 100"}));
}

}  // namespace
}  // namespace kestrion::testing
