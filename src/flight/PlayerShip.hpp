// The player's aircraft in a flight, built on a hull whose slots carry its
// weapons and its shield. It has no hit-point pool: a hit destroys it unless
// its shield is up (which takes the hit and makes the ship invincible for a
// while) or it is still invincible from the last absorbed hit.
//
// Its look and motion come from the state machine
// "resources|equipment|hulls|000|ingame.statemachine" (the same for every hull),
// which must offer the transitions turn_left, turn_right, turn_straight and
// explode. A frame of flight:
//
//     ship->Fire();                       // the flight screen, on "fire"
//     ship->Move({-0.7071f, -0.7071f});   // the frame's steering, length at most 1
//     objects->Update();                  // OnUpdate turns the body with the steering
//     objects->Draw();                    // shield disc, then the body
//
// Its owner (the inventory, or the arcade run) makes it, calls Initialize
// once, and Reset at every mission's start before adding it to the
// GameObjectManager; the manager drops it once it has exploded and a later
// Reset brings it back.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/CollidingShip.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

namespace Kestrum
{
    class Hull;
    class Sellable;
    class Shield;
    class Weapon;

    class PlayerShip : public CollidingShip
    {
    public:
        // A ship on the hull, not ready to fly before Initialize.
        explicit PlayerShip(const std::shared_ptr<Hull>& hull);
        ~PlayerShip() override;

        // Loads the body (a missing transition: LogicError "transition turn_left
        // is missing" and the like, before anything changes), turns it nose up,
        // takes the speed of 0.6 window heights per second and fits shield "000"
        // into the hull's shield slot, replacing what it held; a hull with more
        // than one shield slot: LogicError "more than one shield available".
        // A second call starts over.
        void Initialize();

        // Everything from here to IsExpired but the equipment queries needs
        // Initialize first, else LogicError "forgot to call Load()?".

        // A fresh flight at the position: alive, nose up, the body in its first
        // state, every item of the hull made ready, a new shadow to be added to
        // the level at the next update.
        void Reset(const sf::Vector2f& position);
        // One frame of steering: moves by the direction times the speed and the
        // frame's game time, then keeps the ship 50 pixels inside the play
        // field. A direction with x below or above 0 leans the body left or
        // right at the next update. The caller keeps the length at most 1.
        void Move(const sf::Vector2f& direction);
        // Fires every weapon upwards from the ship's position.
        void Fire();
        // Bombs do not exist yet: logs a warning and does nothing.
        void ThrowBomb();
        // Takes a picked-up item into the hull's first slot of its category: an
        // empty slot or one holding another item takes it; the same item goes
        // one level up, or adds 10000 to the score when it is at its highest.
        // A hull without slots of the category drops it (logged).
        void Upgrade(const stable_ptr<Sellable>& item) override;
        // One hit, whatever its amount: NoDamage while invincible, Damaged when
        // the shield takes it, Destroyed (AlreadyDestroyed without a shield when
        // the ship was destroyed before).
        DamageEffect ApplyDamage(std::uint32_t amount) override;
        // 1 while alive, 0 once destroyed.
        std::uint32_t GetHitPoints() const;
        sf::Vector2f GetPosition() const;
        stable_ptr<const CircleList> GetBoundary() const override;

        // The item of the hull's shield slot; empty without a slot or an item.
        // More than one shield slot: LogicError "more than one shield available";
        // an item that is no shield: LogicError "no shield in slot, it's a " +
        // its category.
        std::shared_ptr<Shield> GetShield() const;
        // The items of the weapon slots in slot order, empty slots skipped.
        std::vector<std::shared_ptr<Weapon>> GetWeapons() const;
        // The items of all slots.
        std::set<stable_ptr<Sellable>> GetEquipment() const;
        const std::shared_ptr<Hull>& GetHull() const;

        // Leans or straightens the body as steered in this frame (or explodes it
        // once destroyed), plays it and looks after the shadow.
        void OnUpdate() override;
        // The shield disc while the shield is up, then the body, blinking while
        // the ship is invincible.
        void Draw() override;
        // True before Initialize and from the update after the destroying hit.
        bool IsExpired() const override;

    private:
        struct Data;
        Data& GetData() const;

        std::shared_ptr<Hull> m_hull;
        std::unique_ptr<Data> m_data;
    };

    // The alpha of the invincible ship with `remaining` seconds of invincibility
    // left: it pulses twice a second between 31 and 255 and is 255 when the
    // invincibility runs out.
    std::uint8_t GetInvincibilityAlpha(float remaining);
}
