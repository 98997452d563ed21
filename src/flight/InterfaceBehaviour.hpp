// The conduct of an enemy. The enemy only forwards to its behaviour: the reset
// at every spawn position, one update per frame, and the question whether it
// is done and may leave the level.
#pragma once

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    class InterfaceBehaviour
    {
    public:
        InterfaceBehaviour() = default;
        virtual ~InterfaceBehaviour() = default;
        InterfaceBehaviour(const InterfaceBehaviour&) = delete;
        InterfaceBehaviour& operator=(const InterfaceBehaviour&) = delete;

        // Restarts the behaviour with the enemy placed at the position.
        virtual void Reset(const sf::Vector2f& position) = 0;
        // One frame.
        virtual void OnUpdate() = 0;
        // True once the enemy is done.
        virtual bool IsFinished() const = 0;
    };
}
