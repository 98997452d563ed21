#include "flight/Turret.hpp"

#include "flight/EnemyFixture.hpp"
#include "flight/ShotBase.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ParticleSystem.hpp"
#include "support/ThrownMessage.hpp"

#include <fstream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class TurretTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        // Turret 009: turret 000 with other values; negative waits are over at once.
        stable_ptr<Turret> MakeTurret(unsigned volleySize)
        {
            CopyEnemy("turrets/000", "turrets/009");
            root.WriteFile("resources/enemies/turrets/009/details.xml",
                           "<turret version='1'><score_points>50</score_points><hit_points>3</hit_points>"
                           "<blind_radius>100</blind_radius><reload_time>-1</reload_time><volley_size>" +
                               std::to_string(volleySize) +
                               "</volley_size><idle_time>-1</idle_time><weapon>501</weapon></turret>");
            return Turret::Create("$resources|enemies|turrets|009");
        }

        std::size_t CountShots() const { return objects->GetObjects<ShotBase>().size(); }
    };
}

TEST_F(TurretTest, FiresVolleysAtTheShipOutsideItsBlindRadius)
{
    const stable_ptr<Turret> turret = MakeTurret(2);
    turret->Reset({500.f, 300.f});
    // Exactly on the blind radius counts as outside.
    PlacePlayer({560.f, 380.f});
    turret->OnUpdate();
    ASSERT_EQ(1u, CountShots());
    const stable_ptr<ShotBase> shot = *objects->GetObjects<ShotBase>().begin();
    EXPECT_NEAR(GetAngle(sf::Vector2f(60.f, 80.f)), GetAngle(shot->GetVelocity()), 0.5f);
    turret->OnUpdate();
    turret->OnUpdate();
    EXPECT_EQ(3u, CountShots());

    // Inside it, the rest of the volley is dropped.
    PlacePlayer({560.f, 379.9f});
    for (int i = 0; i < 4; ++i)
        turret->OnUpdate();
    EXPECT_EQ(3u, CountShots());
    EXPECT_FALSE(turret->IsExpired());

    // A volley of no shots never fires.
    const stable_ptr<Turret> silent = MakeTurret(0);
    silent->Reset({500.f, 300.f});
    PlacePlayer({500.f, 700.f});
    for (int i = 0; i < 5; ++i)
        silent->OnUpdate();
    EXPECT_EQ(3u, CountShots());
}

TEST_F(TurretTest, ExplodesOnceWhenDestroyedOrBelowItsLine)
{
    PlacePlayer({500.f, 700.f});
    const stable_ptr<Turret> turret = MakeTurret(0);
    const float line = 768.f + 2.f * turret->GetBoundary()->GetBoundingCircle().radius;
    turret->Reset({500.f, line});
    turret->OnUpdate();
    EXPECT_FALSE(turret->IsExpired());
    turret->Reset({500.f, line + 1.f});
    turret->OnUpdate();
    EXPECT_TRUE(turret->IsExpired());
    EXPECT_EQ(1u, objects->GetObjects<ParticleSystem>().size());

    turret->Reset({500.f, 300.f});
    EXPECT_EQ(NoDamage, turret->ApplyDamage(0));
    EXPECT_EQ(Damaged, turret->ApplyDamage(2));
    EXPECT_EQ(Destroyed, turret->ApplyDamage(1));
    EXPECT_EQ(AlreadyDestroyed, turret->ApplyDamage(1));
    turret->OnUpdate();
    EXPECT_TRUE(turret->IsExpired());
    turret->OnUpdate();
    turret->OnUpdate();
    EXPECT_EQ(2u, objects->GetObjects<ParticleSystem>().size());
    EXPECT_EQ(50u, turret->GetScorePoints());
}

TEST_F(TurretTest, RefusesAMachineWithoutItsParts)
{
    MakeTurret(1);
    std::string machine;
    {
        std::ifstream file(root.GetPath() / "resources/enemies/turrets/009/ingame.statemachine");
        machine.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const std::string head = "name=\"head\"";
    machine.replace(machine.find(head), head.size(), "name=\"top\"");
    root.WriteFile("resources/enemies/turrets/009/ingame.statemachine", machine);
    EXPECT_EQ("resources/enemies/turrets/009/details.xml: part 'head' not found in $resources|enemies|turrets|009",
              ThrownMessage<LoadError>([] { Turret::Create("$resources|enemies|turrets|009"); }));
}
