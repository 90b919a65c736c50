// The evaluator of the drawn ladder: power from the left bus through what the view paints, read
// from ladders the load opens and from ladders an edit changed, with the drawn logic the picture
// shows worked out by hand.
#include "grammar/DrawnLogic.h"

#include "editor/CursorMoves.h"
#include "grammar/ConvertProperty.h"
#include "grammar/ProgramGrammar.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion::grammar {
namespace {

class DrawnLogicTest : public test::CoreTest {
protected:
    void open(const Words& words) {
        startEditor();
        ASSERT_TRUE(openProgramWords(words));
    }
    static void deleteAt(std::uint32_t x, std::uint32_t y) {
        xOldCursor = x;
        yOldCursor = y;
        setBlueFrameObject(x, y);
        ASSERT_TRUE(deleteFramedObject());
    }
    static stLadderBlock* objectAt(std::uint32_t x, std::uint32_t y) {
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (o->xAddr == x && o->yAddr == y) return o;
        return nullptr;
    }
};

Signal allOn() {
    return ones();
}

// A function of the named inputs, by its value for every assignment of them.
template <class F>
Signal table(const Inputs& inputs, const std::vector<std::string>& names, F f) {
    Signal s{};
    for (std::size_t k = 0; k < (std::size_t{1} << names.size()); ++k) {
        std::vector<bool> on;
        Signal minterm = ones();
        for (std::size_t n = 0; n < names.size(); ++n) {
            on.push_back(((k >> n) & 1) != 0);
            minterm = minterm & (on.back() ? inputs.of(names[n]) : ~inputs.of(names[n]));
        }
        if (f(on)) s = s | minterm;
    }
    return s;
}

Words assembleAll(std::initializer_list<const char*> lines) {
    Words words;
    for (const char* line : lines) {
        const Words one = assemble(line);
        words.insert(words.end(), one.begin(), one.end());
    }
    words.push_back(0x000F);
    return words;
}

// Freshly loaded ladders draw the logic of their words: series, parallel, a block in series, branch
// points, INV inside a parallel group, steps, master control, labels and jumps.
TEST_F(DrawnLogicTest, ALoadedLadderDrawsTheLogicOfItsWords) {
    const Words programs[] = {
        assembleAll({"LD X0", "OR X1", "OUT Y0"}),
        assembleAll({"LD X0", "LD X1", "AND X2", "INV", "OR X3", "ANB", "OUT Y0"}),
        assembleAll({"LD X0", "OR X1", "INV", "OUT Y0", "LDI X2", "ANDP X3", "OUT Y1"}),
        assembleAll({"LD X0", "MPS", "AND X1", "OUT Y0", "MRD", "ANI X2", "OUT Y1", "MPP", "OUT Y2"}),
        assembleAll({"STL S20", "LD X0", "OR X1", "OUT Y0", "LD X2", "OUT Y1", "RET", "LD X3", "OUT Y2"}),
        assembleAll({"STL S20", "OUT Y2", "LD X0", "INV", "OUT Y0", "RET"}),
        assembleAll({"P0", "LD X0", "MC N0 M100", "LD X1", "OUT Y0", "MCR N0", "LD X2", "CJ P0", "FEND"}),
        assembleAll({"LD X0", "OR X1", "LD X2", "OR X3", "ANB", "AND X4", "INV", "LDI X5", "LD X6", "ORB",
                     "ANB", "INV", "OUT Y0"}),
        assembleAll(
            {"LD X0", "MPS", "LD X1", "AND X2", "OR X3", "ANB", "OUT Y0", "MPP", "AND X4", "INV", "OUT Y1"}),
    };
    for (const Words& words : programs) {
        open(words);
        EXPECT_EQ(compareDrawnWithWords(words), "") << hexWords(words);
    }
}

// The conditions themselves: LD X0, LD X1, AND X2, INV, OR X3, ANB, OUT Y0 draws X0 in series with a
// group of X1 X2 INV over X3; the INV inverts its own branch only.
TEST_F(DrawnLogicTest, AnInvInvertsItsOwnParallelSection) {
    open(assembleAll({"LD X0", "LD X1", "AND X2", "INV", "OR X3", "ANB", "OUT Y0"}));
    const std::vector<std::string> names{"dev 0400", "dev 0401", "dev 0402", "dev 0403"};
    EXPECT_EQ(drawnInputNames(), names);
    const Inputs inputs(names);
    const CoilLogic logic = drawnLogic(inputs);
    ASSERT_EQ(logic.error, "");
    ASSERT_EQ(logic.steps.size(), 1u);
    EXPECT_EQ(logic.steps[0].text, "OUT dev 0500");
    EXPECT_TRUE(logic.steps[0].conditional);
    EXPECT_EQ(logic.steps[0].condition, table(inputs, names, [](const std::vector<bool>& x) {
                  return x[0] && (!(x[1] && x[2]) || x[3]);
              }));
}

// After a branch point the INV of a branch inverts all in front of it: the branch is no parallel
// group (it ends at its output). LD X0, MPS, AND X1, INV, OUT Y0, MPP, AND X2, OUT Y1.
TEST_F(DrawnLogicTest, AnInvAfterABranchPointInvertsFromTheBus) {
    open(assembleAll({"LD X0", "MPS", "AND X1", "INV", "OUT Y0", "MPP", "AND X2", "INV", "OUT Y1"}));
    const std::vector<std::string> names{"dev 0400", "dev 0401", "dev 0402"};
    const Inputs inputs(names);
    const CoilLogic logic = drawnLogic(inputs);
    ASSERT_EQ(logic.steps.size(), 2u);
    EXPECT_EQ(logic.steps[0].condition,
              table(inputs, names, [](const std::vector<bool>& x) { return !(x[0] && x[1]); }));
    EXPECT_EQ(logic.steps[1].condition,
              table(inputs, names, [](const std::vector<bool>& x) { return !(x[0] && x[2]); }));
}

// LD X0, OR X3, LD X1, OR X2, ANB, OUT Y0, OUT Y3, with X2 turned into wire between the two links:
// the wire bypasses X1, Y0 = X0 + X3.
TEST_F(DrawnLogicTest, WireBesideAContactBypassesIt) {
    const Words words = assembleAll({"LD X0", "OR X3", "LD X1", "OR X2", "ANB", "OUT Y0", "OUT Y3"});
    open(words);
    stLadderBlock* x2 = objectAt(160, 64);
    ASSERT_NE(x2, nullptr);
    x2->iCode = kCodeNop;
    setText(x2->mnemonic, "NOP");
    x2->operands = {};
    const std::vector<std::string> names{"dev 0400", "dev 0401", "dev 0403"};
    EXPECT_EQ(drawnInputNames(), names);
    const Inputs inputs(names);
    const CoilLogic logic = drawnLogic(inputs);
    ASSERT_EQ(logic.steps.size(), 2u);
    const Signal x0OrX3 = table(inputs, names, [](const std::vector<bool>& x) { return x[0] || x[2]; });
    EXPECT_EQ(logic.steps[0].condition, x0OrX3);
    EXPECT_EQ(logic.steps[1].condition, x0OrX3);
    EXPECT_EQ(compareDrawnWithWords(assembleAll({"LD X0", "OR X3", "OUT Y0", "OUT Y3"})), "");
}

// LD X0, OR X1, OUT Y0; Delete at 80,0 leaves wire in parallel with X1: Y0 is always on.
TEST_F(DrawnLogicTest, WireInParallelWithAContactIsAlwaysOn) {
    const Words words = assembleAll({"LD X0", "OR X1", "OUT Y0"});
    open(words);
    deleteAt(80, 0);
    const CoilLogic logic = drawnLogic(Inputs(drawnInputNames()));
    ASSERT_EQ(logic.steps.size(), 1u);
    EXPECT_EQ(logic.steps[0].condition, allOn());
    EXPECT_EQ(compareDrawnWithWords(words),
              "the ladder gives OUT dev 0500 (at 1040,0) another condition than the words: with no input on "
              "the ladder gives on, the words off");
    // What the ladder shows, written as words: Y0 from the bus.
    EXPECT_NE(compareDrawnWithWords(assembleAll({"LD X1", "OUT Y0"})), "");
}

// LD X0, OR X1, OUT Y0, OUT Y1; Delete at 80,64: the wire on the lower line feeds both coils.
// LD X0, OUT Y0, LD X1, OUT Y1; Delete at 80,64: Y1 hangs from the bus alone.
TEST_F(DrawnLogicTest, WireFromTheBusFeedsWhatItReaches) {
    open(assembleAll({"LD X0", "OR X1", "OUT Y0", "OUT Y1"}));
    deleteAt(80, 64);
    CoilLogic logic = drawnLogic(Inputs(drawnInputNames()));
    ASSERT_EQ(logic.steps.size(), 2u);
    EXPECT_EQ(logic.steps[0].condition, allOn());
    EXPECT_EQ(logic.steps[1].condition, allOn());

    open(assembleAll({"LD X0", "OUT Y0", "LD X1", "OUT Y1"}));
    deleteAt(80, 64);
    const std::vector<std::string> names = drawnInputNames();
    EXPECT_EQ(names, std::vector<std::string>{"dev 0400"});
    const Inputs inputs(names);
    logic = drawnLogic(inputs);
    ASSERT_EQ(logic.steps.size(), 2u);
    EXPECT_EQ(logic.steps[0].condition, inputs.of("dev 0400"));
    EXPECT_EQ(logic.steps[1].text, "OUT dev 0501");
    EXPECT_EQ(logic.steps[1].condition, allOn());
}

// The drawn contact is what counts: a contact turned into its negated form, or a coil moved off its
// link, changes the drawn logic.
TEST_F(DrawnLogicTest, TheLogicIsReadFromTheObjectsAndTheCanvas) {
    const Words words = assembleAll({"LD X0", "AND X1", "OUT Y0", "OUT Y1"});
    open(words);
    ASSERT_NE(objectAt(160, 0), nullptr);
    setText(objectAt(160, 0)->mnemonic, "ANI");
    const std::vector<std::string> names{"dev 0400", "dev 0401"};
    const Inputs inputs(names);
    const Signal x0AndNotX1 = table(inputs, names, [](const std::vector<bool>& x) { return x[0] && !x[1]; });
    CoilLogic logic = drawnLogic(inputs);
    ASSERT_EQ(logic.steps.size(), 2u);
    EXPECT_EQ(logic.steps[0].condition, x0AndNotX1);
    EXPECT_EQ(logic.steps[1].condition, x0AndNotX1);
    EXPECT_EQ(compareDrawnWithWords(assembleAll({"LD X0", "ANI X1", "OUT Y0", "OUT Y1"})), "");

    // Without its link the joint in front of the second coil hangs in the air: nothing reaches it.
    for (std::int64_t column = 1; column < kCanvasColumns; column += 2)
        VirtualArray.put(column, 1, kCellBlank);
    logic = drawnLogic(inputs);
    EXPECT_EQ(logic.steps[1].condition, Signal{});
}

// An object whose text is no instruction cannot be read; the comparison says where it stands.
TEST_F(DrawnLogicTest, AnUnreadableObjectIsAnError) {
    const Words words = assembleAll({"LD X0", "OUT Y0"});
    open(words);
    setText(objectAt(80, 0)->operands[0], "Q5");
    EXPECT_EQ(drawnLogic(Inputs({})).error, "the object at 80,0 (LD Q5) is no instruction");
    EXPECT_EQ(compareDrawnWithWords(words),
              "the ladder cannot be read: the object at 80,0 (LD Q5) is no instruction");
}

}  // namespace
}  // namespace kestrion::grammar
