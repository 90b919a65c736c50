// The instructions that stand alone on their line (MCR, FOR, NEXT, FEND, SRET, IRET, EI, DI, RET)
// in the instruction box: taken again where the load draws them, and wherever Convert reads them
// back as they stand; refused after contacts of their line, where Convert would not.
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "editor/CursorMoves.h"
#include "editor/EditCommands.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/DrawnLogic.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorServices.h"
#include "reader/LoaderTestSupport.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kRefused = "Input Error...Can't write | Error2015031910 | warning";

// The nine, as typed on a line of their own.
const Lines kStandalone = {"MCR N0", "FOR K5", "NEXT", "FEND", "SRET", "IRET", "EI", "DI", "RET"};

// Programs of type 5, as words from step 0.
const Words kMasterControl = {0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0x000F};
const Words kLoop = {0x0020, 0x8600, 0x8600, 0x2400, 0xC500, 0x0022, 0x000F};  // FOR D0 ... NEXT
const Words kSubroutines = {0x2400, 0xC500, 0x001C, 0xB000, 0x2401, 0xC501,
                            0x0014, 0xB800, 0x2402, 0xC502, 0x0016, 0x000F};
const Words kInterrupts = {0x0018, 0x2400, 0xC500, 0x001A, 0x000F};  // EI ... DI
const Words kStep = {0xF000, 0x2400, 0xC500, 0xF7FF, 0x000F};        // STL S0, LD X0, OUT Y0, RET

class StandaloneInstructionTest : public TypingTest {
protected:
    static stLadderBlock* standingAt(std::uint32_t x, std::uint32_t y) {
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (o->xAddr == x && o->yAddr == y) return o;
        return nullptr;
    }
    // Convert takes the ladder on screen without a box and leaves it as it was, as drawn lists it.
    void expectConvertKeeps(Lines (*drawn)()) {
        const Lines typed = drawn();
        ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
        EXPECT_EQ(drawn(), typed);
    }
    // Enter or a double click on the object at (x, y), then the keys (a backspace erases).
    void reopen(std::uint32_t x, std::uint32_t y, const std::string& keys) {
        const stLadderBlock* object = standingAt(x, y);
        ASSERT_NE(object, nullptr) << x << "," << y;
        placeCursor(x, y);
        entryDialogs.scripts.push_back(keys + "\r");
        openInstructionBoxOnObject(*object);
    }
};

struct Drawn {
    const char* where;
    Words words;
    std::uint32_t x, y;  // where the load draws the instruction
    std::string line;
};

// Each of the nine where the load draws it: at the right of a line of its own, on the line of a
// step's STL, on a label's line. Enter on it takes the line as it stands.
TEST_F(StandaloneInstructionTest, WhereTheLoadDrawsThemTheBoxTakesThemAgain) {
    const std::vector<Drawn> cases = {
        {"own line", kMasterControl, 960, 128, "MCR N0"},
        {"own line", kLoop, 960, 0, "FOR D0"},
        {"own line", kLoop, 1040, 128, "NEXT"},
        {"own line", kSubroutines, 1040, 64, "FEND"},
        {"own line", kSubroutines, 1040, 192, "SRET"},
        {"own line", kSubroutines, 1040, 320, "IRET"},
        {"own line", kInterrupts, 1040, 0, "EI"},
        {"own line", kInterrupts, 1040, 128, "DI"},
        {"own line", kStep, 1040, 64, "RET"},
        {"step line", {0xF000, 0xF7FF, 0x000F}, 1040, 0, "RET"},
        {"step line", {0xF000, 0xF001, 0xF7FF, 0x000F}, 1040, 0, "RET"},
        {"step line", {0xF000, 0x0020, 0x8005, 0x8000, 0x0022, 0xF7FF, 0x000F}, 960, 0, "FOR K5"},
        {"step line", {0xF000, 0x0018, 0xF7FF, 0x000F}, 1040, 0, "EI"},
        {"step line", {0xF000, 0x001C, 0x000F}, 1040, 0, "FEND"},
        {"label line", {0xB000, 0x0014, 0x000F}, 1040, 0, "SRET"},
        {"label line", {0xB800, 0x0016, 0x000F}, 1040, 0, "IRET"},
        {"label line", {0xB000, 0x001C, 0x000F}, 1040, 0, "FEND"},
        {"label line", {0xB000, 0x000B, 0x8000, 0x000F}, 960, 0, "MCR N0"},
    };
    for (const Drawn& c : cases) {
        SCOPED_TRACE(c.line + " on its " + c.where);
        ASSERT_TRUE(loadProgram(c.words));
        const Lines loaded = ladder();
        const stLadderBlock* drawn = standingAt(c.x, c.y);
        ASSERT_NE(drawn, nullptr);
        EXPECT_EQ(objectEntryText(*drawn), c.line);
        reopen(c.x, c.y, "");
        EXPECT_EQ(boxes(), Boxes{});
        EXPECT_EQ(editInstrFlags & kInstrEntryRefused, 0);
        EXPECT_NE(editModeFlags & kEditLadderNotConverted, 0);
        EXPECT_EQ(ladder(), loaded);
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(program(c.words.size() + 1), [&] {
            Words written = c.words;
            written.push_back(0xFFFF);
            return written;
        }());
        EXPECT_EQ(ladder(), loaded);
    }
}

// Reopening the box on a loaded FOR or MCR to change its operand changes it where it stands.
TEST_F(StandaloneInstructionTest, ALoadedForOrMcrTakesANewOperandWhereItStands) {
    ASSERT_TRUE(loadProgram(kLoop));
    reopen(960, 0, "\b10");
    EXPECT_EQ(entryDialogs.opened, Lines{"FOR D0"});
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(ladder(),
              (Lines{"960,0 FOR D10", "80,64 LD X000", "1040,64 OUT Y000", "1040,128 NEXT", "1040,192 END"}));
    ASSERT_TRUE(runCommand(LToM));
    EXPECT_EQ(program(8), (Words{0x0020, 0x8614, 0x8600, 0x2400, 0xC500, 0x0022, 0x000F, 0xFFFF}));

    ASSERT_TRUE(loadProgram(kMasterControl));
    reopen(960, 128, "\b1");
    EXPECT_EQ(entryDialogs.opened.back(), "MCR N0");
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(ladder(), (Lines{"80,0 LD X000", "880,0 MC N0 M100", "80,64 LD X001", "1040,64 OUT Y000",
                               "960,128 MCR N1", "1040,192 END"}));
    ASSERT_TRUE(runCommand(LToM));
    EXPECT_EQ(program(10),
              (Words{0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8001, 0x000F, 0xFFFF}));
}

// After contacts of its line each of the nine would be written behind them and read back on a line
// of its own: the box refuses it and the ladder stays as it was.
TEST_F(StandaloneInstructionTest, AfterContactsOfTheirLineTheyAreRefused) {
    struct AfterContacts {
        Words words;
        std::uint32_t x, y;
    };
    const std::vector<AfterContacts> cells = {
        {kLoop, 160, 64},          // right of LD X000
        {kLoop, 400, 64},          // further along the same line
        {kMasterControl, 160, 0},  // right of LD X000, in front of MC
        {kStep, 240, 0},           // right of STL S0 and LD X000
        {kSubroutines, 160, 128},  // right of the label and LD X001
    };
    for (const AfterContacts& cell : cells) {
        for (const std::string& line : kStandalone) {
            SCOPED_TRACE(line + " at " + std::to_string(cell.x) + "," + std::to_string(cell.y));
            ASSERT_TRUE(loadProgram(cell.words));
            const Lines loaded = ladder();
            type(cell.x, cell.y, line);
            EXPECT_EQ(boxes(), Boxes{kRefused});
            EXPECT_EQ(ladder(), loaded);
        }
    }
}

// A program holds one END: the box never takes another, not even on an empty line.
TEST_F(StandaloneInstructionTest, EndIsRefusedEverywhere) {
    for (const std::uint32_t x : {80u, 400u, 960u}) {
        ASSERT_TRUE(loadProgram(kLoop));
        const Lines loaded = ladder();
        type(x, 192, "END");
        EXPECT_EQ(boxes(), Boxes{kRefused}) << x;
        EXPECT_EQ(ladder(), loaded);
    }
}

struct Shape {
    const char* name;
    Lines before;  // typed first; "@x,y" moves the cursor, "!line" inserts a line at 80,64
    std::uint32_t x, y;
    bool takesMcr, takesOthers;
};

// Typed on a line of a program LD X0, OUT Y0: what the box takes, Convert reads back where it
// stands; what it refuses (contacts would stay in front of it) leaves the ladder as it was.
TEST_F(StandaloneInstructionTest, WhatTheBoxTakesConvertReadsBackWhereItStands) {
    const std::vector<Shape> shapes = {
        {"first cell of an empty line", {}, 80, 64, true, true},
        {"middle of an empty line", {}, 480, 64, true, true},
        {"line of a label", {"@0,64", "P0"}, 80, 64, true, true},
        {"line of a step", {"@80,64", "STL S0"}, 160, 64, false, true},
        {"after a contact", {"@80,64", "LD X001"}, 160, 64, false, false},
        {"after two contacts", {"@80,64", "LD X001", "AND X002"}, 400, 64, false, false},
        {"after a label and a contact", {"@0,64", "P0", "LD X001"}, 160, 64, false, false},
        // the list's first contact is never cleared from its line, so it would stay in front
        {"first cell of the first line, on its contact", {}, 80, 0, false, false},
        {"on a line an OR joins to the one above", {"@80,64", "OR X001", "!line"}, 240, 64, false, false},
    };
    for (const std::string& line : kStandalone) {
        for (const Shape& shape : shapes) {
            SCOPED_TRACE(line + " typed on the " + shape.name);
            ASSERT_TRUE(loadProgram({0x2400, 0xC500, 0x000F}));
            for (const std::string& typed : shape.before) {
                if (typed[0] == '@') {
                    placeCursor(std::stoul(typed.substr(1)), std::stoul(typed.substr(typed.find(',') + 1)));
                } else if (typed == "!line") {
                    placeCursor(80, 64);
                    InsertLine1Click();
                } else {
                    type(xOldCursor, yOldCursor, typed);
                }
            }
            ASSERT_EQ(boxes(), Boxes{});
            const Lines before = ladder();
            type(shape.x, shape.y, line);
            const bool takes = line == "MCR N0" ? shape.takesMcr : shape.takesOthers;
            if (!takes) {
                EXPECT_EQ(boxes(), Boxes{kRefused});
                EXPECT_EQ(ladder(), before);
                continue;
            }
            EXPECT_EQ(boxes(), Boxes{});
            EXPECT_NE(ladder(), before);
            expectConvertKeeps(ladder);
        }
    }
}

struct Refused {
    const char* name;
    Words words;
    bool insert;
    std::uint32_t x, y;
    std::string line;
    std::string box;
    std::string why;  // the status bar
};

// The lines of the report that the box took and Convert then refused, or wrote as another program:
// each is refused with its box, the status bar says why, and the ladder stays as it was.
TEST_F(StandaloneInstructionTest, LinesConvertWouldNotWriteAsShownAreRefusedWithTheReason) {
    const std::string insertRefused = "This position can't insert | Msg2015011911 | warning";
    const std::string noContact =
        "An output needs a contact in front of it on its line, or a link to a line that has one.";
    const std::string convertRefuses = "Line 1: Convert cannot write this rung as it is drawn.";
    std::vector<Refused> cases = {
        {"MCR over the RET that closes a step",
         {0xF014, 0xC500, 0xF7FF, 0x000F},
         false,
         80,
         64,
         "MCR N0",
         kRefused,
         "MCR stands alone on its line: the RET that closes a step stands here."},
        {"RET inserted on the line of a FEND",
         {0x2400, 0xC500, 0x001C, 0x000F},
         true,
         80,
         64,
         "RET",
         insertRefused,
         "RET stands alone in the last cell: nothing is inserted there."},
        {"NEXT under a label alone on its line",
         {0xB03F, 0x000F},
         false,
         80,
         64,
         "NEXT",
         kRefused,
         "NEXT stands alone on its line: the label above stands alone; type it on the label's line."},
        {"an output with only wire in front, on the line under END",
         {0x2401, 0xC501, 0x000F},
         false,
         80,
         128,
         "OUT Y2",
         kRefused,
         noContact},
        {"SET below an MC, with only wire in front",
         {0x2401, 0x000A, 0x8000, 0x8864, 0x000F},
         false,
         80,
         64,
         "SET M1",
         kRefused,
         noContact},
        {"an output on an empty first line", {0x000F}, false, 160, 0, "OUT Y0", kRefused, noContact},
        {"an output in the first cell of a line an OR joins to the one above",
         {0x2400, 0x6401, 0xC500, 0x000F},
         false,
         80,
         64,
         "OUT Y2",
         kRefused,
         convertRefuses},
        {"MC as one more output of a contact",
         {0x2400, 0xC500, 0xC501, 0x000F},
         false,
         160,
         0,
         "MC N0 M4",
         kRefused,
         convertRefuses},
        {"an output in a block with an MC",
         {0x2400, 0x6401, 0x000A, 0x8000, 0x8804, 0x000F},
         false,
         160,
         64,
         "OUT Y0",
         kRefused,
         convertRefuses},
        {"MC in a step",
         {0xF014, 0x2400, 0xC500, 0xF7FF, 0x000F},
         false,
         240,
         0,
         "MC N0 M4",
         kRefused,
         "MC: a step holds no MC."},
        {"after contacts of its line",
         {0x2400, 0x4401, 0xC500, 0x000F},
         false,
         240,
         0,
         "FOR K5",
         kRefused,
         "FOR stands alone on its line: contacts stand in front of it here."},
        {"on a line an OR joins to the one above",
         {0x2400, 0x6401, 0xC500, 0x000F},
         false,
         80,
         64,
         "SRET",
         kRefused,
         "SRET stands alone on its line: this line is joined to the lines beside it."},
        {"a second END",
         {0x2400, 0xC500, 0x000F},
         false,
         80,
         64,
         "END",
         kRefused,
         "A program holds one END."},
        {"an MCR inside a step",
         {0xF014, 0xC500, 0xF7FF, 0x000F},  // a line is inserted in front of the RET first
         false,
         80,
         64,
         "MCR N0",
         kRefused,
         "MCR stands alone on its line: a step holds no MCR."},
    };
    // The other instructions that stand alone take the RET's place as MCR does.
    for (const std::string& line : kStandalone)
        if (line != "MCR N0" && line != "RET")
            cases.push_back({"over the RET that closes a step",
                             {0xF014, 0xC500, 0xF7FF, 0x000F},
                             false,
                             80,
                             64,
                             line,
                             kRefused,
                             line.substr(0, line.find(' ')) +
                                 " stands alone on its line: the RET that closes a step stands here."});
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.line + ": " + c.name);
        ASSERT_TRUE(loadProgram(c.words));
        if (std::string(c.name) == "an MCR inside a step") {
            placeCursor(80, 64);
            InsertLine1Click();
        }
        if (c.insert) editModeFlags |= kEditInsertMode;
        fakes.statusBar.setPanelText(13, "");
        const Lines loaded = ladder();
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{c.box});
        EXPECT_EQ(fakes.statusBar.panelText(13), c.why);
        EXPECT_EQ(ladder(), loaded);
    }
}

// Where the same lines stand as Convert reads them back, the box takes them, and Convert writes the
// program the words give.
TEST_F(StandaloneInstructionTest, TheSameLinesWhereConvertReadsThemBackAreTaken) {
    struct Taken {
        Words words;
        bool insert;
        std::uint32_t x, y;
        std::string line;
        Words written;
    };
    const std::vector<Taken> cases = {
        {{0xB03F, 0x000F}, false, 80, 0, "NEXT", {0xB03F, 0x0022, 0x000F}},  // on the label's line
        {{0x2400, 0xC500, 0x001C, 0x000F}, false, 80, 64, "RET", {0x2400, 0xC500, 0xF7FF, 0x000F}},  // over
                                                                                                     // FEND
        {{0xF014, 0xC500, 0xF7FF, 0x000F},
         false,
         80,
         128,
         "MCR N0",
         {0xF014, 0xC500, 0xF7FF, 0x000B, 0x8000, 0x000F}},
    };
    for (const Taken& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(loadProgram(c.words));
        if (c.insert) editModeFlags |= kEditInsertMode;
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{});
        expectConvertKeeps(ladder);
        EXPECT_EQ(program(c.written.size()), c.written);
    }
}

// Outputs are taken where Convert writes them as drawn: with only wire in front of them where the
// load draws a parallel output (from the link under the contact of the line above, or where parallel
// contacts join), over the first contact of a branch, or beside the list's first contact, which
// stays. Convert writes the words given, and the load reads back the ladder that was on screen.
TEST_F(StandaloneInstructionTest, OutputsWhereTheLoadDrawsThemAreTaken) {
    struct Taken {
        Words words;
        std::uint32_t x, y;
        std::string line;
        Words written;
    };
    const std::vector<Taken> cases = {
        {{0x2400, 0xC500, 0xC501, 0x000F}, 160, 64, "OUT Y2", {0x2400, 0xC500, 0xC502, 0x000F}},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4402, 0xC501, 0x000F},
         160,
         64,
         "OUT Y2",
         {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0xC502, 0x000F}},
        // From where parallel contacts join, on their lower line, as the load draws a second output.
        {{0x2400, 0x6401, 0xC500, 0xC501, 0x000F},
         160,
         64,
         "OUT Y2",
         {0x2400, 0x6401, 0xC500, 0xC502, 0x000F}},
        {{0x2400, 0x6401, 0x4402, 0xC500, 0xC501, 0x000F},
         240,
         64,
         "OUT Y2",
         {0x2400, 0x6401, 0x4402, 0xC500, 0xC502, 0x000F}},
        {{0x2400, 0x6401, 0xC500, 0x000F}, 160, 64, "OUT Y2", {0x2400, 0x6401, 0xC500, 0xC502, 0x000F}},
        // Over the list's first contact, which stays: X0 drives the pulse as it drives Y1.
        {{0x2400, 0xC500, 0xC501, 0x000F}, 80, 0, "PLS M3", {0x2400, 0x0008, 0x8803, 0xC501, 0x000F}},
        // A second output from where three parallel contacts join, on their middle line.
        {{0x2400, 0x6401, 0x6402, 0xC500, 0x000F},
         160,
         64,
         "OUT Y3",
         {0x2400, 0x6401, 0x6402, 0xC500, 0xC503, 0x000F}},
        // From the join of two parallel contacts whose upper line goes on with a contact.
        {{0x2400, 0x6401, 0x4402, 0xC500, 0x000F},
         160,
         64,
         "OUT Y3",
         {0x2400, 0x6401, 0xFFFA, 0x4402, 0xC500, 0xFFFC, 0xC503, 0x000F}},
        // In the first cell of the branch the MPP opens, over its contact.
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4402, 0xC501, 0x000F},
         80,
         64,
         "SET M1",
         {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0xD801, 0x000F}},
    };
    for (const Taken& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(loadProgram(c.words));
        ASSERT_TRUE(runCommand(LToM));  // the ladder as Convert leaves it, its links drawn
        fakes.messages.shown.clear();
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{});
        expectConvertKeeps(shownLadder);
        EXPECT_EQ(program(c.written.size()), c.written);
    }
}

// A line Convert writes as the logic drawn is taken however long the wire into the output is drawn:
// on the third of three parallel contacts the output hangs from their join, as the words give it.
TEST_F(StandaloneInstructionTest, OutputsConvertWritesAsDrawnAreTakenWhateverTheirWire) {
    struct Taken {
        Words words;
        std::uint32_t x, y;
        std::string line;
        Words written;
    };
    const Words three = {0x2400, 0x6401, 0x6402, 0xC500, 0x000F};
    const std::vector<Taken> cases = {
        {three, 160, 128, "OUT Y3", {0x2400, 0x6401, 0x6402, 0xC500, 0xC503, 0x000F}},
        {three, 400, 128, "RST Y3", {0x2400, 0x6401, 0x6402, 0xC500, 0xE503, 0x000F}},
        // where parallel contacts join the line of a label: the label stays with the rung's top
        {{0xB000, 0x2400, 0x6401, 0xC500, 0x000F},
         160,
         64,
         "OUT Y2",
         {0xB000, 0x2400, 0x6401, 0xC500, 0xC502, 0x000F}},
    };
    for (const Taken& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(loadProgram(c.words));
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{});
        const grammar::DrawnBefore drawn;
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(program(c.written.size()), c.written);
        EXPECT_EQ(drawn.compareWithWords(c.written), "");
    }
}

// RET lands in the last cell and leaves the rest of its line: typed with the cursor on a contact of
// that line it would stand behind the contact, which the load reads as another program. The other
// eight take the line from the cursor on, the contact with it.
TEST_F(StandaloneInstructionTest, RetTypedOnAContactOfItsLineIsRefused) {
    for (const std::string& line : kStandalone) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(loadProgram({0x2400, 0xC500, 0x000F}));
        type(80, 64, "LD X001");
        const Lines before = ladder();
        type(80, 64, line);
        if (line == "RET") {
            EXPECT_EQ(boxes(), Boxes{kRefused});
            EXPECT_EQ(ladder(), before);
            continue;
        }
        EXPECT_EQ(boxes(), Boxes{});
        expectConvertKeeps(ladder);
    }
}

// Delete turns a contact into wire: behind that wire each of the nine is taken, as on an empty line,
// and Convert reads it back where it stands.
TEST_F(StandaloneInstructionTest, BehindWireLeftByDeleteTheyAreTaken) {
    for (const std::string& line : kStandalone) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(loadProgram({0x2400, 0xC500, 0x000F}));
        type(80, 64, "LD X001");
        placeCursor(80, 64);
        ASSERT_TRUE(deleteFramedObject());
        type(160, 64, line);
        EXPECT_EQ(boxes(), Boxes{});
        expectConvertKeeps(shownLadder);
    }
}

}  // namespace
}  // namespace kestrion::test
