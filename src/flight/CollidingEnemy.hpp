// An enemy as the collision pass of the GameObjectManager sees it. Enemy, the
// base of flying enemies, turrets and bosses, derives from it. Its layer decides
// its kind: LayerGround (0) makes a ground enemy, which only the player's shots
// hit; any other layer an air enemy, which the ship can also ram.
//
// What the collision pass calls, per frame:
//   - GetBoundary, for the grid cells the enemy lies in (once per frame) and for
//     the pair tests of each cell it shares with shots or the ship;
//   - ApplyDamage with a hitting shot's damage, or 1 when the ship rams it;
//   - GetScorePoints after a hit that answered Destroyed: the points go to the
//     ScoreSystem and the kill to the current mission statistic.
// Expiry is not asked before ramming: an enemy shot down earlier in the frame
// still rams the ship.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/GameObject.hpp"

#include <cstdint>

namespace Kestrum
{
    class CollidingEnemy : public GameObject
    {
    public:
        // The collision body; the pass reads its bounding circle for the grid.
        virtual stable_ptr<const CircleList> GetBoundary() const = 0;
        virtual DamageEffect ApplyDamage(std::uint32_t amount) = 0;
        // Added to the score when a hit destroys the enemy.
        virtual std::uint32_t GetScorePoints() const = 0;

    protected:
        explicit CollidingEnemy(ObjectLayer layer) : GameObject(layer) {}
    };
}
