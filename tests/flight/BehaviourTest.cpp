#include "flight/Behaviour.hpp"

#include "core/FrameClock.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"

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

TEST(BehaviourTest, MoveAndTurnSteersTowardTheTarget)
{
    const stable_ptr<Registry> registry = Registry::Create();
    CreateAndRegister(new TimeSystem());
    const struct
    {
        float frameTime;
        sf::Vector2f target;
        float rotation;
        bool helicopter;
        bool arrived;
        sf::Vector2f position;  // afterwards, from (0, 0)
        float newRotation;
    } cases[] = {
        // Paused: nothing moves or turns, unless the craft sits on its target.
        {0.f, {0.f, 100.f}, 0.f, false, false, {0.f, 0.f}, 0.f},
        {0.f, {0.f, 0.f}, 30.f, false, true, {0.f, 0.f}, 30.f},
        // A turn within one frame's turning snaps to the aim and goes straight.
        {0.1f, {0.f, 100.f}, 80.f, false, false, {0.f, 10.f}, 90.f},
        // Otherwise the craft follows its turning nose; a helicopter slides
        // straight at the target while it turns.
        {0.1f, {0.f, 100.f}, 0.f, false, false, {9.8480775f, 1.7364818f}, 10.f},
        {0.1f, {0.f, 100.f}, 0.f, true, false, {0.f, 10.f}, 10.f},
        {0.1f, {0.f, -100.f}, 0.f, true, false, {0.f, -10.f}, -10.f},
        // Within one step: exactly onto the target, the rotation as it was.
        {0.1f, {3.f, 4.f}, 200.f, false, true, {3.f, 4.f}, 200.f},
    };
    for (const auto& c : cases)
    {
        FrameClock::SetFrameTime(c.frameTime);
        sf::Vector2f position(0.f, 0.f);
        float rotation = c.rotation;
        EXPECT_EQ(c.arrived, MoveAndTurn(c.target, position, rotation, 100.f, 100.f, c.helicopter));
        EXPECT_NEAR(c.position.x, position.x, 1e-4f) << c.target.y << " " << c.rotation;
        EXPECT_NEAR(c.position.y, position.y, 1e-4f) << c.target.y << " " << c.rotation;
        EXPECT_FLOAT_EQ(c.newRotation, rotation);
    }
    FrameClock::Reset();
}
