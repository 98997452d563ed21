#include "flight/FlyingEnemy.hpp"

#include "flight/EnemyFixture.hpp"
#include "flight/EnemySpawn.hpp"
#include "flight/ShotBase.hpp"
#include "flight/Upgrade.hpp"
#include "flight/VisitAndFleeBehaviour.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/SoundEmitter.hpp"
#include "presentation/StateMachineBase.hpp"
#include "support/ThrownMessage.hpp"

#include <fstream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class FlyingEnemyTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        std::size_t CountShots() const { return objects->GetObjects<ShotBase>().size(); }

        const StateMachineBase& Body(const stable_ptr<Enemy>& enemy) const
        {
            return *dynamic_cast<const FlyingEnemy&>(*enemy).GetBehaviour().GetStateMachine();
        }
    };
}

TEST_F(FlyingEnemyTest, EachBehaviourFliesItsPath)
{
    // Straight flight: nose down, 0.1 window heights a second, x unchanged.
    const stable_ptr<Enemy> gunboat = Spawn("airship000", {400.f, 100.f});
    for (int i = 0; i < 60; ++i)
        gunboat->OnUpdate();
    EXPECT_NEAR(176.8f, gunboat->GetPosition().y, 0.01f);
    EXPECT_EQ(400.f, gunboat->GetPosition().x);
    EXPECT_EQ(90.f, Body(gunboat).GetRotation());

    // The dive bomber comes down from above the field to half its height
    // (0.4 x 768 px/s: the 83rd frame arrives), fires one shell, and climbs away.
    const stable_ptr<Enemy> dart = Spawn("airship001", {400.f, -40.f});
    for (int i = 0; i < 82; ++i)
        dart->OnUpdate();
    EXPECT_EQ(0u, CountShots());
    dart->OnUpdate();
    EXPECT_EQ(sf::Vector2f(400.f, 384.f), dart->GetPosition());
    EXPECT_EQ(1u, CountShots());
    // Nose down, it turns about while it flies on along its nose.
    for (int i = 0; i < 30; ++i)
        dart->OnUpdate();
    EXPECT_GT(dart->GetPosition().y, 384.f);
    for (int i = 0; i < 60; ++i)
        dart->OnUpdate();
    EXPECT_LT(dart->GetPosition().y, 384.f);
    EXPECT_NEAR(270.f, Body(dart).GetRotation(), 5.f);
    EXPECT_FALSE(dart->IsExpired());

    // Visit and flee draws its depth, then its flee point, from the game's
    // generator: with seed 7 both follow from the first two fractions.
    const auto warden = create_stable_ptr(std::dynamic_pointer_cast<Enemy>(enemies->Create("airship005").get_shared()));
    GetFromRegistry<RandomizationSystem>()->GetGenerator()->Seed(7);
    warden->Reset({300.f, 50.f});
    RandomNumberGenerator seven;
    seven.Seed(7);
    const float depth = 0.2f + seven.NextFraction() * (0.45f - 0.2f);
    const auto& visit = dynamic_cast<const VisitAndFleeBehaviour&>(dynamic_cast<FlyingEnemy&>(*warden).GetBehaviour());
    EXPECT_EQ(sf::Vector2f(300.f, 768.f * depth), visit.GetVisitPoint());
    // Left of the middle it flees to the left, two screens up.
    EXPECT_FLOAT_EQ(300.f - seven.NextFraction() * 2048.f, visit.GetFleePoint().x);
    EXPECT_FLOAT_EQ(visit.GetVisitPoint().y - 1536.f, visit.GetFleePoint().y);
    while (visit.GetState() == VisitAndFleeBehaviour::Visit)
        warden->OnUpdate();
    EXPECT_EQ(visit.GetVisitPoint(), warden->GetPosition());
    const std::size_t before = CountShots();
    warden->OnUpdate();
    warden->OnUpdate();
    // Its fan gun fires once, three shots, while it hovers.
    EXPECT_EQ(before + 3, CountShots());
    EXPECT_EQ(visit.GetVisitPoint(), warden->GetPosition());
}

TEST_F(FlyingEnemyTest, AKamikazeRamsTheShipAndExplodesByItsOwnHand)
{
    // Straight down at 0.25 x 768 px/s: the 188th frame reaches the ship.
    PlacePlayer({600.f, 700.f});
    const stable_ptr<Enemy> hornet = Spawn("airship002", {600.f, 100.f});
    objects->Add(hornet);
    RunFrames(187);
    EXPECT_NEAR(698.4f, hornet->GetPosition().y, 0.05f);
    // Arriving, it hurts itself and stays where it was.
    RunFrames(1);
    EXPECT_NEAR(698.4f, hornet->GetPosition().y, 0.05f);
    EXPECT_EQ(600.f, hornet->GetPosition().x);
    EXPECT_FALSE(hornet->IsExpired());
    EXPECT_EQ(AlreadyDestroyed, hornet->ApplyDamage(1));
    RunFrames(1);
    EXPECT_TRUE(hornet->IsExpired());
    EXPECT_EQ(0u, score->score);
    EXPECT_TRUE(objects->GetObjects<ShotBase>().empty());
}

TEST_F(FlyingEnemyTest, ShotDownItDropsItsPickupsAndPaysOnce)
{
    EnemySpawn spawn(9, 9, "airship000", {"wpn001", "shd001"});
    const stable_ptr<GameObject> enemy = spawn.Create({500.f, 300.f});
    objects->Add(enemy);
    // Two shots hit in the same frame: the second finds it destroyed.
    for (float x : {495.f, 505.f})
    {
        const stable_ptr<ShotBase> shot = shots->Get(0, false);
        shot->Launch({x, 315.f}, {0.f, -600.f}, 7);
        objects->Add(shot);
    }
    RunFrames(1);
    EXPECT_EQ(100u, score->score);
    EXPECT_EQ(1u, GetFromRegistry<StatisticSystem>()->GetCurrent().GetKilledEnemies());
    EXPECT_FALSE(enemy->IsExpired());
    EXPECT_TRUE(objects->GetObjects<Upgrade>().empty());

    // The next update explodes it and drops both pick-ups where it is; they
    // fall in the same pass.
    RunFrames(1);
    EXPECT_TRUE(enemy->IsExpired());
    const auto pickups = objects->GetObjects<Upgrade>();
    ASSERT_EQ(2u, pickups.size());
    for (const auto& pickup : pickups)
    {
        EXPECT_EQ(500.f, pickup->GetPosition().x);
        EXPECT_NEAR(dynamic_cast<Enemy&>(*enemy).GetPosition().y + 96.f * frame, pickup->GetPosition().y, 0.01f);
    }
    EXPECT_FALSE(objects->GetObjects<ParticleSystem>().empty());
    EXPECT_EQ(1u, objects->GetObjects<SoundEmitter>().size());
    RunFrames(3);
    EXPECT_EQ(100u, score->score);
    EXPECT_EQ(2u, objects->GetObjects<Upgrade>().size());
    EXPECT_TRUE(objects->GetObjects<FlyingEnemy>().empty());
}

TEST_F(FlyingEnemyTest, LeavingTheFieldItExplodesWithoutScore)
{
    EnemySpawn spawn(9, 9, "airship000", {"wpn001"});
    const stable_ptr<GameObject> enemy = spawn.Create({500.f, 700.f});
    objects->Add(enemy);
    // Inside at once; gone once 1.5 bounding radii below the field.
    const float reach = 768.f + 1.5f * dynamic_cast<Enemy&>(*enemy).GetBoundary()->GetBoundingCircle().radius;
    int frames = 0;
    while (!enemy->IsExpired() && frames < 600)
    {
        RunFrames(1);
        ++frames;
    }
    EXPECT_GT(dynamic_cast<Enemy&>(*enemy).GetPosition().y, reach);
    EXPECT_LT(dynamic_cast<Enemy&>(*enemy).GetPosition().y, reach + 2.f);
    EXPECT_EQ(0u, score->score);
    EXPECT_EQ(1u, objects->GetObjects<Upgrade>().size());
    EXPECT_FALSE(objects->GetObjects<ParticleSystem>().empty());

    // Spawned again above the field, it first has to come in.
    dynamic_cast<Enemy&>(*enemy).Reset({500.f, -200.f});
    enemy->OnUpdate();
    EXPECT_FALSE(enemy->IsExpired());
}

TEST_F(FlyingEnemyTest, RefusesFaultyDefinitions)
{
    const std::string folder = "$resources|enemies|airships|009";
    auto write = [&](const std::string& details) {
        CopyEnemy("airships/000", "airships/009");
        root.WriteFile("resources/enemies/airships/009/details.xml", details);
    };
    const std::string file = "resources/enemies/airships/009/details.xml";
    const std::string common = "<score_points>5</score_points><hit_points>1</hit_points>"
                               "<rotation_speed>90</rotation_speed><movement_speed>0.1</movement_speed>";
    const struct
    {
        std::string details;
        std::string message;
    } cases[] = {
        {"<flyer version='1' type='kamikaze'>" + common + "</flyer>",
         file + ":1: Expected element flying_enemy, found flyer"},
        {"<flying_enemy version='2' type='kamikaze'>" + common + "</flying_enemy>",
         file + ":1: highest supported version of flying_enemy is 1, encountered version 2"},
        {"<flying_enemy version='1' type='zigzag'>" + common + "</flying_enemy>",
         file + ": behaviour type zigzag is unknown"},
        {"<flying_enemy version='1' type='visit_and_flee'>" + common +
             "<visit_depth_range minimum='0' maximum='1.1'/><dwell_duration>1</dwell_duration>"
             "<helicopter_mode>1</helicopter_mode></flying_enemy>",
         file + ": visit_depth_range must be in interval [0,1]"},
        {"<flying_enemy version='1' type='dive_bomber'>" + common + "</flying_enemy>",
         file + ":1: no screen_dive_level element defined"},
        {"<flying_enemy version='1' type='kamikaze'><hit_points>1</hit_points></flying_enemy>",
         file + ":1: no rotation_speed element defined"},
    };
    for (const auto& c : cases)
    {
        write(c.details);
        EXPECT_EQ(c.message, ThrownMessage<Exception>([&] { FlyingEnemy::Create(folder); })) << c.details;
    }

    // Version 0, and a straight flight without a volley range, load.
    write("<flying_enemy version='0' type='straight_flight'>" + common + "</flying_enemy>");
    EXPECT_EQ(5u, FlyingEnemy::Create(folder)->GetScorePoints());

    // A machine without "explode" is refused at the first spawn.
    std::string machine;
    {
        std::ifstream file(root.GetPath() / "resources/enemies/airships/009/ingame.statemachine");
        machine.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    machine.replace(machine.find("name=\"explode\""), 14, "name=\"burst\"");
    root.WriteFile("resources/enemies/airships/009/ingame.statemachine", machine);
    const stable_ptr<FlyingEnemy> enemy = FlyingEnemy::Create(folder);
    EXPECT_EQ("transition 'explode' not found", ThrownMessage<LoadError>([&] { enemy->Reset({500.f, 300.f}); }));
}
