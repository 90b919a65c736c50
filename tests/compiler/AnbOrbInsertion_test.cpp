#include "compiler/AnbOrbInsertion.h"

#include "compiler/PassTestSupport.h"
#include "model/core/ConversionError.h"

namespace kestrion::test {
namespace {

using AnbOrb = PassTest;

TEST_F(AnbOrb, GroupsJoinedInParallelAndInSeriesGetOrbThenAnbAtTheJoin) {
    drawLadder({"  X X X Y", "   |   |", "    X X"});
    at(kLd, "LD", 2, 0);
    at(kLd, "LD", 4, 0);
    at(kAnd, "AND", 6, 0);
    at(kLd, "LD", 4, 2);
    at(kAnd, "AND", 6, 2);
    at(kOut, "OUT", 8, 0);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "LD 160,0", "AND 240,0", "LD 160,64", "AND 240,64", "ORB 340,64",
                               "ANB 350,64", "OUT 320,0"}));
    EXPECT_EQ(compileDump(3), (Picture{"  1 1 1 1", "", "    1 1"}));
}

TEST_F(AnbOrb, AnAnbWaitsWhileAContactStillToComeLeavesFromTheLaterGroup) {
    drawLadder({"  X X Y", "   | |", "  X X", "   | |", "    X"});
    at(kLd, "LD", 2, 0);
    at(kOr, "OR", 2, 2);
    at(kLd, "LD", 4, 0);
    at(kOr, "OR", 4, 2);
    at(kOr, "OR", 4, 4);
    at(kOut, "OUT", 6, 0);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "OR 80,64", "LD 160,0", "OR 160,64", "OR 160,128", "ANB 250,0",
                               "OUT 240,0"}));

    // Named AND, the third contact spans the later group like the OR above it: the wiring makes it
    // OR, and the series join comes after it.
    drawLadder({"  X X Y", "   | |", "  X X", "   | |", "    X"});
    at(kLd, "LD", 2, 0);
    at(kOr, "OR", 2, 2);
    at(kLd, "LD", 4, 0);
    at(kOr, "OR", 4, 2);
    at(kAnd, "AND", 4, 4);
    at(kOut, "OUT", 6, 0);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "OR 80,64", "LD 160,0", "OR 160,64", "OR 160,128", "ANB 250,0",
                               "OUT 240,0"}));
    EXPECT_TRUE(boxes().empty());
}

// The first program as the re-link orders it: the ORB of the two lower branches of the inner
// group comes at once, but the ANB of that group after the group in front of it waits for the OR on
// the lowest row, which leaves from the group's own start.
TEST_F(AnbOrb, AGroupJoinedInSeriesTakesInTheOrOfItsLowerRowFirst) {
    drawLadder(
        {"  X - - -   Y", " |       |", "  X - X -", " |   |   |", "  X X X X", " | | |   |", "  X   X -"});
    at(kLd, "LD", 2, 0);
    at(kCodeNop, "NOP", 4, 0);
    at(kCodeNop, "NOP", 6, 0);
    at(kCodeNop, "NOP", 8, 0);
    at(kLd, "LD", 2, 2);
    at(kCodeNop, "NOP", 4, 2);
    at(kLd, "LD", 2, 4);
    at(kOr, "OR", 2, 6);
    at(kAnd, "AND", 4, 4);
    at(kLd, "LD", 6, 2);
    at(kCodeNop, "NOP", 8, 2);
    at(kLd, "LD", 6, 4);
    at(kAnd, "AND", 8, 4);
    at(kOr, "OR", 6, 6);
    at(kCodeNop, "NOP", 8, 6);
    at(kOut, "OUT", 12, 0);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0",    "NOP 160,0",  "NOP 240,0",  "NOP 320,0",   "LD 80,64",
                               "NOP 160,64", "LD 80,128",  "OR 80,192",  "AND 160,128", "ORB 260,128",
                               "LD 240,64",  "NOP 320,64", "LD 240,128", "AND 320,128", "ORB 420,128",
                               "OR 240,192", "ANB 330,64", "ORB 350,64", "NOP 320,192", "OUT 480,0"}));
}

TEST_F(AnbOrb, AnElementBelowThatComesAfterTheOutputDoesNotHoldTheAnbBack) {
    drawLadder({"  X X Y", "   | |", "  X X", "   | |", "    X"});
    at(kLd, "LD", 2, 0);
    at(kOr, "OR", 2, 2);
    at(kLd, "LD", 4, 0);
    at(kOr, "OR", 4, 2);
    at(kOut, "OUT", 6, 0);
    at(kOr, "OR", 4, 4);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "OR 80,64", "LD 160,0", "OR 160,64", "ANB 250,0", "OUT 240,0",
                               "OR 160,128"}));
}

TEST_F(AnbOrb, AnOrbWaitsForTheNopThatBringsBothChainsToTheSameEnd) {
    drawLadder({"  X X X Y", "       |", "  X X -"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 4, 0);
    at(kAnd, "AND", 6, 0);
    at(kLd, "LD", 2, 2);
    at(kAnd, "AND", 4, 2);
    at(kCodeNop, "NOP", 6, 2);
    at(kOut, "OUT", 8, 0);
    AddAnbOrbByBlock(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "AND 240,0", "LD 80,64", "AND 160,64", "NOP 240,64",
                               "ORB 340,64", "OUT 320,0"}));
}

TEST_F(AnbOrb, NothingIsInsertedForASeriesChainOrAnotherBlock) {
    drawLadder({"  X X Y"});
    at(kLd, "LD", 2, 0);
    at(kAnd, "AND", 4, 0);
    at(kOut, "OUT", 6, 0);
    for (const std::uint32_t block : {1u, 5u}) {
        AddAnbOrbByBlock(block);
        EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "OUT 240,0"})) << block;
    }
}

struct StopCase {
    const char* what;
    int pendingGroups;  // LD objects in a row, none joined
    bool withOutput;
    Texts boxes;
    std::string panel13;
};

TEST_F(AnbOrb, GroupsLeftPendingStopTheConversionWithTheirMessage) {
    // clang-format off
    const StopCase cases[] = {
        {"an output with two groups pending", 2, true, {"*ANB&ORB error...system halt | Error2014121001"}, "LBC=1 StepNo=7(X,Y)=240,0"},
        {"fifteen groups are allowed", 15, false, {}, ""},
        {"a sixteenth group", 16, false, {"Error2014121002... | *AddAnbOrb"}, "StackOverflow error...system halt"},
    };
    // clang-format on
    for (const auto& c : cases) {
        // Contacts from the bus on lines of their own, no link between them: nothing joins them.
        Picture picture;
        for (int i = 0; i < c.pendingGroups; ++i) picture.insert(picture.end(), {"  X", ""});
        picture[0] = "  X   Y";
        drawLadder(picture);
        for (int i = 0; i < c.pendingGroups; ++i) at(kLd, "LD", 2, 2 * static_cast<std::uint32_t>(i));
        if (c.withOutput) at(kOut, "OUT", 6, 0)->stepNo = 7;
        if (c.boxes.empty()) {
            AddAnbOrbByBlock(1);
        } else {
            EXPECT_THROW(AddAnbOrbByBlock(1), ConversionError) << c.what;
            EXPECT_EQ(fakes.statusBar.panelText(13), c.panel13) << c.what;
        }
        EXPECT_EQ(boxes(), c.boxes) << c.what;
    }
}

}  // namespace
}  // namespace kestrion::test
