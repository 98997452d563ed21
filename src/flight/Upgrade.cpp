#include "flight/Upgrade.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/Scaling.hpp"
#include "flight/Sellable.hpp"
#include "presentation/Animation.hpp"

namespace Kestrum
{
    namespace
    {
        const float radius = 30.f;
    }

    stable_ptr<Upgrade> Upgrade::Create(const stable_ptr<Sellable>& item)
    {
        return stable_ptr<Upgrade>(new Upgrade(item));
    }

    Upgrade::Upgrade(const stable_ptr<Sellable>& item) : m_item(item.get_shared()), m_speed(ScaleByWindowHeight(0.125f))
    {
        m_circle.radius = radius;
    }

    Upgrade::~Upgrade() = default;

    const sf::Vector2f& Upgrade::GetPosition() const
    {
        return m_circle.offset;
    }

    void Upgrade::SetPosition(const sf::Vector2f& position)
    {
        m_circle.offset = position;
    }

    stable_ptr<Sellable> Upgrade::TakeEquipment()
    {
        if (!m_item)
            BOOST_THROW_EXCEPTION(RuntimeError("equipment already taken"));
        const stable_ptr<Sellable> item = create_stable_ptr(m_item);
        m_item.reset();
        return item;
    }

    void Upgrade::OnUpdate()
    {
        const float dt = GetFromRegistry<TimeSystem>()->GetFrameTime();
        m_circle.offset.y += m_speed * dt;
        if (m_item)
            m_item->GetIcon()->GetIngameAnimation()->OnUpdate();
    }

    void Upgrade::Draw()
    {
        if (!m_item)
            return;
        const stable_ptr<Animation> animation = m_item->GetIcon()->GetIngameAnimation();
        animation->SetPosition(m_circle.offset.x, m_circle.offset.y);
        animation->Draw();
    }

    bool Upgrade::IsExpired() const
    {
        if (!m_item)
            return true;
        return !EdgeRect::Around(m_circle.offset, radius).Intersects(GetFlightArea());
    }

    Circle Upgrade::GetPickupCircle() const
    {
        return m_circle;
    }

    void Upgrade::HandOver(CollidingShip& ship)
    {
        ship.Upgrade(TakeEquipment());
    }
}
