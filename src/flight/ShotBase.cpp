#include "flight/ShotBase.hpp"

#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/FlightScreen.hpp"
#include "flight/GameObjectManager.hpp"
#include "interface/ScreenManager.hpp"
#include "presentation/Action.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    namespace
    {
        // How far a shot may fly out of the window before it goes.
        const float margin = 100.f;
        // The impact effect of every shot.
        const unsigned long impactEffect = 100;

        bool IsFlightScreenCurrent(const Registry& registry)
        {
            const Screen* current = registry.Get<ScreenManager>()->GetCurrentScreen().get();
            return dynamic_cast<const FlightScreen*>(current) != nullptr;
        }
    }

    ShotBase::ShotBase(const stable_ptr<Action>& action)
        : CollidingShot(LayerShot), m_damage(0), m_action(action), m_active(true)
    {
    }

    ShotBase::~ShotBase() = default;

    void ShotBase::Launch(const sf::Vector2f& start, const sf::Vector2f& velocity, std::uint32_t damage)
    {
        m_previousPosition = m_position = start;
        m_velocity = velocity;
        m_damage = damage;
        m_active = true;
        m_action->SetPosition(start.x, start.y);
        m_action->SetRotation(GetAngle(velocity));
    }

    void ShotBase::OnUpdate()
    {
        m_previousPosition = m_position;
        const float dt = GetFromRegistry<TimeSystem>()->GetFrameTime();
        m_position += m_velocity * dt;
        m_action->OnUpdate();
        m_action->SetPosition(m_position.x, m_position.y);
        m_action->SetRotation(GetAngle(m_velocity));
    }

    void ShotBase::Draw()
    {
        m_action->Draw();
    }

    bool ShotBase::IsExpired() const
    {
        if (!m_active)
            return true;
        if (m_position.x < -margin || m_position.y < -margin)
            return true;
        const stable_ptr<Registry> registry = Registry::Instance();
        const sf::Vector2u size = registry->Get<sf::RenderWindow>()->getSize();
        if (m_position.x > float(size.x) + margin || m_position.y > float(size.y) + margin)
            return true;
        return !IsFlightScreenCurrent(*registry);
    }

    EdgeRect ShotBase::GetBoundary() const
    {
        const Circle bounding = m_action->GetBody()->GetBoundingCircle();
        const EdgeRect now = EdgeRect::Around(bounding.GetCenter(), bounding.radius);
        const sf::Vector2f back = m_previousPosition - m_position;
        const EdgeRect before{now.left + back.x, now.top + back.y, now.right + back.x, now.bottom + back.y};
        return EdgeRect{std::min(now.left, before.left), std::min(now.top, before.top),
                        std::max(now.right, before.right), std::max(now.bottom, before.bottom)};
    }

    bool ShotBase::Collides(const CircleList& other) const
    {
        // The body is tested along the way it came in the last move, the same
        // stretch GetBoundary covers, so that a shot crossing a cell border meets
        // what it passed in the cell it came from.
        return m_action->GetBody()->IntersectsSwept(m_previousPosition - m_position, other);
    }

    std::uint32_t ShotBase::GetDamage() const
    {
        return m_damage;
    }

    void ShotBase::Explode()
    {
        GetFromRegistry<GameObjectManager>()->Add(GetFromRegistry<ParticleFactory>()->Get(impactEffect, m_position));
    }

    void ShotBase::Deactivate()
    {
        m_active = false;
    }
}
