// Campaign missions: levels generated from the shipped generator data, the
// writer's tile runs, the generator's refusals, and a generated mission
// entered and left.
#include "levels/CampaignMissions.hpp"
#include "levels/Layer.hpp"
#include "levels/LevelWriter.hpp"
#include "levels/Mission.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/OverEarthConstructor.hpp"
#include "levels/ThreatSystem.hpp"
#include "levels/TileManager.hpp"
#include "levels/XmlLayerLoader.hpp"

#include "core/GraphFactory.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemyFixture.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <SFML/Audio/Music.hpp>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class CampaignMissionTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        CampaignMissionTest() : blueprint(new MissionBlueprint())
        {
            CreateAndRegister(new GraphFactory());
            CreateAndRegister(new TileManager());
            CreateAndRegister(new ThreatSystem());
            missions = CreateAndRegister(new MissionFactory());
            for (const char* folder :
                 {"configuration/pcg", "missions/enemysets", "missions/segments", "resources/tiles", "resources/music"})
                CopyFromGameRoot(folder);
            blueprint->m_seed = 42;
        }

        void CopyFromGameRoot(const std::string& folder) { root.CopyFromGameRoot(folder); }

        // Generates the blueprint's level and returns the file's bytes.
        std::string Generate()
        {
            missions->CreateMission(blueprint);
            std::ostringstream bytes;
            bytes << std::ifstream(root.GetPath() / "missions/pcg/over_earth/0000000042/structure.xml").rdbuf();
            return bytes.str();
        }

        void SetLength(unsigned rows)
        {
            root.WriteFile("configuration/pcg/difficulty_to_misson_length.graph",
                           "<graph type='flat_line'><y>" + std::to_string(rows) + "</y></graph>");
        }

        std::shared_ptr<MissionFactory> missions;
        stable_ptr<MissionBlueprint> blueprint;
    };

    // The 26 tile values of a written row.
    std::vector<unsigned> ReadRow(const pugi::xml_node& row)
    {
        std::vector<unsigned> tiles;
        for (const pugi::xml_node& run : row.children())
            tiles.insert(tiles.end(), run.attribute("repeat").as_uint(1), run.text().as_uint());
        return tiles;
    }

    // A cheap digest of the bytes (FNV-1a), fixed across runs and machines.
    std::uint64_t Digest(const std::string& bytes)
    {
        std::uint64_t hash = 14695981039346656037ULL;
        for (unsigned char c : bytes)
            hash = (hash ^ c) * 1099511628211ULL;
        return hash;
    }
}

TEST_F(CampaignMissionTest, TheSameSeedAlwaysWritesTheSameLevelOfGroundSegmentsAndBoss)
{
    for (unsigned long difficulty = 0; difficulty <= 100; ++difficulty)
        ASSERT_GE(GetMissionLength(difficulty), 30u) << difficulty;

    const std::string bytes = Generate();
    EXPECT_TRUE(bytes == Generate()) << "two generations differ";
    EXPECT_EQ(17219893729807734012ULL, Digest(bytes)) << "the same bytes in every run";

    const stable_ptr<pugi::xml_document> document = LoadXmlText(bytes, "generated");
    const pugi::xml_node mission = document->child("mission");
    EXPECT_EQ("42", std::string(mission.child_value("seed")));
    EXPECT_EQ("1", std::string(mission.child_value("background_music")));
    EXPECT_EQ("0.07", std::string(mission.child("scroll_behaviour").child("graph").child_value("y")));
    const pugi::xml_node grid = mission.child("layers").child("layer").child("tile_grid");
    const unsigned length = 90;
    unsigned j = 0;
    for (const pugi::xml_node& row : grid.children())
    {
        const std::vector<unsigned> tiles = ReadRow(row);
        ASSERT_EQ(26u, tiles.size());
        const unsigned full = (length - j) % 5 == 0 ? 65551 : 15;
        EXPECT_LE(std::count(tiles.begin(), tiles.end(), 65520u), 1) << j;
        EXPECT_EQ(26 - std::count(tiles.begin(), tiles.end(), 65520u), std::count(tiles.begin(), tiles.end(), full));
        if (j == 1 || j == 3)
        {
            EXPECT_EQ(65520u, tiles[j == 1 ? 21 : 6]);
        }
        ++j;
    }
    EXPECT_EQ(length, j);

    std::vector<std::tuple<unsigned, unsigned, std::string>> enemies;
    for (const pugi::xml_node& enemy : mission.child("layers").child("stage").child("enemies").children())
    {
        enemies.emplace_back(enemy.attribute("y").as_uint(), enemy.attribute("x").as_uint(),
                             enemy.attribute("type").value());
        const bool turret = LevelWriter::ApplyTurretSpeed(std::get<2>(enemies.back()));
        EXPECT_EQ(turret ? "0.025" : "", std::string(enemy.child_value("speed")));
    }
    EXPECT_TRUE(std::is_sorted(enemies.begin(), enemies.end()));
    EXPECT_EQ(std::make_tuple(90u, 13u, std::string("airboss001")), enemies.back());

    // The loader reads it as the arcade's levels; the boss must be killed to win.
    progress->GetData().m_killConditions = 0;
    const auto layers = XmlLayerLoader("|missions|pcg|over_earth|0000000042|structure.xml").Load();
    ASSERT_EQ(2u, layers.size());
    EXPECT_EQ(enemies.size(), layers[1]->GetEnemyCount());
    EXPECT_EQ(1u, progress->GetData().m_killConditions);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(CampaignMissionTest, AShortMissionHoldsOnlyItsBossAndTooShortOnesAreRefused)
{
    SetLength(30);
    const stable_ptr<pugi::xml_document> document = LoadXmlText(Generate(), "generated");
    const pugi::xml_node enemies = document->child("mission").child("layers").child("stage").child("enemies");
    EXPECT_EQ(1, std::distance(enemies.begin(), enemies.end()));
    EXPECT_EQ("13 30 airboss001 1", std::string(enemies.child("enemy").attribute("x").value()) + " " +
                                         enemies.child("enemy").attribute("y").value() + " " +
                                         enemies.child("enemy").attribute("type").value() + " " +
                                         std::to_string(bool(enemies.child("enemy").child("kill_to_win"))));

    const struct
    {
        unsigned length;
        const char* emptied;
        std::string message;
    } refusals[] = {
        {24, "", "length (in tiles) needed: 25, calculated: 24"},
        {25, "", "too few segments - include free start and boss"},
        {29, "", "too few segments - include free start and boss"},
        {30, "missions/enemysets", "to few ids available"},
        {30, "missions/segments", "to few ids available"},
    };
    for (const auto& refusal : refusals)
    {
        SetLength(refusal.length);
        if (*refusal.emptied)
        {
            std::filesystem::remove_all(root.GetPath() / refusal.emptied);
            std::filesystem::create_directories(root.GetPath() / refusal.emptied);
        }
        EXPECT_EQ(refusal.message, ThrownMessage<LogicError>([&] { missions->CreateMission(blueprint); }));
    }

    std::filesystem::remove_all(root.GetPath() / "missions/pcg");
    blueprint->m_seed = -1;
    EXPECT_THROW(missions->CreateMission(blueprint), LogicError);
    blueprint->m_seed = 2147483648L;
    EXPECT_EQ("seed 2147483648 is out of range", ThrownMessage<OutOfRangeError>([&] { Generate(); }));
    blueprint->m_seed = 42;
    blueprint->m_type = 1;
    EXPECT_THROW(missions->CreateMission(blueprint), LogicError);
    EXPECT_FALSE(std::filesystem::exists(root.GetPath() / "missions/pcg"));
}

TEST_F(CampaignMissionTest, EveryDifficultyASavingMayHoldBuildsItsMissionAndAThreatCurveOfZeroIsRefused)
{
    // Difficulty and boss row; threats past a million once broke the split's fixed tolerance of 0.1.
    for (const auto& [difficulty, bossRow] :
         std::map<unsigned long, unsigned>{{0, 90}, {50, 180}, {12403, 300}, {100000, 300}, {2147483647, 300}})
    {
        blueprint->m_difficulty = difficulty;
        const stable_ptr<pugi::xml_document> level = LoadXmlText(Generate(), "level");
        EXPECT_EQ(bossRow, level->select_node("//enemies/enemy[last()]/@y").attribute().as_uint()) << difficulty;
    }
    root.WriteFile("configuration/pcg/mission_difficulty_curve_0.graph", "<graph type='flat_line'><y>0</y></graph>");
    EXPECT_TRUE(std::regex_match(ThrownMessage<LogicError>([&] { Generate(); }),
                                 std::regex("testSum != missionThreat \\(-?nan != [0-9.]+e\\+16\\)")));
}

TEST_F(CampaignMissionTest, AGeneratedMissionStartsItsMusicFailsToEnterAndOpensItsSuccessorsWhenWon)
{
    struct Campaign : CampaignMissions
    {
        std::set<stable_ptr<MissionBlueprint>> missions;
        std::set<stable_ptr<MissionBlueprint>> GetMissions() const override { return missions; }
    };
    const auto campaign = std::make_shared<Campaign>();
    for (unsigned long id : {1, 4, 7, 9})
    {
        const stable_ptr<MissionBlueprint> each(new MissionBlueprint());
        each->m_id = id;
        campaign->missions.insert(each);
    }
    registry->Register<CampaignMissions>(create_stable_ptr<CampaignMissions>(campaign));
    blueprint->Successors = {4, 9};
    SetLength(30);

    for (bool won : {false, true})
    {
        const stable_ptr<Mission> mission = missions->CreateMission(blueprint);
        EXPECT_EQ("|missions|pcg|over_earth|0000000042", mission->GetDirectory());
        EXPECT_EQ("reseting ScrollSystem is missing is not implemented yet",
                  ThrownMessage<NotImplementedError>([&] { mission->OnEnter(); }));
        EXPECT_EQ(sf::Music::Playing, mission->GetMusic()->getStatus());
        EXPECT_TRUE(mission->GetMusic()->getLoop());
        EXPECT_EQ(mission->GetProgress(), GetFromRegistry<MissionProgress>().get_shared());
        if (won)
        {
            mission->OnUpdate();
            clock.Advance(6.5);
            mission->Draw();
        }
        mission->OnExit();
        EXPECT_FALSE(registry->IsRegistered<MissionProgress>());
        EXPECT_FALSE(mission->GetMusic());
        std::set<unsigned long> open;
        for (const stable_ptr<MissionBlueprint>& each : campaign->missions)
            if (each->Open)
                open.insert(each->m_id);
        EXPECT_EQ(won ? (std::set<unsigned long>{4, 9}) : std::set<unsigned long>(), open);
    }
}

TEST(LevelWriter, WritesEachRowAsRunsOfEqualTilesAndTurretsAtTheirSpeed)
{
    const struct
    {
        TileRow row;
        std::string written;
    } rows[] = {
        {TileRow(26, Tile(true, true, true, true, 0)), "tile_sequence 26x15 "},
        {[] {
             TileRow row(26, Tile(true, true, true, true, 0));
             row[12] = Tile();
             return row;
         }(),
         "tile_sequence 12x15 tile 65520 tile_sequence 13x15 "},
    };
    for (const auto& row : rows)
    {
        pugi::xml_document document;
        std::string written;
        for (const pugi::xml_node& run : LevelWriter::CreateTileRowElement(document, row.row).children())
        {
            const pugi::xml_attribute repeat = run.attribute("repeat");
            written += std::string(run.name()) + " " + (repeat ? repeat.value() + std::string("x") : "");
            written += std::string(run.text().get()) + " ";
        }
        EXPECT_EQ(row.written, written);
    }
    for (const char* turret : {"Turret001", "TURRETx", "turret"})
        EXPECT_TRUE(LevelWriter::ApplyTurretSpeed(turret)) << turret;
    for (const char* other : {"turre", "airturret", ""})
        EXPECT_FALSE(LevelWriter::ApplyTurretSpeed(other)) << other;
}
