#include "presentation/CircleList.hpp"
#include "presentation/Angles.hpp"

#include <cmath>

namespace Kestrum
{
    namespace
    {

        sf::Vector2f Turn(const sf::Vector2f& v, float cosine, float sine)
        {
            return sf::Vector2f(v.x * cosine - v.y * sine, v.x * sine + v.y * cosine);
        }
    }

    void CircleList::Add(const Circle& circle)
    {
        Circle stored;
        stored.radius = circle.radius;
        stored.position = m_bounding.position;
        stored.offset = circle.position + circle.offset - m_bounding.position;
        m_circles.push_back(stored);
        UpdateBoundingCircle();
    }

    void CircleList::Add(const CircleList& other)
    {
        if (&other == this)
            return;
        for (const Circle& circle : other.m_circles)
            Add(circle);
        UpdateBoundingCircle();
    }

    void CircleList::Clear()
    {
        m_circles.clear();
        m_bounding = Circle();
    }

    void CircleList::UpdateBoundingCircle()
    {
        if (m_circles.empty())
        {
            m_bounding.radius = 0.f;
            m_bounding.offset = sf::Vector2f(0.f, 0.f);
            return;
        }
        const sf::Vector2f first = m_circles.front().GetCenter();
        float minX = first.x - m_circles.front().radius;
        float maxX = first.x + m_circles.front().radius;
        float minY = first.y - m_circles.front().radius;
        float maxY = first.y + m_circles.front().radius;
        for (const Circle& circle : m_circles)
        {
            const sf::Vector2f center = circle.GetCenter();
            if (center.x - circle.radius < minX)
                minX = center.x - circle.radius;
            if (center.x + circle.radius > maxX)
                maxX = center.x + circle.radius;
            if (center.y - circle.radius < minY)
                minY = center.y - circle.radius;
            if (center.y + circle.radius > maxY)
                maxY = center.y + circle.radius;
        }
        const sf::Vector2f boxCenter((minX + maxX) * 0.5f, (minY + maxY) * 0.5f);
        m_bounding.offset = boxCenter - m_bounding.position;
        const float width = maxX - minX;
        const float height = maxY - minY;
        m_bounding.radius = std::sqrt(width * width + height * height) * 0.5f;
    }

    bool CircleList::Intersects(const Circle& circle) const
    {
        for (const Circle& own : m_circles)
            if (Overlaps(own, circle))
                return true;
        return false;
    }

    bool CircleList::Intersects(const CircleList& other) const
    {
        if (m_circles.size() >= 3 && !Overlaps(m_bounding, other.m_bounding))
            return false;
        for (const Circle& own : m_circles)
            for (const Circle& theirs : other.m_circles)
                if (Overlaps(own, theirs))
                    return true;
        return false;
    }

    bool CircleList::IntersectsSegment(const sf::Vector2f& from, const sf::Vector2f& to, float width) const
    {
        if (m_circles.size() >= 3 && !Kestrum::IntersectsSegment(m_bounding, from, to, width))
            return false;
        for (const Circle& own : m_circles)
            if (Kestrum::IntersectsSegment(own, from, to, width))
                return true;
        return false;
    }

    bool CircleList::IntersectsSwept(const sf::Vector2f& displacement, const CircleList& other) const
    {
        for (const Circle& own : m_circles)
        {
            const sf::Vector2f center = own.GetCenter();
            if (other.IntersectsSegment(center, center + displacement, 2.f * own.radius))
                return true;
        }
        return false;
    }

    void CircleList::SetPosition(const sf::Vector2f& point)
    {
        m_bounding.position = point;
        for (Circle& circle : m_circles)
            circle.position = point;
    }

    void CircleList::SetPositionX(float x)
    {
        SetPosition(sf::Vector2f(x, m_bounding.position.y));
    }

    void CircleList::SetPositionY(float y)
    {
        SetPosition(sf::Vector2f(m_bounding.position.x, y));
    }

    void CircleList::MovePositionX(float dx)
    {
        m_bounding.position.x += dx;
        for (Circle& circle : m_circles)
            circle.position.x += dx;
    }

    void CircleList::MovePositionY(float dy)
    {
        m_bounding.position.y += dy;
        for (Circle& circle : m_circles)
            circle.position.y += dy;
    }

    void CircleList::Rotate(float angle)
    {
        const float radians = angle * DegreesToRadians;
        const float cosine = std::cos(radians);
        const float sine = std::sin(radians);
        for (Circle& circle : m_circles)
            circle.offset = Turn(circle.offset, cosine, sine);
        m_bounding.offset = Turn(m_bounding.offset, cosine, sine);
    }
}
