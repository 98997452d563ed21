// The ground of a level: square tiles of 32 pixels, 26 to a row, scrolling down
// the screen.
//
// A tile value holds the tile set in its high 16 bits and four corner flags in
// bits 0 to 3; the flags choose one of the set's 15 images (all four set, 15, is
// the full tile). Bit 0 is the top-left corner, bit 1 the top-right, bit 2 the
// bottom-left and bit 3 the bottom-right: a flag set means the set's ground
// covers that corner of the tile. 0xFFF0 is the empty tile, which is never drawn.
//
// In level files a tile is written as the decimal digits of its value.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <deque>
#include <iosfwd>

namespace Kestrum
{
    class Tile
    {
    public:
        static const std::uint32_t Empty = 0xFFF0;

        // The empty tile.
        Tile();
        // The tile of the set whose corners are covered as flagged. A tile set
        // above 0xFFFF throws LogicError "tileSet = 0x...".
        Tile(bool topLeft, bool topRight, bool bottomLeft, bool bottomRight, unsigned long tileSet);

        std::uint32_t GetValue() const { return m_value; }
        bool IsEmpty() const { return m_value == Empty; }
        unsigned long GetTileSet() const { return m_value >> 16; }
        // The index of the tile's image in its set, 0 to 14: the flags minus one.
        // A tile without flags logs an error and gives 0.
        unsigned GetSpriteIndex() const;

        bool operator==(const Tile& other) const { return m_value == other.m_value; }
        bool operator!=(const Tile& other) const { return m_value != other.m_value; }

    private:
        friend std::istream& operator>>(std::istream& stream, Tile& tile);
        std::uint32_t m_value;
    };

    // The decimal digits of the value.
    std::ostream& operator<<(std::ostream& stream, const Tile& tile);
    // Reads an unsigned number into the value (no white space skipped when the
    // stream does not skip it). A number beyond 32 bits fails the stream.
    std::istream& operator>>(std::istream& stream, Tile& tile);

    // Row 0 of a grid is the bottom row of the level; row indices grow upward.
    // Column 0 is the leftmost of a row's 26 tiles.
    const unsigned TilesPerRow = 26;
    using TileRow = std::deque<Tile>;
    using TileGrid = std::deque<TileRow>;

    // A copy of the tile at the row and column; both must lie inside the grid.
    Tile GetTile(const TileGrid& grid, std::size_t row, std::size_t column);

    // The top-left corner on the screen of the tile at the column and row when the
    // ground has scrolled by `offset` pixels (fractions of a pixel are dropped).
    // The play field lies centred on the reference width 1024 of the configured
    // video mode: its left edge is at (width - 1024) / 2 + 198.
    sf::Vector2f TileToWorld(unsigned column, unsigned row, float offset);
    // The same for a video mode of the given size.
    sf::Vector2f TileToWorld(unsigned column, unsigned row, float offset, const sf::Vector2f& screenSize);
}
