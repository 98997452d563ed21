// Every enemy definition, the enemy database, the enemy sets and the segment
// templates of the built game root load through the game's own loaders.
#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EnemySet.hpp"
#include "levels/MissionSegmentTemplate.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;

TEST(EnemyContent, DatabaseSetsAndTemplatesOfTheGameLoad)
{
    ScratchGameRoot root;
    CapturedLog log;
    for (const char* folder : {"resources", "missions"})
        std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / folder, root.GetPath() / folder,
                              std::filesystem::copy_options::recursive);
    const stable_ptr<Registry> registry = Registry::Create();
    auto resources = CreateAndRegister(new ResourceManager());
    auto factory = CreateLoadAndRegister(new EnemyFactory());
    EXPECT_GE(factory->GetEnemyTypes().size(), 7u);

    const std::vector<unsigned long> sets = resources->GetEnemySetIDs();
    EXPECT_GE(sets.size(), 2u);
    for (unsigned long id : sets)
        resources->GetEnemySet(id);

    const std::vector<unsigned long> templates = resources->GetMissionSegmentTemplateIDs();
    EXPECT_GE(templates.size(), 2u);
    for (unsigned long id : templates)
        for (const MissionSegmentTemplate::Entry& entry : resources->GetMissionSegmentTemplate(id)->GetEntries())
        {
            // On the field: a column of 0 to 25, a row inside the stretch.
            EXPECT_TRUE(entry.x >= 0.f && entry.x < 1.f) << id << " " << entry.name;
            EXPECT_TRUE(entry.y >= 0.f && entry.y <= 1.f) << id << " " << entry.name;
        }
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}
