#include "levels/Tile.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"

#include <boost/format.hpp>

#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

namespace Kestrum
{
    Tile::Tile() : m_value(Empty) {}

    Tile::Tile(bool topLeft, bool topRight, bool bottomLeft, bool bottomRight, unsigned long tileSet)
    {
        if (tileSet > 0xFFFF)
            BOOST_THROW_EXCEPTION(LogicError((boost::format("tileSet = %#x") % tileSet).str()));
        m_value = std::uint32_t(tileSet << 16) | (topLeft ? 1u : 0u) | (topRight ? 2u : 0u) |
                  (bottomLeft ? 4u : 0u) | (bottomRight ? 8u : 0u);
    }

    unsigned Tile::GetSpriteIndex() const
    {
        const unsigned flags = m_value & 15u;
        if (flags == 0)
        {
            *Log(LogLevel::error) << (boost::format("logic error: Tile.m_value = %#x") % m_value).str();
            return 0;
        }
        return flags - 1;
    }

    std::ostream& operator<<(std::ostream& stream, const Tile& tile)
    {
        return stream << tile.GetValue();
    }

    std::istream& operator>>(std::istream& stream, Tile& tile)
    {
        unsigned long value = 0;
        if (stream >> value)
        {
            // Tile values are 32 bits wide: a longer number is not a tile, while a
            // small negative one wraps as strtoul has it ("-1" is 0xFFFFFFFF).
            const unsigned long largest = std::numeric_limits<std::uint32_t>::max();
            if (value > largest && 0ul - value > largest)
                stream.setstate(std::ios::failbit);
            else
                tile.m_value = std::uint32_t(value);
        }
        return stream;
    }

    Tile GetTile(const TileGrid& grid, std::size_t row, std::size_t column)
    {
        return grid[row][column];
    }

    sf::Vector2f TileToWorld(unsigned column, unsigned row, float offset)
    {
        return TileToWorld(column, row, offset, GetFromRegistry<ConfigurationSystem>()->GetScreenSize());
    }

    sf::Vector2f TileToWorld(unsigned column, unsigned row, float offset, const sf::Vector2f& screenSize)
    {
        const float x = (screenSize.x - 1024.f) / 2.f + 198.f + 32.f * float(column);
        const float y = std::floor(offset) + screenSize.y - 32.f * (float(row) + 1.f);
        return sf::Vector2f(x, y);
    }
}
