// Makes equipment of every category from its item identifier, through the
// factory of the category, and lists everything that can be offered: the
// player's weapons, the shields and the hulls.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"

#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class Sellable;

    class EquipmentFactory
    {
    public:
        EquipmentFactory();
        virtual ~EquipmentFactory();
        EquipmentFactory(const EquipmentFactory&) = delete;
        EquipmentFactory& operator=(const EquipmentFactory&) = delete;

        // Collects the identifiers of the weapon, shield and hull factories, which
        // must be registered and loaded before; a second call is a LogicError.
        void Load();
        std::set<std::string> GetEquipmentTypes() const;

        // A new item of the identifier. Bombs, engines and gadgets have no items:
        // LogicError "unknown equipment category found (<value>)". Only the
        // player's weapons can be made.
        stable_ptr<Sellable> Create(const std::string& id) const;

        // Whether the identifier names an item the player can own: one of the
        // player's weapons, a shield or a hull that the factories know. Enemy
        // weapons, bombs, engines, gadgets and numbers without a definition
        // are not.
        bool CanBeOwned(const std::string& id) const;

    private:
        std::unique_ptr<std::set<std::string>> m_types;
    };

    // Whether items of the category can be made: weapons, shields and hulls.
    bool CanBeMade(Categories::Equipment category);
}
