// The airships and turrets of the game on a flight screen in a real window:
// over the ground, under the cockpit frame, they fly, fire at the player's
// ship, which fires back, and explode. The two pictures are kept in the build
// folder for a look.
#include "flight/EnemyFixture.hpp"
#include "flight/EnemySpawn.hpp"
#include "flight/FlyingScreen.hpp"
#include "flight/ShotBase.hpp"
#include "flight/Upgrade.hpp"
#include "presentation/ParticleSystem.hpp"

#include <iostream>

using namespace Kestrum;

namespace
{
    class EnemyFlightTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        EnemyFlightTest()
        {
            for (const char* folder : {"resources/gui", "resources/tiles"})
                root.CopyFromGameRoot(folder);
            CreateAndRegister(new TileManager());
            ship->GetHull()->GetSlots(Categories::Weapon).front()->SetEquipment(
                weapons->CreatePlayerWeapon("000").get_shared());
            arcade = CreateAndRegister<ArcadeScreen>(new Kestrum::Testing::FlyingScreen());
            screens = CreateAndRegister(new ScreenManager(stable_ptr<Screen>(*arcade)));
        }

        // One pass of the main loop; the ship fires when told.
        void Frame(bool fire)
        {
            clock.Advance(frame);
            objects->RemoveDead();
            screens->Update();
            if (fire)
                (*arcade)->HandleAction(InterfaceInput::fire);
            time->paused = false;
            (*arcade)->OnUpdate();
            window->clear(sf::Color::Black);
            (*arcade)->Draw();
        }

        void Picture(const std::string& name)
        {
            sf::Texture texture;
            texture.create(window->getSize().x, window->getSize().y);
            texture.update(*window);
            const std::filesystem::path file = std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / name;
            EXPECT_TRUE(texture.copyToImage().saveToFile(file.string()));
            std::cout << "screenshot: " << file.string() << "\n";
        }
    };
}

TEST_F(EnemyFlightTest, AirshipsAndTurretsFlyFireAndExplode)
{
    PlacePlayer({614.f, 690.f});
    objects->Add(create_stable_ptr(std::shared_ptr<GameObject>(ship)));
    const struct
    {
        const char* type;
        sf::Vector2f position;
    } cast[] = {
        {"turret000", {330.f, 470.f}}, {"turret001", {900.f, 300.f}}, {"airship000", {300.f, 90.f}},
        {"airship001", {520.f, -30.f}}, {"airship002", {760.f, -120.f}}, {"airship005", {880.f, -40.f}},
    };
    std::vector<stable_ptr<Enemy>> enemies;
    for (const auto& each : cast)
    {
        enemies.push_back(Spawn(each.type, each.position));
        objects->Add(enemies.back());
    }
    // One more gunboat, carrying a weapon, right in the ship's line of fire.
    EnemySpawn target(13, 4, "airship000", {"wpn001"});
    objects->Add(target.Create({614.f, 120.f}));

    // Three seconds: long enough for the turrets' first volleys, the dive
    // bomber's shell and the gunship's fan; the ship fires for the first two.
    for (int frame = 0; frame < 180; ++frame)
    {
        Frame(frame < 120);
        if (frame < 179)
            window->display();
    }
    Picture("enemy-test-flying.png");
    window->display();
    EXPECT_EQ(6u, objects->GetObjects<Enemy>().size());
    EXPECT_EQ(100u, score->score);
    EXPECT_EQ(1u, objects->GetObjects<Upgrade>().size());
    EXPECT_FALSE(ship->IsExpired());
    std::size_t hostile = 0;
    for (const auto& shot : objects->GetObjects<ShotBase>())
        hostile += shot->IsHostile() ? 1 : 0;
    EXPECT_GE(hostile, 3u);

    for (const stable_ptr<Enemy>& enemy : enemies)
        enemy->ApplyDamage(1000);
    for (int frame = 0; frame < 12; ++frame)
    {
        Frame(false);
        if (frame < 11)
            window->display();
    }
    Picture("enemy-test-exploding.png");
    window->display();
    EXPECT_TRUE(objects->GetObjects<Enemy>().empty());
    EXPECT_GE(objects->GetObjects<ParticleSystem>().size(), 6u);
}
