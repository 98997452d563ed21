#include "flight/VisitAndFleeBehaviour.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/Weapon.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    VisitAndFleeBehaviour::VisitAndFleeBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : FlightBehaviour(stateMachine), m_dwellTimer(0.f)
    {
    }

    VisitAndFleeBehaviour::~VisitAndFleeBehaviour() = default;

    void VisitAndFleeBehaviour::Load(const pugi::xml_node& element)
    {
        const std::string type = GetAttributeText(element, "type");
        if (type != "visit_and_flee")
            BOOST_THROW_EXCEPTION(UnknownTypeError("visit_and_flee expected but found " + type));
        const Range<float> depth = GetChildValue<Range<float>>(element, "visit_depth_range");
        if (depth.minimum < 0.f || depth.maximum > 1.f)
            BOOST_THROW_EXCEPTION(OutOfRangeError("visit_depth_range must be in interval [0,1]"));
        const float dwell = GetChildValue<float>(element, "dwell_duration");
        const bool helicopterMode = GetChildValue<bool>(element, "helicopter_mode");
        FlightBehaviour::Load(element);
        m_visitDepth = depth;
        m_helicopterMode = helicopterMode;
        m_dwellTimer.Restart(dwell);
    }

    void VisitAndFleeBehaviour::Reset(const sf::Vector2f& position)
    {
        FlightBehaviour::Reset(position);
        StateMachineBase& machine = *GetStateMachine();
        const EdgeRect field = GetFlightArea();
        const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        RandomNumberGenerator& generator = *GetFromRegistry<RandomizationSystem>()->GetGenerator();

        const float depth = m_visitDepth.minimum + generator.NextFraction() * (m_visitDepth.maximum - m_visitDepth.minimum);
        m_visitPoint = sf::Vector2f(machine.GetPositionX(), field.top + (field.bottom - field.top) * depth);
        const float width = static_cast<float>(mode.width);
        const float height = static_cast<float>(mode.height);
        // Away to the nearer side, two screen heights above the visit point.
        const sf::Vector2f offset((field.left + field.right) * 0.5f > m_visitPoint.x ? -2.f * width : 2.f * width,
                                  -2.f * height);
        m_fleePoint = sf::Vector2f(m_visitPoint.x + generator.NextFraction() * offset.x, m_visitPoint.y + offset.y);
        machine.SetRotation(90.f);
        m_state = Visit;
        m_fired = false;
    }

    void VisitAndFleeBehaviour::OnUpdate()
    {
        FlightBehaviour::OnUpdate();
        switch (m_state)
        {
        case Visit:
            if (FlyToward(m_visitPoint, GetMovementSpeed(), m_helicopterMode))
            {
                m_state = Dwell;
                m_dwellTimer.Restart();
            }
            break;
        case Dwell:
            if (m_dwellTimer.IsElapsed())
                m_state = Flee;
            else if (!m_fired)
            {
                if (const std::shared_ptr<Weapon> weapon = GetWeapon())
                {
                    const StateMachineBase& machine = *GetStateMachine();
                    weapon->Fire(machine.GetPosition(), machine.GetRotation());
                }
                m_fired = true;
            }
            break;
        case Flee:
            FlyToward(m_fleePoint, GetMovementSpeed(), m_helicopterMode);
            break;
        }
    }
}
