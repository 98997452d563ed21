// Level files: the loader's grammar and errors, the stage letting its enemies
// in as the ground scrolls, the arcade mission's entry and exit, the arcade
// mission folders, and every shipped arcade level.
#include "levels/ArcadeMission.hpp"
#include "levels/Layer.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/TangibleLayer.hpp"
#include "levels/TangibleStage.hpp"
#include "levels/TileManager.hpp"
#include "levels/XmlLayerLoader.hpp"

#include "core/FlatLineGraph.hpp"
#include "core/GraphFactory.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/EnemySpawn.hpp"
#include "flight/FlyingEnemy.hpp"
#include "flight/HullFactory.hpp"
#include "flight/ShotManager.hpp"
#include "flight/Turret.hpp"
#include "flight/Weapon.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class LevelFileTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        LevelFileTest()
        {
            CreateAndRegister(new GraphFactory());
            tiles = CreateAndRegister(new TileManager());
            missions = CreateAndRegister(new MissionFactory());
            for (const char* folder : {"resources/tiles", "resources/music"})
                std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / folder, root.GetPath() / folder,
                                      std::filesystem::copy_options::recursive);
        }

        // Writes the level file of arcade mission 0 and returns its resource path.
        std::string WriteLevel(const std::string& layers, const std::string& rest = music + scroll,
                               const std::string& version = "version='1'")
        {
            root.WriteFile("missions/arcade/0000000000/structure.xml",
                           "<mission " + version + "><layers>" + layers + "</layers>" + rest + "</mission>");
            return "|missions|arcade|0000000000|structure.xml";
        }

        std::vector<std::shared_ptr<Layer>> LoadLevel(const std::string& layers)
        {
            return XmlLayerLoader(WriteLevel(layers)).Load();
        }

        static std::string Enemy(unsigned x, unsigned y, const std::string& type = "airship000",
                                 const std::string& extra = "")
        {
            return "<enemy x='" + std::to_string(x) + "' y='" + std::to_string(y) + "' type='" + type + "'>" + extra +
                   "</enemy>";
        }

        static std::string Stage(const std::string& enemies)
        {
            return "<stage type='tangible' scroll_factor='1'><enemies>" + enemies + "</enemies></stage>";
        }

        void ScrollTo(float pixels)
        {
            GetFromRegistry<ScrollSystem>()->Reset(stable_ptr<Graph>(new FlatLineGraph(pixels / 768.f)));
            FrameClock::SetFrameTime(1.f);
            GetFromRegistry<ScrollSystem>()->Update();
            FrameClock::SetFrameTime(0.f);
        }

        static inline const std::string music = "<background_music>1</background_music>";
        static inline const std::string scroll =
            "<scroll_behaviour><graph type='flat_line'><y>0.1</y></graph></scroll_behaviour>";
        static inline const std::string ground =
            "<layer type='tangible' scroll_factor='1'><tile_grid repeat='1'><tile_row repeat='30'>"
            "<tile_sequence repeat='26'>15</tile_sequence></tile_row></tile_grid></layer>";

        std::shared_ptr<TileManager> tiles;
        std::shared_ptr<MissionFactory> missions;
    };
}

TEST_F(LevelFileTest, LoaderReadsTheLayersInTheirOrderAndRefusesWhatTheFileMayNotHold)
{
    const auto onlyStage = LoadLevel(Stage(""));
    ASSERT_EQ(1u, onlyStage.size());
    EXPECT_NE(nullptr, dynamic_cast<TangibleStage*>(onlyStage[0].get()));

    const auto layers = LoadLevel(ground + "<layer type='procedural'/>" + Stage(Enemy(1, 1)) +
                                  "<layer type='sparse' scroll_factor='2'/><!-- clouds -->");
    ASSERT_EQ(4u, layers.size());
    EXPECT_NE(nullptr, dynamic_cast<TangibleLayer*>(layers[0].get()));
    EXPECT_EQ(1u, layers[2]->GetEnemyCount());
    EXPECT_EQ(2.f, layers[3]->GetScrollFactor());

    const std::string path = "|missions|arcade|0000000000|structure.xml";
    const struct
    {
        std::string layers, version, message;
    } errors[] = {
        {Stage("") + "\n" + Stage(""), "version='1'", ":2: contains multiple stages, only one allowed"},
        // A message that holds the path gets no second one.
        {ground, "version='1'", path + " does not contain a stage"},
        {Stage(""), "version='2'", ":1: Expected attribute version to be 1 but found 2"},
        {Stage(""), "", ":1: Expected mission to have version"},
        {"\n<background/>" + Stage(""), "version='1'", ":2: Unsupported layer type background"},
        {Stage("") + "\n\n<layer type='cloud' scroll_factor='1'/>", "version='1'", ":3: Layer type cloud unknown"},
        {"<stage type='sparse' scroll_factor='1'/>", "version='1'", ": Unsupported stage type sparse"},
        {"<stage type='procedural' scroll_factor='1'/>", "version='1'",
         ": create procedural stage is not implemented yet"},
        {"<stage type='tangible' scroll_factor='1'/>", "version='1'", ":1: no enemies element defined"},
        {"<stage scroll_factor='1'/>", "version='1'", ":1: attribute type does not exist in element stage"},
        {Stage(""), "version='one'", ":1: version one of element mission is not a number"},
        // What would end the flight only when the enemy comes in ends the loading.
        {Stage(Enemy(26, 1)), "version='1'", ": enemy airship000 at column 26 lies outside the field of 26 columns"},
        {Stage(Enemy(99999, 1)), "version='1'",
         ": enemy airship000 at column 99999 lies outside the field of 26 columns"},
        {Stage(Enemy(1, 1, "turret000", "<upgrades><upgrade>wpn000</upgrade><upgrade>wpn999</upgrade></upgrades>")),
         "version='1'", ": upgrade wpn999 of enemy turret000 names no item"},
        {Stage(Enemy(1, 1, "airship000", "<upgrades><upgrade>hul000</upgrade></upgrades>")), "version='1'",
         ": upgrade hul000 of enemy airship000 names no item"},
        {"<layer type='tangible' scroll_factor='1'><tile_grid repeat='1'>\n<tile_row repeat='1'>\n<tile>655x4</tile>"
         "</tile_row></tile_grid></layer>" + Stage(""),
         "version='1'", ":3: element tile holds 655x4, which is not an unsigned number"},
        {"<layer type='tangible' scroll_factor='1'><tile_grid repeat='1'>\n<tile_row repeat='1'><tile>1</tile>"
         "</tile_row></tile_grid></layer>" + Stage(""),
         "version='1'", ":2: row = 2"},
        {Stage("<turret x='1' y='1' type='turret000'/>"), "version='1'", ":1: Expected element enemy, found turret"},
    };
    for (const auto& error : errors)
    {
        WriteLevel(error.layers, music + scroll, error.version);
        EXPECT_EQ((error.message[0] == '|' ? "" : "missions/arcade/0000000000/structure.xml") + error.message,
                  ThrownMessage<Exception>([&] { XmlLayerLoader(path).Load(); }))
            << error.layers;
    }
    EXPECT_THROW(XmlLayerLoader(path).Load(), LogicError);
    root.WriteFile("missions/arcade/0000000000/structure.xml", "<mission version='1'>");
    EXPECT_THROW(XmlLayerLoader(path).Load(), XmlError);
    EXPECT_THROW(XmlLayerLoader("|missions|none.xml").Load(), XmlError);
    WriteLevel(Stage(""), "", "version='1'");
    root.WriteFile("missions/arcade/0000000000/structure.xml", "<mission version='1'/>");
    EXPECT_EQ("missions/arcade/0000000000/structure.xml:1: no layers element defined",
              ThrownMessage<XmlError>([&] { XmlLayerLoader(path).Load(); }));
}

TEST_F(LevelFileTest, StageLetsEnemiesInAsTheirRowsComeNearTheTopOfTheScreen)
{
    tiles->OnEnter();
    const auto layers = LoadLevel(Stage(Enemy(0, 27) + Enemy(5, 28) + Enemy(0, 30, "turret000") +
                                        Enemy(25, 30, "airship001", "<kill_to_win/>") +
                                        Enemy(25, 30, "airship001", "<kill_to_win>yes</kill_to_win>")));
    TangibleStage& stage = dynamic_cast<TangibleStage&>(*layers[0]);
    EXPECT_EQ(2u, progress->GetData().m_killConditions);
    EXPECT_EQ(5u, stage.GetEnemyCount());
    ScrollTo(0.f);
    stage.OnUpdate();
    EXPECT_EQ(4u, stage.GetEnemyCount());
    ScrollTo(31.f);
    stage.OnUpdate();
    EXPECT_EQ(4u, stage.GetEnemyCount());
    ScrollTo(32.f);
    stage.OnUpdate();
    EXPECT_EQ(3u, stage.GetEnemyCount());
    ScrollTo(96.f);
    stage.OnUpdate();
    EXPECT_EQ(0u, stage.GetEnemyCount());
    // The turret's tile centre at offset 96, moved by the stage's own update
    // with the ground (the scroll stands still here).
    const auto turrets = objects->GetObjects<Turret>();
    ASSERT_EQ(1u, turrets.size());
    EXPECT_EQ(sf::Vector2f(214.f, -112.f), (*turrets.begin())->GetPosition());
    EXPECT_EQ(4u, objects->GetObjects<FlyingEnemy>().size());
    stage.Draw();
    tiles->OnExit();
}

// Enemies due in the same frame come in by row, column and file order, the
// same in every run, whatever their addresses.
TEST_F(LevelFileTest, EnemiesDueTogetherComeInByRowColumnAndFileOrder)
{
    struct Recorder : ObjectSink
    {
        void Add(const stable_ptr<GameObject>& object) override
        {
            const auto enemy = std::dynamic_pointer_cast<Kestrum::Enemy>(object.get_shared());
            added.push_back((dynamic_cast<Turret*>(enemy.get()) ? "turret " : "airship ") +
                            std::to_string(int(enemy->GetPosition().x - TileToWorld(0, 0, 0.f).x) / 32));
        }
        std::vector<std::string> added;
    };
    tiles->OnEnter();
    const std::vector<std::string> expected = {"airship 9", "turret 3", "airship 3", "airship 5"};
    for (int run = 0; run < 2; ++run)
    {
        const auto recorder = std::make_shared<Recorder>();
        registry->Unregister<ObjectSink>();
        registry->Register<ObjectSink>(create_stable_ptr(std::shared_ptr<ObjectSink>(recorder)));
        const auto layers = LoadLevel(Stage(Enemy(5, 27) + Enemy(3, 27, "turret000") + Enemy(3, 27) + Enemy(9, 20)));
        ScrollTo(0.f);
        layers[0]->OnUpdate();
        EXPECT_EQ(expected, recorder->added) << run;
    }
    tiles->OnExit();
}

// A broken number in a file of each kind: the error names the element or
// attribute and the text, and its entry in the log the file.
TEST_F(LevelFileTest, ABrokenNumberIsReportedWithItsFileElementAndText)
{
    const std::string level = WriteLevel(ground + Stage(""));
    const struct
    {
        std::string file, from, to, record, message;
        std::function<void()> load;
    } cases[] = {
        {"resources/equipment/hulls/000/details.xml", "<strength>100<", "<strength>nan<",
         "resources|equipment|hulls|000|details.xml",
         "resources/equipment/hulls/000/details.xml:5: element strength holds nan, which is not an unsigned number",
         [] { HullFactory hulls; hulls.Load(); hulls.Create("000"); }},
        {"resources/equipment/weapons/000/details.xml", "price=\"500\"", "price=\"0x20\"",
         "resources|equipment|weapons|000|details.xml",
         "attribute price of element increment holds 0x20, which is not an unsigned number",
         [] { Weapon::Create("000", false); }},
        {"resources/equipment/weapons/shots/000/fly.action", "width=\"28\"", "width=\"1e30\"",
         "resources|equipment|weapons|shots|000|fly.action",
         "attribute width of element sprite holds 1e30, which is not a whole number",
         [] { ShotManager().Warm(0, false); }},
        {"resources/equipment/hulls/000/cruise.animation", "index=\"0\"", "index=\"4294967296\"",
         "resources|equipment|hulls|000|cruise.animation",
         "attribute index of element frame holds 4294967296, which is not an unsigned number",
         [] { ResourceManager().CreateAnimation("resources|equipment|hulls|000|cruise.animation"); }},
        {"resources/equipment/hulls/000/ship.spritelist", "x=\"96\"", "x=\"nan\"",
         "resources|equipment|hulls|000|ship.spritelist",
         "attribute x of element sprite holds nan, which is not a whole number",
         [] { ResourceManager().GetSpriteList("resources|equipment|hulls|000|ship.spritelist"); }},
        {"resources/enemies/airships/000/details.xml", "<score_points>100<", "<score_points>-1<",
         "$resources|enemies|airships|000|details.xml",
         "resources/enemies/airships/000/details.xml:5: element score_points holds -1, which is not an unsigned number",
         [&] { enemies->Create("airship000"); }},
        {"resources/enemies/turrets/000/details.xml", "<volley_size>2<", "<volley_size>1e30<",
         "$resources|enemies|turrets|000|details.xml",
         "element volley_size holds 1e30, which is not an unsigned number",
         [&] { enemies->Create("turret000"); }},
        {"resources/enemies/airbosss/001/details.xml", "<hit_points>1400<", "<hit_points>0x20<",
         "$resources|enemies|airbosss|001|details.xml",
         "element hit_points holds 0x20, which is not an unsigned number",
         [&] { enemies->Create("airboss001"); }},
        {"resources/enemies/factory_database.txt", "0.1   6 ", "0.1   nan ", "resources|enemies|factory_database.txt",
         "resources/enemies/factory_database.txt: the hit points of airship000 holds nan, which is not an unsigned "
         "number",
         [] { EnemyFactory().Load(); }},
        {"missions/arcade/0000000000/structure.xml", ">15<", ">0x20<", level,
         "missions/arcade/0000000000/structure.xml:1: element tile_sequence holds 0x20, which is not an unsigned number",
         [&] { XmlLayerLoader(level).Load(); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.file);
        std::ifstream stream(root.GetPath() / c.file);
        const std::string original{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
        ASSERT_NE(std::string::npos, original.find(c.from));
        root.WriteFile(c.file, std::string(original).replace(original.find(c.from), c.from.size(), c.to));
        KESTRUM_GUARDED(c.load(); ADD_FAILURE() << "loaded";)
        root.WriteFile(c.file, original);
        EXPECT_TRUE(log.Contains(c.message));
        EXPECT_TRUE(log.Contains("[Kestrum::tag_resource_file*] = " + c.record + "\n"));
    }
}

TEST_F(LevelFileTest, ArcadeMissionEntersScrollsCountsAndLeaves)
{
    EXPECT_EQ("|missions|arcade|0000000007", GetArcadeMissionDirectory(7));
    EXPECT_FALSE(missions->ArcadeMissionExists(0));
    root.WriteFile("missions/arcade/0000000001", "not a folder");
    EXPECT_FALSE(missions->ArcadeMissionExists(1));
    WriteLevel(ground + Stage(Enemy(3, 40) + Enemy(4, 40, "airship001", "<kill_to_win/>")) +
               "<layer type='procedural'/>");
    ASSERT_TRUE(missions->ArcadeMissionExists(0));

    const auto mission = missions->CreateArcadeMission(0);
    EXPECT_EQ("|missions|arcade|0000000000", mission->GetDirectory());
    EXPECT_THROW(mission->OnUpdate(), LogicError);
    EXPECT_THROW(mission->Completed(), LogicError);
    GetFromRegistry<ScrollSystem>()->Reset(stable_ptr<Graph>(new FlatLineGraph(5.f)));
    registry->Unregister<MissionProgress>();
    mission->OnEnter();
    EXPECT_EQ(2u, mission->GetTotalEnemyCount());
    EXPECT_EQ(1u, GetFromRegistry<MissionProgress>()->GetData().m_killConditions);
    EXPECT_EQ(0.f, GetFromRegistry<ScrollSystem>()->GetPosition());
    EXPECT_THROW(mission->OnEnter(), LogicError);

    GetFromRegistry<StatisticSystem>()->ResetCurrent(0, mission->GetTotalEnemyCount());
    FrameClock::SetFrameTime(0.5f);
    for (int i = 0; i < 20; ++i)
    {
        GetFromRegistry<ScrollSystem>()->Update();
        mission->OnUpdate();
        mission->Draw();
    }
    EXPECT_FLOAT_EQ(1.f, GetFromRegistry<ScrollSystem>()->GetPosition()) << "0.1 window heights a second";
    EXPECT_EQ(0u, mission->GetTotalEnemyCount());
    EXPECT_FALSE(mission->Completed());
    EXPECT_FALSE(mission->Failed());

    mission->OnExit();
    EXPECT_FALSE(registry->IsRegistered<MissionProgress>());
    EXPECT_THROW(mission->OnExit(), LogicError);
    EXPECT_THROW(tiles->OnExit(), LogicError) << "left";

    // A level of another version fails in the loader, after the progress is
    // registered and the tile manager entered.
    WriteLevel(Stage(""), music + scroll, "version='2'");
    const auto broken = missions->CreateArcadeMission(0);
    EXPECT_THROW(broken->OnEnter(), LogicError);
    EXPECT_TRUE(registry->IsRegistered<MissionProgress>());
    EXPECT_THROW(tiles->OnEnter(), LogicError);
    tiles->OnExit();

    const struct
    {
        std::string rest, message;
    } errors[] = {
        {scroll, "no background_music element defined"},
        {music, "no scroll_behaviour element defined"},
        {music + "<scroll_behaviour><!-- none --></scroll_behaviour>", "no curve element defined in scroll_behaviour"},
        {"<background_music>12</background_music>" + scroll, "resources/music/0000000012.ogg"},
    };
    for (const auto& error : errors)
    {
        WriteLevel(Stage(""), error.rest);
        const std::string message = ThrownMessage<Exception>([&] { missions->CreateArcadeMission(0)->OnEnter(); });
        EXPECT_NE(std::string::npos, message.find(error.message)) << message;
        tiles->OnExit();
    }
}
