// The flight services with the enemies: the equipment fixture plus the game's
// enemy folders and database, a seeded game generator, the scroll system, a
// registered mission progress, the loaded enemy factory, the player's ship at
// the bottom of the field (not in the level), a flight screen made current and
// the collision grid built; frames of 1/60 s. The timers' clock is held and
// moves on with the frames only, so that reloads, volleys and other waits run
// with the frames however slowly the machine runs them.
#pragma once

#include "core/RandomNumberGenerator.hpp"
#include "flight/Enemy.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EquipmentFixture.hpp"
#include "flight/Inventory.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScrollSystem.hpp"
#include "support/HeldClock.hpp"

namespace Kestrum::Testing
{
    class EnemyFixture : public EquipmentFixture
    {
    protected:
        static constexpr float frame = 1.f / 60.f;

        EnemyFixture()
        {
            std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / "resources/enemies",
                                  root.GetPath() / "resources/enemies", std::filesystem::copy_options::recursive);
            GetFromRegistry<RandomizationSystem>()->GetGenerator()->Seed(7);
            CreateAndRegister(new ScrollSystem());
            progress = CreateAndRegister(new MissionProgress());
            enemies = CreateLoadAndRegister(new EnemyFactory());
            objects->Load();
            EnterFlight();
            GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 100);
            FrameClock::SetFrameTime(frame);
            PlacePlayer({614.f, 700.f});
        }

        // A new enemy of the type, reset at the position.
        stable_ptr<Enemy> Spawn(const std::string& type, const sf::Vector2f& position)
        {
            const auto enemy = create_stable_ptr(std::dynamic_pointer_cast<Enemy>(enemies->Create(type).get_shared()));
            enemy->Reset(position);
            return enemy;
        }

        // Copies a shipped enemy folder to the test's folder of that kind.
        void CopyEnemy(const std::string& from, const std::string& to)
        {
            std::filesystem::copy(root.GetPath() / "resources/enemies" / from, root.GetPath() / "resources/enemies" / to,
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
        }

        // Puts the player's ship at the position; the first call makes it, on
        // hull 000, in a registered inventory.
        void PlacePlayer(const sf::Vector2f& position)
        {
            if (!ship)
            {
                ship = std::make_shared<PlayerShip>(hulls->Create("000").get_shared());
                ship->Initialize();
                registry->Register<Inventory>(Inventory::Create({ship}, create_stable_ptr(ship)));
            }
            ship->Reset(position);
        }

        // Runs whole frames of the manager: removal, update (with collisions).
        void RunFrames(int count)
        {
            for (int i = 0; i < count; ++i)
            {
                clock.Advance(FrameClock::GetFrameTime());
                objects->RemoveDead();
                objects->Update();
            }
        }

        const HeldClock clock;
        std::shared_ptr<PlayerShip> ship;
        std::shared_ptr<MissionProgress> progress;
        std::shared_ptr<EnemyFactory> enemies;
    };
}
