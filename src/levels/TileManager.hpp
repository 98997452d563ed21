// Holds the tile sets of the levels.
#pragma once

namespace Kestrum
{
    class TileManager
    {
    public:
        TileManager();
        virtual ~TileManager();
        TileManager(const TileManager&) = delete;
        TileManager& operator=(const TileManager&) = delete;
    };
}
