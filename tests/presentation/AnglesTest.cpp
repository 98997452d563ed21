#include "presentation/Angles.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

TEST(Angles, DirectionsAndTurnsOnTheScreen)
{
    const struct
    {
        sf::Vector2f vector;
        float angle;
    } directions[] = {{{1.f, 0.f}, 0.f},   {{0.f, 3.f}, 90.f},   {{-2.f, 0.f}, 180.f},
                      {{0.f, -500.f}, 270.f}, {{1.f, -1.f}, 315.f}, {{0.f, 0.f}, 0.f}};
    for (const auto& direction : directions)
        EXPECT_NEAR(direction.angle, GetAngle(direction.vector), 1e-3f) << direction.vector.x << "," << direction.vector.y;

    // Turning "along +x" by -90 points up the screen; +90 points down.
    sf::Vector2f ahead(12.f, 0.f);
    Rotate(ahead, -90.f);
    EXPECT_NEAR(0.f, ahead.x, 1e-4f);
    EXPECT_NEAR(-12.f, ahead.y, 1e-4f);
    sf::Vector2f right(0.f, 8.f);
    Rotate(right, -90.f);
    EXPECT_NEAR(8.f, right.x, 1e-4f);
    EXPECT_NEAR(0.f, right.y, 1e-4f);
}
