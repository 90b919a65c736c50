#include "model/VirtualCanvas.h"

#include "model/CanvasTestSupport.h"
#include "model/EditorState.h"
#include "model/EditorServices.h"

namespace kestrion::testing {
namespace {

using CanvasGeometry = CanvasTest;
using CanvasMarking = CanvasTest;
using CanvasErase = CanvasTest;
using CanvasSearch = CanvasTest;
using CanvasCopies = CanvasTest;

const std::string kTooWide = "Device too much error ... ";

// ---- Start-up geometry and the bounded grid -----------------------------------------------------

TEST_F(CanvasGeometry, StartUpHalfCellsPlaceAnElementAtPixel160x128InColumn4Row4) {
    startList();
    object(kLd, 160, 128);
    EXPECT_EQ(setNowObjectCell(), 1U);
    EXPECT_EQ(dump(), (Picture{"", "", "", "", "    X"}));
    EXPECT_EQ(rightBusColumn(), 28);
    EXPECT_EQ(lastCellColumn(), 26);
}

TEST_F(CanvasGeometry, ClearBlanksOnlyTheColumnsInUse) {
    EXPECT_EQ(VirtualArray.at(39, 8191), ' ');
    EXPECT_EQ(VirtualArray.at(40, 0), '\0');
}

TEST_F(CanvasGeometry, CellsOutsideTheGridReadBlankAndRefuseWrites) {
    const CanvasGrid before = VirtualArray;
    for (auto [column, row] : {std::pair{-1, 0}, {0, -1}, {48, 0}, {0, 8192}, {-1, -1}}) {
        EXPECT_FALSE(VirtualArray.put(column, row, 'X')) << column << "," << row;
        EXPECT_EQ(VirtualArray.at(column, row), ' ');
    }
    EXPECT_TRUE(VirtualArray == before);
    EXPECT_TRUE(VirtualArray.put(47, 8191, 'X'));
    EXPECT_EQ(VirtualArray.at(47, 8191), 'X');
}

TEST_F(CanvasGeometry, WithoutDrawingGeometryNothingIsMarkedAndNothingFails) {
    symbleHalfWidth = 0;  // no drawing geometry yet
    symbleHalfHeight = 0;
    startList();
    object(kLd, 160, 128);
    EXPECT_EQ(setNowObjectCell(), 0U);
    EXPECT_EQ(setOutputCells(160, 0), 0U);
    eraseCanvasCell(160, 128);
    EXPECT_EQ(searchLastUsedRow(5), 5U);
    EXPECT_FALSE(isBlockOutputBetweenRows(0, 640, 1));
    setupDrawGeometry();
    EXPECT_EQ(dump(), Picture{});
}

// ---- Marking objects and outputs ----------------------------------------------------------------

TEST_F(CanvasMarking, ObjectCellsByCode) {
    startList();
    const std::pair<std::uint16_t, char> cases[] = {{kLd, 'X'}, {kStl, 'S'}, {kCodeNop, '-'}, {kOut, 'X'}};
    for (const auto& [code, cell] : cases) {
        clearVirtualCanvas();
        object(code, 80, 0);
        EXPECT_EQ(setNowObjectCell(), 1U);
        EXPECT_EQ(dump(), Picture{std::string("  ") + cell}) << code;
    }
}

struct WideCase {
    std::uint32_t x;
    std::uint32_t result;
    std::uint32_t busEnd;  // after
    std::uint32_t columns;
    std::size_t boxes;
    std::int64_t column;  // where the cell lands, -1 none
};

TEST_F(CanvasMarking, ContactAtOrPastTheRightBusWidensOneCellPerStepUntilTheGridIsFull) {
    const WideCase cases[] = {
        {1040, 1, 1120, 40, 0, 26},  // last cell before the bus
        {1120, 0, 1200, 42, 1, 28},  // at the bus: one widening, one box
        {1200, 0, 1280, 44, 2, 30},
        {1360, 0, 1440, 48, 4, 34},  // the last widening the grid holds
        {1440, 0, 1120, 40, 1, -1},  // would need 50 columns: refused, nothing written
    };
    for (const WideCase& c : cases) {
        resetAllState();
        fakes.messages.shown.clear();
        fakes.statusBar.setPanelText(13, "");
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        setupDrawGeometry();
        clearVirtualCanvas();
        startList();
        object(kLd, c.x, 0)->stepNo = 7;
        EXPECT_EQ(setNowObjectCell(), c.result) << c.x;
        EXPECT_EQ(draw.iBusLineEnd, c.busEnd) << c.x;
        EXPECT_EQ(virtualArrayColumns, c.columns) << c.x;
        ASSERT_EQ(fakes.messages.shown.size(), c.boxes) << c.x;
        for (const auto& box : fakes.messages.shown) {
            EXPECT_EQ(box.text, kTooWide);
            EXPECT_EQ(box.caption, "Error2014122001...");
            EXPECT_EQ(box.icon, platform::MsgIcon::Error);
        }
        const bool widened = c.busEnd != 1120;
        EXPECT_EQ((editModeFlags & kEditOutputsToRightBus) != 0, widened) << c.x;
        EXPECT_EQ(fakes.statusBar.panelText(13), widened ? "InstructionTooMuch...Error..7" : "") << c.x;
        for (std::int64_t column = 0; column < 48; ++column)
            EXPECT_EQ(VirtualArray.at(column, 0) == 'X', column == c.column) << c.x << " column " << column;
    }
}

TEST_F(CanvasMarking, OutputWritesYAndTailUpToTheBus) {
    EXPECT_EQ(setOutputCells(960, 64), 1U);
    EXPECT_EQ(setOutputCells(1040, 128), 1U);
    EXPECT_EQ(dump(), (Picture{"", "", "                        Y y", "", "                          Y"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CanvasMarking, OutputAtTheBusWidensTheBusOnlyAndWritesNothing) {
    startList();
    object(kOut, 1200, 0)->stepNo = 12;
    EXPECT_EQ(setOutputCells(1120, 0), 0U);
    EXPECT_EQ(boxes(), (std::vector<std::string>{kTooWide + " | Error2014122011..."}));
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuch...Error..");
    EXPECT_EQ(setNowOutputCells(), 0U);
    EXPECT_EQ(fakes.messages.shown.back().caption, "Error2014122021...");
    EXPECT_EQ(fakes.statusBar.panelText(13), "InstructionTooMuchError..12");
    EXPECT_EQ(draw.iBusLineEnd, 1280U);
    EXPECT_EQ(virtualArrayColumns, 40U);
    EXPECT_NE(editModeFlags & kEditOutputsToRightBus, 0);
    EXPECT_EQ(dump(), Picture{});
}

TEST_F(CanvasMarking, OutputWideningStopsBeforeTheBusLeavesTheGrid) {
    draw.iBusLineEnd = 1760;  // column 44: one more cell still fits
    EXPECT_EQ(setOutputCells(1760, 0), 0U);
    EXPECT_EQ(draw.iBusLineEnd, 1840U);
    EXPECT_EQ(setOutputCells(1840, 0), 0U);  // column 48 would be outside
    EXPECT_EQ(draw.iBusLineEnd, 1840U);
    EXPECT_EQ(fakes.messages.shown.size(), 2U);
    EXPECT_EQ(dump(), Picture{});
}

TEST_F(CanvasMarking, ALadderPastTheLastLineIsRefusedWithAMessage) {
    startList();
    object(kLd, 80, 4095 * 64);
    EXPECT_EQ(setNowObjectCell(), 1U);
    object(kLd, 80, 4096 * 64);
    EXPECT_EQ(setNowObjectCell(), 0U);
    EXPECT_EQ(setNowOutputCells(), 0U);
    EXPECT_EQ(setOutputCells(960, 4096 * 64), 0U);
    EXPECT_EQ(boxes(), std::vector<std::string>(3, std::string(kLadderTooLongText) + " | " + kLadderTooLongCaption));
    EXPECT_EQ(VirtualArray.at(2, 8190), 'X');
    const Picture marked = dump();
    EXPECT_EQ(marked.size(), 8191U);
}

TEST_F(CanvasMarking, TheLanguageLayerSuppliesTheTooWideText) {
    setDeviceTooMuchSource([] { return std::string("DeviceTooMuchError"); });
    setOutputCells(1120, 0);
    setDeviceTooMuchSource(nullptr);
    setOutputCells(1200, 0);
    EXPECT_EQ(fakes.messages.shown.at(0).text, "DeviceTooMuchError");
    EXPECT_EQ(fakes.messages.shown.at(1).text, kTooWide);
}

// ---- Erasing ------------------------------------------------------------------------------------

struct EraseCase {
    const char* name;
    Picture before;
    std::uint32_t x, y;
    Picture after;
};

TEST_F(CanvasErase, CellsAndTheLinksBesideThem) {
    const EraseCase cases[] = {
        {"links above and below stay joined", {"  X X", "   |", "    X", "   |", "    X"}, 160, 64,
         {"  X X", "   |", "   |", "   |", "    X"}},
        {"a link above alone goes", {"  X X", "   |", "    X"}, 160, 64, {"  X X"}},
        {"right-up link with nothing right goes", {"  X X", "     |", "    X"}, 160, 64, {"  X X"}},
        {"right-up link kept beside an element", {"  X X X", "     |", "    X X"}, 160, 64,
         {"  X X X", "     |", "      X"}},
        {"output, its tail and its wire", {"  X ~ ~ Y y y"}, 320, 0, {"  X"}},
        {"the wire stops at the first other cell", {"  ~ X ~ ~ Y y"}, 400, 0, {"  ~ X"}},
        {"a blank cell still drops a dangling right-up link", {"  X", "     |"}, 160, 64, {"  X"}},
        {"a label in column 0 on line 0", {"P X"}, 0, 0, {"  X"}},
    };
    for (const EraseCase& c : cases) {
        clearVirtualCanvas();
        paint(c.before);
        eraseCanvasCell(c.x, c.y);
        EXPECT_EQ(dump(), c.after) << c.name;
    }
}

// ---- Searches and tests -------------------------------------------------------------------------

TEST_F(CanvasSearch, LastUsedRow) {
    struct Case {
        Picture picture;
        std::uint32_t endY, x, start, expected;
    };
    const Case cases[] = {
        {{"  X"}, 320, 0, 2, 1},                            // blank start row: start - 1
        {{"  X"}, 320, 0, 10, 10},                          // start row at END's row
        {{"  X", "   |", "  X", "   |"}, 128, 0, 0, 2},   // down to END: E - 2
        {{"  X X", "   |", "  X"}, 384, 0, 0, 2},          // stops at the first blank row
        {{"  X X", "   |", "  X"}, 384, 160, 0, 0},        // from column 4 the link row is blank
        {{"  X", "                               |"}, 384, 0, 0, 1},  // column 31 counts
        {{"  X", "                                |"}, 384, 0, 0, 0},  // column 32 does not
    };
    for (const Case& c : cases) {
        clearVirtualCanvas();
        paint(c.picture);
        startList(1040, c.endY);
        EXPECT_EQ(c.x == 0 ? searchLastUsedRow(c.start) : searchLastUsedRowFrom(c.x, c.start), c.expected)
            << c.picture.size() << " start " << c.start << " x " << c.x;
    }
}

TEST_F(CanvasSearch, LinkTestsLookAtTheirOwnCornerOfAnObject) {
    startList();
    object(kAnd, 160, 128);
    using Test = bool (*)(std::uint32_t, std::uint32_t);
    const std::pair<Test, std::pair<int, int>> tests[] = {
        {hasLineLeftUp, {3, 3}}, {hasLineRightUp, {5, 3}}, {hasLineLeftDown, {3, 5}}, {hasLineRightDown, {5, 5}}};
    for (const auto& [painted, cell] : tests) {
        clearVirtualCanvas();
        setCanvasCell(cell.first, cell.second, '|');
        for (const auto& [test, other] : tests) EXPECT_EQ(test(160, 128), other == cell) << cell.first << cell.second;
        EXPECT_FALSE(painted(240, 128));  // no object there
        EXPECT_EQ(ldrSearch, nullptr);
    }
}

TEST_F(CanvasSearch, BlockOutputBetweenRows) {
    struct Case {
        const char* name;
        Picture picture;
        std::uint32_t y1, y2;
        bool expected;
    };
    startList();
    object(kOut, 1040, 64, 0, 2);
    object(kOut, 960, 64, 0, 2);
    object(kOut, 1040, 128, 0, 1);
    object(kOut, 960, 128, 0, 1);
    clearCompileVirtualArray();
    const Case cases[] = {
        {"the first output of another block decides", {"", "", "                          Y", "", "                          Y"}, 0, 128, false},
        {"behind a tail of another block it looks on", {"", "", "                        Y y", "", "                          Y"}, 0, 128, true},
        {"a tail leads to its own block's output", {"", "", "", "", "                        Y y"}, 0, 128, true},
        {"the line of y1 is not looked at", {"", "", "                          Y"}, 64, 128, false},
        {"y2's line is included", {"", "", "", "", "                          Y"}, 0, 128, true},
        {"and the line below it is not", {"", "", "", "", "                          Y"}, 0, 127, false},
    };
    for (const Case& c : cases) {
        clearVirtualCanvas();
        paint(c.picture);
        EXPECT_EQ(isBlockOutputBetweenRows(c.y1, c.y2, 1), c.expected) << c.name;
    }
    // An output Convert has already marked is passed over.
    clearVirtualCanvas();
    paint({"", "", "                          Y", "", "                          Y"});
    bCompileVirtualArray.put(26, 2, '1');
    EXPECT_TRUE(isBlockOutputBetweenRows(0, 128, 1));
}

// ---- Copies and the drawing of links --------------------------------------------------------------

TEST_F(CanvasCopies, SaveAndRestoreBySlot) {
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

class RecordingView : public LadderView {
public:
    void drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                                 std::uint32_t zoom) override {
        segments.push_back(std::to_string(direction) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                           std::to_string(dy) + " " + std::to_string(zoom));
    }
    void scrollToFrame() override { ++scrolls; }
    std::vector<std::string> segments;
    int scrolls = 0;
};

TEST_F(CanvasCopies, UpwardLinksAreDrawnFromTheFirstDrawnLineDown) {
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
    EXPECT_EQ(view.segments, (std::vector<std::string>{"1 240,128 32 100", "1 240,192 32 100"}));
    view.segments.clear();
    viewTopY = 64;
    drawVerticalLinesOfRows(2);
    installLadderView(nullptr);
    EXPECT_EQ(view.segments,
              (std::vector<std::string>{"1 160,64 32 100", "1 1600,64 32 100", "1 240,128 32 100", "1 240,192 32 100"}));
}

}  // namespace
}  // namespace kestrion::testing
