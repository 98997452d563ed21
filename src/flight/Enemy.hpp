// The common base of everything hostile in a flight: flying enemies, turrets
// and the bosses. An enemy delegates its conduct to its behaviour; it takes
// hits, pays its score points when a hit destroys it, drops the pick-ups it
// carries where it ends, and counts for the mission when it must be killed to
// win.
//
// Its spawn makes it ahead of time, then at each appearance resets it at the
// spawn position and hands it the pick-ups it carries. The pick-ups drop at the
// first update in which the behaviour is finished, whether the enemy was shot
// down or flew off, once per spawn.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/CollidingEnemy.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class InterfaceBehaviour;
    class Upgrade;

    class Enemy : public CollidingEnemy
    {
    public:
        // A kill-to-win enemy reports its departure to the mission progress here.
        ~Enemy() override;

        // The behaviour's update; then, once it is finished, the carried pick-ups
        // drop at the enemy's position.
        void OnUpdate() override;
        // The body, and the boundary circles while debugging.
        void Draw() override;
        // The behaviour is finished.
        bool IsExpired() const override;

        // Places and restarts the enemy; pick-ups still carried from an earlier
        // spawn are discarded.
        virtual void Reset(const sf::Vector2f& position);
        virtual void DrawBody() = 0;
        // The boundary circles in red.
        virtual void DrawDebugInformation();
        virtual sf::Vector2f GetPosition() const = 0;

        // True: the enemy holds the registered MissionProgress and counts once
        // when it is destroyed; false lets go of it.
        void SetKillToWin(bool killToWin);
        void AddUpgrade(const stable_ptr<Upgrade>& pickup);
        void SetDebug(bool debug);

    protected:
        Enemy(ObjectLayer layer, const stable_ptr<InterfaceBehaviour>& behaviour);

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
