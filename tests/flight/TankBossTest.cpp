#include "flight/TankBoss.hpp"

#include "flight/EnemyFixture.hpp"
#include "flight/ShotBase.hpp"
#include "presentation/Angles.hpp"
#include "support/ThrownMessage.hpp"

#include <fstream>
#include <iterator>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    const std::string tankFolder = "resources/enemies/groundbosss/000/";

    class TankBossTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        stable_ptr<TankBoss> Place(const sf::Vector2f& position)
        {
            const auto boss =
                create_stable_ptr(std::dynamic_pointer_cast<TankBoss>(enemies->Create("groundboss000").get_shared()));
            boss->Reset(position);
            objects->Add(boss);
            return boss;
        }

        // One frame; the shots it brought into the level (shots come from
        // pools: a new one may be an old object flying again).
        std::vector<stable_ptr<ShotBase>> NewShots()
        {
            objects->RemoveDead();
            const std::set<stable_ptr<ShotBase>> before = objects->GetObjects<ShotBase>();
            RunFrames(1);
            std::vector<stable_ptr<ShotBase>> shots;
            for (const stable_ptr<ShotBase>& shot : objects->GetObjects<ShotBase>())
                if (!before.count(shot))
                    shots.push_back(shot);
            return shots;
        }

        // Frames until the first shots come (at most `limit` of them); those shots.
        std::vector<stable_ptr<ShotBase>> RunUntilShots(int limit)
        {
            for (int i = 0; i < limit; ++i)
            {
                const std::vector<stable_ptr<ShotBase>> shots = NewShots();
                if (!shots.empty())
                    return shots;
            }
            return {};
        }
    };
}

TEST_F(TankBossTest, DrivesUpFiresThenOpensAndFiresSalvosByTurns)
{
    const stable_ptr<TankBoss> boss = Place({300.f, -60.f});
    EXPECT_EQ(200000u, boss->GetScorePoints());
    EXPECT_FLOAT_EQ(1.f, boss->GetHealthRatio());
    EXPECT_EQ(NoDamage, boss->ApplyDamage(0));
    EXPECT_EQ(Damaged, boss->ApplyDamage(300));
    EXPECT_FLOAT_EQ(0.85f, boss->GetHealthRatio());

    // Across to the middle at once, then down at 76.8 pixels a second to a
    // quarter of the field's height, reached exactly.
    RunFrames(1);
    EXPECT_EQ(614.f, boss->GetPosition().x);
    EXPECT_NEAR(-60.f + 76.8f * frame, boss->GetPosition().y, 1e-3f);
    RunFrames(195);
    EXPECT_GT(192.f, boss->GetPosition().y);
    EXPECT_TRUE(NewShots().empty());
    EXPECT_EQ(sf::Vector2f(614.f, 192.f), boss->GetPosition());

    // Five guns fire at the ship below, fanned around straight down.
    const std::vector<stable_ptr<ShotBase>> volley = RunUntilShots(200);
    ASSERT_EQ(5u, volley.size());
    for (const stable_ptr<ShotBase>& shot : volley)
    {
        EXPECT_GT(shot->GetPosition().y, 192.f + 60.f);
        EXPECT_NEAR(90.f, GetAngle(shot->GetVelocity()), 25.f);
    }

    // Shooting the first phase down pays nothing; the next frame the second
    // phase opens where the first stood.
    EXPECT_EQ(Damaged, boss->ApplyDamage(900));
    EXPECT_EQ(Damaged, boss->ApplyDamage(900));
    EXPECT_FLOAT_EQ(0.55f, boss->GetHealthRatio());
    RunFrames(1);
    EXPECT_EQ(sf::Vector2f(614.f, 192.f), boss->GetPosition());
    EXPECT_FLOAT_EQ(0.55f, boss->GetHealthRatio());
    EXPECT_FALSE(boss->IsExpired());

    // Once extended, salvos of eight from the right turret, then the left, and so on.
    std::vector<int> sides;
    for (int salvo = 0; salvo < 3; ++salvo)
    {
        const std::vector<stable_ptr<ShotBase>> shots = RunUntilShots(400);
        ASSERT_EQ(8u, shots.size()) << salvo;
        int side = 0;
        for (const stable_ptr<ShotBase>& shot : shots)
            side += shot->GetPosition().x > 614.f ? 1 : -1;
        sides.push_back(side);
    }
    EXPECT_EQ((std::vector<int>{8, -8, 8}), sides);

    // Destroyed, it blows up part after part and then leaves.
    EXPECT_EQ(Destroyed, boss->ApplyDamage(2000));
    EXPECT_EQ(AlreadyDestroyed, boss->ApplyDamage(1));
    EXPECT_FLOAT_EQ(0.f, boss->GetHealthRatio());
    RunFrames(150);
    EXPECT_FALSE(boss->IsExpired());
    RunFrames(60);
    EXPECT_TRUE(boss->IsExpired());
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), boss->GetPosition());
    EXPECT_TRUE(boss->GetBoundary()->GetCircles().empty());
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}

TEST_F(TankBossTest, ASecondPhaseShotDownWhileItOpensEndsOnlyOnceOpen)
{
    const stable_ptr<TankBoss> boss = Place({614.f, 192.f});
    boss->ApplyDamage(900);
    RunFrames(1);
    EXPECT_EQ(Destroyed, boss->ApplyDamage(1100));
    // Opening takes 1.7 seconds, blowing up 2.8 more.
    RunFrames(100 + 165);
    EXPECT_FALSE(boss->IsExpired());
    RunFrames(10);
    EXPECT_TRUE(boss->IsExpired());
}

TEST_F(TankBossTest, RefusesBodiesWithoutTheirPartsTransitionsAndSockets)
{
    const struct
    {
        const char* file;
        const char* name;
    } cases[] = {
        {"phase1.statemachine", "turret"},       {"phase1.statemachine", "body"},
        {"body.statemachine", "body"},           {"body.statemachine", "left_track"},
        {"body.statemachine", "right_track"},    {"turret.statemachine", "phase_end"},
        {"turret.statemachine", "gun3"},         {"phase2.statemachine", "left_part"},
        {"phase2.statemachine", "right_part"},   {"phase2.statemachine", "center_part"},
        {"phase2.statemachine", "extend"},       {"phase2.statemachine", "phase_end"},
        {"right.statemachine", "body"},          {"right.statemachine", "track"},
        {"right.statemachine", "turret"},        {"right.statemachine", "explode"},
        {"left.statemachine", "track"},          {"left.statemachine", "explode"},
        {"center.statemachine", "explode"},      {"gun_ring.statemachine", "explode"},
        {"gun_ring.statemachine", "muzzle7"},
    };
    for (const auto& test : cases)
    {
        const std::filesystem::path file = root.GetPath() / (tankFolder + test.file);
        std::ifstream in(file);
        const std::string original((std::istreambuf_iterator<char>(in)), {});
        in.close();
        const std::string from = std::string("name=\"") + test.name + "\"";
        std::string text = original;
        ASSERT_NE(std::string::npos, text.find(from)) << test.file << " " << test.name;
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, from.size(), "name=\"other\"");
        root.WriteFile(tankFolder + test.file, text);
        EXPECT_THROW(TankBoss::Create(), ResourceMissingError) << test.file << " " << test.name;
        root.WriteFile(tankFolder + test.file, original);
    }
}
