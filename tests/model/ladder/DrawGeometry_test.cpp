#include "model/ladder/DrawGeometry.h"

#include "model/image/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class DrawGeometryTest : public test::CoreTest {};

TEST_F(DrawGeometryTest, GeometryFollowsCellSizeAndColumns) {
    const std::array<std::uint32_t, 8> cases[] = {
        {56, 72, 12, 28, 36, 672, 112, 36},  // (224 + 672) / 28 + 4
        {61, 61, 14, 30, 30, 854, 122, 40},  // odd sizes: halves round down; (244 + 854) / 30 + 4
    };
    for (const auto& [width, height, columns, halfWidth, halfHeight, busEnd, twoCells, canvasColumns] :
         cases) {
        ModeData.xSizeSymble = width;
        ModeData.ySizeSymble = height;
        deviceColumns = columns;
        setupDrawGeometry();
        EXPECT_EQ(std::make_tuple(symbleHalfWidth, symbleHalfHeight, draw.iBusLineStart, draw.iBusLineEnd,
                                  twoSymbleWidth, virtualArrayColumns),
                  std::make_tuple(halfWidth, halfHeight, width, busEnd, twoCells, canvasColumns));
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
