// Draws the tile grids of a running mission and converts between screen
// positions and tile rows. A mission enters the manager when it starts and
// leaves it when it ends; while entered it holds the render window and keeps
// every tile set it has drawn from, each loaded on its first use.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/Tile.hpp"

#include <SFML/System/Vector2.hpp>

#include <map>
#include <memory>

namespace sf
{
    class RenderTarget;
    class RenderWindow;
}

namespace Kestrum
{
    class TileSet;

    class TileManager
    {
    public:
        TileManager();
        virtual ~TileManager();
        TileManager(const TileManager&) = delete;
        TileManager& operator=(const TileManager&) = delete;

        // Takes the registered render window; entering twice throws LogicError.
        void OnEnter();
        // Lets the window and the tile sets go; leaving without entering throws
        // LogicError.
        void OnExit();

        // The set of the identifier, made on the first request and kept until OnExit.
        stable_ptr<TileSet> GetTileSet(unsigned long id);

        // Draws the rows of the grid that are on the screen when the layer has
        // scrolled by `offset` pixels, bottom row first, each row from right to
        // left. Above its last row the grid's last row repeats. Empty tiles, and
        // tiles whose image their set lacks, are left out.
        void DrawGrid(const TileGrid& grid, float offset);
        // Draws the rows of the grid that reach the screen's rows from top to
        // bottom at the offset into the target, as DrawGrid draws them into
        // the window (the ground's cache paints its bands with it).
        void DrawRows(const TileGrid& grid, float offset, sf::RenderTarget& target, float top, float bottom);

        // The number of the highest row that is on the screen or just above it at
        // the pixel offset: (window height >> 5) + trunc(offset / 32) + 1.
        unsigned GetRevealedRowCount(float offset) const;
        // The column and row under a position given as fractions of the play
        // field's width (x) and of the screen's height (y, 0 at the top) at the
        // pixel offset. The column stays within 0 to 25, so the right edge (x = 1)
        // is the last column. A position below the level's bottom edge throws
        // NotSupportedError "negative coordinate y not allowed".
        sf::Vector2u CalculateTileCoordinates(const sf::Vector2f& position, float offset) const;

    private:
        struct Batch;

        void DrawRowRange(const TileGrid& grid, float offset, sf::RenderTarget& target, std::uint64_t first,
                          std::uint64_t last);

        std::map<unsigned long, std::shared_ptr<TileSet>> m_tileSets;
        std::shared_ptr<sf::RenderWindow> m_window;
        std::unique_ptr<Batch> m_batch;
    };
}
