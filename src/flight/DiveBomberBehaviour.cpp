#include "flight/DiveBomberBehaviour.hpp"

#include "core/XmlReading.hpp"
#include "flight/Scaling.hpp"
#include "flight/Weapon.hpp"
#include "presentation/Angles.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    DiveBomberBehaviour::DiveBomberBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : FlightBehaviour(stateMachine)
    {
    }

    DiveBomberBehaviour::~DiveBomberBehaviour() = default;

    void DiveBomberBehaviour::Load(const pugi::xml_node& element)
    {
        const float level = GetChildValue<float>(element, "screen_dive_level");
        const float escapeSpeed = GetChildValue<float>(element, "escape_speed");
        const bool helicopterMode = GetChildValue<bool>(element, "helicopter_mode");
        FlightBehaviour::Load(element);
        m_screenDiveLevel = level;
        m_escapeSpeed = ScaleByWindowHeight(escapeSpeed);
        m_helicopterMode = helicopterMode;
    }

    void DiveBomberBehaviour::Reset(const sf::Vector2f& position)
    {
        FlightBehaviour::Reset(position);
        StateMachineBase& machine = *GetStateMachine();
        const EdgeRect field = GetFlightArea();
        m_target = sf::Vector2f(machine.GetPositionX(), field.top + (field.bottom - field.top) * m_screenDiveLevel);
        m_escaping = machine.GetPositionY() >= m_target.y;
        machine.SetRotation(m_escaping ? -90.f : 90.f);
    }

    void DiveBomberBehaviour::OnUpdate()
    {
        FlightBehaviour::OnUpdate();
        if (m_escaping)
        {
            FlyToward(m_target, m_escapeSpeed, m_helicopterMode);
            return;
        }
        if (!FlyToward(m_target, GetMovementSpeed(), m_helicopterMode))
            return;
        m_escaping = true;
        if (const std::shared_ptr<Weapon> weapon = GetWeapon())
        {
            const sf::Vector2f position = GetStateMachine()->GetPosition();
            weapon->Fire(position, GetAngle(GetPlayerPosition() - position));
        }
        // Far above the screen, straight up from the dive point.
        m_target.y = -5000.f;
    }
}
