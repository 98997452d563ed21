#include "interface/Button.hpp"

#include "presentation/RectangleList.hpp"

namespace Kestrum
{
    Button::Button() : m_visible(true), m_enabled(true) {}

    Button::~Button() = default;

    void Button::DrawIfVisible()
    {
        if (m_visible)
            Draw();
    }

    void Button::SetEnabled(bool enabled)
    {
        m_enabled = enabled;
    }

    sf::Vector2f GetCenter(Button& button)
    {
        const RectangleList& area = button.GetArea();
        if (area.GetRectangles().empty())
            return button.GetPosition();
        sf::Vector2f sum(0.f, 0.f);
        for (const Rectangle& rectangle : area.GetRectangles())
        {
            sum.x += (rectangle.left + rectangle.right) / 2.f;
            sum.y += (rectangle.top + rectangle.bottom) / 2.f;
        }
        const float count = static_cast<float>(area.GetRectangles().size());
        return sf::Vector2f(sum.x / count, sum.y / count);
    }
}
