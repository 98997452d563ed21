// Builds a campaign level over open land from the blueprint's seed and
// difficulty, and writes it with the LevelWriter:
//
// - Length: the curve |configuration|pcg|difficulty_to_misson_length.graph at
//   the difficulty gives the level's tile rows, L. A level must be a screen
//   high and one row more (25 rows at 768 pixels) and hold two segments.
// - Ground: L rows of full tiles of tile set 0, every fifth row counted from
//   the top (where L - row is a multiple of 5) of tile set 1; each row loses
//   one tile, the empty tile, in 26 of 200 cases.
// - Enemies: the level is cut into L / 15 segments of 15 rows. The threat of
//   the whole mission (|configuration|pcg|difficulty_to_mission_threat.graph
//   over difficulty / difficulty maximum) is spread over them along
//   |configuration|pcg|mission_difficulty_curve_0.graph. The first and the
//   last segment stay free; each other one gets the pool segment (every
//   segment template combined with every enemy set) closest to the threat it
//   has carried so far. The disk boss "airboss001" stands at column 13 in the
//   row after the last segment and must be killed to win.
//
// Two generators, both seeded with the blueprint's seed, draw every random
// number (one for the enemies, one for the ground), so a level is a function
// of the seed, the difficulty, the configured screen height and the data
// files. Nothing is kept: every Construct builds and writes the level anew.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/MissionConstructor.hpp"

#include <cstddef>
#include <set>
#include <vector>

namespace Kestrum
{
    class EnemySpawn;
    class MissionSegment;
    class RandomNumberGenerator;

    class OverEarthConstructor : public MissionConstructor
    {
    public:
        OverEarthConstructor();
        ~OverEarthConstructor() override;

        // A seed beyond 32 bits: OutOfRangeError "seed <seed> is out of range";
        // a negative one: LogicError "seed <seed> is too small". The errors of
        // the steps below, the curves, the data files and the writer pass as
        // they are; the level file is written last, so a failure leaves the
        // old one.
        void Construct(const MissionBlueprint& blueprint, const std::string& directory) override;

        // Refuses a seed no level can be generated from, as Construct does.
        static void CheckSeed(long seed);
    };

    // Random indices for shuffles, from a generator it refers to.
    class RNGToSTLAdapter
    {
    public:
        explicit RNGToSTLAdapter(RandomNumberGenerator& generator) : m_generator(generator) {}
        // One step of the generator modulo n; n = 0: LogicError "divison by zero not allowed".
        std::ptrdiff_t operator()(std::ptrdiff_t n);

    private:
        RandomNumberGenerator& m_generator;
    };

    // Every segment of every template with every enemy set: the set and the
    // template identifiers are shuffled (sets first), then the sets vary
    // slowest and the templates fastest along the pool.
    std::vector<MissionSegment> CreateSegmentPool(RandomNumberGenerator& generator);
    // The length curve at the difficulty, cut to whole rows (0 for a curve below 0).
    unsigned GetMissionLength(unsigned long difficulty);
    // The threat curve at difficulty / difficulty maximum.
    float GetMissionThreat(unsigned long difficulty);
    // "airboss001" at column 13 of the row, without upgrades or speed, kill_to_win.
    stable_ptr<EnemySpawn> CreateBossSpawn(unsigned long row);

    namespace V2
    {
        // The spawns of the level: the chosen segments and the boss. Fewer than
        // two segments: LogicError "too few segments - include free start and boss".
        std::set<stable_ptr<EnemySpawn>> CreateEnemies(const MissionBlueprint& blueprint);
        // The level's length / 15; a length shorter than a screen height in rows
        // plus one: LogicError "length (in tiles) needed: 25, calculated: 24".
        unsigned CalculateSegmentCount(const MissionBlueprint& blueprint);
        // The mission's threat spread over n segments along the difficulty
        // curve, sampled at the middle of each. Scaled values that do not add
        // up to within 0.1 of the threat (a curve summing to 0 among them):
        // LogicError "testSum != missionThreat (<sum> != <threat>)".
        std::vector<float> ComputeSegmentThreats(const MissionBlueprint& blueprint, unsigned n);
        // The first pool segment whose threat is closest to the threat; an
        // empty pool: LogicError.
        const MissionSegment& ChooseSegment(const std::vector<MissionSegment>& pool, float threat);
        // Shuffles the identifiers after one discarded draw; none: LogicError
        // "to few ids available".
        void FilterRandomIDs(std::vector<unsigned long>& ids, RandomNumberGenerator& generator);
    }
}
