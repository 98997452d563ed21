#include "presentation/SplitSprite.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cmath>
#include <map>
#include <tuple>

namespace Kestrum
{
    namespace
    {
        enum class Kind
        {
            transparent,
            translucent,
            opaque
        };

        Kind GetKind(sf::Uint8 alpha)
        {
            return alpha == 0 ? Kind::transparent : alpha == 255 ? Kind::opaque : Kind::translucent;
        }

        // Two triangles over the rectangle, the texture showing the same pixels.
        void AddRectangle(std::vector<sf::Vertex>& vertices, const sf::IntRect& rectangle)
        {
            const float left = float(rectangle.left), top = float(rectangle.top);
            const float right = left + float(rectangle.width), bottom = top + float(rectangle.height);
            for (const sf::Vector2f corner : {sf::Vector2f(left, top), sf::Vector2f(right, top),
                                              sf::Vector2f(left, bottom), sf::Vector2f(right, top),
                                              sf::Vector2f(right, bottom), sf::Vector2f(left, bottom)})
                vertices.push_back(sf::Vertex(corner, sf::Color::White, corner));
        }
    }

    SplitSprite::SplitSprite(const stable_ptr<const sf::Texture>& texture, const sf::Image& image)
        : m_texture(texture), m_size(image.getSize()), m_opaqueMask(std::size_t(m_size.x) * m_size.y)
    {
        // The rectangles still growing, by their left and right ends and kind.
        typedef std::tuple<unsigned, unsigned, Kind> Key;
        std::map<Key, std::size_t> growing;
        std::vector<std::pair<sf::IntRect, Kind>> rectangles;
        const sf::Uint8* pixels = image.getPixelsPtr();
        for (unsigned y = 0; y < m_size.y; ++y)
        {
            std::map<Key, std::size_t> continued;
            const sf::Uint8* row = pixels + std::size_t(y) * m_size.x * 4;
            for (unsigned x = 0; x < m_size.x;)
            {
                const Kind kind = GetKind(row[x * 4 + 3]);
                const unsigned start = x;
                for (; x < m_size.x && GetKind(row[x * 4 + 3]) == kind; ++x)
                    m_opaqueMask[std::size_t(y) * m_size.x + x] = kind == Kind::opaque;
                if (kind == Kind::transparent)
                    continue;
                const Key key(start, x, kind);
                const auto above = growing.find(key);
                if (above != growing.end())
                {
                    ++rectangles[above->second].first.height;
                    continued[key] = above->second;
                }
                else
                {
                    rectangles.emplace_back(sf::IntRect(int(start), int(y), int(x - start), 1), kind);
                    continued[key] = rectangles.size() - 1;
                }
            }
            growing.swap(continued);
        }
        for (const auto& rectangle : rectangles)
        {
            const bool opaque = rectangle.second == Kind::opaque;
            (opaque ? m_opaque : m_translucent).push_back(rectangle.first);
            AddRectangle(opaque ? m_opaqueVertices : m_translucentVertices, rectangle.first);
        }
    }

    void SplitSprite::Draw(sf::RenderTarget& target) const
    {
        sf::RenderStates states(m_texture.get());
        states.transform.translate(m_position);
        states.blendMode = sf::BlendNone;
        if (!m_opaqueVertices.empty())
            target.draw(m_opaqueVertices.data(), m_opaqueVertices.size(), sf::Triangles, states);
        states.blendMode = sf::BlendAlpha;
        if (!m_translucentVertices.empty())
            target.draw(m_translucentVertices.data(), m_translucentVertices.size(), sf::Triangles, states);
    }

    bool SplitSprite::Covers(const sf::IntRect& area, const sf::IntRect& hole) const
    {
        if (m_position.x != std::floor(m_position.x) || m_position.y != std::floor(m_position.y))
            return false;
        const int left = int(m_position.x), top = int(m_position.y);
        for (int y = area.top; y < area.top + area.height; ++y)
            for (int x = area.left; x < area.left + area.width; ++x)
            {
                if (hole.contains(x, y))
                    continue;
                const int u = x - left, v = y - top;
                if (u < 0 || v < 0 || u >= int(m_size.x) || v >= int(m_size.y) ||
                    !m_opaqueMask[std::size_t(v) * m_size.x + std::size_t(u)])
                    return false;
            }
        return true;
    }
}
