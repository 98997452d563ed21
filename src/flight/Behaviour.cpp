#include "flight/Behaviour.hpp"

#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "presentation/Angles.hpp"
#include "presentation/StateMachineBase.hpp"

#include <cmath>

namespace Kestrum
{
    namespace
    {
        // Into [0, 360), each step rounded to float.
        float ToFullTurn(float angle)
        {
            const float once = std::fmod(angle, 360.f);
            return std::fmod(once + 360.f, 360.f);
        }
    }

    Behaviour::Behaviour(const stable_ptr<StateMachineBase>& stateMachine) : m_stateMachine(stateMachine) {}
    Behaviour::~Behaviour() = default;

    void Behaviour::Reset(const sf::Vector2f& position)
    {
        m_stateMachine->Reset();
        m_stateMachine->SetPosition(position.x, position.y);
    }

    void Behaviour::OnUpdate()
    {
        m_stateMachine->OnUpdate();
    }

    float AngleDifference(float from, float to)
    {
        const float difference = ToFullTurn(to) - ToFullTurn(from);
        if (difference > 180.f)
            return difference - 360.f;
        if (difference < -180.f)
            return difference + 360.f;
        return difference;
    }

    bool MoveAndTurn(const sf::Vector2f& target, sf::Vector2f& position, float& rotation, float movementSpeed,
                     float rotationSpeed, bool helicopterMode)
    {
        const sf::Vector2f delta = target - position;
        const float aim = GetAngle(delta);
        const float dt = GetFromRegistry<TimeSystem>()->GetFrameTime();
        const float maxTurn = std::fabs(dt * rotationSpeed);
        const float difference = AngleDifference(rotation, aim);

        float newRotation = aim;
        sf::Vector2f direction = delta;
        if (std::fabs(difference) > maxTurn)
        {
            newRotation = difference > 0.f ? rotation + maxTurn : rotation - maxTurn;
            if (!helicopterMode)
            {
                // The craft flies where its nose points.
                direction = sf::Vector2f(1.f, 0.f);
                Rotate(direction, newRotation);
            }
        }

        const float step = dt * movementSpeed;
        if (delta.x * delta.x + delta.y * delta.y <= step * step)
        {
            position = target;
            return true;
        }
        const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
        position += direction * (step / length);
        rotation = newRotation;
        return false;
    }

    sf::Vector2f GetPlayerPosition()
    {
        return GetFromRegistry<Inventory>()->GetShip()->GetPosition();
    }

    float GetSquaredDistanceToPlayer(const sf::Vector2f& position)
    {
        const sf::Vector2f player = GetPlayerPosition();
        return (player.x - position.x) * (player.x - position.x) + (player.y - position.y) * (player.y - position.y);
    }
}
