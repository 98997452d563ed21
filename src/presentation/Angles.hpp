// Directions and turns of vectors. Angles are degrees; with y pointing down the
// screen, 0 is along +x, 90 straight down, 270 straight up, and a positive turn
// is clockwise on the screen.
#pragma once

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    const float Pi = 3.14159265f;
    // Degrees times this are radians.
    const float DegreesToRadians = 0.0174532924f;

    // The direction of the vector in [0, 360); a zero vector gives 0.
    float GetAngle(const sf::Vector2f& vector);

    // Turns the vector in place by the angle: x' = x cos a - y sin a, y' = x sin a + y cos a.
    void Rotate(sf::Vector2f& vector, float degrees);
}
