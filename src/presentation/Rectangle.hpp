// An axis-aligned rectangle whose edges belong to it (unlike sf::FloatRect,
// whose right and bottom edges lie outside).
#pragma once

#include "presentation/Area.hpp"

namespace Kestrum
{
    class Rectangle : public Area
    {
    public:
        Rectangle() = default;
        Rectangle(float left, float top, float right, float bottom);

        // left <= x <= right and top <= y <= bottom; NaN is never inside.
        bool Contains(const sf::Vector2f& point) const override;
        bool Overlaps(const Area& other) const override;
        void Move(const sf::Vector2f& delta) override;
        // Keeps the left-top corner; a factor that is not above 0 collapses that side.
        void Scale(float factorX, float factorY) override;
        stable_ptr<Area> Clone() const override;
        sf::ConvexShape GetShape(const std::optional<sf::Color>& fill, float outlineThickness,
                                 const sf::Color& outlineColor) const override;

        float left = 0.f;
        float top = 0.f;
        float right = 0.f;
        float bottom = 0.f;
    };
}
