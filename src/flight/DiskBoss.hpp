// The air boss: a spinning armoured disk that flies in, roams the upper part
// of the play field and fires from the four gun slots on its rim (its conduct:
// flight/DiskBossBehaviour.hpp). It casts a shadow, trails smoke and drones
// while it lives, and explodes when its hit points are gone. The flight
// screen shows what is left of it on the boss gauge.
//
// Its folder "$resources|enemies|airbosss|001" holds "details.xml" and the
// body "ingame.statemachine".
#pragma once

#include "flight/Enemy.hpp"
#include "flight/InterfaceBoss.hpp"

#include <memory>

namespace Kestrum
{
    class DiskBossBehaviour;

    class DiskBoss : public Enemy, public InterfaceBoss
    {
    public:
        // A new disk boss, not yet placed (its spawn resets it). Fails with the
        // errors of the body's file, of "details.xml" (XmlError for what the
        // XML reader refuses) and of DiskBossBehaviour::Load.
        static stable_ptr<DiskBoss> Create();
        ~DiskBoss() override;

        // The behaviour's step; the shadow joins the level at the first update
        // and is removed with the boss.
        void OnUpdate() override;
        std::uint32_t GetScorePoints() const override;
        stable_ptr<const CircleList> GetBoundary() const override;
        DamageEffect ApplyDamage(std::uint32_t amount) override;
        void DrawBody() override;
        // The boundary circles, then the muzzles of the open slots.
        void DrawDebugInformation() override;
        sf::Vector2f GetPosition() const override;
        float GetHealthRatio() const override;

        const DiskBossBehaviour& GetBehaviour() const;

    private:
        struct Data;
        explicit DiskBoss(const stable_ptr<DiskBossBehaviour>& behaviour);

        std::unique_ptr<Data> m_data;
    };
}
