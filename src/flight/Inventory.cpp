#include "flight/Inventory.hpp"

#include "core/Exception.hpp"
#include "flight/PlayerShip.hpp"

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
}
