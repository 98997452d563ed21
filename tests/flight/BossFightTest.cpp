// Both bosses fought on the flight screen in a real window of 1024 x 768: the
// player's ship fires at them from below while they do what bosses do, the
// boss dial shows while they live, and only the blow that ends a boss pays its
// points. Pictures of the fights are kept beside the game root
// (boss-fight-*.png) to be looked at.
#include "flight/DiskBoss.hpp"
#include "flight/DiskBossBehaviour.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/FlyingScreen.hpp"
#include "flight/ShotBase.hpp"
#include "flight/TankBoss.hpp"

#include <cmath>
#include <set>

using namespace Kestrum;

namespace
{
    class BossFightTest : public Kestrum::Testing::FlyingScreenFixture
    {
    protected:
        static constexpr float frame = 1.f / 30.f;

        BossFightTest()
        {
            root.CopyFromGameRoot("resources/enemies");
            enemies = CreateLoadAndRegister(new EnemyFactory());
            objects->Load();
            GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 100);
            ReviveShip();
        }

        // The ship back near the bottom of the field, unhurt.
        void ReviveShip(float x = 614.f) { PlaceShip(sf::Vector2f(x, 660.f)); }

        // One pass of the main loop with the ship firing; the hostile shots it
        // brought.
        std::vector<stable_ptr<ShotBase>> Frame()
        {
            objects->RemoveDead();
            // Shots come from pools: a new one may be an old object flying again.
            const std::set<stable_ptr<ShotBase>> before = objects->GetObjects<ShotBase>();
            Pass(frame, true);
            std::vector<stable_ptr<ShotBase>> shots;
            for (const stable_ptr<ShotBase>& shot : objects->GetObjects<ShotBase>())
                if (shot->IsHostile() && !before.count(shot))
                    shots.push_back(shot);
            return shots;
        }

        // Frames until the hostile shots of one frame come (or `limit` frames).
        std::vector<stable_ptr<ShotBase>> UntilShots(int limit)
        {
            for (int i = 0; i < limit; ++i)
            {
                const std::vector<stable_ptr<ShotBase>> shots = Frame();
                if (!shots.empty())
                    return shots;
            }
            return {};
        }

        // The window as drawn by the last frame, kept in a file when named.
        sf::Image Picture(const std::string& file = "")
        {
            FrameClock::SetFrameTime(0.f);
            window->clear(sf::Color::Black);
            screens->GetCurrentScreen()->Draw();
            const sf::Image picture = Capture();
            if (!file.empty())
                picture.saveToFile((std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / file).string());
            return picture;
        }

        // Whether the boss dial's corner of the window looks as in the picture.
        bool SameDial(const sf::Image& a, const sf::Image& b)
        {
            for (unsigned y = 588; y < 588 + 128; ++y)
                for (unsigned x = 38; x < 38 + 128; ++x)
                    if (a.getPixel(x, y) != b.getPixel(x, y))
                        return false;
            return true;
        }

        // Damage that leaves one hit point, so that the ship's next hit decides.
        static std::uint32_t AllButOne(float ratio, float total)
        {
            return std::uint32_t(std::lround(ratio * total)) - 1u;
        }

        std::shared_ptr<EnemyFactory> enemies;
    };
}

TEST_F(BossFightTest, TheTankDrivesUpFiresFiveGunsThenOpensAndFiresRightAndLeft)
{
    Frame();
    const sf::Image noBoss = Picture();
    const auto tank = create_stable_ptr(std::dynamic_pointer_cast<TankBoss>(enemies->Create("groundboss000").get_shared()));
    tank->Reset(sf::Vector2f(420.f, -80.f));
    objects->Add(tank);

    // It drives to the middle of the field, a quarter of the way down, without firing.
    for (int i = 0; i < 200 && tank->GetPosition() != sf::Vector2f(614.f, 192.f); ++i)
        EXPECT_TRUE(Frame().empty());
    ASSERT_EQ(sf::Vector2f(614.f, 192.f), tank->GetPosition());
    EXPECT_LT(tank->GetHealthRatio(), 1.f) << "the ship's shots hit it";
    EXPECT_FALSE(SameDial(noBoss, Picture())) << "the boss dial shows";

    // Five guns at once, at the ship below.
    const std::vector<stable_ptr<ShotBase>> volley = UntilShots(300);
    ASSERT_EQ(5u, volley.size());
    for (const stable_ptr<ShotBase>& shot : volley)
        EXPECT_GT(shot->GetVelocity().y, 0.f);
    for (int i = 0; i < 8; ++i)
        Frame();
    Picture("boss-fight-tank-1.png");

    // The ship's hit that takes the first phase down pays nothing.
    ReviveShip();
    const std::uint32_t score = GetFromRegistry<ScoreSystem>()->score;
    tank->ApplyDamage(AllButOne(tank->GetHealthRatio(), 2000.f) - 1100u);
    for (int i = 0; i < 60 && tank->GetHealthRatio() > 0.55f; ++i)
        Frame();
    ASSERT_FLOAT_EQ(0.55f, tank->GetHealthRatio());
    Frame();
    EXPECT_EQ(score, GetFromRegistry<ScoreSystem>()->score);
    EXPECT_EQ(sf::Vector2f(614.f, 192.f), tank->GetPosition());

    // Opened: salvos of eight, from the right side turret first, then the left.
    std::vector<std::string> sides;
    for (int salvo = 0; salvo < 4; ++salvo)
    {
        const std::vector<stable_ptr<ShotBase>> shots = UntilShots(300);
        ASSERT_EQ(8u, shots.size());
        unsigned right = 0;
        for (const stable_ptr<ShotBase>& shot : shots)
            right += shot->GetPosition().x > 614.f ? 1 : 0;
        sides.push_back(right == 8 ? "right" : right == 0 ? "left" : "both");
        if (salvo == 1)
            for (int i = 0; i < 5; ++i)
                Frame();
        if (salvo == 1)
            Picture("boss-fight-tank-2.png");
    }
    EXPECT_EQ((std::vector<std::string>{"right", "left", "right", "left"}), sides);

    // The ship's last blow pays the boss's points; it blows up part by part and goes.
    ReviveShip();
    const float ratio = tank->GetHealthRatio();
    EXPECT_LT(ratio, 0.55f);
    tank->ApplyDamage(AllButOne(ratio, 2000.f));
    for (int i = 0; i < 60 && tank->GetHealthRatio() > 0.f; ++i)
        Frame();
    EXPECT_EQ(score + 200000u, GetFromRegistry<ScoreSystem>()->score);
    for (int i = 0; i < 40; ++i)
        Frame();
    Picture("boss-fight-tank-3.png");
    for (int i = 0; i < 120 && !tank->IsExpired(); ++i)
        Frame();
    EXPECT_TRUE(tank->IsExpired());
    Frame();
    EXPECT_TRUE(SameDial(noBoss, Picture())) << "the dial goes with the boss";
}

TEST_F(BossFightTest, TheDiskFliesInOpensItsSlotsAndFires)
{
    Frame();
    const sf::Image noBoss = Picture();
    const auto disk = create_stable_ptr(std::dynamic_pointer_cast<DiskBoss>(enemies->Create("airboss001").get_shared()));
    disk->Reset(sf::Vector2f(500.f, -120.f));
    objects->Add(disk);
    const DiskBossBehaviour& behaviour = disk->GetBehaviour();

    // In to the middle of the field, then the slots open and every open slot fires.
    for (int i = 0; i < 300 && behaviour.GetState() == DiskBossBehaviour::Appear; ++i)
        Frame();
    EXPECT_EQ(DiskBossBehaviour::Dwell, behaviour.GetState());
    EXPECT_EQ(sf::Vector2f(614.f, 384.f), disk->GetPosition());
    EXPECT_FALSE(SameDial(noBoss, Picture())) << "the boss dial shows";
    const std::vector<stable_ptr<ShotBase>> volley = UntilShots(800);
    ASSERT_EQ(4u, volley.size());
    for (unsigned slot = 0; slot < 4; ++slot)
        EXPECT_EQ(DiskBossBehaviour::Open, behaviour.GetSlotState(slot));
    for (const stable_ptr<ShotBase>& shot : volley)
    {
        const sf::Vector2f out = shot->GetPosition() - disk->GetPosition();
        EXPECT_GT(out.x * shot->GetVelocity().x + out.y * shot->GetVelocity().y, 0.f) << "outwards";
    }
    EXPECT_LT(disk->GetHealthRatio(), 1.f) << "the ship's shots hit it";
    for (int i = 0; i < 25; ++i)
        Frame();
    Picture("boss-fight-disk-1.png");

    // The ship's last blow, from right below it, pays the boss's points; the
    // disk explodes and goes.
    const std::uint32_t score = GetFromRegistry<ScoreSystem>()->score;
    disk->ApplyDamage(AllButOne(disk->GetHealthRatio(), 1400.f));
    for (int i = 0; i < 60 && disk->GetHealthRatio() > 0.f; ++i)
    {
        ReviveShip(disk->GetPosition().x);
        Frame();
    }
    EXPECT_EQ(score + 50000u, GetFromRegistry<ScoreSystem>()->score);
    Frame();
    Frame();
    EXPECT_TRUE(disk->IsExpired());
    for (int i = 0; i < 6; ++i)
        Frame();
    EXPECT_TRUE(SameDial(noBoss, Picture("boss-fight-disk-2.png"))) << "the dial goes with the boss";
}
