#include "presentation/Rectangle.hpp"

#include "presentation/PolygonOverlap.hpp"

#include <algorithm>
#include <memory>

namespace Kestrum
{
    Rectangle::Rectangle(float left, float top, float right, float bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }

    bool Rectangle::Contains(const sf::Vector2f& point) const
    {
        return left <= point.x && point.x <= right && top <= point.y && point.y <= bottom;
    }

    bool Rectangle::Overlaps(const Area& other) const
    {
        const sf::Color black(0, 0, 0, 255);
        return ShapesOverlap(GetShape(std::nullopt, 1.f, black), other.GetShape(std::nullopt, 1.f, black));
    }

    void Rectangle::Move(const sf::Vector2f& delta)
    {
        left += delta.x;
        right += delta.x;
        top += delta.y;
        bottom += delta.y;
    }

    void Rectangle::Scale(float factorX, float factorY)
    {
        // std::max(0, NaN) is 0, so a NaN factor collapses the side too.
        right = left + (right - left) * std::max(0.f, factorX);
        bottom = top + (bottom - top) * std::max(0.f, factorY);
    }

    stable_ptr<Area> Rectangle::Clone() const
    {
        return create_stable_ptr(std::shared_ptr<Area>(std::make_shared<Rectangle>(*this)));
    }

    sf::ConvexShape Rectangle::GetShape(const std::optional<sf::Color>& fill, float outlineThickness,
                                        const sf::Color& outlineColor) const
    {
        sf::ConvexShape shape(4);
        shape.setPoint(0, sf::Vector2f(left, top));
        shape.setPoint(1, sf::Vector2f(right, top));
        shape.setPoint(2, sf::Vector2f(right, bottom));
        shape.setPoint(3, sf::Vector2f(left, bottom));
        shape.setFillColor(fill ? *fill : sf::Color(0, 0, 0, 255));
        shape.setOutlineThickness(outlineThickness);
        shape.setOutlineColor(outlineColor);
        return shape;
    }
}
