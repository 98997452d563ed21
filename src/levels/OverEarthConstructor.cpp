#include "levels/OverEarthConstructor.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Graph.hpp"
#include "core/GraphFactory.hpp"
#include "core/LogSystem.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/Registry.hpp"
#include "flight/EnemySet.hpp"
#include "flight/EnemySpawn.hpp"
#include "levels/LevelWriter.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionDataLists.hpp"
#include "levels/MissionSegment.hpp"
#include "levels/MissionSegmentTemplate.hpp"
#include "levels/Tile.hpp"
#include "levels/TileManager.hpp"
#include "levels/TileSet.hpp"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace Kestrum
{
    namespace
    {
        const unsigned segmentRows = 15;
        const float segmentPixels = 480.f;
        const unsigned holeChances = 200;
        const float turretSpeed = 0.025f;
        const unsigned long music = 1;
        const unsigned bossColumn = 13;

        const char* const lengthCurve = "|configuration|pcg|difficulty_to_misson_length.graph";
        const char* const threatCurve = "|configuration|pcg|difficulty_to_mission_threat.graph";
        const char* const difficultyCurve = "|configuration|pcg|mission_difficulty_curve_0.graph";

        stable_ptr<Graph> LoadCurve(const char* path)
        {
            return GetFromRegistry<GraphFactory>()->Create(path);
        }

        void SeedWith(RandomNumberGenerator& generator, long seed)
        {
            OverEarthConstructor::CheckSeed(seed);
            generator.Seed(std::int32_t(seed));
        }

        std::vector<unsigned long> GetEnemySetPool(RandomNumberGenerator& generator)
        {
            std::vector<unsigned long> ids = MissionDataLists::GetEnemySetIDs();
            V2::FilterRandomIDs(ids, generator);
            return ids;
        }

        std::vector<unsigned long> GetSegmentTemplatePool(RandomNumberGenerator& generator)
        {
            std::vector<unsigned long> ids = MissionDataLists::GetMissionSegmentTemplateIDs();
            V2::FilterRandomIDs(ids, generator);
            return ids;
        }

        // A row of 26 full tiles of the set.
        TileRow CreateFullRow(unsigned long tileSet)
        {
            const unsigned long id = GetFromRegistry<TileManager>()->GetTileSet(tileSet)->GetID();
            return TileRow(TilesPerRow, Tile(true, true, true, true, id));
        }

        void ConstructOverEarthMission(const MissionBlueprint& blueprint, const std::string& directory)
        {
            RandomNumberGenerator ground;
            SeedWith(ground, blueprint.m_seed);
            const std::set<stable_ptr<EnemySpawn>> spawns = V2::CreateEnemies(blueprint);

            const TileRow plain = CreateFullRow(0);
            const TileRow banded = CreateFullRow(1);
            const unsigned length = GetMissionLength(blueprint.m_difficulty);
            TileGrid grid;
            for (unsigned k = length; k >= 1; --k)
            {
                TileRow row = k % 5 == 0 ? banded : plain;
                const unsigned r = unsigned(ground.Next()) % holeChances;
                if (r < TilesPerRow)
                    row[r] = Tile();
                grid.push_back(std::move(row));
            }
            LevelWriter::WriteDefinition(directory, blueprint, turretSpeed, grid, music, spawns);
        }
    }

    void OverEarthConstructor::CheckSeed(long seed)
    {
        if (seed < 0)
            BOOST_THROW_EXCEPTION(LogicError("seed " + std::to_string(seed) + " is too small"));
        // The generator's random numbers take 32-bit seeds.
        if (seed > std::numeric_limits<std::int32_t>::max())
            BOOST_THROW_EXCEPTION(OutOfRangeError("seed " + std::to_string(seed) + " is out of range"));
    }

    OverEarthConstructor::OverEarthConstructor() = default;
    OverEarthConstructor::~OverEarthConstructor() = default;

    void OverEarthConstructor::Construct(const MissionBlueprint& blueprint, const std::string& directory)
    {
        ConstructOverEarthMission(blueprint, directory);
    }

    std::ptrdiff_t RNGToSTLAdapter::operator()(std::ptrdiff_t n)
    {
        if (n == 0)
            BOOST_THROW_EXCEPTION(LogicError("divison by zero not allowed"));
        return std::ptrdiff_t(m_generator.Next()) % n;
    }

    std::vector<MissionSegment> CreateSegmentPool(RandomNumberGenerator& generator)
    {
        const std::vector<unsigned long> enemySetIds = GetEnemySetPool(generator);
        const std::vector<unsigned long> templateIds = GetSegmentTemplatePool(generator);
        std::vector<MissionSegment> pool;
        for (unsigned long setId : enemySetIds)
        {
            const stable_ptr<EnemySet> enemySet = MissionDataLists::GetEnemySet(setId);
            for (unsigned long templateId : templateIds)
            {
                const std::vector<MissionSegment> segments = MissionSegmentTemplate::CreateSegments(
                    *MissionDataLists::GetMissionSegmentTemplate(templateId), *enemySet);
                pool.insert(pool.end(), segments.begin(), segments.end());
            }
        }
        return pool;
    }

    unsigned GetMissionLength(unsigned long difficulty)
    {
        const float rows = LoadCurve(lengthCurve)->Evaluate(float(difficulty));
        // Also 0 for a value that is not a number.
        if (!(rows > 0.f))
            return 0;
        return rows < 4294967040.f ? unsigned(rows) : std::numeric_limits<unsigned>::max();
    }

    float GetMissionThreat(unsigned long difficulty)
    {
        const stable_ptr<PCGConfiguration> configuration = GetFromRegistry<ConfigurationSystem>()->GetPCGConfiguration();
        const float maximum = float(configuration->GetDifficultyMaximum());
        return LoadCurve(threatCurve)->Evaluate(float(difficulty) / maximum);
    }

    stable_ptr<EnemySpawn> CreateBossSpawn(unsigned long row)
    {
        const stable_ptr<EnemySpawn> boss(new EnemySpawn(bossColumn, unsigned(row), "airboss001", {}));
        boss->SetKillToWin(true);
        return boss;
    }

    namespace V2
    {
        std::set<stable_ptr<EnemySpawn>> CreateEnemies(const MissionBlueprint& blueprint)
        {
            std::set<stable_ptr<EnemySpawn>> spawns;
            RandomNumberGenerator generator;
            SeedWith(generator, blueprint.m_seed);
            const std::vector<MissionSegment> pool = CreateSegmentPool(generator);
            const unsigned n = CalculateSegmentCount(blueprint);
            if (n < 2)
                BOOST_THROW_EXCEPTION(LogicError("too few segments - include free start and boss"));
            const std::vector<float> threats = ComputeSegmentThreats(blueprint, n);
            if (threats.size() != n)
                BOOST_THROW_EXCEPTION(LogicError("segmentThreats has wrong size"));

            // The free start's threat goes to the first chosen segment; what is
            // left after the last one is the boss's.
            float carried = 0.f;
            *Log(LogLevel::debug) << "threats of segments:";
            {
                const LogIndent indent;
                for (unsigned i = 0; i < n; ++i)
                {
                    carried += threats[i];
                    if (i == 0 || i == n - 1)
                        continue;
                    const MissionSegment& segment = ChooseSegment(pool, carried);
                    carried -= segment.threat;
                    *Log(LogLevel::debug) << "segment " << i << ": " << segment.threat;
                    const std::set<stable_ptr<EnemySpawn>> created = segment.CreateSpawns(float(i) * segmentPixels);
                    spawns.insert(created.begin(), created.end());
                }
            }
            spawns.insert(CreateBossSpawn(segmentRows * n));
            *Log(LogLevel::debug) << "(theoretical) boss threat: " << carried;
            return spawns;
        }

        unsigned CalculateSegmentCount(const MissionBlueprint& blueprint)
        {
            const unsigned length = GetMissionLength(blueprint.m_difficulty);
            const float needed = GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y * 0.03125f + 1.f;
            if (float(length) < needed)
                BOOST_THROW_EXCEPTION(LogicError(
                    (boost::format("length (in tiles) needed: %1%, calculated: %2%") % needed % length).str()));
            return length / segmentRows;
        }

        std::vector<float> ComputeSegmentThreats(const MissionBlueprint& blueprint, unsigned n)
        {
            std::vector<float> threats(n, 0.f);
            const stable_ptr<Graph> curve = LoadCurve(difficultyCurve);
            const float missionThreat = GetMissionThreat(blueprint.m_difficulty);
            *Log(LogLevel::debug) << "mission threat: " << missionThreat;

            const float step = 1.f / float(n);
            float x = step * 0.5f;
            for (float& threat : threats)
            {
                threat = curve->Evaluate(x);
                x += step;
            }

            *Log(LogLevel::debug) << "threats of segments:";
            {
                const LogIndent indent;
                double sum = 0.0;
                for (float threat : threats)
                    sum += threat;
                const double scale = missionThreat / sum;
                for (float& threat : threats)
                {
                    threat = float(scale * threat);
                    *Log(LogLevel::debug) << threat;
                }
            }
            // The scaled threats must add up to the mission's threat: within 0.1,
            // or within a hundred-thousandth of it where it is large (a float holds
            // seven digits, and threats grow past millions at high difficulties).
            // Written so that a sum that is not a number fails as well (a curve
            // that sums to 0).
            double testSum = 0.0;
            for (float threat : threats)
                testSum += threat;
            const double tolerance = std::max(0.1, std::fabs(double(missionThreat)) * 1e-5);
            if (!(std::fabs(testSum - missionThreat) < tolerance))
                BOOST_THROW_EXCEPTION(LogicError(
                    (boost::format("testSum != missionThreat (%1% != %2%)") % testSum % missionThreat).str()));
            return threats;
        }

        const MissionSegment& ChooseSegment(const std::vector<MissionSegment>& pool, float threat)
        {
            if (pool.empty())
                BOOST_THROW_EXCEPTION(LogicError());
            std::size_t best = 0;
            for (std::size_t i = 1; i < pool.size(); ++i)
                if (std::fabs(pool[i].threat - threat) < std::fabs(pool[best].threat - threat))
                    best = i;
            return pool[best];
        }

        void FilterRandomIDs(std::vector<unsigned long>& ids, RandomNumberGenerator& generator)
        {
            generator.Next();
            const std::size_t keep = ids.size() * 100 / 100;
            if (keep == 0)
                BOOST_THROW_EXCEPTION(LogicError("to few ids available"));
            RNGToSTLAdapter random(generator);
            for (std::size_t i = 1; i < ids.size(); ++i)
                std::swap(ids[i], ids[std::size_t(random(std::ptrdiff_t(i + 1)))]);
            ids.resize(keep);
        }
    }
}
