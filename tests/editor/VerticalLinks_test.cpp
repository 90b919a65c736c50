// The link keys on ladders typed into the box or opened from words: a link taken converts to the
// branches it draws; one refused says why and changes nothing.
#include "editor/VerticalLinks.h"

#include <set>

#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/EditMarks.h"
#include "monitor/MonitorMode.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;
struct Typed {
    std::uint32_t x, y;
    std::string line;
};
struct Link {
    std::uint32_t x, y;
    LinkEdit edit = LinkEdit::Draw;
};

// Under LD X0, AND X1, OUT Y0: AND X2 at the second cell of line 2, then its output.
const std::vector<Typed> kBranch = {
    {80, 0, "LD X0"}, {160, 0, "AND X1"}, {240, 0, "OUT Y0"}, {160, 64, "AND X2"}, {240, 64, "OUT Y1"}};
const Lines kMpsMpp = {"LD X0", "MPS", "AND X1", "OUT Y0", "MPP", "AND X2", "OUT Y1"};
const Lines kTwoRungs = {"LD X0", "AND X1", "OUT Y0", "LD X2", "AND X3", "OUT Y1"};
// A branch from the node after X1 and, under it, one from the node after X0, whose link passes
// line 2 where nothing stands.
const std::vector<Typed> kNested = {{80, 0, "LD X0"},     {160, 0, "AND X1"},  {240, 0, "AND X2"},
                                    {320, 0, "OUT Y0"},   {240, 64, "AND X3"}, {320, 64, "OUT Y1"},
                                    {160, 128, "AND X4"}, {240, 128, "OUT Y2"}};
const Lines kNestedWords = {"LD X0", "MPS",    "AND X1", "MPS", "AND X2", "OUT Y0",
                            "MPP",   "AND X3", "OUT Y1", "MPP", "AND X4", "OUT Y2"};

class LinkKeys : public TypingTest {
protected:
    bool link(const Link& at) {
        placeCursor(at.x, at.y);
        return editLinkAtFrame(at.edit);
    }
};

TEST_F(LinkKeys, ALinkIsTakenOrRefusedWithItsReasonAsTheRungsItJoinsOrCutsConvert) {
    struct Case {
        Lines program;  // opened from its words, then the lines typed
        std::vector<Typed> typed;
        std::vector<Link> links;  // all but the last taken
        std::string reason;       // the last one's refusal; empty: taken
        Lines words = {};         // what F4 writes then, if anything
        bool monitoring = false;
        int blankLines = 0;  // blank lines put in front of line 2 first
    };
    // A link that opens a whole rung says so, then what Convert finds open.
    const std::string whole = " leave wire open in a rung that was whole before it.";
    // clang-format off
    const Case cases[] = {
        {{}, kBranch, {{160, 0}}, "", kMpsMpp},
        {{}, kBranch, {{240, 0}}, "Line 1: this link would" + whole + " Line 2: nothing joins X2 on its left."},
        {{}, {kBranch[0], kBranch[1], kBranch[2], kBranch[3], kBranch[4], {160, 128, "AND X3"}, {240, 128, "OUT Y2"}},
         {{160, 64}, {160, 0}}, "", {"LD X0", "MPS", "AND X1", "OUT Y0", "MRD", "AND X2", "OUT Y1", "MPP", "AND X3", "OUT Y2"}},
        // A rung being built (no output yet) may stay open, drawn or erased.
        {{}, {kBranch[0], kBranch[1], kBranch[3]}, {{160, 0}, {160, 0, LinkEdit::Erase}}, ""},
        {kMpsMpp, {}, {{160, 0, LinkEdit::Erase}}, "Line 1: erasing this link would" + whole + " Line 2: nothing joins X002 on its left."},
        {kMpsMpp, {}, {{160, 0, LinkEdit::Erase}}, "In monitor mode...Can'tDoEdit... | Msg2015032002 | none", {}, true},
        // X2, parallel to X0 and X1, would feed X4 on the rung below.
        {{"LD X0", "AND X1", "OR X2", "OUT Y0", "LD X3", "AND X4", "AND X5", "OUT Y1"}, {}, {{160, 64}},
         "Line 3: Convert would run OUT Y001 under other contacts than those drawn."},
        {{"LD X0", "OR X1", "AND X2", "OUT Y0", "LD X3", "AND X4", "OUT Y1"}, {}, {{240, 64}},
         "Line 1: Convert cannot write this rung as it is drawn."},
        {kTwoRungs, {}, {{480, 0}}, "Line 1: the link at cell 6 would meet nothing on line 1 and" + whole + " Line 1: nothing joins X001 on its right."},
        {{"LD X0", "AND X1", "AND X2", "OUT Y0", "LD X3", "OUT Y1"}, {}, {{240, 0}}, "Line 1: the link at cell 3 would meet nothing on line 2 and" + whole + " Line 2: nothing joins X003 on its right."},
        {kTwoRungs, {}, {{160, 0}}, "", {"LD X0", "OR X2", "MPS", "AND X1", "OUT Y0", "MPP", "AND X3", "OUT Y1"}},
        // From the node's line a link goes on down past a line clear of it; from that line it meets nothing.
        {{}, kNested, {{240, 0}, {160, 0}}, "", kNestedWords},
        {{}, kNested, {{240, 0}, {160, 64}}, "Line 2: the link at cell 2 would meet nothing on line 2 and" + whole + " Line 2: a link goes down from nothing."},
        // It does not cross the wire into an output.
        {{"LD X0", "AND X1", "AND X2", "OUT Y0", "LD X3", "OUT Y1", "LD X4", "AND X5", "AND X6", "OUT Y2"}, {}, {{240, 0}}, "Line 1: the link at cell 3 would meet nothing on line 2 and" + whole + " Line 2: nothing joins X003 on its right."},
        {kTwoRungs, {}, {{0, 0}}, "Line 1: no link at the left bus: the bus joins every line already."},
        {kTwoRungs, {}, {{80, 0}}, "Line 1: no link at the left bus: the bus joins every line already."},
        {kTwoRungs, {}, {{1120, 0}}, "Line 1: no link right of the last cell: only the right bus stands there."},
        {kTwoRungs, {}, {{160, 128}}, "Line 3: no link below END: the ladder ends on END's line."},
        {kTwoRungs, {}, {{160, 64}}, "Line 2: no link down onto END's line: type the branch's first instruction there, then draw its link."},
        {kMpsMpp, {}, {{160, 0}}, "Line 1: a link at cell 2 joins this line to the next already."},
        {kMpsMpp, {}, {{240, 0, LinkEdit::Erase}}, "Line 1: no link at cell 3 joins this line to the next."},
        {kMpsMpp, {}, {{160, 128, LinkEdit::Erase}}, "Line 3: no link at cell 2 joins this line to the next."},
        // Convert drops a blank line: a whole rung takes no link down to one, and two blank lines none.
        {kTwoRungs, {}, {{160, 0}}, "Line 1: the link at cell 2 would meet nothing on line 2 and" + whole, {}, false, 2},
        {kTwoRungs, {}, {{160, 64}}, "Line 2: nothing stands on this line or the next for a link at cell 2 to join.", {}, false, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        ASSERT_TRUE(loadProgram(programOf(c.program)));
        for (const Typed& t : c.typed) type(t.x, t.y, t.line);
        for (int i = 0; i < c.blankLines; ++i) {
            placeCursor(80, 64);
            InsertLine1Click();
        }
        for (std::size_t i = 0; i + 1 < c.links.size(); ++i) ASSERT_TRUE(link(c.links[i]));
        editModeFlags = 0;
        fakes.statusBar.setPanelText(13, "");
        const Lines before = shownLadder();
        const std::uint64_t undo = canvasState.undoCopyGeneration;
        monitorMode = c.monitoring ? kMonitorLadder : kMonitorOff;
        EXPECT_EQ(link(c.links.back()), c.reason.empty());
        monitorMode = kMonitorOff;
        EXPECT_EQ(c.monitoring ? testing::PrintToString(boxes()) : fakes.statusBar.panelText(13),
                  c.monitoring ? testing::PrintToString(Boxes{c.reason}) : c.reason);
        EXPECT_EQ(editModeFlags, c.reason.empty() ? kEditLadderNotConverted | kEditModifiedSinceSave : 0);
        EXPECT_TRUE(c.reason.empty() || (shownLadder() == before && canvasState.undoCopyGeneration == undo));
        // A link taken shades both its lines as edited.
        std::set<std::uint32_t> marked;
        for (const stGrayMark* m = grayHead; m != nullptr; m = m->next) marked.insert(m->Y);
        EXPECT_TRUE(!c.reason.empty() ||
                    (marked.contains(c.links.back().y) && marked.contains(c.links.back().y + 64)));
        if (c.words.empty()) continue;
        // F4 writes the words and the logic drawn, and the load draws the links typed ladders drew
        // (beside an OR from the bus it adds one at the bus, which joins nothing).
        const grammar::DrawnBefore drawn;
        const Lines shown = shownLadder();
        ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
        EXPECT_EQ(grammar::hexWords(grammar::imageProgramWords()), grammar::hexWords(programOf(c.words)));
        EXPECT_EQ(drawn.compareWithWords(grammar::imageProgramWords()), "");
        EXPECT_TRUE(!c.program.empty() || shownLadder() == shown);
    }
}

TEST_F(LinkKeys, UndoAndEditCancelTakeALinkBack) {
    ASSERT_TRUE(loadProgram(programOf(kTwoRungs)));
    ASSERT_TRUE(runCommand(LToM));
    const Lines apart = shownLadder();
    ASSERT_TRUE(link({160, 0}));
    const Lines linked = shownLadder();
    Undo1Click();
    EXPECT_EQ(shownLadder(), apart);
    Undo1Click();
    EXPECT_EQ(shownLadder(), linked);
    EditCancel1Click();
    EXPECT_EQ(shownLadder(), apart);
}

// A link past a line is one edit: one key draws it, one undo takes it back, and one key at any of
// its gaps erases it.
TEST_F(LinkKeys, ALinkPastALineIsDrawnErasedAndUndoneWhole) {
    // Whether a link stands in the gap under line 1 and under line 2, at cell 2.
    const auto gaps = [] {
        return std::string{VirtualArray.at(3, 1) == kCellLink ? '|' : ' ',
                           VirtualArray.at(3, 3) == kCellLink ? '|' : ' '};
    };
    const std::string linked = "||", blank = "  ";
    for (const Typed& t : std::vector<Typed>(kNested.begin(), kNested.end() - 1)) type(t.x, t.y, t.line);
    ASSERT_TRUE(link({240, 0}));
    placeCursor(160, 0);
    DrawLink1Click();  // as the Edit menu and F9 do
    EXPECT_EQ(gaps(), linked);
    Undo1Click();
    EXPECT_EQ(gaps(), blank);
    Undo1Click();
    EXPECT_EQ(gaps(), linked);
    // X4's rung is still being built: it may stay open.
    EXPECT_TRUE(link({160, 64, LinkEdit::Erase}));
    EXPECT_EQ(gaps(), blank);
    Undo1Click();
    placeCursor(160, 0);
    EraseLink1Click();
    EXPECT_EQ(gaps(), blank);
}

}  // namespace
}  // namespace kestrion::test
