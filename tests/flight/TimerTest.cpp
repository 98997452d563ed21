#include "flight/Timer.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace Kestrum;

TEST(Timer, CountsDownOnTheWallClock)
{
    Timer timer(0.2f);
    EXPECT_FALSE(timer.IsElapsed());
    EXPECT_LE(timer.GetRemainingTime(), 0.2f);
    EXPECT_GT(timer.GetRemainingTime(), 0.1f);

    const Timer copy = timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_TRUE(timer.IsElapsed());
    EXPECT_EQ(0.f, timer.GetRemainingTime());
    EXPECT_TRUE(copy.IsElapsed()) << "a copy carries the running clock";

    timer.Restart();
    EXPECT_FALSE(timer.IsElapsed());
    timer.Restart(5.f);
    EXPECT_EQ(5.f, timer.GetDuration());
    EXPECT_GT(timer.GetRemainingTime(), 4.5f);
}

TEST(Timer, ExpiresOnDemandAndForNothing)
{
    Timer timer(100.f);
    timer.Expire();
    EXPECT_TRUE(timer.IsElapsed());
    EXPECT_EQ(0.f, timer.GetRemainingTime());
    timer.Restart();
    EXPECT_FALSE(timer.IsElapsed());
    EXPECT_GT(timer.GetRemainingTime(), 99.f);

    EXPECT_TRUE(Timer(0.f).IsElapsed());
    EXPECT_TRUE(Timer(-1.f).IsElapsed());
    EXPECT_EQ(0.f, Timer(-1.f).GetRemainingTime());
}
