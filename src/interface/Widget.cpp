#include "interface/Widget.hpp"

namespace Kestrum
{
    Widget::Widget() = default;
    Widget::~Widget() = default;

    void Widget::OnEnter() {}
    void Widget::OnUpdate() {}
    void Widget::OnExit() {}
    void Widget::Draw() {}

    bool Widget::HandleAction(Action) { return false; }
    bool Widget::HandleMouseMove(const sf::Vector2f&, const sf::Vector2f&) { return false; }
    bool Widget::HandleMouseWheel(int) { return false; }
    bool Widget::HandleClick(const sf::Vector2f&, MouseButton) { return false; }
    bool Widget::HandleDoubleClick(const sf::Vector2f&, MouseButton) { return false; }
    bool Widget::HandleDragStart(const sf::Vector2f&) { return false; }
    bool Widget::HandleDrag(const sf::Vector2f&, const sf::Vector2f&) { return false; }
    bool Widget::HandleDrop(const sf::Vector2f&) { return false; }
}
