#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EnemySet.hpp"
#include "levels/MissionSegment.hpp"
#include "levels/MissionSegmentTemplate.hpp"
#include "levels/ThreatSystem.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>


using namespace Kestrum;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

TEST(MissionSegmentTemplate, ReadsEntriesOfFourValues)
{
    ScratchGameRoot root;
    const std::string file = (root.GetPath() / "t.s.txt").string();
    MissionSegmentTemplate segment;

    root.WriteFile("t.s.txt", "fly3 left 0.25 0.5\nFLY3 right 0.75 1\tTurret1 gun 0 0\n");
    segment.Load(file);
    ASSERT_EQ(3u, segment.GetEntries().size());
    const MissionSegmentTemplate::Entry& right = segment.GetEntries()[1];
    EXPECT_EQ(2u, right.enemyClass);
    EXPECT_EQ("right", right.name);
    EXPECT_FLOAT_EQ(0.75f, right.x);
    EXPECT_FLOAT_EQ(1.f, right.y);
    EXPECT_EQ("", right.variant);
    EXPECT_EQ(4u, segment.GetEntries()[2].enemyClass);

    // Each failure keeps the entries read before.
    root.WriteFile("t.s.txt", "Fly1 a 0.5 0.5 Fly2 b");
    EXPECT_EQ("odd count of values in " + file + " encountered",
              ThrownMessage<LoadError>([&] { segment.Load(file); }));
    root.WriteFile("t.s.txt", "Fly5 a 0.5 0.5");
    EXPECT_EQ(file + ": Fly5 is unknown enemy class", ThrownMessage<UnknownTypeError>([&] { segment.Load(file); }));
    root.WriteFile("t.s.txt", "Fly1 a half 0.5");
    EXPECT_EQ(file + ": the x of entry a holds half, which is not a number",
              ThrownMessage<XmlError>([&] { segment.Load(file); }));
    EXPECT_EQ(3u, segment.GetEntries().size());

    root.WriteFile("t.s.txt", "");
    segment.Load(file);
    EXPECT_TRUE(segment.GetEntries().empty());
    EXPECT_EQ(file + "x is not a regular file",
              ThrownMessage<LoadError>([&] { segment.Load(file + "x"); }));
}

TEST(MissionSegmentTemplate, YieldsOneSegmentForEveryChoiceOfVariants)
{
    ScratchGameRoot root;
    const stable_ptr<Registry> registry = Registry::Create();
    CreateAndRegister(new ResourceManager());
    CreateAndRegister(new ThreatSystem());
    root.WriteFile("resources/enemies/factory_database.txt",
                   "fly000 501 0 4 1 1 fly001 501 0 4 1 1 fly002 501 0 4 1 1 gun000 501 0 4 1 1");
    CreateAndRegister(new EnemyFactory())->Load();
    root.WriteFile("set.es.txt", "Fly1 fly000 Fly1 fly001 Fly1 fly002 Fly2 fly000 Fly3 fly000 Fly4 fly000 "
                                 "Turret1 fly000 Turret1 gun000");
    EnemySet enemies;
    enemies.Load("set.es.txt");
    MissionSegmentTemplate segment;

    root.WriteFile("t.s.txt", "Fly1 lead 0.5 1 Turret1 gun 0.25 0.5");
    segment.Load("t.s.txt");
    const std::vector<MissionSegment> segments = MissionSegmentTemplate::CreateSegments(segment, enemies);
    ASSERT_EQ(6u, segments.size());
    std::string variants;
    for (const MissionSegment& each : segments)
    {
        ASSERT_EQ(2u, each.entries.size());
        EXPECT_EQ(0.f, each.threat);
        EXPECT_EQ("gun", each.entries[0].name) << "last template entry first";
        variants += each.entries[1].variant.substr(5) + each.entries[0].variant.substr(0, 1) + " ";
    }
    EXPECT_EQ("0f 0g 1f 1g 2f 2g ", variants);

    root.WriteFile("t.s.txt", "");
    segment.Load("t.s.txt");
    ASSERT_EQ(1u, MissionSegmentTemplate::CreateSegments(segment, enemies).size());
    EXPECT_TRUE(MissionSegmentTemplate::CreateSegments(segment, enemies)[0].entries.empty());
}
