#include "presentation/RectangleList.hpp"

#include "core/Exception.hpp"

namespace Kestrum
{
    RectangleList::~RectangleList() = default;

    void RectangleList::Load(const std::vector<float>& values)
    {
        if (values.size() % 4 != 0)
            BOOST_THROW_EXCEPTION(LogicError("odd number of values for rectangle list"));
        m_rectangles.clear();
        for (std::vector<float>::size_type i = 0; i < values.size(); i += 4)
        {
            const float x = values[i];
            const float y = values[i + 1];
            m_rectangles.emplace_back(x, y, x + values[i + 2], y + values[i + 3]);
        }
    }

    bool RectangleList::Contains(const sf::Vector2f& point) const
    {
        for (const Rectangle& rectangle : m_rectangles)
            if (rectangle.Contains(point))
                return true;
        return false;
    }

    void RectangleList::Move(float dx, float dy)
    {
        Move(sf::Vector2f(dx, dy));
    }

    void RectangleList::Move(const sf::Vector2f& delta)
    {
        for (Rectangle& rectangle : m_rectangles)
            rectangle.Move(delta);
    }
}
