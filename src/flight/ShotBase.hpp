// A shot of either side: a small game object that flies straight at a constant
// velocity, shows its action turned along its flight and carries a damage value.
// Weapons take shots from the ShotManager's pools, launch them and add them to
// the GameObjectManager; a shot leaves the level when it has hit something, has
// flown more than 100 pixels out of the window, or the flight screen is gone,
// and is then free in its pool again.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/CollidingShot.hpp"

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    class Action;

    class ShotBase : public CollidingShot
    {
    public:
        ~ShotBase() override;

        // Puts the shot into flight from the start with the velocity (pixels per second).
        void Launch(const sf::Vector2f& start, const sf::Vector2f& velocity, std::uint32_t damage);

        void OnUpdate() override;
        void Draw() override;
        bool IsExpired() const override;

        // The square around the body's bounding circle, stretched over the last move.
        EdgeRect GetBoundary() const override;
        // Whether the body, moved along the last move, met the other body.
        bool Collides(const CircleList& other) const override;
        std::uint32_t GetDamage() const override;
        // The impact: particle effect 100 at the shot's position.
        void Explode() override;
        void Deactivate() override;

        const sf::Vector2f& GetPosition() const { return m_position; }
        const sf::Vector2f& GetVelocity() const { return m_velocity; }
        const Action& GetAction() const { return *m_action; }

    protected:
        // The shot keeps the action for its whole life, across its flights.
        explicit ShotBase(const stable_ptr<Action>& action);

    private:
        sf::Vector2f m_velocity;
        sf::Vector2f m_position;
        sf::Vector2f m_previousPosition;
        std::uint32_t m_damage;
        stable_ptr<Action> m_action;
        bool m_active;
    };

    // The side is fixed by the type: Shot<0> is the player's, Shot<1> hurts the player.
    template <int Side>
    class Shot : public ShotBase
    {
    public:
        explicit Shot(const stable_ptr<Action>& action) : ShotBase(action) {}
        bool IsHostile() const override { return Side != 0; }
    };

    typedef Shot<0> PlayerShot;
    typedef Shot<1> HostileShot;
}
