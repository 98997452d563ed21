#include "presentation/PositionSequence.hpp"
#include "presentation/RotationSequence.hpp"
#include "presentation/TriggerSequence.hpp"

#include "presentation/PlainBody.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Kestrum;
using Kestrum::Testing::PlainBody;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class TransitionSequenceTest : public ::testing::Test
    {
    protected:
        stable_ptr<PlainBody> group = PlainBody::Create();
        stable_ptr<PlainBody> part = PlainBody::Create();
    };
}

TEST_F(TransitionSequenceTest, PositionKeysMoveThePartFromWhereItStands)
{
    PositionSequence keys(part);
    keys.Add(1.f, sf::Vector2f(100.f, 0.f));
    // Every start plays a fresh clone; the loaded sequence itself never runs.
    const stable_ptr<TransitionSequence> first = keys.Clone();
    EXPECT_FALSE(first->Execute(0.25f, *group));
    EXPECT_EQ(sf::Vector2f(25.f, 0.f), part->GetPosition());
    EXPECT_FALSE(first->Execute(0.5f, *group));
    EXPECT_EQ(sf::Vector2f(50.f, 0.f), part->GetPosition());
    EXPECT_TRUE(first->Execute(1.5f, *group));
    EXPECT_EQ(sf::Vector2f(100.f, 0.f), part->GetPosition());
    const int moves = part->positionsSet;
    EXPECT_TRUE(first->Execute(2.f, *group));
    EXPECT_TRUE(first->IsEmpty());
    EXPECT_EQ(moves, part->positionsSet);

    // In a group at (200, 300) turned by 90 the key lies at (200, 400), fixed
    // when the clone first runs: moving the group later does not shift it.
    EXPECT_FALSE(keys.IsEmpty());
    part->SetPosition(0.f, 0.f);
    group->SetPosition(200.f, 300.f);
    group->SetRotation(90.f);
    const stable_ptr<TransitionSequence> second = keys.Clone();
    EXPECT_FALSE(second->Execute(0.5f, *group));
    EXPECT_NEAR(100.f, part->GetPositionX(), 1e-3f);
    EXPECT_NEAR(200.f, part->GetPositionY(), 1e-3f);
    group->MovePosition(1000.f, 1000.f);
    EXPECT_TRUE(second->Execute(1.f, *group));
    EXPECT_NEAR(200.f, part->GetPositionX(), 1e-3f);
    EXPECT_NEAR(400.f, part->GetPositionY(), 1e-3f);

    // A clone of a started sequence goes on from where it stood.
    PositionSequence fromZero(part);
    fromZero.Add(0.f, sf::Vector2f(0.f, 0.f));
    fromZero.Add(2.f, sf::Vector2f(20.f, 0.f));
    EXPECT_FALSE(fromZero.Execute(1.f, *PlainBody::Create()));
    const stable_ptr<TransitionSequence> later = fromZero.Clone();
    EXPECT_FALSE(later->Execute(1.5f, *group));
    EXPECT_FLOAT_EQ(15.f, part->GetPositionX());
}

TEST_F(TransitionSequenceTest, RotationKeysAreInterpolatedAsPlainNumbers)
{
    const struct
    {
        float groupRotation;
        float elapsed;
        float expected;
    } cases[] = {{30.f, 0.5f, 45.f}, {0.f, 1.f, 20.f}, {0.f, 0.f, 10.f}};
    for (const auto& each : cases)
    {
        group->SetRotation(each.groupRotation);
        RotationSequence keys(part);
        keys.Add(0.f, 10.f);
        keys.Add(1.f, 20.f);
        keys.Add(2.f, 0.f);
        keys.Execute(each.elapsed, *group);
        EXPECT_FLOAT_EQ(each.expected, part->GetRotation()) << each.elapsed;
    }

    group->SetRotation(0.f);
    RotationSequence acrossZero(part);
    acrossZero.Add(0.f, 350.f);
    acrossZero.Add(1.f, 10.f);
    acrossZero.Execute(0.5f, *group);
    EXPECT_FLOAT_EQ(180.f, part->GetRotation());

    // A sequence whose only key is at 0 applies it and finishes at once; two
    // keys at one time point keep the later value.
    RotationSequence once(part);
    once.Add(0.f, 45.f);
    once.Add(0.f, 60.f);
    EXPECT_TRUE(once.Execute(0.f, *group));
    EXPECT_FLOAT_EQ(60.f, part->GetRotation());
}

TEST_F(TransitionSequenceTest, RefusesBadTimes)
{
    RotationSequence keys(part);
    EXPECT_EQ("time point must not be negative",
              ThrownMessage<InvalidArgumentError>([&] { keys.Add(-0.1f, 1.f); }));
    EXPECT_TRUE(keys.Execute(-1.f, *group)) << "an empty sequence has finished";
    keys.Add(1.f, 90.f);
    EXPECT_EQ("elapsed time must not be negative",
              ThrownMessage<InvalidArgumentError>([&] { keys.Execute(-1.f, *group); }));
    keys.Execute(0.5f, *group);
    EXPECT_EQ("can not add new state when execution already begun",
              ThrownMessage<RuntimeError>([&] { keys.Add(2.f, 1.f); }));
}

TEST_F(TransitionSequenceTest, TriggersFireOnceInTimeOrder)
{
    std::string fired;
    TriggerSequence::Triggers triggers;
    triggers.emplace(0.5f, [&] { fired += "c"; });
    triggers.emplace(0.2f, [&] { fired += "a"; });
    triggers.emplace(0.2f, [&] { fired += "b"; });
    TriggerSequence loaded(triggers);
    const stable_ptr<TransitionSequence> running = loaded.Clone();
    EXPECT_FALSE(running->Execute(0.1f, *group));
    EXPECT_EQ("", fired);
    EXPECT_FALSE(running->Execute(0.3f, *group));
    EXPECT_EQ("ab", fired);
    EXPECT_TRUE(running->Execute(0.6f, *group));
    EXPECT_EQ("abc", fired);
    EXPECT_TRUE(running->Execute(0.7f, *group));
    EXPECT_EQ("abc", fired);
    EXPECT_FALSE(loaded.IsEmpty());
    EXPECT_TRUE(loaded.Clone()->Execute(1.f, *group));
    EXPECT_EQ("abcabc", fired);
}
