#include "compiler/DiagramChecks.h"

#include <tuple>

#include "compiler/PassTestSupport.h"
#include "model/ladder/EditorState.h"

namespace kestrion::test {
namespace {

using DiagramChecks = PassTest;

struct FaultCase {
    const char* what;
    Picture picture;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> elements;  // cells with an object
    int check;                                                      // 1: P1, 2: P2 of block 1
    std::string panel13;                                            // empty: passes
    BlueFrameRect frame;
};

TEST_F(DiagramChecks, FaultyDiagramsAreRefusedWithTheirTextAndTheFrameOnTheFault) {
    // clang-format off
    const FaultCase cases[] = {
        {"element at the bus with nothing right of it", {"  X", "", "  X X Y"}, {{2, 0}}, 1, "P1-3 Ladder Error...160,0 ErrorStepNo5", {160, 0, 239, 63}},
        {"the same off its cell: no object to name", {"  X", "", "  X X Y"}, {{2, 0}}, 1, "P1-3 Ladder Error...160,0 ErrorStepNo....", {160, 0, 239, 63}},
        {"open branch: a contact with nothing right of it", {"  X X   Y"}, {{4, 0}}, 1, "P1-4R Error...240,0", {240, 0, 319, 63}},
        {"an output away from the wiring: nothing feeds the contact before it", {"  X   X Y"}, {{6, 0}}, 1, "P1-4L Error...160,0", {160, 0, 239, 63}},
        {"fed by a link at its upper left", {"  X X X Y", "   |", "    X X"}, {{4, 2}}, 1, "", {}},
        {"next to the right bus and an output cell", {"  X X X X X X X X X X X X X", "  X Y"}, {{26, 0}, {4, 2}}, 1, "", {}},
        {"a link coming down into nothing", {"  X X Y", "   |", "  X X", "     |", "  X", "   |", "  X"}, {{2, 0}}, 2, "P1-4U Error...", {160, 128, 239, 191}},
        {"a link going down from nothing", {"  X X Y", "   |", "  X", "     |", "  X X"}, {{2, 0}}, 2, "P1-4D Error...", {160, 64, 239, 127}},
        {"the output row is never tested", {"  X   Y", "   |", "  X"}, {{2, 0}}, 2, "", {}},
        {"a block whose first row is blank has no rows to test", {"", "", "  X Y"}, {{2, 0}}, 2, "", {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        drawLadder(c.picture);
        for (const auto& [col, row] : c.elements) at(kLd, "LD", col, row)->stepNo = 5;
        if (std::string(c.what).find("off its cell") != std::string::npos) ldrHead->xAddr += 8;
        redrawFlags = 0;
        const bool passed = c.check == 1 ? isCorrectLadderDiagramP1() : isCorrectLadderDiagramP2(1);
        EXPECT_EQ(passed, c.panel13.empty()) << c.what;
        EXPECT_EQ(fakes.statusBar.panelText(13), c.panel13) << c.what;
        if (passed) continue;
        EXPECT_EQ(redrawFlags & 0x16, 0x16) << c.what;
        EXPECT_EQ(std::tie(BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2),
                  std::tie(c.frame.x1, c.frame.y1, c.frame.x2, c.frame.y2))
            << c.what;
    }
}

// What is open, said as the user reads the ladder: the line, and the element or link by its name.
TEST_F(DiagramChecks, EveryFaultSaysItsLineAndWhatIsOpen) {
    using Named = std::tuple<std::uint16_t, const char*, const char*, std::uint32_t, std::uint32_t>;
    const Named x0 = {kLd, "LD", "X000", 2, 0};
    const Picture hanging = {"  X X Y", "   |", "  X X", "     |", "  X", "   |", "  X"};
    const Picture fromNothing = {"  X X Y", "   |", "  X", "     |", "  X X"};
    // picture, named elements, check (1: P1, 2: P2 of block 1), reason
    // clang-format off
    const std::vector<std::tuple<Picture, std::vector<Named>, int, std::string>> cases = {
        {{"  X", "", "  X X Y"}, {x0}, 1, "Line 1: nothing joins X000 on its right."},
        {{"  X X   Y"}, {x0, {kAnd, "AND", "X001", 4, 0}}, 1, "Line 1: nothing joins X001 on its right."},
        {{"  X   X Y"}, {{kAnd, "ANI", "X001", 6, 0}}, 1, "Line 1: nothing joins X001 on its left."},
        // X2 on the second line, nothing between it and the bus
        {{"  X X Y", "", "    X Y"}, {x0, {kAnd, "AND", "X001", 4, 0}, {kAnd, "AND", "X002", 4, 2}}, 1, "Line 2: nothing joins X002 on its left."},
        {{"  X   X Y"}, {{0x01F8, "INV", "", 6, 0}}, 1, "Line 1: nothing joins INV on its left."},
        {{"  X   - Y"}, {{kCodeNop, "NOP", "", 6, 0}}, 1, "Line 1: nothing joins the wire on its left."},
        // a link open below, named by the element it hangs from; one open above, by the one it reaches
        {hanging, {x0, {kAnd, "AND", "X003", 4, 2}}, 2, "Line 3: the link down from X003 joins nothing."},
        {hanging, {x0}, 2, "Line 3: a link comes down into nothing."},
        {fromNothing, {x0, {kAnd, "AND", "X004", 4, 4}}, 2, "Line 2: nothing joins the link down to X004."},
        {fromNothing, {x0}, 2, "Line 2: a link goes down from nothing."},
    };
    // clang-format on
    for (const auto& [picture, elements, check, reason] : cases) {
        drawLadder(picture);
        for (const auto& [code, mnemonic, operand, c, r] : elements)
            setText(at(code, mnemonic, c, r)->operands[0], operand);
        ASSERT_FALSE(check == 1 ? isCorrectLadderDiagramP1() : isCorrectLadderDiagramP2(1)) << reason;
        EXPECT_EQ(diagramFaultReason(), reason);
    }
}

TEST_F(DiagramChecks, OnlyALabelRightBeforeEndMayStandAloneOnItsLine) {
    drawLadder({"P", "", "  X Y"});
    at(kLabel, "P0", 0, 0);
    EXPECT_TRUE(isCorrectLadderDiagramP1());
    at(kLd, "LD", 2, 2);
    EXPECT_FALSE(isCorrectLadderDiagramP1());
}

TEST_F(DiagramChecks, AContactSlidesLeftOverWireUntilItTouchesItsFeed) {
    drawLadder({"  X   ~ X Y"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 8, 0);
    at(kOut, "OUT", 10, 0);
    fixEmptyCellsBeforeObjects();
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "OUT 400,0"}));
    EXPECT_EQ(dump(1), (Picture{"  X X   ~ Y y y y y y y y y"}));
}

TEST_F(DiagramChecks, ObjectsWhoseCellsShowNoElementStayWhereTheyAre) {
    drawLadder({"  X       Y"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 4, 0);
    at(kAnd, "AND", 6, 0);
    at(kOut, "OUT", 10, 0);
    fixEmptyCellsBeforeObjects();
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "AND 240,0", "OUT 400,0"}));
}

TEST_F(DiagramChecks, AContactTradesPlacesWithTheNopItEnters) {
    drawLadder({"  X - X Y"});
    at(kLd, "LD", 2, 0);
    at(kCodeNop, "NOP", 4, 0);
    at(kAnd, "AND", 6, 0);
    at(kOut, "OUT", 8, 0);
    fixEmptyCellsBeforeObjects();
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "NOP 240,0", "OUT 320,0"}));
    EXPECT_EQ(dump(1), (Picture{"  X X - Y y y y y y y y y y"}));
}

TEST_F(DiagramChecks, AContactFedByALinkOrAtTheBusStays) {
    drawLadder({"  X   X Y", "     |", "  X X"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 6, 0);
    fixEmptyCellsBeforeObjects();
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 240,0"}));
}

}  // namespace
}  // namespace kestrion::test
