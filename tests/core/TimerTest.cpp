#include "core/Timer.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace Kestrum;

namespace
{
    using Clock = std::chrono::steady_clock;

    // Checks that a timer (re)started after `before` counts down from `duration`: what is left
    // plus the wall time since `before` make at least the duration, however long the test stalled.
    void ExpectCountingDownFrom(float duration, const Timer& timer, Clock::time_point before)
    {
        const float remaining = timer.GetRemainingTime();
        const bool elapsed = timer.IsElapsed();
        const float passed = std::chrono::duration<float>(Clock::now() - before).count();
        EXPECT_EQ(duration, timer.GetDuration());
        EXPECT_LE(remaining, duration);
        EXPECT_GE(remaining, duration - passed - 1e-3f);
        if (passed < duration - 1e-3f)
        {
            EXPECT_FALSE(elapsed);
        }
    }
}

TEST(Timer, CountsDownOnTheWallClock)
{
    const Clock::time_point created = Clock::now();
    Timer timer(0.2f);
    ExpectCountingDownFrom(0.2f, timer, created);
    const Timer copy = timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_TRUE(timer.IsElapsed());
    EXPECT_EQ(0.f, timer.GetRemainingTime());
    EXPECT_TRUE(copy.IsElapsed()) << "a copy carries the running clock";

    Clock::time_point restarted = Clock::now();
    timer.Restart();
    ExpectCountingDownFrom(0.2f, timer, restarted);
    restarted = Clock::now();
    timer.Restart(5.f);
    ExpectCountingDownFrom(5.f, timer, restarted);
}

TEST(Timer, ExpiresOnDemandAndForNothing)
{
    Timer timer(100.f);
    timer.Expire();
    EXPECT_TRUE(timer.IsElapsed());
    EXPECT_EQ(0.f, timer.GetRemainingTime());
    const Clock::time_point restarted = Clock::now();
    timer.Restart();
    ExpectCountingDownFrom(100.f, timer, restarted);

    EXPECT_TRUE(Timer(0.f).IsElapsed());
    EXPECT_TRUE(Timer(-1.f).IsElapsed());
    EXPECT_EQ(0.f, Timer(-1.f).GetRemainingTime());
}

TEST(Timer, AHeldClockMovesOnlyWhenAdvanced)
{
    Timer::HoldClock();
    Timer timer(1.f);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(1.f, timer.GetRemainingTime()) << "the wall clock does not move a held one";
    Timer::AdvanceClock(0.25);
    EXPECT_FLOAT_EQ(0.75f, timer.GetRemainingTime());
    Timer::AdvanceClock(0.75);
    EXPECT_TRUE(timer.IsElapsed());
    Timer::ReleaseClock();
    const Timer later(10.f);
    Timer::AdvanceClock(20.);
    EXPECT_FALSE(later.IsElapsed()) << "a released clock is not moved by hand";
}
