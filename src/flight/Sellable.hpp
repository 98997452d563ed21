// The base of every piece of equipment the player can buy, keep and fit into a
// ship: weapons, shields and hulls. It carries what every item has (its icon,
// its display name, its identifier and its category) and the operations through
// which the shop, the inventory and the ship treat items alike.
//
// The identifier is the full item identifier in every category ("wpn000",
// "shd000", "hll000"): save files, mission keys and the shop compare items by it,
// and equal identifiers mean the same item.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace Kestrum
{
    class EquipmentIcon;

    class Sellable
    {
    public:
        Sellable(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
                 Categories::Equipment category);
        virtual ~Sellable();
        Sellable& operator=(const Sellable&) = delete;

        // A new, independent copy: its own icon, the same name, identifier,
        // category and item data.
        virtual stable_ptr<Sellable> Clone() const = 0;
        // Detail line `index` for the shop and equipment screens; callers ask for
        // 0, 1, 2, ... until the first empty answer. The base has none.
        virtual std::optional<std::string> GetDetails(unsigned index) const;
        virtual std::size_t GetIncrementCount() const = 0;
        virtual std::size_t GetActiveIncrement() const = 0;
        virtual void SetActiveIncrement(std::size_t index) = 0;
        // The price of every increment, in increment order.
        virtual std::vector<unsigned long> GetPrices() const = 0;
        // Back to the run-time state of the item's start (called when a ship is reset).
        virtual void Reset() = 0;

        // The price of the active increment.
        unsigned long GetPrice() const;

        const stable_ptr<EquipmentIcon>& GetIcon() const { return m_icon; }
        const std::string& GetName() const { return m_name; }
        const std::string& GetID() const { return m_id; }
        Categories::Equipment GetCategory() const { return m_category; }

    protected:
        // Copies name, identifier and category; the copy gets a clone of the icon,
        // so that two copies never share animation state.
        Sellable(const Sellable& other);

    private:
        stable_ptr<EquipmentIcon> m_icon;
        std::string m_name;
        std::string m_id;
        Categories::Equipment m_category;
    };
}
