// One concrete group of enemies for a stretch of 15 tile rows of a generated
// level: the entries of a segment template with an enemy type chosen for each,
// and the sum of their threats. The generator keeps a pool of them, picks one
// per stretch by its threat and turns it into the stretch's spawns.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/MissionSegmentTemplate.hpp"

#include <set>
#include <vector>

namespace Kestrum
{
    class EnemySpawn;

    class MissionSegment
    {
    public:
        virtual ~MissionSegment() = default;

        // One new spawn per entry, of the entry's variant, without upgrades,
        // speed or kill_to_win, on the tile under the entry's place (see
        // TileManager::CalculateTileCoordinates) when the level has scrolled by
        // `offset` pixels: the generator passes segment index x 480. A place
        // below the level's start fails with the tile manager's
        // NotSupportedError "negative coordinate y not allowed".
        std::set<stable_ptr<EnemySpawn>> CreateSpawns(float offset) const;

        // Each with its variant set.
        std::vector<MissionSegmentTemplate::Entry> entries;
        float threat = 0.f;
    };
}
