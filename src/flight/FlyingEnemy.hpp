// An airship: a state machine steered by one of the four flight behaviours,
// built from a folder holding "details.xml" and "ingame.statemachine". The
// details name the behaviour and its values:
//
//     <flying_enemy version="1" type="dive_bomber">   or kamikaze, visit_and_flee, straight_flight
//         <score_points>150</score_points>
//         ... the behaviour's children (see the behaviours)
//     </flying_enemy>
//
// The machine must offer the transition "explode"; the enemy leaves the level
// in the frame after it explodes, so the explosion is what that transition
// sets off at once. The enemy casts a shadow, which joins the level one update
// after each spawn.
#pragma once

#include "flight/Enemy.hpp"

#include <string>

namespace Kestrum
{
    class FlightBehaviour;
    class Shadow;

    class FlyingEnemy : public Enemy
    {
    public:
        // A new enemy from the resource folder, not yet placed.
        static stable_ptr<FlyingEnemy> Create(const std::string& folder);
        ~FlyingEnemy() override;

        void OnUpdate() override;
        std::uint32_t GetScorePoints() const override;
        stable_ptr<const CircleList> GetBoundary() const override;
        void Reset(const sf::Vector2f& position) override;
        DamageEffect ApplyDamage(std::uint32_t amount) override;
        void DrawBody() override;
        sf::Vector2f GetPosition() const override;

        const FlightBehaviour& GetBehaviour() const { return *m_behaviour; }

    private:
        FlyingEnemy(const stable_ptr<FlightBehaviour>& behaviour, std::uint32_t scorePoints);

        stable_ptr<FlightBehaviour> m_behaviour;
        std::uint32_t m_scorePoints;
        std::shared_ptr<Shadow> m_shadow;
        bool m_shadowAdded;
    };
}
