// A refused line and what follows it in the same box: the box takes a corrected line, the menus and
// the status bar are as before the key, every refusal says its reason in words; and the output typed
// over wire or contacts leaves the ladder drawn as Convert writes it.
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "entry/EntryDriver.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/ProgramGrammar.h"
#include "lang/MenuState.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const Words kParallelPair = {0x2400, 0x2401, 0x6402,
                             0xFFF8, 0xC500, 0x000F};  // LD X0, LD X1, OR X2, ANB, OUT Y0

class RefusedThenCorrected : public TypingTest {
protected:
    // The keys of one box: the first line, Enter, then each further line typed over the one before.
    void typeInOneBox(std::uint32_t x, std::uint32_t y, const Lines& lines) {
        std::string keys = lines.front().substr(1) + "\r";
        for (std::size_t i = 1; i < lines.size(); ++i)
            keys += std::string(lines[i - 1].size(), '\b') + lines[i] + "\r";
        placeCursor(x, y);
        entryDialogs.scripts.push_back(keys);
        openInstructionBoxOnKey(lines.front()[0]);
    }
    Words converted() {
        fakes.messages.shown.clear();
        EXPECT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
        return grammar::imageProgramWords();
    }
};

// A refusal by rule leaves the box reading the next line as typed: the corrected line is taken, and
// the status bar no longer shows the first reason.
TEST_F(RefusedThenCorrected, TheBoxTakesACorrectedLineAfterARefusal) {
    ASSERT_TRUE(loadProgram(kParallelPair));
    editModeFlags |= kEditInsertMode;
    typeInOneBox(240, 0, {"OUT Y1", "AND X3"});
    EXPECT_EQ(boxes(), Boxes{kInsertRefused});
    EXPECT_EQ(fakes.statusBar.panelText(13), "");
    EXPECT_EQ(converted(), (Words{0x2400, 0x2401, 0x6402, 0xFFF8, 0x4403, 0xC500, 0x000F}));
}

// The same after a refusal of the trial, and after two refusals in a row.
TEST_F(RefusedThenCorrected, TheBoxTakesACorrectedLineAfterTheTrialRefused) {
    const Lines full = {"LD X0",  "AND X1",  "AND X2",  "AND X3",  "AND X4",  "AND X5", "AND X6",
                        "AND X7", "AND X10", "AND X11", "AND X12", "AND X13", "OUT Y0"};
    ASSERT_TRUE(loadProgram(programOf(full)));
    typeInOneBox(960, 0, {"SET M1", "AND X20"});
    EXPECT_EQ(boxes(), Boxes{kLineRefused});
    EXPECT_EQ(fakes.statusBar.panelText(13), "");
    const Words words = converted();
    ASSERT_EQ(words.size(), 14u);
    EXPECT_EQ(grammar::hexWords(Words(words.begin() + 10, words.end())), "440A 4410 C500 000F");
}

// A refused line leaves Edit > Undo and Edit Cancel as they were, after Convert (both off) and
// after an edit (both on); the box comes back unmasked.
TEST_F(RefusedThenCorrected, ARefusedLineLeavesTheEditMenuAsItWas) {
    for (const bool editedBefore : {false, true}) {
        SCOPED_TRACE(editedBefore ? "after an edit" : "after Convert");
        ASSERT_TRUE(loadProgram(kParallelPair));
        ASSERT_TRUE(runCommand(LToM));
        if (editedBefore) type(80, 0, "LDI X6");
        refreshEditItems();
        const bool undo = menuItem("Undo1").enabled, cancel = menuItem("EditCancel1").enabled;
        EXPECT_EQ(undo, editedBefore);
        fakes.messages.shown.clear();
        EditKeyBox box;
        box.line = "OUT Y1";
        FncKeyDeviceCode = kFncKeyTyped;
        iconSymbleCode = 0;
        placeCursor(160, 64);
        box.keyPress('\r');  // X2 would become wire between the links of its branch
        EXPECT_EQ(boxes(), Boxes{kLineRefused});
        EXPECT_FALSE(box.closed);
        EXPECT_FALSE(box.masked);
        refreshEditItems();
        EXPECT_EQ(menuItem("Undo1").enabled, undo);
        EXPECT_EQ(menuItem("EditCancel1").enabled, cancel);
    }
}

// Every refusal says on the status bar what is wrong and where, in words.
TEST_F(RefusedThenCorrected, EveryRefusalSaysItsReason) {
    struct Refusal {
        Lines program;
        bool insert;
        std::uint32_t x, y;
        std::string line, box, why;
    };
    const Refusal cases[] = {
        {{"LD X0", "OUT Y0"},
         false,
         80,
         0,
         "OUT Y3",
         kLineRefused,
         "Line 1, cell 1: the program's first cell takes a contact or a step, not OUT."},
        {{"LD X0", "AND X1", "OUT Y0"},
         true,
         160,
         0,
         "OUT Y3",
         kInsertRefused,
         "Line 1, cell 13: with Insert on, no output is inserted in front of what stands there; switch "
         "Insert off to replace it."},
        {{"LD X0", "OR X3", "LD X1", "OR X2", "ANB", "OUT Y0", "OUT Y3"},
         false,
         160,
         64,
         "OUT Y1",
         kLineRefused,
         "Line 1: a bare wire runs beside X001 and bypasses it."},
        {{"STL S20", "LD X0", "OR X1", "OUT Y0", "SET M0", "LD X2", "OUT Y2"},
         false,
         80,
         64,
         "OUT Y1",
         kLineRefused,
         "Line 1: a bare wire runs beside X000 and bypasses it."},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.line + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        ASSERT_TRUE(loadProgram(programOf(c.program)));
        if (c.insert) editModeFlags |= kEditInsertMode;
        const Lines before = ladder();
        type(c.x, c.y, c.line);
        EXPECT_EQ(boxes(), Boxes{c.box});
        EXPECT_EQ(fakes.statusBar.panelText(13), c.why);
        EXPECT_EQ(ladder(), before);
    }
}

// An output typed over the wire behind a contact, or over a contact in front of a block joint,
// keeps the wire and the joint: the ladder after Enter holds what Convert then writes, and Convert
// writes it again unchanged. The neighbours held before.
TEST_F(RefusedThenCorrected, AnOutputKeepsTheWireAndTheJointsItStandsBehind) {
    struct Taken {
        Lines program;
        bool insert;
        std::uint32_t x, y;
        std::string line;
        Lines shown;  // the row the output went on, after Enter
        Words words;
    };
    const Taken cases[] = {
        {{"LD X0", "AND X1", "OR X2", "OUT Y0"},
         false,
         160,
         64,
         "OUT Y1",
         {"80,64 OR X002", "160,64 NOP", "1040,64 OUT Y1"},
         {0x2400, 0x4401, 0x6402, 0xC500, 0xC501, 0x000F}},
        {{"LD X0", "AND X1", "OR X2", "OUT Y0"},
         true,
         160,
         64,
         "OUT Y1",
         {"80,64 OR X002", "160,64 NOP", "1040,64 OUT Y1"},
         {0x2400, 0x4401, 0x6402, 0xC500, 0xC501, 0x000F}},
        {{"LD X0", "LD X1", "AND X2", "ORB", "OUT Y0"},
         false,
         160,
         0,
         "MOV K1 D0",
         {"80,0 LD X000", "160,0 NOP", "880,0 MOV K1 D0"},
         {0x2400, 0x2401, 0x4402, 0xFFF9, 0x0028, 0x8001, 0x8000, 0x8600, 0x8600, 0x000F}},
        {{"LD X0", "LD X1", "AND X2", "ORB", "OUT Y0"},
         false,
         80,
         0,
         "MOV K1 D0",
         {"80,0 LD X000", "160,0 NOP", "880,0 MOV K1 D0"},
         {0x2400, 0x2401, 0x4402, 0xFFF9, 0x0028, 0x8001, 0x8000, 0x8600, 0x8600, 0x000F}},
        // a neighbour: over the output of the same row
        {{"LD X0", "AND X1", "OR X2", "OUT Y0"},
         false,
         1040,
         0,
         "OUT Y1",
         {"80,0 LD X000", "160,0 AND X001", "1040,0 OUT Y1"},
         {0x2400, 0x4401, 0x6402, 0xC501, 0x000F}},
        // over the contact in front of the ANB: the joint stays and the output replaces Y0
        {{"LD X0", "LD X1", "OR X2", "ANB", "OUT Y0"},
         false,
         240,
         0,
         "OUT Y1",
         {"80,0 LD X000", "160,0 LD X001", "250,0 ANB", "1040,0 OUT Y1"},
         {0x2400, 0x2401, 0x6402, 0xFFF8, 0xC501, 0x000F}},
    };
    for (const Taken& c : cases) {
        SCOPED_TRACE(c.line + " at " + std::to_string(c.x) + "," + std::to_string(c.y) +
                     (c.insert ? " insert" : ""));
        ASSERT_TRUE(loadProgram(programOf(c.program)));
        if (c.insert) editModeFlags |= kEditInsertMode;
        type(c.x, c.y, c.line);
        ASSERT_EQ(boxes(), Boxes{});
        Lines row;
        for (const std::string& object : ladder())
            if (object.find("," + std::to_string(c.y) + " ") != std::string::npos) row.push_back(object);
        EXPECT_EQ(row, c.shown);
        const Words once = converted();
        EXPECT_EQ(grammar::hexWords(once), grammar::hexWords(c.words));
        EXPECT_EQ(converted(), once);
    }
}

}  // namespace
}  // namespace kestrion::test
