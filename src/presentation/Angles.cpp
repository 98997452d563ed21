#include "presentation/Angles.hpp"

#include <cmath>

namespace Kestrum
{
    float GetAngle(const sf::Vector2f& vector)
    {
        const float length = std::sqrt(vector.x * vector.x + vector.y * vector.y);
        if (length == 0.f)
            return 0.f;
        // Rounding may carry the cosine a hair beyond 1.
        const float cosine = std::fmax(-1.f, std::fmin(1.f, vector.x / length));
        const float angle = std::acos(cosine) * 180.f / Pi;
        return vector.y < 0.f ? 360.f - angle : angle;
    }

    void Rotate(sf::Vector2f& vector, float degrees)
    {
        const float radians = degrees * Pi / 180.f;
        const float cosine = std::cos(radians);
        const float sine = std::sin(radians);
        vector = sf::Vector2f(vector.x * cosine - vector.y * sine, vector.x * sine + vector.y * cosine);
    }
}
