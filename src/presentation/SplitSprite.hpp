// A picture with an alpha channel drawn in the fewest pixels blending asks
// for: its opaque rectangles without blending, its translucent rectangles
// blended, nothing where it is fully transparent. The window shows the same
// as drawing the whole picture as one blended sprite, while a software
// renderer touches far fewer pixels.
//
// The rectangles are cut once from the picture's alpha: every row splits into
// runs of opaque, translucent and transparent pixels, and a run continues the
// rectangle of the row above when it has the same ends and the same kind.
//
//     SplitSprite frame(texture, image);          // the texture shows the image
//     frame.SetPosition({0.f, 0.f});
//     frame.Draw(window);
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace sf
{
    class Image;
    class RenderTarget;
    class Texture;
}

namespace Kestrum
{
    class SplitSprite
    {
    public:
        // Cuts the image into its rectangles; the texture holds the same
        // picture (its top left corner at the texture's), unscaled.
        SplitSprite(const stable_ptr<const sf::Texture>& texture, const sf::Image& image);

        // The picture's top left corner in the target.
        void SetPosition(const sf::Vector2f& position) { m_position = position; }
        const sf::Vector2f& GetPosition() const { return m_position; }

        void Draw(sf::RenderTarget& target) const;

        // Whether, at its position, the picture's opaque pixels cover every
        // pixel of the area that lies outside the hole. A position off the
        // pixel grid covers nothing for sure.
        bool Covers(const sf::IntRect& area, const sf::IntRect& hole) const;

        const std::vector<sf::IntRect>& GetOpaque() const { return m_opaque; }
        const std::vector<sf::IntRect>& GetTranslucent() const { return m_translucent; }

    private:
        stable_ptr<const sf::Texture> m_texture;
        sf::Vector2u m_size;
        std::vector<bool> m_opaqueMask;  // row by row
        std::vector<sf::IntRect> m_opaque;
        std::vector<sf::IntRect> m_translucent;
        std::vector<sf::Vertex> m_opaqueVertices;       // triangles, at the origin
        std::vector<sf::Vertex> m_translucentVertices;  // triangles, at the origin
        sf::Vector2f m_position;
    };
}
