// The virtual clock is what every wait and poller test stands on: check that it fires timers at
// the times the real ones would.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace kestrion::test {
namespace {

using platform::TimerId;

TEST(FakeClock, FiresEnabledTimersEveryPeriodAndNotWhenDisabled) {
    FakePlatform fakes;
    std::vector<std::uint32_t> fired;
    fakes.clock.bind(TimerId::Timer1, [&] { fired.push_back(fakes.clock.tickCount()); });
    fakes.clock.setInterval(TimerId::Timer1, 100);
    fakes.clock.advance(250);
    EXPECT_TRUE(fired.empty());

    fakes.clock.setEnabled(TimerId::Timer1, true);  // at 250
    fakes.clock.advance(350);
    EXPECT_EQ(fired, (std::vector<std::uint32_t>{350, 450, 550}));

    fakes.clock.setEnabled(TimerId::Timer1, false);
    fakes.clock.advance(500);
    EXPECT_EQ(fired.size(), 3u);
}

TEST(FakeClock, AWaitInsideAHandlerLetsOtherTimersRunButNotItself) {
    FakePlatform fakes;
    int timer1Ticks = 0;
    int timer3Ticks = 0;
    fakes.clock.bind(TimerId::Timer1, [&] { ++timer1Ticks; });
    fakes.clock.bind(TimerId::Timer3, [&] {
        ++timer3Ticks;
        const std::uint32_t start = fakes.clock.tickCount();
        while (fakes.clock.tickCount() - start < 500) fakes.clock.runMessageLoopOnce();
    });
    fakes.clock.setInterval(TimerId::Timer1, 100);
    fakes.clock.setInterval(TimerId::Timer3, 100);
    fakes.clock.setEnabled(TimerId::Timer1, true);
    fakes.clock.setEnabled(TimerId::Timer3, true);
    fakes.clock.advance(100);
    EXPECT_EQ(timer3Ticks, 1);
    EXPECT_EQ(timer1Ticks, 6);  // at 100 and five times during the 500 ms wait
    EXPECT_EQ(fakes.clock.tickCount(), 600u);
}

TEST(FakeClock, ScheduledActionsRunAtTheirTime) {
    FakePlatform fakes;
    std::vector<int> order;
    fakes.clock.at(30, [&] { order.push_back(30); });
    fakes.clock.at(10, [&] { order.push_back(10); });
    fakes.clock.advance(20);
    EXPECT_EQ(order, (std::vector<int>{10}));
    fakes.clock.advance(20);
    EXPECT_EQ(order, (std::vector<int>{10, 30}));
}

}  // namespace
}  // namespace kestrion::test
