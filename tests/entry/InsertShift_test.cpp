// Lines typed in Insert mode in front of what stands on a line of a rung with branches: the cells
// of the rung from there on move right together, the lines beside keep their wire into what moved,
// and Convert writes the ladder drawn before it.
#include <algorithm>
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

struct Typed {
    std::uint32_t x, y;
    std::string line;
};

const Lines kBranches = {"LD X0", "MPS", "AND X1", "OUT Y0", "MRD", "AND X2", "OUT Y1", "MPP", "OUT Y2"};
const Lines kGroup = {"LD X0", "LD X1", "OR X2", "ANB", "OUT Y0"};
const Lines kThreeInGroup = {"LD X0", "LD X1", "OR X2", "OR X3", "ANB", "OUT Y0"};
const Lines kOrBehind = {"LD X0", "AND X1", "OR X2", "OUT Y0"};
const Lines kOrFirst = {"LD X0", "OR X1", "AND X2", "OUT Y0"};

class InsertShift : public TypingTest {
protected:
    // The lines typed one after the other in Insert mode, each taken.
    void typeTaken(const Lines& program, const std::vector<Typed>& typed) {
        ASSERT_TRUE(loadProgram(programOf(program)));
        editModeFlags |= kEditInsertMode;
        for (const Typed& t : typed) {
            SCOPED_TRACE(t.line + " at " + std::to_string(t.x) + "," + std::to_string(t.y));
            type(t.x, t.y, t.line);
            ASSERT_EQ(boxes(), Boxes{}) << fakes.statusBar.panelText(13);
        }
    }
    // Convert writes `expected` and the logic the ladder drew before it; a second Convert the same.
    void convertsAsDrawn(const Lines& expected) {
        const grammar::DrawnBefore drawn;
        fakes.messages.shown.clear();
        ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
        EXPECT_EQ(boxes(), Boxes{});
        const Words words = grammar::imageProgramWords();
        EXPECT_EQ(grammar::hexWords(words), grammar::hexWords(programOf(expected)));
        EXPECT_EQ(drawn.compareWithWords(words), "");
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(grammar::imageProgramWords(), words);
    }
};

// Two contacts inserted one after the other at the same cell of the first branch: both are taken,
// and the two other branches keep their wire from the branch point into what moved.
TEST_F(InsertShift, TwoContactsInsertedAtOneCellOfABranchConvertAsDrawn) {
    typeTaken(kBranches, {{160, 0, "AND X4"}, {160, 0, "AND X5"}});
    const Lines all = ladder();
    for (const char* filler : {"160,64 NOP", "240,64 NOP", "160,128 NOP", "240,128 NOP"})
        EXPECT_NE(std::find(all.begin(), all.end(), filler), all.end()) << filler;
    convertsAsDrawn(
        {"LD X0", "MPS", "AND X5", "AND X4", "AND X1", "OUT Y0", "MRD", "AND X2", "OUT Y1", "MPP", "OUT Y2"});
}

// Contacts inserted in front of an object of each kind of line, and their neighbours: the line
// holding the output, a branch of a branch point, the lines of a parallel group (with the link
// behind the contact moving with it, over one line and over two), a branch from the left bus (the
// wire in front of the rung's first contact), the second of two rungs.
TEST_F(InsertShift, ContactsInsertedInFrontOfAnObjectConvertAsDrawn) {
    struct Case {
        Lines program;
        std::vector<Typed> typed;
        Lines words;
    };
    const Case cases[] = {
        {kBranches,
         {{160, 64, "AND X4"}, {160, 64, "AND X5"}},
         {"LD X0", "MPS", "AND X1", "OUT Y0", "MRD", "AND X5", "AND X4", "AND X2", "OUT Y1", "MPP",
          "OUT Y2"}},
        {kBranches,
         {{160, 128, "AND X4"}, {160, 128, "AND X5"}},
         {"LD X0", "MPS", "AND X1", "OUT Y0", "MRD", "AND X2", "OUT Y1", "MPP", "AND X5", "AND X4",
          "OUT Y2"}},
        // the second in front of the wire the first left on the line above
        {kBranches,
         {{160, 64, "AND X4"}, {160, 0, "AND X5"}},
         {"LD X0", "MPS", "AND X5", "AND X1", "OUT Y0", "MRD", "AND X4", "AND X2", "OUT Y1", "MPP",
          "OUT Y2"}},
        {kGroup, {{160, 0, "AND X3"}}, {"LD X0", "LD X3", "AND X1", "OR X2", "ANB", "OUT Y0"}},
        {kGroup,
         {{160, 0, "AND X3"}, {160, 0, "AND X4"}},
         {"LD X0", "LD X4", "AND X3", "AND X1", "OR X2", "ANB", "OUT Y0"}},
        {kGroup, {{160, 64, "AND X3"}}, {"LD X0", "LD X1", "LD X3", "AND X2", "ORB", "ANB", "OUT Y0"}},
        {kThreeInGroup,
         {{160, 0, "AND X4"}},
         {"LD X0", "LD X4", "AND X1", "OR X2", "OR X3", "ANB", "OUT Y0"}},
        {kThreeInGroup,
         {{160, 64, "AND X4"}},
         {"LD X0", "LD X1", "LD X4", "AND X2", "ORB", "OR X3", "ANB", "OUT Y0"}},
        {kOrBehind, {{160, 0, "AND X3"}}, {"LD X0", "AND X3", "AND X1", "OR X2", "OUT Y0"}},
        {kOrBehind, {{160, 64, "AND X3"}}, {"LD X0", "AND X1", "LD X2", "AND X3", "ORB", "OUT Y0"}},
        {kOrBehind, {{80, 64, "AND X3"}}, {"LD X0", "AND X1", "LD X3", "AND X2", "ORB", "OUT Y0"}},
        {kOrFirst, {{160, 0, "AND X3"}}, {"LD X0", "OR X1", "AND X3", "AND X2", "OUT Y0"}},
        {kOrFirst, {{80, 64, "AND X3"}}, {"LD X0", "LD X3", "AND X1", "ORB", "AND X2", "OUT Y0"}},
        {{"LD X0", "OR X1", "MPS", "AND X2", "OUT Y0", "MPP", "AND X3", "OUT Y1"},
         {{80, 64, "AND X4"}},
         {"LD X0", "LD X4", "AND X1", "ORB", "MPS", "AND X2", "OUT Y0", "MPP", "AND X3", "OUT Y1"}},
        // the link of a branch node under the contact moves with it, to the next line's contact
        {{"LD X0", "OUT Y0", "AND X1", "OUT Y1", "AND X2", "OUT Y2"},
         {{160, 64, "AND X4"}},
         {"LD X0", "OUT Y0", "AND X4", "AND X1", "OUT Y1", "AND X2", "OUT Y2"}},
        {{"LD X0", "AND X1", "OUT Y0", "LD X2", "AND X3", "OUT Y1"},
         {{160, 0, "AND X4"}, {160, 64, "AND X5"}},
         {"LD X0", "AND X4", "AND X1", "OUT Y0", "LD X2", "AND X5", "AND X3", "OUT Y1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.program) + " " + c.typed.front().line + " at " +
                     std::to_string(c.typed.front().x) + "," + std::to_string(c.typed.front().y));
        typeTaken(c.program, c.typed);
        convertsAsDrawn(c.words);
    }
}

// A contact typed at the free cell left of a branch's node opens the rung, which converted before:
// refused with the reason, and the ladder stays as the insert before it left it.
TEST_F(InsertShift, AContactLeftOfABranchNodeIsRefused) {
    typeTaken({"LD X0", "OUT Y0", "AND X1", "OUT Y1", "AND X2", "OUT Y2"}, {{160, 64, "AND X4"}});
    const Lines before = ladder();
    type(160, 128, "AND X5");
    EXPECT_EQ(boxes(), Boxes{"Input Error...Can't write | Error2015031910 | warning"});
    EXPECT_EQ(fakes.statusBar.panelText(13),
              "Line 3: this line would leave wire open in a rung that was whole before it. Line 3: nothing "
              "joins X5 on its left.");
    EXPECT_EQ(ladder(), before);
    convertsAsDrawn({"LD X0", "OUT Y0", "AND X4", "AND X1", "OUT Y1", "AND X2", "OUT Y2"});
}

// An insert on a line whose output is a box standing further left than the joint of another line:
// that joint moves on in front of its own output, and stays.
TEST_F(InsertShift, TheJointOfAnotherLineStaysInFrontOfItsOutput) {
    const Lines program = {"LD X0",  "MPS",    "AND X1", "AND X2", "AND X3", "AND X4",  "AND X5",
                           "AND X6", "AND X7", "OUT Y0", "OUT Y1", "MPP",    "AND X10", "ADD D0 D1 D2"};
    typeTaken(program, {{160, 128, "AND X11"}});
    Lines line;
    for (const std::string& object : ladder())
        if (object.find(",64 ") != std::string::npos) line.push_back(object);
    EXPECT_EQ(line, (Lines{"800,64 #NOP", "1040,64 OUT Y001"}));
    convertsAsDrawn({"LD X0", "MPS", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "AND X7",
                     "OUT Y0", "OUT Y1", "MPP", "AND X11", "AND X10", "ADD D0 D1 D2"});
}

// In a group joined to the rung above (ANB, then ORB, on the line of the rung's output), a contact
// inserted on the group's last line: the joints move with the cells and leave the wire in front of the
// output where it was drawn. The program the grammar builds from seed 85, whose last rung this is.
TEST_F(InsertShift, TheJointsOfAGroupMoveWithoutTheWireBesideThem) {
    grammar::RandomChoices choices(85);
    ASSERT_TRUE(loadProgram(grammar::generateProgram(choices).words()));
    editModeFlags |= kEditInsertMode;
    type(160, 1280, "LD X6");
    ASSERT_EQ(boxes(), Boxes{}) << fakes.statusBar.panelText(13);
    const grammar::DrawnBefore drawn;
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
    // The program begins with a step, which Convert notes and converts.
    EXPECT_EQ(boxes(), Boxes{"First Instruction is STL... | *Modify_xBlockAddr | error"});
    EXPECT_EQ(drawn.compareWithWords(grammar::imageProgramWords()), "");
}

}  // namespace
}  // namespace kestrion::test
