#include "flight/StraightFlightBehaviour.hpp"

#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "flight/Weapon.hpp"
#include "presentation/Angles.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    StraightFlightBehaviour::StraightFlightBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : FlightBehaviour(stateMachine), m_volleyTimer(0.f)
    {
    }

    StraightFlightBehaviour::~StraightFlightBehaviour() = default;

    void StraightFlightBehaviour::Load(const pugi::xml_node& element)
    {
        m_volleyDelay = GetOptionalChildValue<Range<float>>(element, "volley_delay_range", Range<float>{10000.f, 10000.f});
        FlightBehaviour::Load(element);
    }

    void StraightFlightBehaviour::Reset(const sf::Vector2f& position)
    {
        FlightBehaviour::Reset(position);
        GetStateMachine()->SetRotation(90.f);
        m_generator.Seed(GetFromRegistry<RandomizationSystem>()->Next());
        RestartVolleyTimer();
    }

    void StraightFlightBehaviour::RestartVolleyTimer()
    {
        m_volleyTimer.Restart(m_volleyDelay.minimum + m_generator.NextFraction() * (m_volleyDelay.maximum - m_volleyDelay.minimum));
    }

    void StraightFlightBehaviour::OnUpdate()
    {
        FlightBehaviour::OnUpdate();
        StateMachineBase& machine = *GetStateMachine();
        machine.MovePositionY(GetFromRegistry<TimeSystem>()->GetFrameTime() * GetMovementSpeed());
        if (!m_volleyTimer.IsElapsed())
            return;
        if (const std::shared_ptr<Weapon> weapon = GetWeapon())
        {
            const sf::Vector2f position = machine.GetPosition();
            weapon->Fire(position, GetAngle(GetPlayerPosition() - position));
        }
        RestartVolleyTimer();
    }
}
