// Every enemy definition, the enemy database, the enemy sets and the segment
// templates of the built game root load through the game's own loaders.
#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/EnemySet.hpp"
#include "levels/MissionDataLists.hpp"
#include "levels/MissionSegmentTemplate.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;

TEST(EnemyData, DatabaseSetsAndTemplatesOfTheGameLoad)
{
    ScratchGameRoot root;
    CapturedLog log;
    for (const char* folder : {"resources", "missions"})
        root.CopyFromGameRoot(folder);
    const stable_ptr<Registry> registry = Registry::Create();
    auto resources = CreateAndRegister(new ResourceManager());
    auto factory = CreateLoadAndRegister(new EnemyFactory());
    EXPECT_GE(factory->GetEnemyTypes().size(), 7u);

    const std::vector<unsigned long> sets = MissionDataLists::GetEnemySetIDs();
    EXPECT_GE(sets.size(), 2u);
    for (unsigned long id : sets)
        MissionDataLists::GetEnemySet(id);

    const std::vector<unsigned long> templates = MissionDataLists::GetMissionSegmentTemplateIDs();
    EXPECT_GE(templates.size(), 2u);
    for (unsigned long id : templates)
    {
        // Held here: the entries live only as long as their template.
        const auto segmentTemplate = MissionDataLists::GetMissionSegmentTemplate(id);
        for (const MissionSegmentTemplate::Entry& entry : segmentTemplate->GetEntries())
        {
            // On the field: a column of 0 to 25, a row inside the stretch.
            EXPECT_TRUE(entry.x >= 0.f && entry.x < 1.f) << id << " " << entry.name;
            EXPECT_TRUE(entry.y >= 0.f && entry.y <= 1.f) << id << " " << entry.name;
        }
    }
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}

namespace
{
    class EnemyContentTest : public Kestrum::Testing::EnemyFixture
    {
    };
}

// Every type of the database is made, placed and flown for a moment; the
// airships and turrets of the folders are all in the database.
TEST_F(EnemyContentTest, EveryEnemyOfTheGameLoadsAndFlies)
{
    PlacePlayer({614.f, 700.f});
    std::set<std::string> made;
    for (const std::string& type : enemies->GetEnemyTypes())
    {
        const std::shared_ptr<GameObject> object = enemies->Create(type).get_shared();
        auto& enemy = dynamic_cast<Enemy&>(*object);
        enemy.Reset({614.f, 100.f});
        objects->Add(create_stable_ptr(object));
        made.insert(type);
    }
    RunFrames(30);
    objects->Draw();
    EXPECT_EQ(8u, made.size());
    for (const char* folder : {"airships", "turrets"})
        for (const auto& entry : std::filesystem::directory_iterator(root.GetPath() / "resources/enemies" / folder))
            EXPECT_TRUE(made.count(std::string(folder).substr(0, std::string(folder).size() - 1) +
                                   entry.path().filename().string()))
                << entry.path();
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}
