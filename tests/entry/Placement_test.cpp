#include "entry/Placement.h"

#include <array>
#include <string>
#include <vector>

#include "entry/PlacementDispatch.h"
#include "model/LadderTestSupport.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {
namespace {

class PlacementTest : public test::LadderTest {
protected:
    PlacementTest() { ladderBottomY = 0; }
    struct Cursor {
        std::uint32_t x, y;
        bool operator==(const Cursor&) const = default;
    };
    static Cursor cursor() { return {xOldCursor, yOldCursor}; }
    stLadderBlock object;
};

// Every contact form by its code: LD, LDI, LDP, LDF, AND, ANI, ANDP, ANDF, INV, OR, ORI, ORP, ORF, and
// the word-bit forms of LDI, ANDF and ORP.
TEST_F(PlacementTest, ContactsTakeTheCellsBetweenTheBusesAndMoveTheCursorOneCell) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> forms{
        {0x2000, kEndContact}, {0x3000, kEndContact}, {458, kEndContact},    {459, kEndContact},
        {0x4000, kEndContact}, {0x5000, kEndContact}, {460, kEndContact},    {461, kEndContact},
        {0xFFFD, kEndContact}, {0x6000, kEndTwoLine}, {0x7000, kEndTwoLine}, {462, kEndTwoLine},
        {463, kEndTwoLine},    {963, kEndContact},    {973, kEndContact},    {974, kEndTwoLine}};
    for (const auto& [code, end] : forms) {
        const ContactPlacement place = contactPlacementOf(code);
        ASSERT_NE(place, nullptr) << code;
        object = {};
        EXPECT_EQ(place(79, 0, object), 1);
        EXPECT_EQ(place(1040, 0, object), 1);  // the last cell belongs to the outputs
        EXPECT_EQ(object.end, 0u);
        EXPECT_EQ(place(80, 64, object), 0);
        EXPECT_EQ(object.end, end);
        EXPECT_EQ(cursor(), (Cursor{160, 64}));
        EXPECT_EQ(place(960, 64, object), 0);  // the last cell a contact can take
        EXPECT_EQ(cursor(), (Cursor{1040, 64}));
    }
}

TEST_F(PlacementTest, SeriesAndParallelContactsLowerTheBottomBelowTheCursorRow) {
    ASSERT_EQ(placeLdSymble(80, 128, object), 0);
    EXPECT_EQ(ladderBottomY, 0u);
    ASSERT_EQ(placeAndSymble(80, 128, object), 0);
    EXPECT_EQ(ladderBottomY, 192u);
    ASSERT_EQ(placeOrSymble(80, 192, object), 0);
    EXPECT_EQ(ladderBottomY, 256u);
    ladderBottomY = 640;
    ASSERT_EQ(placeOrSymble(80, 192, object), 0);
    EXPECT_EQ(ladderBottomY, 640u);
}

TEST_F(PlacementTest, OutputsMoveAgainstTheRightBusByTheirWidth) {
    struct Case {
        std::string operand1, operand2;
        std::uint32_t x;
    };
    const std::vector<Case> cases{{"Y000", "", 1040}, {"T0", "K10", 960}, {"C200", "K10", 880},
                                  {"C200", "", 960},  {"C2", "", 1040},   {"C20A", "", 1040}};
    for (const Case& c : cases) {
        std::array<char, 16> a{}, b{};
        setText(a, c.operand1);
        setText(b, c.operand2);
        object = {};
        ladderBottomY = 0;
        ASSERT_EQ(placeOutSymble(160, 128, object, a, b, {}), 0);
        EXPECT_EQ(object.xAddr, c.x);
        EXPECT_EQ(object.Xend, 1120u);
        EXPECT_EQ(cursor(), (Cursor{80, 192}));
        EXPECT_EQ(ladderBottomY, 192u);
    }
    EXPECT_EQ(placeOutSymble(79, 0, object, {}, {}, {}), 1);
}

TEST_F(PlacementTest, StlGoesBackToTheFirstCellAndTheCursorToTheNextLine) {
    ASSERT_EQ(placeStlSymble(480, 64, object), 0);
    EXPECT_EQ(object.xAddr, 80u);
    EXPECT_EQ(object.end, kEndContact);
    EXPECT_EQ(cursor(), (Cursor{80, 128}));
    EXPECT_EQ(placeStlSymble(1040, 64, object), 1);
}

TEST_F(PlacementTest, BoxesWidenByPresentOperandsAndRefuseWhatDoesNotFit) {
    std::array<std::array<char, 16>, 5> texts{};
    setText(texts[0], "K10");
    setText(texts[1], "D0");
    texts[2][0] = ' ';  // a blank operand is absent
    std::array<std::span<const char>, 5> operands{texts[0], texts[1], texts[2], texts[3], texts[4]};
    ASSERT_EQ(placeFncSymble(0, 80, 0, object, operands), 0);
    EXPECT_EQ(object.xAddr, 880u);
    EXPECT_EQ(object.Xend, 0u);
    EXPECT_EQ(cursor(), (Cursor{80, 64}));
    object = {};
    ASSERT_EQ(placeFncSymbleToBusEnd(1, 80, 0, object, operands), 0);
    EXPECT_EQ(object.xAddr, 720u);
    EXPECT_EQ(object.Xend, 1120u);
    EXPECT_EQ(placeFncSymble(1, 720, 0, object, operands), 0);
    EXPECT_EQ(placeFncSymble(1, 721, 0, object, operands), 1);
    EXPECT_EQ(placeFncSymble(0, 1041, 0, object, {}), 1);
    EXPECT_EQ(placeFncSymble(0, 79, 0, object, {}), 1);
}

TEST_F(PlacementTest, EndGoesToTheLastCellBeforeTheBus) {
    ASSERT_EQ(placeEndSymble(80, 192, object), 0);
    EXPECT_EQ(object.xAddr, 1040u);
    EXPECT_EQ(object.end, kEndOutput);
    EXPECT_EQ(cursor(), (Cursor{80, 256}));
    EXPECT_EQ(placeEndSymble(1120, 0, object), 0);
    EXPECT_EQ(placeEndSymble(1121, 0, object), 1);
    EXPECT_EQ(placeEndSymble(79, 0, object), 1);
}

TEST_F(PlacementTest, CompareContactsStayAtTheCursorCell) {
    ASSERT_EQ(placeCompareContactSymble(1, 240, 64, object, {}), 0);
    EXPECT_EQ(object.xAddr, 240u);
    EXPECT_EQ(object.yAddr, 64u);
    EXPECT_EQ(object.end, 0u);
    EXPECT_EQ(cursor(), (Cursor{320, 64}));
    EXPECT_EQ(placeCompareContactSymble(0, 79, 64, object, {}), 1);
}

}  // namespace
}  // namespace kestrion
