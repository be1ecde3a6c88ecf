#include "platform/window/AppTimer.h"
#include <gtest/gtest.h>

// One test: the clock is process-wide and starts stopped.
TEST(AppTimer, Commands)
{
    EXPECT_DOUBLE_EQ(AppTimer(TimerAppTime), 0.0) << "starts stopped at zero";
    EXPECT_DOUBLE_EQ(AppTimer(7), -1.0);
    EXPECT_DOUBLE_EQ(AppTimer(-1), -1.0);
    const double before = AppTimer(TimerAbsolute);
    EXPECT_DOUBLE_EQ(AppTimer(TimerReset), 0.0);
    AppTimer(TimerStop);
    const double stopped = AppTimer(TimerAppTime);
    EXPECT_GE(stopped, 0.0);
    EXPECT_LE(stopped, AppTimer(TimerAbsolute) - before + 1e-9);
    EXPECT_DOUBLE_EQ(AppTimer(TimerElapsed), 0.0) << "elapsed measures to the stop time";
    AppTimer(TimerAdvance);
    EXPECT_NEAR(AppTimer(TimerAppTime), stopped + 0.1, 1e-9);
    const double started = AppTimer(TimerAbsolute);
    AppTimer(TimerStart);
    const double resumed = AppTimer(TimerAppTime);
    EXPECT_GE(resumed, stopped + 0.1 - 1e-9) << "time spent stopped does not count";
    EXPECT_LE(resumed, stopped + 0.1 + AppTimer(TimerAbsolute) - started + 1e-9);
    const double elapsed = AppTimer(TimerElapsed);
    EXPECT_GE(elapsed, 0.0);
    EXPECT_LE(elapsed, AppTimer(TimerAbsolute) - started + 1e-9);
}
