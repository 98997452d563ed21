#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"
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

TEST(MissionDataLists, ListOnlyFilesNamedByTheirIdentifier)
{
    ScratchGameRoot root;
    CapturedLog log;
    const stable_ptr<Registry> registry = Registry::Create();
    auto resources = CreateAndRegister(new ResourceManager());
    auto factory = CreateAndRegister(new EnemyFactory());
    root.WriteFile("resources/enemies/factory_database.txt", "airship000 501 0.1 4 1 1 turret000 501 0 4 1 1");
    factory->Load();

    const std::string set = "Fly1 airship000 Fly2 airship000 Fly3 airship000 Fly4 airship000 Turret1 turret000";
    for (const char* name : {"0000000010.es.txt", "0000000002.es.txt", "0000000012.es.txt"})
        root.WriteFile(std::string("missions/enemysets/") + name, set);
    // Strays: a note, an editor's copy, a short name, a number beyond 32 bits.
    for (const char* name : {"README", "0000000003.es.txt.bak", "0000000003_copy.txt", "12.es.txt",
                             "9999999999.es.txt", "000000000x.es.txt"})
        root.WriteFile(std::string("missions/enemysets/") + name, set);
    std::filesystem::create_directories(root.GetPath() / "missions/enemysets/0000000004.es.txt");
    EXPECT_EQ((std::vector<unsigned long>{2, 10, 12}), MissionDataLists::GetEnemySetIDs());
    EXPECT_TRUE(log.Contains("0000000003.es.txt.bak: enemy set files are named by ten digits and .es.txt"));
    EXPECT_EQ(6u, log.GetLines().size());

    // Every call reads the file anew into a separate object.
    const stable_ptr<EnemySet> first = MissionDataLists::GetEnemySet(12);
    root.WriteFile("missions/enemysets/0000000012.es.txt", set + " Fly1 turret000");
    EXPECT_EQ(1u, first->GetVariants(0).size());
    EXPECT_EQ(2u, MissionDataLists::GetEnemySet(12)->GetVariants(0).size());
    EXPECT_THROW(MissionDataLists::GetEnemySet(7), LoadError);

    EXPECT_THROW(MissionDataLists::GetMissionSegmentTemplateIDs(), std::filesystem::filesystem_error);
    std::filesystem::create_directories(root.GetPath() / "missions/segments");
    EXPECT_TRUE(MissionDataLists::GetMissionSegmentTemplateIDs().empty());
    root.WriteFile("missions/segments/0000000007.s.txt", "Fly2 a 0.5 0.5");
    root.WriteFile("missions/segments/0000000007.es.txt", "");
    EXPECT_EQ(std::vector<unsigned long>{7}, MissionDataLists::GetMissionSegmentTemplateIDs());
    EXPECT_EQ(1u, MissionDataLists::GetMissionSegmentTemplate(7)->GetEntries()[0].enemyClass);
}
