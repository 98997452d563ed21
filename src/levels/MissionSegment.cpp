#include "levels/MissionSegment.hpp"

#include "core/Registry.hpp"
#include "flight/EnemySpawn.hpp"
#include "levels/TileManager.hpp"

namespace Kestrum
{
    std::set<stable_ptr<EnemySpawn>> MissionSegment::CreateSpawns(float offset) const
    {
        std::set<stable_ptr<EnemySpawn>> spawns;
        const stable_ptr<TileManager> tiles = GetFromRegistry<TileManager>();
        for (const MissionSegmentTemplate::Entry& entry : entries)
        {
            const sf::Vector2u tile = tiles->CalculateTileCoordinates(sf::Vector2f(entry.x, entry.y), offset);
            spawns.insert(stable_ptr<EnemySpawn>(new EnemySpawn(tile.x, tile.y, entry.variant, {})));
        }
        return spawns;
    }
}
