// A rectangle given by its four edges (left, top, right, bottom), in pixels with
// y pointing down: the play field, the cells of the collision grid and the
// rectangles of the objects in them. (SFML's own rectangles hold a width and a
// height instead, and their contains() leaves out the right and bottom edges.)
#pragma once

#include <SFML/System/Vector2.hpp>

#include <algorithm>

namespace Kestrum
{
    struct EdgeRect
    {
        float left = 0.f;
        float top = 0.f;
        float right = 0.f;
        float bottom = 0.f;

        // Borders included on all four sides.
        bool Contains(const sf::Vector2f& point) const
        {
            return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
        }

        // The common part of both rectangles; it may be empty or inverted.
        EdgeRect Overlap(const EdgeRect& other) const
        {
            return EdgeRect{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                            std::min(bottom, other.bottom)};
        }

        // Strictly overlapping: rectangles that only touch do not intersect.
        bool Intersects(const EdgeRect& other) const
        {
            const EdgeRect common = Overlap(other);
            return common.right > common.left && common.bottom > common.top;
        }

        // The square of the given half side around a centre.
        static EdgeRect Around(const sf::Vector2f& centre, float halfSide)
        {
            return EdgeRect{centre.x - halfSide, centre.y - halfSide, centre.x + halfSide, centre.y + halfSide};
        }
    };

    inline bool operator==(const EdgeRect& a, const EdgeRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
}
