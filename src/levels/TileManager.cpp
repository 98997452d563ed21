#include "levels/TileManager.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "levels/TileSet.hpp"
#include "presentation/SpriteList.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Kestrum
{
    // Consecutive tiles of one texture go to the window as one vertex array: the
    // same picture as drawing each tile's sprite in turn, in a few draw calls.
    struct TileManager::Batch
    {
        sf::VertexArray quads{sf::Quads};
        const sf::Texture* texture = nullptr;

        void Add(const sf::Sprite& sprite, sf::RenderTarget& target)
        {
            if (sprite.getTexture() != texture)
            {
                Flush(target);
                texture = sprite.getTexture();
            }
            const sf::FloatRect bounds = sprite.getLocalBounds();
            const sf::IntRect source = sprite.getTextureRect();
            const sf::Transform& transform = sprite.getTransform();
            const sf::Vector2f corners[4] = {{0.f, 0.f}, {bounds.width, 0.f}, {bounds.width, bounds.height}, {0.f, bounds.height}};
            const float left = float(source.left), top = float(source.top);
            const float right = left + float(source.width), bottom = top + float(source.height);
            const sf::Vector2f texels[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
            for (int i = 0; i < 4; ++i)
                quads.append(sf::Vertex(transform.transformPoint(corners[i]), sprite.getColor(), texels[i]));
        }

        void Flush(sf::RenderTarget& target)
        {
            if (quads.getVertexCount() != 0)
                target.draw(quads, sf::RenderStates(texture));
            quads.clear();
        }
    };

    TileManager::TileManager() : m_batch(new Batch()) {}
    TileManager::~TileManager() = default;

    void TileManager::OnEnter()
    {
        if (m_window)
            BOOST_THROW_EXCEPTION(LogicError());
        m_window = GetFromRegistry<sf::RenderWindow>();
    }

    void TileManager::OnExit()
    {
        if (!m_window)
            BOOST_THROW_EXCEPTION(LogicError());
        m_window.reset();
        m_tileSets.clear();
    }

    stable_ptr<TileSet> TileManager::GetTileSet(unsigned long id)
    {
        std::shared_ptr<TileSet>& cached = m_tileSets[id];
        if (!cached)
        {
            try
            {
                cached = CreateTileSet(id);
            }
            catch (...)
            {
                m_tileSets.erase(id);
                throw;
            }
        }
        return create_stable_ptr(cached);
    }

    void TileManager::DrawGrid(const TileGrid& grid, float offset)
    {
        if (grid.empty())
        {
            *Log(LogLevel::info) << "no tiles in grid";
            return;
        }
        if (!m_window)
            BOOST_THROW_EXCEPTION(LogicError());
        // Row numbers are unsigned: an offset scrolled below the level's start
        // wraps around and draws nothing, as first then lies beyond last.
        const unsigned first = unsigned(int(offset * 0.03125f));
        const unsigned last = GetRevealedRowCount(offset);
        if (first > last)
            return;

        DrawRowRange(grid, offset, *m_window, first, last);
    }

    void TileManager::DrawRows(const TileGrid& grid, float offset, sf::RenderTarget& target, float top, float bottom)
    {
        if (grid.empty())
            return;
        // The screen's row y shows the ground's pixel row floor(offset) +
        // height - 1 - y, counted up from the level's bottom edge.
        const float height = GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y;
        const float lowest = std::floor(offset) + height - bottom;
        const float highest = std::floor(offset) + height - 1.f - std::ceil(top);
        if (highest < 0.f || highest < lowest)
            return;
        DrawRowRange(grid, offset, target, std::uint64_t(std::max(0.f, std::floor(lowest / 32.f))),
                     std::uint64_t(std::floor(highest / 32.f)));
    }

    void TileManager::DrawRowRange(const TileGrid& grid, float offset, sf::RenderTarget& target, std::uint64_t first,
                                   std::uint64_t last)
    {
        const sf::Vector2f start = TileToWorld(TilesPerRow, unsigned(first), offset);
        float y = start.y;
        sf::Sprite sprite;
        std::shared_ptr<TileSet> set;
        for (std::uint64_t r = first; r <= last; ++r, y -= 32.f)
        {
            const TileRow& row = grid[std::min<std::size_t>(r, grid.size() - 1)];
            float x = start.x;
            for (int c = int(TilesPerRow) - 1; c >= 0; --c)
            {
                x -= 32.f;
                if (std::size_t(c) >= row.size())
                    continue;
                const Tile tile = GetTile(grid, std::min<std::size_t>(r, grid.size() - 1), std::size_t(c));
                if (tile.IsEmpty())
                    continue;
                if (!set || set->GetID() != tile.GetTileSet())
                    set = GetTileSet(tile.GetTileSet()).get_shared();
                const unsigned index = tile.GetSpriteIndex();
                if (index >= set->GetSprites().GetSpriteCount())
                    continue;
                sprite = set->GetSprites().GetSprite(index);
                sprite.setPosition(x, y);
                m_batch->Add(sprite, target);
            }
        }
        m_batch->Flush(target);
        m_batch->texture = nullptr;
    }

    unsigned TileManager::GetRevealedRowCount(float offset) const
    {
        const unsigned height = GetFromRegistry<sf::RenderWindow>()->getSize().y;
        return (height >> 5) + unsigned(int(offset * 0.03125f)) + 1;
    }

    sf::Vector2u TileManager::CalculateTileCoordinates(const sf::Vector2f& position, float offset) const
    {
        const float height = GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y;
        const float v = height + offset - position.y * height;
        if (v < 0.f)
            BOOST_THROW_EXCEPTION(NotSupportedError("negative coordinate y not allowed"));
        const float column = std::floor(position.x * 832.f * 0.03125f);
        return sf::Vector2u(unsigned(std::min(25.f, std::max(0.f, column))), unsigned(v * 0.03125f));
    }
}
