// The player's ship as the collision pass of the GameObjectManager sees it.
// PlayerShip derives from it.
//
// What the collision pass calls, per frame and ship:
//   - GetBoundary, for the grid cells (once per frame) and once per pair loop
//     of every cell the ship lies in;
//   - ApplyDamage with the damage of a hostile shot that met the body; the
//     shot explodes when the answer is Damaged or Destroyed, and flies on
//     otherwise;
//   - ApplyDamage(1) when the ship rams an air enemy, whose answer is not looked
//     at;
//   - Upgrade, through CollidingPickup::HandOver, with the item of a pick-up the
//     body touches.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/GameObject.hpp"

#include <cstdint>

namespace Kestrum
{
    class Sellable;

    class CollidingShip : public GameObject
    {
    public:
        virtual stable_ptr<const CircleList> GetBoundary() const = 0;
        virtual DamageEffect ApplyDamage(std::uint32_t amount) = 0;
        // Takes a picked-up item.
        virtual void Upgrade(const stable_ptr<Sellable>& item) = 0;

    protected:
        CollidingShip() : GameObject(LayerPlayer) {}
    };
}
