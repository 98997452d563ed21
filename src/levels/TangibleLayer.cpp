#include "levels/TangibleLayer.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "levels/TileManager.hpp"

#include <boost/lexical_cast.hpp>

namespace Kestrum
{
    namespace
    {
        const std::size_t rowLength = TilesPerRow;

        void ThrowRowError(const pugi::xml_node& row)
        {
            BOOST_THROW_EXCEPTION(WithLineOf(RuntimeError("row = " + std::to_string(GetLineNumber(row))), row));
        }

        Tile ReadTile(const pugi::xml_node& element)
        {
            const pugi::xml_text text = element.text();
            const std::string owner = std::string("element ") + element.name();
            if (text.empty())
                BOOST_THROW_EXCEPTION(WithLineOf(XmlError(owner + " has no text"), element));
            // A tile is written as its value: a text that is no 32-bit unsigned
            // number is refused with the element and the text named.
            ConvertValue<unsigned int>(text.get(), owner, element);
            return boost::lexical_cast<Tile>(std::string(text.get()));
        }

        TileRow LoadTileRow(const pugi::xml_node& element)
        {
            AssertElementName(element, "tile_row");
            TileRow row;
            for (const pugi::xml_node child : element.children())
            {
                if (child.type() != pugi::node_element)
                    continue;
                const std::string name = child.name();
                if (name == "tile")
                    row.push_back(ReadTile(child));
                else if (name == "tile_sequence")
                {
                    const unsigned repeat = GetAttributeValue<unsigned>(child, "repeat");
                    const Tile tile = ReadTile(child);
                    // Too long already: refused before the copies are made.
                    if (repeat > rowLength - row.size())
                        ThrowRowError(element);
                    row.insert(row.end(), repeat, tile);
                }
                else
                    BOOST_THROW_EXCEPTION(WithLineOf(ParseError("unknown tile type found: " + name), child));
                if (row.size() > rowLength)
                    ThrowRowError(element);
            }
            if (row.size() != rowLength)
                ThrowRowError(element);
            return row;
        }

        // A grid that would grow beyond the rows a layer takes is refused before
        // it grows, so that no repeat count can exhaust the memory.
        void CheckRoom(const TileGrid& grid, std::size_t added)
        {
            if (added > TangibleLayer::MaximumRows - grid.size())
                BOOST_THROW_EXCEPTION(RuntimeError("a tile layer holds at most " +
                                                   std::to_string(TangibleLayer::MaximumRows) + " rows"));
        }

        TileGrid LoadTileGrid(const pugi::xml_node& element)
        {
            AssertElementName(element, "tile_grid");
            TileGrid grid;
            for (const pugi::xml_node child : element.children("tile_row"))
            {
                const TileRow row = LoadTileRow(child);
                const unsigned repeat = GetAttributeValue<unsigned>(child, "repeat");
                CheckRoom(grid, repeat);
                grid.insert(grid.end(), repeat, row);
            }
            return grid;
        }

        void AppendGridRows(TileGrid& grid, const TileGrid& rows)
        {
            CheckRoom(grid, rows.size());
            grid.insert(grid.end(), rows.begin(), rows.end());
        }
    }

    TangibleLayer::TangibleLayer() = default;
    TangibleLayer::~TangibleLayer() = default;

    void TangibleLayer::OnUpdate() {}

    void TangibleLayer::Draw()
    {
        if (!m_grid)
            BOOST_THROW_EXCEPTION(LogicError());
        GetFromRegistry<TileManager>()->DrawGrid(*m_grid, GetOffset());
    }

    bool TangibleLayer::IsStill() const
    {
        return true;
    }

    void TangibleLayer::DrawStill(sf::RenderTarget& target, float offset, float top, float bottom)
    {
        GetFromRegistry<TileManager>()->DrawRows(GetGrid(), offset, target, top, bottom);
    }

    void TangibleLayer::Load(const pugi::xml_node& element)
    {
        *Log(LogLevel::debug) << "loading TangibleLayer";
        AssertElementName(element, "layer");
        AssertAttribute(element, "type", "tangible");
        std::unique_ptr<TileGrid> grid(new TileGrid());
        for (const pugi::xml_node child : element.children("tile_grid"))
        {
            const TileGrid read = LoadTileGrid(child);
            const unsigned repeat = GetAttributeValue<unsigned>(child, "repeat");
            for (unsigned i = 0; i < repeat; ++i)
            {
                AppendGridRows(*grid, read);
                if (read.empty())
                    break;
            }
        }
        Layer::Load(element);
        m_grid = std::move(grid);
    }

    const TileGrid& TangibleLayer::GetGrid() const
    {
        if (!m_grid)
            BOOST_THROW_EXCEPTION(LogicError());
        return *m_grid;
    }
}
