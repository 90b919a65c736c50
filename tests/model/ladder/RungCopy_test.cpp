// A rung taken out of the ladder: the lines its links and its blocks join.
#include "model/ladder/RungCopy.h"

#include "model/CanvasTestSupport.h"

namespace kestrion::test {
namespace {

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

}  // namespace
}  // namespace kestrion::test
