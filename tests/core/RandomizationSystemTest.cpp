#include "core/RandomizationSystem.hpp"

#include "core/Exception.hpp"
#include "core/FrameClock.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/TimeSystem.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

TEST(RandomizationSystem, SharesOneGeneratorOnceLoaded)
{
    RandomizationSystem randomization;
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { randomization.GetGenerator(); }));
    randomization.Load();
    const stable_ptr<RandomNumberGenerator> first = randomization.GetGenerator();
    EXPECT_EQ(first.get(), randomization.GetGenerator().get());
    RandomNumberGenerator copy = *first;
    EXPECT_EQ(copy.Next(), randomization.Next());
    EXPECT_EQ(copy.GetState(), first->GetState());

    randomization.Load();
    EXPECT_NE(first.get(), randomization.GetGenerator().get());
}

TEST(RandomizationSystem, TimeSeedStaysValidAfter2038)
{
    EXPECT_EQ(1700000000, RandomizationSystem::SeedFromTime(1700000000));
    // 2038-01-19 03:14:08 and a date in 2100.
    EXPECT_EQ(0, RandomizationSystem::SeedFromTime(2147483648LL));
    const std::int32_t late = RandomizationSystem::SeedFromTime(4102444800LL);
    EXPECT_GE(late, 0);
    RandomNumberGenerator generator;
    EXPECT_NO_THROW(generator.Seed(late));
}

TEST(TimeSystem, NoGameTimePassesWhilePaused)
{
    TimeSystem time;
    FrameClock::SetFrameTime(0.016f);
    EXPECT_EQ(0.016f, time.GetFrameTime());
    time.paused = true;
    EXPECT_EQ(0.f, time.GetFrameTime());
    time.paused = false;
    EXPECT_EQ(0.016f, time.GetFrameTime());
    FrameClock::Reset();
    EXPECT_EQ(0.f, time.GetFrameTime());
}
