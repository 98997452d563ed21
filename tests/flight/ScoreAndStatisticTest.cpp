#include "core/Exception.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/StatisticSystem.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ThrownMessage;

TEST(ScoreSystem, AdditionsWrapAround)
{
    ScoreSystem score;
    EXPECT_EQ(0u, score.score);
    score.score = 4294967290u;
    score.score += 10;
    EXPECT_EQ(4u, score.score);
}

TEST(StatisticSystem, RecordsPerMissionWithClampedKills)
{
    CapturedLog log;
    StatisticSystem statistics;
    EXPECT_EQ("forgot to call StatisticSystem::Load()?",
              ThrownMessage<LogicError>([&] { statistics.ResetCurrent(0, 1); }));
    EXPECT_EQ("forgot to call StatisticSystem::Load()?", ThrownMessage<LogicError>([&] { statistics.GetCurrent(); }));
    statistics.Load();
    const std::string twice = ThrownMessage<LogicError>([&] { statistics.Load(); });
    EXPECT_NE(std::string::npos, twice.find("StatisticSystem::Load"));
    EXPECT_EQ(" must not be called twice", twice.substr(twice.size() - 25));
    // Nothing is current before the first flight starts its record.
    EXPECT_NE("<nothing thrown>", ThrownMessage<LogicError>([&] { statistics.GetCurrent(); }));

    statistics.ResetCurrent(3, 20);
    for (int kill = 0; kill < 21; ++kill)
        statistics.GetCurrent().EnemyKilled();
    EXPECT_EQ(20u, statistics.GetCurrent().GetKilledEnemies());
    EXPECT_EQ(20u, statistics.GetCurrent().GetAvailableEnemies());
    EXPECT_EQ(1, std::count_if(log.GetLines().begin(), log.GetLines().end(), [](const std::string& line) {
                  return line.find("logic error: more enemies killed than available") != std::string::npos;
              }));

    // Earlier records were made empty; starting one leaves record 3 alone.
    statistics.ResetCurrent(1, 5);
    EXPECT_EQ(5u, statistics.GetCurrent().GetAvailableEnemies());
    EXPECT_EQ(0u, statistics.GetCurrent().GetKilledEnemies());
    statistics.ResetCurrent(0, 0);
    EXPECT_EQ(0u, statistics.GetCurrent().GetAvailableEnemies());
    statistics.GetCurrent().EnemyKilled();
    EXPECT_EQ(0u, statistics.GetCurrent().GetKilledEnemies());

    // Flying mission 3 again starts its kills afresh.
    statistics.ResetCurrent(3, 20);
    statistics.GetCurrent().EnemyKilled();
    EXPECT_EQ(1u, statistics.GetCurrent().GetKilledEnemies());
}
