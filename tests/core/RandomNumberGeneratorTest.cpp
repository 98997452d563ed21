#include "core/RandomNumberGenerator.hpp"

#include "core/Exception.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

TEST(RandomNumberGenerator, SeedOneGivesTheKnownSequence)
{
    RandomNumberGenerator generator;
    EXPECT_EQ(0x1330Eu, generator.GetState());
    generator.Seed(1);
    EXPECT_EQ(0x1330Eu, generator.GetState());
    EXPECT_EQ(89400484, generator.Next());
    EXPECT_EQ(976015093, generator.Next());
    EXPECT_EQ(1792756325, generator.Next());

    generator.Seed(0);
    EXPECT_EQ(0x330Eu, generator.GetState());
    generator.Seed(2147483647);
    EXPECT_EQ((0x7FFFFFFFull << 16) | 0x330E, generator.GetState());
}

TEST(RandomNumberGenerator, NegativeSeedIsRefusedAndChangesNothing)
{
    RandomNumberGenerator generator;
    generator.Seed(7);
    const auto state = generator.GetState();
    EXPECT_EQ("seed -3 is too small", ThrownMessage<LogicError>([&] { generator.Seed(-3); }));
    EXPECT_EQ(state, generator.GetState());
}

TEST(RandomNumberGenerator, FractionsAreMillionthsBetweenZeroAndOne)
{
    RandomNumberGenerator generator;
    generator.Seed(12345);
    for (int i = 0; i < 1000; ++i)
    {
        RandomNumberGenerator probe = generator;
        EXPECT_EQ(static_cast<float>((probe.Next() % 1000001) / 1000000.0), generator.NextFraction());
        EXPECT_EQ(probe.GetState(), generator.GetState());
    }
}
