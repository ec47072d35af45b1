#include "platform/VbTimer.h"

#include <gtest/gtest.h>

namespace {

TEST(VbTimerTest, StartsAsConstructed)
{
    VbTimer stopped;
    EXPECT_FALSE(stopped.isEnabled());
    EXPECT_EQ(stopped.interval(), 0);
    EXPECT_FALSE(stopped.isCounting());

    VbTimer running(1000, true);
    EXPECT_TRUE(running.isEnabled());
    EXPECT_EQ(running.interval(), 1000);
    EXPECT_TRUE(running.isCounting());
}

TEST(VbTimerTest, IntervalZeroStaysEnabledButNeverCounts)
{
    VbTimer timer(0, true);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_FALSE(timer.isCounting());
    timer.setInterval(500);
    EXPECT_TRUE(timer.isCounting());
    timer.setInterval(0);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_FALSE(timer.isCounting());
    timer.setInterval(-5);
    EXPECT_EQ(timer.interval(), 0);
    EXPECT_FALSE(timer.isCounting());
}

TEST(VbTimerTest, EnableAndDisable)
{
    VbTimer timer(10000);
    EXPECT_FALSE(timer.isCounting());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isCounting());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isCounting());
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_FALSE(timer.isCounting());
    // Setting the interval of a disabled timer does not start it.
    timer.setInterval(2000);
    EXPECT_EQ(timer.interval(), 2000);
    EXPECT_FALSE(timer.isCounting());
}

TEST(VbTimerTest, FireDeliversOneTickAtOnce)
{
    VbTimer timer(0, false);
    int ticks = 0;
    QObject::connect(&timer, &VbTimer::timeout, [&ticks] { ++ticks; });
    timer.fire();
    EXPECT_EQ(ticks, 1);
    timer.fire();
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer.isEnabled());
}

TEST(VbTimerTest, HandlerMayStopItsOwnTimer)
{
    VbTimer timer(1000, true);
    QObject::connect(&timer, &VbTimer::timeout, [&timer] { timer.setEnabled(false); });
    timer.fire();
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_FALSE(timer.isCounting());
}

} // namespace
