// The ground boss: a tank that drives up to the middle of the play field, a
// quarter of its height from the top, aims its turret at the ship and fires
// five guns at once (first phase, 900 hit points). When that phase is shot
// down the turret blows off and the tank opens into a wide machine whose two
// side turrets keep turning and fire eight-gun salvos, the sides taking turns
// (second phase, 1100 hit points). Only the end of the second phase pays its
// 200000 points. The flight screen shows what is left of both phases on the
// boss gauge.
//
// Its folder "resources|enemies|groundbosss|000" holds the phases' bodies:
//   phase1.statemachine  parts "turret", "body", "body|body", "body|left_track",
//                        "body|right_track"; transition "turret|phase_end";
//                        sockets "turret|gun0" to "turret|gun4"
//   phase2.statemachine  parts "left_part", "right_part", "center_part", and
//                        "body", "track" and "turret" in each side part;
//                        transitions "extend", "phase_end", "right_part|explode",
//                        "center_part|explode", "left_part|explode",
//                        "right_part|turret|explode", "left_part|turret|explode";
//                        sockets "left_part|turret|muzzle0" to "muzzle7", the
//                        same of "right_part"; it signals "extension_finished"
//                        when "extend" is over and "kill_me" when "phase_end" is
//                        over
// The tank is turned to 90: its front (+x in the files) faces down the screen.
#pragma once

#include "flight/Enemy.hpp"
#include "flight/InterfaceBoss.hpp"

namespace Kestrum
{
    class TankBossBehaviour;

    class TankBoss : public Enemy, public InterfaceBoss
    {
    public:
        // A new tank boss, not yet placed (its spawn resets it). Fails with the
        // errors of the bodies' files, ResourceMissingError (without message)
        // for a missing part, transition or socket, and the weapon factory's
        // errors.
        static stable_ptr<TankBoss> Create();
        ~TankBoss() override;

        std::uint32_t GetScorePoints() const override;
        // The running phase's; an empty body once both phases are over.
        stable_ptr<const CircleList> GetBoundary() const override;
        // While the first phase runs: Damaged for any hit but one of 0, which
        // does nothing; then the second phase's answer.
        DamageEffect ApplyDamage(std::uint32_t amount) override;
        void DrawBody() override;
        void DrawDebugInformation() override;
        // The running phase's position; (0, 0) once both are over.
        sf::Vector2f GetPosition() const override;
        // The hit points of the phases still to be beaten over those of both.
        float GetHealthRatio() const override;

    private:
        explicit TankBoss(const stable_ptr<TankBossBehaviour>& behaviour);

        stable_ptr<TankBossBehaviour> m_behaviour;
        std::uint32_t m_scorePoints;
    };
}
