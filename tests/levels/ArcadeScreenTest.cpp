// The arcade screen frame by frame: the loading frames, the flight, leaving in
// the middle of loading, and every shipped arcade level.
#include "flight/MissionProgress.hpp"
#include "levels/ArcadeMission.hpp"
#include "levels/ArcadeScreen.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/TileManager.hpp"

#include "core/GraphFactory.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Inventory.hpp"
#include "flight/Weapon.hpp"
#include "interface/StartScreen.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

using namespace Kestrum;

namespace
{
    class ArcadeScreenTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        ArcadeScreenTest()
        {
            for (const char* folder : {"resources/tiles", "resources/music", "resources/gui", "missions"})
                root.CopyFromGameRoot(folder);
            CreateAndRegister(new GraphFactory());
            tiles = CreateAndRegister(new TileManager());
            CreateAndRegister(new MissionFactory());
            registry->Unregister<Inventory>();
            registry->Unregister<MissionProgress>();
        }

        // Whether the tile manager is entered: entering it again fails then.
        bool TilesEntered()
        {
            try
            {
                tiles->OnEnter();
            }
            catch (const LogicError&)
            {
                return true;
            }
            tiles->OnExit();
            return false;
        }

        std::shared_ptr<TileManager> tiles;
    };
}

TEST_F(ArcadeScreenTest, LoadsForThreeFramesThenFliesAndLeavesCleanlyEvenWhileLoading)
{
    ArcadeScreen screen;
    score->score = 1001;
    screen.OnEnter();
    EXPECT_EQ(0u, screen.GetMissionNumber());
    // Frame 1: the picture only, filling the window.
    screen.OnUpdate();
    window->clear();
    screen.Draw();
    EXPECT_TRUE(screen.IsLoading());
    sf::Texture shown;
    shown.create(1024, 768);
    shown.update(*window);
    const sf::Image picture = shown.copyToImage();
    sf::Image loading;
    ASSERT_TRUE(loading.loadFromFile((root.GetPath() / "resources/gui/screens/flight/loading.jpg").string()));
    double difference = 0.;
    for (unsigned y = 0; y < 768; y += 4)
        for (unsigned x = 0; x < 1024; x += 4)
        {
            const sf::Color a = picture.getPixel(x, y), b = loading.getPixel(x, y);
            difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    EXPECT_LT(difference / (3. * 256. * 192.), 4.);
    EXPECT_FALSE(TilesEntered());
    // Frame 2: the default ship in a new inventory, the mission entered.
    screen.OnUpdate();
    screen.Draw();
    ASSERT_TRUE(registry->IsRegistered<Inventory>());
    const stable_ptr<PlayerShip> ship = GetFromRegistry<Inventory>()->GetShip();
    ASSERT_EQ(1u, ship->GetWeapons().size());
    EXPECT_EQ("wpn000", ship->GetWeapons().front()->GetID());
    EXPECT_EQ(sf::Vector2f(614.f, 576.f), ship->GetPosition());
    EXPECT_TRUE(objects->GetObjects<PlayerShip>().count(ship));
    EXPECT_TRUE(registry->IsRegistered<MissionProgress>());
    EXPECT_TRUE(TilesEntered());
    // Left in the middle of loading: the entered mission is left again.
    screen.OnExit();
    EXPECT_FALSE(TilesEntered());
    EXPECT_FALSE(registry->IsRegistered<MissionProgress>());
    EXPECT_FALSE(registry->IsRegistered<Inventory>());
    EXPECT_TRUE(objects->GetObjects<GameObject>().empty());

    // Entered again, from mission 0: frame 4 is the first flight frame.
    time->paused = true;
    screen.OnEnter();
    for (int frame = 1; frame <= 3; ++frame)
    {
        screen.OnUpdate();
        EXPECT_TRUE(screen.IsLoading()) << frame;
    }
    screen.OnUpdate();
    EXPECT_FALSE(screen.IsLoading());
    const MissionStatistic& statistic = GetFromRegistry<StatisticSystem>()->GetCurrent();
    EXPECT_GT(statistic.GetAvailableEnemies(), 50u);
    EXPECT_EQ(0u, statistic.GetKilledEnemies());
    screen.Draw();
    // Pause stops the scroll; pressed again, the game goes on.
    EXPECT_TRUE(screen.HandleAction(InterfaceInput::pause));
    EXPECT_FALSE(time->paused);
    EXPECT_TRUE(screen.HandleAction(InterfaceInput::fire));
    EXPECT_FALSE(screen.HandleAction(InterfaceInput::accept));
    for (int frame = 0; frame < 30; ++frame)
    {
        screen.OnUpdate();
        screen.Draw();
    }
    EXPECT_GT(GetFromRegistry<ScrollSystem>()->GetPosition(), 0.f);
    screen.HandleAction(InterfaceInput::pause);
    screen.OnExit();
    EXPECT_FALSE(time->paused) << "a new run starts unpaused";
    EXPECT_FALSE(TilesEntered());
    EXPECT_EQ(1001u, score->score);
}

// Each shipped level loads, lasts a few minutes, uses both tile sets in
// shaped ground, sends every airship and turret, and can be won.
TEST_F(ArcadeScreenTest, EveryShippedArcadeMissionLoadsAndHasWhatAGameNeeds)
{
    const std::filesystem::path folder = std::filesystem::path(KESTRUM_GAME_ROOT) / "missions/arcade";
    std::set<std::string> kinds;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KESTRUM_GAME_ROOT) / "resources/enemies"))
        if (entry.is_directory())
            for (const auto& number : std::filesystem::directory_iterator(entry.path()))
            {
                const std::string kind = entry.path().filename().string();
                if (kind == "airships" || kind == "turrets")
                    kinds.insert(kind.substr(0, kind.size() - 1) + number.path().filename().string());
            }
    ASSERT_EQ(6u, kinds.size());

    unsigned count = 0;
    const stable_ptr<MissionFactory> missions = GetFromRegistry<MissionFactory>();
    for (; missions->ArcadeMissionExists(count); ++count)
    {
        SCOPED_TRACE(count);
        const auto mission = missions->CreateArcadeMission(count);
        mission->OnEnter();
        const unsigned enemies = mission->GetTotalEnemyCount();
        EXPECT_GT(enemies, 60u);
        EXPECT_GE(GetFromRegistry<MissionProgress>()->GetData().m_killConditions, 1u);

        // The file itself: kinds of enemies and the tiles of the ground layers.
        pugi::xml_document level;
        ASSERT_TRUE(level.load_file((folder / (std::string(9, '0') + std::to_string(count)) / "structure.xml").c_str()));
        std::set<std::string> sent;
        std::string lastKillToWin;
        unsigned lastRow = 0;
        for (const pugi::xpath_node found : level.select_nodes("//enemy"))
        {
            const pugi::xml_node enemy = found.node();
            sent.insert(enemy.attribute("type").value());
            lastRow = std::max(lastRow, enemy.attribute("y").as_uint());
            if (enemy.child("kill_to_win"))
                lastKillToWin = enemy.attribute("type").value();
        }
        for (const std::string& kind : kinds)
            EXPECT_TRUE(sent.count(kind)) << kind;
        if (count > 0)
        {
            EXPECT_NE(std::string::npos, lastKillToWin.find("boss")) << "a boss ends the mission";
        }
        std::map<unsigned, std::set<unsigned>> tilesBySet;
        for (const pugi::xpath_node tile : level.select_nodes("//tile | //tile_sequence"))
        {
            const unsigned value = tile.node().text().as_uint();
            if (value != 0xFFF0)
                tilesBySet[value >> 16].insert(value & 15);
        }
        ASSERT_EQ(2u, tilesBySet.size());
        EXPECT_GE(tilesBySet[0].size() + tilesBySet[1].size(), 20u) << "shaped ground, not one flat colour";

        // A few minutes of flight until the last enemy comes in.
        float seconds = 0.f;
        const stable_ptr<ScrollSystem> scroll = GetFromRegistry<ScrollSystem>();
        FrameClock::SetFrameTime(1.f);
        while (27.f + 24.f * scroll->GetPosition() < float(lastRow) && seconds < 1000.f)
        {
            scroll->Update();
            seconds += 1.f;
        }
        EXPECT_GT(seconds, 120.f);
        EXPECT_LT(seconds, 300.f);
        mission->OnExit();
    }
    EXPECT_EQ(3u, count);
}
