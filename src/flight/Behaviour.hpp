// The base of the behaviours that steer an enemy's state machine (flying
// enemies, turrets), and the steering that every behaviour shares.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/InterfaceBehaviour.hpp"

namespace Kestrum
{
    class StateMachineBase;

    class Behaviour : public InterfaceBehaviour
    {
    public:
        explicit Behaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~Behaviour() override;

        // The machine restarts and stands at the position.
        void Reset(const sf::Vector2f& position) override;
        // The machine's update.
        void OnUpdate() override;

        // The enemy's body: its position, rotation, boundary, sockets and transitions.
        const stable_ptr<StateMachineBase>& GetStateMachine() const { return m_stateMachine; }

    private:
        stable_ptr<StateMachineBase> m_stateMachine;
    };

    // The signed turn in degrees, within [-180, 180], that brings direction
    // `from` to direction `to`: (350, 10) gives 20, (10, 350) gives -20. Straight
    // opposite directions give 180 or -180 as the plain difference says:
    // (0, 180) gives 180, (180, 0) gives -180.
    float AngleDifference(float from, float to);

    // One frame of steering toward the target. The craft turns toward it by at
    // most rotationSpeed x the frame's game time (a smaller turn snaps to the
    // aim) and moves movementSpeed x the frame time: straight at the target
    // once it faces it; while it still turns, along its new nose, or straight
    // at the target in helicopter mode. Reaching the target this frame puts the
    // position exactly on it, leaves the rotation as it was and answers true.
    bool MoveAndTurn(const sf::Vector2f& target, sf::Vector2f& position, float& rotation, float movementSpeed,
                     float rotationSpeed, bool helicopterMode);

    // Where the player's ship is: the ship of the registered Inventory.
    sf::Vector2f GetPlayerPosition();
    float GetSquaredDistanceToPlayer(const sf::Vector2f& position);
}
