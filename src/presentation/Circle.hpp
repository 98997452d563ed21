// A circle of a collision body: the body's position plus an offset to the
// centre. Circles that only touch do not overlap.
#pragma once

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    struct Circle
    {
        float radius = 0.f;
        sf::Vector2f position;  // of the list the circle belongs to
        sf::Vector2f offset;    // from that position to the centre

        sf::Vector2f GetCenter() const { return position + offset; }
    };

    // Strictly overlapping; NaN anywhere gives false.
    bool Overlaps(const Circle& a, const Circle& b);

    // Whether the circle meets the segment from `from` to `to` drawn with the
    // given width (the circle is widened by half the width).
    bool IntersectsSegment(const Circle& circle, const sf::Vector2f& from, const sf::Vector2f& to, float width);

    // An unfilled circle for debug drawing of bodies.
    sf::CircleShape CreateCircleShape(const Circle& circle, float outlineThickness, const sf::Color& outlineColor);
}
