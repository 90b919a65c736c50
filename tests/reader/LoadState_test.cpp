#include "reader/LoadState.h"

#include <gtest/gtest.h>

#include "model/image/ModeData.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using LoadStateTest = test::CoreTest;

TEST_F(LoadStateTest, ALoadStartsAtTheLeftBusWithTheAreaEndSeedAndProgressOfItsMemorySize) {
    const std::tuple<std::int32_t, std::uint32_t, std::uint16_t> cases[] = {
        {2, 4416, 0xF830},  {4, 8416, 0xF060}, {8, 16416, 0xE0C0}, {16, 128416, 0xC180},
        {64, 128416, 1536}, {0, 128416, 0},    {3, 128416, 62536}, {-2, 128416, 2000},
    };
    ModeData.xSizeSymble = 64;
    setupDrawGeometry();
    readerState.endFollowedByB40F = true;
    for (const auto& [code, end, seed] : cases) {
        convStepNo = 99;
        startLoadState(code);
        EXPECT_EQ(jm, end) << code;
        EXPECT_EQ(iCheckSum, seed) << code;
        EXPECT_EQ(convStepNo, 0u);
        EXPECT_EQ(conv.X, 64u);
        EXPECT_EQ(stack0Code[0], 64u);
    }
    EXPECT_TRUE(readerState.endFollowedByB40F);
    EXPECT_EQ(loadProgressPercent(348 + 2000, 2), 50);
    EXPECT_EQ(loadProgressPercent(348 + 6000, 2), 100);
    EXPECT_EQ(loadProgressPercent(348 + 64000, 0), 50);
}

}  // namespace
}  // namespace kestrion
