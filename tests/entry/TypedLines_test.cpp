// Lines typed one after another into the same block, in overwrite and in Insert mode: every Enter
// returns, with the line placed or refused with its box, and what the box took Convert writes.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "compiler/CompilerState.h"
#include "compiler/ConvertCommand.h"
#include "devviews/VirtualArrayDump.h"
#include "editor/EditCommands.h"
#include "editor/EditorViewState.h"
#include "entry/EntryDriver.h"
#include "entry/TypingFixture.h"
#include "grammar/CoilLogic.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "support/Bounded.h"
#include "support/ShownBoxes.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

Words readWords(const char* relative) {
    std::ifstream in(testSource(relative));
    Words words;
    for (std::string word; in >> word;)
        words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
    return words;
}

using TypedLinesTest = TypingTest;

// The program of the report (a step ladder of 356 words, 8K): in Insert mode OR Y4 in the 9th cell
// of the 7th line, then LD X0 in the 9th cell of the 10th line; the second Enter never returned.
// Every Enter returns now. The OR is refused: opening its cell moves the contact above it on and
// leaves wire there, beside which the OR would stand (Convert wrote it in series). The LD is taken,
// and Convert writes it.
TEST_F(TypedLinesTest, InsertModeLinesInALongStepLadderReturn) {
    const Words words = readWords("tests/entry/programs/insert-mode-hang.words");
    ASSERT_EQ(words.size(), 356u);
    ASSERT_TRUE(loadProgram(words));
    editModeFlags |= kEditInsertMode;
    const auto typeBoth = [this] {
        type(720, 384, "OR Y4");
        type(720, 576, "LD X0");
    };
    ASSERT_EQ(endsWithin(30, typeBoth), "");
    type(720, 384, "OR Y4");
    EXPECT_EQ(boxes(), Boxes{"This position can't insert | Msg2015011911 | warning"});
    EXPECT_EQ(fakes.statusBar.panelText(13),
              "An OR inserted here would stand beside the wire the insert leaves above it.");
    fakes.messages.shown.clear();
    type(720, 576, "LD X0");
    EXPECT_EQ(boxes(), Boxes{});
    const Lines typed = ladder();
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "720,576 LD X0"), 1);
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
    const grammar::Words once = grammar::imageProgramWords();
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
    EXPECT_EQ(grammar::compareLogic(once, grammar::imageProgramWords()), "");
}

// Opening a cell in front of an object of another line of the block that has wire or a contact to
// its left links a NOP in front of that object. The NOP takes the block id of new objects; when that
// is the block's own (as it was in the report's program), the walk that met the NOP next gave it a
// NOP too, without end. LD X0, AND X1 over LD X2, AND X3, joined in parallel before OUT Y0.
TEST_F(TypedLinesTest, OpeningACellWalksOnPastTheNopItLinks) {
    ASSERT_TRUE(loadProgram({0x2400, 0x4401, 0x2402, 0x4403, 0xFFF9, 0xC500, 0x000F}));
    const std::uint32_t block = ldrHead->objLbc;
    curObjLbc = block;
    ASSERT_EQ(endsWithin(10, [block] { shiftBlockCellsRight(160, 0, block); }), "");
    shiftBlockCellsRight(160, 0, block);
    EXPECT_EQ(ladder(), (Lines{"80,0 LD X000", "240,0 AND X001", "80,64 LD X002", "160,64 NOP",
                               "240,64 AND X003", "340,64 ORB", "1040,0 OUT Y000", "1040,128 END"}));
}

using grammar::fromEnvironment;

struct Typed {
    std::uint32_t x, y;
    std::string line;
    bool insert;
};

// A few lines at cells of the block's two lines and the line below them, each in overwrite or in
// Insert mode.
std::vector<Typed> typedSequence(std::uint32_t seed) {
    static const char* const kLines[] = {"LD X1",  "AND X2", "OR X3",  "LDI X4",    "ANI X5", "ORI X6",
                                         "LDP X7", "OUT Y1", "SET M0", "MOV K1 D0", "RST M1", "OR X10"};
    std::mt19937 random(seed);
    std::vector<Typed> sequence(2 + random() % 7);
    for (Typed& typed : sequence) {
        // Most go where the block's objects stand, so that Insert mode opens cells among them.
        typed.x = 80 * (1 + random() % (random() % 4 == 0 ? 12 : 4));
        typed.y = 64 * (random() % 3);
        typed.line = kLines[random() % std::size(kLines)];
        typed.insert = random() % 2 == 0;
    }
    return sequence;
}

std::string listing(const std::vector<Typed>& sequence) {
    std::string text;
    for (const Typed& typed : sequence)
        text += std::string(typed.insert ? "insert " : "") + typed.line + " at " + std::to_string(typed.x) +
                "," + std::to_string(typed.y) + "\n";
    return text;
}

// Lines typed one after another into a block of two parallel lines (LD X0, OR X1, AND X2, OUT Y0,
// OUT Y2): every Enter returns; when the box took them all, Convert writes the ladder (or refuses
// it with its box and leaves it as it was), a second Convert writes a program that computes the
// same, and a third the same words as the second. (An OR typed in Insert mode under a cell that
// the insert turned into wire is drawn beside that wire, and the first Convert writes it in series:
// the words settle only at the second Convert.) Seeds from 1, 300 of them; KESTRION_TYPED_FIRST and
// KESTRION_TYPED_SEQUENCES set others.
TEST_F(TypedLinesTest, LinesTypedIntoOneBlockReturnAndConvertAsTheyStand) {
    const Words block = {0x2400, 0x6401, 0x4402, 0xC500, 0xC502, 0x000F};
    const std::uint32_t first = fromEnvironment("KESTRION_TYPED_FIRST", 1);
    const std::uint32_t count = fromEnvironment("KESTRION_TYPED_SEQUENCES", 300);
    int broken = 0;
    for (std::uint32_t seed = first; seed < first + count && broken < 5; ++seed) {
        const std::vector<Typed> sequence = typedSequence(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + listing(sequence));
        ASSERT_TRUE(loadProgram(block));
        const auto typeAll = [&] {
            for (const Typed& typed : sequence) {
                editModeFlags = static_cast<std::uint8_t>((editModeFlags & ~kEditInsertMode) |
                                                          (typed.insert ? kEditInsertMode : 0));
                type(typed.x, typed.y, typed.line);
            }
        };
        const std::string ended = endsWithin(10, typeAll);
        if (!ended.empty()) {
            ADD_FAILURE() << ended;
            ++broken;
            continue;
        }
        typeAll();
        if (!boxes().empty()) continue;  // a line refused with its box
        const Lines typed = ladder();
        if (!runCommand(LToM)) {
            // Only wire the lines left open: every rung the box judged, Convert writes.
            EXPECT_THAT(boxes(), testing::ElementsAre(testing::StartsWith("P1- Ladder diagram error")));
            EXPECT_EQ(ladder(), typed);
            continue;
        }
        const grammar::Words once = grammar::imageProgramWords();
        if (!runCommand(LToM)) {
            ADD_FAILURE() << "a second Convert refused what the first wrote: "
                          << testing::PrintToString(boxes());
            ++broken;
            continue;
        }
        const grammar::Words twice = grammar::imageProgramWords();
        const std::string differs = grammar::compareLogic(once, twice);
        if (!differs.empty() || !runCommand(LToM) || grammar::imageProgramWords() != twice) {
            ADD_FAILURE() << "Convert did not settle: " << differs << "\n"
                          << grammar::hexWords(once) << "\n"
                          << grammar::hexWords(twice);
            ++broken;
        }
    }
}

// A line typed on END's line goes in front of END, which moves down a line with all its cells: the
// typed line holds what was typed alone, and END's new line reads as its line did.
TEST_F(TypedLinesTest, EndMovesDownALineWithItsCells) {
    ASSERT_TRUE(loadProgram({0x2400, 0xC500, 0x000F}));
    const Lines loaded = virtualArrayDumpRows(kDumpVirtualArray);
    ASSERT_GT(loaded.size(), 2u);
    type(80, 64, "LD X1");
    const Lines typed = virtualArrayDumpRows(kDumpVirtualArray);
    ASSERT_GT(typed.size(), 4u);
    EXPECT_EQ(typed[2], "  X");
    EXPECT_EQ(typed[4], loaded[2]);
}

// The trial of a line is Convert's own, on a model of its own: the user sees nothing of it (no box,
// no pop-up, no progress window, no status text of Convert), and what the user's program and the
// floors around it held stays: the pass times of the last Convert, the last find, the comments.
TEST_F(TypedLinesTest, TheTrialOfALineLeavesNothingOfItsConvertBehind) {
    ASSERT_TRUE(loadProgram({0x2400, 0x4401, 0xC500, 0x2402, 0xC501, 0x000F}));
    ASSERT_TRUE(runCommand(LToM));
    std::vector<std::string> passes;
    for (const ConvertPassTime& time : lastConvertPassTimes()) passes.push_back(time.pass);
    editorView.findKept = true;
    editorView.findText = "X1";
    compileTraceText = "the last note of the user's Convert";
    fakes.statusBar.setPanelText(0, "");
    const std::size_t popups = langDialogs.appMessages.size();
    const std::size_t progress = fakes.progress.captions.size();
    // The view is asked to bring the frame into sight, never to put another line at its top.
    struct View : LadderView {
        void drawVerticalLineSegment(int, std::uint32_t, std::uint32_t, std::uint32_t,
                                     std::uint32_t) override {}
        void scrollTo(const ViewScroll& scroll) override { tops += scroll.topY.has_value() ? 1 : 0; }
        int tops = 0;
    } view;
    installLadderView(&view);
    fakes.messages.shown.clear();
    type(160, 0, "ANI X3");  // taken: the rung converts as drawn
    installLadderView(nullptr);
    EXPECT_EQ(view.tops, 0);
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(ladder().at(1), "160,0 ANI X3");
    EXPECT_EQ(fakes.statusBar.panelText(0), "");
    EXPECT_EQ(langDialogs.appMessages.size(), popups);
    EXPECT_EQ(fakes.progress.captions.size(), progress);
    std::vector<std::string> after;
    for (const ConvertPassTime& time : lastConvertPassTimes()) after.push_back(time.pass);
    EXPECT_EQ(after, passes);
    EXPECT_EQ(compileTraceText, "the last note of the user's Convert");
    EXPECT_TRUE(editorView.findKept);
    EXPECT_EQ(editorView.findText, "X1");
    EXPECT_NE(editModeFlags & kEditLadderNotConverted, 0);
}

const Lines kFullLine = {"LD X0",  "AND X1", "AND X2",  "AND X3",  "AND X4",  "AND X5",
                         "AND X6", "AND X7", "AND X10", "AND X11", "AND X12", "AND X13"};

Lines withLines(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// Lines the box once took that Convert then refused, or wrote as another program than the ladder
// drawn: each is refused with its box and the reason on the status bar, and nothing changes, not
// the ladder, not the undo copy, not the marks of a modified and unconverted program.
TEST_F(TypedLinesTest, LinesConvertWouldNotWriteAsDrawnAreRefusedAndChangeNothing) {
    struct Refused {
        Lines program;
        bool insert;
        std::uint32_t x, y;
        std::string line, box, why;
    };
    const std::string cannot = "Line 1: Convert cannot write this rung as it is drawn.";
    std::vector<Refused> cases = {
        // over the first contact of a line that hangs from the node after an STL: Convert wrote the
        // output after the contact of the line above
        {{"LD X7", "OUT Y7", "STL S20", "LD X0", "OUT Y0", "LD X1", "OUT Y1", "RET"},
         false,
         160,
         128,
         "OUT Y3",
         kLineRefused,
         "Line 3: Convert would run OUT Y3 under other contacts than those drawn."},
        // (over a coil from right after parallel contacts the overwrite keeps their joint now, and
        // the line is taken: RefusedThenCorrected_test.cpp)
        // wide outputs over the contacts of a full line
        {withLines(kFullLine, {"OUT Y0"}), false, 960, 0, "SET M1", kLineRefused, cannot},
        {withLines(kFullLine, {"OUT Y0"}), false, 160, 0, "SET M1", kLineRefused, cannot},
        {withLines(kFullLine, {"OUT Y0"}), false, 880, 0, "MOV K1 D0", kLineRefused, cannot},
        // no cell free in front of the coil, before a middle contact and before the last
        {withLines(kFullLine, {"OUT Y0"}), true, 400, 0, "AND M50", kInsertRefused,
         "The line is full: no cell is free in front of its output."},
        {withLines(kFullLine, {"OUT Y0"}), true, 960, 0, "AND M50", kInsertRefused,
         "The line is full: no cell is free in front of its output."},
    };
    // Each instruction that stands alone, over the middle one of three coils of a full line: the
    // coil's line is linked to the line above at the coils' node.
    for (const std::string line : {"FOR D1", "SRET", "NEXT", "EI", "MCR N0", "RET", "FEND", "DI"})
        cases.push_back({withLines(kFullLine, {"OUT Y0", "OUT Y1", "OUT Y2"}), false, 80, 64, line,
                         kLineRefused,
                         line.substr(0, line.find(' ')) +
                             " stands alone on its line: this line is joined to the lines beside it."});
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.line + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        ASSERT_TRUE(loadProgram(programOf(c.program)));
        const Lines loaded = ladder();
        type(80, 0, "LDI X6");  // an edit before, for the undo copy and the marks
        ASSERT_EQ(boxes(), Boxes{});
        if (c.insert) editModeFlags |= kEditInsertMode;
        const Lines before = ladder();
        const std::uint8_t flags = editModeFlags;
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{c.box});
        EXPECT_EQ(fakes.statusBar.panelText(13), c.why);
        EXPECT_EQ(ladder(), before);
        EXPECT_EQ(editModeFlags, flags);
        Undo1Click();
        EXPECT_EQ(ladder(), loaded);
    }
}

// What the box takes is what Convert writes as drawn, and only that: a line is taken when the rung
// it leaves converts as the logic drawn, however long its wires are drawn; a line that leaves wire
// open in a rung that converted before it is refused with the reason; a rung being built may stay
// open. F4 then writes the words given (grammar::assemble spells the typed output as the load would
// write it), which compute what the ladder drew.
TEST_F(TypedLinesTest, TheBoxTakesWhatConvertWritesAsDrawnAndOnlyThat) {
    const Words labelled = {0xB000, 0x2400, 0x6401, 0x4402, 0xC500, 0xC501, 0x000F};
    const Words unlabelled = {0x2400, 0x6401, 0x4402, 0xC500, 0xC501, 0x000F};
    const Words stack = {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFB, 0x4402, 0xC501, 0xFFFC, 0xC502, 0x000F};
    const Words twoRungs = {0x2400, 0x4403, 0xC500, 0x2401, 0x4404, 0xC501, 0x000F};
    const auto with = [](Words words, std::size_t at, const std::string& line) {
        const Words typed = grammar::assemble(line);
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(at));
        words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), typed.begin(), typed.end());
        return words;
    };
    struct Case {
        Words program;
        Lines typed;      // "x,y line", the last one judged
        std::string why;  // empty: taken
        Words written;    // empty: the drawn logic alone is held against what F4 writes
    };
    const std::vector<Case> cases = {
        // a labelled rung takes the output the load draws on its second coil's line, as one without
        {labelled, {"960,64 SET M1"}, "", with(labelled, 5, "SET M1")},
        {labelled, {"960,64 RST M1"}, "", with(labelled, 5, "RST M1")},
        {labelled, {"960,64 PLS M1"}, "", with(labelled, 5, "PLS M1")},
        {unlabelled, {"960,64 SET M1"}, "", with(unlabelled, 4, "SET M1")},
        // a series branch typed contact by contact under a rung
        {{0x000F}, {"80,0 LD X0", "160,0 AND X1", "1040,0 OUT Y0", "80,64 LD X2", "160,64 OR X3"}, "", {}},
        {{0x000F}, {"80,0 LD X0", "160,0 AND X1", "1040,0 OUT Y0", "80,64 OR X2", "160,64 OR X3"}, "", {}},
        // a contact in the free cell after the wire behind a branch's contact: only the wire moves
        {stack,
         {"320,64 AND X4"},
         "",
         {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFB, 0x4402, 0x4404, 0xC501, 0xFFFC, 0xC502, 0x000F}},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0xC501, 0x000F},
         {"240,64 AND X4"},
         "",
         {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4404, 0xC501, 0x000F}},
        {{0x2400, 0xC500, 0x4401, 0xC501, 0x4402, 0xC502, 0x000F}, {"320,64 AND X4"}, "", {}},
        // an OR that cuts two whole rungs into one with wire left open
        {twoRungs,
         {"240,64 OR X2"},
         "Line 2: this line would leave wire open in a rung that was whole before it. Line 1: nothing joins "
         "X003 on its right.",
         {}},
        // the rung being built stays open until it is whole
        {{0x000F}, {"80,0 LD X0", "160,0 AND X1"}, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.back());
        ASSERT_TRUE(loadProgram(c.program));
        for (const std::string& typed : c.typed) {
            const std::size_t comma = typed.find(','), space = typed.find(' ');
            fakes.statusBar.setPanelText(13, "");
            const Lines before = ladder();
            type(static_cast<std::uint32_t>(std::stoul(typed.substr(0, comma))),
                 static_cast<std::uint32_t>(std::stoul(typed.substr(comma + 1, space - comma - 1))),
                 typed.substr(space + 1));
            if (&typed != &c.typed.back() || c.why.empty()) {
                ASSERT_EQ(boxes(), Boxes{}) << typed;
                continue;
            }
            EXPECT_EQ(boxes(), Boxes{kLineRefused});
            EXPECT_EQ(fakes.statusBar.panelText(13), c.why);
            EXPECT_EQ(ladder(), before);
        }
        if (!c.why.empty() || c.typed.back() == "160,0 AND X1") continue;
        const grammar::DrawnBefore drawn;
        ASSERT_TRUE(runCommand(LToM)) << (boxes().empty() ? "" : boxes().back());
        const Words written = program(c.written.empty() ? 64 : c.written.size());
        if (!c.written.empty()) {
            EXPECT_EQ(written, c.written);
        }
        EXPECT_EQ(drawn.compareWithWords(grammar::imageProgramWords()), "");
    }
}

}  // namespace
}  // namespace kestrion::test
