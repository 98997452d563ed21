// The position of something placed in the world, in pixels with y pointing down.
// Composites (an action with its animations, a state machine with its states)
// override the four one-axis setters so that moving them moves their children;
// the two-axis setters go through those, x first, so they need no override.
#pragma once

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    template <typename T>
    class Positionable
    {
    public:
        virtual ~Positionable() {}

        virtual const sf::Vector2<T>& GetPosition() const { return m_position; }
        virtual const T& GetPositionX() const { return m_position.x; }
        virtual const T& GetPositionY() const { return m_position.y; }

        virtual void SetPosition(const T& x, const T& y)
        {
            SetPositionX(x);
            SetPositionY(y);
        }
        virtual void SetPositionX(const T& x) { m_position.x = x; }
        virtual void SetPositionY(const T& y) { m_position.y = y; }

        virtual void MovePosition(const T& dx, const T& dy)
        {
            MovePositionX(dx);
            MovePositionY(dy);
        }
        virtual void MovePositionX(const T& dx) { m_position.x += dx; }
        virtual void MovePositionY(const T& dy) { m_position.y += dy; }

    private:
        sf::Vector2<T> m_position;
    };
}
