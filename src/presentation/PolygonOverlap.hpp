// Overlap of polygon outlines, used between click areas: two shapes overlap
// when an edge of one crosses an edge of the other or one holds the other's
// first point.
#pragma once

#include <SFML/Graphics/Shape.hpp>
#include <SFML/System/Vector2.hpp>

#include <vector>

namespace Kestrum
{
    // Every point of the shape, in order, moved by the shape's own transform.
    std::vector<sf::Vector2f> GetGlobalPoints(const sf::Shape& shape);

    // Whether segment a1-a2 and segment b1-b2 cross or touch (ends included);
    // parallel segments never do.
    bool SegmentsIntersect(const sf::Vector2f& a1, const sf::Vector2f& a2, const sf::Vector2f& b1,
                           const sf::Vector2f& b2);

    // Whether the segment crosses an edge of the closed polygon.
    bool EdgeIntersectsPolygon(const sf::Vector2f& a1, const sf::Vector2f& a2,
                               const std::vector<sf::Vector2f>& points);

    bool PolygonEdgesIntersect(const std::vector<sf::Vector2f>& points,
                               const std::vector<sf::Vector2f>& otherPoints);

    // Ray casting: an odd number of crossed edges means inside.
    bool IsPointInShape(const sf::Vector2f& point, const sf::Shape& shape);

    bool ShapesOverlap(const sf::Shape& shapeA, const sf::Shape& shapeB);
}
