#include "presentation/GameObject.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    namespace
    {
        std::uint64_t NextSerial()
        {
            static std::uint64_t counter = 0;
            return ++counter;
        }
    }

    DamageEffect TakeHitPoints(std::uint32_t& hitPoints, std::uint32_t amount)
    {
        if (hitPoints == 0)
            return AlreadyDestroyed;
        if (amount == 0)
            return NoDamage;
        if (hitPoints <= amount)
        {
            hitPoints = 0;
            return Destroyed;
        }
        hitPoints -= amount;
        return Damaged;
    }

    GameObject::GameObject(ObjectLayer layer) : m_layer(layer), m_serial(NextSerial()) {}
    GameObject::~GameObject() = default;

    EdgeRect GetFlightArea(unsigned width, unsigned height)
    {
        // The field of the reference layout (1024 wide) begins 204 pixels from
        // its left edge less half the field's overhang; wider windows add half
        // their extra width. Every step is single precision.
        const float referenceWidth = 1024.f;
        const float fieldWidth = 832.f;
        EdgeRect area;
        area.left = (static_cast<float>(width) - referenceWidth) * 0.5f + 204.f -
                    0.5f * (fieldWidth - (referenceWidth - 204.f));
        area.top = 0.f;
        area.right = area.left + fieldWidth;
        area.bottom = static_cast<float>(height);
        return area;
    }

    EdgeRect GetFlightArea()
    {
        const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        return GetFlightArea(mode.width, mode.height);
    }
}
