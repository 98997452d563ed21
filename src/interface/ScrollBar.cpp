#include "interface/ScrollBar.hpp"

#include "interface/ComplexButton.hpp"
#include "interface/ScrollableLayout.hpp"

namespace Kestrum
{
    namespace
    {
        const std::string arrowPrefix = "resources|gui|screens|buttons|scroll_";
    }

    ScrollBar::ScrollBar(const sf::Vector2f& position, float length) : m_position(position), m_length(length) {}

    ScrollBar::~ScrollBar() = default;

    void ScrollBar::OnEnter()
    {
        const stable_ptr<ComplexButton> up = ComplexButton::Create(
            arrowPrefix + "up.png", arrowPrefix + "up_click_area.txt", sf::Vector2f(0.f, 0.f));
        const stable_ptr<ComplexButton> down = ComplexButton::Create(
            arrowPrefix + "down.png", arrowPrefix + "down_click_area.txt", sf::Vector2f(0.f, 0.f));
        up->SetPosition(m_position);
        down->SetPosition(sf::Vector2f(m_position.x, m_position.y + m_length - down->GetSize().y));
        AddButton(up, 0);
        AddButton(down, 0);
        up->GetClickSignal().connect([this](MouseButton) { m_scrollSignal(-1); });
        down->GetClickSignal().connect([this](MouseButton) { m_scrollSignal(1); });
    }

    void ScrollBar::OnExit()
    {
        ClearButtons();
    }

    void ScrollBar::ConnectLayout(const std::shared_ptr<ScrollableLayout>& layout)
    {
        const std::weak_ptr<ScrollableLayout> pages = layout;
        m_scrollSignal.connect([pages](int units) {
            if (const std::shared_ptr<ScrollableLayout> held = pages.lock())
                held->Scroll(units);
        });
    }
}
