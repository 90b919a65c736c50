// A rung taken out of the ladder: the lines its links and its blocks join, and what of it the trial
// of a typed line holds against what Convert reads back.
#include "model/ladder/RungCopy.h"

#include "model/CanvasTestSupport.h"

namespace kestrion::test {
namespace {

constexpr std::uint16_t kLdi = 0x3000;

class RungCopyTest : public CanvasTest {
protected:
    RungCopyTest() { restart(448); }
    static std::vector<std::string> placesOf(const RungCopy& rung) {
        std::vector<std::string> places;
        for (const stLadderBlock& o : rung.objects)
            places.push_back(std::to_string(o.xAddr) + "," + std::to_string(o.yAddr));
        return places;
    }
};

// Line 0 alone; lines 1 to 3 joined by the links below lines 1 and 2, their objects of two blocks;
// lines 4 and 5 one block with no link between them, as the outputs of a full line stand.
TEST_F(RungCopyTest, ARungIsTheLinesItsLinksAndItsBlocksJoin) {
    const stLadderBlock* first = object(kLd, 80, 0, 0, 1);
    object(kOut, 1040, 0, 0, 1);
    const stLadderBlock* upper = object(kLd, 80, 64, 64, 2);
    object(kOut, 1040, 64, 64, 2);
    object(kOr, 80, 128, 64, 2);
    const stLadderBlock* lower = object(kLd, 160, 192, 192, 5);
    object(kLd, 80, 256, 256, 4);
    object(kOut, 1040, 256, 256, 4);
    const stLadderBlock* further = object(kOut, 1040, 320, 256, 4);
    paint({"", "", "", " |", "", " |"});
    struct Case {
        const stLadderBlock* from;
        std::uint32_t top, lines;
        std::vector<std::string> places;
    };
    const Case cases[] = {
        {first, 0, 1, {"80,0", "1040,0"}},
        {upper, 64, 3, {"80,64", "1040,64", "80,128", "160,192"}},
        {lower, 64, 3, {"80,64", "1040,64", "80,128", "160,192"}},
        {further, 256, 2, {"80,256", "1040,256", "1040,320"}},
    };
    for (const Case& c : cases) {
        const RungCopy rung = copyRungOf(*c.from);
        SCOPED_TRACE(std::to_string(c.from->xAddr) + "," + std::to_string(c.from->yAddr));
        EXPECT_EQ(rung.top, c.top);
        EXPECT_EQ(rung.lines, c.lines);
        EXPECT_EQ(placesOf(rung), c.places);
        EXPECT_EQ(rung.rows.size(), 2 * c.lines);
    }
}

// A rung from its instructions (x, line, code) and its link rows, two canvas rows a line.
RungCopy rungOf(const std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint16_t>>& objects,
                const std::vector<std::string>& rows) {
    RungCopy rung;
    rung.top = 128;
    rung.lines = static_cast<std::uint32_t>(rows.size() / 2);
    for (const auto& [x, line, code] : objects) {
        stLadderBlock& o = rung.objects.emplace_back();
        o.xAddr = x;
        o.yAddr = rung.top + 64 * line;
        o.iCode = code;
    }
    for (const std::string& text : rows) {
        std::array<char, kCanvasColumns>& row = rung.rows.emplace_back();
        row.fill(kCellBlank);
        std::copy(text.begin(), text.end(), row.begin());
    }
    return rung;
}

// X0 then X2 on line 0 into Y0, X1 below X0 in parallel with it: the link after X0 joins the lines.
// How long its wires are drawn changes what the view draws, not the rung's shape; a link between
// other instructions, or instructions in another order, is another rung.
TEST_F(RungCopyTest, TheShapeLeavesOutTheLengthOfTheWiresAndNothingElse) {
    const RungCopy drawn =
        rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " | |", "", ""});
    struct Case {
        const char* name;
        RungCopy other;
        bool sameShape;
    };
    const Case cases[] = {
        {"X2 nearer",
         rungOf({{80, 0, kLd}, {160, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " | |", "", ""}), true},
        {"the link further on the wire",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " |   |", "", ""}), true},
        {"a second link beside it",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " | | |", "", ""}), true},
        {"X1 written in its LD form",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kLd}}, {"", " | |", "", ""}), true},
        {"the link after X2",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " |     |", "", ""}),
         false},
        {"no link after X0",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " |", "", ""}), false},
        {"X2 inverted",
         rungOf({{80, 0, kLd}, {240, 0, kLdi}, {1040, 0, kOut}, {80, 1, kOr}}, {"", " | |", "", ""}), false},
        {"X1 on the line below",
         rungOf({{80, 0, kLd}, {240, 0, kAnd}, {1040, 0, kOut}, {80, 2, kOr}}, {"", " | |", "", "", "", ""}),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rungShape(c.other) == rungShape(drawn), c.sameShape);
        // What the view draws holds every instruction and link where it stands.
        EXPECT_EQ(drawnRung(c.other) == drawnRung(drawn), std::string(c.name) == "X1 written in its LD form");
    }
}

}  // namespace
}  // namespace kestrion::test
