#include "compiler/ContactNaming.h"

#include "compiler/PassTestSupport.h"
#include "model/core/ConversionError.h"

namespace kestrion::test {
namespace {

using ContactNaming = PassTest;

struct NamingCase {
    const char* what;
    Picture picture;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> contacts;  // cells, in execution order
    Texts named;
};

TEST_F(ContactNaming, ContactsTakeTheirFormFromTheLinksAtTheirCorners) {
    const NamingCase cases[] = {
        {"series rung", {"  X X Y"}, {{2, 0}, {4, 0}}, {"LD 80,0", "AND 160,0", "OUT 240,0"}},
        {"parallel at the bus",
         {"  X X Y", "   |", "  X"},
         {{2, 0}, {2, 2}, {4, 0}},
         {"LD 80,0", "OR 80,64", "AND 160,0", "OUT 240,0"}},
        {"branch around the second contact",
         {"  X X Y", "   | |", "    X"},
         {{2, 0}, {4, 0}, {4, 2}},
         {"LD 80,0", "LD 160,0", "OR 160,64", "OUT 240,0"}},
        {"lower branch joining up past a NOP",
         {"  X X Y", "     |", "  X -", "   |", "  X"},
         {{2, 0}, {2, 2}, {2, 4}, {4, 0}},
         {"LD 80,0", "OR 80,64", "OR 80,128", "AND 160,0", "OUT 240,0"}},
        {"a lower group that a branch below it joins",
         {"  X X Y", "     |", "  X X", "   |", "  X"},
         {{2, 0}, {4, 0}, {2, 2}, {2, 4}, {4, 2}},
         {"LD 80,0", "AND 160,0", "LD 80,64", "OR 80,128", "AND 160,64", "OUT 240,0"}},
        {"a left link followed down to an element two lines below",
         {"  X X X Y", "   |", "  X", "   |", "    X"},
         {{2, 0}, {4, 0}, {2, 2}, {4, 4}, {6, 0}},
         {"LD 80,0", "LD 160,0", "OR 80,64", "AND 160,128", "AND 240,0", "OUT 320,0"}},
        {"a lower series chain joining up at its end",
         {"  X X X Y", "       |", "  X X X"},
         {{2, 0}, {4, 0}, {6, 0}, {2, 2}, {4, 2}, {6, 2}},
         {"LD 80,0", "AND 160,0", "AND 240,0", "LD 80,64", "AND 160,64", "AND 240,64", "OUT 320,0"}},
    };
    for (const auto& c : cases) {
        drawLadder(c.picture);
        for (const auto& [col, row] : c.contacts) at(kAnd, "AND", col, row);
        at(kOut, "OUT", static_cast<std::uint32_t>(c.picture[0].find('Y')), 0);
        renameInstrByLineSegments(1);
        EXPECT_EQ(listed(), c.named) << c.what;
    }
}

TEST_F(ContactNaming, ALowerContactBeforeNopWireIsNamedByTheLinkWhereTheWireEnds) {
    for (const bool joinsUp : {true, false}) {
        drawLadder({"  X X X Y", joinsUp ? "       |" : "", "  X - -", joinsUp ? "" : "       |", "    X X"});
        at(kLd, "LD", 2, 0);
        at(kAnd, "AND", 2, 2);
        at(kCodeNop, "NOP", 4, 2);
        at(kCodeNop, "NOP", 6, 2);
        renameInstrByLineSegments(1);
        EXPECT_EQ(listed()[1], joinsUp ? "OR 80,64" : "LD 80,64");
    }
}

TEST_F(ContactNaming, ALabelOrAStlStepMovesTheFirstInstructionRight) {
    drawLadder({"P X X Y"});
    at(kLabel, "P", 0, 0);
    at(kOr, "OR", 2, 0);
    at(kOr, "OR", 4, 0);
    at(kOut, "OUT", 6, 0);
    renameInstrByLineSegments(1);
    EXPECT_EQ(listed(), (Texts{"P 0,0", "LD 80,0", "AND 160,0", "OUT 240,0"}));
    drawLadder({"  S X X Y"});
    at(kStl, "STL", 2, 0);
    at(kOr, "OR", 4, 0);
    at(kOr, "OR", 6, 0);
    at(kOut, "OUT", 8, 0);
    renameInstrByLineSegments(1);
    EXPECT_EQ(listed(), (Texts{"STL 80,0", "LD 160,0", "AND 240,0", "OUT 320,0"}));
}

TEST_F(ContactNaming, OnlyTheBlockAskedForIsRenamed) {
    drawLadder({"  X X Y", "", "  X X Y"}, 3);
    at(kAnd, "AND", 2, 0);
    at(kAnd, "AND", 4, 0);
    at(kOut, "OUT", 6, 0);
    at(kAnd, "AND", 2, 2, 64, 2);
    renameInstrByLineSegments(1);
    EXPECT_EQ(listed(), (Texts{"LD 80,0", "AND 160,0", "OUT 240,0", "AND 80,64"}));
}

TEST_F(ContactNaming, AnEmptyListStopsTheConversionWithItsMessage) {
    FreeLadderMemory(kListMain);
    EXPECT_THROW(renameInstrByLineSegments(1), ConversionError);
    EXPECT_EQ(boxes(), Texts{"Error2014121604... | *Without object error...system halt"});
    EXPECT_EQ(fakes.statusBar.panelText(13), "Without object error...system halt");
}

}  // namespace
}  // namespace kestrion::test
