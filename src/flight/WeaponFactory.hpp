// Lists the player's weapons for the shop and makes weapons of both sides by
// number. Each weapon's definition is read once per side, the first time it is
// asked for; every weapon handed out is a copy of that prototype with reload
// timers of its own.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class Weapon;

    class WeaponFactory
    {
    public:
        WeaponFactory();
        virtual ~WeaponFactory();
        WeaponFactory(const WeaponFactory&) = delete;
        WeaponFactory& operator=(const WeaponFactory&) = delete;

        // Collects the identifiers ("wpnNNN") of the player's weapons, the folders
        // numbered below "500"; a second call: LogicError "redundant loading of WeaponFactory".
        void Load();
        std::set<std::string> GetWeaponTypes() const;

        // A weapon from a weapon identifier ("wpn007") or its bare number ("007").
        // Before Load: LogicError "forgot to call WeaponFactory::Load()?"; an
        // identifier of another category: ParseError id + " is not of type wpn".
        stable_ptr<Weapon> CreatePlayerWeapon(const std::string& name);
        stable_ptr<Weapon> CreateEnemyWeapon(const std::string& name);

    private:
        struct Data;
        stable_ptr<Weapon> Create(const std::string& name, bool hostile);

        std::unique_ptr<Data> m_data;
    };
}
