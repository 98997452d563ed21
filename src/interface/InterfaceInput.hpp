// The receiver of user input: game actions and pointer events of a frame.
#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>

namespace Kestrum
{
    class InterfaceInput
    {
    public:
        enum Action
        {
            move_left,
            move_right,
            move_up,
            move_down,
            fire,
            bomb,
            pause,
            escape,
            accept,
            nuke,
            mute,
            no_action
        };

        enum MouseButton
        {
            Primary,
            Secondary,
            MB3,
            MB4,
            MB5
        };

        // Each handler returns true when it consumed the input.
        virtual bool HandleAction(Action action) = 0;
        virtual bool HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous) = 0;
        virtual bool HandleMouseWheel(int delta) = 0;
        virtual bool HandleClick(const sf::Vector2f& position, MouseButton button) = 0;
        virtual bool HandleDoubleClick(const sf::Vector2f& position, MouseButton button) = 0;
        virtual bool HandleDragStart(const sf::Vector2f& position) = 0;
        virtual bool HandleDrag(const sf::Vector2f& position, const sf::Vector2f& previous) = 0;
        virtual bool HandleDrop(const sf::Vector2f& position) = 0;

    protected:
        ~InterfaceInput() = default;
    };

    // The text form of an action, as the input configuration names it; "???" otherwise.
    std::string ToString(InterfaceInput::Action action);
}
