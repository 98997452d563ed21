// A weapon: equipment that the player's ship carries in a weapon slot, and that
// every shooting enemy, turret and boss carries too. It has one or more
// increments (upgrade levels); each has a price, a firing frequency and its
// muzzles, and each muzzle launches one shot per volley. Weapons numbered below
// "500" are the player's, from "500" on the enemies'.
#pragma once

#include "core/Timer.hpp"
#include "flight/Sellable.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    // One shot per volley.
    struct Muzzle
    {
        float orientation;      // degrees added to the firing angle
        sf::Vector2f position;  // from the firing position; +x along the firing angle, +y to its right
        float speed;            // pixels per second
        unsigned long ammunition;  // the shot type
        unsigned long damage;
    };

    // One upgrade level of a weapon.
    struct Increment
    {
        unsigned long price;
        Timer reload;  // of 1 / frequency seconds
        std::vector<Muzzle> muzzles;
        // While false, the increment fires on every call, whatever its timer shows.
        bool reloadGated;
    };

    class Weapon : public Sellable
    {
    public:
        // Loads the weapon of the three-digit number from
        // "resources|equipment|weapons|<number>|details.xml" and prepares a shot of
        // every type it fires, so that firing never reads a file.
        static stable_ptr<Weapon> Create(const std::string& number, bool hostile);

        ~Weapon() override;

        // Fires a volley of the active increment from the position in the
        // direction (degrees: 0 along +x, 90 down, -90 up) when its reload time
        // has passed. Nothing leaves while the game is paused or from a position
        // outside the play field.
        void Fire(const sf::Vector2f& position, float angle);
        // With false, the active increment fires on every call and its owner's
        // own timing paces the volleys.
        void SetReloadGated(bool gated);
        bool IsHostile() const;

        // The summed damage of the muzzles of an increment; an index out of range
        // is an OutOfRangeError.
        unsigned long GetDamage(std::size_t increment) const;
        // The mean speed of the active increment's muzzles in pixels per second
        // (0 for an increment without muzzles).
        float GetAverageShotSpeed() const;
        // The volleys per second of the active increment: the reciprocal of its
        // time between two volleys.
        float GetShotsPerSecond() const;

        // A copy with increments and reload timers of its own.
        stable_ptr<Sellable> Clone() const override;
        // 0: "Damage: ...", 1: "Shots/Second: ..." of the active increment.
        std::optional<std::string> GetDetails(unsigned index) const override;
        std::size_t GetIncrementCount() const override;
        std::size_t GetActiveIncrement() const override;
        // Index at or beyond the count: OutOfRangeError "invalid index %1% for %2% increments".
        void SetActiveIncrement(std::size_t index) override;
        std::vector<unsigned long> GetPrices() const override;
        // The active increment is ready to fire at once.
        void Reset() override;

    private:
        struct Data;
        Weapon(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
               std::unique_ptr<Data> data);
        Weapon(const Weapon& other);

        std::unique_ptr<Data> m_data;
    };

    // The increments of an "increments" element, indexed by their levels; none
    // for an element without "increment" children. Refuses a frequency of 0 or
    // below (ParseError "frequency must be positive"), two increments of one
    // level and gaps between the levels.
    std::vector<std::shared_ptr<Increment>> LoadIncrements(const pugi::xml_node& increments);
}
