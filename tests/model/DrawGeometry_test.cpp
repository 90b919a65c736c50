#include "model/DrawGeometry.h"

#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class DrawGeometryTest : public test::CoreTest {};

TEST_F(DrawGeometryTest, GeometryFollowsCellSizeAndColumns) {
    struct Case {
        std::uint32_t width, height, columns;
        std::uint32_t halfWidth, halfHeight, busEnd, twoCells, virtualColumns;
    } cases[] = {
        {56, 72, 12, 28, 36, 672, 112, 36},  // (224 + 672) / 28 + 4
        {61, 61, 14, 30, 30, 854, 122, 40},  // odd sizes: halves round down; (244 + 854) / 30 + 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ModeData.xSizeSymble = c.width;
        ModeData.ySizeSymble = c.height;
        deviceColumns = c.columns;
        setupDrawGeometry();
        EXPECT_EQ(
            std::make_tuple(symbleHalfWidth, symbleHalfHeight, draw.iBusLineStart, draw.iBusLineEnd,
                            twoSymbleWidth, virtualArrayColumns),
            std::make_tuple(c.halfWidth, c.halfHeight, c.width, c.busEnd, c.twoCells, c.virtualColumns));
    }
}

TEST_F(DrawGeometryTest, ACellSizeNotReadYetDoesNotDivideByZero) {
    for (std::uint32_t width : {0u, 1u}) {
        ModeData.xSizeSymble = width;
        ModeData.ySizeSymble = 0;
        setupDrawGeometry();
        EXPECT_EQ(symbleHalfWidth, 0u);
        EXPECT_EQ(virtualArrayColumns, 4u);
    }
}

}  // namespace
}  // namespace kestrion
