// The base of every screen, panel, menu and layout: a tree of widgets that
// receives the frame's input. Input goes to the children first (the one added
// last first), then to the widget's own buttons; the keyboard moves the focus
// among the buttons by direction and fires the focused one on accept.
#pragma once

#include "core/StablePtr.hpp"
#include "core/Timer.hpp"
#include "interface/InterfaceInput.hpp"

#include <functional>
#include <list>
#include <map>
#include <memory>

namespace Kestrum
{
    class Button;

    class Widget : public InterfaceInput
    {
    public:
        typedef std::function<void(const stable_ptr<Button>&)> ButtonOperation;

        Widget();
        Widget(const Widget&) = delete;
        Widget& operator=(const Widget&) = delete;

        bool HandleAction(Action action) override;
        bool HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous) override;
        bool HandleMouseWheel(int delta) override;
        bool HandleClick(const sf::Vector2f& position, MouseButton button) override;
        bool HandleDoubleClick(const sf::Vector2f& position, MouseButton button) override;
        bool HandleDragStart(const sf::Vector2f& position) override;
        bool HandleDrag(const sf::Vector2f& position, const sf::Vector2f& previous) override;
        bool HandleDrop(const sf::Vector2f& position) override;

        virtual ~Widget();
        virtual void OnEnter() = 0;
        virtual void OnUpdate();
        virtual void OnExit() = 0;
        // Draws the buttons (higher keys over lower ones), then the children.
        virtual void Draw();
        // Buttons under a higher key are drawn over and hit before those under a
        // lower one; under equal keys the one added later is on top.
        virtual void AddButton(const stable_ptr<Button>& button, unsigned int key);

        void AddChild(const stable_ptr<Widget>& child);
        // Takes this very child out of the list (every entry of it); an absent one
        // changes nothing.
        void RemoveChild(const std::shared_ptr<Widget>& child);
        void ClearChildren();
        // The children in their order (drawn first to last, offered input last first).
        const std::list<stable_ptr<Widget>>& GetChildren() const { return m_children; }
        // Removes every entry of this very button; a focused button loses the focus.
        void RemoveButton(const std::shared_ptr<Button>& button);
        template <typename T>
        void RemoveButton(const stable_ptr<T>& button)
        {
            RemoveButton(std::shared_ptr<Button>(button.get_shared()));
        }
        // Removes all buttons; the focus goes with them.
        void ClearButtons();
        // The buttons in drawing order, or topmost first.
        std::list<stable_ptr<Button>> GetButtons(bool topFirst) const;
        // The topmost visible button whose click area holds the position, or none.
        std::shared_ptr<Button> FindButtonAt(const sf::Vector2f& position) const;
        void DrawButtons(const ButtonOperation& operation);
        // Moves the focus to the nearest button in the direction, at most once per
        // focus delay.
        void MoveButtonFocus(float dx, float dy);
        // Focuses a button of this widget; fails for one that is not part of it.
        void SetFocusedButton(const std::shared_ptr<Button>& button);
        template <typename T>
        void SetFocusedButton(const stable_ptr<T>& button)
        {
            SetFocusedButton(std::shared_ptr<Button>(button.get_shared()));
        }
        const std::shared_ptr<Button>& GetFocusedButton() const { return m_focused; }

    protected:
        bool IsActive() const { return m_active; }
        // An inactive widget refuses every action (pointer input still works).
        void SetActive(bool active) { m_active = active; }

    private:
        typedef std::multimap<unsigned int, stable_ptr<Button>> ButtonMap;

        bool IsInMap(const std::shared_ptr<Button>& button) const;
        void DropFocusIfGone();

        bool m_active;
        ButtonMap m_buttons;
        std::list<stable_ptr<Widget>> m_children;
        std::shared_ptr<Button> m_focused;
        Timer m_focusTimer;
    };
}
