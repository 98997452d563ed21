#include "flight/Behaviour.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

TEST(BehaviourTest, AngleDifferenceTakesTheShorterWay)
{
    const struct
    {
        float from;
        float to;
        float turn;
    } cases[] = {{350.f, 10.f, 20.f}, {10.f, 350.f, -20.f}, {0.f, 180.f, 180.f},
                 {180.f, 0.f, -180.f}, {-90.f, 270.f, 0.f}, {-1e-6f, 0.f, 0.f}, {725.f, -30.f, -35.f}};
    for (const auto& each : cases)
        EXPECT_FLOAT_EQ(each.turn, AngleDifference(each.from, each.to)) << each.from << " to " << each.to;
}
