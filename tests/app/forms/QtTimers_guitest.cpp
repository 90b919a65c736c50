#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/forms/QtPlatform.h"

namespace kestrion::app {
namespace {

using platform::TimerId;

TEST(QtTimersTest, ADisabledTimerFiresNoMore) {
    QtTimers timers;
    int fired = 0;
    QObject::connect(&timers.timer(TimerId::Timer1), &QTimer::timeout, [&] {
        if (++fired == 2) timers.setEnabled(TimerId::Timer1, false);
    });
    timers.setInterval(TimerId::Timer1, 1);
    timers.setEnabled(TimerId::Timer1, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 2; }, 5000));
    QTest::qWait(30);
    EXPECT_EQ(fired, 2);
    timers.setEnabled(TimerId::Timer1, true);
    timers.setEnabled(TimerId::Timer1, false);
    timers.setInterval(TimerId::Timer1, 2);
    QTest::qWait(30);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(timers.enabled(TimerId::Timer1));
}

}  // namespace
}  // namespace kestrion::app
