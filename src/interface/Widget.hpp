// The base of every menu and screen: a tree of widgets that receives input.
#pragma once

#include "interface/InterfaceInput.hpp"

namespace Kestrum
{
    class Widget : public InterfaceInput
    {
    public:
        Widget();
        virtual ~Widget();
        Widget(const Widget&) = delete;
        Widget& operator=(const Widget&) = delete;

        virtual void OnEnter();
        virtual void OnUpdate();
        virtual void OnExit();
        virtual void Draw();

        bool HandleAction(Action action) override;
        bool HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous) override;
        bool HandleMouseWheel(int delta) override;
        bool HandleClick(const sf::Vector2f& position, MouseButton button) override;
        bool HandleDoubleClick(const sf::Vector2f& position, MouseButton button) override;
        bool HandleDragStart(const sf::Vector2f& position) override;
        bool HandleDrag(const sf::Vector2f& position, const sf::Vector2f& previous) override;
        bool HandleDrop(const sf::Vector2f& position) override;
    };
}
