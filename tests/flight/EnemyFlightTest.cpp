// The airships and turrets of the game in a real window over a tiled ground:
// they fly, fire at the player's ship and explode. The two pictures are kept in the
// build folder for a look.
#include "flight/EnemyFixture.hpp"
#include "flight/ShotBase.hpp"
#include "levels/TileSet.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/SpriteList.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <iostream>

using namespace Kestrum;

namespace
{
    class EnemyFlightTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        EnemyFlightTest()
        {
            std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / "resources/tiles",
                                  root.GetPath() / "resources/tiles", std::filesystem::copy_options::recursive);
            ground = CreateTileSet(0).get_shared();
        }

        // One frame as a flight draws it: the ground, then the objects.
        void Frame()
        {
            objects->RemoveDead();
            objects->Update();
            window->clear(sf::Color(0, 0, 0));
            const EdgeRect field = GetFlightArea();
            sf::Sprite tile = ground->GetSprites().GetSprite(14);
            for (float y = 0.f; y < field.bottom; y += 32.f)
                for (float x = field.left; x < field.right; x += 32.f)
                {
                    tile.setPosition(x, y);
                    window->draw(tile);
                }
            objects->Draw();
        }

        std::filesystem::path Picture(const std::string& name)
        {
            sf::Texture texture;
            texture.create(window->getSize().x, window->getSize().y);
            texture.update(*window);
            window->display();
            const std::filesystem::path file = std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / name;
            EXPECT_TRUE(texture.copyToImage().saveToFile(file.string()));
            std::cout << "screenshot: " << file.string() << "\n";
            return file;
        }

        std::shared_ptr<TileSet> ground;
    };
}

TEST_F(EnemyFlightTest, AirshipsAndTurretsFlyFireAndExplode)
{
    PlacePlayer({614.f, 690.f});
    objects->Add(create_stable_ptr(ship));
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

    // Three seconds at the window's pace: long enough for the turrets'
    // first volleys and the dive bomber's shell.
    window->setFramerateLimit(60);
    for (int frame = 0; frame < 180; ++frame)
    {
        Frame();
        if (frame < 179)
            window->display();
    }
    Picture("enemy-test-flying.png");
    EXPECT_EQ(6u, objects->GetObjects<Enemy>().size());
    EXPECT_FALSE(ship->IsExpired());
    EXPECT_GE(objects->GetObjects<ShotBase>().size(), 3u);

    for (const stable_ptr<Enemy>& enemy : enemies)
        enemy->ApplyDamage(1000);
    for (int frame = 0; frame < 12; ++frame)
    {
        Frame();
        if (frame < 11)
            window->display();
    }
    Picture("enemy-test-exploding.png");
    EXPECT_TRUE(objects->GetObjects<Enemy>().empty());
    EXPECT_GE(objects->GetObjects<ParticleSystem>().size(), 6u);
}
