#include "platform/AppTimer.h"
#include <gtest/gtest.h>
#include <chrono>
#include <thread>

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

// One test: the clock is process-wide and starts stopped.
TEST(AppTimer, Commands)
{
    EXPECT_DOUBLE_EQ(AppTimer(TimerAppTime), 0.0) << "starts stopped at zero";
    EXPECT_DOUBLE_EQ(AppTimer(7), -1.0);
    EXPECT_DOUBLE_EQ(AppTimer(-1), -1.0);
    EXPECT_GT(AppTimer(TimerAbsolute), 0.0);

    EXPECT_DOUBLE_EQ(AppTimer(TimerReset), 0.0);
    Sleep(30);
    const double running = AppTimer(TimerAppTime);
    EXPECT_GE(running, 0.025);
    EXPECT_LT(running, 1.0);

    AppTimer(TimerStop);
    const double stopped = AppTimer(TimerAppTime);
    Sleep(30);
    EXPECT_DOUBLE_EQ(AppTimer(TimerAppTime), stopped) << "no time passes while stopped";

    AppTimer(TimerAdvance);
    EXPECT_NEAR(AppTimer(TimerAppTime), stopped + 0.1, 1e-9);

    AppTimer(TimerStart);
    EXPECT_NEAR(AppTimer(TimerAppTime), stopped + 0.1, 0.02) << "time spent stopped does not count";

    AppTimer(TimerElapsed);
    Sleep(20);
    const double elapsed = AppTimer(TimerElapsed);
    EXPECT_GE(elapsed, 0.015);
    EXPECT_LT(AppTimer(TimerElapsed), elapsed) << "elapsed restarts from the previous call";

    AppTimer(TimerStop);
    Sleep(10);
    EXPECT_DOUBLE_EQ(AppTimer(TimerElapsed), 0.0) << "elapsed measures to the stop time";
}
