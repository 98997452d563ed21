// A pick-up as the collision pass of the GameObjectManager sees it. Upgrade
// derives from it.
//
// What the collision pass calls, per frame:
//   - GetPickupCircle, for the grid cells (the square around the circle, once
//     per frame) and for the touch test against a ship's body;
//   - IsExpired, before each touch test: an expired pick-up is never handed over;
//   - HandOver when a ship touches a pick-up that is not expired. It gives the
//     carried item to the ship (the ship's Upgrade with what TakeEquipment
//     hands out), after which the pick-up reports itself expired, so a pick-up
//     lying in several cells is collected once.
#pragma once

#include "flight/CollidingShip.hpp"
#include "presentation/Circle.hpp"
#include "presentation/GameObject.hpp"

namespace Kestrum
{
    class CollidingPickup : public GameObject
    {
    public:
        // Centre and radius in window pixels.
        virtual Circle GetPickupCircle() const = 0;
        virtual void HandOver(CollidingShip& ship) = 0;

    protected:
        CollidingPickup() : GameObject(LayerPickup) {}
    };
}
