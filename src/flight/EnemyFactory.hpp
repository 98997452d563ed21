// Turns an enemy type name (a class name and three digits: airship002,
// turret001) into a new enemy. The valid names come from the enemy database
// "resources|enemies|factory_database.txt", six whitespace-separated values per
// type:
//
//     type  weaponID  speed  hitPoints  reloadTime  volleyTime
//     airship005  500  0.2  3  1.0  0.5
//
// Every row is checked in full when the database loads, but an enemy is made
// only from the class and number of its type: its hit points, speeds and
// weapon come from its own folder under "resources|enemies".
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class GameObject;

    class EnemyFactory
    {
    public:
        EnemyFactory();
        virtual ~EnemyFactory();
        EnemyFactory(const EnemyFactory&) = delete;
        EnemyFactory& operator=(const EnemyFactory&) = delete;

        // Reads the database and replaces the one held before; a failure keeps
        // the old one. Row errors, checked in this order: LoadError "too few
        // values", LoadError "odd number of values" (the token count is not a
        // multiple of six), ParseError "type string is too short: <type>",
        // "type contains non-digits: <last three>", "weapon ID contains
        // non-digits: <id>", "speed is negative: <token>", "<type> has no hit
        // points", "<type> has negative reload time", "<type> has negative volley
        // time". A type given twice keeps its last row.
        void Load();

        // A new enemy of the type, not yet placed (its spawn resets it).
        // airship000, 001, 002 and 005 are flying enemies, turretNNN turrets,
        // airboss001 the disk boss and groundboss000 the tank boss; other numbers
        // of those classes are refused with their reason, another class with
        // UnknownTypeError "<type> is unknown type", a type not in the database
        // with UnknownTypeError "<type> is unknown enemy type". Every enemy reads
        // its definition anew.
        stable_ptr<GameObject> Create(const std::string& type) const;

        // Every type of the database, sorted, creatable or not.
        std::set<std::string> GetEnemyTypes() const;

    private:
        struct Database;
        std::unique_ptr<Database> m_database;
    };
}
