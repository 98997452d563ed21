// A point of a level that brings a game object into the flight when the scroll
// reaches it: x is the tile column across the field (0 to 25), y the tile row
// counted from the level's start. A spawn makes its objects ahead of time
// (Prepare), so that a flight reads no files, and hands out one on each
// Create, placed at the given position with the pick-ups it is to carry.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>

#include <set>
#include <string>
#include <vector>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class GameObject;

    class Spawn
    {
    public:
        Spawn(const std::vector<std::string>& upgradeIDs, unsigned x, unsigned y, const std::string& type);
        virtual ~Spawn();
        Spawn(const Spawn&) = delete;
        Spawn& operator=(const Spawn&) = delete;

        // The attributes "x", "y" and "type" (a missing or malformed one is an
        // XmlError; what was read before stays) and the texts of the "upgrade"
        // children of an optional "upgrades" child, appended in order.
        virtual void Load(const pugi::xml_node& element);
        // Appends the spawn's element to the parent: GetElementName with the
        // attributes x, y and type and an "upgrades" child, always.
        virtual pugi::xml_node Save(pugi::xml_node parent) const;
        // A new object of the spawn's type.
        virtual stable_ptr<GameObject> CreateObject() = 0;
        // Makes the objects ahead of time.
        virtual void Prepare(unsigned count);
        // How many tile rows before its own row is revealed the spawn is due.
        virtual unsigned GetLeadRows() const = 0;
        virtual std::string GetElementName() const = 0;
        virtual unsigned GetKind() const = 0;
        // Readies an object for its appearance at the position.
        virtual void Reset(GameObject& object, const sf::Vector2f& position,
                           const std::vector<std::string>& upgradeIDs) const = 0;

        // A prepared object (one made now if none is left), reset at the position.
        stable_ptr<GameObject> Create(const sf::Vector2f& position);

        std::string GetType() const { return m_type; }
        unsigned GetX() const { return m_x; }
        unsigned GetY() const { return m_y; }
        const std::vector<std::string>& GetUpgradeIDs() const { return m_upgradeIDs; }

    private:
        std::vector<std::string> m_upgradeIDs;  // equipment IDs of the pick-ups the object carries
        std::set<stable_ptr<GameObject>> m_prepared;
        unsigned m_x;
        unsigned m_y;
        std::string m_type;
    };
}
