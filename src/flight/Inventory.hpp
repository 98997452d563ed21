// What the player owns while a game is in progress: the ships, the one of them
// selected for flying, the loose items (bought, or taken out of a ship and not
// fitted anywhere) and the money. One inventory exists at a time, in the
// Registry; the arcade run makes one of its default ship, a loaded campaign one
// of the saved ships.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"

#include <SFML/Config.hpp>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace Kestrum
{
    class PlayerShip;
    class Sellable;

    class Inventory
    {
    public:
        // The ships in their order, and the one to fly, which must be one of
        // those very objects: otherwise LogicError "selection is not in list".
        static stable_ptr<Inventory> Create(const std::vector<std::shared_ptr<PlayerShip>>& ships,
                                            const stable_ptr<PlayerShip>& selection);

        // An inventory without ships: only its money counts.
        Inventory();
        virtual ~Inventory();
        Inventory(const Inventory&) = delete;
        Inventory& operator=(const Inventory&) = delete;

        // The selected ship; an inventory without ships: LogicError "no ship selected".
        stable_ptr<PlayerShip> GetShip() const;
        // All owned ships in their order.
        std::vector<std::shared_ptr<PlayerShip>> GetShips() const;
        // Appends the ship unless that very object is held already.
        void AddShip(const stable_ptr<PlayerShip>& ship);

        // Every loose item, by category (all weapons before all shields, and so
        // on), each category in the order its items came.
        std::vector<stable_ptr<Sellable>> GetItems() const;
        // Files the item at the end of its category; the same object may be
        // filed twice.
        void AddItem(const stable_ptr<Sellable>& item);
        // Takes the first entry of that very object out of its category; an
        // item not held changes nothing.
        void RemoveItem(const stable_ptr<Sellable>& item);

        // The player's money; its users change it directly.
        sf::Uint32 money;

    private:
        std::map<Categories::Equipment, std::vector<stable_ptr<Sellable>>> m_items;
        std::optional<stable_ptr<PlayerShip>> m_selected;
        std::vector<std::shared_ptr<PlayerShip>> m_ships;
    };
}
