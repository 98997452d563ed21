// The collision body of everything that flies: circles around one position,
// with a bounding circle that encloses them all for a quick first test.
// Moving and rotating keep every circle and the bounding circle in place
// relative to each other, without refitting.
#pragma once

#include "presentation/Circle.hpp"

#include <vector>

namespace Kestrum
{
    class CircleList
    {
    public:
        CircleList() = default;

        // Appends a circle given in world terms: its centre stays where it is,
        // seen from the list's position. Refits the bounding circle.
        void Add(const Circle& circle);
        // Appends every circle of the other list the same way; adding a list to
        // itself does nothing.
        void Add(const CircleList& other);
        // Fits the bounding circle around the box spanned by all circles.
        void UpdateBoundingCircle();
        // Back to a new list, keeping the storage for the circles to come.
        void Clear();

        const std::vector<Circle>& GetCircles() const { return m_circles; }
        const Circle& GetBoundingCircle() const { return m_bounding; }
        const sf::Vector2f& GetPosition() const { return m_bounding.position; }

        // Whether some circle overlaps the given one.
        bool Intersects(const Circle& circle) const;
        // Whether some circle of this list overlaps some circle of the other. A
        // list of three or more circles first tests the bounding circles.
        bool Intersects(const CircleList& other) const;
        // Whether some circle meets the segment of the given width.
        bool IntersectsSegment(const sf::Vector2f& from, const sf::Vector2f& to, float width) const;
        // Whether a circle of this list, moved along `displacement`, sweeps
        // through the other list: a fast shot hits what it passed in one frame.
        bool IntersectsSwept(const sf::Vector2f& displacement, const CircleList& other) const;

        void SetPosition(const sf::Vector2f& point);
        void SetPositionX(float x);
        void SetPositionY(float y);
        void MovePositionX(float dx);
        void MovePositionY(float dy);
        // Turns every offset by the angle (degrees, clockwise on screen) about the
        // list's position. The angle is relative to the present orientation.
        void Rotate(float angle);

    private:
        std::vector<Circle> m_circles;
        Circle m_bounding;
    };
}
