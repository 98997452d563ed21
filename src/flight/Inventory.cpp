#include "flight/Inventory.hpp"

#include "core/Exception.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Sellable.hpp"

#include <algorithm>

namespace Kestrum
{
    stable_ptr<Inventory> Inventory::Create(const std::vector<std::shared_ptr<PlayerShip>>& ships,
                                            const stable_ptr<PlayerShip>& selection)
    {
        if (std::find(ships.begin(), ships.end(), selection.get_shared()) == ships.end())
            BOOST_THROW_EXCEPTION(LogicError("selection is not in list"));
        stable_ptr<Inventory> inventory(new Inventory());
        inventory->m_selected = selection;
        inventory->m_ships = ships;
        return inventory;
    }

    Inventory::Inventory() : money(0) {}

    Inventory::~Inventory() = default;

    stable_ptr<PlayerShip> Inventory::GetShip() const
    {
        if (!m_selected)
            BOOST_THROW_EXCEPTION(LogicError("no ship selected"));
        return *m_selected;
    }

    std::vector<std::shared_ptr<PlayerShip>> Inventory::GetShips() const
    {
        return m_ships;
    }

    void Inventory::AddShip(const stable_ptr<PlayerShip>& ship)
    {
        if (std::find(m_ships.begin(), m_ships.end(), ship.get_shared()) == m_ships.end())
            m_ships.push_back(ship.get_shared());
    }

    std::vector<stable_ptr<Sellable>> Inventory::GetItems() const
    {
        std::vector<stable_ptr<Sellable>> items;
        for (const auto& category : m_items)
            items.insert(items.end(), category.second.begin(), category.second.end());
        return items;
    }

    void Inventory::AddItem(const stable_ptr<Sellable>& item)
    {
        m_items[item->GetCategory()].push_back(item);
    }

    void Inventory::RemoveItem(const stable_ptr<Sellable>& item)
    {
        std::vector<stable_ptr<Sellable>>& items = m_items[item->GetCategory()];
        const auto found = std::find(items.begin(), items.end(), item);
        if (found != items.end())
            items.erase(found);
    }
}
