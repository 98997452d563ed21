// A shot as the collision pass of the GameObjectManager sees it. ShotBase, the
// base of the shots of both sides, derives from it; the manager sorts a shot
// into its enemy-shot or player-shot list by IsHostile when it is added, so the
// answer must not change during a shot's stay in the level.
//
// What the collision pass calls, per frame:
//   - GetBoundary once, to find the grid cells the shot passes;
//   - for a shot that is not expired: Collides with the body of a ship or an
//     enemy in the same cell, and GetDamage;
//   - after a hit that counted (Damaged or Destroyed): Explode, then Deactivate.
//     A deactivated shot must report itself expired from then on, so that it
//     takes part in no further test.
#pragma once

#include "presentation/CircleList.hpp"
#include "presentation/GameObject.hpp"

#include <cstdint>

namespace Kestrum
{
    class CollidingShot : public GameObject
    {
    public:
        // True for the shots of enemies, turrets and bosses (they hurt the
        // player's ship); false for the player's own shots.
        virtual bool IsHostile() const = 0;
        // The rectangle the shot swept in its last move.
        virtual EdgeRect GetBoundary() const = 0;
        // Whether the shot, on its way through the last move, met the body.
        virtual bool Collides(const CircleList& body) const = 0;
        // Handed to whatever the shot hits; a hostile shot of damage 0 never
        // touches the ship.
        virtual std::uint32_t GetDamage() const = 0;
        // The impact effect.
        virtual void Explode() = 0;
        // Ends the shot's flight: it is expired from then on.
        virtual void Deactivate() = 0;

    protected:
        explicit CollidingShot(ObjectLayer layer) : GameObject(layer) {}
    };
}
