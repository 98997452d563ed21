#include "presentation/PolygonOverlap.hpp"

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        bool WithinBox(double x, double y, const sf::Vector2f& p1, const sf::Vector2f& p2)
        {
            const double minX = std::min<double>(p1.x, p2.x);
            const double maxX = std::max<double>(p1.x, p2.x);
            const double minY = std::min<double>(p1.y, p2.y);
            const double maxY = std::max<double>(p1.y, p2.y);
            return minX <= x && x <= maxX && minY <= y && y <= maxY;
        }

        // Counts the edges of the closed walk through the points that the segment crosses.
        std::size_t CountCrossedEdges(const sf::Vector2f& a1, const sf::Vector2f& a2,
                                      const std::vector<sf::Vector2f>& points, bool stopAtFirst)
        {
            std::size_t count = 0;
            for (std::size_t i = 0; i < points.size(); ++i)
            {
                if (SegmentsIntersect(points[i], points[(i + 1) % points.size()], a1, a2))
                {
                    ++count;
                    if (stopAtFirst)
                        break;
                }
            }
            return count;
        }
    }

    std::vector<sf::Vector2f> GetGlobalPoints(const sf::Shape& shape)
    {
        std::vector<sf::Vector2f> points;
        points.reserve(shape.getPointCount());
        const sf::Transform& transform = shape.getTransform();
        for (std::size_t i = 0; i < shape.getPointCount(); ++i)
            points.push_back(transform.transformPoint(shape.getPoint(i)));
        return points;
    }

    bool SegmentsIntersect(const sf::Vector2f& a1, const sf::Vector2f& a2, const sf::Vector2f& b1,
                           const sf::Vector2f& b2)
    {
        const double A1 = double(a2.y) - a1.y;
        const double B1 = double(a1.x) - a2.x;
        const double C1 = A1 * a1.x + B1 * a1.y;
        const double A2 = double(b2.y) - b1.y;
        const double B2 = double(b1.x) - b2.x;
        const double C2 = A2 * b1.x + B2 * b1.y;
        const double det = A1 * B2 - A2 * B1;
        if (det == 0.0)
            return false;

        // Exact coordinates where a segment is vertical or horizontal.
        const double x = B1 == 0.0 ? a1.x : B2 == 0.0 ? b1.x : (B2 * C1 - B1 * C2) / det;
        const double y = A1 == 0.0 ? a1.y : A2 == 0.0 ? b1.y : (A1 * C2 - A2 * C1) / det;
        return WithinBox(x, y, a1, a2) && WithinBox(x, y, b1, b2);
    }

    bool EdgeIntersectsPolygon(const sf::Vector2f& a1, const sf::Vector2f& a2,
                               const std::vector<sf::Vector2f>& points)
    {
        return CountCrossedEdges(a1, a2, points, true) != 0;
    }

    bool PolygonEdgesIntersect(const std::vector<sf::Vector2f>& points,
                               const std::vector<sf::Vector2f>& otherPoints)
    {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (EdgeIntersectsPolygon(points[i], points[(i + 1) % points.size()], otherPoints))
                return true;
        return false;
    }

    bool IsPointInShape(const sf::Vector2f& point, const sf::Shape& shape)
    {
        const sf::Vector2f rayEnd(point.x + 6720.f, point.y + 8400.f);
        return CountCrossedEdges(point, rayEnd, GetGlobalPoints(shape), false) % 2 == 1;
    }

    bool ShapesOverlap(const sf::Shape& shapeA, const sf::Shape& shapeB)
    {
        const std::vector<sf::Vector2f> pointsA = GetGlobalPoints(shapeA);
        const std::vector<sf::Vector2f> pointsB = GetGlobalPoints(shapeB);
        if (pointsA.empty() || pointsB.empty())
            return false;
        return IsPointInShape(pointsA.front(), shapeB) || IsPointInShape(pointsB.front(), shapeA) ||
               PolygonEdgesIntersect(pointsA, pointsB);
    }
}
