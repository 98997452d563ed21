#include "presentation/Circle.hpp"

namespace Kestrum
{
    namespace
    {
        float LengthSquared(const sf::Vector2f& v)
        {
            const float x2 = v.x * v.x;
            const float y2 = v.y * v.y;
            return x2 + y2;
        }
    }

    bool Overlaps(const Circle& a, const Circle& b)
    {
        const sf::Vector2f centerA = a.GetCenter();
        const sf::Vector2f centerB = b.GetCenter();
        const sf::Vector2f difference = centerB - centerA;
        const float reach = a.radius + b.radius;
        const float reachSquared = reach * reach;
        return reachSquared > LengthSquared(difference);
    }

    bool IntersectsSegment(const Circle& circle, const sf::Vector2f& from, const sf::Vector2f& to, float width)
    {
        const float reach = circle.radius + width * 0.5f;
        const float reachSquared = reach * reach;
        const sf::Vector2f center = circle.GetCenter();
        if (reachSquared > LengthSquared(center - from))
            return true;
        if (LengthSquared(to - center) < reachSquared)
            return true;

        const sf::Vector2f segment = to - from;
        const sf::Vector2f toCenter = center - from;
        const float dot = toCenter.x * segment.x + toCenter.y * segment.y;
        const float t = dot / LengthSquared(segment);
        // Also false for NaN, which a segment of no length gives.
        if (!(t >= 0.f && t <= 1.f))
            return false;
        const sf::Vector2f foot = from + t * segment;
        return reachSquared > LengthSquared(center - foot);
    }

    sf::CircleShape CreateCircleShape(const Circle& circle, float outlineThickness, const sf::Color& outlineColor)
    {
        sf::CircleShape shape(circle.radius);
        shape.setOrigin(circle.radius, circle.radius);
        shape.setPosition(circle.GetCenter());
        shape.setFillColor(sf::Color(0, 0, 0, 0));
        shape.setOutlineThickness(outlineThickness);
        shape.setOutlineColor(outlineColor);
        return shape;
    }
}
