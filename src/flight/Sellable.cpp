#include "flight/Sellable.hpp"

#include "core/Exception.hpp"
#include "flight/EquipmentIcon.hpp"

namespace Kestrum
{
    Sellable::Sellable(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
                       Categories::Equipment category)
        : m_icon(icon), m_name(name), m_id(id), m_category(category)
    {
    }

    Sellable::Sellable(const Sellable& other)
        : m_icon(other.m_icon->Clone()), m_name(other.m_name), m_id(other.m_id), m_category(other.m_category)
    {
    }

    Sellable::~Sellable() = default;

    std::optional<std::string> Sellable::GetDetails(unsigned) const
    {
        return std::nullopt;
    }

    unsigned long Sellable::GetPrice() const
    {
        const std::vector<unsigned long> prices = GetPrices();
        const std::size_t active = GetActiveIncrement();
        if (active >= prices.size())
            BOOST_THROW_EXCEPTION(LogicError("active increment " + std::to_string(active) + " has no price"));
        return prices[active];
    }
}
