// The 15 images of one tile set, from the sprite list
// resources|tiles|%010d.spl of its identifier: sprite i shows the tiles whose
// corner flags are i + 1 (see Tile), sprite 14 the full tile.
#pragma once

#include "core/StablePtr.hpp"

namespace Kestrum
{
    class SpriteList;

    class TileSet
    {
    public:
        // Keeps the list and the identifier. An identifier beyond 16 bits, or a
        // list of other than 15 sprites, is logged as an error and kept.
        TileSet(const stable_ptr<SpriteList>& sprites, unsigned long id);
        TileSet(const TileSet&) = delete;
        TileSet& operator=(const TileSet&) = delete;

        const SpriteList& GetSprites() const { return *m_sprites; }
        unsigned long GetID() const { return m_id; }

    private:
        stable_ptr<SpriteList> m_sprites;
        unsigned long m_id;
    };

    // The tile set of the identifier, its sprite list taken from the resource
    // manager's cache.
    stable_ptr<TileSet> CreateTileSet(unsigned long id);
}
