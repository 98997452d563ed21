#include "flight/Hull.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "flight/EquipmentSlot.hpp"
#include "presentation/ResourceManager.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    Hull::Hull(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
               const std::string& actionPath, unsigned long strength, const Slots& slots, unsigned long price)
        : Sellable(icon, name, id, Categories::Hull),
          m_actionPath(actionPath),
          m_strength(strength),
          m_slots(slots),
          m_price(price)
    {
    }

    Hull::Hull(const Hull& other)
        : Sellable(other), m_actionPath(other.m_actionPath), m_strength(other.m_strength), m_price(other.m_price)
    {
        for (const std::shared_ptr<EquipmentSlot>& slot : other.m_slots)
        {
            std::shared_ptr<EquipmentSlot> copy = EquipmentSlot::Create(slot->GetOffset(), slot->GetCategory());
            if (const std::shared_ptr<Sellable> item = slot->GetEquipment())
                copy->SetEquipment(item->Clone());
            m_slots.push_back(copy);
        }
    }

    Hull::~Hull() = default;

    Hull::Slots Hull::GetSlots(Categories::Equipment category) const
    {
        if (category == Categories::Hull)
            BOOST_THROW_EXCEPTION(LogicError("there can not be a slot for a hull in a hull itself"));
        Slots slots;
        for (const std::shared_ptr<EquipmentSlot>& slot : m_slots)
            if (slot->GetCategory() == category)
                slots.push_back(slot);
        return slots;
    }

    const Hull::Slots& Hull::GetAllSlots() const
    {
        return m_slots;
    }

    sf::Sprite Hull::GetOverviewIcon() const
    {
        const std::string path = JoinResourcePath(GetParentResourcePath(m_actionPath), "overview.png");
        return *GetFromRegistry<ResourceManager>()->CreateSprite(path, true);
    }

    unsigned long Hull::GetStrength() const
    {
        return m_strength;
    }

    const std::string& Hull::GetActionPath() const
    {
        return m_actionPath;
    }

    stable_ptr<Sellable> Hull::Clone() const
    {
        return stable_ptr<Sellable>(new Hull(*this));
    }

    std::optional<std::string> Hull::GetDetails(unsigned index) const
    {
        if (index == 0)
            return (boost::format("Strength: %1%") % m_strength).str();
        return std::nullopt;
    }

    std::size_t Hull::GetIncrementCount() const
    {
        return 1;
    }

    std::size_t Hull::GetActiveIncrement() const
    {
        return 0;
    }

    void Hull::SetActiveIncrement(std::size_t index)
    {
        if (index != 0)
            BOOST_THROW_EXCEPTION(NotSupportedError("no increments supported yet"));
    }

    std::vector<unsigned long> Hull::GetPrices() const
    {
        return std::vector<unsigned long>(1, m_price);
    }

    void Hull::Reset()
    {
        m_slots.clear();
    }
}
