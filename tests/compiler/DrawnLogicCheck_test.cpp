// Convert holds the ladder it reads back against the logic the view drew before it (power from the
// left bus through the painted contacts, wire and links): where the picture is no program (a bare
// wire beside a contact, an output fed by wire alone) or Convert would write other logic than drawn,
// it refuses with the reason and the place, and the ladder, the canvas, the words, the marks and the
// undo copy stay as they were.
#include "compiler/ConvertCommand.h"

#include <functional>
#include <utility>

#include "devviews/VirtualArrayDump.h"
#include "editor/CursorMoves.h"
#include "editor/EditCommands.h"
#include "entry/TypingFixture.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion::test {
namespace {

using DrawnLogicCheck = TypingTest;

stLadderBlock& objectAt(std::uint32_t x, std::uint32_t y) {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->xAddr == x && o->yAddr == y && o->iCode != kCodeNop) return *o;
    throw std::runtime_error("no object at " + std::to_string(x) + "," + std::to_string(y));
}

// A contact the view paints as wire: its cell on the canvas is left as it was.
void paintAsWire(std::uint32_t x, std::uint32_t y) {
    stLadderBlock& o = objectAt(x, y);
    o.iCode = kCodeNop;
    setText(o.mnemonic, "NOP");
}

// The filler the view paints as wire after a contact, taken out of the list: the canvas keeps it.
void dropFillerAfter(std::uint32_t x, std::uint32_t y) {
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && o->xAddr > x && o->iCode == kCodeNop) {
            removeLadderObject(ldrList, o);
            return;
        }
    throw std::runtime_error("no filler");
}

void deleteLineAt(std::uint32_t y) {
    placeCursor(80, y);
    DeleteLine1Click();
}

TEST_F(DrawnLogicCheck, APictureNoProgramCanBeOrThatConvertWouldWriteOtherwiseIsRefusedWhereItIs) {
    struct Case {
        const char* name;
        Words words;
        std::function<void()> change;
        std::string reason;
        std::uint32_t x, y;  // the frame
    };
    const std::vector<Case> cases = {
        {"X0 painted as wire beside X1: Y0 always on",
         {0x2400, 0x6401, 0xC500, 0x000F},
         [] { paintAsWire(80, 0); },
         "Line 2: a bare wire runs beside X001 and bypasses it.",
         80,
         64},
        {"X1 of the second rung painted as wire: Y1 fed by wire alone",
         {0x2400, 0xC500, 0x2401, 0xC501, 0x000F},
         [] { paintAsWire(80, 64); },
         "Line 2: OUT Y001 is fed by wire alone; it needs a contact in front of it.",
         1040,
         64},
        {"the wire after X2 not painted: Convert would join X2, the view shows it cut off",
         {0x2400, 0x4401, 0x6402, 0xC500, 0x000F},
         [] { dropFillerAfter(80, 64); },
         "Line 1: Convert would run OUT Y000 under other contacts than those drawn.",
         1040,
         0},
        // a step runs until its RET: with the RET's line deleted, the rung below runs in the step
        {"the RET of a step deleted",
         programOf({"LD X2", "OUT Y2", "STL S20", "LD X0", "OUT Y0", "RET", "LD X1", "OUT Y1"}),
         [] { deleteLineAt(128); },
         "Line 3: OUT Y001 would run inside step S20: no RET ends the step above it.", 1040, 128},
        // inside a step whose RET stands, other logic is only other contacts
        {"the wire after X2 not painted inside a step",
         programOf({"LD X5", "OUT Y5", "STL S20", "LD X0", "AND X1", "OR X2", "OUT Y0", "RET"}),
         [] { dropFillerAfter(80, 128); },
         "Line 2: Convert would run OUT Y000 under other contacts than those drawn.", 1040, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(loadProgram(c.words));
        backupLadderDiagramMemory(1);  // the edit's undo copy
        c.change();
        addInsGrayMarkRow(64);
        const std::vector<std::string> objects = ladder();
        const std::vector<std::string> canvas = virtualArrayDumpRows(kDumpVirtualArray);
        const Words words = program(c.words.size());
        EXPECT_FALSE(runCommand(LToM));
        EXPECT_EQ(boxes(), Boxes{c.reason + " | Convert | warning"});
        EXPECT_EQ(fakes.statusBar.panelText(13), c.reason);
        EXPECT_EQ(BlueFrame.x1, c.x);
        EXPECT_EQ(BlueFrame.y1, c.y);
        EXPECT_EQ(ladder(), objects);
        EXPECT_EQ(virtualArrayDumpRows(kDumpVirtualArray), canvas);
        EXPECT_EQ(program(c.words.size()), words);
        EXPECT_NE(insGrayHead, nullptr);
        EXPECT_TRUE(hasUndoCopy() && canvasState.undoMenuEnabled);  // Undo still takes the edit back
    }
}

// The same programs as the load draws them convert, and the logic read back is the logic drawn.
TEST_F(DrawnLogicCheck, WhatTheLoadDrawsConvertsAndReadsBackAsTheSameLogic) {
    for (const Words& words : std::vector<Words>{{0x2400, 0x6401, 0xC500, 0x000F},
                                                 {0x2400, 0xC500, 0x2401, 0xC501, 0x000F},
                                                 {0x2400, 0x4401, 0x6402, 0xC500, 0x000F},
                                                 {0x0014, 0x000F}}) {
        ASSERT_TRUE(loadProgram(words));
        ConditionPool pool;
        const DrawnLadder before = drawnLadder(pool);
        EXPECT_FALSE(before.fault.has_value());
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_TRUE(compareDrawnLadders(before, drawnLadder(pool), pool).converts());
        EXPECT_EQ(program(words.size()), words);
    }
}

// Two ladders compare by what they compute and by the instructions they hold: the same contacts in
// series or in parallel in another order are the same; another instruction, another contact, a
// contact written twice, a label left out or a coil more are not.
TEST_F(DrawnLogicCheck, TwoLaddersCompareByTheLogicTheyDraw) {
    struct Case {
        const char* name;
        Words drawn, back;
        bool same;
    };
    const std::vector<Case> cases = {
        {"parallel contacts in the other order",
         {0x2400, 0x6401, 0xC500, 0x000F},
         {0x2401, 0x6400, 0xC500, 0x000F},
         true},
        {"series contacts in the other order",
         {0x2400, 0x4401, 0xC500, 0x000F},
         {0x2401, 0x4400, 0xC500, 0x000F},
         true},
        {"three parallel contacts, two joined first",
         {0x2400, 0x6401, 0x6402, 0xC500, 0x000F},
         {0x2400, 0x2401, 0x6402, 0xFFF9, 0xC500, 0x000F},
         true},
        // the same logic, but X2 written twice: the instructions drawn are not those read back
        {"a group written out contact by contact",
         {0x2400, 0x6401, 0x4402, 0xC500, 0x000F},
         {0x2400, 0x4402, 0x2401, 0x4402, 0xFFF9, 0xC500, 0x000F},
         false},
        {"SET where RST is drawn", {0x2400, 0xD801, 0x000F}, {0x2400, 0xE801, 0x000F}, false},
        {"another contact", {0x2400, 0x4401, 0xC500, 0x000F}, {0x2400, 0x4402, 0xC500, 0x000F}, false},
        {"a contact negated", {0x2400, 0xC500, 0x000F}, {0x3400, 0xC500, 0x000F}, false},
        {"a contact in parallel instead of in series",
         {0x2400, 0x4401, 0xC500, 0x000F},
         {0x2400, 0x6401, 0xC500, 0x000F},
         false},
        {"a label left out", {0xB000, 0x2400, 0xC500, 0x000F}, {0x2400, 0xC500, 0x000F}, false},
        {"one more coil", {0x2400, 0xC500, 0x000F}, {0x2400, 0xC500, 0xC501, 0x000F}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionPool pool;
        ASSERT_TRUE(loadProgram(c.drawn));
        const DrawnLadder drawn = drawnLadder(pool);
        ASSERT_TRUE(loadProgram(c.back));
        const DrawnLadder back = drawnLadder(pool);
        const LadderVerdict verdict = compareDrawnLadders(drawn, back, pool);
        EXPECT_EQ(verdict.converts(), c.same) << verdict.reason;
        if (!c.same) {
            EXPECT_EQ(verdict.kind, LadderVerdict::Kind::OtherLogic);
            EXPECT_TRUE(verdict.reason.starts_with("Line ")) << verdict.reason;
        }
    }
}

// A step's rung, STL S20, LD M0, OR M1 .. OR Mn, INC D114, then LDF X1, AND X2 .. AND X13, OUT M801:
// Delete on the STL leaves M801 under X1 .. X13 alone, where Convert would run it under the OR
// group too. With 14, 15 or 16 contacts, and rungs in front of it or none, F4 refuses and changes
// nothing.
TEST_F(DrawnLogicCheck, AConditionOfManyContactsIsHeldExactlyWhateverStandsElsewhere) {
    for (const int ors : {2, 3, 4})
        for (const int before : {0, 2}) {
            SCOPED_TRACE(std::to_string(ors + 12) + " contacts, " + std::to_string(before) + " rungs before");
            std::vector<std::string> lines;
            for (int r = 0; r < before; ++r)
                lines.insert(lines.end(), {"LD X2" + std::to_string(r), "OUT Y2" + std::to_string(r)});
            lines.insert(lines.end(), {"STL S20", "LD M0"});
            for (int m = 1; m <= ors; ++m) lines.push_back("OR M" + std::to_string(m));
            lines.insert(lines.end(), {"INC D114", "LDF X1"});
            for (const char* x : {"X2", "X3", "X4", "X5", "X6", "X7", "X10", "X11", "X12", "X13"})
                lines.push_back(std::string("AND ") + x);
            lines.emplace_back("OUT M801");
            const Words words = programOf(lines);
            ASSERT_TRUE(loadProgram(words));
            placeCursor(80, 64 * static_cast<std::uint32_t>(before));
            ASSERT_TRUE(deleteFramedObject());
            EXPECT_FALSE(runCommand(LToM));
            EXPECT_EQ(boxes(), Boxes{"Line " + std::to_string(before + ors + 2) +
                                     ": Convert would run OUT M801 under other contacts than those drawn. | "
                                     "Convert | warning"});
            EXPECT_EQ(program(words.size()), words);
        }
}

// Conditions compare by what they compute for every value of their contacts: INV, MEP and MEF act
// on the section they close (a parallel branch, or the rung from the bus), and an edge is the same
// wherever it is taken of the same logic.
TEST_F(DrawnLogicCheck, ConditionsAreTheSameLogicExactlyWhenTheyComputeTheSame) {
    struct Case {
        const char* name;
        const char *drawn, *back;  // the lines, MEP and MEF loaded as INV and turned into them
        bool same;
    };
    const std::string sixteen =
        "LD X0, AND X1, AND X2, AND X3, AND X4, AND X5, AND X6, AND X7, AND X10, "
        "AND X11, AND X12, AND X13, AND X14, AND X15, AND X16, ";
    const std::string right = sixteen + "AND X17, OUT Y0", negated = sixteen + "ANI X17, OUT Y0";
    const std::vector<Case> cases = {
        {"INV of a parallel branch, and of the rung from the bus",
         "LD X0, LD X1, AND X2, INV, OR X3, ANB, OUT Y0", "LD X0, AND X1, AND X2, INV, OR X3, OUT Y0", false},
        {"MEP of a parallel branch, and of the rung from the bus", "LD X0, LD X1, MEP, OR X3, ANB, OUT Y0",
         "LD X0, AND X1, MEP, LD X0, AND X3, ORB, OUT Y0", false},
        {"MEF likewise", "LD X0, LD X1, MEF, OR X3, ANB, OUT Y0",
         "LD X0, AND X1, MEF, LD X0, AND X3, ORB, OUT Y0", false},
        {"the rising and the falling edge", "LD X1, MEP, OUT Y0", "LD X1, MEF, OUT Y0", false},
        {"sixteen contacts, the last negated", right.c_str(), negated.c_str(), false},
        {"MEP of a contact, and its rising edge", "LD X1, MEP, OUT Y0", "LDP X1, OUT Y0", true},
        {"MEP of a negated contact, and the contact's falling edge", "LDI X1, MEP, OUT Y0", "LDF X1, OUT Y0",
         true},
        {"MEP of a series grouped otherwise", "LD X0, LD X1, OR X2, ANB, AND X3, MEP, OUT Y0",
         "LD X0, AND X3, LD X1, OR X2, ANB, MEP, OUT Y0", true},
        {"a series grouped otherwise", "LD X0, LD X1, OR X2, ANB, AND X3, OUT Y0",
         "LD X0, AND X3, LD X1, OR X2, ANB, OUT Y0", true},
        {"INV of a series, and its contacts negated in parallel", "LD X0, AND X1, INV, OUT Y0",
         "LDI X0, ORI X1, OUT Y0", true},
        {"eight parallel pairs in series, in the other order",
         "LD X0, OR X1, LD X2, OR X3, ANB, LD X4, OR X5, ANB, LD X6, OR X7, ANB, LD X10, OR X11, ANB, LD "
         "X12, "
         "OR X13, ANB, LD X14, OR X15, ANB, LD X16, OR X17, ANB, OUT Y0",
         "LD X16, OR X17, LD X14, OR X15, ANB, LD X12, OR X13, ANB, LD X10, OR X11, ANB, LD X6, OR X7, ANB, "
         "LD X4, "
         "OR X5, ANB, LD X2, OR X3, ANB, LD X0, OR X1, ANB, OUT Y0",
         true},
    };
    const auto load = [this](const std::string& text, ConditionPool& pool) {
        std::vector<std::string> lines;
        std::string edge;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find(", ", at), text.size());
            lines.push_back(text.substr(at, end - at));
            if (lines.back() == "MEP" || lines.back() == "MEF") edge = std::exchange(lines.back(), "INV");
            at = end + 2;
        }
        EXPECT_TRUE(loadProgram(programOf(lines)));
        for (stLadderBlock* o = ldrHead; o != nullptr && !edge.empty(); o = o->next)
            if (symbolKindOf(*o) == SymbolKind::Invert) setText(o->mnemonic, edge);
        return drawnLadder(pool);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionPool pool;
        const DrawnLadder drawn = load(c.drawn, pool);
        const DrawnLadder back = load(c.back, pool);
        ASSERT_EQ(drawn.items.size(), back.items.size());
        bool same = true;
        for (std::size_t i = 0; i < drawn.items.size(); ++i)
            same = same && pool.sameLogic(drawn.items[i].condition, back.items[i].condition);
        EXPECT_EQ(same, c.same);
        if (!c.same) {
            EXPECT_EQ(compareDrawnLadders(drawn, back, pool).reason,
                      "Line 1: Convert would run OUT Y000 under other contacts than those drawn.");
        }
    }
}

// Held against the ladder in the editor, a ladder is read again only where their lines differ, and
// there as whole rungs: a change on a line is judged with the outputs its links join it to, above it
// and below it, and rungs alike around it change nothing.
TEST_F(DrawnLogicCheck, OnlyTheRungsWhoseLinesDifferAreReadAgainAndAsWholeRungs) {
    struct Case {
        const char* name;
        std::vector<std::string> drawn, back;
        bool same;
    };
    const std::vector<Case> cases = {
        {"the same rung", {"LD X0", "OR X1", "OUT Y0"}, {"LD X0", "OR X1", "OUT Y0"}, true},
        {"parallel contacts in the other order",
         {"LD X0", "OR X1", "OUT Y0"},
         {"LD X1", "OR X0", "OUT Y0"},
         true},
        {"another contact", {"LD X0", "AND X1", "OUT Y0"}, {"LD X0", "AND X2", "OUT Y0"}, false},
        {"a coil more", {"LD X0", "OUT Y0"}, {"LD X0", "OUT Y0", "OUT Y1"}, false},
        {"a rung left out", {"LD X0", "OUT Y0"}, {}, false},
        {"a rung written twice", {"LD X0", "OUT Y0"}, {"LD X0", "OUT Y0", "LD X0", "OUT Y0"}, false},
        {"a rung drawn twice written once",
         {"LD X0", "OUT Y0", "LD X0", "OUT Y0"},
         {"LD X0", "OUT Y0"},
         false},
        // the same instruction code, another operand: at its first character, and past the eighth
        {"another constant", {"LD X0", "MOV K1 D0"}, {"LD X0", "MOV K2 D0"}, false},
        {"a register for a constant", {"LD X0", "MOV K1 D0"}, {"LD X0", "MOV D1 D0"}, false},
        {"a long constant", {"LD X0", "DMOV K123456789 D0"}, {"LD X0", "DMOV K123456788 D0"}, false},
        // Y0 and Y1 stand alike, X0 and X1 change places on the line above Y1: Y1 is under the other
        {"the output on the line below a changed line",
         {"LD X0", "MPS", "AND X1", "OUT Y0", "MPP", "OUT Y1"},
         {"LD X1", "MPS", "AND X0", "OUT Y0", "MPP", "OUT Y1"},
         false},
        // the line of X0 and Y0 and the link down from it stand alike; X1 and X3 change places on
        // the line below, beside the link down to X4: Y0 is under (X1 + X4)X3, then (X3 + X4)X1
        {"the output on the line above a changed line",
         {"LD X0", "LD X1", "OR X4", "AND X3", "ORB", "OUT Y0"},
         {"LD X0", "LD X3", "OR X4", "AND X1", "ORB", "OUT Y0"},
         false},
    };
    const std::vector<std::string> above = {"LD X10", "OR X11", "OUT Y10"}, below = {"LD X12", "OUT Y12"};
    const auto around = [&](const std::vector<std::string>& lines) {
        std::vector<std::string> all = above;
        all.insert(all.end(), lines.begin(), lines.end());
        all.insert(all.end(), below.begin(), below.end());
        return programOf(all);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionPool pool;
        ASSERT_TRUE(loadProgram(around(c.drawn)));
        const DrawnLadder drawn = drawnLadder(pool);
        ASSERT_TRUE(loadProgram(around(c.back)));
        const LadderVerdict verdict = compareWithLadderNow(drawn, pool);
        EXPECT_EQ(verdict.converts(), c.same) << verdict.reason;
        EXPECT_EQ(compareDrawnLadders(drawn, drawnLadder(pool), pool).converts(), c.same);
        if (!c.same) {
            EXPECT_EQ(verdict.kind, LadderVerdict::Kind::OtherLogic);
            EXPECT_TRUE(verdict.reason.starts_with("Line ")) << verdict.reason;
        }
    }
}

// A link drawn down from a line to the rung below it (or taken away, or moved) leaves the line below
// as it was, yet puts its output under other contacts: X0 and wire to Y0 above X0, X2, Y1; a link at
// the end of X2 leaves Y0 under X0 (X0 + X0 X2) and puts Y1 under X0 alone, one at the end of X0
// changes nothing. The rung below is read again with the line whose link changed.
TEST_F(DrawnLogicCheck, ALinkDownToTheRungBelowTakesThatRungIntoTheCheck) {
    const Words words = programOf({"LD X0", "AND X1", "OUT Y0", "LD X0", "AND X2", "OUT Y1"});
    // in the gap below line 1, at the end of a cell (x 160 or 240)
    const auto putLink = [](std::uint32_t x, char cell) {
        ASSERT_TRUE(putCanvasCellAt(x - symbleHalfWidth, symbleHalfHeight, cell));
    };
    struct Case {
        const char* name;
        std::uint32_t drawnAt, nowAt;  // 0: no link
    };
    for (const Case& c : {Case{"drawn", 0, 240}, Case{"taken away", 240, 0}, Case{"moved", 160, 240}}) {
        SCOPED_TRACE(c.name);
        ConditionPool pool;
        ASSERT_TRUE(loadProgram(words));
        paintAsWire(160, 0);
        if (c.drawnAt != 0) putLink(c.drawnAt, kCellLink);
        const DrawnLadder drawn = drawnLadder(pool);
        if (c.drawnAt != 0) putLink(c.drawnAt, kCellBlank);
        if (c.nowAt != 0) putLink(c.nowAt, kCellLink);
        const LadderVerdict verdict = compareWithLadderNow(drawn, pool);
        EXPECT_EQ(verdict.kind, LadderVerdict::Kind::OtherLogic);
        EXPECT_EQ(verdict.reason,
                  "Line 2: Convert would run OUT Y001 under other contacts than those drawn.");
        EXPECT_EQ(verdict.y, 64u);
    }
}

}  // namespace
}  // namespace kestrion::test
