// A pick-up: one piece of equipment that a destroyed enemy drops. It drifts
// down the screen showing the item's in-game animation until the player's ship
// touches it, which hands the item over, or until it has left the play field.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/CollidingPickup.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class Sellable;

    class Upgrade : public CollidingPickup
    {
    public:
        // A pick-up carrying the item, at (0, 0) until its enemy drops it.
        static stable_ptr<Upgrade> Create(const stable_ptr<Sellable>& item);
        ~Upgrade() override;

        const sf::Vector2f& GetPosition() const;
        void SetPosition(const sf::Vector2f& position);

        // Hands the item over once; a second call: RuntimeError "equipment already taken".
        stable_ptr<Sellable> TakeEquipment();

        // Falls 0.125 window heights per second of game time.
        void OnUpdate() override;
        void Draw() override;
        // Taken, or no longer strictly overlapping the play field with its square
        // of side 60.
        bool IsExpired() const override;

        // Radius 30 around the position.
        Circle GetPickupCircle() const override;
        void HandOver(CollidingShip& ship) override;

    private:
        explicit Upgrade(const stable_ptr<Sellable>& item);

        std::shared_ptr<Sellable> m_item;
        float m_speed;
        Circle m_circle;
    };
}
