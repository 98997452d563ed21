#include "core/Exception.hpp"
#include "levels/MissionSegmentTemplate.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <boost/lexical_cast.hpp>

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
    EXPECT_EQ("odd count of values in " + file + " encountered", ThrownMessage<LoadError>([&] { segment.Load(file); }));
    root.WriteFile("t.s.txt", "Fly5 a 0.5 0.5");
    EXPECT_EQ("Fly5 is unknown enemy class", ThrownMessage<UnknownTypeError>([&] { segment.Load(file); }));
    root.WriteFile("t.s.txt", "Fly1 a half 0.5");
    EXPECT_THROW(segment.Load(file), boost::bad_lexical_cast);
    EXPECT_EQ(3u, segment.GetEntries().size());

    root.WriteFile("t.s.txt", "");
    segment.Load(file);
    EXPECT_TRUE(segment.GetEntries().empty());
    EXPECT_EQ(file + "x is not a regular file", ThrownMessage<LoadError>([&] { segment.Load(file + "x"); }));
}
