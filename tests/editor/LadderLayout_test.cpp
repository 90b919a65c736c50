#include "editor/LadderLayout.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "editor/DrawTimer.h"
#include "editor/EditorViewState.h"
#include "editor/ViewTestSupport.h"
#include "model/image/CommentLists.h"
#include "model/ladder/EditMarks.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using ::testing::IsSupersetOf;

class LadderLayoutTest : public ViewTest {};

// Each case of the golden file: "zoom code mnemonic x xEnd end operands...", then the object's
// strokes up to a blank line.
TEST_F(LadderLayoutTest, SymbolsHaveTheirStrokesAtEachZoom) {
    std::ifstream golden(test::testSource("tests/editor/golden/symbols.txt"));
    ASSERT_TRUE(golden);
    for (std::string header; std::getline(golden, header);) {
        if (header.empty() || header[0] == '#') continue;
        std::istringstream words(header);
        std::string code, mnemonic, operand;
        std::uint32_t zoom = 0, x = 0, xEnd = 0, end = 0;
        words >> zoom >> code >> mnemonic >> x >> xEnd >> end;
        stLadderBlock* o =
            object(static_cast<std::uint16_t>(std::stoul(code, nullptr, 16)), x, 0, 0, 1, mnemonic.c_str());
        std::tie(o->Xend, o->end) = std::pair{xEnd, end};
        for (std::size_t i = 0; words >> operand; ++i) setText(o->operands[i], operand);
        Texts expected;
        for (std::string line; std::getline(golden, line) && !line.empty();) expected.push_back(line);
        zoomPercent = zoom;
        EXPECT_EQ(describe(objectPrimitives(*o)), expected) << header;
    }
}

TEST_F(LadderLayoutTest, TheVisibleRangeRunsToTheFirstBlockWhollyBelowTheView) {
    restart(384);
    // Block 4 comes back to its first row after its branch one line lower.
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {{0, 1},   {64, 2},  {128, 3}, {192, 3},
                                                            {256, 4}, {320, 4}, {256, 4}};
    std::vector<const stLadderBlock*> made;
    for (const auto& [y, id] : rows) made.push_back(object(kLd, 80, y, 0, id));
    ldrTail->objLbc = 5;
    struct Case {
        std::uint32_t zoom, scroll, height, top, bottom;
        const stLadderBlock* head;
        const stLadderBlock* tail;
    };
    const Case cases[] = {
        {100, 128, 192, 128, 320, made[2], ldrTail}, {100, 150, 100, 150, 250, made[2], made[4]},
        {50, 64, 32, 128, 192, made[2], made[4]},    {150, 0, 96, 0, 64, made[0], made[1]},
        {100, 0, 2000, 0, 2000, made[0], nullptr},   {100, 5000, 100, 5000, 5100, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        zoomPercent = c.zoom;
        const VisibleRange range = visibleRange(c.scroll, c.height);
        EXPECT_EQ(std::make_pair(range.topY, range.bottomY), std::make_pair(c.top, c.bottom)) << c.scroll;
        EXPECT_EQ(range.head, c.head) << c.scroll;
        EXPECT_EQ(range.tail, c.tail) << c.scroll;
    }
}

// The device comments at 100 % are drawn at 8 points (two lines of them fit under the symbol), the
// block and coil comments, one line each, at the ladder's size.
TEST_F(LadderLayoutTest, AScreenHasBusesWiresLinksMarksCommentsAndTheFrame) {
    typeContactCoilAndBranch();
    freeAllEditMarks();
    addGrayMaskRow(64);
    appendDeviceComment('X', 1, "Stop");
    appendDeviceComment('Y', 0, "Lamp");
    appendBlockComment(0, "Pump start");
    appendCoilComment(0, "Pump");
    ldrHead->idBC = blockCommentList.head->commentId;
    ldrHead->next->idCC = coilCommentList.head->commentId;
    ModeData.viewFlags |= kViewDeviceComments | kViewBlockComments | kViewCoilComments;
    BlueFrame = {80, 64, 159, 127};
    LadderScreen screen;
    installLadderView(&screen);
    const Texts shown = describe(screen.build(0, 640));
    installLadderView(nullptr);
    EXPECT_THAT(
        shown, IsSupersetOf({"F 0,64 1200,128 ink3", "L 80,0 80,192", "L 1120,0 1120,192", "L 240,32 1040,32",
                             "L 80,96 80,32", "L 160,96 160,32", "T 80,106 160,128 Stop/11 ink6 wrapped",
                             "T 1040,42 1120,64 Lamp/11 ink6 wrapped", "T 242,0 1040,16 Pump start/13 ink6",
                             "T 1124,0 1440,32 Pump/13 ink6", "R 80,64 160,128 ink2"}));
    EXPECT_EQ(shown.front(), "F 0,64 1200,128 ink3");  // the shading lies under everything
    EXPECT_EQ(shown.back(), "R 80,64 160,128 ink2");   // the frame over everything
    EXPECT_EQ(ldrDrawHead, ldrHead);
}

// A device comment of the longest kind (37 characters) stays in the part of its cell below the
// symbol, at the ladder's size made smaller where two lines of it would not fit there, never below
// 8 points, at every font size and zoom: at 100 % two lines of 8 points.
TEST_F(LadderLayoutTest, ADeviceCommentKeepsToItsCellBelowTheSymbolAtAReadableSize) {
    const std::string comment = "Conveyor 3 end position sensor (left)";
    ASSERT_EQ(comment.size(), 37u);
    appendDeviceComment('X', 1, comment.c_str());
    stLadderBlock* contact = object(kLd, 80, 0, 0, 1, "LD");
    setText(contact->operands[0], "X001");
    // zoom, font points, pixel size; the cell is 80 x 64 at 100 %, the symbol's bars end at 42, so
    // the comment area is 22 pixels high (33 at 150 %, the bars ending at 63 of 96).
    const std::tuple<std::uint32_t, std::uint32_t, int> cases[] = {
        {100, 8, 11}, {100, 10, 11}, {100, 14, 11}, {50, 10, 11}, {150, 8, 16}, {150, 10, 16}};
    for (const auto& [zoom, points, size] : cases) {
        zoomPercent = zoom;
        ModeData.fontSize = points;
        const Primitives drawn = objectPrimitives(*contact, true);
        const auto note = std::find_if(drawn.begin(), drawn.end(), [](const Primitive& p) { return p.wrap; });
        ASSERT_NE(note, drawn.end()) << zoom;
        const auto z = [zoom](int v) { return static_cast<int>(v * zoom / 100); };
        EXPECT_EQ(std::make_tuple(note->text, note->ink, note->pixelSize),
                  std::make_tuple(comment, Ink::Comment, size))
            << zoom << " " << points;
        EXPECT_EQ(std::make_tuple(note->x1, note->x2, note->y2), std::make_tuple(z(80), z(160), z(64)));
        EXPECT_GE(note->y1, z(32) + std::max(3, z(64) / 6)) << zoom;  // below the bars
        EXPECT_GE(note->pixelSize, kReadablePixelSize);
        if (zoom >= 100) {
            EXPECT_GE(note->y2 - note->y1, 2 * note->pixelSize) << zoom << " " << points;  // two lines
        }
    }
}

// Every device comment of a view is drawn at one size, in comment areas of one height, whatever
// the row: at a zoom that does not divide the cell evenly the symbol's middle lies a pixel lower
// on some rows, the comment's area does not shrink there.
TEST_F(LadderLayoutTest, EveryDeviceCommentOfAViewHasOneSizeAndOneAreaHeight) {
    appendDeviceComment('X', 1, "Lamp");
    appendDeviceComment('Y', 0, "Conveyor 3 end position sensor (left)");
    for (const std::uint32_t zoom : {100u, 87u, 121u, 133u}) {
        zoomPercent = zoom;
        std::set<std::pair<int, int>> sizes;  // pixel size, area height
        for (std::uint32_t row = 0; row < 12; ++row) {
            stLadderBlock* contact = object(kLd, 80, row * 64, 0, 1, "LD");
            setText(contact->operands[0], "X001");
            stLadderBlock* coil = object(0xC500, 1040, row * 64, 0, 1, "OUT");
            setText(coil->operands[0], "Y000");
            for (const stLadderBlock* o : {contact, coil})
                for (const Primitive& p : objectPrimitives(*o, true))
                    if (p.wrap) sizes.insert({p.pixelSize, p.y2 - p.y1});
        }
        EXPECT_EQ(sizes.size(), 1u) << zoom;
    }
}

// The whole comment of the contact or coil a point lies on, for the tool tip, and of the framed
// object, for the status bar; nothing while the device comments are not shown.
TEST_F(LadderLayoutTest, TheToolTipAndTheStatusBarGiveTheWholeCommentOfTheObject) {
    typeContactCoilAndBranch();
    const std::string comment = "Conveyor 3 end position sensor (left)";
    appendDeviceComment('X', 0, comment.c_str());
    appendDeviceComment('Y', 0, "Lamp");
    ModeData.viewFlags |= kViewDeviceComments;
    const std::tuple<std::uint32_t, std::uint32_t, std::string> points[] = {
        {80, 0, comment},   {159, 63, comment}, {160, 10, ""},   // X0 and the AND X2 beside it
        {1100, 30, "Lamp"}, {600, 30, ""},      {100, 70, ""}};  // Y0, the wire, OR X1 (no comment)
    for (const auto& [x, y, expected] : points)
        EXPECT_EQ(deviceCommentOfObjectAt(x, y), expected) << x << "," << y;
    BlueFrame = {80, 0, 159, 63};
    showFramedObjectComment();
    EXPECT_EQ(fakes.statusBar.panelText(kCommentPanel), comment);
    setBlueFrameObject(160, 0);
    showFramedObjectComment();
    EXPECT_EQ(fakes.statusBar.panelText(kCommentPanel), "");
    ModeData.viewFlags &= static_cast<std::uint8_t>(~kViewDeviceComments);
    EXPECT_EQ(deviceCommentOfObjectAt(80, 0), "");
}

TEST_F(LadderLayoutTest, AScrolledScreenDrawsFromItsFirstVisibleLine) {
    typeContactCoilAndBranch();
    addGrayMaskRow(0);
    LadderScreen screen;
    installLadderView(&screen);
    const Texts shown = describe(screen.build(64, 64));
    installLadderView(nullptr);
    EXPECT_EQ(viewTopY, 64u);
    EXPECT_EQ(textOf(ldrDrawHead->mnemonic), "OR ");
    // The link that comes down from the line above, and the OR contact; nothing of the line above.
    EXPECT_THAT(shown, IsSupersetOf({"L 160,96 160,32", "L 80,96 80,32", "T 80,64 160,86 X1/13"}));
    for (const std::string& stroke : shown) {
        EXPECT_EQ(stroke.find("X0/"), std::string::npos);
        EXPECT_NE(stroke.rfind("F 0,0 ", 0), 0u);  // the shading of the edited line above
    }
}

TEST_F(LadderLayoutTest, TheDrawTimerRepaintsOnceARequestAndEmptiesTheRangeWithoutALadder) {
    LadderScreen screen;
    int repaints = 0;
    screen.onRepaint = [&repaints] { ++repaints; };
    installLadderView(&screen);
    const std::uint8_t cases[] = {0x01, kRedrawLadder, kRedrawObjects, kRedrawFrame, kRedrawMarks};
    for (const std::uint8_t request : cases) {
        redrawFlags = request | kRedrawPaintPending;
        EXPECT_TRUE(ladderDrawTick());
        EXPECT_FALSE(ladderDrawTick());
        EXPECT_EQ(redrawFlags, kRedrawPaintPending);
    }
    EXPECT_EQ(repaints, 5);
    installLadderView(nullptr);
    ldrDrawHead = ldrHead;
    ldrDrawTail = ldrHead;
    freeAllLadderObjects();
    redrawFlags = kRedrawLadder;
    EXPECT_FALSE(ladderDrawTick());
    EXPECT_EQ(ldrDrawHead, nullptr);
    EXPECT_EQ(ldrDrawTail, nullptr);
}

TEST_F(LadderLayoutTest, ASlowTimer3IsBroughtBackAfterTwentyOneTicks) {
    platform::timers().setEnabled(platform::TimerId::Timer3, true);
    platform::timers().setInterval(platform::TimerId::Timer3, 2000);
    for (int tick = 0; tick < 20; ++tick) countTimer3Ticks();
    EXPECT_EQ(platform::timers().interval(platform::TimerId::Timer3), 2000u);
    countTimer3Ticks();
    EXPECT_EQ(platform::timers().interval(platform::TimerId::Timer3), 100u);
    EXPECT_EQ(editorView.timer3Ticks, 0u);
    platform::timers().setInterval(platform::TimerId::Timer3, 1000);
    countTimer3Ticks();
    EXPECT_EQ(editorView.timer3Ticks, 0u);
}

}  // namespace
}  // namespace kestrion::test
