#include "model/DrawGeometry.h"

#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class DrawGeometryTest : public testing::CoreTest {};

TEST_F(DrawGeometryTest, StartValues) {
    EXPECT_EQ(deviceColumns, 14u);
    EXPECT_EQ(zoomPercent, 100u);
}

TEST_F(DrawGeometryTest, GeometryFollowsCellSizeAndColumns) {
    struct Case {
        std::uint32_t width, height, columns;
        std::uint32_t halfWidth, halfHeight, busEnd, twoCells, virtualColumns;
    } cases[] = {
        {80, 64, 14, 40, 32, 1120, 160, 40},  // (320 + 1120) / 40 + 4
        {56, 72, 12, 28, 36, 672, 112, 36},   // (224 + 672) / 28 + 4
        {68, 56, 16, 34, 28, 1088, 136, 44},  // (272 + 1088) / 34 + 4
        {61, 61, 14, 30, 30, 854, 122, 40},   // odd sizes: halves round down; (244 + 854) / 30 + 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ModeData.xSizeSymble = c.width;
        ModeData.ySizeSymble = c.height;
        deviceColumns = c.columns;
        setupDrawGeometry();
        EXPECT_EQ(symbleHalfWidth, c.halfWidth);
        EXPECT_EQ(symbleHalfHeight, c.halfHeight);
        EXPECT_EQ(draw.iBusLineStart, c.width);
        EXPECT_EQ(draw.iBusLineEnd, c.busEnd);
        EXPECT_EQ(twoSymbleWidth, c.twoCells);
        EXPECT_EQ(virtualArrayColumns, c.virtualColumns);
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
