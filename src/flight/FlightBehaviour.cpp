#include "flight/FlightBehaviour.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/Scaling.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/EdgeRect.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    namespace
    {
        const float nowhere = -1000000.f;
    }

    struct FlightBehaviour::Data
    {
        float movementSpeed = 0.f;  // pixels per second
        float rotationSpeed = 0.f;  // degrees per second
        std::uint32_t initialHitPoints = 0;
        EdgeRect lifeArea{nowhere, nowhere, nowhere, nowhere};
        bool exploding = false;
        std::shared_ptr<Weapon> weapon;
        bool entered = false;
        std::uint32_t hitPoints = 0;
        bool finished = false;

        void Restart()
        {
            hitPoints = initialHitPoints;
            exploding = entered = finished = false;
            lifeArea = EdgeRect{nowhere, nowhere, nowhere, nowhere};
            if (weapon)
                weapon->Reset();
        }
    };

    FlightBehaviour::FlightBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : Behaviour(stateMachine), m_data(new Data)
    {
    }

    FlightBehaviour::~FlightBehaviour() = default;

    void FlightBehaviour::Load(const pugi::xml_node& element)
    {
        AssertElementName(element, "flying_enemy");
        m_data->initialHitPoints = GetChildValue<unsigned long>(element, "hit_points");
        m_data->rotationSpeed = GetChildValue<float>(element, "rotation_speed");
        m_data->movementSpeed = ScaleByWindowHeight(GetChildValue<float>(element, "movement_speed"));
        if (element.child("weapon"))
        {
            const stable_ptr<Weapon> weapon =
                GetFromRegistry<WeaponFactory>()->CreateEnemyWeapon(GetChildValue<std::string>(element, "weapon"));
            weapon->SetReloadGated(false);
            m_data->weapon = weapon.get_shared();
        }
        m_data->Restart();
    }

    void FlightBehaviour::Reset(const sf::Vector2f& position)
    {
        StateMachineBase& machine = *GetStateMachine();
        if (!machine.HasTransition("explode"))
            BOOST_THROW_EXCEPTION(LoadError("transition 'explode' not found"));
        const float reach = 1.5f * machine.GetBoundary()->GetBoundingCircle().radius;
        Behaviour::Reset(position);
        m_data->Restart();
        const EdgeRect field = GetFlightArea();
        m_data->lifeArea = EdgeRect{field.left - reach, field.top - reach, field.right + reach, field.bottom + reach};
    }

    void FlightBehaviour::OnUpdate()
    {
        Data& data = *m_data;
        if (data.exploding)
            return;
        StateMachineBase& machine = *GetStateMachine();
        if (!data.finished)
        {
            if (data.hitPoints == 0)
                data.finished = true;
            else
            {
                const bool inside = data.lifeArea.Contains(machine.GetPosition());
                if (data.entered && !inside)
                    data.finished = true;
                else if (!data.entered)
                    data.entered = inside;
            }
        }
        if (data.finished)
        {
            if (!machine.Execute("explode"))
                *Log(LogLevel::error) << "could not start transition 'explode'";
            data.exploding = true;
        }
        machine.OnUpdate();
    }

    bool FlightBehaviour::IsFinished() const
    {
        return m_data->finished;
    }

    bool FlightBehaviour::IsExploding() const
    {
        return m_data->exploding;
    }

    DamageEffect FlightBehaviour::ApplyDamage(std::uint32_t amount)
    {
        return TakeHitPoints(m_data->hitPoints, amount);
    }

    std::shared_ptr<Weapon> FlightBehaviour::GetWeapon() const
    {
        return m_data->weapon;
    }

    float FlightBehaviour::GetMovementSpeed() const
    {
        return m_data->movementSpeed;
    }

    float FlightBehaviour::GetRotationSpeed() const
    {
        return m_data->rotationSpeed;
    }

    bool FlightBehaviour::FlyToward(const sf::Vector2f& target, float movementSpeed, bool helicopterMode)
    {
        StateMachineBase& machine = *GetStateMachine();
        sf::Vector2f position = machine.GetPosition();
        float rotation = machine.GetRotation();
        const bool arrived = MoveAndTurn(target, position, rotation, movementSpeed, m_data->rotationSpeed, helicopterMode);
        machine.SetPosition(position.x, position.y);
        machine.SetRotation(rotation);
        return arrived;
    }
}
