// An ordered list of rectangles: the click area of a button, read from a
// click-area file as groups of left, top, width and height.
#pragma once

#include "presentation/Rectangle.hpp"

#include <vector>

namespace Kestrum
{
    class RectangleList
    {
    public:
        RectangleList() = default;
        virtual ~RectangleList();

        // Replaces the rectangles by one per group of four values (x, y, width,
        // height). A count that is not a multiple of 4 throws LogicError "odd
        // number of values for rectangle list" and leaves the list as it was.
        void Load(const std::vector<float>& values);

        // True when some rectangle contains the point; false for an empty list.
        bool Contains(const sf::Vector2f& point) const;

        void Move(float dx, float dy);
        void Move(const sf::Vector2f& delta);

        std::vector<Rectangle>& GetRectangles() { return m_rectangles; }
        const std::vector<Rectangle>& GetRectangles() const { return m_rectangles; }

    private:
        std::vector<Rectangle> m_rectangles;
    };
}
