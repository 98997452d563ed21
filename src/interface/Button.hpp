// The clickable element of every menu: drawn and hit-tested by its widget,
// which emits its click signal when the player clicks or accepts it.
#pragma once

#include "interface/InterfaceInput.hpp"
#include "presentation/RectangleList.hpp"

#include <SFML/System/Vector2.hpp>
#include <boost/signals2/signal.hpp>

namespace Kestrum
{
    class Button
    {
    public:
        typedef boost::signals2::signal<void(InterfaceInput::MouseButton)> ClickSignal;

        Button();
        virtual ~Button();
        Button(const Button&) = delete;
        Button& operator=(const Button&) = delete;

        bool IsVisible() const { return m_visible; }
        void SetVisible(bool visible) { m_visible = visible; }
        bool IsEnabled() const { return m_enabled; }
        ClickSignal& GetClickSignal() { return m_clickSignal; }

        // What widgets call to draw their buttons: nothing while hidden.
        virtual void DrawIfVisible();
        virtual void SetEnabled(bool enabled);
        virtual bool HasFocus() const = 0;
        virtual void SetFocus(bool focus) = 0;
        // The top-left corner of the button on screen.
        virtual sf::Vector2f GetPosition() const = 0;
        // Moves the images and the click area so that the top-left lands on the position.
        virtual void SetPosition(const sf::Vector2f& position) = 0;
        // The click area in screen coordinates.
        virtual RectangleList& GetArea() = 0;
        virtual void Draw() = 0;

    private:
        bool m_visible;
        ClickSignal m_clickSignal;
        bool m_enabled;
    };

    // The centre of a button: the mean of the centres of its click area's
    // rectangles, or its position when the area is empty.
    sf::Vector2f GetCenter(Button& button);
}
